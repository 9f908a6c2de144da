#pragma once

#include "core/Game.h"
#include "tally/TicketFile.h"

#include <QString>
#include <QWidget>

#include <optional>

class QLineEdit;
class QPushButton;

namespace orvane {

class Platform;

// "Ticket file:", its box (txtTicketFile) and Browse... (cmdBrowse): the file
// of tickets a tool reads, a wheel output file or an abbreviated wheel's list.
class TicketFileRow : public QWidget {
    Q_OBJECT
public:
    TicketFileRow(Platform& platform, const QString& path, QWidget* parent);
    QString path() const;
    // The lines of the file named in the box. With the box empty, or a file
    // that cannot be read, it says so in a message titled `title` (naming the
    // button `command` the user presses next) and gives nothing.
    std::optional<TicketFileRead> readTickets(const Game& game, const QString& title, const QString& command);

private:
    void cmdBrowse_Click();

    Platform& platform_;
    QLineEdit* txtTicketFile = nullptr;
    QPushButton* cmdBrowse = nullptr;
};

} // namespace orvane
