// The controls, frames and menus of frmGathraMain.
#include "pool/PoolWindow.h"

#include "accessories/AboutBox.h"
#include "platform/ButtonRow.h"
#include "platform/EnterPressesDefault.h"
#include "platform/EscapeCloses.h"
#include "platform/FixedFont.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {

namespace {

QComboBox* numberCombo(QWidget* parent, const char* name, int first, int last, const QString& initial) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    // The user may type a value, as well as pick one from the list.
    combo->setEditable(true);
    for (int value = first; value <= last; ++value) combo->addItem(QString::number(value));
    combo->setCurrentText(initial);
    combo->setMinimumContentsLength(3);
    return combo;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

void PoolWindow::buildWindow() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* top = new QHBoxLayout;
    top->addWidget(buildParameters(), 1);

    auto* controls = frame(central, "frameControls", QStringLiteral("Controls"));
    auto* buttons = new QVBoxLayout(controls);
    auto addButton = [controls, buttons](const char* name, const QString& caption) {
        return addNamedButton(controls, buttons, name, caption);
    };
    cmdBegin = addButton("cmdBegin", QStringLiteral("Begin"));
    cmdStop = addButton("cmdStop", QStringLiteral("Stop"));
    cmdClear = addButton("cmdClear", QStringLiteral("Clear"));
    cmdExit = addButton("cmdExit", QStringLiteral("E&xit"));
    buttons->addStretch(1);
    cmdBegin->setDefault(true);
    new EnterPressesDefault(this);
    // Escape puts the window away as its title bar does.
    new EscapeCloses(this);
    top->addWidget(controls);
    layout->addLayout(top);

    auto* action = frame(central, "frameAction", QStringLiteral("Action"));
    auto* actionLayout = new QVBoxLayout(action);
    txtAction = new QLineEdit(action);
    txtAction->setObjectName(QStringLiteral("txtAction"));
    txtAction->setReadOnly(true);
    // The step texts are shown, not edited: the focus stays on the buttons.
    txtAction->setFocusPolicy(Qt::NoFocus);
    actionLayout->addWidget(txtAction);
    actionLayout->addStretch(1);
    auto* steps = new QHBoxLayout;
    steps->addWidget(action, 1);

    auto* status = frame(central, "frameStatus", QStringLiteral("Status"));
    auto* statusLayout = new QVBoxLayout(status);
    txtStatus = new QPlainTextEdit(status);
    txtStatus->setObjectName(QStringLiteral("txtStatus"));
    txtStatus->setReadOnly(true);
    txtStatus->setFocusPolicy(Qt::NoFocus);
    txtStatus->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtStatus->setFixedHeight(txtStatus->fontMetrics().lineSpacing() * 2 + 2 * txtStatus->frameWidth() + 10);
    statusLayout->addWidget(txtStatus);
    steps->addWidget(status, 1);
    layout->addLayout(steps);

    auto* output = frame(central, "frameOutput", QStringLiteral("Output"));
    auto* outputLayout = new QVBoxLayout(output);
    txtOutput = new QPlainTextEdit(output);
    txtOutput->setObjectName(QStringLiteral("txtOutput"));
    txtOutput->setFont(fixedPitchFont(font().pointSize()));
    txtOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    outputLayout->addWidget(txtOutput);
    layout->addWidget(output, 1);

    setCentralWidget(central);
    buildMenus();
    resize(640, 820);

    connect(cmdBegin, &QPushButton::clicked, this, &PoolWindow::cmdBegin_Click);
    connect(cmdStop, &QPushButton::clicked, this, &PoolWindow::cmdStop_Click);
    connect(cmdClear, &QPushButton::clicked, this, &PoolWindow::cmdClear_Click);
    connect(cmdExit, &QPushButton::clicked, this, &PoolWindow::cmdExit_Click);
}

