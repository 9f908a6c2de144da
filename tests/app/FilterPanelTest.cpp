#include "support/WindowFixture.h"

#include "core/NumberText.h"
#include "support/UserLocale.h"
#include "wheel/WheelJob.h"

#include <functional>

#include <QCheckBox>
#include <QSignalSpy>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

using namespace orvane;

class FilterPanelTest : public QObject {
    Q_OBJECT

    WindowFixture f;

    QCheckBox* check(const char* name) { return f.find<QCheckBox>(QLatin1String(name)); }
    QRadioButton* option(const char* name) { return f.find<QRadioButton>(QLatin1String(name)); }
    void type(const char* name, const QString& text) {
        QLineEdit* box = f.box(QLatin1String(name));
        box->clear();
        QTest::keyClicks(box, text);
    }
    QString lastMessage() const {
        return f.platform->messages.isEmpty() ? QString() : f.platform->messages.last().text;
    }

private slots:
    void init() { f.open(); }
    void cleanup() { f.close(); }

    void tabsHoldTheirControlsWithDefaults() {
        auto* sums = f.find<QListWidget>(QStringLiteral("lstSums"));
        QCOMPARE(sums->count(), 259);
        QCOMPARE(sums->item(0)->text(), QStringLiteral("21"));
        QCOMPARE(sums->item(258)->text(), QStringLiteral("279"));
        QCOMPARE(f.text(QStringLiteral("txtMaxDif")), QStringLiteral("44"));
        QCOMPARE(f.text(QStringLiteral("txtOnes_9")), QStringLiteral("6"));
        QCOMPARE(f.text(QStringLiteral("txtTens_4")), QStringLiteral("6"));
        QCOMPARE(f.text(QStringLiteral("txtFMax")), QStringLiteral("49"));
        QCOMPARE(f.text(QStringLiteral("txtMaxBelowMid")), QStringLiteral("6"));
        QCOMPARE(f.text(QStringLiteral("txtMinAboveMid")), QStringLiteral("0"));
        QVERIFY(check("chkEvens_6")->isChecked());
        QVERIFY(check("chkAllowThreePairs")->isChecked());
        QCOMPARE(check("chkRequirePair")->text(), QStringLiteral("Require Sets With At Least One  Pair"));
        f.box(QStringLiteral("TxtEOut_4"));
        f.box(QStringLiteral("txt1FIn"));
        f.box(QStringLiteral("txtPoolGrp6_7"));
        f.box(QStringLiteral("txtXPosF_9"));
        for (const char* name :
             {"chkL25SDR", "chkEnableHCF", "chkDynaSum", "txtMinSumHits", "txtMCEPV", "txtMaxNumsPerPos"}) {
            QWidget* control = f.find<QWidget>(QLatin1String(name));
            QVERIFY2(!control->isEnabled(), name);
            QVERIFY2(!control->toolTip().isEmpty(), name);
        }
    }

    void positionalAnalysisFollowsItsBoxAndTheStoredKey() {
        QVERIFY(!check("chkEnablePosAnalysis")->isChecked());
        QVERIFY(!option("optn50")->isEnabled());
        QVERIFY(f.box(QStringLiteral("txtAMin"))->isReadOnly());
        check("chkEnablePosAnalysis")->click();
        QVERIFY(option("optn50")->isEnabled());
        QVERIFY(option("optnUserLimits")->isEnabled());
        QVERIFY(!f.box(QStringLiteral("txtFMax"))->isReadOnly());

        f.platform->settings[QStringLiteral("Enable Positional Analysis")] = QStringLiteral("1");
        f.open();
        QVERIFY(check("chkEnablePosAnalysis")->isChecked());
        QVERIFY(option("optn90")->isEnabled());
    }

    void pairConflictHandlers() {
        check("chkAllowPairs")->click(); // now unchecked
        check("chkRequirePair")->click();
        QVERIFY(!check("chkRequirePair")->isChecked());
        QCOMPARE(f.platform->messages.size(), 1);
        QCOMPARE(f.platform->messages[0].title, QStringLiteral("Setting Conflict Detected:"));
        QCOMPARE(f.platform->messages[0].icon, NoticeIcon::Information);

        check("chkAllowPairs")->click();
        check("chkRequirePair")->click();
        QVERIFY(check("chkRequirePair")->isChecked());
        check("chkAllowPairs")->click();
        QVERIFY(!check("chkRequirePair")->isChecked());
        QCOMPARE(f.platform->messages.size(), 1); // silently
    }

