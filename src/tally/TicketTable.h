#pragma once

#include <QStringList>

#include <vector>

class QTableWidget;
class QWidget;

namespace orvane {

// A table the user reads and does not edit, with these column headings.
QTableWidget* readOnlyTable(QWidget* parent, const char* name, const QStringList& headings);
// Replaces the table's rows, one cell a string, and fits the columns to them.
void fillTable(QTableWidget* table, const std::vector<QStringList>& rows);
// Makes the table exactly as tall as `rows` rows and its heading: for a table
// whose rows are known before it is filled.
void fitTableToRows(QTableWidget* table, int rows);

} // namespace orvane
