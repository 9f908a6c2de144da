#include "tally/HistoryCheckWindow.h"

#include "core/NumberText.h"
#include "platform/ButtonRow.h"
#include "platform/EnterPressesDefault.h"
#include "platform/EscapeCloses.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "tally/HistoryCheck.h"
#include "tally/HistoryCheckText.h"
#include "tally/RunButtons.h"
#include "tally/TicketFileRow.h"
#include "tally/TicketTable.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvane {

namespace {
const QString kCheckTitle = QStringLiteral("Check Tickets Against History");
} // namespace

HistoryCheckWindow::HistoryCheckWindow(Platform& platform, const SharedSettings& shared, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), game_(shared.game), historyPath_(shared.historyPath) {
    setObjectName(QStringLiteral("frmHistoryCheck"));
    setWindowTitle(kCheckTitle + QStringLiteral(" - ") + qt(game_.title()));
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout(qt(shared.wheelOutputPath));
    setChecking(false);
    connect(&driver_, &JobDriver::sliceDone, this, &HistoryCheckWindow::showProgress);
    connect(&driver_, &JobDriver::finished, this, &HistoryCheckWindow::endCheck);
}

HistoryCheckWindow::~HistoryCheckWindow() { driver_.cancel(); }

void HistoryCheckWindow::buildLayout(const QString& ticketPath) {
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Checks every line of a ticket file against each past draw of %1 in %2.")
                                 .arg(qt(game_.title()), qt(historyPath_)),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    ticketFile_ = new TicketFileRow(platform_, ticketPath, this);
    layout->addWidget(ticketFile_);
    auto* options = new QHBoxLayout;
    auto* lastLabel = new QLabel(QStringLiteral("&Last draws:"), this);
    spnLast = new QSpinBox(this);
    spnLast->setObjectName(QStringLiteral("spnLast"));
    spnLast->setRange(0, 1'000'000);
    spnLast->setSpecialValueText(QStringLiteral("every draw"));
    spnLast->setValue(0);
    spnLast->setToolTip(QStringLiteral("Check only the newest draws; \"every draw\" checks the whole history."));
    lastLabel->setBuddy(spnLast);
    options->addWidget(lastLabel);
    options->addWidget(spnLast);
    options->addStretch(1);
    layout->addLayout(options);

    auto* buttons = new QHBoxLayout;
    cmdCheck = addNamedButton(this, buttons, "cmdCheck", QStringLiteral("&Check"));
    cmdStop = addNamedButton(this, buttons, "cmdStop", QStringLiteral("&Stop"));
    cmdDone = addNamedButton(this, buttons, "cmdDone", QStringLiteral("&Done"));
    buttons->addStretch(1);
    layout->addLayout(buttons);
    prgCheck = new QProgressBar(this);
    prgCheck->setObjectName(QStringLiteral("prgCheck"));
    prgCheck->setRange(0, 1000);
    prgCheck->setValue(0);
    layout->addWidget(prgCheck);

    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    layout->addWidget(lblSummary);
    QStringList headings = {QStringLiteral("Date"), QStringLiteral("Numbers"), QStringLiteral("Best tier")};
    for (const PrizeTier& tier : game_.tiers()) headings << qt(Game::tierLabel(tier));
    grdDraws = readOnlyTable(this, "grdDraws", headings);
    grdDraws->horizontalHeader()->setStretchLastSection(false);
    layout->addWidget(grdDraws, 1);
    lblTotals = new QLabel(this);
    lblTotals->setObjectName(QStringLiteral("lblTotals"));
    lblTotals->setWordWrap(true);
    layout->addWidget(lblTotals);

    cmdCheck->setDefault(true);
    new EnterPressesDefault(this);
    new EscapeCloses(this);
    connect(cmdCheck, &QPushButton::clicked, this, &HistoryCheckWindow::cmdCheck_Click);
    connect(cmdStop, &QPushButton::clicked, this, &HistoryCheckWindow::cmdStop_Click);
    connect(cmdDone, &QPushButton::clicked, this, &QWidget::close);
    resize(720, 600);
}

