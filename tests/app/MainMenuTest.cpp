#include "tally/WinCheckerWindow.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

using namespace orvane;

// The menu bar and the small commands behind it.
class MainMenuTest : public QObject {
    Q_OBJECT

private:
    WindowFixture f;

    QString poolSize() const { return f.find<QLabel>("lblPoolSize")->text(); }
    QString path(const char* name) const { return f.folder.filePath(QLatin1String(name)); }
    static void touch(const QString& file) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("x");
    }
    QAction* item(const char* name) const { return f.find<QAction>(QLatin1String(name)); }
    // A caption without its access-key marker; "&&", a shown ampersand, stays as stored.
    static QString withoutAccessKey(QString caption) {
        caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        caption.remove(QLatin1Char('&'));
        return caption.replace(QStringLiteral("\x01"), QStringLiteral("&&"));
    }
    QStringList captionsOf(const char* menu) const {
        QStringList captions;
        for (QAction* action : f.find<QMenu>(QLatin1String(menu))->actions())
            captions << (action->isSeparator() ? QStringLiteral("-") : withoutAccessKey(action->text()));
        return captions;
    }
    QList<QMenu*> menus() const {
        QList<QMenu*> found;
        for (QAction* action : f.window->menuBar()->actions())
            if (action->menu()) found << action->menu();
        return found;
    }

