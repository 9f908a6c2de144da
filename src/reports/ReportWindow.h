#pragma once

#include "core/SharedSettings.h"
#include "platform/BusyState.h"
#include "platform/JobDriver.h"
#include "reports/ReportJob.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <chrono>

#include <memory>
#include <optional>

class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace orvane {

class Platform;
class ReportChart;

// frmAnalysis: the window every report of the Analysis menu and the two
// viewers run in. Its caption names the report Begin runs; the report's text
// goes to a large fixed-pitch text area the user may edit, and a counting
// report's bars to the Chart tab beside it. A run is a job worked slice by
// slice from the event loop, its text appended once per slice. Stop, Done and
// closing by the title bar end a running job first, then close the window,
// which deletes itself. Text the user has edited since a report produced it
// or it was saved is not thrown away (by Clear, a report that replaces the
// text, or closing) without a question.
class ReportWindow : public QWidget {
    Q_OBJECT
public:
    // The busy state's name for a running report.
    static inline const QString kReportRun = QStringLiteral("report run");
    // The per-user setting that keeps the folder a report was last saved in.
    static inline const QString kSaveFolderKey = QStringLiteral("ReportSaveFolder");
    // The text appended to the text area in a run's first slice. Later slices
    // append as much as the text area took about kAppendBudget for before: its
    // cost goes by the lines, and grows as it fills.
    static constexpr std::size_t kFirstPieceBytes = std::size_t{16} * 1024;
    static constexpr std::chrono::milliseconds kAppendBudget{12};

    ReportWindow(Platform& platform, SharedSettings& shared, BusyState& busy, QWidget* parent = nullptr);
    ~ReportWindow() override;

    bool running() const { return job_ != nullptr; }
    // Begins the report of the window's caption, as the Begin button does.
    void begin();
    // The user has changed the text since a report produced it or it was saved.
    bool textEdited() const;

signals:
    // A run has ended, however it ended, and the window is idle again.
    void runEnded();
    // The window has been closed (and will be deleted).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void cmdBegin_Click();
    void cmdPrint_Click();
    void cmdSaveAs_Click();
    void cmdClear_Click();
    // Save As: the text, or a counting report's table as CSV when that type is
    // chosen and `textOnly` is false. True when the text was saved.
    bool saveReport(bool textOnly);
    // The folder the Save As dialog opens in: where a report was last saved,
    // else the data folder.
    QString saveFolder();
    // The caption of the report whose text the window shows.
    QString shownCaption() const;
    // Whether the edited text may go: asks first when there are edits.
    bool mayDiscardEdits();
    // Whether the window may close: edits are saved first or let go, as the user answers.
    bool mayClose();
    bool reportSlice();
    void appendPiece(const ReportPiece& piece);
    void endRun();
    void showFromLine(int line);
    void setRunning(bool running);
    QString reportText() const;

    Platform& platform_;
    SharedSettings& shared_;
    // The busy state belongs to the main window, which may be gone first.
    QPointer<BusyState> busy_;
    JobDriver driver_;
    std::unique_ptr<ReportJob> job_;
    QString caption_;                  // the caption outside a run
    std::optional<ReportTable> table_; // the last counting report's table
    std::size_t pieceBytes_ = kFirstPieceBytes;
    int firstNewLine_ = 0;   // where the running report's text begins
    bool textAdded_ = false; // the running report has shown text

    QTabWidget* tabViews = nullptr;
    QPlainTextEdit* txtAnalysis = nullptr;
    ReportChart* chart_ = nullptr;
    QPushButton* cmdBegin = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdSaveAs = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdDone = nullptr;
};

} // namespace orvane
