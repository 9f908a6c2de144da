#include "app/MainWindow.h"

#include "app/BonusPick.h"
#include "app/GameMenu.h"
#include "core/Game.h"
#include "core/Version.h"
#include "history/DrawImport.h"
#include "platform/EnterPressesDefault.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "pool/PoolWindow.h"
#include "reports/ReportWindow.h"
#include "tally/WinCheckerWindow.h"
#include "wheel/GameWheelStart.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace orvane {

namespace {
const QString kHistoryFilter =
    QStringLiteral("History File (*.HIT)|*.HIT|Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*");
const QString kOutputFilter =
    QStringLiteral("Tambril Output Files (*.TB)|*.TB|Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*");
const QString kSettingsFilter =
    QStringLiteral("Initialization File (*.INI)|*.INI|Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*");
// The caption is the dialog's filter: its patterns are separated by blanks, and
// both letter cases are listed for the desktops whose dialogs match case exactly.
const QString kDrawFilter =
    QStringLiteral("Draw Files (*.csv *.CSV *.txt *.TXT)|*.csv;*.CSV;*.txt;*.TXT|All Files (*)|*");
const QString kRecordNumbersKey = QStringLiteral("Record Set Numbers");

} // namespace

MainWindow::MainWindow(Platform& platform, SharedSettings& shared, QWidget* parent)
    : QMainWindow(parent), platform_(platform), shared_(shared) {
    buildWindow();
    // The menus and buttons that could start a second long operation or change the run's inputs.
    busy_.defineOperation(kWheelRun,
                          {QStringLiteral("mnuFile"), QStringLiteral("mnuUserLevel"), QStringLiteral("mnuNumberSelect"),
                           QStringLiteral("mnuAnalysis"), QStringLiteral("mnuTools"), QStringLiteral("mnuHelp"),
                           QStringLiteral("cmdWheel"), QStringLiteral("cmdExit"), QStringLiteral("cmdClear"),
                           QStringLiteral("cmdChooseRandom"), QStringLiteral("lstNumbers"),
                           QStringLiteral("lstBonusNumbers"), QStringLiteral("mnuGame")});
    // A win check reads the output file: nothing may change, delete or rewrite it meanwhile.
    busy_.defineOperation(WinCheckerWindow::kWinCheck,
                          {QStringLiteral("cmdWheel"), QStringLiteral("mnuDeleteOuput"),
                           QStringLiteral("mnuDelGathraTxt"), QStringLiteral("mnuUnInstallPrep"),
                           QStringLiteral("mnuSaveSettings"), QStringLiteral("mnuRestoreSettings"),
                           QStringLiteral("mnuHistoryFile"), QStringLiteral("mnuImportDraws"),
                           QStringLiteral("mnuSaveAs"), QStringLiteral("mnuGame")});
    // A report reads the history or the output file: nothing may replace or
    // rewrite them meanwhile, and the report commands wait for the window.
    busy_.defineOperation(ReportWindow::kReportRun,
                          {QStringLiteral("mnuSaveSettings"), QStringLiteral("mnuRestoreSettings"),
                           QStringLiteral("mnuSaveGRAs"), QStringLiteral("mnuHistoryFile"),
                           QStringLiteral("mnuImportDraws"), QStringLiteral("cmdWheel"), QStringLiteral("mnuExit"),
                           QStringLiteral("mnuGathra"), QStringLiteral("mnuLoadGRPool"), QStringLiteral("mnuAnalysis"),
                           QStringLiteral("mnuUpdateHistory"), QStringLiteral("mnuViewHistory"),
                           QStringLiteral("mnuViewOutput"), QStringLiteral("mnuGame")});
    // A pool run reads the history and ends by writing the pool file.
    busy_.defineOperation(PoolWindow::kPoolRun,
                          {QStringLiteral("mnuSaveSettings"), QStringLiteral("mnuRestoreSettings"),
                           QStringLiteral("mnuSaveGRAs"), QStringLiteral("mnuHistoryFile"),
                           QStringLiteral("mnuImportDraws"), QStringLiteral("mnuExit"), QStringLiteral("mnuGathra"),
                           QStringLiteral("mnuLoadGRPool"), QStringLiteral("mnuAnalysis"),
                           QStringLiteral("mnuUpdateHistory"), QStringLiteral("mnuViewHistory"),
                           QStringLiteral("cmdWheel"), QStringLiteral("mnuGame")});
    // The tools that serve 6/49 alone so far.
    busy_.defineCondition(kOtherGame, {QStringLiteral("mnuUpdateHistory")});
    busy_.addCommandsIn(this);
    // Made after the commands are gathered: its own controls are its to enable.
    poolWindow_ = new PoolWindow(platform_, shared_, busy_, this);
    connect(poolWindow_, &PoolWindow::putAway, this, &MainWindow::windowPutAway);
    connect(poolWindow_, &PoolWindow::manualRequested, this, [this] { openManual(true); });
    new EnterPressesDefault(this);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &MainWindow::Timer1_Timer);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(100);
    connect(Timer2, &QTimer::timeout, this, &MainWindow::Timer2_Timer);
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(1000);
    connect(Timer3, &QTimer::timeout, this, &MainWindow::Timer3_Timer);
    connect(lstNumbers, &QListWidget::itemSelectionChanged, this, &MainWindow::lstNumbers_Click);
    addNumberListCommands();
    connect(&driver_, &JobDriver::sliceDone, this, &MainWindow::showRunProgress);
    connect(&driver_, &JobDriver::finished, this, &MainWindow::endRun);
    load();
    showGame();
    settingsInFile_ = settingsText(currentSettings());
    settingsFileInUse_ = shared_.settingsPath;
    Timer1->start();
    Timer2->start();
    Timer3->start();
}

