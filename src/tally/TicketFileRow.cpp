#include "tally/TicketFileRow.h"

#include "platform/Platform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orvane {

TicketFileRow::TicketFileRow(Platform& platform, const QString& path, QWidget* parent)
    : QWidget(parent), platform_(platform) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("&Ticket file:"), this);
    txtTicketFile = new QLineEdit(path, this);
    txtTicketFile->setObjectName(QStringLiteral("txtTicketFile"));
    label->setBuddy(txtTicketFile);
    cmdBrowse = new QPushButton(QStringLiteral("B&rowse..."), this);
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    cmdBrowse->setAutoDefault(false);
    row->addWidget(label);
    row->addWidget(txtTicketFile, 1);
    row->addWidget(cmdBrowse);
    connect(cmdBrowse, &QPushButton::clicked, this, &TicketFileRow::cmdBrowse_Click);
}

QString TicketFileRow::path() const { return txtTicketFile->text().trimmed(); }

std::optional<TicketFileRead> TicketFileRow::readTickets(const Game& game, const QString& title,
                                                         const QString& command) {
    if (path().isEmpty()) {
        platform_.message(QStringLiteral("Type the name of a ticket file in the Ticket file box, or choose one with "
                                         "Browse..., then press %1.")
                              .arg(command),
                          title, NoticeIcon::Exclamation);
        txtTicketFile->setFocus();
        return std::nullopt;
    }
    TicketFileRead read = readTicketFile(path().toStdString(), game);
    if (read.failure) {
        platform_.notify(*read.failure);
        return std::nullopt;
    }
    return read;
}

void TicketFileRow::cmdBrowse_Click() {
    FileDialogRequest request;
    request.filter = QStringLiteral("Tambril Output Files (*.TB)|*.TB|Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*");
    request.fileName = path();
    request.save = false;
    request.confirmOverwrite = false;
    const QString chosen = platform_.fileDialog(request);
    if (!chosen.isEmpty()) txtTicketFile->setText(chosen);
}

} // namespace orvane
