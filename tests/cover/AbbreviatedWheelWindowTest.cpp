#include "cover/AbbreviatedWheelWindow.h"

#include "core/GameCatalogue.h"
#include "cover/CoverCheck.h"
#include "platform/BusyState.h"
#include "support/WindowFixture.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>

using namespace orvane;

// The abbreviated-wheel window as the user reaches it: numbers selected on
// the main window, then Tools > Abbreviated Wheel..., on the fake desktop.
class AbbreviatedWheelWindowTest : public QObject {
    Q_OBJECT

private:
    WindowFixture fixture;

    AbbreviatedWheelWindow* window() const {
        return fixture.window->findChild<AbbreviatedWheelWindow*>(QStringLiteral("frmAbbreviatedWheel"));
    }
    template <typename T> T* inWindow(const QString& name) const {
        T* control = window()->findChild<T*>(name);
        if (!control) qFatal("no abbreviated-wheel control named %s", qPrintable(name));
        return control;
    }
    void click(const QString& name) const { QTest::mouseClick(inWindow<QPushButton>(name), Qt::LeftButton); }
    void set(const char* box, int value) const { inWindow<QSpinBox>(QString::fromLatin1(box))->setValue(value); }
    QString text(const char* label) const { return inWindow<QLabel>(QString::fromLatin1(label))->text(); }
    bool beginToEnd() const {
        QSignalSpy ended(window(), &AbbreviatedWheelWindow::runEnded);
        click(QStringLiteral("cmdBegin"));
        return ended.count() == 1 || ended.wait(60000);
    }
    QString outputPath() const { return QString::fromStdString(fixture.shared->wheelOutputPath); }
    QStringList outputLines() const {
        const QString text = QString::fromLatin1(WindowFixture::fileBytes(outputPath()));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return lines;
    }
    // The tickets of the output file on pool positions 0..v-1, for the checker.
    static std::vector<TicketMask> masksOf(const QStringList& lines, int firstNumber) {
        std::vector<TicketMask> tickets;
        for (QString line : lines) {
            if (line.contains(QLatin1Char(':'))) line = line.section(QLatin1Char(':'), 1);
            TicketMask mask = 0;
            for (const QString& number : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                mask |= TicketMask{1} << (number.toInt() - firstNumber);
            tickets.push_back(mask);
        }
        return tickets;
    }
    void open(int first, int last) {
        fixture.selectRange(first, last);
        fixture.trigger(QStringLiteral("mnuAbbreviatedWheel"));
        QVERIFY(window() && window()->isVisible());
    }

private slots:
    void init() {
        fixture.open();
        fixture.window->show();
    }
    void cleanup() { fixture.close(); }

    // A search shows its list; only Write to Output File writes it.
    void beginShowsAProvedListWrittenOnlyWhenAsked() {
        open(0, 11);
        set("spnDrawn", 4);
        set("spnSeconds", 1);
        QVERIFY(!inWindow<QPushButton>(QStringLiteral("cmdPrint"))->isEnabled());
        QVERIFY(!inWindow<QPushButton>(QStringLiteral("cmdWrite"))->isEnabled());
        QVERIFY(beginToEnd());
        QVERIFY(!QFile::exists(outputPath()));
        QVERIFY(inWindow<QPushButton>(QStringLiteral("cmdWrite"))->isEnabled());
        QVERIFY(text("lblResult").contains(QStringLiteral("Write to Output File")));
        click(QStringLiteral("cmdWrite"));
        const QStringList lines = outputLines();
        QVERIFY(!lines.isEmpty());
        QVERIFY(
            text("lblResult").startsWith(QStringLiteral("%1 tickets; guarantee 3 if 4 verified").arg(lines.size())));
        QVERIFY(text("lblResult").endsWith(QStringLiteral("written to ") + outputPath()));
        QCOMPARE(uncoveredSubsets(12, {3, 4}, masksOf(lines, 1)), 0u);
        QVERIFY(text("lblBest").contains(QString::number(lines.size())));
        QCOMPARE(inWindow<QPlainTextEdit>(QStringLiteral("txtTickets"))->toPlainText().count(QLatin1Char('\n')),
                 lines.size() + 3);
        click(QStringLiteral("cmdPrint"));
        QCOMPARE(fixture.platform->printJobs.size(), 1);
        QVERIFY(fixture.platform->printJobs[0].ended);
        QVERIFY(fixture.platform->printJobs[0].lines[0].contains(QStringLiteral("verified")));
        QCOMPARE(fixture.platform->printJobs[0].lines.size(), lines.size() + 3);
        QVERIFY(fixture.platform->messages.isEmpty());
    }

    // Another game's list: tickets of its five numbers, each written with the
    // picked bonus numbers in turn.
    void anotherGamesTicketsTakeTheBonusNumbersInTurn() {
        fixture.window->switchGame(*findGame("Powerball", catalogueGames()));
        auto* bonus = fixture.find<QListWidget>(QStringLiteral("lstBonusNumbers"));
        bonus->item(6)->setSelected(true);
        bonus->item(25)->setSelected(true);
        open(0, 7);
        QVERIFY(text("lblPool").contains(QStringLiteral("Bonus numbers, taken in turn: 7 26")));
        QCOMPARE(inWindow<QSpinBox>(QStringLiteral("spnDrawn"))->maximum(), 5);
        set("spnSeconds", 1);
        QVERIFY(beginToEnd());
        click(QStringLiteral("cmdWrite"));
        const QStringList lines = outputLines();
        QVERIFY(lines.size() >= 8); // no list of 3 if 3 on 8 numbers with five-number tickets is shorter
        QStringList mains;
        int withSeven = 0;
        for (const QString& line : lines) {
            const QStringList parts = line.split(QStringLiteral(" + "));
            QCOMPARE(parts.size(), 2);
            QCOMPARE(parts[0].split(QLatin1Char(' ')).size(), 5);
            withSeven += parts[1] == QStringLiteral("7");
            QVERIFY(parts[1] == QStringLiteral("7") || parts[1] == QStringLiteral("26"));
            mains << parts[0];
        }
        QVERIFY(std::abs(2 * withSeven - static_cast<int>(lines.size())) <= 1);
        QCOMPARE(uncoveredSubsets(8, {3, 3, 5}, masksOf(mains, 1)), 0u);
        QVERIFY(
            inWindow<QPlainTextEdit>(QStringLiteral("txtTickets"))->toPlainText().contains(QStringLiteral(" + 26")));
    }

    // A pool past 64 numbers: every main number of Powerball, 2 if 2.
    void everyNumberOfALargeGameIsWheeled() {
        fixture.window->switchGame(*findGame("Powerball", catalogueGames()));
        open(0, 68);
        QVERIFY(text("lblPool").startsWith(QStringLiteral("Pool: 69 numbers selected")));
        set("spnMatch", 2);
        set("spnDrawn", 2);
        set("spnSeconds", 1);
        QVERIFY(beginToEnd());
        click(QStringLiteral("cmdWrite"));
        const QStringList lines = outputLines();
        QVERIFY(static_cast<int>(lines.size()) >= ticketLowerBound(69, {2, 2, 5}));
        QVERIFY(
            text("lblResult").startsWith(QStringLiteral("%1 tickets; guarantee 2 if 2 verified").arg(lines.size())));
        QCOMPARE(uncoveredSubsets(69, {2, 2, 5}, masksOf(lines, 1)), 0u);
        QVERIFY(lines.filter(QRegularExpression(QStringLiteral("\\b69$"))).size() > 0);
        QVERIFY(fixture.platform->messages.isEmpty());
    }

    // The main window's output options as they stand at the write: numbered
    // lines, appended; overwriting sets already there is asked first.
    void writtenAsTheMainWindowSaysOverwritingOnlyWhenAsked() {
        WindowFixture::writeFile(outputPath(), "1 2 3 4 5 6\r\n");
        open(10, 16); // 11..17: 3 if 3 on seven numbers takes four tickets
        set("spnSeconds", 1);
        QVERIFY(beginToEnd());
        click(QStringLiteral("cmdWrite")); // Overwrite, unanswered: No
        QCOMPARE(fixture.platform->messages.size(), 1);
        QCOMPARE(fixture.platform->messages[0].buttons, Platform::Buttons::YesNoDefaultNo);
        QVERIFY(fixture.platform->messages[0].text.contains(outputPath()));
        QCOMPARE(outputLines(), QStringList({"1 2 3 4 5 6"}));

        fixture.find<QAction>(QStringLiteral("mnuRecordNumbers"))->setChecked(true);
        fixture.find<QRadioButton>(QStringLiteral("optnAppend"))->setChecked(true);
        click(QStringLiteral("cmdWrite"));
        QCOMPARE(fixture.platform->messages.size(), 1); // appending asks nothing
        QStringList lines = outputLines();
        QCOMPARE(lines.size(), 1 + 4);
        QCOMPARE(lines[0], QStringLiteral("1 2 3 4 5 6"));
        for (int i = 1; i <= 4; ++i) QVERIFY(lines[i].startsWith(QStringLiteral("%1 : ").arg(i)));
        QCOMPARE(uncoveredSubsets(7, {3, 3}, masksOf(lines.mid(1), 11)), 0u);

        fixture.find<QRadioButton>(QStringLiteral("optnOverwrite"))->setChecked(true);
        fixture.platform->replies << Platform::Reply::Yes;
        click(QStringLiteral("cmdWrite"));
        lines = outputLines();
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith(QStringLiteral("1 : ")));
    }

