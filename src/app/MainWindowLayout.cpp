// Builds the controls of frmOrvaneMain and lays them out; the handlers live elsewhere.
#include "app/MainWindow.h"

#include "app/BonusPick.h"
#include "app/FiltersATab.h"
#include "app/FiltersBTab.h"
#include "app/FiltersCTab.h"
#include "app/LockedBoxLook.h"
#include "app/NumberGrid.h"
#include "core/Game.h"
#include "platform/FixedFont.h"
#include "platform/QtText.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orvane {

namespace {

QLineEdit* resultBox(const char* name) {
    auto* box = named(new QLineEdit, name);
    box->setReadOnly(true);
    box->setFont(fixedPitchFont(QApplication::font().pointSize()));
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QLabel* fixedLabel(const char* name, const QString& text) {
    auto* label = named(new QLabel(text), name);
    label->setFont(fixedPitchFont(QApplication::font().pointSize()));
    return label;
}

} // namespace

void MainWindow::buildWindow() {
    setObjectName(QStringLiteral("frmOrvaneMain"));
    setWindowTitle(QStringLiteral("Orvane"));
    tabs_ = named(new QTabWidget, "tabMain");
    tabs_->addTab(buildControlPanel(), QStringLiteral("Control Panel"));
    buildFilterTabs();
    setCentralWidget(tabs_);
    buildMenus();
    // A box the user cannot type in (a result, a locked filter, one not available)
    // looks so, also when a run or an enable box locks and unlocks it later.
    showLockedBoxesAsLocked(this);
    // Opens at the size every tab asks for and never gets smaller than the size
    // at which every caption and box of every tab is shown whole.
    setMinimumSize(minimumSizeHint());
    resize(sizeHint());
}

void MainWindow::buildFilterTabs() {
    const Game& game = shared_.game;
    auto* filtersA = new FiltersATab(platform_, shared_, game);
    auto* filtersB = new FiltersBTab(platform_, game);
    auto* filtersC = new FiltersCTab(game);
    tabs_->insertTab(1, filtersA, QStringLiteral("Filters A"));
    tabs_->insertTab(2, filtersB, QStringLiteral("Filters B"));
    tabs_->insertTab(3, filtersC, QStringLiteral("Filters C"));
    filters_ = std::make_unique<FilterPanel>(*filtersA, *filtersB, *filtersC);
}

QWidget* MainWindow::buildControlPanel() {
    auto* page = named(new QWidget, "tabControlPanel");
    auto* grid = new QGridLayout(page);

    auto* frameRavelin = named(new QGroupBox(QStringLiteral("Ravelin")), "frameRavelin");
    chkEnableRavelin = named(new QCheckBox(QStringLiteral("Enable Ravelin Technology")), "chkEnableRavelin");
    (new QVBoxLayout(frameRavelin))->addWidget(chkEnableRavelin);

    auto* controls = new QVBoxLayout;
    controls->addWidget(buildMasterControls(), 1);
    controls->addWidget(frameRavelin);

    QGroupBox* frameOutputB = nullptr;
    QGroupBox* frameOutputA = buildOutputFrames(frameOutputB);

    // The number list runs down the left side; the controls and the results
    // stand beside it over the output options, each frame in its column.
    grid->addWidget(buildNumberFrame(), 0, 0, 2, 1);
    grid->addLayout(controls, 0, 1);
    grid->addWidget(buildResultsFrame(), 0, 2);
    grid->addWidget(frameOutputA, 1, 1);
    grid->addWidget(frameOutputB, 1, 2);
    grid->setRowStretch(0, 1);
    // Most of a larger window goes to the number list, whose cells grow with it.
    grid->setColumnStretch(0, 4);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 3);
    return page;
}

QGroupBox* MainWindow::buildNumberFrame() {
    auto* frame = named(new QGroupBox(QStringLiteral("Select Numbers")), "frameNumbers");
    // Seven numbers to a row, the way a lotto slip lays them out.
    lstNumbers = named(new NumberGrid, "lstNumbers");
    lstNumbers->setSelectionMode(QAbstractItemView::MultiSelection);
    lstNumbers->showNumbers(shared_.game.highest());
    // The bonus pool's own slip, under the main one; none for a game without a bonus pool.
    // It never takes more than the room its numbers ask for: the main slip gets the rest.
    bonusPick_ = new BonusPick;
    bonusPick_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    bonusPick_->showFor(shared_.game);
    lblPoolSize = fixedLabel("lblPoolSize", QStringLiteral("0"));
    auto* caption = named(new QLabel(QStringLiteral("Current Active Pool Size")), "lblSelected");
    auto* count = new QHBoxLayout;
    count->addWidget(caption);
    count->addWidget(lblPoolSize);
    count->addStretch();
    auto* column = new QVBoxLayout(frame);
    column->addWidget(lstNumbers, 1);
    column->addLayout(count);
    column->addWidget(bonusPick_);
    return frame;
}

