#pragma once

#include "platform/JobDriver.h"

#include <QString>
#include <QWidget>

#include <memory>

class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace orvane {

class ManualLoadJob;
class Platform;

// frmOrvaneManualViewer, "Orvane Manual Viewer": loads one of the two manuals
// of the data folder into a large text box to read, edit, print and save. The
// load is a job read a piece at a time, so Stop Load answers at once. Save
// Changes writes back the manual that was loaded. Done, Escape and the title
// bar close the window (a load is stopped first); it deletes itself. Edits not
// saved are not thrown away (by Clear, Load Manual or closing) without a
// question.
class ManualViewer : public QWidget {
    Q_OBJECT
public:
    static inline const QString kOrvaneManual = QStringLiteral("TB-MANUAL.TXT");
    static inline const QString kGathraManual = QStringLiteral("GR-MANUAL.TXT");

    // `gathra` preselects the pool generator's manual.
    ManualViewer(Platform& platform, bool gathra, QWidget* parent = nullptr);
    ~ManualViewer() override;

    bool loading() const { return job_ != nullptr; }
    // The user has changed the text since it was loaded or saved.
    bool textEdited() const;

signals:
    // A load has ended, however it ended.
    void loadEnded();
    // The window has been closed (and will be deleted).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdLoadManual_Click();
    void cmdStopLoad_Click();
    void cmdSaveManual_Click();
    void cmdPrintManual_Click();
    void cmdClear_Click();
    void Timer1_Timer();
    void endLoad();
    QString chosenManual() const;
    // Writes the text back to the manual loaded and says how it went; true when saved.
    bool saveManual();
    // Whether the edited text may go: asks first when there are edits.
    bool mayDiscardEdits();
    // Whether the window may close: edits are saved first or let go, as the user answers.
    bool mayClose();

    Platform& platform_;
    JobDriver driver_;
    std::unique_ptr<ManualLoadJob> job_;
    QString loadedPath_;  // the manual the text box holds, the one Save Changes writes
    QString loadingName_; // the name of the manual being loaded ("Orvane Manual")
    QString shownName_;   // the name of the manual the text box holds, whole or in part

    QRadioButton* optnOrvaneManual = nullptr;
    QRadioButton* optnGathraManual = nullptr;
    QPlainTextEdit* txtManualViewer = nullptr;
    QPushButton* cmdLoadManual = nullptr;
    QPushButton* cmdStopLoad = nullptr;
    QPushButton* cmdSaveManual = nullptr;
    QPushButton* cmdPrintManual = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdDone = nullptr;
    QTimer* Timer1 = nullptr;
};

} // namespace orvane