    void stopKeepsTheBestProvedListAndTheTitleBarStopsToo() {
        open(0, 19);
        set("spnMatch", 4);
        QCOMPARE(inWindow<QSpinBox>(QStringLiteral("spnDrawn"))->value(), 4); // carried along
        set("spnSeconds", 600);
        QSignalSpy ended(window(), &AbbreviatedWheelWindow::runEnded);
        click(QStringLiteral("cmdBegin"));
        QVERIFY(inWindow<QPushButton>(QStringLiteral("cmdStop"))->isEnabled());
        QVERIFY(!inWindow<QPushButton>(QStringLiteral("cmdBegin"))->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!text("lblBest").endsWith(QStringLiteral("none yet")), 60000);
        click(QStringLiteral("cmdStop"));
        QCOMPARE(ended.count(), 1);
        QVERIFY(!QFile::exists(outputPath()));
        click(QStringLiteral("cmdWrite"));
        const QStringList lines = outputLines();
        QVERIFY(
            text("lblResult").startsWith(QStringLiteral("%1 tickets; guarantee 4 if 4 verified").arg(lines.size())));
        QCOMPARE(uncoveredSubsets(20, {4, 4}, masksOf(lines, 1)), 0u);

        QPointer<AbbreviatedWheelWindow> open = window();
        click(QStringLiteral("cmdBegin"));
        QVERIFY(open->running());
        open->close();
        QTRY_VERIFY(open.isNull());
        QVERIFY(fixture.window->isEnabled());
    }

