#pragma once

#include "core/Notice.h"

#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

#include <memory>

namespace orvane {

// What a print job is: every page starts with `title` and "Page N of M", then
// the lines that fall on it. `headings` are a table's column headings: printed
// where the lines hold them, and repeated at the top of every later page (of
// every page when the lines do not hold them), never on a picture's page.
struct PrintRequest {
    QString title;
    QFont font; // a fixed-pitch font (fixedPitchFont())
    QStringList headings;
};

// One print job: lines of text in a fixed font, printed when it ends.
class PrintDocument {
public:
    virtual ~PrintDocument() = default;
    virtual void printLine(const QString& line) = 0;
    // A picture (a chart) on a page of its own after the lines, as large as
    // the page allows, its proportions kept.
    virtual void printImage(const QImage& image) = 0;
    virtual void end() = 0;
};

struct FileDialogRequest {
    QString filter;           // "Name (*.EXT)|*.EXT|..." pairs of caption and pattern
    QString defaultExtension; // ".EXT", added when the chosen name has none
    QString fileName;         // the name the dialog starts with
    int filterIndex = 0;      // the filter entry it starts with
    bool save = true;         // save form, or open form
    // The save form asks before a chosen file is replaced; a file only read
    // (the history) is never replaced, so its dialog does not ask.
    bool confirmOverwrite = true;
};

// Everything the program asks of the desktop. Windows receive one and never
// talk to the desktop themselves, so tests can hand them a fake.
class Platform {
public:
    // The first button is the default (Enter) one, except in YesNoDefaultNo:
    // a question whose Yes destroys something defaults to No.
    enum class Buttons { Ok, YesNo, YesNoDefaultNo, YesNoCancel };
    enum class Reply { Ok, Yes, No, Cancel };

    virtual ~Platform() = default;

    virtual Reply message(const QString& text, const QString& title, NoticeIcon icon,
                          Buttons buttons = Buttons::Ok) = 0;
    // The typed text, empty on Cancel.
    virtual QString inputBox(const QString& prompt, const QString& title) = 0;
    // The chosen file, empty when the dialog is cancelled.
    virtual QString fileDialog(const FileDialogRequest& request) = 0;
    // A document for the printer the user chooses when it ends (or a PDF where
    // there is no printer); null when the printer (or the PDF file) cannot be opened.
    virtual std::unique_ptr<PrintDocument> beginPrint(const PrintRequest& request) = 0;

    // The per-user store, section "Options".
    virtual QString setting(const QString& key, const QString& defaultValue) = 0;
    virtual void saveSetting(const QString& key, const QString& value) = 0;

    // The path of a file shipped with the program (the tips file): beside the
    // executable, or where an installation puts the program's shared files.
    virtual QString programFile(const QString& name) = 0;

    virtual QDateTime now() = 0;
    // A fraction in [0, 1).
    virtual double randomFraction() = 0;

    Reply notify(const Notice& notice) {
        return message(QString::fromStdString(notice.text), QString::fromStdString(notice.title), notice.icon);
    }
};

// Prints a text area's text, a line per line; the line break that ends the
// last line starts no line of its own.
inline void printTextLines(PrintDocument& document, const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    for (const QString& line : lines) document.printLine(line);
}

// "07-04-1999" and "18:30:05": the fixed date and time forms of printouts.
inline QString dateText(const QDateTime& when) { return when.toString(QStringLiteral("MM-dd-yyyy")); }
inline QString timeText(const QDateTime& when) { return when.toString(QStringLiteral("HH:mm:ss")); }

} // namespace orvane
