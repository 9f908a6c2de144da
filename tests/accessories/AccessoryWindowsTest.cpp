#include "accessories/ManualViewer.h"
#include "accessories/TipWindow.h"

#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace orvane;

// The tip window, the manual viewer and the About box, reached from the main
// window's Help menu on the fake desktop, in a data folder of their own.
class AccessoryWindowsTest : public QObject {
    Q_OBJECT

private:
    WindowFixture fixture;
    QTemporaryDir program; // where the shipped tips file is found
    QString previousFolder;

    QString dataFile(const QString& name) const { return QDir(fixture.folder.path()).filePath(name); }
    template <typename T> T* in(const QString& window, const QString& name) const {
        auto* top = fixture.window->findChild<QWidget*>(window);
        if (!top) qFatal("no window named %s", qPrintable(window));
        T* control = top->findChild<T*>(name);
        if (!control) qFatal("no control named %s in %s", qPrintable(name), qPrintable(window));
        return control;
    }
    QWidget* named(const QString& window) const { return fixture.window->findChild<QWidget*>(window); }
    bool mainEnabled() const {
        return fixture.window->centralWidget()->isEnabled() && fixture.window->menuBar()->isEnabled();
    }
    QString tip() const { return in<QLabel>(QStringLiteral("frmOrvaneTips"), QStringLiteral("lblTipText"))->text(); }
    void clickIn(const QString& window, const QString& name) const {
        QTest::mouseClick(in<QPushButton>(window, name), Qt::LeftButton);
    }
    QString manualText() const {
        return in<QPlainTextEdit>(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("txtManualViewer"))
            ->toPlainText();
    }
    bool manualButton(const char* name) const {
        return in<QPushButton>(QStringLiteral("frmOrvaneManualViewer"), QLatin1String(name))->isEnabled();
    }
    QPlainTextEdit* manualBox() const {
        return in<QPlainTextEdit>(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("txtManualViewer"));
    }
    ManualViewer* viewer() const { return fixture.window->findChild<ManualViewer*>(); }
    // Types at the end of the manual, as the user would.
    void typeAtEnd(const QString& typed) const {
        manualBox()->moveCursor(QTextCursor::End);
        QTest::keyClicks(manualBox(), typed);
    }
    QList<FakePlatform::Message> questions() const {
        QList<FakePlatform::Message> asked;
        for (const FakePlatform::Message& message : fixture.platform->messages)
            if (message.buttons != Platform::Buttons::Ok) asked << message;
        return asked;
    }
    bool loadToEnd() const {
        auto* viewer = fixture.window->findChild<ManualViewer*>();
        QSignalSpy ended(viewer, &ManualViewer::loadEnded);
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdLoadManual"));
        return ended.count() == 1 || ended.wait(10000);
    }

private slots:
    void init() {
        fixture.platform = std::make_unique<FakePlatform>();
        fixture.platform->programFolder = program.path();
        fixture.open();
        previousFolder = QDir::currentPath();
        QDir::setCurrent(fixture.folder.path());
        fixture.window->show();
    }
    void cleanup() {
        QDir::setCurrent(previousFolder);
        fixture.close();
        QFile::remove(QDir(program.path()).filePath(QStringLiteral("TIPOFDAY.TXT")));
    }

    void aOneLineTipsFileAlwaysShowsThatLine() {
        QVERIFY(WindowFixture::writeFile(QDir(program.path()).filePath(QStringLiteral("TIPOFDAY.TXT")),
                                         "...that Enter starts the wheel?\r\n"));
        fixture.trigger(QStringLiteral("mnuShowTips"));
        QPointer<QWidget> window = named(QStringLiteral("frmOrvaneTips"));
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Tip of the Day"));
        QCOMPARE(tip(), QStringLiteral("...that Enter starts the wheel?"));
        clickIn(QStringLiteral("frmOrvaneTips"), QStringLiteral("cmdNextTip"));
        QCOMPARE(tip(), QStringLiteral("...that Enter starts the wheel?"));
        // OK hides it; it keeps its tip and is shown again as it was.
        clickIn(QStringLiteral("frmOrvaneTips"), QStringLiteral("cmdOK"));
        QVERIFY(window && !window->isVisible());
        fixture.trigger(QStringLiteral("mnuShowTips"));
        QVERIFY(window->isVisible());
        QCOMPARE(tip(), QStringLiteral("...that Enter starts the wheel?"));
        QCOMPARE(fixture.window->findChildren<TipWindow*>().size(), 1);
    }

