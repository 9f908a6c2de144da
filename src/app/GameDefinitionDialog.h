#pragma once

#include "core/DataPaths.h"
#include "core/Game.h"
#include "core/GameDefinition.h"

#include <QDialog>

#include <optional>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace orvane {

class Platform;

// frmDefineGame, "Define a Game" (or "Edit Game" for one of the user's own):
// the game's name, highest number, numbers per ticket, extra ball, bonus pool
// and prize tiers. OK checks the boxes, says what to mend in the first one
// that is wrong and puts the cursor there; a good game is written to the
// user's games file before the dialog closes, so nothing is lost.
class GameDefinitionDialog : public QDialog {
    Q_OBJECT
public:
    // `editing`: the user's own game to edit; none to define a new one.
    GameDefinitionDialog(Platform& platform, const DataPaths& paths, std::optional<Game> editing,
                         QWidget* parent = nullptr);

    // The game written, once accepted.
    const std::optional<Game>& game() const { return game_; }

private:
    void cmdOK_Click();
    GameDefinition definition() const;
    QLineEdit* boxFor(DefinitionBox box) const;

    Platform& platform_;
    DataPaths paths_;
    std::optional<Game> editing_;
    std::optional<Game> game_;

    QLineEdit* txtGameName = nullptr;
    QLineEdit* txtHighest = nullptr;
    QLineEdit* txtPerTicket = nullptr;
    QCheckBox* chkExtraBall = nullptr;
    QLineEdit* txtBonusPool = nullptr;
    QLineEdit* txtBonusDrawn = nullptr;
    QLineEdit* txtTiers = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace orvane
