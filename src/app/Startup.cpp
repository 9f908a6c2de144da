#include "app/Startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

static void initSampleResource() { Q_INIT_RESOURCE(orvane); }

namespace orvane {

QString prepareDataFolder(const QString& folder, const QString& historyPath) {
    initSampleResource();
    if (!QDir().mkpath(folder)) return QStringLiteral("The data folder %1 could not be created.").arg(folder);
    if (!QFileInfo::exists(historyPath)) {
        // The copy of a resource is read-only; the history must be appendable.
        if (!QFile::copy(QStringLiteral(":/data/FL6-49.HIT"), historyPath))
            return QStringLiteral("The sample history could not be copied to %1.").arg(historyPath);
        QFile::setPermissions(historyPath, QFile::permissions(historyPath) | QFileDevice::WriteOwner |
                                               QFileDevice::WriteUser);
    }
    if (!QDir::setCurrent(folder)) return QStringLiteral("The data folder %1 could not be entered.").arg(folder);
    return {};
}

void requestSavedSettings(SharedSettings& shared) {
    if (QFileInfo::exists(QString::fromStdString(shared.settingsPath))) shared.restoreRequest = true;
}

} // namespace orvane
