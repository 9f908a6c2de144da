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
    // Measured, never bounded by maxWidth(): a font's stated widest glyph says
    // nothing of the glyphs a desktop substitutes from other fonts.
    if (metrics.horizontalAdvance(line) <= width) return {line};
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

QtPrintDocument::QtPrintDocument(Platform& platform, PrintRequest request, QString pdfPath, PrinterChoice choose)
    : platform_(platform), request_(std::move(request)), pdfPath_(std::move(pdfPath)), choose_(std::move(choose)) {
    printer_ = pdfPath_.isEmpty() ? std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution)
                                  : std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!pdfPath_.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdfPath_);
    }
    if (!request_.title.isEmpty()) printer_->setDocName(request_.title);
    // The text stands inside the page's margins, never closer to the paper's
    // edge than the minimum, nor than the printer itself can print.
    printer_->setFullPage(false);
    QPageLayout layout = printer_->pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF least = layout.minimumMargins();
    const QMarginsF margins(std::max(kMinimumMarginMm, least.left()), std::max(kMinimumMarginMm, least.top()),
                            std::max(kMinimumMarginMm, least.right()), std::max(kMinimumMarginMm, least.bottom()));
    printer_->setPageMargins(margins, QPageLayout::Millimeter);

    // A PDF is opened at once, so that a folder it cannot be written to is
    // known before any line; a printer is opened once the user has chosen it.
    if (!pdfPath_.isEmpty()) {
        opened_ = painter_.begin(printer_.get());
    } else {
        opened_ = printer_->isValid();
    }
    ended_ = !opened_;
}

QtPrintDocument::~QtPrintDocument() { finish(false); }

void QtPrintDocument::printLine(const QString& line) {
    if (!ended_) entries_.push_back(Entry{line, {}});
}

void QtPrintDocument::printImage(const QImage& image) {
    if (!ended_ && !image.isNull()) entries_.push_back(Entry{{}, image});
}

void QtPrintDocument::end() { finish(true); }

namespace {

struct PageFrame {
    int width = 0;
    int height = 0;
    int headingLines = 0; // the headings' lines, wrapped
};

PageFrame frameOf(const QPrinter& printer, const QFontMetrics& metrics, const QStringList& headings) {
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    PageFrame frame{page.width(), page.height(), 0};
    for (const QString& heading : headings)
        frame.headingLines += static_cast<int>(wrappedLine(heading, metrics, page.width()).size());
    return frame;
}

// The title line and the empty line under it.
constexpr int kTitleLines = 2;

} // namespace

int QtPrintDocument::entryPastHeadings() const {
    const QStringList& headings = request_.headings;
    if (headings.isEmpty()) return 0;
    const auto count = static_cast<std::size_t>(headings.size());
    for (std::size_t at = 0; at + count <= entries_.size(); ++at) {
        std::size_t matched = 0;
        while (matched < count && entries_[at + matched].image.isNull() &&
               entries_[at + matched].line == headings[static_cast<qsizetype>(matched)])
            ++matched;
        if (matched == count) return static_cast<int>(at + count);
    }
    return 0;
}

std::vector<QtPrintDocument::Page> QtPrintDocument::paginate() const {
    const QFontMetrics metrics(QFont(request_.font, printer_.get()));
    const PageFrame frame = frameOf(*printer_, metrics, request_.headings);
    const int pastHeadings = entryPastHeadings();
    std::vector<Page> pages;
    Page current;
    int top = 0; // where the next line's top goes on the page
    // A page repeats the headings once the lines that hold them lie on earlier pages.
    auto startPage = [&](int index, bool picture) {
        current = Page{};
        current.headed = !request_.headings.isEmpty() && !picture && index >= pastHeadings;
        top = (kTitleLines + (current.headed ? frame.headingLines : 0)) * metrics.lineSpacing();
    };
    auto finishPage = [&] {
        pages.push_back(std::move(current));
        current = Page{};
    };
    bool open = false;
    for (int index = 0; index < static_cast<int>(entries_.size()); ++index) {
        const Entry& entry = entries_[static_cast<std::size_t>(index)];
        if (!entry.image.isNull()) {
            // A picture takes a page of its own.
            if (open) finishPage();
            startPage(index, true);
            current.pieces.push_back(Piece{index, {}});
            finishPage();
            open = false;
            continue;
        }
        for (QString& piece : wrappedLine(entry.line, metrics, frame.width)) {
            // A line goes on the next page unless all of it, its descent
            // included, fits on this one; a page too short for one line still takes one.
            if (open && !current.pieces.empty() && top + metrics.ascent() + metrics.descent() > frame.height) {
                finishPage();
                open = false;
            }
            if (!open) {
                startPage(index, false);
                open = true;
            }
            current.pieces.push_back(Piece{index, std::move(piece)});
            top += metrics.lineSpacing();
        }
    }
    if (open) finishPage();
    if (pages.empty()) {
        startPage(0, false);
        finishPage();
    }
    return pages;
}

