#pragma once

#include "accessories/Calculator.h"

#include <QMainWindow>

#include <array>

class QAction;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QPushButton;

namespace orvane {

// frmCalculator, "Calculator": a four-function calculator on a keypad. The
// keys and the keyboard drive the calculator engine; the window only shows
// its display and whether BackSpace has anything to remove. Exit closes the
// calculator, File > Exit asks for the whole program to end. The window
// deletes itself once closed.
class CalculatorWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit CalculatorWindow(QWidget* parent = nullptr);

signals:
    // Help > About Orvane...
    void aboutRequested();
    // File > Exit: the program is to end, as by the main window's own Exit.
    void exitProgramRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    void buildMenus();
    QPushButton* addKey(const char* name, const QString& caption);
    // Runs one key of the engine and shows what it left.
    void run(void (Calculator::*key)());
    // Shows a digit or point typed, beeping when the calculator refused it.
    void typed(bool taken);
    void showDisplay();
    void cmdExit_Click();
    // The key the keyboard's `event` stands for, if any.
    QPushButton* keyFor(const QKeyEvent* event) const;

    Calculator calculator_;

    QMenu* mnuFile = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;
    QLineEdit* txtDisplay = nullptr;
    std::array<QPushButton*, 10> digits_{}; // cmd0 .. cmd9
    QPushButton* cmdDecimal = nullptr;
    QPushButton* cmdPlus = nullptr;
    QPushButton* cmdMinus = nullptr;
    QPushButton* cmdTimes = nullptr;
    QPushButton* cmdDivide = nullptr;
    QPushButton* cmdEquals = nullptr;
    QPushButton* cmdSign = nullptr;
    QPushButton* cmdFraction = nullptr;
    QPushButton* cmdSqRt = nullptr;
    QPushButton* cmdBackSpace = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdExit = nullptr;
};

} // namespace orvane
