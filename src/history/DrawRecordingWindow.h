#pragma once

#include "core/SharedSettings.h"
#include "history/DrawEntry.h"
#include "platform/Platform.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvane {

// "Orvane History File Update Utility" (frmVNUpdateMain): shows the date of the
// last draw in the history file, takes a new draw in nine boxes (the typing
// moves on to the next box after two digits) and records it in date order once
// it passes the entry checks, confirming it below the boxes. A window of its own
// beside the main window, not modal, that stays open for the next draw. Done,
// the title bar's close and Escape all close it without writing; `finished`
// tells the window that opened it.
class DrawRecordingWindow : public QDialog {
    Q_OBJECT
public:
    DrawRecordingWindow(Platform& platform, SharedSettings& shared, QWidget* parent = nullptr);

private:
    void buildLayout();
    void showLastDrawDate();
    void moveOnWhenFull(std::size_t which);
    void recordDraw();
    void clearBoxes();
    DrawEntryTexts typedTexts() const;
    QLineEdit* box(EntryBox which) const { return boxes_[static_cast<std::size_t>(which)]; }

    Platform& platform_;
    SharedSettings& shared_;
    QLabel* lastDrawDate_ = nullptr;
    std::array<QLineEdit*, kEntryBoxCount> boxes_{};
    QLabel* status_ = nullptr;
    QPushButton* recordButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* doneButton_ = nullptr;
};

} // namespace orvane
