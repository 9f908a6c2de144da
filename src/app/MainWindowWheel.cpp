// The wheel run of frmOrvaneMain: locking the window, starting the job,
// showing its progress between slices and restoring the window at the end.
#include "app/MainWindow.h"

#include "app/BonusPick.h"
#include "core/SetWalk.h"
#include "core/NumberText.h"
#include "platform/FixedFont.h"
#include "platform/JobDriver.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "wheel/FilterBoxes.h"
#include "wheel/GameRunPreparation.h"
#include "wheel/GameWheelStart.h"
#include "wheel/PrintedWheelOutput.h"
#include "wheel/WheelStart.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace orvane {

std::vector<int> MainWindow::selectedNumbers() const {
    std::vector<int> numbers;
    for (int index = 0; index < lstNumbers->count(); ++index)
        if (lstNumbers->item(index)->isSelected()) numbers.push_back(index + 1);
    return numbers;
}

void MainWindow::cmdWheel_Click() {
    if (wheelRunning()) return;
    if (!shared_.game.isLotto649()) {
        startGameRun();
        return;
    }
    WheelStartRequest request;
    request.controls = filters_->read();
    request.controls.enableRavelin = chkEnableRavelin->isChecked() ? 1 : 0;
    request.pick = selectedNumbers();
    // A box that cannot be read is named before anything is asked or changed.
    if (std::optional<Notice> problem = checkFilterBoxes(request.controls)) {
        platform_.notify(*problem);
        return;
    }
    if (!confirmLargePrintout(mostSetsOf(request))) return;

    lockForRun();
    request.historyPath = shared_.historyPath;
    request.openOutput = [this](int poolSize, Notice& failure) { return openOutput(poolSize, failure); };
    WheelStart start = startWheel(std::move(request));
    if (!showStart(start)) return;
    job_ = std::move(start.job);
    startClock();
}

void MainWindow::startGameRun() {
    const Game& game = shared_.game;
    GameWheelRequest request;
    request.game = game;
    request.controls = filters_->read();
    request.controls.enableRavelin = chkEnableRavelin->isChecked() ? 1 : 0;
    request.pick = selectedNumbers();
    request.pickedBonus = bonusPick_->picked();
    if (std::optional<Notice> problem = checkFilterBoxes(request.controls, game)) {
        platform_.notify(*problem);
        return;
    }
    // Every set of the pick with its exact values, once for each choice of bonus numbers.
    const int poolSize = static_cast<int>(gamePickWithExactValues(request.pick, request.controls, game).size());
    const std::uint64_t linesPerSet =
        request.pickedBonus.empty() ? 1 : bonusParts(request.pickedBonus, game.bonusDrawn()).size();
    if (!confirmLargePrintout(game.setsOfPick(poolSize) * linesPerSet)) return;

    lockForRun();
    request.historyPath = shared_.historyPath;
    request.openOutput = [this, poolSize](std::uint64_t mostBytes, Notice& failure) {
        return openGameOutput(poolSize, mostBytes, failure);
    };
    GameWheelStart start = startGameWheel(std::move(request));
    if (!showStart(start)) return;
    gameJob_ = std::move(start.job);
    startClock();
}

template <typename Start> bool MainWindow::showStart(Start& start) {
    // The exact positional values join the pick as if the user had selected them.
    for (int number : start.pick) lstNumbers->item(number - 1)->setSelected(true);
    filters_->showNormalised(start.normalised);
    for (const Notice& notice : start.notices) platform_.notify(notice);
    // A run refused (too few numbers, a history or output that fails) leaves the
    // previous run's figures rather than mixing them with zeros.
    if (start.job) {
        txtPassing->setText(QStringLiteral("0%"));
        txtSetsPassing->setText(QStringLiteral("0"));
        return true;
    }
    platform_.notify(*start.refusal);
    endRun();
    return false;
}

void MainWindow::startClock() {
    clockSeconds_ = clockMinutes_ = clockHours_ = 0;
    running_ = true;
    lblTimer->setText(QStringLiteral("00:00:00"));
    chkEnableRavelin->setEnabled(false);
    driver_.start([this] { return wheelSlice(); });
}

bool MainWindow::confirmLargePrintout(std::uint64_t mostLines) {
    if (!optnOutToPrinter->isChecked()) return true;
    const std::optional<Notice> question = largePrintQuestion(mostLines);
    return !question || platform_.message(qt(question->text), qt(question->title), question->icon,
                                          Platform::Buttons::YesNoDefaultNo) == Platform::Reply::Yes;
}

void MainWindow::cmdStopWheeling_Click() { wheelStop_ = true; }

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the window by its title bar during a run ends the run as Stop
    // would, so the output is closed whole and a failure to write it is shown.
    if (wheelRunning()) {
        driver_.cancel();
        endRun();
    }
    QMainWindow::closeEvent(event);
}

std::unique_ptr<WheelOutput> MainWindow::openOutput(int poolSize, Notice& failure) {
    const bool numbered = mnuRecordNumbers->isChecked();
    if (optnOutToFile->isChecked()) {
        if (auto refusal = outputOverwritesInput(shared_.wheelOutputPath, shared_.historyPath, shared_.settingsPath)) {
            failure = *refusal;
            return nullptr;
        }
        return FileWheelOutput::open(shared_.wheelOutputPath,
                                     optnAppend->isChecked() ? DiskMode::Append : DiskMode::Overwrite, numbered,
                                     failure);
    }
    if (optnOutToPrinter->isChecked()) return openPrintedOutput(poolSize, failure);
    return nullptr;
}

