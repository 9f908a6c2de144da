#pragma once

#include "platform/Platform.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QPrinter;

namespace orvane {

// The pieces `line` is printed as on lines no wider than `width` (in the pixels
// `metrics` measures in): a line that does not fit breaks at its last blank
// that fits, or else after its last character that fits. An empty line stays
// one empty line.
QStringList wrappedLine(const QString& line, const QFontMetrics& metrics, int width);

// Lets the user choose the printer, copies and pages of a printout of
// `pageCount` pages (the print dialog); false when the user cancels.
using PrinterChoice = std::function<bool(QPrinter& printer, int pageCount)>;

// A document on a printer. Its lines are kept as they come and laid out on
// pages when it ends, once the number of pages is known: every page starts with
// the title and "Page N of M", then the headings where they repeat, inside at least
// kMinimumMarginMm on every side (more where the printer needs more).
class QtPrintDocument : public PrintDocument {
public:
    static constexpr double kMinimumMarginMm = 15.0;

    // On the default printer when `pdfPath` is empty, chosen through `choose`
    // when the document ends; else written as a PDF to `pdfPath`. When the
    // printer or the PDF cannot be opened the document is not opened() and the
    // lines printed go nowhere.
    QtPrintDocument(Platform& platform, PrintRequest request, QString pdfPath, PrinterChoice choose = {});
    // A document never ended is printed here without a question or a message,
    // so that its pages are not lost when its window goes away mid-run.
    ~QtPrintDocument() override;

    bool opened() const { return opened_; }
    void printLine(const QString& line) override;
    void printImage(const QImage& image) override;
    // Lays out the pages, lets the user choose the printer (a real one), prints
    // the pages chosen; a PDF's place is told to the user.
    void end() override;

private:
    struct Entry {
        QString line;
        QImage image; // a picture on a page of its own, when not null
    };
    struct Piece {
        int entry = 0; // the entry it comes from
        QString text;  // the text of a line's piece; empty for a picture
    };
    struct Page {
        std::vector<Piece> pieces;
        bool headed = false; // the headings stand under the title
    };

    std::vector<Page> paginate() const;
    // The entry after the headings where the lines hold them; 0 when they do not.
    int entryPastHeadings() const;
    void paintPage(const Page& page, int number, int pageCount);
    void finish(bool interactive);

    Platform& platform_;
    PrintRequest request_;
    QString pdfPath_;
    PrinterChoice choose_;
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_; // ended before the printer it paints on goes away
    std::vector<Entry> entries_;
    bool opened_ = false;
    bool ended_ = false;
};

} // namespace orvane
