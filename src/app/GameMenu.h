#pragma once

#include "core/DataPaths.h"
#include "core/Game.h"

#include <QMenu>

#include <map>
#include <vector>

class QAction;

namespace orvane {

class Platform;

// The game the user chose, kept in the per-user store ("Game", the game's name
// or its matrix) and found again at the next start among the catalogue's
// games and the user's own; 6/49 when none was chosen or the game is gone.
Game restoredGame(Platform& platform, const DataPaths& paths);
void keepGame(Platform& platform, const Game& game);

// mnuGame, "&Game": the catalogue's games by name with their matrix ("Fantasy 5
// (5/39)"), then the user's own, the current one checked; "Define a Game...",
// and "Edit..." and "Remove" for the current game when it is one of the
// user's own. Choosing a game only asks for it (gameChosen): the window
// decides whether it can change now.
class GameMenu : public QMenu {
    Q_OBJECT
public:
    GameMenu(Platform& platform, const DataPaths& paths, QWidget* parent = nullptr);

    // Shows `game` as the current one, reading the user's games afresh.
    void setCurrent(const Game& game);
    const Game& current() const { return current_; }

signals:
    void gameChosen(const orvane::Game& game);

private:
    void rebuild();
    void mnuDefineGame_Click();
    void mnuEditGame_Click();
    void mnuRemoveGame_Click();
    bool currentIsOwn() const;

    Platform& platform_;
    DataPaths paths_;
    Game current_;
    std::vector<Game> own_;
    std::map<QAction*, Game> games_; // each game item's game
};

} // namespace orvane
