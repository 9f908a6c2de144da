#include "pool/PoolWindow.h"

#include "core/AtomicFile.h"
#include "core/FileRemoval.h"
#include "core/SameFile.h"
#include "platform/FixedFont.h"
#include "platform/JobDriver.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "pool/PoolBatch.h"
#include "pool/PoolJob.h"
#include "pool/PoolReport.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace orvane {

namespace {
// A slice of this length keeps the step texts repainting and lets Stop take
// effect within a blink.

const QString kTitle = QStringLiteral("VN-Gathra");

void fillCombo(QComboBox* combo, int first, int last) {
    combo->clear();
    for (int value = first; value <= last; ++value) combo->addItem(QString::number(value));
    combo->setCurrentText(QString::number(last));
}
const QString kPoolFilter =
    QStringLiteral("Gathra Output Files (*.GR)|*.GR|Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*");

} // namespace

PoolWindow::PoolWindow(Platform& platform, SharedSettings& shared, BusyState& busy, QWidget* parent)
    : QMainWindow(parent, Qt::Window), platform_(platform), shared_(shared), busy_(&busy) {
    setObjectName(QStringLiteral("frmGathraMain"));
    setWindowTitle(kTitle);
    buildWindow();
    shared_.poolStop = false;
    setRunning(false, false);
    connect(&driver_, &JobDriver::sliceDone, this, &PoolWindow::showProgress);
    connect(&driver_, &JobDriver::finished, this, &PoolWindow::endRun);
}

PoolWindow::~PoolWindow() {
    driver_.cancel();
    if (running() && busy_) busy_->end(kPoolRun);
}

void PoolWindow::showFor(const Game& game) {
    game_ = game;
    setWindowTitle(game.isLotto649() ? kTitle : kTitle + QStringLiteral(" - ") + qt(game.title()));
    // A pool holds more numbers than a ticket, so that it can be wheeled.
    fillCombo(cboPoolSize, game.perTicket() + 1, game.highest());
    fillCombo(cboBonusPoolSize, 1, std::max(game.bonusPool(), 1));
    cboBonusPoolSize->setVisible(game.hasBonusPool());
    bonusSizeLabel_->setVisible(game.hasBonusPool());
    txtOutput->clear();
    txtAction->clear();
    txtStatus->clear();
}

PoolWindowSettings PoolWindow::settings() const {
    PoolWindowSettings settings;
    settings.poolSize = cboPoolSize->currentText().toStdString();
    settings.style = optnVerbose->isChecked() ? 1 : 0;
    settings.draws = selectedDraws() - 1;
    settings.trendLength = cboTrendLength->currentText().toStdString();
    settings.bestGroups = cboBestGroups->currentText().toStdString();
    settings.saveToDisk = chkSaveToDisk->isChecked() ? 1 : 0;
    settings.sendToPrinter = chkSendToPrinter->isChecked() ? 1 : 0;
    return settings;
}

void PoolWindow::applySettings(const PoolWindowSettings& settings) {
    cboPoolSize->setCurrentText(qt(settings.poolSize));
    (settings.style == 1 ? optnVerbose : optnMinimum)->setChecked(true);
    selectDraws(settings.draws + 1);
    cboTrendLength->setCurrentText(qt(settings.trendLength));
    cboBestGroups->setCurrentText(qt(settings.bestGroups));
    chkSaveToDisk->setChecked(settings.saveToDisk != 0);
    chkSendToPrinter->setChecked(settings.sendToPrinter != 0);
}

int PoolWindow::selectedDraws() const {
    for (int k = 0; k < 5; ++k)
        if (drawOptions_[k]->isChecked()) return k + 1;
    return 1;
}

void PoolWindow::selectDraws(int draws) { drawOptions_[std::clamp(draws, 1, 5) - 1]->setChecked(true); }

