#include "app/GameDefinitionDialog.h"

#include "core/GameCatalogue.h"
#include "core/OwnGamesFile.h"
#include "platform/ButtonRow.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <variant>

namespace orvane {

namespace {

QLineEdit* namedBox(const char* name, int maxLength) {
    auto* box = new QLineEdit;
    box->setObjectName(QLatin1String(name));
    box->setMaxLength(maxLength);
    return box;
}

QString boxText(const QLineEdit* box) { return box->text(); }

constexpr int kLongestName = 40;
constexpr int kLongestTiers = 120;

} // namespace

GameDefinitionDialog::GameDefinitionDialog(Platform& platform, const DataPaths& paths, std::optional<Game> editing,
                                           QWidget* parent)
    : QDialog(parent), platform_(platform), paths_(paths), editing_(std::move(editing)) {
    setObjectName(QStringLiteral("frmDefineGame"));
    setWindowTitle(editing_ ? QStringLiteral("Edit Game") : QStringLiteral("Define a Game"));

    txtGameName = namedBox("txtGameName", kLongestName);
    txtHighest = namedBox("txtHighest", 2);
    txtPerTicket = namedBox("txtPerTicket", 1);
    chkExtraBall = new QCheckBox(QStringLiteral("An extra ball is drawn from the same drum"));
    chkExtraBall->setObjectName(QStringLiteral("chkExtraBall"));
    txtBonusPool = namedBox("txtBonusPool", 2);
    txtBonusDrawn = namedBox("txtBonusDrawn", 1);
    txtTiers = namedBox("txtTiers", kLongestTiers);
    txtTiers->setPlaceholderText(QStringLiteral("empty for the usual tiers"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Name:"), txtGameName);
    // In the order the boxes are checked: the highest number's range follows from the ticket's.
    form->addRow(QStringLiteral("Numbers per &ticket:"), txtPerTicket);
    form->addRow(QStringLiteral("&Highest number:"), txtHighest);
    form->addRow(QString(), chkExtraBall);
    form->addRow(QStringLiteral("&Bonus pool, highest number:"), txtBonusPool);
    form->addRow(QStringLiteral("Bonus numbers &drawn:"), txtBonusDrawn);
    form->addRow(QStringLiteral("&Prize tiers:"), txtTiers);
    auto* help = new QLabel(QStringLiteral("Prize tiers, best first: 5 for five numbers, 5+1 for five and one "
                                           "bonus number, 5+x for five and the extra ball."));
    help->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    cmdOK = addNamedButton(this, buttons, "cmdOK", QStringLiteral("OK"));
    cmdCancel = addNamedButton(this, buttons, "cmdCancel", QStringLiteral("Cancel"));
    cmdOK->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(help);
    layout->addLayout(buttons);

    if (editing_) {
        const GameDefinition d = definitionOf(*editing_);
        txtGameName->setText(QString::fromStdString(d.name));
        txtHighest->setText(QString::fromStdString(d.highest));
        txtPerTicket->setText(QString::fromStdString(d.perTicket));
        chkExtraBall->setChecked(d.extraBall);
        txtBonusPool->setText(QString::fromStdString(d.bonusPool));
        txtBonusDrawn->setText(QString::fromStdString(d.bonusDrawn));
        txtTiers->setText(QString::fromStdString(d.tiers));
    }
    connect(cmdOK, &QPushButton::clicked, this, &GameDefinitionDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

GameDefinition GameDefinitionDialog::definition() const {
    return GameDefinition{boxText(txtGameName).toStdString(),  boxText(txtHighest).toStdString(),
                          boxText(txtPerTicket).toStdString(), chkExtraBall->isChecked(),
                          boxText(txtBonusPool).toStdString(), boxText(txtBonusDrawn).toStdString(),
                          boxText(txtTiers).toStdString()};
}

QLineEdit* GameDefinitionDialog::boxFor(DefinitionBox box) const {
    switch (box) {
    case DefinitionBox::Name: return txtGameName;
    case DefinitionBox::Highest: return txtHighest;
    case DefinitionBox::PerTicket: return txtPerTicket;
    case DefinitionBox::BonusPool: return txtBonusPool;
    case DefinitionBox::BonusDrawn: return txtBonusDrawn;
    case DefinitionBox::Tiers: return txtTiers;
    }
    return txtGameName;
}

void GameDefinitionDialog::cmdOK_Click() {
    // Every name in the menu is taken but the edited game's own.
    std::vector<Game> taken = catalogueGames();
    for (const Game& own : readOwnGames(paths_).games)
        if (!editing_ || !sameGameName(own.name(), editing_->name())) taken.push_back(own);
    const auto result = gameOfDefinition(definition(), taken);
    if (const auto* problem = std::get_if<DefinitionProblem>(&result)) {
        platform_.message(QString::fromStdString(problem->message), windowTitle(), NoticeIcon::Exclamation);
        QLineEdit* box = boxFor(problem->box);
        box->setFocus();
        box->selectAll();
        return;
    }
    const Game& game = std::get<Game>(result);
    if (const std::optional<std::string> failure =
            saveOwnGame(paths_, game, editing_ ? editing_->name() : std::string())) {
        platform_.message(QString::fromStdString(*failure), windowTitle(), NoticeIcon::Exclamation);
        return;
    }
    game_ = game;
    accept();
}

} // namespace orvane
