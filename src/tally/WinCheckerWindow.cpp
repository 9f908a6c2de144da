#include "tally/WinCheckerWindow.h"

#include "platform/EnterPressesDefault.h"
#include "platform/EscapeCloses.h"
#include "platform/JobDriver.h"
#include "platform/FixedFont.h"
#include "platform/QtText.h"

#include "core/NumberText.h"
#include "platform/Platform.h"
#include "tally/WinTally.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

namespace orvane {

namespace {
// A slice of this length repaints the set and the tallies about sixty times a
// second and lets Done take effect within a blink.

// The busy state's name for a wheel run, which writes the file a check reads.

constexpr int kTallyLength = 9;

// A tally as shown: plain digits, and an empty box while it is zero.
QString tallyText(std::uint64_t tally) { return tally == 0 ? QString() : QString::number(tally); }

// Wide enough for `characters` of the box's font, with the box's own frame and margins.
int boxWidthFor(QLineEdit* box, int characters) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QMargins margins = box->textMargins();
    const QSize text(box->fontMetrics().horizontalAdvance(QString(characters, QLatin1Char('0'))) + margins.left() +
                         margins.right() + 4, // the line edit's own horizontal margin, two pixels a side
                     box->fontMetrics().height());
    return box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, box).width();
}
} // namespace