void PoolWindow::choosePoolFile() {
    // The dialog keeps its previous name, so cancelling it after an earlier
    // choice takes that earlier name again.
    // Before any choice it starts at the pool file's path, so it opens in its folder.
    const QString start = dialogFileName_.isEmpty() ? QString::fromStdString(shared_.poolPath) : dialogFileName_;
    const QString name = platform_.fileDialog(FileDialogRequest{kPoolFilter, QStringLiteral(".GR"), start, 0, true});
    if (!name.isEmpty()) dialogFileName_ = name;
    if (dialogFileName_.isEmpty()) {
        shared_.poolPath = shared_.defaults.pool;
        return;
    }
    shared_.poolPath = dialogFileName_.toStdString();
    platform_.message(QStringLiteral("Output will be saved to ") + dialogFileName_,
                      QStringLiteral("Status of Operation"), NoticeIcon::Information);
}

void PoolWindow::cmdBegin_Click() {
    if (running()) return;
    parameters_.trendLength = poolComboValue(cboTrendLength->currentText().toStdString());
    parameters_.bestGroups = poolComboValue(cboBestGroups->currentText().toStdString());
    parameters_.poolSize = poolComboValue(cboPoolSize->currentText().toStdString());
    parameters_.followingDraws = selectedDraws();
    parameters_.bonusPoolSize =
        game_.hasBonusPool() ? poolComboValue(cboBonusPoolSize->currentText().toStdString()) : 0;
    trendText_ = cboTrendLength->currentText();
    groupsText_ = cboBestGroups->currentText();
    verbose_ = optnVerbose->isChecked();
    save_ = chkSaveToDisk->isChecked();
    print_ = chkSendToPrinter->isChecked();
    poolPath_ = shared_.poolPath;
    historyPath_ = shared_.historyPath;
    finished_ = false;
    shared_.poolStop = false;

    job_ = std::make_unique<PoolJob>(shared_.historyPath, parameters_,
                                     PoolRunTexts{trendText_.toStdString(), groupsText_.toStdString()}, game_);
    outputCleared_ = false;
    setRunning(true, false);
    if (busy_) busy_->begin(kPoolRun);
    driver_.start([this] { return runSlice(); });
}

void PoolWindow::mnuOptimize_Click() {
    if (running()) return;
    // The batch ranks every number of the game in the Minimum style, each pass a plain generation.
    cboPoolSize->setCurrentText(QString::number(game_.highest()));
    cboBonusPoolSize->setCurrentText(QString::number(std::max(game_.bonusPool(), 1)));
    optnMinimum->setChecked(true);
    groupsText_ = cboBestGroups->currentText();
    finished_ = false;
    shared_.poolStop = false;
    batch_ = std::make_unique<PoolBatchJob>(shared_.historyPath, poolComboValue(groupsText_.toStdString()),
                                            groupsText_.toStdString(), game_);
    outputCleared_ = false;
    setRunning(true, true);
    if (busy_) busy_->begin(kPoolRun);
    driver_.start([this] { return runSlice(); });
}

bool PoolWindow::runSlice() {
    // The uninstall preparation stops a run, as Stop does.
    if (shared_.poolStop) {
        if (job_) job_->stop();
        if (batch_) batch_->stop();
        return true;
    }
    if (job_) return job_->advance(kSliceBudget);
    return batch_->advance(kSliceBudget);
}

void PoolWindow::showProgress() {
    // The output box empties once the run has gone ahead; a refused run leaves it.
    const bool refused = (job_ && job_->failure()) || (batch_ && batch_->failure());
    if (!outputCleared_ && !refused && (job_ || batch_)) {
        txtOutput->clear();
        outputCleared_ = true;
    }
    if (batch_) {
        selectDraws(batch_->followingDraws());
        txtAction->setText(qt(batch_->action()));
        txtStatus->setPlainText(shownText(batch_->status()));
    } else if (job_) {
        txtAction->setText(qt(job_->action()));
        txtStatus->setPlainText(shownText(job_->status()));
    }
}

