#include "platform/QtPlatform.h"

#include "platform/QtPrintDocument.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>

namespace orvane {

namespace {

QMessageBox::Icon iconOf(NoticeIcon icon) {
    switch (icon) {
    case NoticeIcon::Exclamation: return QMessageBox::Warning;
    case NoticeIcon::Question: return QMessageBox::Question;
    case NoticeIcon::Critical: return QMessageBox::Critical;
    case NoticeIcon::None: return QMessageBox::NoIcon;
    case NoticeIcon::Information: break;
    }
    return QMessageBox::Information;
}

} // namespace

namespace {

// A caption's patterns in both letter cases, so that a desktop whose file
// names are case-sensitive lists "draws.hit" as well as "DRAWS.HIT", and "*.*"
// as "*", which also lists a name without an extension.
QString eitherCase(const QString& caption) {
    const qsizetype open = caption.lastIndexOf(QLatin1Char('('));
    const qsizetype close = caption.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open) return caption;
    QStringList patterns;
    for (const QString& pattern : caption.mid(open + 1, close - open - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString own = pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern;
        for (const QString& form : {own, own.toUpper(), own.toLower()})
            if (!patterns.contains(form)) patterns << form;
    }
    return caption.left(open + 1) + patterns.join(QLatin1Char(' ')) + caption.mid(close);
}

} // namespace

QString qtFileFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList captions;
    for (int i = 0; i < parts.size(); i += 2) captions << eitherCase(parts[i]);
    return captions.join(QStringLiteral(";;"));
}

QString extensionOfFilter(const QString& caption, const QString& fallback) {
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*(\\.[A-Za-z0-9]+)[ );]"));
    const QRegularExpressionMatch match = firstPattern.match(caption);
    return match.hasMatch() ? match.captured(1) : fallback;
}

QWidget* QtPlatform::dialogOwner() const {
    // The window the user works in owns the dialog, so that closing the
    // dialog gives the focus back to it rather than to the main window.
    if (QWidget* active = QApplication::activeWindow()) return active;
    return parent_;
}

QtPlatform::QtPlatform(QString dataFolder) : dataFolder_(std::move(dataFolder)) {}

Platform::Reply QtPlatform::message(const QString& text, const QString& title, NoticeIcon icon, Buttons buttons) {
    QMessageBox::StandardButtons shown = QMessageBox::Ok;
    QMessageBox::StandardButton preferred = QMessageBox::Ok;
    switch (buttons) {
    case Buttons::Ok: break;
    case Buttons::YesNo:
        shown = QMessageBox::Yes | QMessageBox::No;
        preferred = QMessageBox::Yes;
        break;
    case Buttons::YesNoDefaultNo:
        shown = QMessageBox::Yes | QMessageBox::No;
        preferred = QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        preferred = QMessageBox::Yes;
        break;
    }
    QMessageBox box(iconOf(icon), title, text, shown, dialogOwner());
    box.setDefaultButton(preferred);
    // Escape (or the title bar's close) answers No to a Yes/No question.
    if (buttons == Buttons::YesNo || buttons == Buttons::YesNoDefaultNo) box.setEscapeButton(QMessageBox::No);
    const int answer = box.exec();
    switch (answer) {
    case QMessageBox::Yes: return Reply::Yes;
    case QMessageBox::No: return Reply::No;
    case QMessageBox::Cancel: return Reply::Cancel;
    default: return buttons == Buttons::Ok ? Reply::Ok : Reply::Cancel;
    }
}

QString QtPlatform::inputBox(const QString& prompt, const QString& title) {
    bool ok = false;
    QString text = QInputDialog::getText(dialogOwner(), title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

QString QtPlatform::fileDialog(const FileDialogRequest& request) {
    const QString filter = qtFileFilter(request.filter);
    const QStringList filters = filter.split(QStringLiteral(";;"));
    QString selected = filters.value(request.filterIndex);
    const QFileDialog::Options options =
        request.confirmOverwrite ? QFileDialog::Options() : QFileDialog::Options(QFileDialog::DontConfirmOverwrite);
    QString name =
        request.save
            ? QFileDialog::getSaveFileName(dialogOwner(), QString(), request.fileName, filter, &selected, options)
            : QFileDialog::getOpenFileName(dialogOwner(), QString(), request.fileName, filter, &selected, options);
    // A name typed without an extension takes the one of the file type chosen.
    if (!name.isEmpty() && request.save && QFileInfo(name).suffix().isEmpty())
        name += extensionOfFilter(selected, request.defaultExtension);
    return name;
}

std::unique_ptr<PrintDocument> QtPlatform::beginPrint(const PrintRequest& request) {
    QString pdfPath;
    PrinterChoice choose;
    if (QPrinterInfo::defaultPrinter().isNull()) {
        QDir folder(dataFolder_);
        folder.mkpath(QStringLiteral("Printouts"));
        pdfPath = folder.filePath(QStringLiteral("Printouts/Orvane-") +
                                  now().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + QStringLiteral(".pdf"));
    } else {
        choose = [this](QPrinter& printer, int pageCount) { return choosePrinter(printer, pageCount); };
    }
    auto document = std::make_unique<QtPrintDocument>(*this, request, pdfPath, std::move(choose));
    if (!document->opened()) return nullptr;
    return document;
}

bool QtPlatform::choosePrinter(QPrinter& printer, int pageCount) {
    if (pageCount > kPagesWithoutAsking &&
        message(QStringLiteral("This printout takes %1 pages. Print it?").arg(pageCount), QStringLiteral("Printing"),
                NoticeIcon::Question, Buttons::YesNo) != Reply::Yes)
        return false;
    QPrintDialog dialog(&printer, dialogOwner());
    dialog.setMinMax(1, pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies);
    return dialog.exec() == QDialog::Accepted;
}

QString QtPlatform::setting(const QString& key, const QString& defaultValue) {
    QSettings store(QStringLiteral("orvane"), QStringLiteral("orvane"));
    return store.value(QStringLiteral("Options/") + key, defaultValue).toString();
}

void QtPlatform::saveSetting(const QString& key, const QString& value) {
    QSettings store(QStringLiteral("orvane"), QStringLiteral("orvane"));
    store.setValue(QStringLiteral("Options/") + key, value);
}

QString QtPlatform::programFile(const QString& name) {
    const QDir program(QCoreApplication::applicationDirPath());
    QString beside = program.filePath(name);
    if (QFileInfo::exists(beside)) return beside;
    // An installed program keeps its shared files in ../share/orvane.
    const QString installed = program.filePath(QStringLiteral("../share/orvane/") + name);
    return QFileInfo::exists(installed) ? QDir::cleanPath(installed) : beside;
}

QDateTime QtPlatform::now() { return QDateTime::currentDateTime(); }

double QtPlatform::randomFraction() { return QRandomGenerator::global()->generateDouble(); }

} // namespace orvane