    void aMissingTipsFileExplainsItself() {
        fixture.trigger(QStringLiteral("mnuShowTips"));
        QCOMPARE(tip(), QStringLiteral("That the TIPOFDAY.TXT file was not found? \n\nCreate a text file named "
                                       "TIPOFDAY.TXT using NotePad with 1 tip per line. Then place it in the same "
                                       "directory as the application. "));
        clickIn(QStringLiteral("frmOrvaneTips"), QStringLiteral("cmdNextTip")); // changes nothing, breaks nothing
        QVERIFY(tip().startsWith(QStringLiteral("That the TIPOFDAY.TXT")));
    }

    // The preference decides the tip at start; the menu shows one whatever it says.
    void theStartupPreference() {
        QVERIFY(WindowFixture::writeFile(QDir(program.path()).filePath(QStringLiteral("TIPOFDAY.TXT")), "a tip\r\n"));
        fixture.platform->settings[TipWindow::kStartupKey] = QStringLiteral("0");
        fixture.window->showStartupTip();
        QVERIFY(!named(QStringLiteral("frmOrvaneTips")));
        fixture.trigger(QStringLiteral("mnuShowTips"));
        QCOMPARE(tip(), QStringLiteral("a tip"));
        auto* check = in<QCheckBox>(QStringLiteral("frmOrvaneTips"), QStringLiteral("chkLoadTipsAtStartup"));
        QVERIFY(!check->isChecked());
        QVERIFY(in<QPushButton>(QStringLiteral("frmOrvaneTips"), QStringLiteral("cmdNextTip"))->isEnabled());
        QTest::mouseClick(check, Qt::LeftButton);
        QCOMPARE(fixture.platform->settings.value(TipWindow::kStartupKey), QStringLiteral("1"));
        QTest::mouseClick(check, Qt::LeftButton);
        QCOMPARE(fixture.platform->settings.value(TipWindow::kStartupKey), QStringLiteral("0"));
        // Escape puts it away.
        QTest::keyClick(check, Qt::Key_Escape);
        QVERIFY(!named(QStringLiteral("frmOrvaneTips"))->isVisible());

        fixture.platform->settings.remove(TipWindow::kStartupKey); // absent: wanted
        fixture.window->showStartupTip();
        QVERIFY(named(QStringLiteral("frmOrvaneTips"))->isVisible());
    }

    // Save Changes writes back the manual that was loaded, whatever the options show now.
    void saveWritesTheLoadedManualOnly() {
        QVERIFY(WindowFixture::writeFile(dataFile(QStringLiteral("TB-MANUAL.TXT")), "Orvane Manual\r\nline two\r\n"));
        QVERIFY(WindowFixture::writeFile(dataFile(QStringLiteral("GR-MANUAL.TXT")), "Gathra Manual\r\n"));
        fixture.trigger(QStringLiteral("mnuManual"));
        QVERIFY(!mainEnabled());
        QVERIFY(!manualButton("cmdSaveManual"));
        QVERIFY(loadToEnd());
        QCOMPARE(manualText(), QStringLiteral("Orvane Manual\nline two\n"));
        QVERIFY(manualButton("cmdSaveManual"));
        in<QPlainTextEdit>(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("txtManualViewer"))
            ->setPlainText(QStringLiteral("Orvane Manual\nedited"));
        in<QRadioButton>(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("optnGathraManual"))->setChecked(true);
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdSaveManual"));
        QCOMPARE(fixture.platform->messages.last().text, QStringLiteral("Save successful."));
        QCOMPARE(fixture.platform->messages.last().title, QStringLiteral("Status of Operation:"));
        QCOMPARE(WindowFixture::fileBytes(dataFile(QStringLiteral("TB-MANUAL.TXT"))),
                 QByteArray("Orvane Manual\r\nedited\r\n"));
        QCOMPARE(WindowFixture::fileBytes(dataFile(QStringLiteral("GR-MANUAL.TXT"))), QByteArray("Gathra Manual\r\n"));
        // Loaded and saved again: the same bytes.
        in<QRadioButton>(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("optnOrvaneManual"))->setChecked(true);
        QVERIFY(loadToEnd());
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdSaveManual"));
        QCOMPARE(WindowFixture::fileBytes(dataFile(QStringLiteral("TB-MANUAL.TXT"))),
                 QByteArray("Orvane Manual\r\nedited\r\n"));
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdPrintManual"));
        QCOMPARE(fixture.platform->printJobs.size(), 1);
        QCOMPARE(fixture.platform->printJobs[0].lines, QStringList({"Orvane Manual", "edited"}));
        // Clear: nothing to save.
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdClear"));
        QVERIFY(!manualButton("cmdSaveManual") && !manualButton("cmdClear") && manualButton("cmdLoadManual"));
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdDone"));
        QVERIFY(mainEnabled());
    }

