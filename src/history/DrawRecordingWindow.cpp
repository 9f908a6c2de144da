#include "history/DrawRecordingWindow.h"

#include "history/DrawRecording.h"
#include "history/HistoryFile.h"
#include "platform/QtText.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

namespace {

// Four paragraphs, each opened by four blanks; the box wraps them to its width.
const QString kExplanation = QStringLiteral(
    "    If there have been one or more drawings since the date listed above in blue, you need to update the "
    "lotto history file.  It is very important that, when you are updating this file, you follow one rule:\n"
    "    All boxes must be filled with a 2-digit number.  If you are trying to enter a value less than ten you "
    "must include a zero in front of the number.\n"
    "    The six numbers of the draw may be entered in any order: they are recorded from least to greatest, so the "
    "smallest number is Position A and the largest Position F.  A draw missed earlier is put in its place by date.\n"
    "    In addition, if you do not want to update the lotto history file at all, you can simply click Done and no "
    "harm will come to the history file.");

// Box and heading names in the order of EntryBox.
constexpr const char* kBoxNames[kEntryBoxCount] = {"txtMonth", "txtDay",  "txtYear", "txtPosA", "txtPosB",
                                                   "txtPosC",  "txtPosD", "txtPosE", "txtPosF"};
constexpr const char* kHeadingNames[kEntryBoxCount] = {"lblMonth", "lblDay", "lblYear", "lblAA", "lblBB",
                                                       "lblCC",    "lblDD",  "lblEE",   "lblFF"};
constexpr const char* kHeadings[kEntryBoxCount] = {"MM", "DD", "YY", "AA", "BB", "CC", "DD", "EE", "FF"};
constexpr int kDateBoxes = 3;

QLabel* centred(QLabel* label) {
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

DrawRecordingWindow::DrawRecordingWindow(Platform& platform, SharedSettings& shared, QWidget* parent)
    : QDialog(parent), platform_(platform), shared_(shared) {
    setObjectName(QStringLiteral("frmVNUpdateMain"));
    setWindowTitle(QStringLiteral("Orvane History File Update Utility"));
    setModal(false);
    buildLayout();
    showLastDrawDate();

    connect(recordButton_, &QPushButton::clicked, this, &DrawRecordingWindow::recordDraw);
    connect(clearButton_, &QPushButton::clicked, this, &DrawRecordingWindow::clearBoxes);
    // Through close(), so that Done and the title bar's close take the same road.
    connect(doneButton_, &QPushButton::clicked, this, &QWidget::close);
}

void DrawRecordingWindow::buildLayout() {
    lastDrawDate_ = centred(named(new QLabel(QStringLiteral("12-34-56")), "lblLastDrawDate"));
    QPalette blue = lastDrawDate_->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    lastDrawDate_->setPalette(blue);
    QFont dateFont = lastDrawDate_->font();
    dateFont.setBold(true);
    dateFont.setPointSizeF(dateFont.pointSizeF() * 1.5);
    lastDrawDate_->setFont(dateFont);

    auto* explanation = named(new QPlainTextEdit(kExplanation), "txtExplainUpdate");
    explanation->setReadOnly(true);
    explanation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    explanation->setFocusPolicy(Qt::ClickFocus); // Tab goes from box to box
    explanation->setMinimumHeight(explanation->fontMetrics().lineSpacing() * 8);

    auto* boxes = new QGridLayout;
    boxes->addWidget(centred(named(new QLabel(QStringLiteral("Date")), "lblDate")), 0, 0, 1, kDateBoxes);
    boxes->addWidget(centred(named(new QLabel(QStringLiteral("New Drawing")), "lblNewDrawing")), 0, kDateBoxes + 1, 1,
                     int(kEntryBoxCount) - kDateBoxes);
    const int boxWidth = fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12;
    for (std::size_t i = 0; i < kEntryBoxCount; ++i) {
        // A gap column between the date and the numbers.
        const int column = int(i) < kDateBoxes ? int(i) : int(i) + 1;
        boxes->addWidget(centred(named(new QLabel(QLatin1String(kHeadings[i])), kHeadingNames[i])), 1, column);
        auto* entry = named(new QLineEdit, kBoxNames[i]);
        entry->setMaxLength(2);
        entry->setAlignment(Qt::AlignCenter);
        entry->setFixedWidth(boxWidth);
        boxes->addWidget(entry, 2, column, Qt::AlignCenter);
        boxes_[i] = entry;
        // Two digits fill a box: the typing goes on in the next one.
        if (i + 1 < kEntryBoxCount) connect(entry, &QLineEdit::textEdited, this, [this, i] { moveOnWhenFull(i); });
    }
    boxes->setColumnMinimumWidth(kDateBoxes, boxWidth);

    auto* frame = named(new QGroupBox(QStringLiteral("Update Game History File")), "frameUpdate");
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(explanation);
    frameLayout->addLayout(boxes);

    recordButton_ = named(new QPushButton(QStringLiteral("Record This Draw")), "cmdRecordDraw");
    clearButton_ = named(new QPushButton(QStringLiteral("Clear Entry Boxes")), "cmdClear");
    doneButton_ = named(new QPushButton(QStringLiteral("Done")), "cmdExit");
    // Enter in a box records the draw.
    recordButton_->setDefault(true);
    // Each recorded draw is confirmed here, so the window stays ready for the next one.
    status_ = named(new QLabel, "lblStatus");
    status_->setWordWrap(true);
    // Room for a two-line confirmation, so the boxes do not move when one shows.
    status_->setMinimumHeight(status_->fontMetrics().lineSpacing() * 2);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(recordButton_);
    buttons->addWidget(clearButton_);
    buttons->addWidget(doneButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lastDrawDate_);
    layout->addWidget(frame, 1);
    layout->addWidget(status_);
    layout->addLayout(buttons);
    box(EntryBox::Month)->setFocus();
}

// The date of the history's last line; nothing when the file is missing or
// holds no line long enough to carry a date.
void DrawRecordingWindow::showLastDrawDate() {
    const LastDrawDate last = readLastDrawDate(shared_.historyPath);
    lastDrawDate_->setText(last.ok() ? QString::fromLatin1(last.text) : QString());
}

DrawEntryTexts DrawRecordingWindow::typedTexts() const {
    DrawEntryTexts texts;
    // The history is single-byte text: a character beyond it reads as '?',
    // which no check accepts.
    for (std::size_t i = 0; i < kEntryBoxCount; ++i) texts[i] = boxes_[i]->text().toLatin1().toStdString();
    return texts;
}

void DrawRecordingWindow::moveOnWhenFull(std::size_t which) {
    QLineEdit* entry = boxes_[which];
    if (entry->text().size() < entry->maxLength() || entry->cursorPosition() != entry->text().size()) return;
    QLineEdit* next = boxes_[which + 1];
    next->setFocus(Qt::TabFocusReason);
    next->selectAll();
}

void DrawRecordingWindow::recordDraw() {
    status_->clear();
    const DrawEntryCheck check = checkDrawEntry(typedTexts());
    if (!check.ok()) {
        platform_.notify(*check.failure);
        if (check.boxToEmpty) {
            box(*check.boxToEmpty)->clear();
            box(*check.boxToEmpty)->setFocus();
        }
        return;
    }
    const DrawRecording recording = orvane::recordDraw(shared_.historyPath, check.draw);
    if (!recording.ok()) {
        // The boxes keep the draw, to correct it or to try again once the file can be written.
        platform_.notify(recordingProblem(recording.error));
        return;
    }
    // A forgotten draw goes before later ones: the label keeps the newest.
    showLastDrawDate();
    status_->setText(QString::fromLatin1(recordedText(check.draw, recording)));
    clearBoxes();
}

void DrawRecordingWindow::clearBoxes() {
    for (QLineEdit* entry : boxes_) entry->clear();
    box(EntryBox::Month)->setFocus();
}

} // namespace orvane
