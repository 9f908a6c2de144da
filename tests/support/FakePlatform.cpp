#include "support/FakePlatform.h"

namespace orvane {

namespace {
class FakePrintDocument : public PrintDocument {
public:
    FakePrintDocument(FakePlatform& platform, QList<FakePlatform::PrintJob>& jobs, int index)
        : platform_(platform), jobs_(jobs), index_(index) {}
    void printLine(const QString& line) override { jobs_[index_].lines << line; }
    void printImage(const QImage& image) override { jobs_[index_].images << image; }
    void end() override {
        jobs_[index_].ended = true;
        if (platform_.whenPrintEnds) platform_.whenPrintEnds();
    }

private:
    FakePlatform& platform_;
    QList<FakePlatform::PrintJob>& jobs_;
    int index_;
};
} // namespace

Platform::Reply FakePlatform::message(const QString& text, const QString& title, NoticeIcon icon, Buttons buttons) {
    messages.push_back(Message{text, title, icon, buttons});
    if (!replies.isEmpty()) return replies.dequeue();
    switch (buttons) {
    case Buttons::Ok: return Reply::Ok;
    case Buttons::YesNoDefaultNo: return Reply::No;
    case Buttons::YesNo:
    case Buttons::YesNoCancel: break;
    }
    return Reply::Yes;
}

QString FakePlatform::inputBox(const QString& prompt, const QString&) {
    inputPrompts << prompt;
    return inputAnswers.isEmpty() ? QString() : inputAnswers.dequeue();
}

QString FakePlatform::fileDialog(const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

std::unique_ptr<PrintDocument> FakePlatform::beginPrint(const PrintRequest& request) {
    if (printerFails) return nullptr;
    printJobs.push_back(PrintJob{
        request.title, request.font.family(), request.font, request.font.pointSize(), request.headings, {}, {}, false});
    return std::make_unique<FakePrintDocument>(*this, printJobs, static_cast<int>(printJobs.size()) - 1);
}

QString FakePlatform::setting(const QString& key, const QString& defaultValue) {
    return settings.value(key, defaultValue);
}

void FakePlatform::saveSetting(const QString& key, const QString& value) { settings[key] = value; }

double FakePlatform::randomFraction() {
    if (!randoms.isEmpty()) return randoms.dequeue();
    static unsigned state = 12345;
    state = state * 1103515245u + 12345u;
    return (state >> 8) / double(1u << 24);
}

} // namespace orvane