private slots:
    void init() { f.open(); }
    void cleanup() {
        QDir::setCurrent(QDir::tempPath());
        f.close();
    }

    void everyItemStandsInItsPlace() {
        QCOMPARE(captionsOf("mnuFile"),
                 QStringList({"Save Tambril's Output As...", "Save Gathra's Output As...", "-", "Save Current Settings",
                              "Load Settings", "-", "History File...", "Import Draws...", "-", "Record Set Numbers",
                              "Delete Orvane's Output File", "Delete Gathra's Output File", "-", "Exit"}));
        QCOMPARE(item("mnuExit")->text(), QStringLiteral("E&xit"));
        QCOMPARE(captionsOf("mnuUserLevel"), QStringList({"Beginner", "Intermediate", "Advanced"}));
        QCOMPARE(captionsOf("mnuNumberSelect"),
                 QStringList({"Select All Numbers", "De-Select All Numbers", "Select Multiple Random Numbers", "-",
                              "Select Numbers With Gathra", "Load Gathra's Picks"}));
        QCOMPARE(captionsOf("mnuTools"),
                 QStringList({"Odds", "-", "Check For Winning Bets", "Check Tickets Against History",
                              "Update Game History File", "-", "View && Manipulate History",
                              "View && Manipulate Output File", "-", "Calculator", "Abbreviated Wheel...", "-",
                              "Print Selected Number Pool", "-", "UnInstall Prep"}));
        QCOMPARE(captionsOf("mnuHelp"),
                 QStringList({"View Orvane Manual", "Show Tip of the Day", "-", "About Orvane..."}));
        // The fifteen reports, a rule, the backtest and the odds and coverage.
        QCOMPARE(captionsOf("mnuAnalysis").size(), 18);
        QCOMPARE(withoutAccessKey(item("mnuHotNCold")->text()), QStringLiteral("Hot && Cold Numbers Calculator"));
        QStringList titles;
        for (QMenu* menu : menus()) titles << withoutAccessKey(menu->title());
        QCOMPARE(titles, QStringList({"File", "Game", "User Level", "Number Selection", "Analysis", "Tools", "Help"}));
        // No dead clicks: an item with no report behind it is off and says why.
        QVERIFY(!item("mnuShadowing")->isEnabled());
        QCOMPARE(item("mnuShadowing")->toolTip(), QStringLiteral("This report is not available yet."));
        QVERIFY(item("mnuAdvanced")->isChecked());
    }

    // Alt and a letter opens each menu; within a menu each item's letter is its own.
    void everyMenuAndItemHasItsOwnAccessKey() {
        QStringList menuKeys;
        for (QMenu* menu : menus()) {
            const QString key = QKeySequence::mnemonic(menu->title()).toString();
            QVERIFY2(!key.isEmpty() && !menuKeys.contains(key), qPrintable(menu->title()));
            menuKeys << key;
            QStringList itemKeys;
            for (QAction* action : menu->actions()) {
                if (action->isSeparator()) continue;
                const QString itemKey = QKeySequence::mnemonic(action->text()).toString();
                QVERIFY2(!itemKey.isEmpty(), qPrintable(action->text()));
                QVERIFY2(!itemKeys.contains(itemKey),
                         qPrintable(action->text() + QStringLiteral(" repeats ") + itemKey));
                itemKeys << itemKey;
            }
        }
        QCOMPARE(menuKeys, QStringList({"Alt+F", "Alt+G", "Alt+U", "Alt+N", "Alt+A", "Alt+T", "Alt+H"}));
    }

    void commonCommandsHaveShortcutsThatNeverClash() {
        const QList<std::pair<const char*, QKeySequence>> expected = {
            {"mnuSaveSettings", QKeySequence(Qt::CTRL | Qt::Key_S)},
            {"mnuRestoreSettings", QKeySequence(Qt::CTRL | Qt::Key_O)},
            {"mnuExit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
            {"mnuPrintSelected", QKeySequence(Qt::CTRL | Qt::Key_P)},
            {"mnuManual", QKeySequence(Qt::Key_F1)}};
        for (const auto& [name, keys] : expected) QCOMPARE(item(name)->shortcut(), keys);
        // Every action of the window, the number list's Ctrl+A and Ctrl+Shift+A among them.
        QMap<QString, QString> owners;
        for (QAction* action : f.window->findChildren<QAction*>())
            for (const QKeySequence& keys : action->shortcuts()) {
                if (keys.isEmpty()) continue;
                const QString text = keys.toString();
                QVERIFY2(!owners.contains(text), qPrintable(text + QStringLiteral(": ") + owners.value(text) +
                                                            QStringLiteral(" and ") + action->objectName()));
                owners[text] = action->objectName();
            }
        QVERIFY(owners.contains(QStringLiteral("Ctrl+A")) && owners.contains(QStringLiteral("Ctrl+Shift+A")));
    }

    // A shortcut does what its item does, and waits while a run keeps its menu off.
    void shortcutsWorkOnlyWhileTheirMenuIsOn() {
        f.window->show();
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(f.window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.platform->fileDialogs.size(), 1);
        QVERIFY(f.platform->fileDialogs[0].save);
        QCOMPARE(f.platform->fileDialogs[0].defaultExtension, QStringLiteral(".INI"));

        f.window->busy().begin(MainWindow::kWheelRun);
        QTest::keyClick(f.window.get(), Qt::Key_O, Qt::ControlModifier);
        QTest::keyClick(f.window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(f.platform->fileDialogs.size(), 1);
        QVERIFY(f.platform->messages.isEmpty());
        f.window->busy().end(MainWindow::kWheelRun);

        QTest::keyClick(f.window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(f.platform->messages.size(), 1); // too few numbers to print
        QTest::keyClick(f.window.get(), Qt::Key_F1);
        QTRY_VERIFY(f.window->findChild<QWidget*>(QStringLiteral("frmOrvaneManualViewer")));
        QVERIFY(f.find<QWidget>("frmOrvaneManualViewer")->isVisible());
    }

    void oddsShowsTheTable() {
        f.trigger("mnuOdds");
        QCOMPARE(f.platform->messages.size(), 1);
        QCOMPARE(f.platform->messages[0].title, QStringLiteral("Your Odds According to Drossick"));
        QVERIFY(f.platform->messages[0].text.startsWith(
            QStringLiteral("Your odds of winning a prize are as follws:\n\n6 of 6 Numbers: 1 in 13,983,816\n\n")));
    }

    void printSelectedNeedsSevenNumbersAndPrintsThem() {
        f.selectRange(0, 5);
        f.trigger("mnuPrintSelected");
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("Unable to Complete Operation"));
        QVERIFY(f.platform->printJobs.isEmpty());

        f.selectRange(40, 40);
        f.trigger("mnuPrintSelected");
        QCOMPARE(f.platform->printJobs.size(), 1);
        const QStringList lines = f.platform->printJobs[0].lines;
        QCOMPARE(lines.mid(0, 5),
                 QStringList({"Orvane Selected Number Printing Utility", "Report generated 07-04-1999 at 18:30:05", "",
                              "The numbers selected are as follows:", ""}));
        QCOMPARE(lines.mid(5, 7), QStringList({"1", "2", "3", "4", "5", "6", "41"}));
        QCOMPARE(lines.mid(12), QStringList({"", "7 numbers selected in total."}));
        QVERIFY(f.platform->printJobs[0].ended);
        QCOMPARE(f.platform->messages.last().text, QStringLiteral("Printing pool."));
    }

    void deleteCommandsAskFirstThenTellErasedMissingAndUndeletableApart() {
        f.shared->wheelOutputPath = path("w.TB").toStdString();
        f.shared->poolPath = path("p.GR").toStdString();
        touch(path("w.TB"));
        touch(path("p.GR"));
        // Unanswered, the question keeps the file: No is its default.
        for (const char* command : {"mnuDeleteOuput", "mnuDelGathraTxt"}) {
            f.platform->messages.clear();
            f.trigger(QLatin1String(command));
            QCOMPARE(f.platform->messages.size(), 1);
            QCOMPARE(f.platform->messages[0].buttons, Platform::Buttons::YesNoDefaultNo);
            QCOMPARE(f.platform->messages[0].icon, NoticeIcon::Question);
        }
        QVERIFY(f.platform->messages[0].text.contains(path("p.GR")));
        QVERIFY(QFile::exists(path("w.TB")) && QFile::exists(path("p.GR")));

        f.platform->replies << Platform::Reply::Yes;
        f.trigger("mnuDeleteOuput");
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("Command Completed"));
        QVERIFY(!QFile::exists(path("w.TB")));
        QVERIFY(QFile::exists(path("p.GR")));
        // Nothing there: nothing to ask.
        const qsizetype shown = f.platform->messages.size();
        f.trigger("mnuDeleteOuput");
        QCOMPARE(f.platform->messages.size(), shown + 1);
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("Nothing To Do"));
        QCOMPARE(f.platform->messages.last().text,
                 path("w.TB") + QStringLiteral(" could not be found.  There is nothing to delete."));
        // Something is there but cannot be deleted: said so, not "could not be found".
        QVERIFY(QDir().mkpath(path("d.GR")));
        f.shared->poolPath = path("d.GR").toStdString();
        f.platform->replies << Platform::Reply::Yes;
        f.trigger("mnuDelGathraTxt");
        QVERIFY(f.platform->messages.last().text.contains(QStringLiteral("could not be deleted")));
        QVERIFY(QFileInfo(path("d.GR")).isDir());
    }

    // A file opened by a double click is shown in the report window's viewer at once.
    void aHistoryOrOutputFileOpenedIsShownInItsViewer() {
        QVERIFY(QFile::copy(QStringLiteral(ORVANE_SAMPLE_HISTORY), path("mine.HIT")));
        f.window->openFile(path("mine.HIT"));
        QCOMPARE(f.shared->historyPath, path("mine.HIT").toStdString());
        auto* viewer = f.window->findChild<QWidget*>(QStringLiteral("frmAnalysis"));
        QVERIFY(viewer);
        QVERIFY(viewer->windowTitle().startsWith(QLatin1String("View & Manipulate History"))); // begun at once
        auto* text = viewer->findChild<QPlainTextEdit*>(QStringLiteral("txtAnalysis"));
        QTRY_VERIFY_WITH_TIMEOUT(text->toPlainText().contains(QLatin1String("050788")), 20000);
    }

    void uninstallPrepDeletesOnlyWhatExistsAndNeverTheHistory() {
        QVERIFY(QDir::setCurrent(f.folder.path()));
        touch(path("VNTB.INI"));
        touch(path("temp.fil"));
        touch(path("FL6-49.HIT"));
        f.shared->historyPath = path("FL6-49.HIT").toStdString();
        f.shared->wheelOutputPath = path("w.TB").toStdString();
        touch(path("w.TB"));
        // Another game's settings file is the program's; its history is the user's.
        touch(path("POWERBALL.INI"));
        touch(path("POWERBALL.HIT"));

        f.platform->replies << Platform::Reply::No;
        f.trigger("mnuUnInstallPrep");
        QVERIFY(QFile::exists(path("VNTB.INI")) && QFile::exists(path("w.TB")));
        QVERIFY(!f.shared->poolStop);

        f.trigger("mnuUnInstallPrep"); // Yes
        QVERIFY(!QFile::exists(path("VNTB.INI")) && !QFile::exists(path("temp.fil")) && !QFile::exists(path("w.TB")));
        QVERIFY(QFile::exists(path("FL6-49.HIT")));
        QVERIFY(!QFile::exists(path("POWERBALL.INI")) && QFile::exists(path("POWERBALL.HIT")));
        QVERIFY(!QFile::exists(path("records.txt"))); // never made to be deleted
        QVERIFY(f.shared->poolStop);
        QCOMPARE(f.platform->messages.last().title, QStringLiteral("Uninstallation Prep Status"));
        QVERIFY(f.platform->messages.last().text.startsWith(QStringLiteral("Extraneous files erased.")));

        // A file that stays names itself instead of the success text.
        QVERIFY(QDir().mkpath(path("best.txt")));
        f.trigger("mnuUnInstallPrep");
        QVERIFY(f.platform->messages.last().text.contains(path("best.txt")));
        QVERIFY(!f.platform->messages.last().text.startsWith(QStringLiteral("Extraneous")));
    }

    void numberSelectionWaitsForTheListTimer() {
        f.trigger("mnuSelectAll");
        QCOMPARE(poolSize(), QStringLiteral("0")); // the list is changed on the timer's tick
        f.tick("Timer2");
        QCOMPARE(poolSize(), QStringLiteral("49"));
        f.trigger("mnuDeselectAll");
        f.tick("Timer2");
        QCOMPARE(poolSize(), QStringLiteral("0"));

        f.selectRange(0, 19);
        f.platform->inputAnswers << QStringLiteral("7.5") << QStringLiteral("6") << QStringLiteral("50")
                                 << QStringLiteral("-7") << QStringLiteral("seven") << QStringLiteral("7");
        f.trigger("mnuRandom");
        QCOMPARE(f.platform->inputPrompts.size(), 6);
        QCOMPARE(f.platform->messages.size(), 5);
        QCOMPARE(f.platform->messages[0].text, QStringLiteral("You must enter an integer value from 7 to 49."));
        f.tick("Timer2");
        QCOMPARE(poolSize(), QStringLiteral("7"));
        QCOMPARE(f.find<QListWidget>("lstNumbers")->selectedItems().size(), 7);

        f.platform->inputAnswers << QStringLiteral("49");
        f.trigger("mnuRandom");
        f.tick("Timer2");
        QCOMPARE(poolSize(), QStringLiteral("49"));
        f.trigger("mnuRandom"); // cancelled
        f.tick("Timer2");
        QCOMPARE(poolSize(), QStringLiteral("49"));
    }

    void toolWindowsOpenOnceEach() {
        f.trigger("mnuCalculator");
        f.trigger("mnuCalculator");
        QCOMPARE(f.window->findChildren<QWidget*>(QStringLiteral("frmCalculator")).size(), 1);
        QVERIFY(f.find<QWidget>("frmCalculator")->isVisible());
        // Every item of the menu bar either works or says why it is off.
        for (QAction* action : f.window->menuBar()->findChildren<QAction*>())
            if (!action->isEnabled() && !action->isSeparator() && !action->menu())
                QVERIFY2(!action->toolTip().isEmpty() && action->toolTip() != QStringLiteral("Not available yet."),
                         qPrintable(action->objectName()));
        f.trigger("mnuTallor");
        f.trigger("mnuTallor");
        QCOMPARE(f.window->findChildren<WinCheckerWindow*>().size(), 1);
        QVERIFY(f.find<QWidget>("frmVNTallorMain")->isVisible());
        f.trigger("mnuUpdateHistory");
        f.trigger("mnuUpdateHistory");
        QCOMPARE(f.window->findChildren<QWidget*>(QStringLiteral("frmVNUpdateMain")).size(), 1);
    }

    void aWinCheckKeepsTheOutputFileSafe() {
        f.window->busy().begin(WinCheckerWindow::kWinCheck);
        for (const char* name : {"mnuDeleteOuput", "mnuDelGathraTxt", "mnuUnInstallPrep", "mnuSaveSettings",
                                 "mnuRestoreSettings", "mnuHistoryFile", "mnuSaveAs"})
            QVERIFY2(!item(name)->isEnabled(), name);
        QVERIFY(!f.find<QPushButton>("cmdWheel")->isEnabled());
        f.window->busy().end(WinCheckerWindow::kWinCheck);
        QVERIFY(item("mnuDeleteOuput")->isEnabled());
        QVERIFY(f.find<QPushButton>("cmdWheel")->isEnabled());
    }
};

QTEST_MAIN(MainMenuTest)
#include "MainMenuTest.moc"
