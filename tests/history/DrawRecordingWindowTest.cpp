#include "history/DrawRecordingWindow.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace orvane;

namespace {

const QStringList kBoxes = {"txtMonth", "txtDay",  "txtYear", "txtPosA", "txtPosB",
                            "txtPosC",  "txtPosD", "txtPosE", "txtPosF"};
const QByteArray kTwoLines = "050788  15 17 30 42 44 49\r\n102399  11 20 23 33 37 47\r\n";
const QString kTwoDigits = QStringLiteral(
    "All entries must be 2 digits.  If the entry is less than 10, put a zero in front of it.  For example, 03.");

} // namespace

class DrawRecordingWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    std::unique_ptr<FakePlatform> platform_;
    std::unique_ptr<SharedSettings> shared_;
    std::unique_ptr<DrawRecordingWindow> window_;

    QString historyPath() const { return QString::fromStdString(shared_->historyPath); }
    void writeHistory(const QByteArray& contents) {
        QFile file(historyPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
    }
    QByteArray history() const {
        QFile file(historyPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void open() {
        window_ = std::make_unique<DrawRecordingWindow>(*platform_, *shared_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    template <typename T> T* find(const QString& name) const {
        T* control = window_->findChild<T*>(name);
        if (!control) qFatal("no control named %s", qPrintable(name));
        return control;
    }
    QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }
    QString label() const { return find<QLabel>(QStringLiteral("lblLastDrawDate"))->text(); }
    QString status() const { return find<QLabel>(QStringLiteral("lblStatus"))->text(); }
    void type(const QStringList& texts) {
        for (int i = 0; i < kBoxes.size(); ++i) {
            box(kBoxes[i])->clear();
            QTest::keyClicks(box(kBoxes[i]), texts[i]);
        }
    }
    QStringList typed() const {
        QStringList texts;
        for (const QString& name : kBoxes) texts << box(name)->text();
        return texts;
    }
    void click(const QString& name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    // Types `texts` over a two-draw history and records: one problem, `message`.
    void recordOverTwoDraws(const QStringList& texts, const QString& message) {
        writeHistory(kTwoLines);
        open();
        type(texts);
        click("cmdRecordDraw");
        QCOMPARE(platform_->messages.size(), 1);
        QCOMPARE(platform_->messages[0].text, message);
        QCOMPARE(platform_->messages[0].title, QStringLiteral("Problem"));
    }
    QStringList goodDraw() const { return {"12", "05", "99", "03", "11", "24", "30", "41", "49"}; }

private slots:
    void init() {
        platform_ = std::make_unique<FakePlatform>();
        shared_ = std::make_unique<SharedSettings>(dataPathsIn(folder_.path().toStdString()));
        QFile::remove(historyPath());
    }
    void cleanup() { window_.reset(); }

    void showsEveryControlWithItsCaption() {
        writeHistory(kTwoLines);
        open();
        QCOMPARE(window_->objectName(), QStringLiteral("frmVNUpdateMain"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Orvane History File Update Utility"));
        QVERIFY(!window_->isModal());
        const QList<QPair<QString, QString>> labels = {{"lblDate", "Date"},
                                                       {"lblMonth", "MM"},
                                                       {"lblDay", "DD"},
                                                       {"lblYear", "YY"},
                                                       {"lblNewDrawing", "New Drawing"},
                                                       {"lblAA", "AA"},
                                                       {"lblBB", "BB"},
                                                       {"lblCC", "CC"},
                                                       {"lblDD", "DD"},
                                                       {"lblEE", "EE"},
                                                       {"lblFF", "FF"}};
        for (const auto& [name, caption] : labels) QCOMPARE(find<QLabel>(name)->text(), caption);
        QCOMPARE(find<QPushButton>("cmdRecordDraw")->text(), QStringLiteral("Record This Draw"));
        QCOMPARE(find<QPushButton>("cmdClear")->text(), QStringLiteral("Clear Entry Boxes"));
        QCOMPARE(find<QPushButton>("cmdExit")->text(), QStringLiteral("Done"));
        QCOMPARE(find<QWidget>("frameUpdate")->property("title").toString(),
                 QStringLiteral("Update Game History File"));
        QCOMPARE(find<QLabel>("lblLastDrawDate")->palette().color(QPalette::WindowText), QColor(Qt::blue));

        auto* explanation = find<QPlainTextEdit>("txtExplainUpdate");
        QVERIFY(explanation->isReadOnly());
        const QStringList paragraphs = explanation->toPlainText().split('\n');
        QCOMPARE(paragraphs.size(), 4);
        for (const QString& paragraph : paragraphs)
            QVERIFY2(paragraph.startsWith("    ") && paragraph[4] != ' ', qPrintable(paragraph));
        // The numbers may come in any order: the text says so, and no longer asks for ascending order.
        QVERIFY(paragraphs[2].contains("may be entered in any order"));
        QVERIFY(!explanation->toPlainText().contains("MUST"));

        for (const QString& name : kBoxes) {
            QCOMPARE(box(name)->maxLength(), 2);
            QVERIFY(box(name)->text().isEmpty());
        }
        QCOMPARE(status(), QString());
        // The box holds at most two characters, whatever is typed.
        QTest::keyClicks(box("txtYear"), "1999");
        QCOMPARE(box("txtYear")->text(), QStringLiteral("19"));
    }

    // The draw typed as one run of digits, each key to whichever box has the focus.
    void twoDigitsMoveTheTypingToTheNextBox() {
        writeHistory(kTwoLines);
        open();
        QApplication::setActiveWindow(window_.get());
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        box("txtMonth")->setFocus();
        for (const QChar digit : QStringLiteral("120599031124304149")) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused);
            QTest::keyClick(focused, digit.toLatin1());
        }
        QCOMPARE(typed(), goodDraw());
        QVERIFY(box("txtPosF")->hasFocus());

        // Back in a full box, a digit typed over a selection moves on; the
        // next box's text is selected, so typing replaces it.
        box("txtDay")->setFocus();
        box("txtDay")->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), "15");
        QVERIFY(box("txtYear")->hasFocus());
        QCOMPARE(box("txtYear")->selectedText(), QStringLiteral("99"));
        QTest::keyClicks(QApplication::focusWidget(), "98");
        QCOMPARE(box("txtYear")->text(), QStringLiteral("98"));
        // One digit, or a box set by the program, stays where it is.
        box("txtMonth")->setFocus();
        box("txtMonth")->clear();
        QTest::keyClick(box("txtMonth"), '0');
        QVERIFY(box("txtMonth")->hasFocus());
        box("txtMonth")->setText(QStringLiteral("07"));
        QVERIFY(box("txtMonth")->hasFocus());
    }

    void showsTheLastDrawDateOrNothing() {
        writeHistory(kTwoLines);
        open();
        QCOMPARE(label(), QStringLiteral("10-23-99"));
        window_.reset();

        QFile::remove(historyPath());
        open();
        QCOMPARE(label(), QString());
        for (const char* name : {"cmdRecordDraw", "cmdClear", "cmdExit"}) QVERIFY(find<QPushButton>(name)->isEnabled());
        QVERIFY(platform_->messages.isEmpty());
    }

    void aGoodDrawIsAppendedAndTheBoxesEmptied() {
        writeHistory(kTwoLines);
        open();
        type(goodDraw());
        click("cmdRecordDraw");
        QVERIFY(platform_->messages.isEmpty());
        const QByteArray recorded = kTwoLines + "120599  03 11 24 30 41 49\r\n";
        QCOMPARE(history(), recorded);
        QCOMPARE(label(), QStringLiteral("12-05-99"));
        QCOMPARE(typed(), QStringList(9, QString()));
        // Confirmed in the window, which stays open for the next draw.
        QCOMPARE(status(), QStringLiteral("Recorded 12-05-99: 03 11 24 30 41 49."));
        QVERIFY(window_->isVisible());

        // Pressed again at once: nothing to record, and no confirmation left standing.
        click("cmdRecordDraw");
        QCOMPARE(platform_->messages.size(), 1);
        QCOMPARE(platform_->messages[0].text,
                 QStringLiteral(
                     "There are one or more entry boxes with nothing in them.  Please fill them in and try again."));
        QCOMPARE(history(), recorded);
        QCOMPARE(status(), QString());

        // The next draw.
        type({"12", "08", "99", "01", "02", "03", "04", "05", "06"});
        click("cmdRecordDraw");
        QCOMPARE(history(), recorded + "120899  01 02 03 04 05 06\r\n");
        QCOMPARE(status(), QStringLiteral("Recorded 12-08-99: 01 02 03 04 05 06."));
        QCOMPARE(label(), QStringLiteral("12-08-99"));
    }

    void theFirstRecordCreatesAMissingHistoryWithTheNumbersAscending() {
        open();
        type({"01", "02", "03", "40", "30", "20", "10", "09", "08"});
        click("cmdRecordDraw");
        QVERIFY(platform_->messages.isEmpty());
        QCOMPARE(history(), QByteArray("010203  08 09 10 20 30 40\r\n"));
        QCOMPARE(label(), QStringLiteral("01-02-03"));
        QCOMPARE(status(), QStringLiteral("Recorded 01-02-03: 08 09 10 20 30 40."));
    }

    void aForgottenDrawGoesInDateOrderAndTheLabelKeepsTheNewest() {
        writeHistory(kTwoLines);
        open();
        type({"06", "12", "99", "49", "41", "30", "24", "11", "03"});
        click("cmdRecordDraw");
        QVERIFY(platform_->messages.isEmpty());
        QCOMPARE(history(), QByteArray("050788  15 17 30 42 44 49\r\n061299  03 11 24 30 41 49\r\n"
                                       "102399  11 20 23 33 37 47\r\n"));
        QCOMPARE(label(), QStringLiteral("10-23-99"));
        QCOMPARE(status(), QStringLiteral("Recorded 06-12-99: 03 11 24 30 41 49, in date order before the draw of "
                                          "10-23-99."));
        QCOMPARE(typed(), QStringList(9, QString()));
    }

    // The same draw again, or another of a date recorded: refused, the file
    // as it was and the boxes as typed, to correct.
    void aDateRecordedAlreadyIsRefused_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("message");
        const QString path = folder_.filePath("FL6-49.HIT");
        QTest::newRow("same numbers, other order")
            << QStringList{"10", "23", "99", "47", "37", "33", "23", "20", "11"}
            << "The draw of 10-23-99, 11 20 23 33 37 47, is already recorded, on line 2 of the history file " + path +
                   ".";
        QTest::newRow("other numbers") << QStringList{"05", "07", "88", "15", "17", "30", "42", "44", "48"}
                                       << "Line 1 of the history file " + path +
                                              " records another draw of 05-07-88: 15 17 30 42 44 49. The draw 15 17 "
                                              "30 42 44 48 was not recorded.";
    }
    void aDateRecordedAlreadyIsRefused() {
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QCOMPARE(historyPath(), folder_.filePath("FL6-49.HIT"));
        recordOverTwoDraws(texts, message);
        QCOMPARE(history(), kTwoLines);
        QCOMPARE(typed(), texts);
        QCOMPARE(status(), QString());
        QCOMPARE(label(), QStringLiteral("10-23-99"));
        QCOMPARE(QDir(folder_.path()).entryList(QDir::Files), QStringList{"FL6-49.HIT"});
    }

    void aHistoryWithoutAFinalLineEndGetsOneFirst() {
        writeHistory("102399  11 20 23 33 37 47");
        open();
        type(goodDraw());
        click("cmdRecordDraw");
        QCOMPARE(history(), QByteArray("102399  11 20 23 33 37 47\r\n120599  03 11 24 30 41 49\r\n"));
    }

    void aFailedCheckSaysWhyEmptiesOneBoxAndWritesNothing_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("emptied"); // index in kBoxes, -1 for none
        const QStringList good = goodDraw();
        auto with = [&](std::initializer_list<std::pair<int, QString>> changes) {
            QStringList texts = good;
            for (const auto& [i, text] : changes) texts[i] = text;
            return texts;
        };
        const QString repeated = QStringLiteral("There are multiple instances of the same number.  Please try again.");
        QTest::newRow("month 13, day 5") << with({{0, "13"}, {1, "5"}}) << kTwoDigits << 1;
        QTest::newRow("month 13, A and B equal") << with({{0, "13"}, {3, "07"}, {4, "07"}}) << repeated << 3;
        QTest::newRow("month 13") << with({{0, "13"}})
                                  << QStringLiteral(
                                         "Invalid entry for MONTH of draw.  Please enter a number from 1 to 12.")
                                  << 0;
        QTest::newRow("year blank 9") << with({{2, " 9"}}) << kTwoDigits << 2;
        QTest::newRow("year ab") << with({{2, "ab"}}) << kTwoDigits << 2;
        QTest::newRow("year -5") << with({{2, "-5"}}) << kTwoDigits << 2;
        QTest::newRow("day 00") << with({{1, "00"}})
                                << QStringLiteral("Invalid entry for DAY of draw.  Please enter a number from 1 to 31.")
                                << 1;
        QTest::newRow("F x9") << with({{8, "x9"}})
                              << QStringLiteral("Invalid entry for Position F.  Please enter a number from 1 to 49.")
                              << 8;
        QTest::newRow("A 50") << with({{3, "50"}})
                              << QStringLiteral("Invalid entry for Position A.  Please enter a number from 1 to 49.")
                              << 3;
        QTest::newRow("30 February 2000")
            << with({{0, "02"}, {1, "30"}, {2, "00"}})
            << QStringLiteral("Invalid entry for DAY of draw.  02-30-00 is not a calendar "
                              "date: February 2000 has 29 days.")
            << 1;
        QTest::newRow("31 April") << with({{0, "04"}, {1, "31"}})
                                  << QStringLiteral("Invalid entry for DAY of draw.  04-31-99 is not a calendar date: "
                                                    "April 1999 has 30 days.")
                                  << 1;
        QTest::newRow("empty E") << with({{7, ""}, {0, "5"}})
                                 << QStringLiteral(
                                        "There are one or more entry boxes with nothing in them.  Please fill "
                                        "them in and try again.")
                                 << -1;
    }
    void aFailedCheckSaysWhyEmptiesOneBoxAndWritesNothing() {
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QFETCH(int, emptied);
        recordOverTwoDraws(texts, message);
        QCOMPARE(platform_->messages[0].icon, NoticeIcon::Exclamation);
        QStringList expected = texts;
        if (emptied >= 0) expected[emptied].clear();
        QCOMPARE(typed(), expected);
        QCOMPARE(history(), kTwoLines);
        QCOMPARE(label(), QStringLiteral("10-23-99"));
        QVERIFY(window_->isVisible());
    }

    void twoDigitYearsAtTheEndsAreAccepted() {
        writeHistory(kTwoLines);
        open();
        for (const QString& year : {QStringLiteral("00"), QStringLiteral("99")}) {
            QStringList texts = goodDraw();
            texts[2] = year;
            type(texts);
            click("cmdRecordDraw");
        }
        QVERIFY(platform_->messages.isEmpty());
        // 2000 follows 1999: the draw of 1999 goes before it.
        QCOMPARE(history(), kTwoLines + "120599  03 11 24 30 41 49\r\n120500  03 11 24 30 41 49\r\n");
    }

    void anUnwritableHistoryIsNamedAndTheDrawKept() {
        // A folder where the file should be: no write reaches it, even as root.
        const QString blocked = folder_.filePath("blocked.HIT");
        QVERIFY(QDir(folder_.path()).mkpath("blocked.HIT"));
        shared_->historyPath = blocked.toStdString();
        open();
        const QString before = label();
        type(goodDraw());
        click("cmdRecordDraw");
        QCOMPARE(platform_->messages.size(), 1);
        QCOMPARE(platform_->messages[0].title, QStringLiteral("Problem"));
        QVERIFY2(platform_->messages[0].text.contains(blocked), qPrintable(platform_->messages[0].text));
        QCOMPARE(typed(), goodDraw());
        QCOMPARE(label(), before);
        QVERIFY(QDir(blocked).isEmpty());

        // Under a missing folder: the same, and no folder or file is made.
        shared_->historyPath = folder_.filePath("missing/FL6-49.HIT").toStdString();
        click("cmdRecordDraw");
        QCOMPARE(platform_->messages.size(), 2);
        QVERIFY(platform_->messages[1].text.contains(folder_.filePath("missing/FL6-49.HIT")));
        QVERIFY(!QFile::exists(folder_.filePath("missing")));
        QDir(blocked).removeRecursively();
    }

    void clearEmptiesTheNineBoxesOnly() {
        writeHistory(kTwoLines);
        open();
        type(goodDraw());
        click("cmdClear");
        QCOMPARE(typed(), QStringList(9, QString()));
        QCOMPARE(label(), QStringLiteral("10-23-99"));
        QCOMPARE(history(), kTwoLines);
        QVERIFY(platform_->messages.isEmpty());
    }

    void enterInABoxRecordsTheDraw() {
        writeHistory(kTwoLines);
        open();
        type(goodDraw());
        box("txtPosF")->setFocus();
        QTest::keyClick(box("txtPosF"), Qt::Key_Return);
        QCOMPARE(history(), kTwoLines + "120599  03 11 24 30 41 49\r\n");
    }

    void doneAndTheTitleBarCloseWithoutWriting() {
        writeHistory(kTwoLines);
        open();
        QSignalSpy finished(window_.get(), &QDialog::finished);
        type(goodDraw());
        click("cmdExit");
        QVERIFY(!window_->isVisible());
        QCOMPARE(finished.count(), 1);

        window_.reset();
        open();
        QSignalSpy closedByTitleBar(window_.get(), &QDialog::finished);
        type(goodDraw());
        QVERIFY(window_->close()); // what the title bar's close button does
        QVERIFY(!window_->isVisible());
        QCOMPARE(closedByTitleBar.count(), 1);
        QCOMPARE(history(), kTwoLines);
        QVERIFY(platform_->messages.isEmpty());
    }
};

QTEST_MAIN(DrawRecordingWindowTest)
#include "DrawRecordingWindowTest.moc"
