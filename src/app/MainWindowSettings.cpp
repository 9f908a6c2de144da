// The settings timer of frmOrvaneMain: saving every saved control to the
// settings file and restoring them from it, on the tick after a request.
#include "app/MainWindow.h"

#include "app/FilterWidgets.h"
#include "app/Startup.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "pool/PoolWindow.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QTimer>

namespace orvane {

using filterwidgets::choose;

void MainWindow::Timer3_Timer() {
    // A request raised while a long operation runs waits until it has ended,
    // so a save never reads half-locked controls and a restore never changes a run.
    if (!busy_.idle()) return;
    if (shared_.saveRequest) {
        shared_.saveRequest = false;
        if (saveSettings() && shared_.exitAfterSaveRequest) {
            shared_.exitAfterSaveRequest = false;
            close();
            return;
        }
    }
    if (shared_.restoreRequest) {
        shared_.restoreRequest = false;
        restoreSettings();
    }
}

SettingsFile MainWindow::currentSettings() const {
    SettingsFile file = settingsFor(shared_.game);
    file.pool = poolWindow_->settings();
    file.historyPath = shared_.historyPath;
    file.settingsPath = shared_.settingsPath;
    file.wheelOutputPath = shared_.wheelOutputPath;
    file.poolPath = shared_.poolPath;
    file.destination = optnOutToPrinter->isChecked()   ? OutputDestination::Printer
                       : optnOutToNothing->isChecked() ? OutputDestination::Nothing
                                                       : OutputDestination::Disk;
    file.diskMode = optnAppend->isChecked() ? DiskMode::Append : DiskMode::Overwrite;
    file.filters = filters_->read();
    file.filters.enableRavelin = filterwidgets::value(chkEnableRavelin);
    return file;
}

namespace {
// The game whose settings the file at `path` holds, when it holds any.
std::optional<Game> gameOfSettingsFile(const std::string& path) {
    SettingsFile file;
    if (!readSettingsFile(path, file).ok()) return otherGameOfSettingsFile(path);
    return file.game;
}
} // namespace

bool MainWindow::saveSettings() {
    const std::string path = shared_.settingsPath;
    // Another game's settings are never overwritten with this window's.
    const std::optional<Game> other = gameOfSettingsFile(path);
    const bool clash = other && other->matrix() != shared_.game.matrix();
    const std::string played = shared_.game.isLotto649() ? std::string("6/49") : shared_.game.title();
    const std::string problem = clash ? "The settings file " + path + " holds the settings of " + other->title() +
                                            ", which this window's " + played + " settings would replace."
                                      : saveSettingsFile(path, currentSettings());
    if (problem.empty()) {
        settingsKeptIn(path);
        return true;
    }
    // The program stays open, so nothing the user set is lost with it.
    shared_.exitAfterSaveRequest = false;
    platform_.message(qt(problem) + QStringLiteral(" Choose another file with Save Current Settings."),
                      QStringLiteral("Settings Not Saved"), NoticeIcon::Exclamation);
    return false;
}

void MainWindow::restoreSettings() {
    // The whole file is read and checked first: a file that cannot be read
    // changes nothing, rather than leaving half of one configuration and half
    // of another.
    SettingsFile file = currentSettings();
    const std::string path = shared_.settingsPath;
    const SettingsReadResult read = readSettingsFile(path, file);
    if (!read.ok()) {
        platform_.message(qt(read.error) + QStringLiteral(" No setting has been changed."),
                          QStringLiteral("Settings Not Loaded"), NoticeIcon::Exclamation);
        return;
    }
    if (file.game.matrix() != shared_.game.matrix()) {
        // The filter tabs are laid out for the game played. The settings go back
        // to the file they came from.
        if (!settingsFileInUse_.empty()) shared_.settingsPath = settingsFileInUse_;
        platform_.message(QStringLiteral("The settings file %1 is for %2, and the game played is %3. Choose %2 in the "
                                         "Game menu, then load the file. No setting has been changed.")
                              .arg(qt(path), qt(file.game.title()), qt(shared_.game.title())),
                          QStringLiteral("Settings Not Loaded"), NoticeIcon::Exclamation);
        return;
    }
    applySettings(file);
    // The file read, even when its own line names another one for the next
    // save: read again at the next start, it gives these settings back.
    settingsKeptIn(path);
}

void MainWindow::settingsKeptIn(const std::string& path) {
    // As the controls stand after their handlers ran, so a restore that one of
    // them corrected does not count as a change the user made.
    settingsInFile_ = settingsText(currentSettings());
    settingsFileInUse_ = path;
    rememberSettingsFile(platform_, shared_.game, path);
}

bool MainWindow::mayClose() { return settingsMayGo(QStringLiteral("Save the settings before closing?")); }

bool MainWindow::settingsMayGo(const QString& question) {
    // The whole file's text: any filter, option or path counts, and nothing else does.
    if (settingsText(currentSettings()) == settingsInFile_) return true;
    const Platform::Reply answer = platform_.message(
        question + QStringLiteral("\n\nThey have changed since they were last saved or loaded; Yes saves them to ") +
            qt(shared_.settingsPath) + QStringLiteral("."),
        QStringLiteral("Settings Changed"), NoticeIcon::Question, Platform::Buttons::YesNoCancel);
    switch (answer) {
    case Platform::Reply::Yes: return saveSettings(); // a failed save says why and stays open
    case Platform::Reply::No: return true;
    default: return false;
    }
}

void MainWindow::applySettings(const SettingsFile& file) {
    // In the file's order, so that a control's handler sees the lines before it
    // (the last fifteen sums are read from the restored history path).
    poolWindow_->applySettings(file.pool);
    shared_.historyPath = file.historyPath;
    shared_.settingsPath = file.settingsPath;
    shared_.wheelOutputPath = file.wheelOutputPath;
    shared_.poolPath = file.poolPath;
    choose(file.destination == OutputDestination::Printer   ? optnOutToPrinter
           : file.destination == OutputDestination::Nothing ? optnOutToNothing
                                                            : optnOutToFile);
    choose(file.diskMode == DiskMode::Append ? optnAppend : optnOverwrite);
    filterwidgets::setValue(chkEnableRavelin, file.filters.enableRavelin);
    filters_->apply(file.filters);
}

} // namespace orvane