std::unique_ptr<WheelOutput> MainWindow::openGameOutput(int poolSize, std::uint64_t mostBytes, Notice& failure) {
    // Opened as a 6/49 run's output is, once the run's lines are known to fit on the disk.
    const std::string& path = shared_.wheelOutputPath;
    if (optnOutToFile->isChecked() && !outputOverwritesInput(path, shared_.historyPath, shared_.settingsPath)) {
        if (auto tooLarge = outputWouldNotFit(path, mostBytes)) {
            failure = *tooLarge;
            return nullptr;
        }
    }
    return openOutput(poolSize, failure);
}

std::unique_ptr<WheelOutput> MainWindow::openPrintedOutput(int poolSize, Notice& failure) {
    std::shared_ptr<PrintDocument> document =
        platform_.beginPrint({QStringLiteral("Orvane Wheeled Sets"), fixedPitchFont(12), {}});
    if (!document) {
        failure = Notice{"The printer could not be opened, so the wheel has not started. Check the printer, or "
                         "send the output to disk.",
                         "Printing", NoticeIcon::Exclamation};
        return nullptr;
    }
    // The window ends the document itself once the run has ended and the
    // window is restored, so that what the printer says is shown over the
    // final figures rather than in the middle of the run's last slice.
    printDocument_ = document;
    const QDateTime when = platform_.now();
    return std::make_unique<PrintedWheelOutput>(
        [document](const std::string& line) { document->printLine(QString::fromStdString(line)); }, nullptr, poolSize,
        mnuRecordNumbers->isChecked(), dateText(when).toStdString(), timeText(when).toStdString());
}

bool MainWindow::wheelSlice() {
    // A stop seen here leaves the set on display unfiltered and unrecorded.
    if (wheelStop_) {
        if (job_) job_->stop();
        if (gameJob_) gameJob_->stop();
        return true;
    }
    // The last-draw limits, the number groups and the exact values stay live.
    // While one of them cannot be read (emptied to type another number, say),
    // the run keeps the values last in force rather than reading it as 0.
    FilterControls live = filters_->read();
    if (gameJob_) {
        if (!checkFilterBoxes(live, shared_.game)) gameJob_->setLiveControls(live);
        return gameJob_->advance(kSliceBudget);
    }
    if (!checkFilterBoxes(live)) job_->setLiveControls(live);
    return job_->advance(kSliceBudget);
}

void MainWindow::showRunProgress() {
    if (gameJob_) {
        showGameRunProgress(*gameJob_);
        return;
    }
    if (!job_ || !job_->hasSet()) return;
    txtOutput->setText(qt(setDisplayText(job_->currentSet())));
    txtGenerated->setText(qt(formatCount(job_->generated())));
    txtSetsPassing->setText(qt(formatCount(job_->passing())));
    if (auto percent = passingPercent(job_->passing(), job_->generated()))
        txtPassing->setText(qt(percentText(*percent)));
}

void MainWindow::showGameRunProgress(const GameWheel& job) {
    // The run goes a block of sets at a time: the last set of the block it stands at.
    const std::vector<int> set = job.lastSetOfBlock();
    if (!set.empty()) txtOutput->setText(qt(numbersDisplayText(set)));
    txtGenerated->setText(qt(formatCount(job.generated())));
    txtSetsPassing->setText(qt(formatCount(job.passing())));
    if (auto percent = passingPercent(job.passing(), job.generated())) txtPassing->setText(qt(percentText(*percent)));
}

void MainWindow::lockForRun() {
    busy_.begin(kWheelRun);
    for (QRadioButton* option : {optnOutToFile, optnOutToPrinter, optnOutToNothing, optnOverwrite, optnAppend})
        if (!option->isChecked()) option->setEnabled(false);
    filters_->lockForRun();
    cmdWheel->setDefault(false);
    cmdStopWheeling->setDefault(true);
    cmdStopWheeling->setEnabled(true);
    wheelStop_ = false;
}

void MainWindow::endRun() {
    // The job has closed its output however it ended; say so when that failed.
    std::unique_ptr<WheelJob> job = std::move(job_);
    if (job) {
        job->stop();
        showRunProgress();
        if (auto percent = passingPercent(job->passing(), job->generated()))
            txtPassing->setText(qt(percentText(*percent)));
    }
    std::unique_ptr<GameWheel> gameJob = std::move(gameJob_);
    if (gameJob) {
        gameJob->stop();
        showGameRunProgress(*gameJob);
    }
    chkEnableRavelin->setEnabled(true);
    cmdStopWheeling->setDefault(false);
    cmdWheel->setDefault(true);
    running_ = false;
    filters_->restoreAfterRun();
    for (QRadioButton* option : {optnOutToFile, optnOutToPrinter, optnOutToNothing}) option->setEnabled(true);
    const bool toDisk = !optnOutToPrinter->isChecked() && !optnOutToNothing->isChecked();
    optnOverwrite->setEnabled(toDisk);
    optnAppend->setEnabled(toDisk);
    busy_.end(kWheelRun);
    cmdStopWheeling->setEnabled(false);
    wheelStop_ = false;
    if (job && job->failure()) platform_.notify(*job->failure());
    if (gameJob && gameJob->failure()) platform_.notify(*gameJob->failure());
    if (std::shared_ptr<PrintDocument> document = std::move(printDocument_)) document->end();
    emit wheelRunEnded();
}

} // namespace orvane
