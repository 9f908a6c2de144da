#include "tally/WinCheckerWindow.h"

#include "platform/BusyState.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QStyle>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace orvane;

// The win checker on the fake desktop, with a data folder of its own.
class WinCheckerWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<SharedSettings> shared;
    std::unique_ptr<BusyState> busy;
    QPointer<WinCheckerWindow> window;

    static const char* const kBoxes[6];

    template <typename T> T* find(const QString& name) const {
        T* control = window->findChild<T*>(name);
        if (!control) qFatal("no control named %s", qPrintable(name));
        return control;
    }
    QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }
    QString text(const QString& name) const { return box(name)->text(); }
    QString tally(int hits) const { return text(QStringLiteral("txt%1of6").arg(hits)); }
    QString checking() const { return find<QLabel>(QStringLiteral("lblChecking"))->text(); }
    void click(const QString& name) const { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }

    QString outputPath() const { return QString::fromStdString(shared->wheelOutputPath); }
    void writeOutput(const QByteArray& bytes) const {
        QFile file(outputPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray outputBytes() const {
        QFile file(outputPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void type(const QStringList& numbers) const {
        for (int k = 0; k < 6; ++k) box(QLatin1String(kBoxes[k]))->setText(numbers.value(k));
    }
    QStringList boxes() const {
        QStringList texts;
        for (const char* name : kBoxes) texts << text(QLatin1String(name));
        return texts;
    }
    // Presses Check and waits for the check to end.
    bool checkToEnd() const {
        QSignalSpy ended(window.data(), &WinCheckerWindow::checkEnded);
        click(QStringLiteral("cmdCheck"));
        return ended.count() == 1 || ended.wait(20000);
    }
    // Every set of the numbers 1..poolSize, one plain line each.
    static QByteArray wheelOf(int poolSize, int& sets) {
        QByteArray text;
        sets = 0;
        for (int a = 1; a <= poolSize; ++a)
            for (int b = a + 1; b <= poolSize; ++b)
                for (int c = b + 1; c <= poolSize; ++c)
                    for (int d = c + 1; d <= poolSize; ++d)
                        for (int e = d + 1; e <= poolSize; ++e)
                            for (int f = e + 1; f <= poolSize; ++f, ++sets)
                                text += QByteArray::number(a) + ' ' + QByteArray::number(b) + ' ' +
                                        QByteArray::number(c) + ' ' + QByteArray::number(d) + ' ' +
                                        QByteArray::number(e) + ' ' + QByteArray::number(f) + "\r\n";
        return text;
    }
    // How many descriptors of this process have the output file open (Linux).
    int openDescriptorsOfOutput() const {
        int open = 0;
        const QString target = QFileInfo(outputPath()).canonicalFilePath();
        for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files))
            if (fd.symLinkTarget() == target) ++open;
        return open;
    }

private slots:
    void init() {
        platform = std::make_unique<FakePlatform>();
        shared = std::make_unique<SharedSettings>(dataPathsIn(folder.path().toStdString()));
        busy = std::make_unique<BusyState>();
        window = new WinCheckerWindow(*platform, *shared, *busy);
        window->show();
    }
    void cleanup() {
        delete window.data();
        busy.reset();
        QFile::remove(outputPath());
    }

    void everyControlHasItsNameAndCaption() {
        QCOMPARE(window->objectName(), QStringLiteral("frmVNTallorMain"));
        QCOMPARE(window->windowTitle(), QStringLiteral("VN-Tallor"));
        QCOMPARE(find<QLabel>(QStringLiteral("lblInstructions"))->text(),
                 QStringLiteral("Enter the set of winning numbers you want to check the results in the output file "
                                "against."));
        for (const char* letter : {"A", "B", "C", "D", "E", "F"}) {
            QCOMPARE(find<QLabel>(QStringLiteral("lbl%1%1").arg(QLatin1String(letter)))->text(),
                     QStringLiteral("%1%1").arg(QLatin1String(letter)));
            QLineEdit* number = box(QStringLiteral("txtPos%1").arg(QLatin1String(letter)));
            QCOMPARE(number->maxLength(), 2);
            QVERIFY(number->text().isEmpty());
        }
        QCOMPARE(find<QPushButton>(QStringLiteral("cmdCheck"))->text(), QStringLiteral("Check"));
        QCOMPARE(find<QPushButton>(QStringLiteral("cmdClear"))->text(), QStringLiteral("Clear"));
        QCOMPARE(find<QPushButton>(QStringLiteral("cmdExit"))->text(), QStringLiteral("Done"));
        QCOMPARE(find<QLabel>(QStringLiteral("lblTestingSet"))->text(), QStringLiteral("Set Being Checked:"));
        QCOMPARE(checking(), QString()); // emptied when the window opens
        const QStringList captions = {"sets hit 0 of 6.",   "sets hit 1 of 6.",  "sets hit 2 of 6.",
                                      "sets hit 3 of 6!",   "sets hit 4 of 6!!", "sets hit 5 of 6!!!",
                                      "sets hit 6 of 6!!!!"};
        for (int hits = 0; hits < 7; ++hits) {
            QCOMPARE(find<QLabel>(QStringLiteral("lbl%1of6").arg(hits))->text(), captions[hits]);
            QLineEdit* tallyBox = box(QStringLiteral("txt%1of6").arg(hits));
            QCOMPARE(tallyBox->maxLength(), 9);
            QVERIFY(tallyBox->text().isEmpty());
            // Fixed pitch as measured: a font's own claim varies with the fonts installed.
            const QFontMetrics metrics(tallyBox->font());
            for (const QChar c : QStringLiteral("0189W"))
                QCOMPARE(metrics.horizontalAdvance(c), metrics.horizontalAdvance(QLatin1Char('i')));
            // All nine characters fit inside the frame.
            const int frame = tallyBox->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, tallyBox);
            const int room =
                tallyBox->width() - 2 * frame - 4 - tallyBox->textMargins().left() - tallyBox->textMargins().right();
            QVERIFY2(tallyBox->fontMetrics().horizontalAdvance(QStringLiteral("999999999")) <= room,
                     qPrintable(QString::number(tallyBox->width())));
        }
    }

    void winningNumbersAreShownAsTheValuesRead() {
        writeOutput("1 2 3 4 5 6\r\n");
        type({"5", "06", " 7", "8.", "-9", "11"});
        QVERIFY(checkToEnd());
        QCOMPARE(boxes(), QStringList({"5", "6", "7", "8", "9", "11"}));
        QVERIFY(platform->messages.isEmpty());
    }

    void enterInAWinningNumberBoxChecks() {
        writeOutput("1 2 3 4 5 6\r\n");
        type({"1", "2", "3", "4", "5", "6"});
        QSignalSpy ended(window.get(), &WinCheckerWindow::checkEnded);
        QTest::keyClick(window->findChild<QLineEdit*>(QStringLiteral("txtPosF")), Qt::Key_Return);
        QVERIFY(ended.count() == 1 || ended.wait(5000));
        QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("txt6of6"))->text(), QStringLiteral("1"));
    }

    // A refused entry names its box; the numbers stay as read, to correct
    // the one at fault, and the tallies of the check before are emptied.
    void invalidEntriesAreRefusedNamingTheBox_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("atFault");
        const QString range =
            QStringLiteral("The winning number in box %1 is not a number from 1 to 49.  Change it and "
                           "try again.");
        QTest::newRow("an empty box") << QStringList({"1", "2", "", "4", "5", "6"})
                                      << QStringList({"1", "2", "0", "4", "5", "6"}) << range.arg("CC") << "txtPosC";
        QTest::newRow("zero") << QStringList({"0", "2", "3", "4", "5", "6"})
                              << QStringList({"0", "2", "3", "4", "5", "6"}) << range.arg("AA") << "txtPosA";
        QTest::newRow("fifty") << QStringList({"1", "2", "3", "4", "5", "50"})
                               << QStringList({"1", "2", "3", "4", "5", "50"}) << range.arg("FF") << "txtPosF";
        QTest::newRow("letters") << QStringList({"1", "2", "3", "4", "ab", "6"})
                                 << QStringList({"1", "2", "3", "4", "0", "6"}) << range.arg("EE") << "txtPosE";
        QTest::newRow("given twice") << QStringList({"12", "5", "7", "05", "9", "11"})
                                     << QStringList({"12", "5", "7", "5", "9", "11"})
                                     << QStringLiteral("The winning number in box DD repeats the one in box BB (5).  A "
                                                       "draw holds six different numbers: change it and try again.")
                                     << "txtPosD";
    }
    void invalidEntriesAreRefusedNamingTheBox() {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, shown);
        QFETCH(QString, message);
        QFETCH(QString, atFault);
        QApplication::setActiveWindow(window.data());
        QVERIFY(QTest::qWaitForWindowActive(window.data()));
        writeOutput("1 2 3 4 5 6\r\n");
        type({"1", "2", "3", "4", "5", "6"});
        QVERIFY(checkToEnd());
        QCOMPARE(tally(6), QStringLiteral("1"));
        QCOMPARE(checking(), QStringLiteral("01 02 03 04 05 06"));

        type(typed);
        QSignalSpy ended(window.data(), &WinCheckerWindow::checkEnded);
        click(QStringLiteral("cmdCheck"));
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->messages[0].text, message);
        QCOMPARE(platform->messages[0].title, QStringLiteral("Orvane"));
        QCOMPARE(boxes(), shown);
        QVERIFY(box(atFault)->hasFocus());
        QCOMPARE(box(atFault)->selectedText(), box(atFault)->text());
        // Nothing is read, and no figure of the check before is left standing.
        QCOMPARE(ended.count(), 0);
        QVERIFY(!window->checking());
        for (int hits = 0; hits < 7; ++hits) QCOMPARE(tally(hits), QString());
        QVERIFY(find<QPushButton>(QStringLiteral("cmdCheck"))->isEnabled());
        QVERIFY(box(QStringLiteral("txtPosA"))->isEnabled());
    }

    void aFileThatCannotBeCheckedEmptiesTheTalliesOfTheCheckBefore() {
        writeOutput("1 2 3 4 5 6\r\n");
        type({"1", "2", "3", "4", "5", "6"});
        QVERIFY(checkToEnd());
        QCOMPARE(tally(6), QStringLiteral("1"));
        QFile::remove(outputPath());
        click(QStringLiteral("cmdCheck"));
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->messages[0].title, QStringLiteral("Cannot Execute Command"));
        for (int hits = 0; hits < 7; ++hits) QCOMPARE(tally(hits), QString());
    }

    void escapeClosesTheWindowAndEndsACheck() {
        QApplication::setActiveWindow(window.data());
        QVERIFY(QTest::qWaitForWindowActive(window.data()));
        box(QStringLiteral("txtPosC"))->setFocus();
        QTest::keyClick(box(QStringLiteral("txtPosC")), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QTRY_VERIFY(window.isNull());

        // During a check: the check ends with its file closed, as with Done.
        window = new WinCheckerWindow(*platform, *shared, *busy);
        window->show();
        int sets = 0;
        writeOutput(wheelOf(22, sets));
        type({"1", "2", "3", "4", "5", "6"});
        click(QStringLiteral("cmdCheck"));
        QVERIFY(window->checking());
        QTest::keyClick(window.data(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QVERIFY(!window->checking());
        QVERIFY(busy->idle());
        QTRY_VERIFY(window.isNull());
    }

    void talliesCountTheHitsOfEverySetAsPlainDigits() {
        // 38,760 sets, past what a 16-bit count holds.
        int sets = 0;
        const QByteArray wheel = wheelOf(20, sets);
        writeOutput(wheel);
        type({"3", "11", "14", "17", "19", "20"});
        QVERIFY(checkToEnd());

        // The same count, set by set, without the file.
        const int winning[6] = {3, 11, 14, 17, 19, 20};
        qint64 expected[7] = {};
        for (const QByteArray& line : wheel.split('\n')) {
            if (line.isEmpty()) continue;
            int hits = 0;
            for (const QByteArray& field : line.trimmed().split(' '))
                hits += static_cast<int>(std::count(std::begin(winning), std::end(winning), field.toInt()));
            ++expected[hits];
        }
        qint64 sum = 0;
        for (int hits = 0; hits < 7; ++hits) {
            QCOMPARE(tally(hits), expected[hits] ? QString::number(expected[hits]) : QString());
            sum += tally(hits).toLongLong();
        }
        QCOMPARE(sum, qint64(sets));
        QCOMPARE(checking(), QStringLiteral("15 16 17 18 19 20"));
        QVERIFY(platform->messages.isEmpty());
    }

    void aSetEqualToTheDrawHitsSixInNumberedLines() {
        writeOutput("1 : 3 11 24 30 41 49\r\n2 : 1 2 4 5 6 7\r\n3 : 3 11 24 30 41 48\r\n");
        type({"49", "41", "30", "24", "11", "3"});
        QVERIFY(checkToEnd());
        const QStringList expected = {"1", "", "", "", "", "1", "1"};
        for (int hits = 0; hits < 7; ++hits) QCOMPARE(tally(hits), expected[hits]);
        QCOMPARE(checking(), QStringLiteral("03 11 24 30 41 48"));
    }

    void anEmptyFileLeavesTheTalliesEmptyAndTheSetShown() {
        writeOutput("1 2 3 4 5 6\r\n");
        type({"1", "2", "3", "4", "5", "6"});
        QVERIFY(checkToEnd());
        writeOutput("");
        QVERIFY(checkToEnd());
        for (int hits = 0; hits < 7; ++hits) QCOMPARE(tally(hits), QString());
        QCOMPARE(checking(), QStringLiteral("01 02 03 04 05 06"));
        QVERIFY(platform->messages.isEmpty());
    }

    void aMalformedLineIsNamedAndEmptiesTheTallies() {
        writeOutput("1 2 3 4 5 6\r\n1 2 3 4 5 7\r\n1 2 3 4 5\r\n1 2 3 4 5 9\r\n");
        type({"1", "2", "3", "4", "5", "6"});
        QVERIFY(checkToEnd());
        QCOMPARE(platform->messages.size(), 1);
        QVERIFY2(
            platform->messages[0].text.startsWith(QStringLiteral("Line 3 of the wheel output file ") + outputPath()),
            qPrintable(platform->messages[0].text));
        for (int hits = 0; hits < 7; ++hits) QCOMPARE(tally(hits), QString());
        QVERIFY(find<QPushButton>(QStringLiteral("cmdCheck"))->isEnabled());
        QVERIFY(busy->idle());
    }

    void aMissingFileCannotBeOpened() {
        type({"1", "2", "3", "4", "5", "6"});
        click(QStringLiteral("cmdCheck"));
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->messages[0].title, QStringLiteral("Cannot Execute Command"));
        QCOMPARE(platform->messages[0].text,
                 QStringLiteral("The file ") + outputPath() +
                     QStringLiteral(" could not be opened.  It may not exist, has been renamed, or is currently in use "
                                    "by some other process."));
        QCOMPARE(platform->messages[0].icon, NoticeIcon::Exclamation);
        QVERIFY(!window->checking());
        QVERIFY(busy->idle());
    }

    void aRunningCheckLocksTheBoxesAndIsBusy() {
        writeOutput("1 2 3 4 5 6\r\n");
        type({"1", "2", "3", "4", "5", "6"});
        QSignalSpy ended(window.data(), &WinCheckerWindow::checkEnded);
        click(QStringLiteral("cmdCheck"));
        QVERIFY(window->checking());
        QVERIFY(busy->running(WinCheckerWindow::kWinCheck));
        QVERIFY(!find<QPushButton>(QStringLiteral("cmdCheck"))->isEnabled());
        QVERIFY(!find<QPushButton>(QStringLiteral("cmdClear"))->isEnabled());
        QVERIFY(find<QPushButton>(QStringLiteral("cmdExit"))->isEnabled());
        for (const char* name : kBoxes) QVERIFY(!box(QLatin1String(name))->isEnabled());
        QVERIFY(ended.wait(20000));
        QVERIFY(busy->idle());
        QVERIFY(find<QPushButton>(QStringLiteral("cmdCheck"))->isEnabled());
        QVERIFY(find<QPushButton>(QStringLiteral("cmdClear"))->isEnabled());
        for (const char* name : kBoxes) QVERIFY(box(QLatin1String(name))->isEnabled());
    }

    void checkIsRefusedWhileAWheelRunWritesTheFile() {
        writeOutput("1 2 3 4 5 6\r\n");
        type({"1", "2", "3", "4", "5", "6"});
        busy->begin(QStringLiteral("wheel run"));
        click(QStringLiteral("cmdCheck"));
        QCOMPARE(platform->messages.size(), 1);
        QVERIFY(platform->messages[0].text.contains(QStringLiteral("wheel run")));
        QVERIFY(!window->checking());
        QVERIFY(!busy->running(WinCheckerWindow::kWinCheck));
        QCOMPARE(tally(6), QString());
        busy->end(QStringLiteral("wheel run"));
        QVERIFY(checkToEnd());
        QCOMPARE(tally(6), QStringLiteral("1"));
        // Refused after a check: the file is being written anew, so the
        // figures of the check before no longer stand.
        busy->begin(QStringLiteral("wheel run"));
        click(QStringLiteral("cmdCheck"));
        QCOMPARE(platform->messages.size(), 2);
        QCOMPARE(tally(6), QString());
        busy->end(QStringLiteral("wheel run"));
        QVERIFY(checkToEnd());
        QCOMPARE(tally(6), QStringLiteral("1"));
    }

    void clearEmptiesTheBoxesButNotTheSetShown() {
        writeOutput("1 2 3 4 5 6\r\n");
        type({"1", "2", "3", "4", "5", "6"});
        QVERIFY(checkToEnd());
        click(QStringLiteral("cmdClear"));
        QCOMPARE(boxes(), QStringList(6, QString()));
        for (int hits = 0; hits < 7; ++hits) QCOMPARE(tally(hits), QString());
        QCOMPARE(checking(), QStringLiteral("01 02 03 04 05 06"));
    }

    // Done, or the title bar, during a check: the check ends with its file
    // closed, the busy state idle, and only then does the window go.
    void closingDuringACheckEndsItFirst_data() {
        QTest::addColumn<bool>("done");
        QTest::newRow("Done") << true;
        QTest::newRow("title bar") << false;
    }
    void closingDuringACheckEndsItFirst() {
        QFETCH(bool, done);
        int sets = 0;
        const QByteArray wheel = wheelOf(22, sets);
        writeOutput(wheel);
        type({"1", "2", "3", "4", "5", "6"});
        QSignalSpy ended(window.data(), &WinCheckerWindow::checkEnded);
        click(QStringLiteral("cmdCheck"));
        QVERIFY(window->checking());
        const bool canSeeDescriptors = QFileInfo::exists(QStringLiteral("/proc/self/fd"));
        if (canSeeDescriptors) QCOMPARE(openDescriptorsOfOutput(), 1);
        if (done)
            click(QStringLiteral("cmdExit"));
        else
            window->close();
        QVERIFY(window); // deleted later, from the event loop
        QVERIFY(!window->isVisible());
        QVERIFY(!window->checking());
        QVERIFY(busy->idle());
        if (canSeeDescriptors) QCOMPARE(openDescriptorsOfOutput(), 0);
        QTRY_VERIFY(window.isNull());
        QCOMPARE(ended.count(), 0);
        QCOMPARE(outputBytes(), wheel); // the file checked is left as it was
    }

    void aCheckLeavesTheOutputFileIntact() {
        int sets = 0;
        const QByteArray wheel = wheelOf(14, sets);
        writeOutput(wheel);
        type({"1", "2", "3", "4", "5", "6"});
        QVERIFY(checkToEnd());
        QCOMPARE(outputBytes(), wheel);
        if (QFileInfo::exists(QStringLiteral("/proc/self/fd"))) QCOMPARE(openDescriptorsOfOutput(), 0);
    }
};

const char* const WinCheckerWindowTest::kBoxes[6] = {"txtPosA", "txtPosB", "txtPosC", "txtPosD", "txtPosE", "txtPosF"};

QTEST_MAIN(WinCheckerWindowTest)
#include "WinCheckerWindowTest.moc"