    // Clear and Load Manual ask before edits go; No (the default) keeps them.
    void editsAreNotThrownAwayWithoutAQuestion() {
        QVERIFY(WindowFixture::writeFile(dataFile(QStringLiteral("TB-MANUAL.TXT")), "Orvane Manual\r\n"));
        fixture.trigger(QStringLiteral("mnuManual"));
        QVERIFY(loadToEnd());
        QVERIFY(!viewer()->textEdited());
        typeAtEnd(QStringLiteral("my note"));
        QVERIFY(viewer()->textEdited());
        const QString edited = manualText();

        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdClear"));
        QCOMPARE(questions().size(), 1);
        QCOMPARE(questions()[0].text, QStringLiteral("Discard your changes to the manual?"));
        QCOMPARE(questions()[0].buttons, Platform::Buttons::YesNoDefaultNo);
        QCOMPARE(manualText(), edited);
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdLoadManual"));
        QCOMPARE(questions().size(), 2);
        QVERIFY(!viewer()->loading());
        QCOMPARE(manualText(), edited);
        // Yes: the manual is loaded over the edits, and is unedited again.
        fixture.platform->replies << Platform::Reply::Yes;
        QVERIFY(loadToEnd());
        QCOMPARE(questions().size(), 3);
        QCOMPARE(manualText(), QStringLiteral("Orvane Manual\n"));
        QVERIFY(!viewer()->textEdited());
        // Unedited text clears without a question.
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdClear"));
        QCOMPARE(questions().size(), 3);
        QCOMPARE(manualText(), QString());
    }

    void closingEditsOffersToSaveThem() {
        const QString manual = dataFile(QStringLiteral("TB-MANUAL.TXT"));
        QVERIFY(WindowFixture::writeFile(manual, "Orvane Manual\r\n"));
        fixture.trigger(QStringLiteral("mnuManual"));
        QVERIFY(loadToEnd());
        typeAtEnd(QStringLiteral("my note"));
        QPointer<ManualViewer> window = viewer();
        // Cancel: the window stays; No would let the edits go.
        fixture.platform->replies << Platform::Reply::Cancel;
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdDone"));
        QCOMPARE(questions().size(), 1);
        QCOMPARE(questions()[0].buttons, Platform::Buttons::YesNoCancel);
        QVERIFY(questions()[0].text.contains(QStringLiteral("Save your changes")));
        QVERIFY(window->isVisible());
        QVERIFY(!mainEnabled());
        // Yes: saved, then closed.
        fixture.platform->replies << Platform::Reply::Yes;
        QTest::keyClick(manualBox(), Qt::Key_Escape);
        QCOMPARE(WindowFixture::fileBytes(manual), QByteArray("Orvane Manual\r\nmy note\r\n"));
        QCOMPARE(fixture.platform->messages.last().text, QStringLiteral("Save successful."));
        QVERIFY(mainEnabled());
        QTRY_VERIFY(window.isNull());

        // Saved by Save Changes: closing asks nothing.
        fixture.trigger(QStringLiteral("mnuManual"));
        QVERIFY(loadToEnd());
        typeAtEnd(QStringLiteral("!"));
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdSaveManual"));
        QVERIFY(!viewer()->textEdited());
        window = viewer();
        const auto asked = questions().size();
        window->close();
        QCOMPARE(questions().size(), asked);
        QTRY_VERIFY(window.isNull());

        // No: closed, the file as it was.
        fixture.trigger(QStringLiteral("mnuManual"));
        QVERIFY(loadToEnd());
        typeAtEnd(QStringLiteral("let go"));
        window = viewer();
        fixture.platform->replies << Platform::Reply::No;
        window->close();
        QTRY_VERIFY(window.isNull());
        QCOMPARE(WindowFixture::fileBytes(manual), QByteArray("Orvane Manual\r\nmy note\r\n!\r\n"));
    }

