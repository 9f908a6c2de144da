#include "tally/GameWinCheckerWindow.h"

#include "core/NumberText.h"
#include "platform/ButtonRow.h"
#include "platform/EnterPressesDefault.h"
#include "platform/EscapeCloses.h"
#include "platform/FixedFont.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "tally/GameWinTally.h"
#include "tally/TicketTable.h"
#include "tally/WinCheckerWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvane {

namespace {

const QString kCheckerTitle = QStringLiteral("VN-Tallor");

std::vector<QStringList> tableRows(const std::vector<std::pair<std::string, std::uint64_t>>& rows) {
    std::vector<QStringList> table;
    table.reserve(rows.size());
    for (const auto& [label, lines] : rows) table.push_back({qt(label), qt(formatCount(lines))});
    return table;
}

// A row of `count` boxes for numbers up to `highest`, named `name`1, `name`2, ...
std::vector<QLineEdit*> numberBoxes(QWidget* parent, QGridLayout* grid, int row, int count, int highest,
                                    const QString& name) {
    std::vector<QLineEdit*> boxes;
    const int digits = static_cast<int>(std::to_string(highest).size());
    for (int i = 0; i < count; ++i) {
        auto* box = new QLineEdit(parent);
        box->setObjectName(name + QString::number(i + 1));
        box->setMaxLength(digits);
        box->setAlignment(Qt::AlignCenter);
        // Room for the digits and a blank, measured in the box's own font.
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString(digits + 1, QLatin1Char('0'))) + 16);
        grid->addWidget(box, row, i + 1);
        boxes.push_back(box);
    }
    return boxes;
}

} // namespace

GameWinCheckerWindow::GameWinCheckerWindow(Platform& platform, SharedSettings& shared, BusyState& busy, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), shared_(shared), busy_(&busy) {
    setObjectName(QStringLiteral("frmGameWinCheck"));
    setWindowTitle(kCheckerTitle + QStringLiteral(" - ") + qt(shared_.game.title()));
    setAttribute(Qt::WA_DeleteOnClose);
    new EscapeCloses(this);
    buildLayout();
    connect(&driver_, &JobDriver::sliceDone, this, &GameWinCheckerWindow::showProgress);
    connect(&driver_, &JobDriver::finished, this, &GameWinCheckerWindow::endCheck);
}

GameWinCheckerWindow::~GameWinCheckerWindow() { abandonCheck(); }

void GameWinCheckerWindow::buildLayout() {
    const Game& game = shared_.game;
    auto* layout = new QVBoxLayout(this);
    auto* instructions = new QLabel(
        game.hasBonusPool()
            ? QStringLiteral("Enter the winning numbers and the bonus numbers of the draw you want to check the "
                             "lines in the output file against.")
            : QStringLiteral("Enter the winning numbers of the draw you want to check the lines in the output file "
                             "against."),
        this);
    instructions->setObjectName(QStringLiteral("lblInstructions"));
    instructions->setWordWrap(true);
    layout->addWidget(instructions);

    auto* numbers = new QGridLayout;
    numbers->addWidget(new QLabel(QStringLiteral("Winning numbers:"), this), 0, 0);
    winning_ = numberBoxes(this, numbers, 0, game.perTicket(), game.highest(), QStringLiteral("txtWin"));
    if (game.hasBonusPool()) {
        numbers->addWidget(new QLabel(QStringLiteral("Bonus numbers:"), this), 1, 0);
        bonus_ = numberBoxes(this, numbers, 1, game.bonusDrawn(), game.bonusPool(), QStringLiteral("txtBonus"));
    }
    numbers->setColumnStretch(game.perTicket() + 1, 1);
    layout->addLayout(numbers);

    auto* buttons = new QHBoxLayout;
    cmdCheck = addNamedButton(this, buttons, "cmdCheck", QStringLiteral("Check"));
    cmdClear = addNamedButton(this, buttons, "cmdClear", QStringLiteral("Clear"));
    cmdExit = addNamedButton(this, buttons, "cmdExit", QStringLiteral("Done"));
    // Enter in a number box starts the check.
    cmdCheck->setDefault(true);
    new EnterPressesDefault(this);
    layout->addLayout(buttons);
    connect(cmdCheck, &QPushButton::clicked, this, &GameWinCheckerWindow::cmdCheck_Click);
    connect(cmdClear, &QPushButton::clicked, this, &GameWinCheckerWindow::cmdClear_Click);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);

    auto* testing = new QHBoxLayout;
    testing->addWidget(new QLabel(QStringLiteral("Line Being Checked:"), this));
    lblChecking = new QLabel(this);
    lblChecking->setObjectName(QStringLiteral("lblChecking"));
    lblChecking->setFont(fixedPitchFont(font().pointSize()));
    testing->addWidget(lblChecking, 1);
    layout->addLayout(testing);

    auto* tables = new QHBoxLayout;
    tblHits = readOnlyTable(this, "tblHits", {QStringLiteral("Numbers hit"), QStringLiteral("Lines")});
    tblTiers = readOnlyTable(this, "tblTiers", {QStringLiteral("Prize tier"), QStringLiteral("Lines")});
    tables->addWidget(tblHits, 0, Qt::AlignTop);
    tables->addWidget(tblTiers, 0, Qt::AlignTop);
    tables->addStretch(1);
    layout->addLayout(tables);
    layout->addStretch(1);
    clearTables();
    // The tables' rows are known from the game: they keep their height as the figures come.
    fitTableToRows(tblHits, tblHits->rowCount());
    fitTableToRows(tblTiers, tblTiers->rowCount());
}

