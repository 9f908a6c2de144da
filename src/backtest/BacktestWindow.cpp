#include "backtest/BacktestWindow.h"

#include "backtest/BacktestReport.h"
#include "core/AtomicFile.h"
#include "core/NumberText.h"
#include "history/GameHistory.h"
#include "history/HistoryFile.h"
#include "platform/ButtonRow.h"
#include "platform/EnterPressesDefault.h"
#include "platform/EscapeCloses.h"
#include "platform/FixedFont.h"
#include "platform/JobDriver.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "wheel/FilterBoxes.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextCursor>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

namespace orvane {

namespace {
// The sets are counted a slice at a time, so the progress repaints and Stop answers at once.
const QString kBacktestTitle = QStringLiteral("Backtest Current Filters");

QString keptText(const Proportion& share) {
    return QStringLiteral("%1 of %2 (%3)")
        .arg(qt(formatCount(share.kept)), qt(formatCount(share.of)), qt(percentText(share.share())));
}
QString liftText(const std::optional<double>& lift) {
    return lift ? QString::number(*lift, 'f', 2) : QStringLiteral("-");
}

const QStringList kColumns = {QStringLiteral("Filter"),           QStringLiteral("Draws kept"),
                              QStringLiteral("95% interval"),     QStringLiteral("Not judged"),
                              QStringLiteral("Sets kept"),        QStringLiteral("Lift"),
                              QStringLiteral("Chance share"),     QStringLiteral("Lift interval"),
                              QStringLiteral("Reading"),          QStringLiteral("Without it: draws"),
                              QStringLiteral("Without it: sets"), QStringLiteral("Without it: lift")};
constexpr int kReadingColumn = 8;
// Draws added to the list per event-loop turn: a few milliseconds' work.
constexpr std::size_t kDrawsPerTurn = 2000;
} // namespace

BacktestWindow::BacktestWindow(Platform& platform, SharedSettings& shared, StartSource source, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), shared_(shared), source_(std::move(source)) {
    setObjectName(QStringLiteral("frmBacktest"));
    // The window serves the game played when it opens; a game switch closes it.
    setWindowTitle(shared_.game.isLotto649() ? kBacktestTitle
                                             : kBacktestTitle + QStringLiteral(" - ") + qt(shared_.game.title()));
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout();
    setRunning(false);
    connect(&driver_, &JobDriver::sliceDone, this, &BacktestWindow::showProgress);
    connect(&driver_, &JobDriver::finished, this, &BacktestWindow::endRun);
}

BacktestWindow::~BacktestWindow() { driver_.cancel(); }

void BacktestWindow::buildLayout() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Judge"), this));
    spnLastDraws = new QSpinBox(this);
    spnLastDraws->setObjectName(QStringLiteral("spnLastDraws"));
    spnLastDraws->setRange(0, 1'000'000);
    spnLastDraws->setSpecialValueText(QStringLiteral("every draw"));
    spnLastDraws->setPrefix(QStringLiteral("the last "));
    spnLastDraws->setSuffix(QStringLiteral(" draws"));
    spnLastDraws->setToolTip(QStringLiteral("0 judges every draw of the history; the draws before the last N still "
                                            "serve as history for the filters that read it."));
    top->addWidget(spnLastDraws);
    top->addStretch(1);
    cmdBegin = addNamedButton(this, top, "cmdBegin", QStringLiteral("Begin"));
    cmdStop = addNamedButton(this, top, "cmdStop", QStringLiteral("Stop"));
    cmdPrint = addNamedButton(this, top, "cmdPrint", QStringLiteral("Print"));
    cmdSaveAs = addNamedButton(this, top, "cmdSaveAs", QStringLiteral("Save As..."));
    cmdDone = addNamedButton(this, top, "cmdDone", QStringLiteral("Done"));
    cmdBegin->setDefault(true);
    new EnterPressesDefault(this);
    layout->addLayout(top);

    prgSets = new QProgressBar(this);
    prgSets->setObjectName(QStringLiteral("prgSets"));
    prgSets->setRange(0, 1000);
    prgSets->setFormat(QStringLiteral("Sets counted: %p%"));
    layout->addWidget(prgSets);

    lblScope = new QLabel(this);
    lblScope->setObjectName(QStringLiteral("lblScope"));
    lblScope->setWordWrap(true);
    layout->addWidget(lblScope);

