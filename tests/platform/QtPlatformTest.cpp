#include "platform/QtPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace orvane;

class QtPlatformTest : public QObject {
    Q_OBJECT
private slots:
    void settingsLiveInTheOptionsSectionOfTheOrvaneStore() {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        QtPlatform platform(config.path());
        QCOMPARE(platform.setting(QStringLiteral("Record Set Numbers"), QStringLiteral("False")),
                 QStringLiteral("False"));
        platform.saveSetting(QStringLiteral("Record Set Numbers"), QStringLiteral("True"));
        QCOMPARE(platform.setting(QStringLiteral("Record Set Numbers"), QStringLiteral("False")),
                 QStringLiteral("True"));
        QFile stored(config.filePath(QStringLiteral("orvane/orvane.conf")));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        const QByteArray text = stored.readAll();
        QVERIFY(text.contains("[Options]"));
        QVERIFY2(text.contains("Numbers=True"), text.constData());
    }

    void fileFiltersBecomeQtFilterLists() {
        QCOMPARE(qtFileFilter(QStringLiteral("History File (*.HIT)|*.HIT|Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*")),
                 QStringLiteral("History File (*.HIT);;Text Files (*.TXT);;All Files (*.*)"));
    }

    void withoutAPrinterTheDocumentBecomesAPdfAndTheUserIsTold() {
        QTemporaryDir data;
        QtPlatform platform(data.path());
        QString told;
        // The information message is a real modal box here: read it and close it.
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
            QWidget* box = QApplication::activeModalWidget();
            told = box->findChild<QWidget*>(QStringLiteral("qt_msgbox_label"))->property("text").toString();
            box->close();
        });
        auto document = platform.beginPrint(QStringLiteral("Courier New"), 12);
        for (int line = 0; line < 200; ++line) document->printLine(QStringLiteral("1 2 3 4 5 6"));
        document->end();
        const QStringList pdfs = QDir(data.filePath(QStringLiteral("Printouts"))).entryList({QStringLiteral("*.pdf")});
        QCOMPARE(pdfs.size(), 1);
        QVERIFY(QFileInfo(data.filePath(QStringLiteral("Printouts/") + pdfs[0])).size() > 0);
        QVERIFY2(told.contains(pdfs[0]), qPrintable(told));
    }
};

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
