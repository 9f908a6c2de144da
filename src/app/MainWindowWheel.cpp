// The wheel run of frmOrvaneMain: locking the window, starting the job,
// showing its progress between slices and restoring the window at the end.
#include "app/MainWindow.h"

#include "core/NumberText.h"
#include "platform/FixedFont.h"
#include "platform/JobDriver.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "wheel/FilterBoxes.h"
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
    for (int index = 0; index < 49; ++index)
        if (lstNumbers->item(index)->isSelected()) numbers.push_back(index + 1);
    return numbers;
}

void MainWindow::cmdWheel_Click() {
    if (job_) return;
    WheelStartRequest request;
    request.controls = filters_->read();
    request.controls.enableRavelin = chkEnableRavelin->isChecked() ? 1 : 0;
    request.pick = selectedNumbers();
    // A box that cannot be read is named before anything is asked or changed.
    if (std::optional<Notice> problem = checkFilterBoxes(request.controls)) {
        platform_.notify(*problem);
        return;
    }
    if (!confirmLargePrintout(request)) return;

    lockForRun();
    request.historyPath = shared_.historyPath;
    request.openOutput = [this](int poolSize, Notice& failure) { return openOutput(poolSize, failure); };
    WheelStart start = startWheel(std::move(request));

    // The exact positional values join the pick as if the user had selected them.
    for (int number : start.pick) lstNumbers->item(number - 1)->setSelected(true);
    filters_->showNormalised(start.normalised);
    for (const Notice& notice : start.notices) platform_.notify(notice);
    // A run refused (too few numbers, a history or output that fails) leaves the
    // previous run's figures rather than mixing them with zeros.
    if (start.job) {
        txtPassing->setText(QStringLiteral("0%"));
        txtSetsPassing->setText(QStringLiteral("0"));
    }
    if (!start.job) {
        platform_.notify(*start.refusal);
        endRun();
        return;
    }

    clockSeconds_ = clockMinutes_ = clockHours_ = 0;
    running_ = true;
    lblTimer->setText(QStringLiteral("00:00:00"));
    chkEnableRavelin->setEnabled(false);
    job_ = std::move(start.job);
    driver_.start([this] { return wheelSlice(); });
}

bool MainWindow::confirmLargePrintout(const WheelStartRequest& request) {
    if (!optnOutToPrinter->isChecked()) return true;
    const std::optional<Notice> question = largePrintQuestion(mostSetsOf(request));
    return !question || platform_.message(qt(question->text), qt(question->title), question->icon,
                                          Platform::Buttons::YesNoDefaultNo) == Platform::Reply::Yes;
}

void MainWindow::cmdStopWheeling_Click() { wheelStop_ = true; }

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the window by its title bar during a run ends the run as Stop
    // would, so the output is closed whole and a failure to write it is shown.
    if (job_) {
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
    if (optnOutToPrinter->isChecked()) {
        std::shared_ptr<PrintDocument> document = platform_.beginPrint({QStringLiteral("Orvane Wheeled Sets"), fixedPitchFont(12), {}});
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
            [document](const std::string& line) { document->printLine(QString::fromStdString(line)); }, nullptr,
            poolSize, numbered, dateText(when).toStdString(), timeText(when).toStdString());
    }
    return nullptr;
}

bool MainWindow::wheelSlice() {
    // A stop seen here leaves the set on display unfiltered and unrecorded.
    if (wheelStop_) {
        job_->stop();
        return true;
    }
    // The last-draw limits, the number groups and the exact values stay live.
    // While one of them cannot be read (emptied to type another number, say),
    // the run keeps the values last in force rather than reading it as 0.
    FilterControls live = filters_->read();
    if (!checkFilterBoxes(live)) job_->setLiveControls(live);
    return job_->advance(kSliceBudget);
}

void MainWindow::showRunProgress() {
    if (!job_ || !job_->hasSet()) return;
    txtOutput->setText(qt(setDisplayText(job_->currentSet())));
    txtGenerated->setText(qt(formatCount(job_->generated())));
    txtSetsPassing->setText(qt(formatCount(job_->passing())));
    if (auto percent = passingPercent(job_->passing(), job_->generated())) txtPassing->setText(qt(percentText(*percent)));
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
    if (std::shared_ptr<PrintDocument> document = std::move(printDocument_)) document->end();
    emit wheelRunEnded();
}

} // namespace orvane