    tabViews = new QTabWidget(this);
    tabViews->setObjectName(QStringLiteral("tabViews"));
    tblFilters = new QTableWidget(0, static_cast<int>(kColumns.size()), this);
    tblFilters->setObjectName(QStringLiteral("tblFilters"));
    tblFilters->setHorizontalHeaderLabels(kColumns);
    tblFilters->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblFilters->verticalHeader()->hide();
    tblFilters->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    txtDraws = new QPlainTextEdit(this);
    txtDraws->setObjectName(QStringLiteral("txtDraws"));
    txtDraws->setReadOnly(true);
    txtDraws->setFont(fixedPitchFont(font().pointSize()));
    txtDraws->setLineWrapMode(QPlainTextEdit::NoWrap);
    chartLift = new QChartView(this);
    chartLift->setObjectName(QStringLiteral("chartLift"));
    chartLift->setRenderHint(QPainter::Antialiasing);
    tabViews->addTab(tblFilters, QStringLiteral("Filters"));
    tabViews->addTab(txtDraws, QStringLiteral("Draws"));
    tabViews->addTab(chartLift, QStringLiteral("Chart"));
    layout->addWidget(tabViews, 1);
    resize(980, 560);

    new EscapeCloses(this);
    connect(cmdBegin, &QPushButton::clicked, this, &BacktestWindow::cmdBegin_Click);
    connect(cmdStop, &QPushButton::clicked, this, &BacktestWindow::cmdStop_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &BacktestWindow::cmdPrint_Click);
    connect(cmdSaveAs, &QPushButton::clicked, this, &BacktestWindow::cmdSaveAs_Click);
    connect(cmdDone, &QPushButton::clicked, this, &QWidget::close);
    drawFiller_.setInterval(0);
    connect(&drawFiller_, &QTimer::timeout, this, &BacktestWindow::showMoreDraws);
}

void BacktestWindow::cmdBegin_Click() {
    if (job_) return;
    // The filters, the pick and the history as they stand now; later changes wait for the next Begin.
    const Game& game = shared_.game;
    BacktestRequest request;
    if (game.isLotto649()) {
        HistoryRead history = readHistoryRecords(shared_.historyPath);
        if (!history.ok()) {
            platform_.message(qt(history.error), kBacktestTitle, NoticeIcon::Exclamation);
            return;
        }
        request.draws = std::move(history.draws);
    } else {
        GameHistoryRead history = readGameHistory(game, shared_.historyPath);
        if (!history.ok()) {
            platform_.message(qt(history.error), kBacktestTitle, NoticeIcon::Exclamation);
            return;
        }
        request.game = game;
        request.gameDraws = std::move(history.draws);
    }
    const Start start = source_();
    // As Start Wheel does: a filter box that cannot be read is named, not taken as 0.
    if (const std::optional<Notice> problem = checkFilterBoxes(start.controls, game)) {
        platform_.notify(*problem);
        return;
    }
    request.controls = start.controls;
    request.pick = start.pick;
    if (spnLastDraws->value() > 0) request.lastDraws = static_cast<std::size_t>(spnLastDraws->value());
    job_ = std::make_unique<BacktestJob>(std::move(request));
    drawFiller_.stop();
    prgSets->setValue(0);
    setRunning(true);
    driver_.start([this] { return runSlice(); });
}

bool BacktestWindow::runSlice() { return job_->advance(kSliceBudget); }

void BacktestWindow::showProgress() {
    if (job_) prgSets->setValue(static_cast<int>(job_->progress() * 1000));
}

void BacktestWindow::cmdStop_Click() {
    if (!job_) return;
    driver_.cancel();
    job_->stop();
    endRun();
}

// The end of a run, finished or stopped: what was worked out is shown, a
// stopped run's set shares marked incomplete.
void BacktestWindow::endRun() {
    const std::unique_ptr<BacktestJob> job = std::move(job_);
    if (job) result_ = job->result();
    setRunning(false);
    if (!job) return;
    showResult(*result_);
    for (const Notice& notice : result_->notices) platform_.notify(notice);
    emit runEnded();
}

void BacktestWindow::showResult(const BacktestResult& result) {
    prgSets->setValue(result.complete ? 1000 : prgSets->value());
    tblFilters->setRowCount(0);
    auto addRow = [this](const QString& name, const FilterResult& row, bool joint) {
        const int at = tblFilters->rowCount();
        tblFilters->insertRow(at);
        const QStringList cells = {name,
                                   keptText(row.draws),
                                   qt(percentText(row.drawsInterval.low)) + QStringLiteral(" - ") +
                                       qt(percentText(row.drawsInterval.high)),
                                   QString::number(row.notJudged),
                                   keptText(row.sets),
                                   liftText(row.lift),
                                   qt(chanceText(row.chance)),
                                   qt(liftIntervalText(row)),
                                   qt(readingText(*result_, row, joint)),
                                   joint ? QString() : keptText(row.drawsWithout),
                                   joint ? QString() : keptText(row.setsWithout),
                                   joint ? QString() : liftText(row.liftWithout)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column > 0 && column != kReadingColumn) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (joint) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            tblFilters->setItem(at, column, item);
        }
    };
    for (const FilterResult& row : result.filters) addRow(qt(std::string(backtestFilterName(row.filter))), row, false);
    addRow(QStringLiteral("All active filters"), result.joint, true);
    lblScope->setText(qt(backtestScopeText(result)));
    txtDraws->clear();
    drawsShown_ = 0;
    showMoreDraws();
    showChart(result);
}

