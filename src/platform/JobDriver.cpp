#include "platform/JobDriver.h"

namespace orvane {

JobDriver::JobDriver(QObject* parent) : QObject(parent) {
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &JobDriver::runSlice);
}

void JobDriver::start(Slice slice) {
    slice_ = std::move(slice);
    timer_.start();
}

void JobDriver::cancel() {
    timer_.stop();
    slice_ = nullptr;
}

void JobDriver::runSlice() {
    const bool ended = slice_();
    emit sliceDone();
    if (ended) {
        timer_.stop();
        slice_ = nullptr;
        emit finished();
    }
}

} // namespace orvane