QWidget* PoolWindow::buildParameters() {
    auto* parameters = new QWidget(this);
    auto* layout = new QVBoxLayout(parameters);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* draws = frame(parameters, "frameDraws", QStringLiteral("Calculate A Pool Valid For"));
    auto* drawsLayout = new QVBoxLayout(draws);
    auto* drawGroup = new QButtonGroup(this);
    static const char* const kDrawNames[5] = {"optn1Draw", "optn2Draws", "optn3Draws", "optn4Draws", "optn5Draws"};
    static const char* const kDrawCaptions[5] = {"The Next Drawing", "The Next Two Drawings", "The Next Three Drawings",
                                                 "The Next Four Drawings", "The Next Five Drawings"};
    for (int k = 0; k < 5; ++k) {
        drawOptions_[k] = new QRadioButton(QLatin1String(kDrawCaptions[k]), draws);
        drawOptions_[k]->setObjectName(QLatin1String(kDrawNames[k]));
        drawGroup->addButton(drawOptions_[k]);
        drawsLayout->addWidget(drawOptions_[k]);
    }
    drawOptions_[0]->setChecked(true);
    layout->addWidget(draws);

    auto* trend = new QGridLayout;
    cboTrendLength = numberCombo(parameters, "cboTrendLength", 1, 15, QStringLiteral("5"));
    cboBestGroups = numberCombo(parameters, "cboBestGroups", 1, 20, QStringLiteral("10"));
    cboPoolSize = numberCombo(parameters, "cboPoolSize", 7, 49, QStringLiteral("49"));
    trend->addWidget(new QLabel(QStringLiteral("Use the last"), parameters), 0, 0);
    trend->addWidget(cboTrendLength, 0, 1);
    trend->addWidget(new QLabel(QStringLiteral("draws as trend."), parameters), 0, 2);
    trend->addWidget(new QLabel(QStringLiteral("Use the best"), parameters), 1, 0);
    trend->addWidget(cboBestGroups, 1, 1);
    trend->addWidget(new QLabel(QStringLiteral("trend groups."), parameters), 1, 2);
    auto* sizeLabel = new QLabel(QStringLiteral("Pool Size"), parameters);
    sizeLabel->setBuddy(cboPoolSize);
    trend->addWidget(sizeLabel, 2, 0);
    trend->addWidget(cboPoolSize, 2, 1);
    cboBonusPoolSize = numberCombo(parameters, "cboBonusPoolSize", 1, 1, QStringLiteral("1"));
    auto* bonusLabel = new QLabel(QStringLiteral("Bonus Pool Size"), parameters);
    bonusLabel->setBuddy(cboBonusPoolSize);
    bonusSizeLabel_ = bonusLabel;
    trend->addWidget(bonusLabel, 3, 0);
    trend->addWidget(cboBonusPoolSize, 3, 1);
    cboBonusPoolSize->hide();
    bonusLabel->hide();
    trend->setColumnStretch(3, 1);
    layout->addLayout(trend);

    auto* lower = new QHBoxLayout;
    auto* style = frame(parameters, "frameStyle", QStringLiteral("Output Style"));
    auto* styleLayout = new QVBoxLayout(style);
    optnVerbose = new QRadioButton(QStringLiteral("Verbose"), style);
    optnVerbose->setObjectName(QStringLiteral("optnVerbose"));
    optnMinimum = new QRadioButton(QStringLiteral("Minimum"), style);
    optnMinimum->setObjectName(QStringLiteral("optnMinimum"));
    optnVerbose->setChecked(true);
    styleLayout->addWidget(optnVerbose);
    styleLayout->addWidget(optnMinimum);
    lower->addWidget(style);

    auto* keep = new QVBoxLayout;
    chkSaveToDisk = new QCheckBox(QStringLiteral("Save Output To Disk"), parameters);
    chkSaveToDisk->setObjectName(QStringLiteral("chkSaveToDisk"));
    chkSendToPrinter = new QCheckBox(QStringLiteral("Send To Printer"), parameters);
    chkSendToPrinter->setObjectName(QStringLiteral("chkSendToPrinter"));
    keep->addWidget(chkSaveToDisk);
    keep->addWidget(chkSendToPrinter);
    keep->addStretch(1);
    lower->addLayout(keep);
    lower->addStretch(1);
    layout->addLayout(lower);
    return parameters;
}

void PoolWindow::buildMenus() {
    auto addMenu = [this](const char* name, const QString& caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(QLatin1String(name));
        menu->setToolTipsVisible(true);
        return menu;
    };
    auto addItem = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    mnuFile = addMenu("mnuFile", QStringLiteral("File"));
    connect(addItem(mnuFile, "mnuSave", QStringLiteral("Save As...")), &QAction::triggered, this,
            &PoolWindow::choosePoolFile);
    mnuFile->addSeparator();
    connect(addItem(mnuFile, "mnuExit", QStringLiteral("Exit")), &QAction::triggered, this, &PoolWindow::cmdExit_Click);

    mnoOpt = addMenu("mnoOpt", QStringLiteral("Optimization"));
    mnuOptimize = addItem(mnoOpt, "mnuOptimize", QStringLiteral("Run Self-Optimization Routines"));
    connect(mnuOptimize, &QAction::triggered, this, &PoolWindow::mnuOptimize_Click);

    mnuHelp = addMenu("mnuHelp", QStringLiteral("Help"));
    connect(addItem(mnuHelp, "mnuGRManualViewer", QStringLiteral("Gathra Manual Viewer")), &QAction::triggered, this,
            &PoolWindow::manualRequested);
    mnuHelp->addSeparator();
    connect(addItem(mnuHelp, "mnuAbout", QStringLiteral("About Gathra")), &QAction::triggered, this,
            [this] { showAboutBox(AboutBox::Kind::Gathra, this); });
}

} // namespace orvane
