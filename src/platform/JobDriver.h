#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

namespace orvane {

// The work a window's job does in one slice: short enough that the window
// repaints and its buttons answer at once.
inline constexpr std::chrono::milliseconds kSliceBudget(15);

// Runs a long job from the event loop, one bounded slice per turn, so windows
// repaint and buttons answer between slices. No nested event loops.
class JobDriver : public QObject {
    Q_OBJECT
public:
    // A slice does a bounded piece of work and says whether the job has ended.
    using Slice = std::function<bool()>;

    explicit JobDriver(QObject* parent = nullptr);

    void start(Slice slice);
    // Runs no further slice and says nothing: for a caller that ends the job itself.
    void cancel();
    bool active() const { return timer_.isActive(); }

signals:
    // After every slice, so the window can show progress.
    void sliceDone();
    void finished();

private:
    void runSlice();

    QTimer timer_;
    Slice slice_;
};

} // namespace orvane
