#pragma once

#include "reports/ReportJob.h"

#include <QImage>
#include <QWidget>

#include <optional>

class QChart;
class QChartView;
class QLabel;
class QStackedLayout;

namespace orvane {

// The report window's "Chart" view: the bars of a counting report's table,
// one per value, with the value and the count on labelled axes and a title
// naming the report and its number of draws. Without a table it says so.
class ReportChart : public QWidget {
    Q_OBJECT
public:
    explicit ReportChart(QWidget* parent = nullptr);

    // Shows the table's bars; no table shows the note instead.
    void setTable(const std::optional<ReportTable>& table);
    bool hasChart() const { return table_.has_value(); }
    // The heights of the bars shown, in the order of the values.
    QList<qreal> barValues() const;
    QString title() const;
    // The chart drawn on a picture of `size` pixels, for printing; null without a table.
    QImage image(const QSize& size) const;

private:
    std::optional<ReportTable> table_;
    QStackedLayout* stack_ = nullptr;
    QLabel* note_ = nullptr;
    QChartView* view_ = nullptr;
};

} // namespace orvane
