#pragma once

#include "platform/Platform.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <memory>
#include <optional>

class QPrinter;

namespace orvane {

// The pieces `line` is printed as on lines no wider than `width` (in the pixels
// `metrics` measures in): a line that does not fit breaks at its last blank
// that fits, or else after its last character that fits. An empty line stays
// one empty line.
QStringList wrappedLine(const QString& line, const QFontMetrics& metrics, int width);

// A document on a printer, drawn line by line as the lines come: a page is
// finished as soon as the next line would not fit on it, so a long printout
// costs its time while it runs and never all at once at its end. Pages keep at
// least kMinimumMarginMm on every side (more where the printer needs more).
class QtPrintDocument : public PrintDocument {
public:
    static constexpr double kMinimumMarginMm = 15.0;

    // On the default printer when `pdfPath` is empty, else written as a PDF to
    // `pdfPath`. When the printer cannot be opened the document is not
    // opened() and the lines printed go nowhere.
    QtPrintDocument(Platform& platform, const QString& fontName, int pointSize, QString pdfPath);
    // A document never ended is ended here, without a message, so that its
    // pages are not lost when its window goes away mid-run.
    ~QtPrintDocument() override;

    bool opened() const { return opened_; }
    void printLine(const QString& line) override;
    void printImage(const QImage& image) override;
    // Finishes the last page and the job; a PDF's place is told to the user.
    void end() override;

private:
    void drawPiece(const QString& piece);
    // Starts the next page; false (and the document ended) when the printer refuses.
    bool nextPage();

    Platform& platform_;
    QString pdfPath_;
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;   // ended before the printer it paints on goes away
    std::optional<QFontMetrics> metrics_;   // the font as the printer measures it
    int pageWidth_ = 0;
    int pageHeight_ = 0;
    int ascent_ = 0;
    int descent_ = 0;
    int lineSpacing_ = 0;
    int top_ = 0;          // where the next line's top goes on the page
    bool opened_ = false;
    bool ended_ = false;
};

} // namespace orvane
