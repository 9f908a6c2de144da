#include "platform/FixedFont.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace orvane;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    WindowFixture f;

    void select(std::initializer_list<int> indexes) {
        for (int index : indexes) f.selectRange(index, index);
    }
    void expectIdleWindow() {
        for (const char* name : {"cmdWheel", "cmdClear", "cmdExit", "cmdChooseRandom"})
            QVERIFY2(f.find<QPushButton>(name)->isEnabled(), name);
        QVERIFY(!f.find<QPushButton>("cmdStopWheeling")->isEnabled());
        QVERIFY(f.find<QListWidget>("lstNumbers")->isEnabled());
        QVERIFY(f.find<QCheckBox>("chkEnableRavelin")->isEnabled());
        QVERIFY(!f.find<QLineEdit>("txtMinSum")->isReadOnly());
        QVERIFY(f.find<QPushButton>("cmdWheel")->isDefault());
        QVERIFY(!f.window->wheelRunning());
    }

private slots:
    void init() { f.open(); }
    void cleanup() { f.close(); }

    void loadSetsCaptionListAndDefaults() {
        QCOMPARE(f.window->objectName(), QStringLiteral("frmOrvaneMain"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Orvane - Version 1.00 Beta, Build 135"));
        auto* list = f.find<QListWidget>("lstNumbers");
        QCOMPARE(list->count(), 49);
        QCOMPARE(list->item(0)->text(), QStringLiteral("1"));
        QCOMPARE(list->item(48)->text(), QStringLiteral("49"));
        QCOMPARE(f.text("txtPassing"), QString());
        QVERIFY(!f.find<QPushButton>("cmdStopWheeling")->isEnabled());
        QVERIFY(!f.find<QAction>("mnuRecordNumbers")->isChecked());
        QCOMPARE(f.find<QPushButton>("cmdExit")->text(), QStringLiteral("Save Settings && Exit"));
    }

    void storedRecordSetNumbersChecksTheMenuItem() {
        f.platform->settings[QStringLiteral("Record Set Numbers")] = QStringLiteral("True");
        MainWindow other(*f.platform, *f.shared);
        QVERIFY(other.findChild<QAction*>(QStringLiteral("mnuRecordNumbers"))->isChecked());
    }

    void poolSizeCountsTheSelection() {
        select({0, 5, 48});
        QCOMPARE(f.find<QLabel>("lblPoolSize")->text(), QStringLiteral("3"));
        f.find<QListWidget>("lstNumbers")->item(5)->setSelected(false);
        QCOMPARE(f.find<QLabel>("lblPoolSize")->text(), QStringLiteral("2"));
    }

    void chooseRandomTakesTheLastFreeNumber() {
        f.selectRange(0, 48);
        f.find<QListWidget>("lstNumbers")->item(17)->setSelected(false);
        f.platform->randoms << 0.0 << 0.5 << 0.99 << 17.5 / 49;
        f.click("cmdChooseRandom");
        QVERIFY(f.find<QListWidget>("lstNumbers")->item(17)->isSelected());
        QCOMPARE(f.find<QLabel>("lblPoolSize")->text(), QStringLiteral("49"));
        QVERIFY(f.platform->messages.isEmpty());
    }

    void chooseRandomWithAllSelectedOnlyReports() {
        f.selectRange(0, 48);
        f.click("cmdChooseRandom");
        QCOMPARE(f.platform->messages.size(), 1);
        QCOMPARE(f.platform->messages[0].text, QStringLiteral("All possible numbers have been selected."));
        QCOMPARE(f.platform->messages[0].title, QStringLiteral("Cannot Execute Command"));
        QCOMPARE(f.platform->messages[0].icon, NoticeIcon::Exclamation);
    }

    void aRunRecordsEverySetAndShowsTheCounts() {
        select({0, 1, 2, 3, 4, 8, 11});
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.text("txtGenerated"), QStringLiteral("7"));
        QCOMPARE(f.text("txtSetsPassing"), QStringLiteral("7"));
        QCOMPARE(f.text("txtPassing"), QStringLiteral("100%"));
        QCOMPARE(f.text("txtOutput"), QStringLiteral("02 03 04 05 09 12"));
        const QByteArray contents = f.outputContents();
        QVERIFY(contents.startsWith("1 2 3 4 5 9\r\n1 2 3 4 5 12\r\n"));
        QCOMPARE(contents.count('\n'), 7);
        QVERIFY(f.platform->messages.isEmpty());
        expectIdleWindow();
    }

    void clearAfterARunEmptiesEverything() {
        f.selectRange(0, 6);
        QVERIFY(f.wheelToEnd());
        f.click("cmdClear");
        QCOMPARE(f.find<QLabel>("lblPoolSize")->text(), QStringLiteral("0"));
        QVERIFY(f.find<QListWidget>("lstNumbers")->selectedItems().isEmpty());
        QCOMPARE(f.text("txtGenerated"), QStringLiteral("0"));
        QCOMPARE(f.text("txtSetsPassing"), QStringLiteral("0"));
        QCOMPARE(f.text("txtOutput"), QString());
        QCOMPARE(f.text("txtPassing"), QString());
        QCOMPARE(f.find<QLabel>("lblTimer")->text(), QStringLiteral("00:00:00"));
    }

    void tooFewNumbersShowsProblemAndEndsEnabled() {
        // A first run's results stay on display through the refused one.
        f.find<QRadioButton>("optnOutToNothing")->click();
        f.selectRange(0, 6);
        QVERIFY(f.wheelToEnd());
        const QStringList before = {f.text("txtOutput"), f.text("txtGenerated"), f.text("txtSetsPassing"),
                                    f.text("txtPassing")};
        QCOMPARE(before, (QStringList{"02 03 04 05 06 07", "7", "7", "100%"}));
        f.find<QRadioButton>("optnOutToFile")->click();
        QFile old(f.outputFile());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("kept\r\n");
        old.close();
        f.find<QListWidget>("lstNumbers")->item(6)->setSelected(false);
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.platform->messages.size(), 1);
        QCOMPARE(f.platform->messages[0].title, QStringLiteral("Problem"));
        QCOMPARE(f.platform->messages[0].text,
                 QStringLiteral("Not enough numbers have been selected.  You must select at least 7 numbers in order "
                                "to wheel them."));
        QCOMPARE(f.platform->messages[0].icon, NoticeIcon::Exclamation);
        QCOMPARE(f.outputContents(), QByteArray("kept\r\n")); // the output was never opened
        const QStringList after = {f.text("txtOutput"), f.text("txtGenerated"), f.text("txtSetsPassing"),
                                   f.text("txtPassing")};
        QCOMPARE(after, before);
        expectIdleWindow();
    }

    void stopEndsTheRunAndStartBeginsAgainFromTheFirstSet() {
        f.selectRange(0, 48);
        QSignalSpy ended(f.window.get(), &MainWindow::wheelRunEnded);
        f.click("cmdWheel");
        QVERIFY(f.window->wheelRunning());
        QVERIFY(f.find<QPushButton>("cmdStopWheeling")->isDefault());
        QVERIFY(!f.find<QListWidget>("lstNumbers")->isEnabled());
        QVERIFY(f.find<QLineEdit>("txtMinSum")->isReadOnly());
        for (const char* menu : {"mnuFile", "mnuTools", "mnuHelp"})
            QVERIFY2(!f.find<QMenu>(menu)->menuAction()->isEnabled(), menu);
        for (const char* button : {"cmdWheel", "cmdExit", "cmdClear", "cmdChooseRandom"})
            QVERIFY2(!f.find<QPushButton>(button)->isEnabled(), button);
        QVERIFY(!f.window->busy().idle());
        QTRY_VERIFY(!f.text("txtGenerated").isEmpty());
        f.click("cmdStopWheeling");
        QTRY_COMPARE(ended.count(), 1);
        expectIdleWindow();
        QVERIFY(f.find<QMenu>("mnuFile")->menuAction()->isEnabled());
        QVERIFY(f.window->busy().idle());
        const QString generated = f.text("txtGenerated");
        QVERIFY(!generated.isEmpty());
        QVERIFY(f.text("txtGenerated") != QStringLiteral("13,983,816"));

        f.click("cmdWheel");
        QCOMPARE(f.text("txtSetsPassing"), QStringLiteral("0"));
        QCOMPARE(f.text("txtPassing"), QStringLiteral("0%"));
        QTRY_VERIFY(f.text("txtGenerated") != generated);
        f.click("cmdStopWheeling");
        QTRY_COMPARE(ended.count(), 2);
        QVERIFY(f.outputContents().startsWith("1 2 3 4 5 6\r\n1 2 3 4 5 7\r\n"));
    }

    void crossedSumLimitsAreCorrectedWithBothMessages() {
        f.find<QLineEdit>("txtMinSum")->setText(QStringLiteral("30"));
        f.find<QLineEdit>("txtMaxSum")->setText(QStringLiteral("20"));
        f.selectRange(0, 6);
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.platform->messages.size(), 2);
        QCOMPARE(f.platform->messages[0].title, QStringLiteral("Impossible Value Entered"));
        QCOMPARE(f.text("txtMinSum"), QStringLiteral("21"));
        QCOMPARE(f.text("txtMaxSum"), QStringLiteral("279"));
        QCOMPARE(f.text("txtGenerated"), QStringLiteral("7"));
    }

    void numberedAppendRestartsItsCountEachRun() {
        f.find<QRadioButton>("optnAppend")->setChecked(true);
        f.find<QAction>("mnuRecordNumbers")->trigger();
        f.selectRange(10, 16);
        QVERIFY(f.wheelToEnd());
        QVERIFY(f.wheelToEnd());
        const QList<QByteArray> lines = f.outputContents().split('\n');
        QCOMPARE(lines.size(), 15);
        QCOMPARE(lines[0], QByteArray("1 : 11 12 13 14 15 16\r"));
        QCOMPARE(lines[7], QByteArray("1 : 11 12 13 14 15 16\r"));
    }

    void unopenableOutputIsReportedAndNothingIsCounted() {
        f.shared->wheelOutputPath = (f.folder.path() + QStringLiteral("/missing/out.TB")).toStdString();
        f.selectRange(0, 9);
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.platform->messages.size(), 1);
        QVERIFY(f.platform->messages[0].text.contains(f.outputFile()));
        QCOMPARE(f.text("txtSetsPassing"), QString()); // refused before counting began
        expectIdleWindow();
    }

    void anOutputFileThatIsTheHistoryIsRefusedAndLeftWhole() {
        const QString history = f.folder.filePath(QStringLiteral("FL6-49.HIT"));
        QFile file(history);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("010199  01 02 03 04 05 06\r\n");
        file.close();
        f.shared->historyPath = history.toStdString();
        f.shared->wheelOutputPath = (f.folder.path() + QStringLiteral("/./FL6-49.HIT")).toStdString();
        f.selectRange(0, 9);
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.platform->messages.size(), 1);
        QCOMPARE(f.platform->messages[0].title, QStringLiteral("Output File Error"));
        QVERIFY(f.platform->messages[0].text.contains(QStringLiteral("is the history file")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("010199  01 02 03 04 05 06\r\n"));
        QCOMPARE(f.text("txtSetsPassing"), QString());
        expectIdleWindow();
    }

    void printerOutputPrintsTheHeaderAndNumberedLines() {
        f.find<QRadioButton>("optnOutToPrinter")->click();
        QVERIFY(!f.find<QRadioButton>("optnOverwrite")->isEnabled());
        QVERIFY(!f.find<QRadioButton>("optnAppend")->isEnabled());
        f.find<QAction>("mnuRecordNumbers")->trigger();
        f.selectRange(0, 6);
        // The document ends once the window is restored, over the final figures.
        bool idleAtEnd = false;
        QString passingAtEnd;
        f.platform->whenPrintEnds = [&] {
            idleAtEnd = f.window->busy().idle();
            passingAtEnd = f.text("txtSetsPassing");
        };
        QVERIFY(f.wheelToEnd());
        QVERIFY(idleAtEnd);
        QCOMPARE(passingAtEnd, QStringLiteral("7"));
        QCOMPARE(f.platform->printJobs.size(), 1);
        const FakePlatform::PrintJob& job = f.platform->printJobs[0];
        QVERIFY(measuresFixedPitch(job.font));
        QCOMPARE(job.pointSize, 12);
        QVERIFY(job.ended);
        QCOMPARE(job.lines.size(), 4 + 7);
        QCOMPARE(job.lines[1], QStringLiteral("7 numbers selected for wheeling."));
        QCOMPARE(job.lines[2], QStringLiteral("Report generated 07-04-1999 at 18:30:05"));
        QCOMPARE(job.lines[3], QString());
        QCOMPARE(job.lines[4], QStringLiteral("1: 01 02 03 04 05 06"));
        QCOMPARE(job.lines[10], QStringLiteral("7: 02 03 04 05 06 07"));
        QVERIFY(!f.find<QRadioButton>("optnOverwrite")->isEnabled());
        QVERIFY(!QFile::exists(f.outputFile()));
    }

    void aRunRefusedForItsHistoryOrOutputLeavesThePreviousResults() {
        // A first run, stopped after two ticks of the clock.
        f.find<QRadioButton>("optnOutToNothing")->click();
        f.selectRange(0, 48);
        QSignalSpy ended(f.window.get(), &MainWindow::wheelRunEnded);
        f.click("cmdWheel");
        f.tick("Timer1");
        f.tick("Timer1");
        f.click("cmdStopWheeling");
        QTRY_COMPARE(ended.count(), 1);
        const QStringList before = {f.text("txtOutput"), f.text("txtGenerated"), f.text("txtSetsPassing"),
                                    f.text("txtPassing"), f.find<QLabel>("lblTimer")->text()};
        QCOMPARE(before.last(), QStringLiteral("0:00:02"));

        // The last-draw filter needs a history that is not there.
        f.box("txtLastDrawNumMax")->setText(QStringLiteral("2"));
        f.shared->historyPath = f.folder.filePath(QStringLiteral("absent.HIT")).toStdString();
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("History File Problem"));
        f.tick("Timer1");
        // An output that cannot be opened.
        f.box("txtLastDrawNumMax")->setText(QStringLiteral("6"));
        f.find<QRadioButton>("optnOutToFile")->click();
        f.shared->wheelOutputPath = f.folder.filePath(QStringLiteral("missing/out.TB")).toStdString();
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("Output File Error"));
        f.tick("Timer1");

        const QStringList after = {f.text("txtOutput"), f.text("txtGenerated"), f.text("txtSetsPassing"),
                                   f.text("txtPassing"), f.find<QLabel>("lblTimer")->text()};
        QCOMPARE(after, before);
        expectIdleWindow();
    }

    void aLargePrintedRunAsksFirstAndNoStartsNothing() {
        f.find<QRadioButton>("optnOutToPrinter")->click();
        f.selectRange(0, 48);
        f.platform->replies << Platform::Reply::No;
        f.click("cmdWheel");
        QCOMPARE(f.platform->messages.size(), 1);
        const FakePlatform::Message& question = f.platform->messages[0];
        // Yes would print a ream of paper: No is the answer Enter gives.
        QCOMPARE(question.buttons, Platform::Buttons::YesNoDefaultNo);
        QVERIFY2(question.text.contains(QStringLiteral("13,983,816")), qPrintable(question.text));
        QVERIFY(f.platform->printJobs.isEmpty());
        QCOMPARE(f.text("txtPassing"), QString());
        expectIdleWindow();

        // 17 numbers make 12,376 sets: asked, and Yes prints them all.
        f.click("cmdClear");
        f.selectRange(0, 16);
        f.platform->replies << Platform::Reply::Yes;
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.platform->messages.size(), 2);
        QVERIFY(f.platform->messages[1].text.contains(QStringLiteral("12,376")));
        QCOMPARE(f.platform->printJobs.size(), 1);
        QCOMPARE(f.platform->printJobs[0].lines.size(), 4 + 12376);

        // 16 numbers make 8,008 sets: printed without a question.
        f.click("cmdClear");
        f.selectRange(0, 15);
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.platform->messages.size(), 2);
        QCOMPARE(f.platform->printJobs.size(), 2);
    }

    void closingTheWindowDuringARunEndsItWithTheOutputWhole() {
        f.selectRange(0, 48);
        f.window->show();
        QSignalSpy ended(f.window.get(), &MainWindow::wheelRunEnded);
        f.click("cmdWheel");
        QTRY_VERIFY(!f.text("txtGenerated").isEmpty());
        QVERIFY(f.window->close());
        QCOMPARE(ended.count(), 1);
        QVERIFY(!f.window->wheelRunning());
        const QByteArray contents = f.outputContents();
        QVERIFY(contents.endsWith("\r\n"));
        QCOMPARE(QString::number(contents.count('\n')), f.text("txtSetsPassing").remove(QLatin1Char(',')));

        // A printed run ends its document.
        f.window->show();
        f.find<QRadioButton>("optnOutToPrinter")->click();
        f.platform->replies << Platform::Reply::Yes;
        f.click("cmdWheel");
        QVERIFY(f.window->wheelRunning());
        f.platform->replies << Platform::Reply::No; // the output option changed: not saved
        QVERIFY(f.window->close());
        QCOMPARE(f.platform->printJobs.size(), 1);
        QVERIFY(f.platform->printJobs[0].ended);
    }

    void stoppingAPrintedRunEndsTheDocumentWithTheSetsSoFar() {
        f.find<QRadioButton>("optnOutToPrinter")->click();
        f.selectRange(0, 48);
        QSignalSpy ended(f.window.get(), &MainWindow::wheelRunEnded);
        f.platform->replies << Platform::Reply::Yes;
        f.click("cmdWheel");
        QTRY_VERIFY(!f.text("txtGenerated").isEmpty());
        f.click("cmdStopWheeling");
        QTRY_COMPARE(ended.count(), 1);
        QCOMPARE(f.platform->printJobs.size(), 1);
        const FakePlatform::PrintJob& job = f.platform->printJobs[0];
        QVERIFY(job.ended);
        QCOMPARE(QString::number(job.lines.size() - 4), f.text("txtSetsPassing").remove(QLatin1Char(',')));
        QCOMPARE(job.lines[4], QStringLiteral("01 02 03 04 05 06"));
    }

    void aPrinterThatCannotBeOpenedRefusesTheRun() {
        f.find<QRadioButton>("optnOutToPrinter")->click();
        f.platform->printerFails = true;
        f.selectRange(0, 6);
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.platform->messages.size(), 1);
        QCOMPARE(f.platform->messages[0].title, QStringLiteral("Printing"));
        QCOMPARE(f.text("txtGenerated"), QString());
        QCOMPARE(f.text("txtSetsPassing"), QString());
        expectIdleWindow();
    }

    void doNotRecordOutputTouchesNoFile() {
        f.find<QRadioButton>("optnOutToNothing")->click();
        f.selectRange(0, 7);
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.text("txtGenerated"), QStringLiteral("28"));
        QVERIFY(!QFile::exists(f.outputFile()));
        QVERIFY(f.platform->printJobs.isEmpty());
        f.find<QRadioButton>("optnOutToFile")->click();
        QVERIFY(f.find<QRadioButton>("optnAppend")->isEnabled());
    }

    void recordSetNumbersStoresTrueThenFalse() {
        QAction* item = f.find<QAction>("mnuRecordNumbers");
        item->trigger();
        QCOMPARE(f.platform->settings.value(QStringLiteral("Record Set Numbers")), QStringLiteral("True"));
        QVERIFY(item->isChecked());
        item->trigger();
        QCOMPARE(f.platform->settings.value(QStringLiteral("Record Set Numbers")), QStringLiteral("False"));
        QVERIFY(!item->isChecked());
    }

    void clockCountsOnlyWhileRunning() {
        f.tick("Timer1");
        QCOMPARE(f.find<QLabel>("lblTimer")->text(), QStringLiteral("0:00:00"));
        f.selectRange(0, 48);
        QSignalSpy ended(f.window.get(), &MainWindow::wheelRunEnded);
        f.click("cmdWheel");
        QCOMPARE(f.find<QLabel>("lblTimer")->text(), QStringLiteral("00:00:00"));
        f.tick("Timer1");
        QCOMPARE(f.find<QLabel>("lblTimer")->text(), QStringLiteral("0:00:01"));
        for (int tick = 0; tick < 60 * 60 + 8; ++tick) f.tick("Timer1");
        QCOMPARE(f.find<QLabel>("lblTimer")->text(), QStringLiteral("1:00:09"));
        f.click("cmdStopWheeling");
        QTRY_COMPARE(ended.count(), 1);
        f.tick("Timer1");
        QCOMPARE(f.find<QLabel>("lblTimer")->text(), QStringLiteral("1:00:09"));
    }

    // Each dialog starts at its file's full path, so it opens in that file's folder.
    void fileDialogsStartAtTheirFiles() {
        f.shared->historyPath = "/tmp/h/My.HIT";
        f.shared->wheelOutputPath = "/tmp/w/Out.TB";
        f.shared->poolPath = "/tmp/p/Pool.GR";
        f.shared->settingsPath = "/tmp/s/Mine.INI";
        const QList<std::pair<const char*, QString>> expected = {
            {"mnuHistoryFile", "/tmp/h/My.HIT"},       {"mnuSaveAs", "/tmp/w/Out.TB"},
            {"mnuSaveGRAs", "/tmp/p/Pool.GR"},         {"mnuSaveSettings", "/tmp/s/Mine.INI"},
            {"mnuRestoreSettings", "/tmp/s/Mine.INI"}, {"mnuImportDraws", "/tmp/h"}};
        for (const auto& [command, start] : expected) {
            f.trigger(QLatin1String(command)); // cancelled
            QCOMPARE(f.platform->fileDialogs.last().fileName, start);
            // A cancelled history or output dialog goes back to the default file.
            f.shared->historyPath = "/tmp/h/My.HIT";
            f.shared->wheelOutputPath = "/tmp/w/Out.TB";
            f.shared->poolPath = "/tmp/p/Pool.GR";
        }
    }

    void fileChoiceCommandsSetPathsAndRequests() {
        f.trigger("mnuHistoryFile");
        QCOMPARE(f.platform->fileDialogs.last().defaultExtension, QStringLiteral(".HIT"));
        QVERIFY(f.platform->fileDialogs.last().filter.startsWith(QStringLiteral("History File (*.HIT)|*.HIT|")));
        QCOMPARE(f.shared->historyPath, f.shared->defaults.history);
        // The history is read, never replaced: choosing an existing one asks nothing.
        QVERIFY(!f.platform->fileDialogs.last().confirmOverwrite);

        f.platform->fileAnswers << QStringLiteral("/tmp/mine.TB");
        f.trigger("mnuSaveAs");
        QVERIFY(f.platform->fileDialogs.last().confirmOverwrite);
        QCOMPARE(f.shared->wheelOutputPath, std::string("/tmp/mine.TB"));
        QCOMPARE(f.platform->messages.last().text, QStringLiteral("Output will be saved to /tmp/mine.TB"));
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("Status of Operation"));

        // Cancelling Load Settings or Save Current Settings does nothing at all.
        const qsizetype shown = f.platform->messages.size();
        f.shared->settingsPath = "/tmp/chosen.INI";
        f.trigger("mnuRestoreSettings");
        QVERIFY(!f.platform->fileDialogs.last().save);
        f.trigger("mnuSaveSettings");
        QVERIFY(f.platform->fileDialogs.last().save);
        QCOMPARE(f.shared->settingsPath, std::string("/tmp/chosen.INI"));
        QVERIFY(!f.shared->restoreRequest);
        QVERIFY(!f.shared->saveRequest);
        QCOMPARE(f.platform->messages.size(), shown);

        f.platform->fileAnswers << QStringLiteral("/tmp/r.INI");
        f.shared->exitAfterSaveRequest = true;
        f.trigger("mnuRestoreSettings");
        QVERIFY(f.shared->restoreRequest);
        QVERIFY(!f.shared->exitAfterSaveRequest);
        QCOMPARE(f.platform->messages.last().text, QStringLiteral("Initialization file is now set to /tmp/r.INI"));
        f.shared->restoreRequest = false;

        f.platform->fileAnswers << QStringLiteral("/tmp/s.INI");
        f.trigger("mnuSaveSettings");
        QVERIFY(f.shared->saveRequest);
        QCOMPARE(f.platform->messages.last().text, QStringLiteral("Output will be saved to /tmp/s.INI"));
    }

    void poolFileDialogKeepsItsEarlierName() {
        f.platform->fileAnswers << QStringLiteral("/tmp/first.GR");
        f.trigger("mnuSaveGRAs");
        QCOMPARE(f.shared->poolPath, std::string("/tmp/first.GR"));
        f.trigger("mnuSaveGRAs"); // cancelled
        QCOMPARE(f.platform->fileDialogs.last().fileName, QStringLiteral("/tmp/first.GR"));
        QCOMPARE(f.shared->poolPath, std::string("/tmp/first.GR"));
    }

    void saveAndExitRaisesTheRequests() {
        f.window->show();
        f.click("cmdExit");
        QVERIFY(f.shared->saveRequest);
        QVERIFY(f.shared->exitAfterSaveRequest);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