// Rows of zeros: the tables show what a check will count before it runs.
void GameWinCheckerWindow::clearTables() {
    const Game& game = shared_.game;
    GameWinTally none;
    none.lines.assign(static_cast<std::size_t>(game.perTicket()) + 1,
                      std::vector<std::uint64_t>(static_cast<std::size_t>(game.bonusDrawn()) + 1, 0));
    fillTable(tblHits, tableRows(hitRows(game, none, true)));
    fillTable(tblTiers, tableRows(tierRows(game, none)));
}

bool GameWinCheckerWindow::readBoxes(const std::vector<QLineEdit*>& boxes, int highest, const char* what,
                                     NumberSet& numbers) {
    std::vector<std::string> texts;
    texts.reserve(boxes.size());
    for (QLineEdit* box : boxes) texts.push_back(box->text().toStdString());
    const TypedNumbers typed = readTypedNumbers(texts, highest, what);
    if (typed.faultAt) {
        platform_.message(qt(typed.problem), kCheckerTitle, NoticeIcon::Exclamation);
        QLineEdit* atFault = boxes[*typed.faultAt];
        atFault->setFocus();
        atFault->selectAll();
        return false;
    }
    numbers = typed.numbers;
    return true;
}

void GameWinCheckerWindow::cmdCheck_Click() {
    if (job_) return;
    clearTables();
    lblChecking->clear();
    if (busy_ && busy_->running(kWheelRunOperation)) {
        platform_.message(QStringLiteral("A wheel run is writing the output file. Wait for the run to end, then "
                                         "check the file."),
                          kCheckerTitle, NoticeIcon::Information);
        return;
    }
    const Game& game = shared_.game;
    NumberSet winning;
    NumberSet bonus;
    if (!readBoxes(winning_, game.highest(), "winning number", winning) ||
        !readBoxes(bonus_, game.bonusPool(), "bonus number", bonus))
        return;
    auto job = std::make_unique<GameWinTallyJob>(shared_.wheelOutputPath, game, winning, bonus);
    if (job->ended()) {
        if (job->tally().failure) platform_.notify(*job->tally().failure);
        return;
    }
    job_ = std::move(job);
    setIdle(false);
    if (busy_) busy_->begin(WinCheckerWindow::kWinCheck);
    driver_.start([this] { return job_->advance(kSliceBudget); });
}

void GameWinCheckerWindow::cmdClear_Click() {
    for (QLineEdit* box : winning_) box->clear();
    for (QLineEdit* box : bonus_) box->clear();
    clearTables();
    lblChecking->clear();
}

void GameWinCheckerWindow::showProgress() {
    if (!job_) return;
    lblChecking->setText(qt(job_->lastLine()));
    fillTable(tblHits, tableRows(hitRows(shared_.game, job_->tally(), true)));
    fillTable(tblTiers, tableRows(tierRows(shared_.game, job_->tally())));
}

void GameWinCheckerWindow::endCheck() {
    showProgress();
    const std::unique_ptr<GameWinTallyJob> job = std::move(job_);
    setIdle(true);
    // Back to the numbers, so that Enter checks again rather than pressing Done.
    winning_.front()->setFocus();
    if (busy_) busy_->end(WinCheckerWindow::kWinCheck);
    if (job && job->tally().failure) platform_.notify(*job->tally().failure);
    emit checkEnded();
}

void GameWinCheckerWindow::abandonCheck() {
    if (!job_) return;
    driver_.cancel();
    job_->stop();
    job_.reset();
    setIdle(true);
    if (busy_) busy_->end(WinCheckerWindow::kWinCheck);
}

void GameWinCheckerWindow::setIdle(bool idle) {
    cmdCheck->setEnabled(idle);
    cmdClear->setEnabled(idle);
    for (QLineEdit* box : winning_) box->setEnabled(idle);
    for (QLineEdit* box : bonus_) box->setEnabled(idle);
}

void GameWinCheckerWindow::closeEvent(QCloseEvent* event) {
    abandonCheck();
    QWidget::closeEvent(event);
}

} // namespace orvane
