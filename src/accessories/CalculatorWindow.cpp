#include "accessories/CalculatorWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace orvane {

CalculatorWindow::CalculatorWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmCalculator"));
    setWindowTitle(QStringLiteral("Calculator"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildMenus();
    buildLayout();
    // The keys and the display take no focus: the window holds it, so every
    // key typed reaches it, and Space never presses the key clicked last.
    setFocusPolicy(Qt::StrongFocus);
    showDisplay();
}

void CalculatorWindow::buildMenus() {
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuExit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    connect(mnuExit, &QAction::triggered, this, &CalculatorWindow::exitProgramRequested);

    mnuHelp = menuBar()->addMenu(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout = mnuHelp->addAction(QStringLiteral("About Orvane..."));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    connect(mnuAbout, &QAction::triggered, this, &CalculatorWindow::aboutRequested);
}

QPushButton* CalculatorWindow::addKey(const char* name, const QString& caption) {
    auto* key = new QPushButton(caption, this);
    key->setObjectName(QLatin1String(name));
    key->setFocusPolicy(Qt::NoFocus);
    key->setAutoDefault(false);
    return key;
}

void CalculatorWindow::buildLayout() {
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    setCentralWidget(central);

    txtDisplay = new QLineEdit(central);
    txtDisplay->setObjectName(QStringLiteral("txtDisplay"));
    txtDisplay->setReadOnly(true);
    txtDisplay->setFocusPolicy(Qt::NoFocus);
    txtDisplay->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont large = txtDisplay->font();
    large.setPointSizeF(large.pointSizeF() * 1.4);
    txtDisplay->setFont(large);
    // Room for the display's every character; the longest result, a negative
    // number with an exponent, is as long.
    txtDisplay->setMinimumWidth(txtDisplay->fontMetrics().horizontalAdvance(
                                    QString(static_cast<qsizetype>(Calculator::kDisplayChars), QLatin1Char('8'))) +
                                16);
    grid->addWidget(txtDisplay, 0, 0, 1, 5);

    cmdBackSpace = addKey("cmdBackSpace", QStringLiteral("BackSpace"));
    cmdClear = addKey("cmdClear", QStringLiteral("Clear"));
    cmdExit = addKey("cmdExit", QStringLiteral("E&xit"));
    grid->addWidget(cmdBackSpace, 1, 0, 1, 2);
    grid->addWidget(cmdClear, 1, 2, 1, 2);
    grid->addWidget(cmdExit, 1, 4);

    for (int d = 0; d < 10; ++d) {
        const QByteArray name = "cmd" + QByteArray::number(d);
        digits_[d] = addKey(name.constData(), QString::number(d));
        connect(digits_[d], &QPushButton::clicked, this, [this, d] { typed(calculator_.digit(d)); });
    }
    //  7   8   9   /   SqRt
    //  4   5   6   X   1/y
    //  1   2   3   -   =
    //  0  +/-  .   +   =
    for (int d = 1; d < 10; ++d) grid->addWidget(digits_[d], 4 - (d - 1) / 3, (d - 1) % 3);
    grid->addWidget(digits_[0], 5, 0);

    cmdSign = addKey("cmdSign", QStringLiteral("+/-"));
    cmdDecimal = addKey("cmdDecimal", QStringLiteral("."));
    cmdDivide = addKey("cmdDivide", QStringLiteral("/"));
    cmdTimes = addKey("cmdTimes", QStringLiteral("X"));
    cmdMinus = addKey("cmdMinus", QStringLiteral("-"));
    cmdPlus = addKey("cmdPlus", QStringLiteral("+"));
    cmdSqRt = addKey("cmdSqRt", QStringLiteral("SqRt"));
    cmdFraction = addKey("cmdFraction", QStringLiteral("1/y"));
    cmdEquals = addKey("cmdEquals", QStringLiteral("="));
    cmdEquals->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    grid->addWidget(cmdSign, 5, 1);
    grid->addWidget(cmdDecimal, 5, 2);
    grid->addWidget(cmdDivide, 2, 3);
    grid->addWidget(cmdTimes, 3, 3);
    grid->addWidget(cmdMinus, 4, 3);
    grid->addWidget(cmdPlus, 5, 3);
    grid->addWidget(cmdSqRt, 2, 4);
    grid->addWidget(cmdFraction, 3, 4);
    grid->addWidget(cmdEquals, 4, 4, 2, 1);

    const auto operation = [this](QPushButton* key, Calculator::Operation op) {
        connect(key, &QPushButton::clicked, this, [this, op] {
            calculator_.operation(op);
            showDisplay();
        });
    };
    operation(cmdPlus, Calculator::Operation::Addition);
    operation(cmdMinus, Calculator::Operation::Subtraction);
    operation(cmdTimes, Calculator::Operation::Multiplication);
    operation(cmdDivide, Calculator::Operation::Division);

    const auto key = [this](QPushButton* button, void (Calculator::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { run(handler); });
    };
    connect(cmdDecimal, &QPushButton::clicked, this, [this] { typed(calculator_.point()); });
    key(cmdEquals, &Calculator::equals);
    key(cmdSign, &Calculator::changeSign);
    key(cmdFraction, &Calculator::reciprocal);
    key(cmdSqRt, &Calculator::squareRoot);
    key(cmdBackSpace, &Calculator::backSpace);
    key(cmdClear, &Calculator::clear);
    connect(cmdExit, &QPushButton::clicked, this, &CalculatorWindow::cmdExit_Click);
}

void CalculatorWindow::run(void (Calculator::*key)()) {
    (calculator_.*key)();
    showDisplay();
}

void CalculatorWindow::typed(bool taken) {
    // A number as long as the display holds takes no more: the key is refused
    // audibly rather than the number cut.
    if (!taken) QApplication::beep();
    showDisplay();
}

void CalculatorWindow::showDisplay() {
    txtDisplay->setText(QString::fromStdString(calculator_.display()));
    cmdBackSpace->setEnabled(calculator_.backSpaceEnabled());
}

// Closes the calculator and hands the focus back to the window it was opened from.
void CalculatorWindow::cmdExit_Click() {
    close();
    if (QWidget* opener = parentWidget()) opener->window()->activateWindow();
}

QPushButton* CalculatorWindow::keyFor(const QKeyEvent* event) const {
    // Shift is part of typing "+" or "*" on many layouts; the keypad sends its own flag.
    if (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) return nullptr;
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return digits_[key - Qt::Key_0];
    switch (key) {
    case Qt::Key_Period:
    case Qt::Key_Comma: // the keypad's decimal key in some languages
        return cmdDecimal;
    case Qt::Key_Plus: return cmdPlus;
    case Qt::Key_Minus: return cmdMinus;
    case Qt::Key_Asterisk:
    case Qt::Key_X: return cmdTimes;
    case Qt::Key_Slash: return cmdDivide;
    case Qt::Key_Equal:
    case Qt::Key_Return:
    case Qt::Key_Enter: return cmdEquals;
    case Qt::Key_Backspace: return cmdBackSpace;
    case Qt::Key_Delete: return cmdClear;
    case Qt::Key_Escape: return cmdExit;
    default: return nullptr;
    }
}

// The keyboard works the keys: digits, point, + - * x / = and Enter,
// Backspace, Delete for Clear and Escape for Exit. Copy takes the display.
void CalculatorWindow::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(txtDisplay->text());
        return;
    }
    if (QPushButton* key = keyFor(event)) {
        key->click(); // a disabled key does nothing
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace orvane