    // Enter presses Begin while idle and Stop during a search, wherever the focus is.
    void enterBeginsAndStops() {
        open(0, 19);
        set("spnSeconds", 600);
        inWindow<QSpinBox>(QStringLiteral("spnSeed"))->setFocus();
        QSignalSpy ended(window(), &AbbreviatedWheelWindow::runEnded);
        QTest::keyClick(inWindow<QSpinBox>(QStringLiteral("spnSeed")), Qt::Key_Return);
        QVERIFY(window()->running());
        QTest::keyClick(window()->focusWidget() ? window()->focusWidget() : window(), Qt::Key_Return);
        QCOMPARE(ended.count(), 1);
        QVERIFY(!window()->running());
    }

    void refusesTooFewNumbersAndGuaranteesTooLarge() {
        open(0, 5);
        click(QStringLiteral("cmdBegin"));
        QVERIFY(!window()->running());
        QCOMPARE(fixture.platform->messages.size(), 1);
        QVERIFY(fixture.platform->messages[0].text.startsWith(QStringLiteral("There are not enough numbers selected")));

        fixture.selectRange(0, 48);
        set("spnMatch", 5);
        click(QStringLiteral("cmdBegin"));
        QVERIFY(!window()->running());
        QCOMPARE(fixture.platform->messages.size(), 2);
        QVERIFY(fixture.platform->messages[1].text.contains(QStringLiteral("10,000 tickets")));
        QVERIFY(!QFile::exists(outputPath()));
    }

    // A wheel run writing the output file: the list waits for Write to Output File.
    void theOutputFileInUseWaits() {
        open(0, 6);
        set("spnSeconds", 1);
        fixture.window->busy().begin(MainWindow::kWheelRun);
        QVERIFY(beginToEnd());
        QVERIFY(fixture.platform->messages.isEmpty());
        click(QStringLiteral("cmdWrite"));
        QCOMPARE(fixture.platform->messages.size(), 1);
        QVERIFY(fixture.platform->messages[0].text.contains(QStringLiteral("Write to Output File")));
        QVERIFY(!QFile::exists(outputPath()));
        fixture.window->busy().end(MainWindow::kWheelRun);
        click(QStringLiteral("cmdWrite"));
        QCOMPARE(outputLines().size(), 4);
    }
};

QTEST_MAIN(AbbreviatedWheelWindowTest)
#include "AbbreviatedWheelWindowTest.moc"
