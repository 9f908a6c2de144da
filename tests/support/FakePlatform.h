#pragma once

#include "platform/Platform.h"

#include <QMap>
#include <QQueue>
#include <QStringList>

#include <functional>
#include <optional>

namespace orvane {

// A desktop for tests: records every message, dialog and printed line, and
// answers from scripted replies so that no test ever waits on a dialog.
class FakePlatform : public Platform {
public:
    struct Message {
        QString text;
        QString title;
        NoticeIcon icon;
        Buttons buttons;
    };
    struct PrintJob {
        QString title;
        QString fontName; // the family asked for
        QFont font;
        int pointSize = 0;
        QStringList headings;
        QStringList lines;
        QList<QImage> images;
        bool ended = false;
    };

    Reply message(const QString& text, const QString& title, NoticeIcon icon, Buttons buttons) override;
    QString inputBox(const QString& prompt, const QString& title) override;
    QString fileDialog(const FileDialogRequest& request) override;
    std::unique_ptr<PrintDocument> beginPrint(const PrintRequest& request) override;
    QString setting(const QString& key, const QString& defaultValue) override;
    void saveSetting(const QString& key, const QString& value) override;
    QString programFile(const QString& name) override { return programFolder + QStringLiteral("/") + name; }
    QDateTime now() override { return clock; }
    double randomFraction() override;

    // What the program showed and did.
    QList<Message> messages;
    QStringList inputPrompts;
    QList<FileDialogRequest> fileDialogs;
    QList<PrintJob> printJobs;
    QMap<QString, QString> settings;

    // Scripted answers, used in order; with none left: the default button
    // (OK, Yes, or No for a YesNoDefaultNo question), empty text, cancelled dialog.
    QQueue<Reply> replies;
    QQueue<QString> inputAnswers;
    QQueue<QString> fileAnswers;
    QQueue<double> randoms;
    QDateTime clock = QDateTime(QDate(1999, 7, 4), QTime(18, 30, 5));
    // Where the program's shipped files are found.
    QString programFolder = QStringLiteral("/nonexistent-program-folder");
    // A printer that cannot be opened: beginPrint gives no document.
    bool printerFails = false;
    // Called when a print job ends, to look at the program at that moment.
    std::function<void()> whenPrintEnds;
};

} // namespace orvane