WinCheckerWindow::WinCheckerWindow(Platform& platform, SharedSettings& shared, BusyState& busy, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), shared_(shared), busy_(&busy) {
    setObjectName(QStringLiteral("frmVNTallorMain"));
    setWindowTitle(QStringLiteral("VN-Tallor"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Escape acts as Done, as in the program's other small windows.
    new EscapeCloses(this);
    buildLayout();
    lblChecking->clear();
    connect(&driver_, &JobDriver::sliceDone, this, &WinCheckerWindow::showProgress);
    connect(&driver_, &JobDriver::finished, this, &WinCheckerWindow::endCheck);
}

WinCheckerWindow::~WinCheckerWindow() { abandonCheck(); }

void WinCheckerWindow::buildLayout() {
    auto* layout = new QVBoxLayout(this);

    lblInstructions = new QLabel(
        QStringLiteral("Enter the set of winning numbers you want to check the results in the output file against."),
        this);
    lblInstructions->setObjectName(QStringLiteral("lblInstructions"));
    lblInstructions->setWordWrap(true);
    layout->addWidget(lblInstructions);

    auto* numbers = new QGridLayout;
    static const char* const kLetters[6] = {"A", "B", "C", "D", "E", "F"};
    for (int k = 0; k < 6; ++k) {
        const QString letter = QLatin1String(kLetters[k]);
        headings_[k] = new QLabel(letter + letter, this);
        headings_[k]->setObjectName(QStringLiteral("lbl") + letter + letter);
        headings_[k]->setAlignment(Qt::AlignCenter);
        winning_[k] = new QLineEdit(this);
        winning_[k]->setObjectName(QStringLiteral("txtPos") + letter);
        winning_[k]->setMaxLength(2);
        winning_[k]->setAlignment(Qt::AlignCenter);
        winning_[k]->setFixedWidth(boxWidthFor(winning_[k], 3));
        numbers->addWidget(headings_[k], 0, k);
        numbers->addWidget(winning_[k], 1, k);
    }
    layout->addLayout(numbers);

    auto* buttons = new QHBoxLayout;
    cmdCheck = new QPushButton(QStringLiteral("Check"), this);
    cmdCheck->setObjectName(QStringLiteral("cmdCheck"));
    // Enter in a winning-number box starts the check.
    cmdCheck->setDefault(true);
    new EnterPressesDefault(this);
    cmdClear = new QPushButton(QStringLiteral("Clear"), this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdExit = new QPushButton(QStringLiteral("Done"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    for (QPushButton* button : {cmdCheck, cmdClear, cmdExit}) buttons->addWidget(button);
    layout->addLayout(buttons);
    connect(cmdCheck, &QPushButton::clicked, this, &WinCheckerWindow::cmdCheck_Click);
    connect(cmdClear, &QPushButton::clicked, this, &WinCheckerWindow::cmdClear_Click);
    connect(cmdExit, &QPushButton::clicked, this, &WinCheckerWindow::cmdExit_Click);

    auto* testing = new QHBoxLayout;
    lblTestingSet = new QLabel(QStringLiteral("Set Being Checked:"), this);
    lblTestingSet->setObjectName(QStringLiteral("lblTestingSet"));
    lblChecking = new QLabel(QStringLiteral("01 02 03 04 05 06"), this);
    lblChecking->setObjectName(QStringLiteral("lblChecking"));
    const QFont fixed = fixedPitchFont(font().pointSize());
    lblChecking->setFont(fixed);
    // Room for a whole set, so the line does not move as the sets change.
    lblChecking->setMinimumWidth(lblChecking->fontMetrics().horizontalAdvance(QStringLiteral("00 00 00 00 00 00")));
    testing->addWidget(lblTestingSet);
    testing->addWidget(lblChecking, 1);
    layout->addLayout(testing);

    auto* tallies = new QGridLayout;
    static const char* const kCaptions[7] = {"sets hit 0 of 6.",   "sets hit 1 of 6.",  "sets hit 2 of 6.",
                                             "sets hit 3 of 6!",   "sets hit 4 of 6!!", "sets hit 5 of 6!!!",
                                             "sets hit 6 of 6!!!!"};
    for (int hits = 0; hits < 7; ++hits) {
        const QString name = QString::number(hits) + QStringLiteral("of6");
        tallies_[hits] = new QLineEdit(this);
        tallies_[hits]->setObjectName(QStringLiteral("txt") + name);
        tallies_[hits]->setMaxLength(kTallyLength);
        tallies_[hits]->setReadOnly(true);
        tallies_[hits]->setFocusPolicy(Qt::NoFocus);
        tallies_[hits]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        tallies_[hits]->setFont(fixed);
        tallies_[hits]->setFixedWidth(boxWidthFor(tallies_[hits], kTallyLength));
        tallyLabels_[hits] = new QLabel(QLatin1String(kCaptions[hits]), this);
        tallyLabels_[hits]->setObjectName(QStringLiteral("lbl") + name);
        tallies->addWidget(tallies_[hits], hits, 0);
        tallies->addWidget(tallyLabels_[hits], hits, 1);
    }
    tallies->setColumnStretch(1, 1);
    layout->addLayout(tallies);
    layout->addStretch(1);
}

void WinCheckerWindow::cmdCheck_Click() {
    if (job_) return;
    // The tallies belong to one check: a check that cannot run leaves none of
    // an earlier one's figures standing beside the numbers now typed.
    for (QLineEdit* box : tallies_) box->clear();
    if (busy_ && busy_->running(kWheelRunOperation)) {
        platform_.message(QStringLiteral("A wheel run is writing the output file. Wait for the run to end, then "
                                         "check the file."),
                          QStringLiteral("VN-Tallor"), NoticeIcon::Information);
        return;
    }
    // Each box shows the value it is read as: "05" becomes "5", an empty box "0".
    std::array<long long, 6> values{};
    for (int k = 0; k < 6; ++k) {
        values[k] = winningNumberValue(winning_[k]->text().toStdString());
        winning_[k]->setText(QString::number(values[k]));
    }
    const WinningNumbers winning = checkWinningNumbers(values);
    if (!winning.ok()) {
        platform_.notify(winningBoxNotice(*winning.fault, values));
        // The numbers stay as read, to correct the one at fault.
        QLineEdit* atFault = winning_[winning.fault->index];
        atFault->setFocus();
        atFault->selectAll();
        return;
    }

    auto job = std::make_unique<WinTallyJob>(shared_.wheelOutputPath, winning.mask);
    if (job->ended()) {
        if (job->failure()) platform_.notify(*job->failure());
        return;
    }
    job_ = std::move(job);
    setIdle(false);
    if (busy_) busy_->begin(kWinCheck);
    driver_.start([this] { return checkSlice(); });
}

void WinCheckerWindow::cmdClear_Click() {
    for (QLineEdit* box : winning_) box->clear();
    for (QLineEdit* box : tallies_) box->clear();
}

void WinCheckerWindow::cmdExit_Click() { close(); }

bool WinCheckerWindow::checkSlice() { return job_->advance(kSliceBudget); }

void WinCheckerWindow::showProgress() {
    if (!job_) return;
    if (job_->hasSet()) lblChecking->setText(qt(setDisplayText(job_->currentSet())));
    const WinTallies& tallies = job_->tallies();
    for (int hits = 0; hits < 7; ++hits) tallies_[hits]->setText(tallyText(tallies[hits]));
}

void WinCheckerWindow::endCheck() {
    showProgress();
    const std::unique_ptr<WinTallyJob> job = std::move(job_);
    setIdle(true);
    if (busy_) busy_->end(kWinCheck);
    if (job && job->failure()) platform_.notify(*job->failure());
    emit checkEnded();
}

void WinCheckerWindow::abandonCheck() {
    if (!job_) return;
    driver_.cancel();
    job_->stop();
    job_.reset();
    setIdle(true);
    if (busy_) busy_->end(kWinCheck);
}

void WinCheckerWindow::setIdle(bool idle) {
    cmdCheck->setEnabled(idle);
    cmdClear->setEnabled(idle);
    for (QLineEdit* box : winning_) box->setEnabled(idle);
}

// Done and the title bar alike: a running check ends here, its file closed,
// before the window is closed and, later, deleted.
void WinCheckerWindow::closeEvent(QCloseEvent* event) {
    abandonCheck();
    QWidget::closeEvent(event);
}

} // namespace orvane
