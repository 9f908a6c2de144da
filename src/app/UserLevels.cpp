#include "app/UserLevels.h"

#include <QAction>
#include <QWidget>

#include <initializer_list>

namespace orvane {

namespace {

struct Tip {
    const char* control;
    const char* text;
};

// The tooltips a beginner sees; the other levels clear them.
constexpr Tip kBeginnerTips[] = {
    {"optnAppend", "This option adds any output to whatever is already recorded."},
    {"optnOverwrite", "This option erases any previous disk output and starts over."},
    {"frameSumLimits", "Specify the smallest and largest allowable sum values."},
    {"lblMaxDif", "Specify the largest allowable difference between two positions here."},
    {"txtMaxDif", "Specify the largest allowable difference between two positions here."},
    {"lblLastDrawMax", "How many numbers from the last draw can repeat?"},
    {"lblMaxConsecutives", "Limits consecutive numbers, such as 12-13-14-15."},
    {"framePosAnalysis", "Set the minimum and maximum values per position."},
    {"frameKeyNumbers", "Specify which numbers must always be present."},
    {"frameFilterVsHistory", "Prevent previously winning draws from being accepted."},
    {"frameEvensAllowed", "Specify exactly which Evens Groups you want to allow."},
    {"cmdChooseRandom", "Clicking on this button selects a single random number at a time."},
    {"cmdWheel", "This button starts the wheeling process."},
    {"cmdStopWheeling",
     "This button is only available only during a wheeling cycle.  Clicking on it will stop the wheel."},
    {"cmdClear", "This button clears the display area to the right labelled Results.  It also de-selects the smallest "
                 "selected number."},
    {"cmdExit", "Click here to quit this program."},
    {"chkEnableRavelin", "Selecting this feature speeds up the wheeling process."},
    {"optnOutToFile", "This option causes the results to be recorded to a disk file."},
    {"optnOutToPrinter", "This option causes the results to be printed on the printer."},
    {"optnOutToNothing", "This option keeps any results from being recorded at all."},
    {"lblPoolSize", "This displays how many numbers you have selected."},
    {"lblTimer", "This displays the amount of time that Orvane has been working on a wheel."},
    {"txtPassing", "This displays the percentage of sets that have passed the filters in use."},
    {"txtSetsPassing", "This displays a count of how many sets of numbers have passed all active filters."},
};

// At each level: shown, hidden, or left as it is.
enum Shown { V, H, Same };

struct Visibility {
    std::initializer_list<const char*> controls;
    Shown beginner, intermediate, advanced;
};

// The rows of positions G and H are there in games of seven and eight numbers.
// clang-format off
const Visibility kVisibility[] = {
    {{"lblLastDrawMaxShadowing", "txtLastDrawNumMaxPos", "frameEvenSignatures", "chkRequirePair", "frameOnesPlace",
      "optnUserLimits", "lblMin", "lblMax", "lblPosA", "lblPosB", "lblPosC", "lblPosD", "lblPosE", "lblPosF", "txtAMin",
      "txtAMax", "txtBMin", "txtBMax", "txtCMin", "txtCMax", "txtDMin", "txtDMax", "txtEMin", "txtEMax", "txtFMin",
      "txtFMax", "lblPosG", "lblPosH", "txtGMin", "txtGMax", "txtHMin", "txtHMax", "frameMidpoint", "frameSumPick", "mnuSumHits", "mnuMidpoint", "mnuNumberLines", "mnuShadowing",
      "mnuOnesFreq", "mnuABCount"},
     H, H, V},
    {{"chkAllowPairs", "chkAllowTwoPairs", "chkAllowThreePairs", "frameTensPlace", "frameLocks", "mnuSetSpan",
      "mnuSkipHit", "mnuHotNCold", "mnuTensFreq", "mnuHPosDif", "mnuVPosDif"},
     H, V, V},
    {{"mnuRecordNumbers"}, H, Same, V},
};
// clang-format on

// Sets `set` on the window's own control of that name: a widget of the window
// itself (not of a window opened from it that uses the same name), or a menu item.
template <typename Setter> void setOnNamed(QWidget& window, const char* name, Setter set) {
    const QString objectName = QLatin1String(name);
    for (QWidget* widget : window.findChildren<QWidget*>(objectName))
        if (widget->window() == &window) set(widget);
    for (QAction* action : window.findChildren<QAction*>(objectName)) set(action);
}

const char* levelItemName(UserLevel level) {
    return level == UserLevel::Beginner       ? "mnuBeginner"
           : level == UserLevel::Intermediate ? "mnuIntermediate"
                                              : "mnuAdvanced";
}

} // namespace

UserLevel userLevelOf(QWidget& window) {
    for (UserLevel level : {UserLevel::Beginner, UserLevel::Intermediate})
        if (auto* action = window.findChild<QAction*>(QLatin1String(levelItemName(level)));
            action && action->isChecked())
            return level;
    return UserLevel::Advanced;
}

void applyUserLevel(QWidget& window, UserLevel level) {
    const char* item = levelItemName(level);
    if (auto* action = window.findChild<QAction*>(QLatin1String(item))) action->setChecked(true);

    for (const Tip& tip : kBeginnerTips) {
        const QString text = level == UserLevel::Beginner ? QString::fromLatin1(tip.text) : QString();
        setOnNamed(window, tip.control, [&text](auto* control) { control->setToolTip(text); });
    }
    for (const Visibility& row : kVisibility) {
        const Shown shown = level == UserLevel::Beginner       ? row.beginner
                            : level == UserLevel::Intermediate ? row.intermediate
                                                               : row.advanced;
        if (shown == Same) continue;
        for (const char* name : row.controls)
            setOnNamed(window, name, [shown](auto* control) { control->setVisible(shown == V); });
    }
}

} // namespace orvane
