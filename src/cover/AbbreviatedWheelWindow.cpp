#include "cover/AbbreviatedWheelWindow.h"

#include "core/NumberText.h"
#include "cover/CoverJob.h"
#include "cover/CoverList.h"
#include "platform/BusyState.h"
#include "platform/ButtonRow.h"
#include "platform/EnterPressesDefault.h"
#include "platform/EscapeCloses.h"
#include "platform/FixedFont.h"
#include "platform/JobDriver.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "wheel/GameWheelStart.h"
#include "wheel/WheelOutput.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <filesystem>

namespace orvane {

namespace {
const QString kCoverTitle = QStringLiteral("Abbreviated Wheel");
// The operations that write or read the wheel output file.
const QStringList kOutputUsers = {QStringLiteral("wheel run"), QStringLiteral("win check"),
                                  QStringLiteral("report run")};

QSpinBox* spinBox(QWidget* parent, const char* name, int low, int high, int value) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}
} // namespace

AbbreviatedWheelWindow::AbbreviatedWheelWindow(Platform& platform, SharedSettings& shared, BusyState* busy,
                                               StartSource source, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), shared_(shared), busy_(busy), source_(std::move(source)) {
    setObjectName(QStringLiteral("frmAbbreviatedWheel"));
    setWindowTitle(kCoverTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout();
    setRunning(false);
    connect(&driver_, &JobDriver::sliceDone, this, &AbbreviatedWheelWindow::showProgress);
    connect(&driver_, &JobDriver::finished, this, &AbbreviatedWheelWindow::endRun);
}

AbbreviatedWheelWindow::~AbbreviatedWheelWindow() { driver_.cancel(); }

void AbbreviatedWheelWindow::buildLayout() {
    auto* layout = new QVBoxLayout(this);
    lblPool = new QLabel(this);
    lblPool->setObjectName(QStringLiteral("lblPool"));
    lblPool->setWordWrap(true);
    layout->addWidget(lblPool);
    auto* options = new QGridLayout;
    options->addWidget(new QLabel(QStringLiteral("Guarantee: match"), this), 0, 0);
    const int k = shared_.game.perTicket();
    spnMatch = spinBox(this, "spnMatch", 2, k, 3);
    options->addWidget(spnMatch, 0, 1);
    options->addWidget(new QLabel(QStringLiteral("if drawn"), this), 0, 2);
    spnDrawn = spinBox(this, "spnDrawn", 2, k, 3);
    options->addWidget(spnDrawn, 0, 3);
    options->addWidget(new QLabel(QStringLiteral("Search for"), this), 1, 0);
    spnSeconds = spinBox(this, "spnSeconds", 1, 3600, 10);
    spnSeconds->setSuffix(QStringLiteral(" s"));
    options->addWidget(spnSeconds, 1, 1);
    options->addWidget(new QLabel(QStringLiteral("Seed"), this), 1, 2);
    spnSeed = spinBox(this, "spnSeed", 0, 999'999'999, 1);
    options->addWidget(spnSeed, 1, 3);
    options->setColumnStretch(4, 1);
    spnMatch->setToolTip(QStringLiteral("Some ticket holds this many of the drawn numbers..."));
    spnDrawn->setToolTip(QStringLiteral("...whenever this many of the drawn numbers are in your pool."));
    // t can never exceed m: moving one past the other carries it along.
    connect(spnMatch, &QSpinBox::valueChanged, this, [this](int match) {
        if (spnDrawn->value() < match) spnDrawn->setValue(match);
    });
    connect(spnDrawn, &QSpinBox::valueChanged, this, [this](int drawn) {
        if (spnMatch->value() > drawn) spnMatch->setValue(drawn);
    });
    layout->addLayout(options);

    auto* buttons = new QHBoxLayout;
    cmdBegin = addNamedButton(this, buttons, "cmdBegin", QStringLiteral("Begin"));
    cmdStop = addNamedButton(this, buttons, "cmdStop", QStringLiteral("Stop"));
    cmdWrite = addNamedButton(this, buttons, "cmdWrite", QStringLiteral("Write to Output File"));
    cmdPrint = addNamedButton(this, buttons, "cmdPrint", QStringLiteral("Print"));
    cmdDone = addNamedButton(this, buttons, "cmdDone", QStringLiteral("Done"));
    buttons->addStretch(1);
    cmdBegin->setDefault(true);
    new EnterPressesDefault(this);
    layout->addLayout(buttons);

    prgTime = new QProgressBar(this);
    prgTime->setObjectName(QStringLiteral("prgTime"));
    prgTime->setRange(0, 1000);
    prgTime->setFormat(QStringLiteral("Time used: %p%"));
    layout->addWidget(prgTime);
    lblBest = new QLabel(this);
    lblBest->setObjectName(QStringLiteral("lblBest"));
    lblWorking = new QLabel(this);
    lblWorking->setObjectName(QStringLiteral("lblWorking"));
    lblResult = new QLabel(this);
    lblResult->setObjectName(QStringLiteral("lblResult"));
    QFont bold = lblResult->font();
    bold.setBold(true);
    lblResult->setFont(bold);
    for (QLabel* label : {lblBest, lblWorking, lblResult}) {
        label->setWordWrap(true);
        layout->addWidget(label);
    }

    txtTickets = new QPlainTextEdit(this);
    txtTickets->setObjectName(QStringLiteral("txtTickets"));
    txtTickets->setReadOnly(true);
    txtTickets->setFont(fixedPitchFont(font().pointSize()));
    txtTickets->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(txtTickets, 1);
    resize(560, 520);

    new EscapeCloses(this);
    connect(cmdBegin, &QPushButton::clicked, this, &AbbreviatedWheelWindow::cmdBegin_Click);
    connect(cmdStop, &QPushButton::clicked, this, &AbbreviatedWheelWindow::cmdStop_Click);
    connect(cmdWrite, &QPushButton::clicked, this, [this] { writeTickets(); });
    connect(cmdPrint, &QPushButton::clicked, this, &AbbreviatedWheelWindow::cmdPrint_Click);
    connect(cmdDone, &QPushButton::clicked, this, &QWidget::close);
}

// A list needs a pool of at least one number more than a ticket.
int AbbreviatedWheelWindow::fewestPool() const { return shared_.game.perTicket() + 1; }

// The pool the next Begin takes, as the main window stands now.
void AbbreviatedWheelWindow::showEvent(QShowEvent* event) {
    showPool();
    QWidget::showEvent(event);
}

void AbbreviatedWheelWindow::showPool() {
    const Start start = source_();
    QStringList numbers;
    for (int number : start.pool) numbers << QString::number(number);
    QString text =
        static_cast<int>(numbers.size()) < fewestPool()
            ? QStringLiteral("Select %1 or more numbers on the main window, then press Begin.").arg(fewestPool())
            : QStringLiteral("Pool: %1 numbers selected on the main window: %2")
                  .arg(numbers.size())
                  .arg(numbers.join(QLatin1Char(' ')));
    if (!start.bonus.empty()) {
        QStringList bonus;
        for (int number : start.bonus) bonus << QString::number(number);
        text += QStringLiteral("\nBonus numbers, taken in turn: ") + bonus.join(QLatin1Char(' '));
    }
    lblPool->setText(text);
}

void AbbreviatedWheelWindow::cmdBegin_Click() {
    if (job_) return;
    const Start start = source_();
    showPool();
    if (static_cast<int>(start.pool.size()) < fewestPool()) {
        platform_.message(QStringLiteral("There are not enough numbers selected for this operation.  Select %1 or more "
                                         "numbers, and then try again.")
                              .arg(fewestPool()),
                          QStringLiteral("Unable to Complete Operation"), NoticeIcon::Exclamation);
        return;
    }
    if (!start.bonus.empty()) {
        if (std::optional<Notice> problem = bonusPickProblem(shared_.game, start.bonus)) {
            platform_.notify(*problem);
            return;
        }
    }
    CoverRequest request;
    request.pool = start.pool;
    request.highest = shared_.game.highest();
    request.guarantee = Guarantee{spnMatch->value(), spnDrawn->value(), shared_.game.perTicket()};
    request.timeBudget = std::chrono::seconds(spnSeconds->value());
    request.seed = static_cast<std::uint64_t>(spnSeed->value());
    auto job = std::make_unique<CoverJob>(request);
    if (job->failure()) {
        platform_.notify(*job->failure());
        return;
    }
    start_ = start;
    guarantee_ = request.guarantee;
    job_ = std::move(job);
    tickets_.clear();
    txtTickets->clear();
    lblResult->clear();
    prgTime->setValue(0);
    setRunning(true);
    showProgress();
    driver_.start([this] { return job_->advance(kSliceBudget); });
}

void AbbreviatedWheelWindow::showProgress() {
    if (!job_) return;
    const CoverProgress p = job_->progress();
    const auto budget = job_->request().timeBudget.count();
    prgTime->setValue(
        static_cast<int>(std::min<long long>(1000, p.elapsed.count() * 1000 / std::max<long long>(budget, 1))));
    lblBest->setText(p.bestTickets ? QStringLiteral("Shortest list proved: %1 tickets").arg(p.bestTickets)
                                   : QStringLiteral("Shortest list proved: none yet"));
    const QString elapsed = QString::number(static_cast<double>(p.elapsed.count()) / 1000.0, 'f', 1);
    if (p.constructing) {
        lblWorking->setText(QStringLiteral("Putting a list together from known designs; %1 s elapsed").arg(elapsed));
        return;
    }
    lblWorking->setText(QStringLiteral("Working on %1 tickets, %2 %3 uncovered; %4 s elapsed")
                            .arg(p.workingTickets)
                            .arg(qt(formatCount(p.uncovered)))
                            .arg(p.uncovered == 1 ? QStringLiteral("subset") : QStringLiteral("subsets"))
                            .arg(elapsed));
}

void AbbreviatedWheelWindow::cmdStop_Click() {
    if (!job_) return;
    driver_.cancel();
    job_->stop();
    endRun();
}

// The end of a search, finished or stopped: the best proved list is shown.
// The output file is left alone until Write to Output File is pressed.
void AbbreviatedWheelWindow::endRun() {
    const std::unique_ptr<CoverJob> job = std::move(job_);
    if (!job) return;
    tickets_ = job->ticketLists();
    prgTime->setValue(job->stopped() ? prgTime->value() : 1000);
    setRunning(false);
    if (tickets_.empty()) {
        lblResult->setText(QStringLiteral("Stopped before any list was proved."));
    } else {
        lblResult->setText(qt(coverResultText(tickets_.size(), guarantee_)) +
                           QStringLiteral("; Write to Output File writes it to ") + qt(shared_.wheelOutputPath));
        txtTickets->setPlainText(
            shownText(coverListText(job->request().pool, guarantee_, tickets_, shared_.game, start_.bonus)));
    }
    emit runEnded();
}

// Writes the list to the wheel output file, unless a run writing or reading
// that file is under way: the list is kept, and Write to Output File writes it later.
// An output file that would be overwritten is replaced only when the user says so.
bool AbbreviatedWheelWindow::writeTickets() {
    if (tickets_.empty()) return false;
    for (const QString& user : kOutputUsers)
        if (busy_ && busy_->running(user)) {
            platform_.message(QStringLiteral("The output file is in use by a %1, so the tickets were not written. Once "
                                             "it ends, press Write to Output File.")
                                  .arg(user),
                              kCoverTitle, NoticeIcon::Information);
            return false;
        }
    const std::string& path = shared_.wheelOutputPath;
    Notice failure;
    if (std::optional<Notice> refusal = outputOverwritesInput(path, shared_.historyPath, shared_.settingsPath)) {
        platform_.notify(*refusal);
        return false;
    }
    // The main window's output options as they stand when the list is written.
    const Start options = source_();
    std::error_code absent;
    const auto size = std::filesystem::file_size(path, absent);
    if (!options.append && !absent && size > 0 &&
        platform_.message(QStringLiteral("%1 already holds sets, and the main window's output option is Overwrite. "
                                         "Replace them with these %2 tickets?  (Choose Append on the main window to "
                                         "add the tickets after them.)")
                              .arg(qt(path))
                              .arg(tickets_.size()),
                          kCoverTitle, NoticeIcon::Question, Platform::Buttons::YesNoDefaultNo) != Platform::Reply::Yes)
        return false;
    std::unique_ptr<FileWheelOutput> output =
        FileWheelOutput::open(path, options.append ? DiskMode::Append : DiskMode::Overwrite, options.numbered, failure);
    if (!output || !writeCoverList(tickets_, shared_.game, start_.bonus, *output, failure)) {
        platform_.notify(failure);
        return false;
    }
    lblResult->setText(qt(coverResultText(tickets_.size(), guarantee_)) + QStringLiteral("; written to ") + qt(path));
    return true;
}

void AbbreviatedWheelWindow::cmdPrint_Click() {
    if (tickets_.empty()) return;
    std::unique_ptr<PrintDocument> document = platform_.beginPrint({kCoverTitle, fixedPitchFont(10), {}});
    if (!document) {
        platform_.message(QStringLiteral("The printer could not be opened, so the tickets were not printed."),
                          QStringLiteral("Printing"), NoticeIcon::Exclamation);
        return;
    }
    printTextLines(*document, shownText(coverListText(start_.pool, guarantee_, tickets_, shared_.game, start_.bonus)));
    document->end();
}

void AbbreviatedWheelWindow::setRunning(bool running) {
    cmdStop->setEnabled(running);
    // Enter presses Begin while idle and Stop during a search.
    cmdBegin->setDefault(!running);
    cmdStop->setDefault(running);
    for (QWidget* control : std::initializer_list<QWidget*>{cmdBegin, spnMatch, spnDrawn, spnSeconds, spnSeed})
        control->setEnabled(!running);
    cmdWrite->setEnabled(!running && !tickets_.empty());
    cmdPrint->setEnabled(!running && !tickets_.empty());
    if (running)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

// Done, Escape and the title bar alike: a running search stops first.
void AbbreviatedWheelWindow::closeEvent(QCloseEvent* event) {
    cmdStop_Click();
    QWidget::closeEvent(event);
}

} // namespace orvane
