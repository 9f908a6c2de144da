#include "accessories/ManualViewer.h"

#include "accessories/ManualFile.h"
#include "core/AtomicFile.h"
#include "platform/ButtonRow.h"
#include "platform/EditedText.h"
#include "platform/EscapeCloses.h"
#include "platform/FixedFont.h"
#include "platform/JobDriver.h"
#include "platform/Platform.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace orvane {

namespace {
const QString kLoadingText = QStringLiteral("Loading the manual... please wait a moment.");
const QString kStatusTitle = QStringLiteral("Status of Operation:");
const QString kDiscardManualEdits = QStringLiteral("Discard your changes to the manual?");
const QString kSaveManualBeforeClosing =
    QStringLiteral("You have changed the manual since it was loaded or saved. Save your changes before closing?");

// The first fourteen colours of the standard 16-colour palette, black to light magenta.
const QColor kPalette[14] = {QColor(0, 0, 0),       QColor(0, 0, 128),   QColor(0, 128, 0),   QColor(0, 128, 128),
                             QColor(128, 0, 0),     QColor(128, 0, 128), QColor(128, 128, 0), QColor(192, 192, 192),
                             QColor(128, 128, 128), QColor(0, 0, 255),   QColor(0, 255, 0),   QColor(0, 255, 255),
                             QColor(255, 0, 0),     QColor(255, 0, 255)};

void setTextColour(QPlainTextEdit* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, colour);
    box->setPalette(palette);
}
} // namespace

ManualViewer::ManualViewer(Platform& platform, bool gathra, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform) {
    setObjectName(QStringLiteral("frmOrvaneManualViewer"));
    setWindowTitle(QStringLiteral("Orvane Manual Viewer"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QVBoxLayout(this);
    auto* choice = new QHBoxLayout;
    optnOrvaneManual = new QRadioButton(QStringLiteral("Orvane Manual"), this);
    optnOrvaneManual->setObjectName(QStringLiteral("optnOrvaneManual"));
    optnGathraManual = new QRadioButton(QStringLiteral("Gathra Manual"), this);
    optnGathraManual->setObjectName(QStringLiteral("optnGathraManual"));
    auto* group = new QButtonGroup(this);
    group->addButton(optnOrvaneManual);
    group->addButton(optnGathraManual);
    (gathra ? optnGathraManual : optnOrvaneManual)->setChecked(true);
    choice->addWidget(optnOrvaneManual);
    choice->addWidget(optnGathraManual);
    choice->addStretch(1);
    layout->addLayout(choice);

    txtManualViewer = new QPlainTextEdit(this);
    txtManualViewer->setObjectName(QStringLiteral("txtManualViewer"));
    txtManualViewer->setFont(fixedPitchFont(font().pointSize()));
    txtManualViewer->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(txtManualViewer, 1);

    auto* buttons = new QHBoxLayout;
    auto addButton = [this, buttons](const char* name, const QString& caption) {
        return addNamedButton(this, buttons, name, caption);
    };
    cmdLoadManual = addButton("cmdLoadManual", QStringLiteral("Load Manual"));
    cmdStopLoad = addButton("cmdStopLoad", QStringLiteral("Stop Load"));
    cmdSaveManual = addButton("cmdSaveManual", QStringLiteral("Save Changes"));
    cmdPrintManual = addButton("cmdPrintManual", QStringLiteral("Print Manual"));
    cmdClear = addButton("cmdClear", QStringLiteral("Clear"));
    cmdDone = addButton("cmdDone", QStringLiteral("Done"));
    layout->addLayout(buttons);
    new EscapeCloses(this);
    resize(760, 620);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &ManualViewer::Timer1_Timer);
    Timer1->start();

    cmdStopLoad->setEnabled(false);
    cmdSaveManual->setEnabled(false);
    cmdClear->setEnabled(false);
    connect(cmdLoadManual, &QPushButton::clicked, this, &ManualViewer::cmdLoadManual_Click);
    connect(cmdStopLoad, &QPushButton::clicked, this, &ManualViewer::cmdStopLoad_Click);
    connect(cmdSaveManual, &QPushButton::clicked, this, &ManualViewer::cmdSaveManual_Click);
    connect(cmdPrintManual, &QPushButton::clicked, this, &ManualViewer::cmdPrintManual_Click);
    connect(cmdClear, &QPushButton::clicked, this, &ManualViewer::cmdClear_Click);
    connect(cmdDone, &QPushButton::clicked, this, &QWidget::close);
    connect(&driver_, &JobDriver::finished, this, &ManualViewer::endLoad);
}

ManualViewer::~ManualViewer() { driver_.cancel(); }

QString ManualViewer::chosenManual() const {
    // The manuals live in the data folder, the program's working folder.
    return QDir::current().filePath(optnGathraManual->isChecked() ? kGathraManual : kOrvaneManual);
}

void ManualViewer::cmdLoadManual_Click() {
    if (job_) return;
    if (!mayDiscardEdits()) return;
    auto job = std::make_unique<ManualLoadJob>(chosenManual().toStdString());
    if (job->problem()) {
        platform_.notify(*job->problem());
        return;
    }
    job_ = std::move(job);
    loadedPath_.clear();
    loadingName_ = (optnGathraManual->isChecked() ? optnGathraManual : optnOrvaneManual)->text();
    cmdDone->setEnabled(false);
    cmdLoadManual->setEnabled(false);
    cmdSaveManual->setEnabled(false);
    cmdStopLoad->setEnabled(true);
    setCursor(Qt::BusyCursor);
    // Typing into the loading message would be lost when the manual comes.
    txtManualViewer->setReadOnly(true);
    txtManualViewer->setPlainText(kLoadingText);
    driver_.start([this] { return job_->advance(kSliceBudget); });
}

void ManualViewer::cmdStopLoad_Click() {
    if (!job_) return;
    driver_.cancel();
    job_->stop();
    endLoad();
}

// The end of a load, finished or stopped: the text read so far is shown, and
// only a whole manual may be saved back.
void ManualViewer::endLoad() {
    const std::unique_ptr<ManualLoadJob> job = std::move(job_);
    if (!job) return;
    const bool whole = !job->stopped() && !job->problem();
    if (whole) loadedPath_ = QString::fromStdString(job->path());
    cmdSaveManual->setEnabled(whole);
    cmdClear->setEnabled(true);
    cmdDone->setEnabled(true);
    cmdLoadManual->setEnabled(true);
    cmdStopLoad->setEnabled(false);
    // Single-byte text; line ends as the text box keeps them.
    QString text = QString::fromLatin1(job->text().data(), static_cast<qsizetype>(job->text().size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtManualViewer->setPlainText(text);
    txtManualViewer->document()->setModified(false);
    txtManualViewer->setReadOnly(false);
    shownName_ = loadingName_;
    setTextColour(txtManualViewer, Qt::black);
    unsetCursor();
    if (job->problem()) platform_.notify(*job->problem());
    emit loadEnded();
}

void ManualViewer::Timer1_Timer() {
    // The loading message flickers while the manual loads.
    if (txtManualViewer->toPlainText() != kLoadingText) return;
    setTextColour(txtManualViewer, kPalette[static_cast<int>(platform_.randomFraction() * 14) % 14]);
}

void ManualViewer::cmdSaveManual_Click() { saveManual(); }

bool ManualViewer::saveManual() {
    if (loadedPath_.isEmpty()) return false;
    cmdSaveManual->setEnabled(false);
    const QByteArray bytes = txtManualViewer->toPlainText().toLatin1();
    int code = 0;
    const std::optional<std::string> failure = writeFileAtomically(
        loadedPath_.toStdString(),
        manualFileText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))), &code);
    if (failure) {
        platform_.message(QStringLiteral("Save failed on code ") + QString::number(code) + QStringLiteral(" (") +
                              QString::fromStdString(*failure) + QStringLiteral(")."),
                          kStatusTitle, NoticeIcon::Exclamation);
    } else {
        txtManualViewer->document()->setModified(false);
        platform_.message(QStringLiteral("Save successful."), kStatusTitle, NoticeIcon::Information);
    }
    cmdSaveManual->setEnabled(true);
    return !failure;
}

