#include "platform/QtPlatform.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QStringList>

namespace orvane {

namespace {

QMessageBox::Icon iconOf(NoticeIcon icon) {
    switch (icon) {
    case NoticeIcon::Exclamation: return QMessageBox::Warning;
    case NoticeIcon::Question: return QMessageBox::Question;
    case NoticeIcon::Critical: return QMessageBox::Critical;
    case NoticeIcon::Information: break;
    }
    return QMessageBox::Information;
}

// Lines collected while a job runs and laid out on pages when it ends.
class QtPrintDocument : public PrintDocument {
public:
    QtPrintDocument(Platform& platform, const QString& fontName, int pointSize, QString pdfPath)
        : platform_(platform), font_(fontName, pointSize), pdfPath_(std::move(pdfPath)) {
        font_.setStyleHint(QFont::Monospace);
    }
    void printLine(const QString& line) override { lines_.push_back(line); }
    void end() override {
        if (ended_) return;
        ended_ = true;
        QPrinter printer(pdfPath_.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo());
        if (!pdfPath_.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfPath_);
        }
        QPainter painter;
        if (!painter.begin(&printer)) {
            platform_.message(QStringLiteral("The document could not be printed."), QStringLiteral("Printing"),
                              NoticeIcon::Exclamation);
            return;
        }
        painter.setFont(QFont(font_, painter.device()));
        const QFontMetrics metrics = painter.fontMetrics();
        const int pageHeight = painter.viewport().height();
        int y = metrics.ascent();
        for (const QString& line : lines_) {
            if (y > pageHeight) {
                printer.newPage();
                y = metrics.ascent();
            }
            painter.drawText(0, y, line);
            y += metrics.lineSpacing();
        }
        painter.end();
        if (!pdfPath_.isEmpty())
            platform_.message(QStringLiteral("There is no printer on this computer, so the document was written to ") +
                                  QDir::toNativeSeparators(pdfPath_) + QStringLiteral("."),
                              QStringLiteral("Printing"), NoticeIcon::Information);
    }

private:
    Platform& platform_;
    QFont font_;
    QString pdfPath_;
    QStringList lines_;
    bool ended_ = false;
};

} // namespace

QString qtFileFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList captions;
    for (int i = 0; i < parts.size(); i += 2) captions << parts[i];
    return captions.join(QStringLiteral(";;"));
}

QtPlatform::QtPlatform(QString dataFolder) : dataFolder_(std::move(dataFolder)) {}

Platform::Reply QtPlatform::message(const QString& text, const QString& title, NoticeIcon icon, Buttons buttons) {
    QMessageBox box(iconOf(icon), title, text,
                    buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent_);
    const int answer = box.exec();
    if (buttons == Buttons::Ok) return Reply::Ok;
    return answer == QMessageBox::Yes ? Reply::Yes : Reply::No;
}

QString QtPlatform::inputBox(const QString& prompt, const QString& title) {
    bool ok = false;
    QString text = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

QString QtPlatform::fileDialog(const FileDialogRequest& request) {
    const QString filter = qtFileFilter(request.filter);
    const QStringList filters = filter.split(QStringLiteral(";;"));
    QString selected = filters.value(request.filterIndex);
    const QFileDialog::Options options =
        request.confirmOverwrite ? QFileDialog::Options() : QFileDialog::Options(QFileDialog::DontConfirmOverwrite);
    QString name = request.save ? QFileDialog::getSaveFileName(parent_, QString(), request.fileName, filter,
                                                               &selected, options)
                                : QFileDialog::getOpenFileName(parent_, QString(), request.fileName, filter,
                                                               &selected, options);
    if (!name.isEmpty() && request.save && QFileInfo(name).suffix().isEmpty()) name += request.defaultExtension;
    return name;
}

std::unique_ptr<PrintDocument> QtPlatform::beginPrint(const QString& fontName, int pointSize) {
    QString pdfPath;
    if (QPrinterInfo::defaultPrinter().isNull()) {
        QDir folder(dataFolder_);
        folder.mkpath(QStringLiteral("Printouts"));
        pdfPath = folder.filePath(QStringLiteral("Printouts/Orvane-") +
                                  now().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + QStringLiteral(".pdf"));
    }
    return std::make_unique<QtPrintDocument>(*this, fontName, pointSize, pdfPath);
}

QString QtPlatform::setting(const QString& key, const QString& defaultValue) {
    QSettings store(QStringLiteral("orvane"), QStringLiteral("orvane"));
    return store.value(QStringLiteral("Options/") + key, defaultValue).toString();
}

void QtPlatform::saveSetting(const QString& key, const QString& value) {
    QSettings store(QStringLiteral("orvane"), QStringLiteral("orvane"));
    store.setValue(QStringLiteral("Options/") + key, value);
}

QDateTime QtPlatform::now() { return QDateTime::currentDateTime(); }

double QtPlatform::randomFraction() { return QRandomGenerator::global()->generateDouble(); }

} // namespace orvane