    // Part of a manual cannot be saved back: closing with edits to it only asks whether to let them go.
    void editsToAStoppedLoadCanOnlyBeLetGo() {
        QVERIFY(WindowFixture::writeFile(dataFile(QStringLiteral("TB-MANUAL.TXT")), QByteArray(300'000, 'x')));
        fixture.trigger(QStringLiteral("mnuManual"));
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdLoadManual"));
        QVERIFY(manualBox()->isReadOnly()); // typing into the loading message would be lost
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdStopLoad"));
        QVERIFY(!manualBox()->isReadOnly());
        typeAtEnd(QStringLiteral("y"));
        QPointer<ManualViewer> window = viewer();
        window->close(); // No, the default, keeps it
        QCOMPARE(questions().size(), 1);
        QCOMPARE(questions()[0].buttons, Platform::Buttons::YesNoDefaultNo);
        QVERIFY(window->isVisible());
        fixture.platform->replies << Platform::Reply::Yes;
        window->close();
        QTRY_VERIFY(window.isNull());
        QCOMPARE(WindowFixture::fileBytes(dataFile(QStringLiteral("TB-MANUAL.TXT"))).size(), 300'000);
    }

    void printedManualsAreTitledWithTheirName() {
        QVERIFY(WindowFixture::writeFile(dataFile(QStringLiteral("GR-MANUAL.TXT")), "Gathra Manual\r\n"));
        QVERIFY(poolHelpOpensTheGathraManual());
        QVERIFY(loadToEnd());
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdPrintManual"));
        QCOMPARE(fixture.platform->printJobs.size(), 1);
        QCOMPARE(fixture.platform->printJobs[0].title, QStringLiteral("Gathra Manual"));
        QCOMPARE(fixture.platform->printJobs[0].lines, QStringList{"Gathra Manual"});
        // The choice changed but nothing loaded: still the manual shown.
        in<QRadioButton>(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("optnOrvaneManual"))->setChecked(true);
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdPrintManual"));
        QCOMPARE(fixture.platform->printJobs[1].title, QStringLiteral("Gathra Manual"));
    }

    void aStoppedLoadCannotBeSavedAndTheTitleBarActsAsDone() {
        QVERIFY(WindowFixture::writeFile(dataFile(QStringLiteral("TB-MANUAL.TXT")), QByteArray(300'000, 'x')));
        fixture.trigger(QStringLiteral("mnuManual"));
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdLoadManual"));
        QVERIFY(!manualButton("cmdDone") && !manualButton("cmdLoadManual") && manualButton("cmdStopLoad"));
        QCOMPARE(manualText(), QStringLiteral("Loading the manual... please wait a moment."));
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdStopLoad"));
        QVERIFY(manualText().size() < 300'000);
        QVERIFY(!manualButton("cmdSaveManual"));
        QVERIFY(manualButton("cmdDone") && manualButton("cmdClear") && !manualButton("cmdStopLoad"));
        QCOMPARE(WindowFixture::fileBytes(dataFile(QStringLiteral("TB-MANUAL.TXT"))).size(), 300'000);

        // Closed by its title bar during a load: the load stops and the main window comes back.
        QPointer<QWidget> viewer = named(QStringLiteral("frmOrvaneManualViewer"));
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdLoadManual"));
        viewer->close();
        QVERIFY(mainEnabled());
        QTRY_VERIFY(viewer.isNull());
    }

    void aMissingManualSaysWhichAndStaysUsable() {
        QFile::remove(dataFile(QStringLiteral("GR-MANUAL.TXT")));
        QVERIFY(poolHelpOpensTheGathraManual());
        clickIn(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("cmdLoadManual"));
        QCOMPARE(fixture.platform->messages.size(), 1);
        QVERIFY(fixture.platform->messages[0].text.contains(QStringLiteral("GR-MANUAL.TXT")));
        QVERIFY(manualButton("cmdLoadManual") && manualButton("cmdDone"));
        QTest::keyClick(in<QPlainTextEdit>(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("txtManualViewer")),
                        Qt::Key_Escape);
        QVERIFY(mainEnabled());
    }

    void aboutBoxKeepsItsOpenerDisabledUntilItCloses() {
        fixture.trigger(QStringLiteral("mnuAbout"));
        auto* about = fixture.window->findChild<QDialog*>(QStringLiteral("frmAboutOrvane"));
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("About Orvane"));
        QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("Version 1.0 Build 135"));
        QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Orvane"));
        QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->text(),
                 QStringLiteral("For entertainment only; no method changes the odds of a draw."));
        QVERIFY(!mainEnabled());
        about->close(); // the title bar acts as OK
        QVERIFY(mainEnabled());
    }

private:
    bool poolHelpOpensTheGathraManual() const {
        fixture.trigger(QStringLiteral("mnuGathra"));
        auto* pool = named(QStringLiteral("frmGathraMain"));
        pool->findChild<QAction*>(QStringLiteral("mnuGRManualViewer"))->trigger();
        return named(QStringLiteral("frmOrvaneManualViewer")) &&
               in<QRadioButton>(QStringLiteral("frmOrvaneManualViewer"), QStringLiteral("optnGathraManual"))
                   ->isChecked() &&
               !mainEnabled();
    }
};

QTEST_MAIN(AccessoryWindowsTest)
#include "AccessoryWindowsTest.moc"
