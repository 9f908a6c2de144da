#pragma once

#include <QString>
#include <QWidget>

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
    QLineEdit* box() const { return txtTicketFile; }

private:
    void cmdBrowse_Click();

    Platform& platform_;
    QLineEdit* txtTicketFile = nullptr;
    QPushButton* cmdBrowse = nullptr;
};

} // namespace orvane
