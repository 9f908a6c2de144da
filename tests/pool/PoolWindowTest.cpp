#include "platform/FixedFont.h"
#include "pool/PoolWindow.h"

#include "pool/PoolGeneration.h"
#include "pool/PoolReport.h"
#include "reports/ReportHistory.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QMenuBar>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace orvane;

// The pool window as the user reaches it: made hidden with the main window,
// shown from its menu, on the fake desktop with the sample history.
class PoolWindowTest : public QObject {
    Q_OBJECT

private:
    WindowFixture fixture;

    PoolWindow* pool() const { return fixture.window->findChild<PoolWindow*>(QStringLiteral("frmGathraMain")); }
    template <typename T> T* inPool(const QString& name) const {
        T* control = pool()->findChild<T*>(name);
        if (!control) qFatal("no pool control named %s", qPrintable(name));
        return control;
    }
    void clickPool(const QString& name) const { QTest::mouseClick(inPool<QPushButton>(name), Qt::LeftButton); }
    QComboBox* combo(const QString& name) const { return inPool<QComboBox>(name); }
    QRadioButton* option(const QString& name) const { return inPool<QRadioButton>(name); }
    QCheckBox* check(const QString& name) const { return inPool<QCheckBox>(name); }
    QString output() const { return inPool<QPlainTextEdit>(QStringLiteral("txtOutput"))->toPlainText(); }
    QString action() const { return inPool<QLineEdit>(QStringLiteral("txtAction"))->text(); }
    QString status() const { return inPool<QPlainTextEdit>(QStringLiteral("txtStatus"))->toPlainText(); }

