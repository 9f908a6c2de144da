#include "app/MainWindow.h"
#include "platform/FakePlatform.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace orvane;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder_;
    std::unique_ptr<FakePlatform> platform_;
    std::unique_ptr<SharedSettings> shared_;
    std::unique_ptr<MainWindow> window_;

    template <typename T>
    T* find(const char* name) {
        T* control = window_->findChild<T*>(QLatin1String(name));
        if (!control) qFatal("no control named %s", name);
        return control;
    }
    QString text(const char* name) { return find<QLineEdit>(name)->text(); }
    void select(std::initializer_list<int> indexes) {
        for (int index : indexes) find<QListWidget>("lstNumbers")->item(index)->setSelected(true);
    }
    void selectRange(int first, int last) {
        for (int index = first; index <= last; ++index) find<QListWidget>("lstNumbers")->item(index)->setSelected(true);
    }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    // Starts a run and waits for it to end.
    void wheelToEnd() {
        QSignalSpy ended(window_.get(), &MainWindow::wheelRunEnded);
        click("cmdWheel");
        QVERIFY(ended.count() == 1 || ended.wait(20000));
    }
    QString outputFile() const { return QString::fromStdString(shared_->wheelOutputPath); }
    QByteArray outputContents() const {
        QFile file(outputFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void expectIdleWindow() {
        for (const char* name : {"cmdWheel", "cmdClear", "cmdExit", "cmdChooseRandom"})
            QVERIFY2(find<QPushButton>(name)->isEnabled(), name);
        QVERIFY(!find<QPushButton>("cmdStopWheeling")->isEnabled());
        QVERIFY(find<QListWidget>("lstNumbers")->isEnabled());
        QVERIFY(find<QCheckBox>("chkEnableRavelin")->isEnabled());
        QVERIFY(!find<QLineEdit>("txtMinSum")->isReadOnly());
        QVERIFY(find<QPushButton>("cmdWheel")->isDefault());
        QVERIFY(!window_->wheelRunning());
    }

private slots:
    void init() {
        platform_ = std::make_unique<FakePlatform>();
        shared_ = std::make_unique<SharedSettings>(dataPathsIn(folder_.path().toStdString()));
        window_ = std::make_unique<MainWindow>(*platform_, *shared_);
    }
    void cleanup() {
        window_.reset();
        QFile::remove(outputFile());
    }

    void loadSetsCaptionListAndDefaults() {
        QCOMPARE(window_->objectName(), QStringLiteral("frmOrvaneMain"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Orvane - Version 1.00 Beta, Build 135"));
        auto* list = find<QListWidget>("lstNumbers");
        QCOMPARE(list->count(), 49);
        QCOMPARE(list->item(0)->text(), QStringLiteral("1"));
        QCOMPARE(list->item(48)->text(), QStringLiteral("49"));
        QCOMPARE(text("txtPassing"), QString());
        QVERIFY(!find<QPushButton>("cmdStopWheeling")->isEnabled());
        QVERIFY(!find<QAction>("mnuRecordNumbers")->isChecked());
        QCOMPARE(find<QPushButton>("cmdExit")->text(), QStringLiteral("Save Settings && Exit"));
    }

    void storedRecordSetNumbersChecksTheMenuItem() {
        platform_->settings[QStringLiteral("Record Set Numbers")] = QStringLiteral("True");
        MainWindow other(*platform_, *shared_);
        QVERIFY(other.findChild<QAction*>(QStringLiteral("mnuRecordNumbers"))->isChecked());
    }

    void poolSizeCountsTheSelection() {
        select({0, 5, 48});
        QCOMPARE(find<QLabel>("lblPoolSize")->text(), QStringLiteral("3"));
        find<QListWidget>("lstNumbers")->item(5)->setSelected(false);
        QCOMPARE(find<QLabel>("lblPoolSize")->text(), QStringLiteral("2"));
    }

    void chooseRandomTakesTheLastFreeNumber() {
        selectRange(0, 48);
        find<QListWidget>("lstNumbers")->item(17)->setSelected(false);
        platform_->randoms << 0.0 << 0.5 << 0.99 << 17.5 / 49;
        click("cmdChooseRandom");
        QVERIFY(find<QListWidget>("lstNumbers")->item(17)->isSelected());
        QCOMPARE(find<QLabel>("lblPoolSize")->text(), QStringLiteral("49"));
        QVERIFY(platform_->messages.isEmpty());
    }

    void chooseRandomWithAllSelectedOnlyReports() {
        selectRange(0, 48);
        click("cmdChooseRandom");
        QCOMPARE(platform_->messages.size(), 1);
        QCOMPARE(platform_->messages[0].text, QStringLiteral("All possible numbers have been selected."));
        QCOMPARE(platform_->messages[0].title, QStringLiteral("Cannot Execute Command"));
        QCOMPARE(platform_->messages[0].icon, NoticeIcon::Exclamation);
    }

    void aRunRecordsEverySetAndShowsTheCounts() {
        select({0, 1, 2, 3, 4, 8, 11});
        wheelToEnd();
        QCOMPARE(text("txtGenerated"), QStringLiteral("7"));
        QCOMPARE(text("txtSetsPassing"), QStringLiteral("7"));
        QCOMPARE(text("txtPassing"), QStringLiteral("100%"));
        QCOMPARE(text("txtOutput"), QStringLiteral("02 03 04 05 09 12"));
        const QByteArray contents = outputContents();
        QVERIFY(contents.startsWith("1 2 3 4 5 9\r\n1 2 3 4 5 12\r\n"));
        QCOMPARE(contents.count('\n'), 7);
        QVERIFY(platform_->messages.isEmpty());
        expectIdleWindow();
    }

    void clearAfterARunEmptiesEverything() {
        selectRange(0, 6);
        wheelToEnd();
        click("cmdClear");
        QCOMPARE(find<QLabel>("lblPoolSize")->text(), QStringLiteral("0"));
        QVERIFY(find<QListWidget>("lstNumbers")->selectedItems().isEmpty());
        QCOMPARE(text("txtGenerated"), QStringLiteral("0"));
        QCOMPARE(text("txtSetsPassing"), QStringLiteral("0"));
        QCOMPARE(text("txtOutput"), QString());
        QCOMPARE(text("txtPassing"), QString());
        QCOMPARE(find<QLabel>("lblTimer")->text(), QStringLiteral("00:00:00"));
    }

    void tooFewNumbersShowsProblemAndEndsEnabled() {
        QFile old(outputFile());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("kept\r\n");
        old.close();
        selectRange(0, 5);
        wheelToEnd();
        QCOMPARE(platform_->messages.size(), 1);
        QCOMPARE(platform_->messages[0].title, QStringLiteral("Problem"));
        QCOMPARE(platform_->messages[0].text,
                 QStringLiteral("Not enough numbers have been selected.  You must select at least 7 numbers in order "
                                "to wheel them."));
        QCOMPARE(platform_->messages[0].icon, NoticeIcon::Exclamation);
        QCOMPARE(outputContents(), QByteArray("kept\r\n")); // the output was never opened
        expectIdleWindow();
    }

    void stopEndsTheRunAndStartBeginsAgainFromTheFirstSet() {
        selectRange(0, 48);
        QSignalSpy ended(window_.get(), &MainWindow::wheelRunEnded);
        click("cmdWheel");
        QVERIFY(window_->wheelRunning());
        QVERIFY(find<QPushButton>("cmdStopWheeling")->isDefault());
        QVERIFY(!find<QListWidget>("lstNumbers")->isEnabled());
        QVERIFY(find<QLineEdit>("txtMinSum")->isReadOnly());
        QTRY_VERIFY(!text("txtGenerated").isEmpty());
        click("cmdStopWheeling");
        QTRY_COMPARE(ended.count(), 1);
        expectIdleWindow();
        const QString generated = text("txtGenerated");
        QVERIFY(!generated.isEmpty());
        QVERIFY(text("txtGenerated") != QStringLiteral("13,983,816"));

        click("cmdWheel");
        QCOMPARE(text("txtSetsPassing"), QStringLiteral("0"));
        QCOMPARE(text("txtPassing"), QStringLiteral("0%"));
        QTRY_VERIFY(text("txtGenerated") != generated);
        click("cmdStopWheeling");
        QTRY_COMPARE(ended.count(), 2);
        QVERIFY(outputContents().startsWith("1 2 3 4 5 6\r\n1 2 3 4 5 7\r\n"));
    }

    void crossedSumLimitsAreCorrectedWithBothMessages() {
        find<QLineEdit>("txtMinSum")->setText(QStringLiteral("30"));
        find<QLineEdit>("txtMaxSum")->setText(QStringLiteral("20"));
        selectRange(0, 6);
        wheelToEnd();
        QCOMPARE(platform_->messages.size(), 2);
        QCOMPARE(platform_->messages[0].title, QStringLiteral("Impossible Value Entered"));
        QCOMPARE(text("txtMinSum"), QStringLiteral("21"));
        QCOMPARE(text("txtMaxSum"), QStringLiteral("279"));
        QCOMPARE(text("txtGenerated"), QStringLiteral("7"));
    }

    void numberedAppendRestartsItsCountEachRun() {
        find<QRadioButton>("optnAppend")->setChecked(true);
        find<QAction>("mnuRecordNumbers")->trigger();
        selectRange(10, 16);
        wheelToEnd();
        wheelToEnd();
        const QList<QByteArray> lines = outputContents().split('\n');
        QCOMPARE(lines.size(), 15);
        QCOMPARE(lines[0], QByteArray("1 : 11 12 13 14 15 16\r"));
        QCOMPARE(lines[7], QByteArray("1 : 11 12 13 14 15 16\r"));
    }

    void unopenableOutputIsReportedAndNothingIsCounted() {
        shared_->wheelOutputPath = (folder_.path() + QStringLiteral("/missing/out.TB")).toStdString();
        selectRange(0, 9);
        wheelToEnd();
        QCOMPARE(platform_->messages.size(), 1);
        QVERIFY(platform_->messages[0].text.contains(outputFile()));
        QCOMPARE(text("txtSetsPassing"), QStringLiteral("0"));
        expectIdleWindow();
    }

    void printerOutputPrintsTheHeaderAndNumberedLines() {
        find<QRadioButton>("optnOutToPrinter")->click();
        QVERIFY(!find<QRadioButton>("optnOverwrite")->isEnabled());
        QVERIFY(!find<QRadioButton>("optnAppend")->isEnabled());
        find<QAction>("mnuRecordNumbers")->trigger();
        selectRange(0, 6);
        wheelToEnd();
        QCOMPARE(platform_->printJobs.size(), 1);
        const FakePlatform::PrintJob& job = platform_->printJobs[0];
        QCOMPARE(job.fontName, QStringLiteral("Courier New"));
        QCOMPARE(job.pointSize, 12);
        QVERIFY(job.ended);
        QCOMPARE(job.lines.size(), 4 + 7);
        QCOMPARE(job.lines[1], QStringLiteral("7 numbers selected for wheeling."));
        QCOMPARE(job.lines[2], QStringLiteral("Report generated 07-04-1999 at 18:30:05"));
        QCOMPARE(job.lines[3], QString());
        QCOMPARE(job.lines[4], QStringLiteral("1: 1 2 3 4 5 6"));
        QCOMPARE(job.lines[10], QStringLiteral("7: 2 3 4 5 6 7"));
        QVERIFY(!find<QRadioButton>("optnOverwrite")->isEnabled());
        QVERIFY(!QFile::exists(outputFile()));
    }

    void doNotRecordOutputTouchesNoFile() {
        find<QRadioButton>("optnOutToNothing")->click();
        selectRange(0, 7);
        wheelToEnd();
        QCOMPARE(text("txtGenerated"), QStringLiteral("28"));
        QVERIFY(!QFile::exists(outputFile()));
        QVERIFY(platform_->printJobs.isEmpty());
        find<QRadioButton>("optnOutToFile")->click();
        QVERIFY(find<QRadioButton>("optnAppend")->isEnabled());
    }

    void recordSetNumbersStoresTrueThenFalse() {
        QAction* item = find<QAction>("mnuRecordNumbers");
        item->trigger();
        QCOMPARE(platform_->settings.value(QStringLiteral("Record Set Numbers")), QStringLiteral("True"));
        QVERIFY(item->isChecked());
        item->trigger();
        QCOMPARE(platform_->settings.value(QStringLiteral("Record Set Numbers")), QStringLiteral("False"));
        QVERIFY(!item->isChecked());
    }

    void clockCountsOnlyWhileRunning() {
        window_->Timer1_Timer();
        QCOMPARE(find<QLabel>("lblTimer")->text(), QStringLiteral("0:00:00"));
        selectRange(0, 48);
        QSignalSpy ended(window_.get(), &MainWindow::wheelRunEnded);
        click("cmdWheel");
        QCOMPARE(find<QLabel>("lblTimer")->text(), QStringLiteral("00:00:00"));
        window_->Timer1_Timer();
        QCOMPARE(find<QLabel>("lblTimer")->text(), QStringLiteral("0:00:01"));
        for (int tick = 0; tick < 60 * 60 + 8; ++tick) window_->Timer1_Timer();
        QCOMPARE(find<QLabel>("lblTimer")->text(), QStringLiteral("1:00:09"));
        click("cmdStopWheeling");
        QTRY_COMPARE(ended.count(), 1);
        window_->Timer1_Timer();
        QCOMPARE(find<QLabel>("lblTimer")->text(), QStringLiteral("1:00:09"));
    }

    void fileChoiceCommandsSetPathsAndRequests() {
        window_->mnuHistoryFile_Click();
        QCOMPARE(platform_->fileDialogs.last().defaultExtension, QStringLiteral(".HIT"));
        QVERIFY(platform_->fileDialogs.last().filter.startsWith(QStringLiteral("History File (*.HIT)|*.HIT|")));
        QCOMPARE(shared_->historyPath, shared_->defaults.history);

        platform_->fileAnswers << QStringLiteral("/tmp/mine.TB");
        window_->mnuSaveAs_Click();
        QCOMPARE(shared_->wheelOutputPath, std::string("/tmp/mine.TB"));
        QCOMPARE(platform_->messages.last().text, QStringLiteral("Output will be saved to /tmp/mine.TB"));
        QCOMPARE(platform_->messages.last().title, QStringLiteral("Status of Operation"));

        // Cancelling Load Settings restores from the default file, silently.
        const int shown = platform_->messages.size();
        shared_->exitAfterSaveRequest = true;
        window_->mnuRestoreSettings_Click();
        QVERIFY(!platform_->fileDialogs.last().save);
        QCOMPARE(shared_->settingsPath, shared_->defaults.settings);
        QVERIFY(shared_->restoreRequest);
        QVERIFY(!shared_->exitAfterSaveRequest);
        QCOMPARE(platform_->messages.size(), shown);

        platform_->fileAnswers << QStringLiteral("/tmp/s.INI");
        window_->mnuSaveSettings_Click();
        QVERIFY(shared_->saveRequest);
        QCOMPARE(platform_->messages.last().text, QStringLiteral("Output will be saved to /tmp/s.INI"));
    }

    void poolFileDialogKeepsItsEarlierName() {
        platform_->fileAnswers << QStringLiteral("/tmp/first.GR");
        window_->mnuSaveGRAs_Click();
        QCOMPARE(shared_->poolPath, std::string("/tmp/first.GR"));
        window_->mnuSaveGRAs_Click(); // cancelled
        QCOMPARE(platform_->fileDialogs.last().fileName, QStringLiteral("/tmp/first.GR"));
        QCOMPARE(shared_->poolPath, std::string("/tmp/first.GR"));
    }

    void saveAndExitRaisesTheRequests() {
        window_->show();
        click("cmdExit");
        QVERIFY(shared_->saveRequest);
        QVERIFY(shared_->exitAfterSaveRequest);
        QVERIFY(!window_->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
