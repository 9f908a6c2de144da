// Measures the main window during a full 49-number wheel on the offscreen
// platform: how often the results frame repaints, and how long "Stop Wheel"
// takes to end the run.
#include "app/MainWindow.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace orvane;

namespace {
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

void waitFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}
} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    FakePlatform platform;
    SharedSettings shared(dataPathsIn(folder.path().toStdString()));
    MainWindow window(platform, shared);
    window.show();
    auto* list = window.findChild<QListWidget*>(QStringLiteral("lstNumbers"));
    for (int i = 0; i < 49; ++i) list->item(i)->setSelected(true);

    PaintCounter counter;
    // The generated count changes at every slice, so its box repaints with the frame.
    window.findChild<QWidget*>(QStringLiteral("txtGenerated"))->installEventFilter(&counter);

    // A full wheel into a file ends in well under a second, so the figures are
    // taken over its first 100 ms.
    bool ended = false;
    QObject::connect(&window, &MainWindow::wheelRunEnded, [&] { ended = true; });
    window.findChild<QPushButton*>(QStringLiteral("cmdWheel"))->click();
    QElapsedTimer clock;
    clock.start();
    waitFor(100);
    const double seconds = clock.elapsed() / 1000.0;
    const int paints = counter.paints;
    if (ended) {
        std::printf("the run ended before it could be stopped\n");
        return 1;
    }
    clock.restart();
    QTimer::singleShot(0, [&] { window.findChild<QPushButton*>(QStringLiteral("cmdStopWheeling"))->click(); });
    QEventLoop loop;
    QObject::connect(&window, &MainWindow::wheelRunEnded, &loop, &QEventLoop::quit);
    if (!ended) loop.exec();
    const qint64 stopMs = clock.elapsed();

    std::printf("results frame repaints (txtGenerated): %d in %.2f s (%.0f per second)\n", paints, seconds, paints / seconds);
    std::printf("Stop Wheel to run ended: %lld ms\n", static_cast<long long>(stopMs));
    return 0;
}
