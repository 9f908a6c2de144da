#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QGroupBox>

using namespace orvane;

// The user levels change only what shows and the tooltips, never a value.
class UserLevelsTest : public QObject {
    Q_OBJECT

private:
    WindowFixture f;

    bool shown(const char* name) const { return !f.find<QWidget>(QLatin1String(name))->isHidden(); }
    bool itemShown(const char* name) const { return f.find<QAction>(QLatin1String(name))->isVisible(); }
    // Everything the levels touch, as one text to compare states by.
    QString state() const {
        QString text;
        for (const char* name : {"chkRequirePair", "chkAllowPairs", "frameTensPlace", "frameOnesPlace", "txtAMin",
                                 "frameMidpoint", "frameLocks", "lblLastDrawMaxShadowing", "cmdWheel", "txtMaxDif"}) {
            auto* widget = f.find<QWidget>(QLatin1String(name));
            text +=
                QStringLiteral("%1 %2 %3\n").arg(QLatin1String(name)).arg(widget->isHidden()).arg(widget->toolTip());
        }
        for (const char* name :
             {"mnuRecordNumbers", "mnuSumHits", "mnuSkipHit", "mnuBeginner", "mnuIntermediate", "mnuAdvanced"}) {
            auto* action = f.find<QAction>(QLatin1String(name));
            text +=
                QStringLiteral("%1 %2 %3\n").arg(QLatin1String(name)).arg(action->isVisible()).arg(action->isChecked());
        }
        return text;
    }

private slots:
    void init() { f.open(); }
    void cleanup() { f.close(); }

    void beginnerHidesAdvancedFiltersButKeepsTheirValues() {
        auto* requirePair = f.find<QCheckBox>("chkRequirePair");
        requirePair->setChecked(true);
        f.box("txtAMin")->setText(QStringLiteral("3"));
        f.trigger("mnuBeginner");
        QVERIFY(f.find<QAction>("mnuBeginner")->isChecked());
        QVERIFY(!f.find<QAction>("mnuAdvanced")->isChecked());
        QVERIFY(!shown("chkRequirePair") && requirePair->isChecked());
        QVERIFY(!shown("txtAMin"));
        QCOMPARE(f.text("txtAMin"), QStringLiteral("3"));
        QVERIFY(!shown("frameTensPlace") && !shown("frameSumPick") && !shown("chkAllowPairs"));
        QVERIFY(!itemShown("mnuRecordNumbers") && !itemShown("mnuSumHits") && !itemShown("mnuSkipHit"));
        QCOMPARE(f.find<QWidget>("cmdWheel")->toolTip(), QStringLiteral("This button starts the wheeling process."));
        QCOMPARE(f.find<QWidget>("txtMaxDif")->toolTip(),
                 QStringLiteral("Specify the largest allowable difference between two positions here."));
        // A hidden filter stays in force: a run still reads it.
        QVERIFY(shown("frameSumLimits"));
    }

    void intermediateShowsSomeAndLeavesRecordNumbersAsItWas() {
        f.trigger("mnuBeginner");
        f.trigger("mnuIntermediate");
        QVERIFY(shown("frameTensPlace") && shown("chkAllowPairs") && shown("frameLocks"));
        QVERIFY(!shown("frameOnesPlace") && !shown("chkRequirePair") && !shown("frameMidpoint"));
        QVERIFY(!itemShown("mnuRecordNumbers")); // left hidden after Beginner
        QVERIFY(itemShown("mnuSkipHit") && !itemShown("mnuSumHits"));
        QCOMPARE(f.find<QWidget>("cmdWheel")->toolTip(), QString());

        f.trigger("mnuAdvanced");
        f.trigger("mnuIntermediate");
        QVERIFY(itemShown("mnuRecordNumbers")); // left shown after Advanced
    }

    void aLevelAppliedTwiceIsTheSameAsOnceAndAdvancedShowsAll() {
        const QString advanced = state();
        f.trigger("mnuBeginner");
        const QString once = state();
        f.trigger("mnuBeginner");
        QCOMPARE(state(), once);
        f.trigger("mnuAdvanced");
        QCOMPARE(state(), advanced);
    }

    void toolWindowsKeepTheirOwnControls() {
        // The history update window has its own cmdClear and cmdExit: a level
        // puts the main window's tooltips on the main window's buttons only.
        f.trigger("mnuUpdateHistory");
        f.trigger("mnuBeginner");
        QWidget* tool = f.find<QWidget>("frmVNUpdateMain");
        for (QWidget* button : tool->findChildren<QWidget*>(QStringLiteral("cmdClear")))
            QCOMPARE(button->toolTip(), QString());
    }
};

QTEST_MAIN(UserLevelsTest)
#include "UserLevelsTest.moc"