void HistoryCheckWindow::cmdCheck_Click() {
    if (job_) return;
    std::optional<TicketFileRead> tickets = ticketFile_->readTickets(game_, kCheckTitle, QStringLiteral("Check"));
    if (!tickets) return;
    const QString path = ticketFile_->path();
    if (tickets->lines.empty()) {
        platform_.message(QStringLiteral("%1 holds no lines, so there is nothing to check.").arg(path), kCheckTitle,
                          NoticeIcon::Exclamation);
        return;
    }
    PastDraws past = readPastDraws(game_, historyPath_);
    if (!past.ok()) {
        platform_.message(qt(past.error), kCheckTitle, NoticeIcon::Exclamation);
        return;
    }
    drawsInHistory_ = past.draws.size();
    keepLastDraws(past.draws, static_cast<std::size_t>(spnLast->value()));
    checkedFile_ = path;
    job_ = std::make_unique<HistoryCheckJob>(game_, std::move(tickets->lines), std::move(past.draws));
    fillTable(grdDraws, {});
    lblTotals->clear();
    prgCheck->setValue(0);
    setChecking(true);
    showProgress();
    driver_.start([this] { return job_->advance(kSliceBudget); });
}

void HistoryCheckWindow::showProgress() {
    if (!job_) return;
    prgCheck->setValue(static_cast<int>(job_->progress() * 1000));
    lblSummary->setText(
        QStringLiteral("Checking %1 against %2 draws...").arg(checkedFile_, qt(formatCount(job_->draws().size()))));
}

void HistoryCheckWindow::cmdStop_Click() {
    if (!job_) return;
    driver_.cancel();
    job_->stop();
    endCheck();
}

void HistoryCheckWindow::endCheck() {
    const std::unique_ptr<HistoryCheckJob> job = std::move(job_);
    if (!job) return;
    setChecking(false);
    const HistoryCheck& check = job->result();
    const std::size_t checked = check.draws.size();
    const std::size_t wanted = job->draws().size();
    if (!job->stopped()) prgCheck->setValue(1000);
    QString summary = QStringLiteral("%1 (%2 %3) against %4 of the %5 of %6.")
                          .arg(checkedFile_, qt(formatCount(job->lines())),
                               job->lines() == 1 ? QStringLiteral("line") : QStringLiteral("lines"),
                               wanted == drawsInHistory_ ? QStringLiteral("every draw")
                                                         : QStringLiteral("the last ") + qt(formatCount(wanted)),
                               qt(drawsText(drawsInHistory_)), qt(historyPath_));
    if (job->stopped())
        summary += QStringLiteral(" Stopped after %1 of them: the figures are of those.").arg(qt(formatCount(checked)));
    lblSummary->setText(summary);
    std::vector<QStringList> rows;
    rows.reserve(checked);
    for (std::size_t d = 0; d < checked; ++d) {
        const PastDraw& draw = job->draws()[d];
        QStringList row = {qt(draw.date), qt(pastDrawText(draw)), qt(bestTierText(game_, check.draws[d].bestTier))};
        for (std::uint64_t lines : check.draws[d].lines) row << qt(formatCount(lines));
        rows.push_back(row);
    }
    fillTable(grdDraws, rows);
    if (!rows.empty()) grdDraws->scrollToBottom();
    lblTotals->setText(QStringLiteral("Lines by tier over %1: %2\nDraws with a prize: %3 of %4")
                           .arg(qt(drawsText(checked)), qt(tierCountsText(game_, check.linesByTier)),
                                qt(formatCount(check.drawsWithPrize)), qt(formatCount(checked))));
    emit checkEnded();
}

void HistoryCheckWindow::setChecking(bool checking) {
    showRunButtons(this, cmdCheck, cmdStop, checking);
    ticketFile_->setEnabled(!checking);
    spnLast->setEnabled(!checking);
}

void HistoryCheckWindow::closeEvent(QCloseEvent* event) {
    cmdStop_Click();
    QWidget::closeEvent(event);
}

} // namespace orvane
