#include "reports/ReportWindow.h"

#include "core/AtomicFile.h"
#include "platform/ButtonRow.h"
#include "platform/EditedText.h"
#include "platform/EnterPressesDefault.h"
#include "platform/EscapeCloses.h"
#include "platform/FixedFont.h"
#include "platform/Platform.h"
#include "platform/QtText.h"
#include "reports/ReportChart.h"

#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace orvane {

namespace {
// The report's own work in a slice; with the text area's append after it, a
// slice keeps the window repainting and lets Stop take effect within a blink.
constexpr std::chrono::milliseconds kReportSliceBudget(10);

// The size a chart is laid out at for the printer: its text then prints at
// about the size of the report's.
constexpr QSize kPrintedChartSize(900, 620);

// A file name for the report's caption: characters a file name cannot hold become "-".
QString fileNameFor(const QString& caption) {
    QString name = caption;
    for (QChar& c : name)
        if (!c.isLetterOrNumber() && c != QLatin1Char(' ')) c = QLatin1Char('-');
    return name.simplified();
}

const QString kDiscardQuestion = QStringLiteral("Discard your changes to the report?");
const QString kSaveBeforeClosing =
    QStringLiteral("You have changed the report since it was made or saved. Save your changes before closing?");
} // namespace

ReportWindow::ReportWindow(Platform& platform, SharedSettings& shared, BusyState& busy, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), shared_(shared), busy_(&busy) {
    setObjectName(QStringLiteral("frmAnalysis"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout();
    setRunning(false);
    connect(&driver_, &JobDriver::finished, this, &ReportWindow::endRun);
}

ReportWindow::~ReportWindow() {
    if (job_) {
        driver_.cancel();
        job_.reset();
        if (busy_) busy_->end(kReportRun);
    }
}

void ReportWindow::buildLayout() {
    auto* layout = new QVBoxLayout(this);
    tabViews = new QTabWidget(this);
    tabViews->setObjectName(QStringLiteral("tabViews"));
    txtAnalysis = new QPlainTextEdit(this);
    txtAnalysis->setObjectName(QStringLiteral("txtAnalysis"));
    txtAnalysis->setFont(fixedPitchFont(12));
    // Report lines are columns: they scroll sideways rather than wrap.
    txtAnalysis->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtAnalysis->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    chart_ = new ReportChart(this);
    tabViews->addTab(txtAnalysis, QStringLiteral("Text"));
    tabViews->addTab(chart_, QStringLiteral("Chart"));
    layout->addWidget(tabViews, 1);

    auto* buttons = new QHBoxLayout;
    auto addButton = [this, buttons](const char* name, const QString& caption) {
        return addNamedButton(this, buttons, name, caption);
    };
    cmdBegin = addButton("cmdBegin", QStringLiteral("Begin"));
    cmdStop = addButton("cmdStop", QStringLiteral("Stop"));
    cmdPrint = addButton("cmdPrint", QStringLiteral("Print"));
    cmdSaveAs = addButton("cmdSaveAs", QStringLiteral("Save As..."));
    cmdClear = addButton("cmdClear", QStringLiteral("Clear"));
    cmdDone = addButton("cmdDone", QStringLiteral("Done"));
    layout->addLayout(buttons);
    cmdBegin->setDefault(true);
    new EnterPressesDefault(this);
    new EscapeCloses(this);

    connect(cmdBegin, &QPushButton::clicked, this, &ReportWindow::cmdBegin_Click);
    connect(cmdStop, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdPrint, &QPushButton::clicked, this, &ReportWindow::cmdPrint_Click);
    connect(cmdSaveAs, &QPushButton::clicked, this, &ReportWindow::cmdSaveAs_Click);
    connect(cmdClear, &QPushButton::clicked, this, &ReportWindow::cmdClear_Click);
    connect(cmdDone, &QPushButton::clicked, this, &QWidget::close);
    resize(800, 600);
}

void ReportWindow::begin() { cmdBegin_Click(); }

void ReportWindow::cmdBegin_Click() {
    if (job_) return;
    caption_ = windowTitle();
    const std::optional<ReportKind> kind = reportForCaption(caption_.toStdString());
    if (kind == ReportKind::OutputViewer && busy_ && busy_->running(kWheelRunOperation)) {
        platform_.message(QStringLiteral("A wheel run is writing the output file. Wait for the run to end, then "
                                         "view the file."),
                          caption_, NoticeIcon::Information);
        return;
    }
    // A report that replaces the text would throw away the user's edits.
    if (kind && reportReplacesText(*kind) && !mayDiscardEdits()) return;
    if (busy_) busy_->begin(kReportRun);
    setRunning(true);
    if (!kind) {
        // A caption that names no report: the run frame alone.
        endRun();
        return;
    }
    setWindowTitle(qt(runningCaption(*kind)));
    // An appended report starts on the text area's last line, which is empty
    // after a finished report.
    firstNewLine_ = txtAnalysis->document()->blockCount() - 1;
    textAdded_ = false;
    pieceBytes_ = kFirstPieceBytes;
    job_ =
        std::make_unique<ReportJob>(*kind, ReportSources{shared_.historyPath, shared_.wheelOutputPath, shared_.game});
    driver_.start([this] { return reportSlice(); });
}

bool ReportWindow::reportSlice() {
    const ReportPiece piece = job_->step(kReportSliceBudget, pieceBytes_);
    QElapsedTimer appending;
    appending.start();
    appendPiece(piece);
    // The next piece is what the text area appends in about its budget at the
    // pace it just showed; a small piece says little about the pace.
    constexpr std::size_t kLeast = std::size_t{4} * 1024, kMost = std::size_t{1024} * 1024;
    const qint64 ns = std::max<qint64>(appending.nsecsElapsed(), 1);
    if (piece.text.size() >= kLeast) {
        const double bytesPerNs = static_cast<double>(piece.text.size()) / static_cast<double>(ns);
        const double fits = bytesPerNs * static_cast<double>(std::chrono::nanoseconds(kAppendBudget).count());
        pieceBytes_ = std::clamp(static_cast<std::size_t>(fits), kLeast, kMost);
    }
    return job_->ended();
}

void ReportWindow::appendPiece(const ReportPiece& piece) {
    if (piece.text.empty()) return;
    textAdded_ = true;
    QString text = qt(piece.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextDocument* document = txtAnalysis->document();
    if (piece.replaces) {
        txtAnalysis->setPlainText(text);
        document->setModified(false);
        firstNewLine_ = 0;
        return;
    }
    // Appended at the end without moving the user's cursor or view. The
    // report's own text is no edit: the user's edits, if any, stay marked.
    const bool edited = document->isModified();
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    document->setModified(edited);
}

// The end of every run, however it ended: the caption, buttons and main-window
// commands as before, then the report's message if it has one.
void ReportWindow::endRun() {
    const std::unique_ptr<ReportJob> job = std::move(job_);
    setWindowTitle(caption_);
    setRunning(false);
    if (busy_) busy_->end(kReportRun);
    if (job) {
        // The chart is the table of the last report run to its end, or none.
        if (job->problem()) {
            platform_.notify(*job->problem());
        } else {
            table_ = job->table();
            chart_->setTable(table_);
        }
        if (textAdded_) showFromLine(firstNewLine_);
    }
    emit runEnded();
}

// Puts the cursor on `line` and scrolls it to the top, so the report just run is in view.
void ReportWindow::showFromLine(int line) {
    QTextCursor cursor(txtAnalysis->document()->findBlockByNumber(line));
    if (cursor.isNull()) return;
    txtAnalysis->setTextCursor(cursor);
    txtAnalysis->verticalScrollBar()->setValue(line);
}

void ReportWindow::setRunning(bool running) {
    cmdStop->setEnabled(running);
    for (QPushButton* button : {cmdBegin, cmdPrint, cmdSaveAs, cmdClear, cmdDone}) button->setEnabled(!running);
    if (running)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

QString ReportWindow::reportText() const { return txtAnalysis->toPlainText(); }

bool ReportWindow::textEdited() const { return holdsEdits(*txtAnalysis); }

bool ReportWindow::mayDiscardEdits() {
    return orvane::mayDiscardEdits(platform_, *txtAnalysis, kDiscardQuestion, windowTitle());
}

bool ReportWindow::mayClose() {
    if (!textEdited()) return true;
    switch (
        platform_.message(kSaveBeforeClosing, windowTitle(), NoticeIcon::Question, Platform::Buttons::YesNoCancel)) {
    case Platform::Reply::Yes: return saveReport(true);
    case Platform::Reply::No: return true;
    default: return false;
    }
}

void ReportWindow::cmdPrint_Click() {
    // A counting report's column headings head every page after the one they stand on.
    QStringList headings;
    if (table_)
        for (const std::string& line : table_->headingLines) headings << qt(line);
    std::unique_ptr<PrintDocument> document = platform_.beginPrint({shownCaption(), fixedPitchFont(12), headings});
    if (!document) {
        platform_.message(QStringLiteral("The printer could not be opened, so the report was not printed."),
                          QStringLiteral("Printing"), NoticeIcon::Exclamation);
        return;
    }
    printTextLines(*document, reportText());
    if (chart_->hasChart()) document->printImage(chart_->image(kPrintedChartSize));
    document->end();
}

QString ReportWindow::shownCaption() const {
    // The menu may have captioned the window for the next report already; the
    // text (and its table) is still the last report run.
    return caption_.isEmpty() ? windowTitle() : caption_;
}

QString ReportWindow::saveFolder() {
    QString last = platform_.setting(kSaveFolderKey, QString());
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    return qt(shared_.defaults.folder);
}

void ReportWindow::cmdSaveAs_Click() { saveReport(false); }

bool ReportWindow::saveReport(bool textOnly) {
    const bool offerCsv = table_ && !textOnly;
    FileDialogRequest request;
    request.filter = offerCsv ? QStringLiteral("Text Files (*.TXT)|*.TXT|Comma-Separated Values (*.CSV)|*.CSV|All "
                                               "Files (*.*)|*.*")
                              : QStringLiteral("Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*");
    request.defaultExtension = QStringLiteral(".TXT");
    // No extension: the dialog gives the name the one of the file type chosen.
    request.fileName = QDir(saveFolder()).filePath(fileNameFor(shownCaption()));
    const QString path = platform_.fileDialog(request);
    if (path.isEmpty()) return false;
    // The table goes to a file named .CSV; the text area to any other.
    const bool csv = offerCsv && QFileInfo(path).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0;
    std::string bytes;
    if (csv) {
        bytes = tableCsv(*table_);
    } else {
        QString text = reportText();
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        bytes = text.toStdString();
    }
    if (const std::optional<std::string> reason = writeFileAtomically(path.toStdString(), bytes)) {
        platform_.message(QStringLiteral("The report could not be saved to ") + path + QStringLiteral(" (") +
                              qt(*reason) + QStringLiteral("). Choose another file or folder."),
                          QStringLiteral("Save As"), NoticeIcon::Exclamation);
        return false;
    }
    platform_.saveSetting(kSaveFolderKey, QFileInfo(path).absolutePath());
    if (csv) return false;
    txtAnalysis->document()->setModified(false);
    return true;
}

void ReportWindow::cmdClear_Click() {
    if (!mayDiscardEdits()) return;
    txtAnalysis->clear();
    txtAnalysis->document()->setModified(false);
    table_.reset();
    chart_->setTable(std::nullopt);
}

// Stop, Done, Escape and the title bar alike: a running report ends first,
// through the end of its run; then the window closes, once edits the user
// made are saved or let go.
void ReportWindow::closeEvent(QCloseEvent* event) {
    if (job_) {
        driver_.cancel();
        job_.reset();
        endRun();
    }
    if (!mayClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace orvane