MainWindow::~MainWindow() = default;

void MainWindow::load() {
    txtPassing->clear();
    const QString record = platform_.setting(kRecordNumbersKey, QStringLiteral("False"));
    mnuRecordNumbers->setChecked(record.compare(QStringLiteral("False"), Qt::CaseInsensitive) != 0);
    filters_->loadPositionalAnalysis(
        platform_.setting(QStringLiteral("Enable Positional Analysis"), QStringLiteral("0")) == QStringLiteral("1"));
    cmdStopWheeling->setEnabled(false);
}

void MainWindow::addNumberListCommands() {
    // Select all and none from the list's own context menu, with their keys shown there.
    auto addCommand = [this](const char* name, const QString& caption, const QKeySequence& keys,
                             void (QListWidget::*command)()) {
        auto* action = new QAction(caption, lstNumbers);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setShortcutVisibleInContextMenu(true);
        connect(action, &QAction::triggered, lstNumbers, command);
        lstNumbers->addAction(action);
    };
    addCommand("ctxSelectAll", QStringLiteral("Select All Numbers"), QKeySequence::SelectAll, &QListWidget::selectAll);
    addCommand("ctxDeselectAll", QStringLiteral("De-Select All Numbers"),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), &QListWidget::clearSelection);
    lstNumbers->setContextMenuPolicy(Qt::ActionsContextMenu);
}

int MainWindow::poolSize() const { return lblPoolSize->text().toInt(); }

void MainWindow::lstNumbers_Click() {
    if (listBusy_) return;
    lblPoolSize->setText(QString::number(lstNumbers->selectedItems().size()));
}

void MainWindow::cmdChooseRandom_Click() {
    const int highest = shared_.game.highest();
    for (;;) {
        const int index = static_cast<int>(platform_.randomFraction() * highest);
        QListWidgetItem* item = lstNumbers->item(qBound(0, index, highest - 1));
        if (!item->isSelected()) {
            item->setSelected(true);
            return;
        }
        if (poolSize() == highest) {
            platform_.message(QStringLiteral("All possible numbers have been selected."),
                              QStringLiteral("Cannot Execute Command"), NoticeIcon::Exclamation);
            return;
        }
    }
}

void MainWindow::cmdClear_Click() {
    txtGenerated->setText(QStringLiteral("0"));
    txtOutput->clear();
    txtSetsPassing->setText(QStringLiteral("0"));
    clockSeconds_ = clockMinutes_ = clockHours_ = 0;
    lblTimer->setText(QStringLiteral("00:00:00"));
    txtPassing->clear();
    for (int index = 0; index < lstNumbers->count(); ++index) lstNumbers->item(index)->setSelected(false);
}

void MainWindow::cmdExit_Click() {
    // The settings timer writes the file on its next tick, then ends the program.
    shared_.saveRequest = true;
    shared_.exitAfterSaveRequest = true;
}

