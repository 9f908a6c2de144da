#include "app/GameMenu.h"

#include "app/GameDefinitionDialog.h"
#include "core/GameCatalogue.h"
#include "core/OwnGamesFile.h"
#include "platform/Platform.h"

#include <QAction>
#include <QActionGroup>
#include <QSet>

#include <algorithm>

namespace orvane {

namespace {

const QString kGameKey = QStringLiteral("Game");

// The game's title as an item's caption, its access key the first letter or
// digit that no item above it (nor Define, Edit or Remove) has taken; none
// when every one of them is taken.
QString gameCaption(const Game& game, QSet<QChar>& usedKeys) {
    const QString title = QString::fromStdString(game.title());
    QString caption;
    bool keyed = false;
    for (const QChar c : title) {
        if (!keyed && c.isLetterOrNumber() && !usedKeys.contains(c.toUpper())) {
            usedKeys.insert(c.toUpper());
            caption += QLatin1Char('&');
            keyed = true;
        }
        // An ampersand in a name is shown, not taken for an access key.
        caption += c == QLatin1Char('&') ? QStringLiteral("&&") : QString(c);
    }
    return caption;
}

} // namespace

Game restoredGame(Platform& platform, const DataPaths& paths) {
    const QString kept = platform.setting(kGameKey, QString());
    if (kept.isEmpty()) return Game::lotto649();
    return findGame(kept.toStdString(), knownGames(paths)).value_or(Game::lotto649());
}

void keepGame(Platform& platform, const Game& game) {
    platform.saveSetting(kGameKey, QString::fromStdString(game.name().empty() ? game.matrix() : game.name()));
}

GameMenu::GameMenu(Platform& platform, const DataPaths& paths, QWidget* parent)
    : QMenu(QStringLiteral("&Game"), parent), platform_(platform), paths_(paths), current_(Game::lotto649()) {
    setObjectName(QStringLiteral("mnuGame"));
    rebuild();
    // The user's games are read afresh each time the menu opens; never while
    // one of its items is being handled, which rebuilding would delete.
    connect(this, &QMenu::aboutToShow, this, &GameMenu::rebuild);
}

void GameMenu::setCurrent(const Game& game) {
    current_ = game;
    for (QAction* item : actions())
        if (const auto found = games_.find(item); found != games_.end()) item->setChecked(found->second == current_);
    for (QAction* item : actions())
        if (item->objectName() == QLatin1String("mnuEditGame") || item->objectName() == QLatin1String("mnuRemoveGame"))
            item->setEnabled(currentIsOwn());
}

bool GameMenu::currentIsOwn() const {
    return std::any_of(own_.begin(), own_.end(), [&](const Game& own) { return own == current_; });
}

void GameMenu::rebuild() {
    clear();
    games_.clear();
    own_ = readOwnGames(paths_).games;
    auto* group = new QActionGroup(this);
    QSet<QChar> usedKeys = {QLatin1Char('D'), QLatin1Char('E'), QLatin1Char('R')};
    const auto addGame = [&](const Game& game, const QString& name) {
        QAction* item = addAction(gameCaption(game, usedKeys));
        item->setObjectName(name);
        item->setCheckable(true);
        item->setChecked(game == current_);
        group->addAction(item);
        games_.emplace(item, game);
        connect(item, &QAction::triggered, this, [this, game] {
            if (!(game == current_)) emit gameChosen(game);
            setCurrent(current_); // the check stays where the window leaves the game
        });
    };
    const std::vector<Game>& catalogue = catalogueGames();
    for (std::size_t i = 0; i < catalogue.size(); ++i) addGame(catalogue[i], QStringLiteral("mnuGame%1").arg(i));
    if (!own_.empty()) addSeparator();
    for (std::size_t i = 0; i < own_.size(); ++i) addGame(own_[i], QStringLiteral("mnuOwnGame%1").arg(i));
    addSeparator();
    QAction* define = addAction(QStringLiteral("&Define a Game..."));
    define->setObjectName(QStringLiteral("mnuDefineGame"));
    connect(define, &QAction::triggered, this, &GameMenu::mnuDefineGame_Click);
    QAction* edit = addAction(QStringLiteral("&Edit..."));
    edit->setObjectName(QStringLiteral("mnuEditGame"));
    edit->setEnabled(currentIsOwn());
    connect(edit, &QAction::triggered, this, &GameMenu::mnuEditGame_Click);
    QAction* remove = addAction(QStringLiteral("&Remove"));
    remove->setObjectName(QStringLiteral("mnuRemoveGame"));
    remove->setEnabled(currentIsOwn());
    connect(remove, &QAction::triggered, this, &GameMenu::mnuRemoveGame_Click);
}

void GameMenu::mnuDefineGame_Click() {
    GameDefinitionDialog dialog(platform_, paths_, std::nullopt, parentWidget());
    if (dialog.exec() != QDialog::Accepted || !dialog.game()) return;
    own_ = readOwnGames(paths_).games;
    emit gameChosen(*dialog.game());
}

void GameMenu::mnuEditGame_Click() {
    if (!currentIsOwn()) return;
    GameDefinitionDialog dialog(platform_, paths_, current_, parentWidget());
    if (dialog.exec() != QDialog::Accepted || !dialog.game()) return;
    own_ = readOwnGames(paths_).games;
    emit gameChosen(*dialog.game());
}

void GameMenu::mnuRemoveGame_Click() {
    if (!currentIsOwn()) return;
    const QString question =
        QStringLiteral("Remove %1 from your games? Its history and settings files stay where they are.")
            .arg(QString::fromStdString(current_.title()));
    if (platform_.message(question, QStringLiteral("Remove Game"), NoticeIcon::Question,
                          Platform::Buttons::YesNoDefaultNo) != Platform::Reply::Yes)
        return;
    if (const std::optional<std::string> failure = removeOwnGame(paths_, current_.name())) {
        platform_.message(QString::fromStdString(*failure), QStringLiteral("Remove Game"), NoticeIcon::Exclamation);
        return;
    }
    own_ = readOwnGames(paths_).games;
    emit gameChosen(Game::lotto649());
}

} // namespace orvane