QGroupBox* MainWindow::buildMasterControls() {
    auto* frame = named(new QGroupBox(QStringLiteral("Master Controls")), "frameControlPanel");
    cmdWheel = named(new QPushButton(QStringLiteral("Start Wheel")), "cmdWheel");
    cmdStopWheeling = named(new QPushButton(QStringLiteral("Stop Wheel")), "cmdStopWheeling");
    cmdChooseRandom = named(new QPushButton(QStringLiteral("Choose A Number Randomly")), "cmdChooseRandom");
    cmdClear = named(new QPushButton(QStringLiteral("Clear")), "cmdClear");
    cmdExit = named(new QPushButton(QStringLiteral("Save Settings && Exit")), "cmdExit");
    cmdWheel->setDefault(true);
    // In a taller window the buttons grow a little and spread over the frame.
    auto* column = new QVBoxLayout(frame);
    for (QPushButton* button : {cmdWheel, cmdStopWheeling, cmdChooseRandom, cmdClear, cmdExit}) {
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        button->setMaximumHeight(2 * button->sizeHint().height());
        column->addWidget(button);
    }
    connect(cmdWheel, &QPushButton::clicked, this, &MainWindow::cmdWheel_Click);
    connect(cmdStopWheeling, &QPushButton::clicked, this, &MainWindow::cmdStopWheeling_Click);
    connect(cmdChooseRandom, &QPushButton::clicked, this, &MainWindow::cmdChooseRandom_Click);
    connect(cmdClear, &QPushButton::clicked, this, &MainWindow::cmdClear_Click);
    connect(cmdExit, &QPushButton::clicked, this, &MainWindow::cmdExit_Click);
    return frame;
}

QGroupBox* MainWindow::buildResultsFrame() {
    auto* frame = named(new QGroupBox(QStringLiteral("Results")), "frameResults");
    txtOutput = resultBox("txtOutput");
    txtGenerated = resultBox("txtGenerated");
    txtSetsPassing = resultBox("txtSetsPassing");
    txtPassing = resultBox("txtPassing");
    txtPassing->setText(QStringLiteral("100%"));
    lblTimer = fixedLabel("lblTimer", QStringLiteral("0:00:00"));
    fitLastSetBox();
    // The rows share the frame's height, so a taller window spreads them out.
    auto* rows = new QGridLayout(frame);
    const std::pair<const char*, QWidget*> shown[] = {{"Last Generated Set", txtOutput},
                                                      {"Number of Sets Generated", txtGenerated},
                                                      {"Sets Passing Filters", txtSetsPassing},
                                                      {"Percent of Sets Passing Filters", txtPassing},
                                                      {"Elapsed Time", lblTimer}};
    int row = 0;
    for (const auto& [caption, value] : shown) {
        // An empty row of stretch between two rows takes their share of the height.
        if (row > 0) rows->setRowStretch(row++, 1);
        rows->addWidget(new QLabel(QLatin1String(caption)), row, 0);
        rows->addWidget(value, row++, 1);
    }
    rows->setColumnStretch(1, 1);
    return frame;
}

QGroupBox* MainWindow::buildOutputFrames(QGroupBox*& frameB) {
    auto* frameA = named(new QGroupBox(QStringLiteral("Output Options A")), "frameOutputA");
    optnOutToFile = named(new QRadioButton(QStringLiteral("Send Output To Disk")), "optnOutToFile");
    optnOutToPrinter = named(new QRadioButton(QStringLiteral("Send Output To Printer")), "optnOutToPrinter");
    optnOutToNothing = named(new QRadioButton(QStringLiteral("Do Not Record Output")), "optnOutToNothing");
    auto* columnA = new QVBoxLayout(frameA);
    for (QRadioButton* option : {optnOutToFile, optnOutToPrinter, optnOutToNothing}) {
        columnA->addWidget(option);
        connect(option, &QRadioButton::clicked, this, &MainWindow::optnOutputDestination_Click);
    }
    optnOutToFile->setChecked(true);

    // Each frame is its own group of exclusive options.
    frameB = named(new QGroupBox(QStringLiteral("Output Options B")), "frameOutputB");
    optnOverwrite = named(new QRadioButton(QStringLiteral("Overwrite Previous Output File")), "optnOverwrite");
    optnAppend = named(new QRadioButton(QStringLiteral("Append To Previous Output File")), "optnAppend");
    auto* columnB = new QVBoxLayout(frameB);
    columnB->addWidget(optnOverwrite);
    columnB->addWidget(optnAppend);
    optnOverwrite->setChecked(true);
    return frameA;
}

} // namespace orvane