// The end of every run and batch, however it ended: the pool shown, the
// window and the main window's commands as they were, then the save and print
// steps of a finished run.
void PoolWindow::endRun() {
    showProgress();
    const std::unique_ptr<PoolJob> job = std::move(job_);
    const std::unique_ptr<PoolBatchJob> batch = std::move(batch_);
    std::optional<Notice> failure;
    const std::optional<PoolOutcome>* outcome = nullptr;
    if (job) {
        failure = job->failure();
        outcome = &job->outcome();
    } else if (batch) {
        failure = batch->failure();
        outcome = &batch->outcome();
    }
    if (outcome && *outcome) {
        showPool(**outcome, job && verbose_);
        finished_ = job != nullptr;
    } else if (!failure) {
        txtOutput->clear(); // stopped before it had a pool
    }
    shared_.poolStop = false;
    setRunning(false, batch != nullptr);
    if (busy_) busy_->end(kPoolRun);
    cmdBegin->setFocus();
    if (failure) {
        platform_.notify(*failure);
    } else if (job) {
        // The pool file holds a run's pool only when the user asks to save it.
        saveAndPrint();
    }
    emit runEnded();
}

void PoolWindow::showPool(const PoolOutcome& outcome, bool verbose) {
    std::string text;
    if (verbose) {
        const QDateTime when = platform_.now();
        const QLocale locale = QLocale::system();
        text = verbosePoolText(outcome.pool,
                               VerboseHeading{parameters_, trendText_.toStdString(), groupsText_.toStdString(),
                                              locale.toString(when.date(), QLocale::ShortFormat).toStdString(),
                                              locale.toString(when.time(), QLocale::ShortFormat).toStdString(), game_},
                               outcome.bonusPool);
    } else {
        text = minimumPoolText(outcome.pool, outcome.bonusPool);
    }
    txtOutput->setPlainText(shownText(text));
}

void PoolWindow::saveAndPrint() {
    if (!finished_) return;
    if (save_ && sameFile(poolPath_, historyPath_)) {
        platform_.message(QStringLiteral("The pool file ") + qt(poolPath_) +
                              QStringLiteral(" is the history file, which the pool would replace. The pool was not "
                                             "saved; choose another file with File > Save As..."),
                          kTitle, NoticeIcon::Exclamation);
    } else if (save_) {
        QString box = txtOutput->toPlainText();
        box.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        if (const std::optional<std::string> reason = writeFileAtomically(poolPath_, savedPoolText(box.toStdString())))
            platform_.message(QStringLiteral("The pool could not be saved to ") + qt(poolPath_) + QStringLiteral(" (") +
                                  qt(*reason) + QStringLiteral("). Choose another file with File > Save As..."),
                              kTitle, NoticeIcon::Exclamation);
    } else if (!sameFile(poolPath_, historyPath_)) {
        removeFile(poolPath_);
    }
    if (print_) {
        std::unique_ptr<PrintDocument> document = platform_.beginPrint({kTitle, fixedPitchFont(11), {}});
        if (!document) {
            platform_.message(QStringLiteral("The printer could not be opened, so the pool was not printed."),
                              QStringLiteral("Printing"), NoticeIcon::Exclamation);
            return;
        }
        printTextLines(*document, txtOutput->toPlainText());
        document->end();
    }
}

void PoolWindow::setRunning(bool running, bool batch) {
    cmdStop->setEnabled(running);
    for (QWidget* control :
         std::initializer_list<QWidget*>{cmdBegin, cmdExit, cmdClear, chkSaveToDisk, chkSendToPrinter, cboTrendLength,
                                         cboBestGroups, cboPoolSize, cboBonusPoolSize, optnVerbose, optnMinimum})
        control->setEnabled(!running);
    // A run keeps its draw option shown; a batch moves through all five.
    for (QRadioButton* option : drawOptions_) option->setEnabled(!running || (option->isChecked() && !batch));
    for (QMenu* menu : {mnuFile, mnoOpt, mnuHelp}) menu->menuAction()->setEnabled(!running);
}

void PoolWindow::cmdClear_Click() {
    txtOutput->clear();
    txtAction->clear();
    txtStatus->clear();
}

void PoolWindow::cmdStop_Click() { stopRun(); }

void PoolWindow::stopRun() {
    if (!running()) return;
    driver_.cancel();
    if (job_) job_->stop();
    if (batch_) batch_->stop();
    endRun();
}

void PoolWindow::cmdExit_Click() { close(); }

// Exit and the title bar alike: a running generation ends first, unsaved and
// unprinted, and the window is hidden, never destroyed.
void PoolWindow::closeEvent(QCloseEvent* event) {
    stopRun();
    hide();
    event->ignore();
    emit putAway();
}

} // namespace orvane
