#include "tally/OddsWindow.h"

#include "platform/ButtonRow.h"
#include "platform/EnterPressesDefault.h"
#include "platform/EscapeCloses.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "tally/Coverage.h"
#include "tally/OddsReport.h"
#include "tally/RunButtons.h"
#include "tally/TicketFileRow.h"
#include "tally/TicketTable.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace orvane {

namespace {
const QString kOddsTitle = QStringLiteral("Odds and Coverage");
// Beside the page: a vertical scroll bar's width; above the window: its title bar.
constexpr int kScrollBarRoom = 24;
constexpr int kTitleBarRoom = 40;
} // namespace

OddsWindow::OddsWindow(Platform& platform, const SharedSettings& shared, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), game_(shared.game) {
    setObjectName(QStringLiteral("frmOdds"));
    setWindowTitle(kOddsTitle + QStringLiteral(" - ") + qt(game_.title()));
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout(qt(shared.wheelOutputPath));
    showTierOdds();
    // The empty tables as wide as the odds: their figures are as long.
    grdCoverage->setMinimumWidth(grdOdds->minimumWidth() + 80);
    grdGuarantee->setMinimumWidth(grdOdds->minimumWidth() + 80);
    growToPage();
    setCounting(false);
    connect(&driver_, &JobDriver::sliceDone, this, &OddsWindow::showProgress);
    connect(&driver_, &JobDriver::finished, this, &OddsWindow::endCount);
}

OddsWindow::~OddsWindow() { driver_.cancel(); }

void OddsWindow::buildLayout(const QString& ticketPath) {
    // The tables of a game of many tiers are taller than some screens: they scroll as one page.
    auto* outer = new QVBoxLayout(this);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrOdds"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget(scroll);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    lblOdds = new QLabel(this);
    lblOdds->setObjectName(QStringLiteral("lblOdds"));
    lblOdds->setWordWrap(true);
    layout->addWidget(lblOdds);
    grdOdds =
        readOnlyTable(this, "grdOdds", {QStringLiteral("Tier"), QStringLiteral("Draws won"), QStringLiteral("Odds")});
    layout->addWidget(grdOdds);
    const int tiers = static_cast<int>(game_.tiers().size());
    fitTableToRows(grdOdds, tiers + 1);

    ticketFile_ = new TicketFileRow(platform_, ticketPath, this);
    layout->addWidget(ticketFile_);
    auto* buttons = new QHBoxLayout;
    cmdCount = addNamedButton(this, buttons, "cmdCount", QStringLiteral("&Count Coverage"));
    cmdStop = addNamedButton(this, buttons, "cmdStop", QStringLiteral("&Stop"));
    cmdDone = addNamedButton(this, buttons, "cmdDone", QStringLiteral("&Done"));
    buttons->addStretch(1);
    layout->addLayout(buttons);
    prgCount = new QProgressBar(this);
    prgCount->setObjectName(QStringLiteral("prgCount"));
    prgCount->setRange(0, 1000);
    prgCount->setValue(0);
    layout->addWidget(prgCount);

    lblCoverage = new QLabel(QStringLiteral("Choose a ticket file and press Count Coverage to count, over every "
                                            "possible draw, the share in which the file wins each tier or better."),
                             this);
    lblCoverage->setObjectName(QStringLiteral("lblCoverage"));
    lblCoverage->setWordWrap(true);
    layout->addWidget(lblCoverage);
    grdCoverage = readOnlyTable(
        this, "grdCoverage",
        {QStringLiteral("Tier"), QStringLiteral("Draws won"), QStringLiteral("Share"), QStringLiteral("Odds")});
    layout->addWidget(grdCoverage);
    fitTableToRows(grdCoverage, tiers + 1);
    lblGuarantee = new QLabel(this);
    lblGuarantee->setObjectName(QStringLiteral("lblGuarantee"));
    lblGuarantee->setWordWrap(true);
    layout->addWidget(lblGuarantee);
    grdGuarantee = readOnlyTable(this, "grdGuarantee",
                                 {QStringLiteral("Drawn in the pool"), QStringLiteral("Least best match"),
                                  QStringLiteral("Typical best match")});
    layout->addWidget(grdGuarantee);
    fitTableToRows(grdGuarantee, std::max(1, game_.perTicket() - 1));
    auto* honest = new QLabel(QStringLiteral("No choice of numbers changes the odds of a ticket: a file covers "
                                             "more draws only by holding more lines."),
                              this);
    honest->setObjectName(QStringLiteral("lblHonest"));
    honest->setWordWrap(true);
    layout->addWidget(honest);

    cmdCount->setDefault(true);
    new EnterPressesDefault(this);
    new EscapeCloses(this);
    connect(cmdCount, &QPushButton::clicked, this, &OddsWindow::cmdCount_Click);
    connect(cmdStop, &QPushButton::clicked, this, &OddsWindow::cmdStop_Click);
    connect(cmdDone, &QPushButton::clicked, this, &QWidget::close);
    layout->addStretch(1);
    scroll->setWidget(page);
    outer->addWidget(scroll);
    page_ = page;
}

