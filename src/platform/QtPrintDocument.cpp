#include "platform/QtPrintDocument.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace orvane {

namespace {

// How many of `text`'s leading characters fit in `width`.
qsizetype charactersThatFit(const QString& text, const QFontMetrics& metrics, int width) {
    qsizetype low = 0, high = text.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(middle)) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

void reportNotPrinted(Platform& platform) {
    platform.message(QStringLiteral("The document could not be printed."), QStringLiteral("Printing"),
                     NoticeIcon::Exclamation);
}

// Whether the PDF at `path` was written to its end: the PDF writer does not
// report a failed write (a full disk), but a file cut short lacks its last line.
bool pdfComplete(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16) return false;
    file.seek(file.size() - 16);
    return file.read(16).contains("%%EOF");
}

} // namespace

QStringList wrappedLine(const QString& line, const QFontMetrics& metrics, int width) {
    // No character is wider than maxWidth(), so a short line fits without being measured.
    if (line.size() * metrics.maxWidth() <= width) return {line};
    QStringList pieces;
    QString rest = line;
    while (!rest.isEmpty() && metrics.horizontalAdvance(rest) > width) {
        const qsizetype fits = charactersThatFit(rest, metrics, width);
        // The blank the line breaks at may stand just past the last character that fits.
        qsizetype blank = rest.lastIndexOf(QLatin1Char(' '), fits);
        qsizetype pieceEnd = blank;
        while (pieceEnd > 0 && rest[pieceEnd - 1] == QLatin1Char(' ')) --pieceEnd;
        if (blank <= 0 || pieceEnd == 0) {
            // No blank to break at: as many characters as fit, at least one.
            pieceEnd = std::max<qsizetype>(fits, 1);
            blank = pieceEnd - 1;
        }
        pieces << rest.left(pieceEnd);
        qsizetype next = blank + 1;
        while (next < rest.size() && rest[next] == QLatin1Char(' ')) ++next;
        rest = rest.mid(next);
    }
    if (!rest.isEmpty() || pieces.isEmpty()) pieces << rest;
    return pieces;
}

QtPrintDocument::QtPrintDocument(Platform& platform, const QString& fontName, int pointSize, QString pdfPath)
    : platform_(platform), pdfPath_(std::move(pdfPath)) {
    printer_ = pdfPath_.isEmpty()
                   ? std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution)
                   : std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!pdfPath_.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdfPath_);
    }
    // The text stands inside the page's margins, never closer to the paper's
    // edge than the minimum, nor than the printer itself can print.
    printer_->setFullPage(false);
    QPageLayout layout = printer_->pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF least = layout.minimumMargins();
    const QMarginsF margins(std::max(kMinimumMarginMm, least.left()), std::max(kMinimumMarginMm, least.top()),
                            std::max(kMinimumMarginMm, least.right()), std::max(kMinimumMarginMm, least.bottom()));
    printer_->setPageMargins(margins, QPageLayout::Millimeter);

    if (!painter_.begin(printer_.get())) {
        ended_ = true;
        return;
    }
    opened_ = true;
    QFont font(fontName, pointSize);
    font.setStyleHint(QFont::Monospace);
    painter_.setFont(QFont(font, printer_.get()));
    metrics_.emplace(painter_.fontMetrics());
    const QRect page = printer_->pageLayout().paintRectPixels(printer_->resolution());
    pageWidth_ = page.width();
    pageHeight_ = page.height();
    ascent_ = metrics_->ascent();
    descent_ = metrics_->descent();
    lineSpacing_ = metrics_->lineSpacing();
}

QtPrintDocument::~QtPrintDocument() {
    if (!ended_) painter_.end();
}

void QtPrintDocument::printLine(const QString& line) {
    if (ended_) return;
    for (const QString& piece : wrappedLine(line, *metrics_, pageWidth_)) {
        drawPiece(piece);
        if (ended_) return;
    }
}

void QtPrintDocument::drawPiece(const QString& piece) {
    // A line goes on the next page unless all of it, its descent included, fits
    // on this one; a page too short for one line still takes one.
    if (top_ > 0 && top_ + ascent_ + descent_ > pageHeight_ && !nextPage()) return;
    if (!piece.isEmpty()) painter_.drawText(0, top_ + ascent_, piece);
    top_ += lineSpacing_;
}

bool QtPrintDocument::nextPage() {
    if (!printer_->newPage()) {
        ended_ = true;
        painter_.end();
        reportNotPrinted(platform_);
        return false;
    }
    top_ = 0;
    return true;
}

void QtPrintDocument::printImage(const QImage& image) {
    if (ended_ || image.isNull()) return;
    if (top_ > 0 && !nextPage()) return;
    const QSize size = image.size().scaled(pageWidth_, pageHeight_, Qt::KeepAspectRatio);
    painter_.drawImage(QRect(QPoint(0, 0), size), image);
    top_ = pageHeight_; // the page is the picture's
}

void QtPrintDocument::end() {
    if (ended_) return;
    ended_ = true;
    if (!painter_.end() || (!pdfPath_.isEmpty() && !pdfComplete(pdfPath_))) {
        reportNotPrinted(platform_);
        return;
    }
    if (!pdfPath_.isEmpty())
        platform_.message(QStringLiteral("There is no printer on this computer, so the document was written to ") +
                              QDir::toNativeSeparators(pdfPath_) + QStringLiteral("."),
                          QStringLiteral("Printing"), NoticeIcon::Information);
}

} // namespace orvane
