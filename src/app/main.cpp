// orvane: with no arguments the windows; with a subcommand the engine headless.
#include "cli/CommandLine.h"
#include "core/DataPaths.h"
#include "app/GameMenu.h"
#include "app/MainWindow.h"
#include "app/Startup.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char* argv[]) {
    using namespace orvane;
    const DataPaths paths = dataPathsIn(defaultDataFolder());
    if (argc > 1) return runCommandLine(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr, paths);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/data/orvane.svg")));
    QtPlatform platform(QString::fromStdString(paths.folder));
    const QString problem =
        prepareDataFolder(QString::fromStdString(paths.folder), QString::fromStdString(paths.history));
    if (!problem.isEmpty()) platform.message(problem, QStringLiteral("Data Folder"), NoticeIcon::Exclamation, Platform::Buttons::Ok);

    SharedSettings shared(paths);
    // The game played last, with its settings.
    shared.useGame(restoredGame(platform, paths));
    requestSavedSettings(shared, platform);
    MainWindow window(platform, shared);
    platform.setDialogParent(&window);
    window.show();
    window.showStartupTip();
    return app.exec();
}
