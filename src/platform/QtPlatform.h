#pragma once

#include "platform/Platform.h"

class QPrinter;
class QWidget;

namespace orvane {

// The real desktop: Qt dialogs, the default printer, QSettings.
class QtPlatform : public Platform {
public:
    // `dataFolder` receives Printouts/ on a machine without a printer.
    explicit QtPlatform(QString dataFolder);

    // The window that dialogs are centred on when no window of the program is active.
    void setDialogParent(QWidget* parent) { parent_ = parent; }

    Reply message(const QString& text, const QString& title, NoticeIcon icon, Buttons buttons) override;
    QString inputBox(const QString& prompt, const QString& title) override;
    QString fileDialog(const FileDialogRequest& request) override;
    std::unique_ptr<PrintDocument> beginPrint(const PrintRequest& request) override;
    QString setting(const QString& key, const QString& defaultValue) override;
    void saveSetting(const QString& key, const QString& value) override;
    QString programFile(const QString& name) override;
    QDateTime now() override;
    double randomFraction() override;

    // A printout longer than this asks before the print dialog opens.
    static constexpr int kPagesWithoutAsking = 20;

private:
    // The page count told first when it is long, then the print dialog
    // (printer, copies, pages); false when the user declines or cancels.
    bool choosePrinter(QPrinter& printer, int pageCount);
    // The active window, or the dialog parent.
    QWidget* dialogOwner() const;

    QString dataFolder_;
    QWidget* parent_ = nullptr;
};

// "Caption (*.EXT)|*.EXT|..." as Qt's "Caption (*.EXT);;..." filter list.
QString qtFileFilter(const QString& pipeFilter);

// The extension (".EXT") of a filter caption's first pattern, "Caption (*.EXT
// *.ext)"; `fallback` for a caption of every file ("*.*") or none.
QString extensionOfFilter(const QString& caption, const QString& fallback);

} // namespace orvane