void BacktestWindow::showMoreDraws() {
    if (!result_ || drawsShown_ >= result_->draws.size()) {
        drawFiller_.stop();
        return;
    }
    QString lines = shownText(backtestDrawLines(*result_, drawsShown_, kDrawsPerTurn));
    if (lines.endsWith(QLatin1Char('\n'))) lines.chop(1);
    // Added at the end of the document, not through the edit's own cursor, so
    // the list stays where the user has it (at the first draw to begin with).
    QTextCursor end(txtDraws->document());
    end.movePosition(QTextCursor::End);
    end.insertText(drawsShown_ == 0 ? lines : QLatin1Char('\n') + lines);
    drawsShown_ = std::min(result_->draws.size(), drawsShown_ + kDrawsPerTurn);
    if (drawsShown_ < result_->draws.size())
        drawFiller_.start();
    else
        drawFiller_.stop();
}

void BacktestWindow::showChart(const BacktestResult& result) {
    auto* bars = new QBarSet(QStringLiteral("Lift"));
    QStringList names;
    double most = 1.0;
    std::size_t withoutLift = 0;
    for (const FilterResult& row : result.filters) {
        // A row without a lift says why in the table; a bar of 0 would read as a lift of 0.
        if (!row.lift) {
            ++withoutLift;
            continue;
        }
        names << qt(std::string(backtestFilterName(row.filter)));
        *bars << *row.lift;
        most = std::max(most, *row.lift);
    }
    auto* series = new QBarSeries;
    series->append(bars);
    auto* chart = new QChart;
    chart->addSeries(series);
    const std::size_t judged = result.drawsInPick();
    QString title =
        QStringLiteral("Lift of each filter over the %1 %2 (1 = as chance would keep)")
            .arg(qt(formatCount(judged)), judged == 1 ? QStringLiteral("draw judged") : QStringLiteral("draws judged"));
    if (withoutLift > 0) title += QStringLiteral("; %1 without a lift (see Filters)").arg(withoutLift);
    chart->setTitle(title);
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    auto* axisX = new QBarCategoryAxis;
    axisX->append(names);
    axisX->setLabelsAngle(-45);
    axisX->setTitleText(QStringLiteral("Filter"));
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto* axisY = new QValueAxis;
    axisY->setRange(0, std::ceil(most * 2) / 2);
    axisY->setTitleText(QStringLiteral("Lift"));
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    QChart* old = chartLift->chart();
    chartLift->setChart(chart);
    delete old;
}

void BacktestWindow::setRunning(bool running) {
    cmdStop->setEnabled(running);
    for (QWidget* control : std::initializer_list<QWidget*>{cmdBegin, cmdPrint, cmdSaveAs, spnLastDraws})
        control->setEnabled(!running);
    cmdPrint->setEnabled(!running && result_.has_value());
    cmdSaveAs->setEnabled(!running && result_.has_value());
    if (running)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void BacktestWindow::cmdPrint_Click() {
    if (!result_) return;
    std::unique_ptr<PrintDocument> document = platform_.beginPrint({kBacktestTitle, fixedPitchFont(8), {}});
    if (!document) {
        platform_.message(QStringLiteral("The printer could not be opened, so the backtest was not printed."),
                          QStringLiteral("Printing"), NoticeIcon::Exclamation);
        return;
    }
    printTextLines(*document, shownText(backtestText(*result_)));
    document->end();
}

void BacktestWindow::cmdSaveAs_Click() {
    if (!result_) return;
    FileDialogRequest request;
    request.filter =
        QStringLiteral("Text Files (*.TXT)|*.TXT|Comma-Separated Values (*.CSV)|*.CSV|All Files (*.*)|*.*");
    request.defaultExtension = QStringLiteral(".TXT");
    request.fileName = QStringLiteral("Backtest.TXT");
    const QString path = platform_.fileDialog(request);
    if (path.isEmpty()) return;
    const bool csv = path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    const std::string bytes = csv ? backtestCsv(*result_) : backtestText(*result_);
    if (const std::optional<std::string> reason = writeFileAtomically(path.toStdString(), bytes))
        platform_.message(QStringLiteral("The backtest could not be saved to ") + path + QStringLiteral(" (") +
                              qt(*reason) + QStringLiteral("). Choose another file or folder."),
                          QStringLiteral("Save As"), NoticeIcon::Exclamation);
}

// Done, Escape and the title bar alike: a running backtest stops first.
void BacktestWindow::closeEvent(QCloseEvent* event) {
    cmdStop_Click();
    QWidget::closeEvent(event);
}

} // namespace orvane
