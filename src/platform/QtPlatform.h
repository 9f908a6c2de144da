#pragma once

#include "platform/Platform.h"

class QWidget;

namespace orvane {

// The real desktop: Qt dialogs, the default printer, QSettings.
class QtPlatform : public Platform {
public:
    // `dataFolder` receives Printouts/ on a machine without a printer.
    explicit QtPlatform(QString dataFolder);

    // The window that dialogs are centred on.
    void setDialogParent(QWidget* parent) { parent_ = parent; }

    Reply message(const QString& text, const QString& title, NoticeIcon icon, Buttons buttons) override;
    QString inputBox(const QString& prompt, const QString& title) override;
    QString fileDialog(const FileDialogRequest& request) override;
    std::unique_ptr<PrintDocument> beginPrint(const QString& fontName, int pointSize) override;
    QString setting(const QString& key, const QString& defaultValue) override;
    void saveSetting(const QString& key, const QString& value) override;
    QString programFile(const QString& name) override;
    QDateTime now() override;
    double randomFraction() override;

private:
    QString dataFolder_;
    QWidget* parent_ = nullptr;
};

// "Caption (*.EXT)|*.EXT|..." as Qt's "Caption (*.EXT);;..." filter list.
QString qtFileFilter(const QString& pipeFilter);

} // namespace orvane
