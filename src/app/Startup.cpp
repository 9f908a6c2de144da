#include "app/Startup.h"

#include "platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

static void initSampleResource() { Q_INIT_RESOURCE(orvane); }

namespace orvane {

namespace {
const QString kSettingsFileKey = QStringLiteral("Settings File");

// Places a file shipped inside the program at `target` unless one is there
// already: the user's own copy is never overwritten.
bool placeShippedFile(const QString& resource, const QString& target) {
    if (QFileInfo::exists(target)) return true;
    if (!QFile::copy(resource, target)) return false;
    // The copy of a resource is read-only; the user appends to it or edits it.
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    return true;
}
} // namespace

QString prepareDataFolder(const QString& folder, const QString& historyPath) {
    initSampleResource();
    if (!QDir().mkpath(folder)) return QStringLiteral("The data folder %1 could not be created.").arg(folder);
    if (!placeShippedFile(QStringLiteral(":/data/FL6-49.HIT"), historyPath))
        return QStringLiteral("The sample history could not be copied to %1.").arg(historyPath);
    // The manual viewer opens and saves the manuals in the data folder.
    for (const QString& manual : {QStringLiteral("TB-MANUAL.TXT"), QStringLiteral("GR-MANUAL.TXT")})
        if (!placeShippedFile(QStringLiteral(":/data/") + manual, QDir(folder).filePath(manual)))
            return QStringLiteral("The manual %1 could not be copied to %2.").arg(manual, folder);
    if (!QDir::setCurrent(folder)) return QStringLiteral("The data folder %1 could not be entered.").arg(folder);
    return {};
}

namespace {
// 6/49's settings file is kept under the key it always had; every other game's under its own.
QString settingsFileKey(const Game& game) {
    if (game.isLotto649()) return kSettingsFileKey;
    return kSettingsFileKey + QStringLiteral(" of ") +
           QString::fromStdString(game.name().empty() ? game.matrix() : game.name());
}
} // namespace

QString fileToOpen(const std::vector<std::string>& args) {
    if (args.size() != 1) return {};
    const QFileInfo file(QString::fromStdString(args.front()));
    const QString suffix = file.suffix().toUpper();
    if (!file.isFile() || (suffix != QStringLiteral("HIT") && suffix != QStringLiteral("TB"))) return {};
    return file.absoluteFilePath();
}

void rememberSettingsFile(Platform& platform, const Game& game, const std::string& path) {
    platform.saveSetting(settingsFileKey(game), QString::fromStdString(path));
}

void requestSavedSettings(SharedSettings& shared, Platform& platform) {
    // A kept file that has since gone (deleted, or on a drive no longer there)
    // is passed over without a word: the default file serves instead.
    const QString kept = platform.setting(settingsFileKey(shared.game), QString());
    if (!kept.isEmpty() && QFileInfo(kept).isFile()) shared.settingsPath = kept.toStdString();
    if (QFileInfo(QString::fromStdString(shared.settingsPath)).isFile()) shared.restoreRequest = true;
}

} // namespace orvane