void QtPrintDocument::paintPage(const Page& page, int number, int pageCount) {
    const QFontMetrics metrics = painter_.fontMetrics();
    const PageFrame frame = frameOf(*printer_, metrics, request_.headings);
    const int ascent = metrics.ascent();
    const int spacing = metrics.lineSpacing();

    const QString pageText = QStringLiteral("Page %1 of %2").arg(number).arg(pageCount);
    const int pageTextWidth = metrics.horizontalAdvance(pageText);
    const int titleRoom = frame.width - pageTextWidth - metrics.horizontalAdvance(QStringLiteral("  "));
    painter_.drawText(0, ascent, metrics.elidedText(request_.title, Qt::ElideRight, std::max(titleRoom, 0)));
    painter_.drawText(frame.width - pageTextWidth, ascent, pageText);
    int top = kTitleLines * spacing;
    if (page.headed)
        for (const QString& heading : request_.headings)
            for (const QString& piece : wrappedLine(heading, metrics, frame.width)) {
                if (!piece.isEmpty()) painter_.drawText(0, top + ascent, piece);
                top += spacing;
            }
    for (const Piece& piece : page.pieces) {
        const Entry& entry = entries_[static_cast<std::size_t>(piece.entry)];
        if (!entry.image.isNull()) {
            const QSize size = entry.image.size().scaled(frame.width, frame.height - top, Qt::KeepAspectRatio);
            painter_.drawImage(QRect(QPoint(0, top), size), entry.image);
            return;
        }
        if (!piece.text.isEmpty()) painter_.drawText(0, top + ascent, piece.text);
        top += spacing;
    }
}

void QtPrintDocument::finish(bool interactive) {
    if (ended_) return;
    ended_ = true;
    std::vector<Page> pages = paginate();
    if (choose_ && interactive) {
        if (!choose_(*printer_, static_cast<int>(pages.size()))) {
            // The user cancelled: nothing is printed, no file is left.
            if (painter_.isActive()) painter_.end();
            if (!pdfPath_.isEmpty()) QFile::remove(pdfPath_);
            return;
        }
        pages = paginate(); // the paper chosen may differ
    }
    if (!painter_.isActive() && !painter_.begin(printer_.get())) {
        if (interactive) reportNotPrinted(platform_);
        return;
    }
    painter_.setFont(QFont(request_.font, printer_.get()));
    const int pageCount = static_cast<int>(pages.size());
    int first = 1, last = pageCount;
    if (printer_->printRange() == QPrinter::PageRange && printer_->fromPage() > 0) {
        first = std::clamp(printer_->fromPage(), 1, pageCount);
        last = std::clamp(printer_->toPage() > 0 ? printer_->toPage() : pageCount, first, pageCount);
    }
    for (int number = first; number <= last; ++number) {
        if (number > first && !printer_->newPage()) {
            painter_.end();
            if (interactive) reportNotPrinted(platform_);
            return;
        }
        paintPage(pages[static_cast<std::size_t>(number - 1)], number, pageCount);
    }
    const bool printed = painter_.end() && (pdfPath_.isEmpty() || pdfComplete(pdfPath_));
    if (!interactive) return;
    if (!printed) {
        reportNotPrinted(platform_);
        return;
    }
    if (!pdfPath_.isEmpty())
        platform_.message(QStringLiteral("There is no printer on this computer, so the document was written to ") +
                              QDir::toNativeSeparators(pdfPath_) + QStringLiteral("."),
                          QStringLiteral("Printing"), NoticeIcon::Information);
}

} // namespace orvane
