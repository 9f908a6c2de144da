#include "app/Startup.h"
#include "settings/SettingsFile.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

using namespace orvane;

// The settings timer: Save Current Settings, Load Settings and Save Settings &
// Exit carried out on its next tick, through the controls themselves.
class SettingsServiceTest : public QObject {
    Q_OBJECT

private:
    WindowFixture f;

    QString path(const char* name) const { return f.folder.filePath(QLatin1String(name)); }
    void useSettingsFile(const QString& file) { f.shared->settingsPath = file.toStdString(); }
    void tick() { f.tick(QStringLiteral("Timer3")); }
    void save() {
        f.shared->saveRequest = true;
        tick();
    }
    void restore() {
        f.shared->restoreRequest = true;
        tick();
    }
    QCheckBox* check(const char* name) const { return f.find<QCheckBox>(QLatin1String(name)); }
    QRadioButton* option(const char* name) const { return f.find<QRadioButton>(QLatin1String(name)); }
    QListWidget* sums() const { return f.find<QListWidget>(QStringLiteral("lstSums")); }

    static QByteArray contents(const QString& file) {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    static void write(const QString& file, const QByteArray& bytes) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    // The file with its line `number` (from 1) replaced.
    static QByteArray withLine(const QByteArray& file, int number, const QByteArray& line) {
        QList<QByteArray> lines = file.split('\n');
        lines[number - 1] = line + '\r';
        return lines.join('\n');
    }
    // A history of `draws` records, each of the numbers 1 to 6.
    QString historyOf(int draws) const {
        QByteArray text;
        for (int draw = 0; draw < draws; ++draw) text += "010199  01 02 03 04 05 06\r\n";
        const QString file = path("Other.HIT");
        write(file, text);
        return file;
    }

    // Every kind of control away from its default, and the four paths.
    void changeEverything() {
        f.box("txtMinSum")->clear();
        f.box("txtMaxSum")->setText(QStringLiteral("-"));
        f.box("txtMaxDif")->setText(QStringLiteral("30"));
        f.box("txtOnes_4")->setText(QStringLiteral("2"));
        f.box("txtAMin")->setText(QStringLiteral("3"));
        f.box("txtKeyNumber_2")->setText(QStringLiteral("17"));
        f.box("txtAOut_4")->setText(QStringLiteral("9"));
        f.box("txtMaxFAH")->setText(QStringLiteral("4"));
        check("chkEnablePairsFilter")->click();
        check("chkAllowTwoPairs")->click();
        check("chkEvens_3")->click();
        check("chkEnableRavelin")->click();
        check("chkEnablePosAnalysis")->click();
        check("chkEnableSumPick")->click();
        option("optnOutToNothing")->click();
        option("optnAppend")->setChecked(true);
        option("optn90")->click();
        option("optnOR")->click();
        sums()->item(0)->setSelected(true);
        sums()->item(258)->setSelected(true);
        f.shared->historyPath = path("h.HIT").toStdString();
        f.shared->wheelOutputPath = path("w.TB").toStdString();
        f.shared->poolPath = path("p.GR").toStdString();
    }

private slots:
    void init() { f.open(); }
    void cleanup() { f.close(); }

    void saveAndExitWritesTheFileAndThenEndsTheProgram() {
        useSettingsFile(path("VNTB.INI"));
        f.window->show();
        f.box("txtMaxDif")->setText(QStringLiteral("30")); // saved, so closing asks nothing
        f.click("cmdExit");
        QVERIFY(f.window->isVisible()); // the timer does the work
        tick();
        const QByteArray saved = contents(path("VNTB.INI"));
        QCOMPARE(saved.count("\r\n"), 387);
        QCOMPARE(saved.count('\n'), 387);
        QVERIFY(!f.window->isVisible());
        QVERIFY(!f.shared->saveRequest);
        QVERIFY(f.platform->messages.isEmpty());
    }

    // Closing with settings changed since the last save or load asks: Cancel
    // stays, No closes without saving, Yes saves and closes.
    void closingWithChangedSettingsAsksToSaveThem() {
        const QString file = QString::fromStdString(f.shared->settingsPath); // changing it would count
        QFile::remove(file);
        f.window->show();
        f.selectRange(0, 9); // the pick is no setting
        QVERIFY(f.window->close());
        QVERIFY(f.platform->messages.isEmpty());

        f.window->show();
        f.box("txtMaxDif")->setText(QStringLiteral("30"));
        f.platform->replies << Platform::Reply::Cancel;
        QVERIFY(!f.window->close());
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.platform->messages.size(), 1);
        QCOMPARE(f.platform->messages[0].buttons, Platform::Buttons::YesNoCancel);
        QVERIFY(f.platform->messages[0].text.startsWith(QStringLiteral("Save the settings before closing?")));
        QVERIFY(f.platform->messages[0].text.contains(file));

        f.platform->replies << Platform::Reply::No;
        f.trigger("mnuExit");
        QVERIFY(!f.window->isVisible());
        QVERIFY(!QFile::exists(file));

        f.window->show();
        f.platform->replies << Platform::Reply::Yes;
        QVERIFY(f.window->close());
        QCOMPARE(f.platform->messages.size(), 3);
        QCOMPARE(contents(file).split('\n')[31], QByteArray("30\r"));

        // Saved: nothing to ask. Changed and changed back: nothing either.
        f.window->show();
        f.box("txtMaxDif")->setText(QStringLiteral("31"));
        f.box("txtMaxDif")->setText(QStringLiteral("30"));
        QVERIFY(f.window->close());
        QCOMPARE(f.platform->messages.size(), 3);
        // A path counts as much as a filter.
        f.window->show();
        f.shared->historyPath = path("other.HIT").toStdString();
        f.platform->replies << Platform::Reply::Cancel;
        QVERIFY(!f.window->close());
        QCOMPARE(f.platform->messages.size(), 4);
    }