bool MainWindow::event(QEvent* event) {
    // Title bar, File > Exit, the calculator's Exit: every close comes here
    // before closeEvent ends a run in progress. Save Settings & Exit closes
    // only after its save, when nothing has changed any more.
    if (event->type() == QEvent::Close && (!closeEditingWindows() || !mayClose())) {
        event->ignore();
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::Timer1_Timer() {
    if (!running_ || listBusy_) return;
    if (++clockSeconds_ > 59) {
        clockSeconds_ = 0;
        ++clockMinutes_;
    }
    if (clockMinutes_ > 59) {
        clockSeconds_ = clockMinutes_ = 0;
        ++clockHours_;
    }
    showClock();
}

void MainWindow::showClock() {
    lblTimer->setText(QStringLiteral("%1:%2:%3")
                          .arg(clockHours_)
                          .arg(clockMinutes_, 2, 10, QLatin1Char('0'))
                          .arg(clockSeconds_, 2, 10, QLatin1Char('0')));
}

QString MainWindow::chooseFile(const QString& filter, const QString& extension, const std::string& current, bool save,
                               bool confirmOverwrite) {
    // Started at the file's full path, the dialog opens in its folder.
    return platform_.fileDialog(FileDialogRequest{filter, extension, qt(current), 0, save, confirmOverwrite});
}

void MainWindow::statusMessage(const QString& text) {
    platform_.message(text, QStringLiteral("Status of Operation"), NoticeIcon::Information);
}

void MainWindow::mnuHistoryFile_Click() {
    // The history is chosen to be read (and later added to), never replaced.
    const QString name = chooseFile(kHistoryFilter, QStringLiteral(".HIT"), shared_.historyPath, true, false);
    shared_.historyPath = name.isEmpty() ? shared_.defaults.history : name.toStdString();
}

void MainWindow::mnuImportDraws_Click() {
    const QString title = QStringLiteral("Import Draws");
    // Open form: the file is only read. It opens where the last import came
    // from, or in the history's folder.
    const QString start = lastImport_.isEmpty() ? QFileInfo(qt(shared_.historyPath)).absolutePath() : lastImport_;
    const QString file =
        platform_.fileDialog(FileDialogRequest{kDrawFilter, QStringLiteral(".CSV"), start, 0, false, false});
    if (file.isEmpty()) return;
    lastImport_ = file;
    DrawImport result = importDraws(file.toStdString(), shared_.historyPath, std::nullopt, shared_.game);
    if (result.status == DrawImport::Status::AmbiguousDates) {
        // The dates themselves cannot say which comes first: the user does.
        const QString given = platform_.inputBox(
            QString::fromStdString(result.error) + QStringLiteral("\n\nType the form of its dates, for example ") +
                QString::fromStdString(dateOrderPattern(result.readings.front())) + QStringLiteral(":"),
            title);
        if (given.trimmed().isEmpty()) return;
        const std::optional<DateOrder> order = dateOrderFromPattern(given.trimmed().toStdString());
        if (!order) {
            platform_.message(QStringLiteral("\"") + given.trimmed() +
                                  QStringLiteral("\" is not a date form such as MM/DD/YY or DD/MM/YY.  "
                                                 "No draw was imported."),
                              title, NoticeIcon::Exclamation);
            return;
        }
        result = importDraws(file.toStdString(), shared_.historyPath, order, shared_.game);
    }
    if (!result.ok()) {
        platform_.message(QString::fromStdString(result.error), title, NoticeIcon::Exclamation);
        return;
    }
    platform_.message(QString::fromStdString(importSummary(result, 20)).trimmed(), title, NoticeIcon::Information);
}

void MainWindow::mnuSaveAs_Click() {
    const QString name = chooseFile(kOutputFilter, QStringLiteral(".TB"), shared_.wheelOutputPath, true);
    if (name.isEmpty()) {
        shared_.wheelOutputPath = shared_.defaults.wheelOutput;
        return;
    }
    shared_.wheelOutputPath = name.toStdString();
    statusMessage(QStringLiteral("Output will be saved to ") + name);
}

void MainWindow::mnuSaveGRAs_Click() {
    // This dialog keeps the name of its previous use, so cancelling it after an
    // earlier choice takes that earlier name again.
    poolWindow_->choosePoolFile();
}

void MainWindow::mnuSaveSettings_Click() { chooseSettingsFile(true); }

void MainWindow::mnuRestoreSettings_Click() { chooseSettingsFile(false); }

void MainWindow::chooseSettingsFile(bool save) {
    // A cancelled dialog does nothing: saving over the default file, or throwing
    // away unsaved changes by restoring it, is not what Cancel means.
    const QString name = chooseFile(kSettingsFilter, QStringLiteral(".INI"), shared_.settingsPath, save);
    if (name.isEmpty()) return;
    shared_.settingsPath = name.toStdString();
    statusMessage(
        (save ? QStringLiteral("Output will be saved to ") : QStringLiteral("Initialization file is now set to ")) +
        name);
    // The settings timer writes or reads the file on its next tick.
    (save ? shared_.saveRequest : shared_.restoreRequest) = true;
    shared_.exitAfterSaveRequest = false;
}

void MainWindow::mnuRecordNumbers_Click() {
    // The action has already toggled its own check mark when this runs.
    platform_.saveSetting(kRecordNumbersKey,
                          mnuRecordNumbers->isChecked() ? QStringLiteral("True") : QStringLiteral("False"));
}

void MainWindow::optnOutputDestination_Click() {
    const bool toDisk = optnOutToFile->isChecked();
    optnOverwrite->setEnabled(toDisk);
    optnAppend->setEnabled(toDisk);
}

} // namespace orvane
