#pragma once

#include "app/MainWindow.h"
#include "support/FakePlatform.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

// A main window on the fake desktop with its own data folder, and the ways a
// test reaches its controls by name.
struct WindowFixture {
    QTemporaryDir folder;
    std::unique_ptr<orvane::FakePlatform> platform;
    std::unique_ptr<orvane::SharedSettings> shared;
    std::unique_ptr<orvane::MainWindow> window;

    void open() {
        if (!platform) platform = std::make_unique<orvane::FakePlatform>();
        shared = std::make_unique<orvane::SharedSettings>(orvane::dataPathsIn(folder.path().toStdString()));
        window = std::make_unique<orvane::MainWindow>(*platform, *shared);
    }
    void close() {
        window.reset();
        QFile::remove(outputFile());
        platform.reset();
    }

    template <typename T> T* find(const QString& name) const {
        T* control = window->findChild<T*>(name);
        if (!control) qFatal("no control named %s", qPrintable(name));
        return control;
    }
    QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }
    QString text(const QString& name) const { return box(name)->text(); }
    void selectRange(int first, int last) const {
        for (int index = first; index <= last; ++index) find<QListWidget>("lstNumbers")->item(index)->setSelected(true);
    }
    void click(const QString& name) const { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    // Chooses a menu item, as the user would from the menu bar.
    void trigger(const QString& name) const { find<QAction>(name)->trigger(); }
    // One tick of a window timer, without waiting for it.
    void tick(const QString& timerName) const { QMetaObject::invokeMethod(find<QTimer>(timerName), "timeout"); }
    // Starts a run and waits for it to end.
    bool wheelToEnd() const {
        QSignalSpy ended(window.get(), &orvane::MainWindow::wheelRunEnded);
        click(QStringLiteral("cmdWheel"));
        return ended.count() == 1 || ended.wait(20000);
    }
    // The history file in the window's data folder, a copy of the given one.
    bool useHistory(const QString& source) const {
        const QString history = QString::fromStdString(shared->historyPath);
        QFile::remove(history);
        return QFile::copy(source, history);
    }
    static bool writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    static QByteArray fileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString outputFile() const { return shared ? QString::fromStdString(shared->wheelOutputPath) : QString(); }
    QByteArray outputContents() const {
        QFile file(outputFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};