    void midpointBoxesAcceptWholeNumbersFromZeroToSix() {
        type("txtMinAboveMid", QStringLiteral("7"));
        QCOMPARE(f.text(QStringLiteral("txtMinAboveMid")), QStringLiteral("0"));
        QCOMPARE(lastMessage(),
                 QStringLiteral("The value you have entered is invalid.  Enter a number from 0 to 6 in this box."));
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("Invalid Response"));
        QCOMPARE(f.text(QStringLiteral("txtMaxAboveMid")), QStringLiteral("6"));
        QCOMPARE(f.text(QStringLiteral("txtMinBelowMid")), QStringLiteral("0"));

        f.box(QStringLiteral("txtMaxBelowMid"))->setText(QStringLiteral("9"));
        QCOMPARE(f.text(QStringLiteral("txtMaxBelowMid")), QStringLiteral("6"));
        f.box(QStringLiteral("txtMaxAboveMid"))->setText(QStringLiteral("2.7"));
        QCOMPARE(f.text(QStringLiteral("txtMaxAboveMid")), QStringLiteral("2"));
        f.box(QStringLiteral("txtMinBelowMid"))->setText(QString());
        QCOMPARE(f.text(QStringLiteral("txtMinBelowMid")), QStringLiteral("0"));
        QCOMPARE(f.platform->messages.size(), 2);
    }

    void lastFifteenSumsComeFromTheHistoryWhenChecked() {
        QFile history(QString::fromStdString(f.shared->historyPath));
        QVERIFY(history.open(QIODevice::WriteOnly));
        history.write("010199  01 02 03 04 05 06\r\n");
        history.close();
        check("chkL15S")->click();
        QVERIFY(check("chkL15S")->isChecked());
        f.selectRange(0, 6);
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.text(QStringLiteral("txtSetsPassing")), QStringLiteral("6")); // 1..6 sums to 21
        // A draw recorded since the box was checked counts at the next start.
        QVERIFY(history.open(QIODevice::Append));
        history.write("020199  01 02 03 04 05 07\r\n");
        history.close();
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.text(QStringLiteral("txtSetsPassing")), QStringLiteral("5")); // and 1..5 7 sums to 22

        QFile::remove(QString::fromStdString(f.shared->historyPath));
        check("chkL15S")->click(); // off
        check("chkL15S")->click(); // on again, with no history
        QVERIFY(!check("chkL15S")->isChecked());
        QVERIFY(lastMessage().contains(QString::fromStdString(f.shared->historyPath)));
    }

    void startOfRunNormalisesTheBoxes() {
        f.box(QStringLiteral("txtOnes_3"))->setText(QStringLiteral("0.5"));
        f.box(QStringLiteral("txtTens_1"))->setText(QStringLiteral("9"));
        f.box(QStringLiteral("txtTens_2"))->setText(QStringLiteral("-4"));
        f.box(QStringLiteral("txtMaxDif"))->setText(QStringLiteral("-7.9"));
        f.box(QStringLiteral("txtMinSum"))->setText(QStringLiteral("5"));
        f.selectRange(0, 9);
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.text(QStringLiteral("txtOnes_3")), QStringLiteral("0"));
        QCOMPARE(f.text(QStringLiteral("txtTens_1")), QStringLiteral("6"));
        QCOMPARE(f.text(QStringLiteral("txtTens_2")), QStringLiteral("6"));
        QCOMPARE(f.text(QStringLiteral("txtMaxDif")), QStringLiteral("7"));
        QCOMPARE(f.text(QStringLiteral("txtMinSum")), QStringLiteral("21"));
        QCOMPARE(lastMessage(), QStringLiteral("The sum of a 6/49 Lotto drawing cannot be smaller than 21."));
        // No set holding 3 passes: of 1..10 that leaves the 84 sets of the other nine numbers.
        QCOMPARE(f.text(QStringLiteral("txtSetsPassing")), QStringLiteral("84"));
    }

    void anEmptyOrUnreadableBoxIsNamedAndNothingStarts() {
        f.find<QRadioButton>(QStringLiteral("optnOutToNothing"))->click();
        f.selectRange(0, 6);
        QVERIFY(f.wheelToEnd());
        f.find<QRadioButton>(QStringLiteral("optnOutToFile"))->click();
        QVERIFY(WindowFixture::writeFile(f.outputFile(), "kept\r\n"));
        const QStringList results = {f.text(QStringLiteral("txtOutput")), f.text(QStringLiteral("txtGenerated")),
                                     f.text(QStringLiteral("txtSetsPassing")), f.text(QStringLiteral("txtPassing"))};
        const std::vector<std::pair<std::function<void()>, QString>> cases{
            {[&] { f.box(QStringLiteral("txtMaxDif"))->clear(); },
             QStringLiteral("Maximum Difference (Filters A) is empty: type a number from 0 to 44.")},
            {[&] { f.box(QStringLiteral("txtMaxDif"))->setText(QStringLiteral("ab")); },
             QStringLiteral("Maximum Difference (Filters A) holds \"ab\": type a number from 0 to 44.")},
            {[&] {
                 check("chkEnableKeyNumbers")->click();
                 f.box(QStringLiteral("txtKeyNumber_2"))->setText(QStringLiteral("50"));
             },
             QStringLiteral("Key # 03 (Filters B) holds \"50\": type a number from 1 to 49, or leave the box empty.")}};
        for (const auto& [spoil, message] : cases) {
            f.box(QStringLiteral("txtMaxDif"))->setText(QStringLiteral("44"));
            f.platform->messages.clear();
            spoil();
            f.click(QStringLiteral("cmdWheel"));
            QVERIFY(!f.window->wheelRunning());
            QCOMPARE(f.platform->messages.size(), 1);
            QCOMPARE(f.platform->messages[0].text, message);
            QCOMPARE(f.platform->messages[0].icon, NoticeIcon::Exclamation);
            QCOMPARE(f.outputContents(), QByteArray("kept\r\n"));
            const QStringList now = {f.text(QStringLiteral("txtOutput")), f.text(QStringLiteral("txtGenerated")),
                                     f.text(QStringLiteral("txtSetsPassing")), f.text(QStringLiteral("txtPassing"))};
            QCOMPARE(now, results);
            QVERIFY(f.window->busy().idle());
        }
        // With the key numbers off again, the key box is not read and the run goes ahead.
        check("chkEnableKeyNumbers")->click();
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.text(QStringLiteral("txtSetsPassing")), QStringLiteral("7"));
    }

    void aLiveBoxThatCannotBeReadKeepsTheValuesInForce() {
        check("chkEnableGNG")->click();
        for (int i = 0; i < 4; ++i) f.box(QStringLiteral("txtPoolGrp2_%1").arg(i))->setText(QString::number(i + 1));
        f.selectRange(0, 11);
        QSignalSpy ended(f.window.get(), &MainWindow::wheelRunEnded);
        f.click(QStringLiteral("cmdWheel"));
        // Emptied to type another number: the run keeps the group 1 2 3 4 rather than 1 2 3.
        f.box(QStringLiteral("txtPoolGrp2_3"))->setText(QStringLiteral("x"));
        QTRY_COMPARE(ended.count(), 1);
        QCOMPARE(f.text(QStringLiteral("txtSetsPassing")), QStringLiteral("896"));
        QVERIFY(f.platform->messages.isEmpty());
    }

    // Under a German locale (the windows take the user's) the boxes still read a point.
    void boxesReadAPointUnderTheUsersLocale() {
        UserLocale locale("de_DE.UTF-8");
        if (!locale.active()) QSKIP("de_DE.UTF-8 is not available");
        check("chkEnablePosAnalysis")->click();
        option("optnUserLimits")->click();
        f.box(QStringLiteral("txtFMax"))->setText(QStringLiteral("48.6")); // rounds to 49, not 48
        f.box(QStringLiteral("txtMaxAboveMid"))->setText(QStringLiteral("0.5e1"));
        QCOMPARE(f.text(QStringLiteral("txtMaxAboveMid")), QStringLiteral("5"));
        f.box(QStringLiteral("txtMaxAboveMid"))->setText(QStringLiteral("6"));
        f.selectRange(42, 48);
        QVERIFY(f.wheelToEnd());
        // Every set of 43..49 keeps within the limits once F may reach 49; with 48 only 43..48 would.
        QCOMPARE(f.text(QStringLiteral("txtSetsPassing")), QStringLiteral("7"));
    }

    void aHistoryProblemStopsTheRunBeforeItStarts() {
        check("chkEvensSignatures")->click();
        f.shared->historyPath = (f.folder.path() + QStringLiteral("/absent.HIT")).toStdString();
        f.selectRange(0, 9);
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.platform->messages.size(), 1);
        QVERIFY(lastMessage().contains(QStringLiteral("absent.HIT")));
        QVERIFY(!QFile::exists(f.outputFile()));
        QVERIFY(f.find<QPushButton>(QStringLiteral("cmdWheel"))->isEnabled());
        QVERIFY(check("chkEvensSignatures")->isEnabled());
    }

    void exactValuesJoinThePick() {
        check("chkEnableXPos")->click();
        f.box(QStringLiteral("txtXPosF_0"))->setText(QStringLiteral("17"));
        f.box(QStringLiteral("txtXPosF_3"))->setText(QStringLiteral("55"));
        f.selectRange(0, 6);
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.find<QLabel>(QStringLiteral("lblPoolSize"))->text(), QStringLiteral("8"));
        QVERIFY(f.find<QListWidget>(QStringLiteral("lstNumbers"))->item(16)->isSelected());
        // Every passing set holds 17 in position F: five of the other seven numbers below it.
        const QList<QByteArray> lines = f.outputContents().trimmed().split('\n');
        QCOMPARE(lines.size(), 21);
        for (const QByteArray& line : lines) QCOMPARE(line.trimmed().split(' ')[5], QByteArray("17"));
    }

    void liveControlsChangedAfterTheStartApplyToTheRun() {
        f.selectRange(0, 11);
        QSignalSpy ended(f.window.get(), &MainWindow::wheelRunEnded);
        f.click(QStringLiteral("cmdWheel"));
        // The run has started but no set has been tested yet: the groups stay live.
        check("chkEnableGNG")->click();
        for (int i = 0; i < 4; ++i) f.box(QStringLiteral("txtPoolGrp2_%1").arg(i))->setText(QString::number(i + 1));
        QTRY_COMPARE(ended.count(), 1);
        // Of the 924 sets of 1..12, the 28 holding all of 1 2 3 4 fail.
        QCOMPARE(f.text(QStringLiteral("txtGenerated")), QStringLiteral("924"));
        QCOMPARE(f.text(QStringLiteral("txtSetsPassing")), QStringLiteral("896"));
    }

    void controlsAreLockedDuringARunAndGivenBack() {
        f.selectRange(0, 48);
        QSignalSpy ended(f.window.get(), &MainWindow::wheelRunEnded);
        f.click(QStringLiteral("cmdWheel"));
        for (const char* name :
             {"frameMidpoint", "frameLocks", "frameKeyNumbers", "frameSumPick", "frameFilterVsHistory"})
            QVERIFY2(!f.find<QGroupBox>(QLatin1String(name))->isEnabled(), name);
        for (const char* name : {"chkEnablePairsFilter", "chkEvens_3", "chkL15S", "chkEnablePosAnalysis",
                                 "chkEvensSignatures", "chkEnableRavelin"})
            QVERIFY2(!check(name)->isEnabled(), name);
        for (const char* name : {"txtOnes_0", "txtTens_0", "txtMaxDif", "txtMinSum", "txtMaxSum"})
            QVERIFY2(f.box(QLatin1String(name))->isReadOnly(), name);
        // The live controls stay open.
        QVERIFY(!f.box(QStringLiteral("txtLastDrawNumMax"))->isReadOnly());
        QVERIFY(f.box(QStringLiteral("txtLastDrawNumMax"))->isEnabled());
        QVERIFY(check("chkEnableGNG")->isEnabled());
        QVERIFY(f.box(QStringLiteral("txtPoolGrp1_0"))->isEnabled());
        f.click(QStringLiteral("cmdStopWheeling"));
        QTRY_COMPARE(ended.count(), 1);
        for (const char* name :
             {"frameMidpoint", "frameLocks", "frameKeyNumbers", "frameSumPick", "frameFilterVsHistory"})
            QVERIFY2(f.find<QGroupBox>(QLatin1String(name))->isEnabled(), name);
        QVERIFY(check("chkEnableRavelin")->isEnabled());
        QVERIFY(!f.box(QStringLiteral("txtMaxDif"))->isReadOnly());
        QVERIFY(!option("optn99")->isEnabled()); // positional limits still off
    }

    void aRunWithFiltersOnEveryTabMatchesTheEngine() {
        QFile history(QString::fromStdString(f.shared->historyPath));
        QVERIFY(history.open(QIODevice::WriteOnly));
        history.write("010199  03 11 17 25 38 44\r\n020199  01 05 09 12 20 30\r\n");
        history.close();
        // Filters A
        f.box(QStringLiteral("txtMinSum"))->setText(QStringLiteral("60"));
        f.box(QStringLiteral("txtMaxSum"))->setText(QStringLiteral("120"));
        f.box(QStringLiteral("txtMaxDif"))->setText(QStringLiteral("15"));
        f.box(QStringLiteral("txtLastDrawNumMax"))->setText(QStringLiteral("1"));
        check("chkEnablePairsFilter")->click();
        check("chkAllowTwoPairs")->click();
        check("chkEvens_0")->click();
        f.box(QStringLiteral("txtTens_0"))->setText(QStringLiteral("3"));
        check("chkEnablePosAnalysis")->click();
        option("optn90")->click();
        // Filters B
        f.box(QStringLiteral("txtMaxBelowMid"))->setText(QStringLiteral("4"));
        check("chkEnableKeyNumbers")->click();
        f.box(QStringLiteral("txtKeyNumber_0"))->setText(QStringLiteral("7"));
        f.box(QStringLiteral("txtKeyNumber_1"))->setText(QStringLiteral("8"));
        option("optnOR")->click();
        check("chkEnableLocks")->click();
        f.box(QStringLiteral("txtFOut_0"))->setText(QStringLiteral("20"));
        check("chkFAH")->click();
        f.box(QStringLiteral("txtMaxFAH"))->setText(QStringLiteral("2"));
        // Filters C
        check("chkEnableGNG")->click();
        for (int i = 0; i < 6; ++i) f.box(QStringLiteral("txtPoolGrp1_%1").arg(i))->setText(QString::number(i + 1));
        check("chkEnableRavelin")->click();
        f.selectRange(0, 29);

        // What the engine makes of the same controls.
        FilterControls controls;
        controls.minSum = "60";
        controls.maxSum = "120";
        controls.maxDif = "15";
        controls.lastDrawNumMax = "1";
        controls.enablePairs = 1;
        controls.allowTwoPairs = 0;
        controls.evensAllowed[0] = 0;
        controls.tens[0] = "3";
        controls.enablePosAnalysis = 1;
        controls.positionPreset = PositionPreset::Percent90;
        controls.maxBelowMid = "4";
        controls.enableKeyNumbers = 1;
        controls.keyNumbers[0] = "7";
        controls.keyNumbers[1] = "8";
        controls.keyRule = KeyRule::RequireAny;
        controls.enableLocks = 1;
        controls.lockedOut[25] = "20";
        controls.filterAgainstHistory = 1;
        controls.maxFromHistory = "2";
        controls.enableGroups = 1;
        controls.groups[0] = {"1", "2", "3", "4", "5", "6", "", ""};
        RunTables tables;
        QVERIFY(!readRunTables(controls, f.shared->historyPath, tables).has_value());
        std::vector<int> pick(30);
        std::iota(pick.begin(), pick.end(), 1);
        WheelJob job(pick, SetPipeline(controls, tables), nullptr);
        job.runToEnd();
        QVERIFY(job.passing() > 0);
        QVERIFY(job.passing() < job.generated() / 10);

        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.platform->messages.size(), 0);
        QCOMPARE(f.text(QStringLiteral("txtSetsPassing")), QString::fromStdString(formatCount(job.passing())));
        QCOMPARE(f.outputContents().count('\n'), static_cast<qsizetype>(job.passing()));
    }
};

QTEST_MAIN(FilterPanelTest)
#include "FilterPanelTest.moc"