// The page whole where the screen has room for it, else as much as fits; the
// rest scrolls. The window only grows: a size the user chose is kept.
void OddsWindow::growToPage() {
    const QMargins margins = layout()->contentsMargins();
    // The tables' widths were set after the page was laid out: lay it out again first.
    page_->layout()->invalidate();
    page_->layout()->activate();
    const QSize wanted = page_->layout()->totalMinimumSize().expandedTo(page_->layout()->totalSizeHint()) +
                         QSize(margins.left() + margins.right() + kScrollBarRoom, margins.top() + margins.bottom());
    const QRect room = screen() ? screen()->availableGeometry() : QRect(QPoint(0, 0), wanted);
    resize(std::max(width(), std::min(wanted.width(), room.width())),
           std::max(height(), std::min(wanted.height(), room.height() - kTitleBarRoom)));
}

void OddsWindow::showTierOdds() {
    lblOdds->setText(
        QStringLiteral("The odds of one ticket of %1 in a draw, for each prize tier:").arg(qt(game_.title())));
    std::vector<QStringList> rows;
    for (const OddsRow& row : tierOddsRows(game_)) rows.push_back({qt(row.tier), qt(row.ways), qt(row.oneIn)});
    fillTable(grdOdds, rows);
}

void OddsWindow::cmdCount_Click() {
    if (job_) return;
    std::optional<TicketFileRead> read = ticketFile_->readTickets(game_, kOddsTitle, QStringLiteral("Count Coverage"));
    if (!read) return;
    const QString path = ticketFile_->path();
    if (const std::optional<std::string> why = CoverageJob::refusal(game_, read->lines.size())) {
        platform_.message(QStringLiteral("The coverage of %1 cannot be counted: %2.").arg(path, qt(*why)), kOddsTitle,
                          NoticeIcon::Exclamation);
        return;
    }
    countedFile_ = path;
    countedLines_ = read->lines.size();
    job_ = std::make_unique<CoverageJob>(game_, std::move(read->lines));
    fillTable(grdCoverage, {});
    fillTable(grdGuarantee, {});
    lblGuarantee->clear();
    prgCount->setValue(0);
    setCounting(true);
    showProgress();
    driver_.start([this] { return job_->advance(kSliceBudget); });
}

void OddsWindow::showProgress() {
    if (!job_) return;
    prgCount->setValue(static_cast<int>(job_->progress() * 1000));
    lblCoverage->setText(
        QStringLiteral("Counting %1 (%2 lines) over every possible draw...").arg(countedFile_).arg(countedLines_));
}

void OddsWindow::cmdStop_Click() {
    if (!job_) return;
    driver_.cancel();
    job_->stop();
    endCount();
}

void OddsWindow::endCount() {
    const std::unique_ptr<CoverageJob> job = std::move(job_);
    if (!job) return;
    setCounting(false);
    if (job->stopped()) {
        lblCoverage->setText(QStringLiteral("Stopped before every draw was counted, so no coverage is shown."));
        emit countEnded();
        return;
    }
    prgCount->setValue(1000);
    lblCoverage->setText(QStringLiteral("Coverage of %1 (%2 %3) over every possible draw:")
                             .arg(countedFile_)
                             .arg(countedLines_)
                             .arg(countedLines_ == 1 ? QStringLiteral("line") : QStringLiteral("lines")));
    std::vector<QStringList> coverage;
    for (const CoverageRow& row : coverageRows(game_, *job))
        coverage.push_back({qt(row.tier), qt(row.draws), qt(row.share), qt(row.oneIn)});
    fillTable(grdCoverage, coverage);
    lblGuarantee->setText(QStringLiteral("Guarantee of the file's pool of %1 numbers: given so many of the drawn "
                                         "numbers are in it, the file's best match at least, and in most draws:")
                              .arg(job->pool().size()));
    std::vector<QStringList> guarantee;
    for (const GuaranteeTableRow& row : guaranteeRows(game_, *job))
        guarantee.push_back({qt(row.drawnInPool), qt(row.least), qt(row.typical)});
    fillTable(grdGuarantee, guarantee);
    growToPage();
    emit countEnded();
}

void OddsWindow::setCounting(bool counting) {
    showRunButtons(this, cmdCount, cmdStop, counting);
    ticketFile_->setEnabled(!counting);
}

// Done, Escape and the title bar alike: a running count stops first.
void OddsWindow::closeEvent(QCloseEvent* event) {
    cmdStop_Click();
    QWidget::closeEvent(event);
}

} // namespace orvane