bool ManualViewer::textEdited() const { return holdsEdits(*txtManualViewer); }

bool ManualViewer::mayDiscardEdits() {
    return orvane::mayDiscardEdits(platform_, *txtManualViewer, kDiscardManualEdits, windowTitle());
}

bool ManualViewer::mayClose() {
    if (!textEdited()) return true;
    // Only a whole manual may be saved back; a part of one can only be let go.
    if (loadedPath_.isEmpty()) return mayDiscardEdits();
    switch (platform_.message(kSaveManualBeforeClosing, windowTitle(), NoticeIcon::Question,
                              Platform::Buttons::YesNoCancel)) {
    case Platform::Reply::Yes: return saveManual();
    case Platform::Reply::No: return true;
    default: return false;
    }
}

void ManualViewer::cmdPrintManual_Click() {
    // Every page is headed by the manual's name.
    const QString title = shownName_.isEmpty() ? windowTitle() : shownName_;
    std::unique_ptr<PrintDocument> document = platform_.beginPrint({title, fixedPitchFont(10), {}});
    if (!document) {
        platform_.message(QStringLiteral("The printer could not be opened, so the manual was not printed."),
                          QStringLiteral("Printing"), NoticeIcon::Exclamation);
        return;
    }
    printTextLines(*document, txtManualViewer->toPlainText());
    document->end();
}

void ManualViewer::cmdClear_Click() {
    if (!mayDiscardEdits()) return;
    txtManualViewer->clear();
    txtManualViewer->document()->setModified(false);
    loadedPath_.clear();
    shownName_.clear();
    cmdSaveManual->setEnabled(false);
    cmdClear->setEnabled(false);
    cmdLoadManual->setEnabled(true);
}

// Done, Escape and the title bar alike: a load is stopped first; then the
// window closes, once edits the user made are saved or let go.
void ManualViewer::closeEvent(QCloseEvent* event) {
    cmdStopLoad_Click();
    if (!mayClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace orvane
