#include "platform/FixedFont.h"
#include "platform/QtPlatform.h"
#include "platform/QtPrintDocument.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <algorithm>

using namespace orvane;

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A page object is "/Type /Page"; the page tree is "/Type /Pages".
int pageCount(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

// Every compressed stream of the file that draws text, in file order: one per page.
QList<QByteArray> pageContents(const QByteArray& pdf) {
    QList<QByteArray> pages;
    for (qsizetype at = pdf.indexOf("stream\n"); at >= 0; at = pdf.indexOf("stream\n", at + 1)) {
        if (at >= 3 && pdf.mid(at - 3, 3) == "end") continue;
        const qsizetype dictionary = pdf.lastIndexOf("obj", at);
        if (!pdf.mid(dictionary, at - dictionary).contains("/FlateDecode")) continue;
        const qsizetype start = at + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0) break;
        QByteArray compressed = pdf.mid(start, end - start);
        // qUncompress wants the expected size first; it grows its buffer when that is too small.
        compressed.prepend(QByteArray("\0\0\x10\0", 4));
        const QByteArray content = qUncompress(compressed);
        if (content.contains("BT")) pages << content;
    }
    return pages;
}

// Where a page's text lines stand on the paper, in points from its top left
// corner: the left end of each line's baseline, and its right-most glyph's left
// edge. Reads the page transform ("cm") and the glyph moves ("Td") of the text.
struct PrintedLine {
    double left, baseline, lastGlyph;
};
QList<PrintedLine> printedLines(const QByteArray& content, double paperHeight) {
    QList<PrintedLine> lines;
    double scale = 1, originX = 0, originY = 0;
    double x = 0, y = 0;
    for (const QByteArray& raw : content.split('\n')) {
        const QList<QByteArray> words = raw.simplified().split(' ');
        if (words.size() == 7 && words[6] == "cm" && lines.isEmpty()) {
            scale = words[0].toDouble();
            originX = words[4].toDouble();
            originY = words[5].toDouble();
        } else if (words.contains("BT")) {
            x = y = 0;
            lines.push_back({});
            lines.back().left = -1;
        } else if (words.size() >= 3 && words[2] == "Td" && !lines.isEmpty()) {
            x += words[0].toDouble();
            y -= words[1].toDouble(); // the text matrix turns y down the page
            PrintedLine& line = lines.back();
            if (line.left < 0) line.left = originX + scale * x;
            line.baseline = paperHeight - (originY - scale * y);
            line.lastGlyph = originX + scale * x;
        }
    }
    return lines;
}

} // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT
private slots:
    void settingsLiveInTheOptionsSectionOfTheOrvaneStore() {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        QtPlatform platform(config.path());
        QCOMPARE(platform.setting(QStringLiteral("Record Set Numbers"), QStringLiteral("False")),
                 QStringLiteral("False"));
        platform.saveSetting(QStringLiteral("Record Set Numbers"), QStringLiteral("True"));
        QCOMPARE(platform.setting(QStringLiteral("Record Set Numbers"), QStringLiteral("False")),
                 QStringLiteral("True"));
        QFile stored(config.filePath(QStringLiteral("orvane/orvane.conf")));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        const QByteArray text = stored.readAll();
        QVERIFY(text.contains("[Options]"));
        QVERIFY2(text.contains("Numbers=True"), text.constData());
    }

    void fileFiltersBecomeQtFilterLists() {
        QCOMPARE(
            qtFileFilter(QStringLiteral("History File (*.HIT)|*.HIT|Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*")),
            QStringLiteral("History File (*.HIT *.hit);;Text Files (*.TXT *.txt);;All Files (*)"));
        // Patterns in both letter cases, each once.
        QCOMPARE(qtFileFilter(QStringLiteral("Draw Files (*.csv *.CSV *.txt *.TXT)|*.csv")),
                 QStringLiteral("Draw Files (*.csv *.CSV *.txt *.TXT)"));
        // The file type chosen names the extension a bare name takes.
        QCOMPARE(extensionOfFilter(QStringLiteral("Comma-Separated Values (*.CSV)"), QStringLiteral(".TXT")),
                 QStringLiteral(".CSV"));
        QCOMPARE(extensionOfFilter(QStringLiteral("Draw Files (*.csv *.CSV *.txt *.TXT)"), QStringLiteral(".TXT")),
                 QStringLiteral(".csv"));
        QCOMPARE(extensionOfFilter(QStringLiteral("All Files (*.*)"), QStringLiteral(".TXT")), QStringLiteral(".TXT"));
        QCOMPARE(extensionOfFilter(QString(), QStringLiteral(".TB")), QStringLiteral(".TB"));
    }

    void withoutAPrinterTheDocumentBecomesAPdfAndTheUserIsTold() {
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("this machine has a printer; nothing is printed for real");
        QTemporaryDir data;
        QtPlatform platform(data.path());
        QString told;
        // The information message is a real modal box here: read it and close it.
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
            QWidget* box = QApplication::activeModalWidget();
            told = box->findChild<QWidget*>(QStringLiteral("qt_msgbox_label"))->property("text").toString();
            box->close();
        });
        auto document = platform.beginPrint({QStringLiteral("Sets"), fixedPitchFont(12), {}});
        for (int line = 0; line < 200; ++line) document->printLine(QStringLiteral("1 2 3 4 5 6"));
        document->end();
        const QStringList pdfs = QDir(data.filePath(QStringLiteral("Printouts"))).entryList({QStringLiteral("*.pdf")});
        QCOMPARE(pdfs.size(), 1);
        QVERIFY(QFileInfo(data.filePath(QStringLiteral("Printouts/") + pdfs[0])).size() > 0);
        QVERIFY2(told.contains(pdfs[0]), qPrintable(told));
    }

    // The columns' font sets every character at one width, measured, whatever
    // the desktop maps its families to; a proportional font is told apart.
    void theFixedPitchFontMeasuresFixedPitch() {
        QVERIFY(measuresFixedPitch(fixedPitchFont(12)));
        QVERIFY(measuresFixedPitch(fixedPitchFont(8)));
        QCOMPARE(fixedPitchFont(10).pointSize(), 10);
        QFont proportional(QStringLiteral("DejaVu Sans"), 12);
        proportional.setStyleHint(QFont::SansSerif);
        if (QFontInfo(proportional).family() == QStringLiteral("DejaVu Sans"))
            QVERIFY(!measuresFixedPitch(proportional));
    }

    // A message belongs to the window the user works in, so that closing it
    // gives that window the focus back, not the main window.
    void aMessageBelongsToTheActiveWindow() {
        QTemporaryDir data;
        QtPlatform platform(data.path());
        QWidget main;
        main.show();
        platform.setDialogParent(&main);
        QWidget tool;
        tool.show();
        tool.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &tool);
        QWidget* owner = nullptr;
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
            owner = QApplication::activeModalWidget()->parentWidget();
            QApplication::activeModalWidget()->close();
        });
        platform.message(QStringLiteral("A problem"), QStringLiteral("Problem"), NoticeIcon::Exclamation,
                         Platform::Buttons::Ok);
        QCOMPARE(owner, &tool);
    }

    // A title longer than the page is wide breaks at its last blank that fits;
    // a word longer than the width breaks after its last character that fits.
    void aLongLineWrapsAtItsLastBlankThatFits() {
        const QFontMetrics metrics(fixedPitchFont(12));
        const int tenCharacters = metrics.horizontalAdvance(QStringLiteral("0123456789"));

        QCOMPARE(wrappedLine(QStringLiteral("1 2 3 4 5"), metrics, tenCharacters),
                 QStringList{QStringLiteral("1 2 3 4 5")});
        QCOMPARE(wrappedLine(QString(), metrics, tenCharacters), QStringList{QString()});
        QCOMPARE(wrappedLine(QStringLiteral("wheeled sets for entertainment"), metrics, tenCharacters),
                 (QStringList{QStringLiteral("wheeled"), QStringLiteral("sets for"), QStringLiteral("entertainm"),
                              QStringLiteral("ent")}));
        // The blank just past the tenth character is where the line breaks; the blanks go.
        QCOMPARE(wrappedLine(QStringLiteral("0123456789   abc"), metrics, tenCharacters),
                 (QStringList{QStringLiteral("0123456789"), QStringLiteral("abc")}));
        QCOMPARE(wrappedLine(QStringLiteral("  01234567890123"), metrics, tenCharacters),
                 (QStringList{QStringLiteral("  01234567"), QStringLiteral("890123")}));
        // Narrower than one character: one character a line, never none.
        QCOMPARE(wrappedLine(QStringLiteral("abc"), metrics, 1),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    }

    // The printed text keeps 15 mm from every edge of the paper: the first line
    // starts inside the top and left margins, a long line wraps inside the
    // right one, and no page's last line reaches into the bottom one. Every
    // page starts with its title and page number; every line printed is on a
    // page, each page as full as the next.
    void pagesKeepTheirMarginsAndHoldEveryLine() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("lines.pdf"));
        const QString longLine =
            QStringLiteral("Orvane 1.00 Build 135 wheeled sets - for entertainment only; no set is promised to win.");
        FakePlatform platform;
        constexpr int kSets = 300;
        const QFont font = fixedPitchFont(12);
        int pagesChosen = 0;
        {
            QtPrintDocument document(platform, {QStringLiteral("Wheeled Sets"), font, {}}, path,
                                     [&](QPrinter&, int pages) {
                                         pagesChosen = pages;
                                         return true;
                                     });
            document.printLine(longLine);
            for (int set = 1; set <= kSets; ++set) document.printLine(QStringLiteral("%1 10 20 30 40 49").arg(set));
            document.end();
        }
        QCOMPARE(platform.messages.size(), 1);
        QVERIFY(platform.messages[0].text.contains(QDir::toNativeSeparators(path)));

        const QByteArray pdf = fileBytes(path);
        const QList<QByteArray> pages = pageContents(pdf);
        QVERIFY(pages.size() >= 3);
        QCOMPARE(pageCount(pdf), pages.size());
        QCOMPARE(pagesChosen, pages.size());

        // The paper's size and the font's ascent, descent and advance, in points, as a PDF measures them.
        QPdfWriter paper(folder.filePath(QStringLiteral("paper.pdf")));
        paper.setResolution(1200);
        const QRectF sheet = paper.pageLayout().fullRect(QPageLayout::Point);
        const QFontMetricsF metrics(font, &paper);
        const double ascent = metrics.ascent() * 72.0 / 1200, descent = metrics.descent() * 72.0 / 1200;
        // Every glyph printed has one advance: the font is measured fixed pitch.
        const double advance = metrics.horizontalAdvance(QStringLiteral("0")) * 72.0 / 1200;
        const double margin = 15 * kPointsPerMm;

        int linesPrinted = 0;
        for (int page = 0; page < pages.size(); ++page) {
            const QList<PrintedLine> lines = printedLines(pages[page], sheet.height());
            // The title and "Page N of M" share the first line; the page number ends at the right margin.
            QVERIFY(lines.size() > 2);
            QCOMPARE(lines[0].baseline, lines[1].baseline);
            QVERIFY(lines[1].lastGlyph + advance > sheet.width() - margin - advance);
            linesPrinted += static_cast<int>(lines.size()) - 2;
            if (page + 1 < pages.size()) QCOMPARE(lines.size(), printedLines(pages[0], sheet.height()).size());
            for (const PrintedLine& line : lines) {
                QVERIFY2(line.left >= margin - 0.01, qPrintable(QString::number(line.left)));
                QVERIFY2(line.baseline - ascent >= margin - 0.01, qPrintable(QString::number(line.baseline)));
                QVERIFY2(line.baseline + descent <= sheet.height() - margin + 0.01,
                         qPrintable(QStringLiteral("page %1: %2").arg(page + 1).arg(line.baseline)));
                QVERIFY2(line.lastGlyph + advance <= sheet.width() - margin + 0.01,
                         qPrintable(QString::number(line.lastGlyph)));
            }
        }
        // The long line takes two lines.
        QCOMPARE(linesPrinted, kSets + 2);
    }

    // A table's headings stand on every page under the title, or, where the
    // lines hold them, where they stand and on every later page; the pages the
    // user chooses are the pages printed, numbered as in the whole document.
    void headingsRepeatOnEveryPageAndAPageRangePrintsOnlyThosePages() {
        QTemporaryDir folder;
        FakePlatform platform;
        const QFont font = fixedPitchFont(12);
        const QStringList columns{QStringLiteral("Number  Hits"), QStringLiteral("------  ----")};
        auto print = [&](const QString& name, const QStringList& headings, bool inBody, int from, int to) {
            const QString path = folder.filePath(name);
            int pagesChosen = 0;
            {
                QtPrintDocument document(platform, {QStringLiteral("Report"), font, headings}, path,
                                         [&](QPrinter& printer, int pages) {
                                             pagesChosen = pages;
                                             if (from > 0) {
                                                 printer.setPrintRange(QPrinter::PageRange);
                                                 printer.setFromTo(from, to);
                                             }
                                             return true;
                                         });
                document.printLine(QStringLiteral("A report of 200 rows"));
                if (inBody)
                    for (const QString& heading : columns) document.printLine(heading);
                for (int row = 1; row <= 200; ++row) document.printLine(QStringLiteral("%1 %2").arg(row).arg(row * 7));
                document.end();
            }
            return std::pair{pageContents(fileBytes(path)), pagesChosen};
        };
        QPdfWriter paper(folder.filePath(QStringLiteral("paper.pdf")));
        const double paperHeight = paper.pageLayout().fullRect(QPageLayout::Point).height();
        auto linesOn = [&](const QList<QByteArray>& pages) {
            qsizetype lines = 0;
            for (const QByteArray& page : pages) lines += printedLines(page, paperHeight).size();
            return lines;
        };

        const auto [plain, plainCount] = print(QStringLiteral("plain.pdf"), {}, false, 0, 0);
        const auto [headed, headedCount] = print(QStringLiteral("headed.pdf"), columns, false, 0, 0);
        const auto [inBody, inBodyCount] = print(QStringLiteral("inbody.pdf"), columns, true, 0, 0);
        QCOMPARE(plain.size(), plainCount);
        QCOMPARE(headed.size(), headedCount);
        QCOMPARE(inBody.size(), inBodyCount);
        QVERIFY(headedCount >= plainCount);
        // Every page: the title line's two pieces, the headings, the rows that fit.
        QCOMPARE(linesOn(plain), 2 * plainCount + 201);
        QCOMPARE(linesOn(headed), 2 * headedCount + 2 * headedCount + 201);
        // Where the lines hold them: printed once there, then on every later page.
        QCOMPARE(linesOn(inBody), 2 * inBodyCount + 203 + 2 * (inBodyCount - 1));
        QCOMPARE(printedLines(inBody[0], paperHeight).size(), printedLines(plain[0], paperHeight).size());
        for (int page = 0; page + 1 < headed.size(); ++page)
            QCOMPARE(printedLines(headed[page], paperHeight).size(), printedLines(headed[0], paperHeight).size());

        // The last page alone: its few lines, not a full page's.
        const auto [range, rangeCount] = print(QStringLiteral("range.pdf"), {}, false, plainCount, plainCount);
        QCOMPARE(rangeCount, plainCount);
        QCOMPARE(range.size(), 1);
        QCOMPARE(printedLines(range[0], paperHeight).size(), printedLines(plain.back(), paperHeight).size());
        QVERIFY(printedLines(range[0], paperHeight).size() < printedLines(plain[0], paperHeight).size());

        // A user who cancels the choice prints nothing and is told nothing.
        platform.messages.clear();
        const QString cancelled = folder.filePath(QStringLiteral("cancelled.pdf"));
        {
            QtPrintDocument document(platform, {QStringLiteral("Report"), font, {}}, cancelled,
                                     [](QPrinter&, int) { return false; });
            document.printLine(QStringLiteral("1 2 3"));
            document.end();
        }
        QVERIFY(platform.messages.isEmpty());
        QCOMPARE(pageCount(fileBytes(cancelled)), 0);
    }

    // A document its window never ended still ends as a whole file, quietly;
    // one that cannot be opened is not opened() and takes its lines harmlessly.
    void aDocumentEndsWhenDestroyedAndAFailedOneIgnoresItsLines() {
        QTemporaryDir folder;
        FakePlatform platform;
        const QString path = folder.filePath(QStringLiteral("unended.pdf"));
        {
            QtPrintDocument document(platform, {QStringLiteral("Sets"), fixedPitchFont(12), {}}, path);
            for (int line = 0; line < 120; ++line) document.printLine(QStringLiteral("1 2 3 4 5 6"));
        }
        const QByteArray pdf = fileBytes(path);
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));
        QVERIFY(pageCount(pdf) >= 2);
        QVERIFY(platform.messages.isEmpty());

        {
            QtPrintDocument document(platform, {QStringLiteral("Sets"), fixedPitchFont(12), {}},
                                     folder.filePath(QStringLiteral("missing/folder/lost.pdf")));
            QVERIFY(!document.opened());
            for (int line = 0; line < 120; ++line) document.printLine(QStringLiteral("1 2 3 4 5 6"));
            document.end();
        }
        QVERIFY(platform.messages.isEmpty());
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("missing/folder/lost.pdf"))));

        // The platform gives no document at all for a printout it cannot open.
        const QString blocked = folder.filePath(QStringLiteral("blocked"));
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly)); // a file where the data folder should be
        file.close();
        QtPlatform noRoom(blocked);
        if (QPrinterInfo::defaultPrinter().isNull())
            QVERIFY(!noRoom.beginPrint({QStringLiteral("Sets"), fixedPitchFont(12), {}}));
    }

    // The PDF writer says nothing of a write that failed; a document on a full
    // disk is reported as not printed, never as written.
    void aPdfOnAFullDiskIsReportedAsNotPrinted() {
        if (!QFile::exists(QStringLiteral("/dev/full"))) QSKIP("no full device here");
        FakePlatform platform;
        {
            QtPrintDocument document(platform, {QStringLiteral("Sets"), fixedPitchFont(12), {}},
                                     QStringLiteral("/dev/full"));
            for (int line = 0; line < 120; ++line) document.printLine(QStringLiteral("1 2 3 4 5 6"));
            document.end();
        }
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].text, QStringLiteral("The document could not be printed."));
    }
};

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