    void aSaveOnClosingThatFailsKeepsTheWindowOpen() {
        useSettingsFile(path("missing/VNTB.INI"));
        f.window->show();
        option("optnOutToNothing")->click();
        f.platform->replies << Platform::Reply::Yes;
        QVERIFY(!f.window->close());
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("Settings Not Saved"));
    }

    void settingsJustLoadedCloseWithoutAQuestion() {
        useSettingsFile(path("loaded.INI"));
        save();
        write(path("loaded.INI"), withLine(contents(path("loaded.INI")), 32, "25"));
        restore();
        QCOMPARE(f.text("txtMaxDif"), QStringLiteral("25"));
        f.window->show();
        QVERIFY(f.window->close());
        QVERIFY(f.platform->messages.isEmpty());
    }

    // The settings file last saved or loaded is kept for the next start;
    // a load that fails keeps the one before.
    void theFileLastSavedOrLoadedIsKeptForTheNextStart() {
        const QString key = QStringLiteral("Settings File");
        useSettingsFile(path("mine.INI"));
        f.box("txtMaxDif")->setText(QStringLiteral("27"));
        save();
        QCOMPARE(f.platform->settings.value(key), path("mine.INI"));
        QVERIFY(QFile::copy(path("mine.INI"), path("copy.INI")));
        useSettingsFile(path("copy.INI"));
        restore();
        QCOMPARE(f.platform->settings.value(key), path("copy.INI"));
        useSettingsFile(path("absent.INI"));
        restore();
        QCOMPARE(f.platform->settings.value(key), path("copy.INI"));

        // The next start, on the same desktop, restores the file kept.
        f.window.reset();
        f.shared = std::make_unique<SharedSettings>(dataPathsIn(f.folder.path().toStdString()));
        requestSavedSettings(*f.shared, *f.platform);
        f.window = std::make_unique<MainWindow>(*f.platform, *f.shared);
        tick();
        QCOMPARE(f.text("txtMaxDif"), QStringLiteral("27"));
        f.window->show();
        QVERIFY(f.window->close());               // just loaded: nothing to ask
        QCOMPARE(f.platform->messages.size(), 1); // the failed load's message only
    }

    void aSaveThatFailsSaysWhyAndTheProgramStays() {
        const QString unwritable = path("missing/VNTB.INI");
        useSettingsFile(unwritable);
        f.window->show();
        f.click("cmdExit");
        tick();
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.platform->messages.size(), 1);
        QCOMPARE(f.platform->messages[0].title, QStringLiteral("Settings Not Saved"));
        QVERIFY(f.platform->messages[0].text.contains(unwritable));
        QVERIFY(!f.shared->saveRequest);
        QVERIFY(!f.shared->exitAfterSaveRequest);
        tick();
        QCOMPARE(f.platform->messages.size(), 1);
    }

    void aRoundTripBringsBackEveryControl() {
        useSettingsFile(path("first.INI"));
        changeEverything();
        save();
        const QByteArray first = contents(path("first.INI"));
        QCOMPARE(first.split('\n')[29], QByteArray("-\r")); // the empty minimum sum

        // Back to the defaults in a new window, then restored.
        f.close();
        f.open();
        useSettingsFile(path("first.INI"));
        restore();
        QVERIFY(f.platform->messages.isEmpty());
        QCOMPARE(f.text("txtMinSum"), QString());
        QCOMPARE(f.text("txtMaxSum"), QString()); // a box holding "-" comes back empty
        QCOMPARE(f.text("txtKeyNumber_2"), QStringLiteral("17"));
        QVERIFY(check("chkEnableRavelin")->isChecked());
        QVERIFY(!check("chkEvens_3")->isChecked());
        QVERIFY(option("optn90")->isChecked());
        QVERIFY(option("optnOR")->isChecked());
        QVERIFY(sums()->item(0)->isSelected() && sums()->item(258)->isSelected() && !sums()->item(1)->isSelected());
        QCOMPARE(f.shared->poolPath, path("p.GR").toStdString());
        // The dependent controls follow, as the handlers set them.
        QVERIFY(option("optnOutToNothing")->isChecked());
        QVERIFY(!option("optnOverwrite")->isEnabled() && !option("optnAppend")->isEnabled());
        QVERIFY(option("optn90")->isEnabled());
        QVERIFY(!f.box("txtAMin")->isReadOnly());

        // Saved again, the file is the same byte for byte.
        useSettingsFile(path("second.INI"));
        save();
        QCOMPARE(contents(path("second.INI")), withLine(first, 14, path("second.INI").toUtf8()));
    }

    void aFileThatCannotBeReadChangesNothing() {
        useSettingsFile(path("good.INI"));
        f.box("txtMinSum")->setText(QStringLiteral("100"));
        save();
        const QByteArray good = contents(path("good.INI"));
        f.box("txtMinSum")->setText(QStringLiteral("50"));

        write(path("cut.INI"), good.split('\n').mid(0, 200).join('\n') + '\n'); // lines 1 to 200
        write(path("yes.INI"), withLine(good, 22, "yes"));
        const QList<std::pair<const char*, const char*>> bad = {
            {"cut.INI", "ends before line 201"}, {"yes.INI", "Line 22"}, {"absent.INI", "could not be opened"}};
        int shown = 0;
        for (const auto& [name, why] : bad) {
            useSettingsFile(path(name));
            restore();
            QCOMPARE(f.platform->messages.size(), ++shown);
            const QString text = f.platform->messages.last().text;
            QVERIFY2(text.contains(path(name)) && text.contains(QLatin1String(why)), qPrintable(text));
            QCOMPARE(f.text("txtMinSum"), QStringLiteral("50")); // nothing applied, not even line 30
            tick();
            QCOMPARE(f.platform->messages.size(), shown); // not retried
        }
    }

    void aFileOfAnotherGameIsRefusedAndChangesNothing() {
        // The filter tabs are laid out for 6/49: another game's file is named and left alone.
        const SettingsFile fantasy = settingsFor(*gameFromMatrix("5/39"));
        QCOMPARE(saveSettingsFile(path("five.INI").toStdString(), fantasy), std::string());
        f.box("txtMinSum")->setText(QStringLiteral("50"));
        const std::string inUse = f.shared->settingsPath;
        useSettingsFile(path("five.INI"));
        restore();
        // A save after it goes to the file in use, never over the other game's file.
        QCOMPARE(f.shared->settingsPath, inUse);
        QCOMPARE(f.platform->messages.size(), 1);
        const QString text = f.platform->messages.last().text;
        QVERIFY2(text.contains(path("five.INI")) && text.contains(QLatin1String("is for 5/39")), qPrintable(text));
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("Settings Not Loaded"));
        QCOMPARE(f.text("txtMinSum"), QStringLiteral("50"));
        const QByteArray fiveBefore = contents(path("five.INI"));
        save();
        QCOMPARE(contents(path("five.INI")), fiveBefore);

        // Nor does a save aimed at that file write over it: it says so, and the file stays.
        useSettingsFile(path("five.INI"));
        save();
        QCOMPARE(contents(path("five.INI")), fiveBefore);
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("Settings Not Saved"));
        QVERIFY2(f.platform->messages.last().text.contains(QLatin1String("holds the settings of 5/39")),
                 qPrintable(f.platform->messages.last().text));
    }

    void saveAndRestoreInOneTickWriteFirstThenReadBack() {
        useSettingsFile(path("both.INI"));
        f.box("txtMaxDif")->setText(QStringLiteral("33"));
        f.shared->saveRequest = true;
        f.shared->restoreRequest = true;
        tick();
        QVERIFY(f.platform->messages.isEmpty());
        QCOMPARE(contents(path("both.INI")).count("\r\n"), 387);
        QCOMPARE(f.text("txtMaxDif"), QStringLiteral("33"));
    }

    void aFileNamingAnotherSettingsFileSendsTheNextSaveThere() {
        useSettingsFile(path("a.INI"));
        save();
        write(path("a.INI"), withLine(contents(path("a.INI")), 14, path("b.INI").toUtf8()));
        restore();
        QVERIFY(!QFile::exists(path("b.INI")));
        save();
        QCOMPARE(contents(path("b.INI")).count("\r\n"), 387);
    }

    void restoredControlsRunTheirHandlersInTheFilesOrder() {
        // The history path (line 13) is restored before the last-fifteen-sums box
        // (line 35) reads it; the window's own history path does not exist.
        useSettingsFile(path("order.INI"));
        save();
        QByteArray file = contents(path("order.INI"));
        file = withLine(file, 13, historyOf(20).toUtf8());
        file = withLine(file, 35, " 1 ");
        // Pairs not allowed but required: the handler says so and clears the requirement.
        file = withLine(file, 52, " 0 ");
        file = withLine(file, 55, " 1 ");
        write(path("order.INI"), file);
        restore();
        QVERIFY(check("chkL15S")->isChecked());
        QCOMPARE(f.platform->messages.size(), 1);
        QCOMPARE(f.platform->messages[0].title, QStringLiteral("Setting Conflict Detected:"));
        QVERIFY(!check("chkRequirePair")->isChecked());
    }

    void aRunAfterARestoreUsesTheRestoredFilters() {
        useSettingsFile(path("sums.INI"));
        save();
        QByteArray file = contents(path("sums.INI"));
        file = withLine(file, 19, "True"); // do not record output
        file = withLine(file, 30, "30");
        file = withLine(file, 31, "40");
        write(path("sums.INI"), file);
        restore();
        QCOMPARE(f.text("txtMinSum"), QStringLiteral("30"));
        // Every set of 1 to 12 whose sum lies from 30 to 40, counted plainly.
        int expected = 0;
        for (int a = 1; a <= 12; ++a)
            for (int b = a + 1; b <= 12; ++b)
                for (int c = b + 1; c <= 12; ++c)
                    for (int d = c + 1; d <= 12; ++d)
                        for (int e = d + 1; e <= 12; ++e)
                            for (int g = e + 1; g <= 12; ++g) {
                                const int sum = a + b + c + d + e + g;
                                expected += sum >= 30 && sum <= 40;
                            }
        f.selectRange(0, 11);
        QVERIFY(f.wheelToEnd());
        QCOMPARE(f.text("txtSetsPassing"), QString::number(expected));
        QVERIFY(!QFile::exists(f.outputFile()));
    }

    void aRequestRaisedDuringARunWaitsForItsEnd() {
        useSettingsFile(path("later.INI"));
        option("optnOutToNothing")->click();
        f.selectRange(0, 48);
        QSignalSpy ended(f.window.get(), &MainWindow::wheelRunEnded);
        f.click("cmdWheel");
        save();
        QVERIFY(!QFile::exists(path("later.INI")));
        QVERIFY(f.shared->saveRequest);
        f.click("cmdStopWheeling");
        QTRY_COMPARE(ended.count(), 1);
        tick();
        QVERIFY(QFile::exists(path("later.INI")));
    }
};

QTEST_MAIN(SettingsServiceTest)
#include "SettingsServiceTest.moc"
