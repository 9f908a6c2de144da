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
    const std::vector<std::string> args(argv + 1, argv + argc);
    // A file to show (a double click on it) opens the windows; anything else is a command.
    const QString opened = fileToOpen(args);
    if (!args.empty() && opened.isEmpty()) return runCommandLine(args, stdout, stderr, paths);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/data/orvane.svg")));
    QtPlatform platform(QString::fromStdString(paths.folder));
    const QString problem =
        prepareDataFolder(QString::fromStdString(paths.folder), QString::fromStdString(paths.history));
    if (!problem.isEmpty())
        platform.message(problem, QStringLiteral("Data Folder"), NoticeIcon::Exclamation, Platform::Buttons::Ok);

    SharedSettings shared(paths);
    // The game played last, with its settings.
    shared.useGame(restoredGame(platform, paths));
    requestSavedSettings(shared, platform);
    MainWindow window(platform, shared);
    platform.setDialogParent(&window);
    window.show();
    if (opened.isEmpty())
        window.showStartupTip();
    else
        window.openFile(opened);
    return app.exec();
}