    QString historyPath() const { return QString::fromStdString(fixture.shared->historyPath); }
    QString poolPath() const { return QString::fromStdString(fixture.shared->poolPath); }
    void writeFile(const QString& path, const QByteArray& bytes) const {
        QVERIFY(WindowFixture::writeFile(path, bytes));
    }
    QByteArray fileBytes(const QString& path) const { return WindowFixture::fileBytes(path); }
    bool beginToEnd() const {
        QSignalSpy ended(pool(), &PoolWindow::runEnded);
        clickPool(QStringLiteral("cmdBegin"));
        return ended.count() == 1 || ended.wait(20000);
    }
    // The engine's pool for the sample.
    std::vector<int> expectedPool(int trend, int groups, int size, int draws) const {
        return generatePool(readReportHistory(ORVANE_SAMPLE_HISTORY).draws, PoolParameters{trend, groups, size, draws})
            .pool;
    }
    QString minimumText(const std::vector<int>& numbers) const {
        return QString::fromStdString(minimumPoolText(numbers)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    QStringList selectedNumbers() const {
        QStringList numbers;
        for (QListWidgetItem* item : fixture.find<QListWidget>(QStringLiteral("lstNumbers"))->selectedItems())
            numbers << item->text();
        std::sort(numbers.begin(), numbers.end(),
                  [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        return numbers;
    }
    // The main window's commands a pool run disables that are disabled now.
    QStringList lockedCommands() const {
        QStringList locked;
        for (const char* name : {"mnuSaveSettings", "mnuRestoreSettings", "mnuSaveGRAs", "mnuHistoryFile", "mnuExit",
                                 "mnuGathra", "mnuLoadGRPool", "mnuUpdateHistory", "mnuViewHistory"})
            if (!fixture.find<QAction>(QLatin1String(name))->isEnabled()) locked << QLatin1String(name);
        if (!fixture.find<QMenu>(QStringLiteral("mnuAnalysis"))->menuAction()->isEnabled()) locked << "mnuAnalysis";
        if (!fixture.find<QPushButton>(QStringLiteral("cmdWheel"))->isEnabled()) locked << "cmdWheel";
        return locked;
    }

private slots:
    void init() {
        fixture.open();
        QVERIFY(fixture.useHistory(QStringLiteral(ORVANE_SAMPLE_HISTORY)));
        fixture.window->show();
    }
    void cleanup() { fixture.close(); }

    void madeHiddenShownByTheMenuAndOnlyEverHidden() {
        QPointer<PoolWindow> window = pool();
        QVERIFY(window);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("VN-Gathra"));
        fixture.trigger(QStringLiteral("mnuGathra"));
        QVERIFY(window->isVisible());
        // The defaults.
        QCOMPARE(combo(QStringLiteral("cboTrendLength"))->currentText(), QStringLiteral("5"));
        QCOMPARE(combo(QStringLiteral("cboTrendLength"))->count(), 15);
        QCOMPARE(combo(QStringLiteral("cboBestGroups"))->currentText(), QStringLiteral("10"));
        QCOMPARE(combo(QStringLiteral("cboBestGroups"))->itemText(19), QStringLiteral("20"));
        QCOMPARE(combo(QStringLiteral("cboPoolSize"))->currentText(), QStringLiteral("49"));
        QCOMPARE(combo(QStringLiteral("cboPoolSize"))->itemText(0), QStringLiteral("7"));
        QVERIFY(option(QStringLiteral("optn1Draw"))->isChecked());
        QVERIFY(option(QStringLiteral("optnVerbose"))->isChecked());
        QVERIFY(!check(QStringLiteral("chkSaveToDisk"))->isChecked());
        QVERIFY(!check(QStringLiteral("chkSendToPrinter"))->isChecked());
        QVERIFY(!inPool<QPushButton>(QStringLiteral("cmdStop"))->isEnabled());
        // Its About box keeps the window disabled while it is up.
        inPool<QAction>(QStringLiteral("mnuAbout"))->trigger();
        auto* about = fixture.window->findChild<QDialog*>(QStringLiteral("frmAboutGathra"));
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("About VN-Tambril"));
        QVERIFY(!window->centralWidget()->isEnabled());
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QVERIFY(window->centralWidget()->isEnabled());
        QVERIFY(window->menuBar()->isEnabled());

        // Exit and the title bar hide it; its choices stay.
        combo(QStringLiteral("cboTrendLength"))->setCurrentText(QStringLiteral("7"));
        clickPool(QStringLiteral("cmdExit"));
        QVERIFY(window && !window->isVisible());
        fixture.trigger(QStringLiteral("mnuGathra"));
        window->close();
        QVERIFY(window && !window->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window);
        QCOMPARE(combo(QStringLiteral("cboTrendLength"))->currentText(), QStringLiteral("7"));
        fixture.trigger(QStringLiteral("mnuGathra"));
        QTest::keyClick(inPool<QPushButton>(QStringLiteral("cmdBegin")), Qt::Key_Escape);
        QVERIFY(window && !window->isVisible());
    }

    void beginShowsTheEnginesPoolAndRestoresEverything() {
        fixture.trigger(QStringLiteral("mnuGathra"));
        combo(QStringLiteral("cboPoolSize"))->setCurrentText(QStringLiteral("10"));
        option(QStringLiteral("optnMinimum"))->setChecked(true);
        option(QStringLiteral("optn3Draws"))->setChecked(true);
        writeFile(poolPath(), "old pool\r\n");
        QSignalSpy ended(pool(), &PoolWindow::runEnded);
        clickPool(QStringLiteral("cmdBegin"));
        // Running: the main window's commands wait, the window's own are locked.
        QCOMPARE(lockedCommands().size(), 11);
        for (const char* name : {"cmdBegin", "cmdExit", "cmdClear", "chkSaveToDisk", "cboPoolSize", "optnVerbose",
                                 "optn1Draw", "optn5Draws"})
            QVERIFY2(!inPool<QWidget>(QLatin1String(name))->isEnabled(), name);
        QVERIFY(option(QStringLiteral("optn3Draws"))->isEnabled());
        QVERIFY(inPool<QPushButton>(QStringLiteral("cmdStop"))->isEnabled());
        QVERIFY(!inPool<QMenu>(QStringLiteral("mnoOpt"))->menuAction()->isEnabled());
        QVERIFY(ended.wait(20000));

        QCOMPARE(output(), minimumText(expectedPool(5, 10, 10, 3)));
        QCOMPARE(output().count(QLatin1Char('\n')), 10);
        QCOMPARE(action(), QStringLiteral("All Operations Complete."));
        QCOMPARE(status(), QStringLiteral("All Operations Complete."));
        QVERIFY(lockedCommands().isEmpty());
        QVERIFY(inPool<QPushButton>(QStringLiteral("cmdBegin"))->isEnabled());
        QVERIFY(option(QStringLiteral("optn5Draws"))->isEnabled());
        QVERIFY(!inPool<QPushButton>(QStringLiteral("cmdStop"))->isEnabled());
        // Without "Save Output To Disk" no pool file stays.
        QVERIFY(!QFile::exists(poolPath()));
        QVERIFY(fixture.platform->messages.isEmpty());
    }

    void verboseReportAndItsPrintout() {
        fixture.trigger(QStringLiteral("mnuGathra"));
        combo(QStringLiteral("cboPoolSize"))->setCurrentText(QStringLiteral("7"));
        option(QStringLiteral("optn3Draws"))->setChecked(true);
        check(QStringLiteral("chkSendToPrinter"))->setChecked(true);
        QVERIFY(beginToEnd());
        const QStringList lines = output().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 16); // 15 lines and the empty one after the last line end
        QCOMPARE(lines[0], QStringLiteral("VN-Gathra, a Part of VN-Tambril, Version 1.0, Build 135"));
        QCOMPARE(lines[1], QStringLiteral("For entertainment only; no method changes the odds of a draw."));
        QCOMPARE(lines[2], QStringLiteral("Requested Pool Size: 7"));
        QCOMPARE(lines[3], QStringLiteral("This number pool is good for the next 3 draw(s)."));
        QCOMPARE(lines[4], QStringLiteral("User specified trend length used: 5"));
        QCOMPARE(lines[5], QStringLiteral("User requested the use of the top 10 comparison groups."));
        QVERIFY(lines[6].startsWith(QStringLiteral("Report Generated ")));
        QCOMPARE(lines[7], QString());
        const std::vector<int> expected = expectedPool(5, 10, 7, 3);
        for (int rank = 1; rank <= 7; ++rank)
            QCOMPARE(lines[7 + rank],
                     QString::number(rank) + QStringLiteral(" - ") + QString::number(expected[rank - 1]));
        QCOMPARE(fixture.platform->printJobs.size(), 1);
        QVERIFY(measuresFixedPitch(fixture.platform->printJobs[0].font));
        QCOMPARE(fixture.platform->printJobs[0].pointSize, 11);
        QCOMPARE(fixture.platform->printJobs[0].lines, lines.mid(0, 15));
        QVERIFY(fixture.platform->printJobs[0].ended);
    }

    // A saved Minimum pool loads back into the main window's pick.
    void savedPoolLoadsIntoThePick() {
        fixture.trigger(QStringLiteral("mnuGathra"));
        combo(QStringLiteral("cboPoolSize"))->setCurrentText(QStringLiteral("10"));
        option(QStringLiteral("optnMinimum"))->setChecked(true);
        check(QStringLiteral("chkSaveToDisk"))->setChecked(true);
        QVERIFY(beginToEnd());
        const std::vector<int> expected = expectedPool(5, 10, 10, 1);
        const QByteArray saved = fileBytes(poolPath());
        QVERIFY(saved.startsWith(QByteArray::number(expected[0]) + " \r\n "));
        QVERIFY(saved.endsWith(" \r\n\r\n"));
        QCOMPARE(saved.count('\n'), 11);

        fixture.find<QListWidget>(QStringLiteral("lstNumbers"))->item(48)->setSelected(true);
        fixture.trigger(QStringLiteral("mnuLoadGRPool"));
        fixture.tick(QStringLiteral("Timer2"));
        QStringList wanted;
        for (int number : expected) wanted << QString::number(number);
        if (!wanted.contains(QStringLiteral("49"))) wanted << QStringLiteral("49");
        std::sort(wanted.begin(), wanted.end(),
                  [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        QCOMPARE(selectedNumbers(), wanted);
        QCOMPARE(fixture.find<QLabel>(QStringLiteral("lblPoolSize"))->text(), QString::number(wanted.size()));
        QVERIFY(fixture.platform->messages.isEmpty());
    }

    // A pool file chosen at the history's path never replaces the history.
    void theHistoryIsNeverSavedOverNorDeleted() {
        fixture.shared->poolPath = fixture.shared->historyPath;
        const QByteArray history = fileBytes(historyPath());
        fixture.trigger(QStringLiteral("mnuGathra"));
        check(QStringLiteral("chkSaveToDisk"))->setChecked(true);
        QVERIFY(beginToEnd());
        QCOMPARE(fileBytes(historyPath()), history);
        QCOMPARE(fixture.platform->messages.size(), 1);
        QVERIFY(fixture.platform->messages[0].text.contains(QStringLiteral("is the history file")));
        check(QStringLiteral("chkSaveToDisk"))->setChecked(false);
        QVERIFY(beginToEnd());
        QCOMPARE(fileBytes(historyPath()), history);
    }

    // A pool file of 10,000 numbers, each number over and over: every number
    // joins the pick, and one out of range at the end still says so.
    void loadPicksTakesALongPoolFile() {
        QByteArray numbers;
        for (int i = 0; i < 10'000; ++i) numbers += QByteArray::number(i % 48 + 2) + "\r\n";
        writeFile(poolPath(), numbers + "\r\n");
        fixture.trigger(QStringLiteral("mnuLoadGRPool"));
        fixture.tick(QStringLiteral("Timer2"));
        QCOMPARE(selectedNumbers().size(), 48);
        QVERIFY(!selectedNumbers().contains(QStringLiteral("1")));
        QCOMPARE(fixture.find<QLabel>(QStringLiteral("lblPoolSize"))->text(), QStringLiteral("48"));
        QVERIFY(fixture.platform->messages.isEmpty());

        writeFile(poolPath(), numbers + "1\r\n0\r\n");
        fixture.trigger(QStringLiteral("mnuLoadGRPool"));
        fixture.tick(QStringLiteral("Timer2"));
        QCOMPARE(fixture.find<QLabel>(QStringLiteral("lblPoolSize"))->text(), QStringLiteral("49"));
        QCOMPARE(fixture.platform->messages.size(), 1);
        QVERIFY(fixture.platform->messages[0].text.contains(
            QStringLiteral("on its line 10002 \"0\" is not a number from 1 to 49")));
    }

    void loadPicksFailuresSayWhatToDoAndKeepWhatWasSelected() {
        auto load = [this] {
            fixture.trigger(QStringLiteral("mnuLoadGRPool"));
            fixture.tick(QStringLiteral("Timer2"));
            return fixture.platform->messages.last();
        };
        QFile::remove(poolPath());
        FakePlatform::Message shown = load();
        QCOMPARE(shown.title, QStringLiteral("Unable To Continue"));
        QCOMPARE(shown.icon, NoticeIcon::Exclamation);
        QVERIFY(shown.text.startsWith(QStringLiteral("There is no pool file ") + poolPath()));
        QVERIFY(shown.text.contains(QStringLiteral("\"Save Output To Disk\"")));
        writeFile(poolPath(), "VN-Gathra, a Part of VN-Tambril\r\n\r\n");
        QVERIFY(load().text.contains(QStringLiteral("is a Verbose report of VN-Gathra that ranks no numbers.")));
        QVERIFY(selectedNumbers().isEmpty());
        writeFile(poolPath(), " 7 \r\n 50 \r\n 9 \r\n");
        QVERIFY(load().text.contains(QStringLiteral("is a list of numbers, but on its line 2 \"50\"")));
        QCOMPARE(selectedNumbers(), QStringList({"7"}));
        // A failed load is not retried on the next tick.
        const qsizetype shownCount = fixture.platform->messages.size();
        fixture.tick(QStringLiteral("Timer2"));
        QCOMPARE(fixture.platform->messages.size(), shownCount);
    }

    // A run saved in the Verbose style loads too, and says so.
    void aSavedVerboseReportLoadsIntoThePick() {
        fixture.trigger(QStringLiteral("mnuGathra"));
        combo(QStringLiteral("cboPoolSize"))->setCurrentText(QStringLiteral("8"));
        option(QStringLiteral("optnVerbose"))->setChecked(true);
        check(QStringLiteral("chkSaveToDisk"))->setChecked(true);
        QVERIFY(beginToEnd());
        QVERIFY(fileBytes(poolPath()).startsWith("VN-Gathra"));
        fixture.trigger(QStringLiteral("mnuLoadGRPool"));
        fixture.tick(QStringLiteral("Timer2"));
        QStringList wanted;
        for (int number : expectedPool(5, 10, 8, 1)) wanted << QString::number(number);
        std::sort(wanted.begin(), wanted.end(),
                  [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        QCOMPARE(selectedNumbers(), wanted);
        QCOMPARE(fixture.find<QLabel>(QStringLiteral("lblPoolSize"))->text(), QStringLiteral("8"));
        QCOMPARE(fixture.platform->messages.size(), 1);
        QCOMPARE(fixture.platform->messages[0].icon, NoticeIcon::Information);
        QVERIFY(fixture.platform->messages[0].text.contains(
            QStringLiteral("is a Verbose report of VN-Gathra; the 8 numbers")));
    }

    // Stopped before its first slice: nothing shown, saved or printed.
    void aStoppedRunNeitherSavesNorPrints() {
        fixture.trigger(QStringLiteral("mnuGathra"));
        check(QStringLiteral("chkSaveToDisk"))->setChecked(true);
        check(QStringLiteral("chkSendToPrinter"))->setChecked(true);
        writeFile(poolPath(), " 7 \r\n");
        QSignalSpy ended(pool(), &PoolWindow::runEnded);
        clickPool(QStringLiteral("cmdBegin"));
        clickPool(QStringLiteral("cmdStop"));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(output(), QString());
        QCOMPARE(fileBytes(poolPath()), QByteArray(" 7 \r\n"));
        QVERIFY(fixture.platform->printJobs.isEmpty());
        QVERIFY(lockedCommands().isEmpty());
        QVERIFY(inPool<QPushButton>(QStringLiteral("cmdBegin"))->isEnabled());
        QVERIFY(fixture.platform->messages.isEmpty());
    }

    void badValuesAreRefusedWithTheirRange() {
        fixture.trigger(QStringLiteral("mnuGathra"));
        for (const auto& [box, text] :
             {std::pair{"cboTrendLength", "0"}, std::pair{"cboTrendLength", "abc"}, std::pair{"cboTrendLength", "300"},
              std::pair{"cboBestGroups", "0"}, std::pair{"cboPoolSize", "50"}}) {
            fixture.platform->messages.clear();
            const QString before = combo(QLatin1String(box))->currentText();
            combo(QLatin1String(box))->setCurrentText(QLatin1String(text));
            QVERIFY(beginToEnd());
            QCOMPARE(fixture.platform->messages.size(), 1);
            QVERIFY2(!fixture.platform->messages[0].text.isEmpty(), box);
            QCOMPARE(output(), QString());
            QVERIFY(lockedCommands().isEmpty());
            QVERIFY(inPool<QPushButton>(QStringLiteral("cmdBegin"))->isEnabled());
            combo(QLatin1String(box))->setCurrentText(before);
        }
        // A missing history names the file.
        QFile::remove(historyPath());
        fixture.platform->messages.clear();
        QVERIFY(beginToEnd());
        QCOMPARE(fixture.platform->messages.size(), 1);
        QVERIFY(fixture.platform->messages[0].text.contains(historyPath()));
    }

    // The batch ends as a Begin with T = 5, P = 49, N = 5 and the Minimum style.
    void theBatchEndsWithTheFiveDrawPool() {
        fixture.trigger(QStringLiteral("mnuGathra"));
        combo(QStringLiteral("cboTrendLength"))->setCurrentText(QStringLiteral("8"));
        combo(QStringLiteral("cboPoolSize"))->setCurrentText(QStringLiteral("12"));
        check(QStringLiteral("chkSaveToDisk"))->setChecked(true);
        QFile::remove(poolPath());
        QSignalSpy ended(pool(), &PoolWindow::runEnded);
        inPool<QAction>(QStringLiteral("mnuOptimize"))->trigger();
        QVERIFY(!inPool<QPushButton>(QStringLiteral("cmdBegin"))->isEnabled());
        QVERIFY(inPool<QPushButton>(QStringLiteral("cmdStop"))->isEnabled());
        QVERIFY(!inPool<QAction>(QStringLiteral("mnuOptimize"))->isEnabled() ||
                !inPool<QMenu>(QStringLiteral("mnoOpt"))->menuAction()->isEnabled());
        QVERIFY(ended.wait(20000));
        QCOMPARE(output(), minimumText(expectedPool(5, 10, 49, 5)));
        QVERIFY(option(QStringLiteral("optn5Draws"))->isChecked());
        QVERIFY(option(QStringLiteral("optnMinimum"))->isChecked());
        QCOMPARE(combo(QStringLiteral("cboPoolSize"))->currentText(), QStringLiteral("49"));
        QCOMPARE(combo(QStringLiteral("cboTrendLength"))->currentText(), QStringLiteral("8"));
        QVERIFY(!QFile::exists(poolPath()));
        QVERIFY(lockedCommands().isEmpty());
        QVERIFY(inPool<QPushButton>(QStringLiteral("cmdBegin"))->isEnabled());
        for (const char* name : {"optn1Draw", "optn2Draws", "cboPoolSize", "optnVerbose", "cmdClear"})
            QVERIFY2(inPool<QWidget>(QLatin1String(name))->isEnabled(), name);
    }

    // The settings file's pool lines come from the window and go back to it.
    void settingsCarryTheWindowsChoices() {
        combo(QStringLiteral("cboPoolSize"))->setCurrentText(QStringLiteral("21"));
        option(QStringLiteral("optnMinimum"))->setChecked(true);
        option(QStringLiteral("optn4Draws"))->setChecked(true);
        combo(QStringLiteral("cboTrendLength"))->setCurrentText(QStringLiteral("9"));
        combo(QStringLiteral("cboBestGroups"))->setCurrentText(QStringLiteral("3"));
        check(QStringLiteral("chkSendToPrinter"))->setChecked(true);
        const PoolWindowSettings saved = pool()->settings();
        QCOMPARE(saved.poolSize, std::string("21"));
        QCOMPARE(saved.style, 0);
        QCOMPARE(saved.draws, 3);
        QCOMPARE(saved.trendLength, std::string("9"));
        QCOMPARE(saved.bestGroups, std::string("3"));
        QCOMPARE(saved.sendToPrinter, 1);
        pool()->applySettings(PoolWindowSettings{});
        QCOMPARE(combo(QStringLiteral("cboPoolSize"))->currentText(), QStringLiteral("49"));
        QVERIFY(option(QStringLiteral("optn1Draw"))->isChecked());
        pool()->applySettings(saved);
        QCOMPARE(pool()->settings().draws, 3);
        QVERIFY(option(QStringLiteral("optn4Draws"))->isChecked());
        QCOMPARE(combo(QStringLiteral("cboTrendLength"))->currentText(), QStringLiteral("9"));
    }

    // One dialog for the pool file, from either window, remembering its last name.
    void bothSaveAsCommandsShareTheDialog() {
        const QString chosen = QDir(fixture.folder.path()).filePath(QStringLiteral("mine.GR"));
        fixture.platform->fileAnswers << chosen;
        fixture.trigger(QStringLiteral("mnuSaveGRAs"));
        QCOMPARE(poolPath(), chosen);
        QCOMPARE(fixture.platform->messages.last().text, QStringLiteral("Output will be saved to ") + chosen);
        inPool<QAction>(QStringLiteral("mnuSave"))->trigger(); // cancelled: the earlier name again
        QCOMPARE(fixture.platform->fileDialogs.last().fileName, chosen);
        QCOMPARE(fixture.platform->fileDialogs.last().defaultExtension, QStringLiteral(".GR"));
        QCOMPARE(poolPath(), chosen);
    }

    // The uninstall preparation stops a running pool job.
    void theUninstallPreparationStopsARun() {
        fixture.trigger(QStringLiteral("mnuGathra"));
        QSignalSpy ended(pool(), &PoolWindow::runEnded);
        clickPool(QStringLiteral("cmdBegin"));
        fixture.shared->poolStop = true;
        QVERIFY(ended.wait(20000));
        QCOMPARE(output(), QString());
        QVERIFY(!fixture.shared->poolStop);
        QVERIFY(lockedCommands().isEmpty());
    }
};

QTEST_MAIN(PoolWindowTest)
#include "PoolWindowTest.moc"
