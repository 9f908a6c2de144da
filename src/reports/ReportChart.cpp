#include "reports/ReportChart.h"

#include "platform/QtText.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QLabel>
#include <QPainter>
#include <QStackedLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {

// A value label on every bar of a short table, on round values of a longer one.
int labelStep(std::size_t values) { return values <= 15 ? 1 : values <= 60 ? 5 : 20; }

// The top of the count axis and its ticks: a round number of whole steps of
// 1, 2 or 5 times a power of ten, at most ten of them.
std::pair<double, int> countAxisTop(std::uint64_t most) {
    double step = 1;
    while (static_cast<double>(most) / step > 10) {
        const double magnitude = std::pow(10.0, std::floor(std::log10(step)));
        const double leading = step / magnitude;
        step = (leading < 2 ? 2 : leading < 5 ? 5 : 10) * magnitude;
    }
    const int steps = std::max(1, static_cast<int>(std::ceil(static_cast<double>(most) / step)));
    return {steps * step, steps + 1};
}

QChart* chartOf(const ReportTable& table) {
    auto* bars = new QBarSet(qt(table.countHeading));
    std::uint64_t most = 0;
    for (const ValueCount& row : table.rows) {
        *bars << static_cast<qreal>(row.count);
        most = std::max(most, row.count);
    }
    auto* series = new QBarSeries;
    series->append(bars);
    series->setBarWidth(0.8);

    auto* chart = new QChart;
    chart->addSeries(series);
    chart->setTitle(qt(table.title));
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);

    // Bars stand at 0, 1, 2, ...: the axis labels them with their values.
    auto* values = new QCategoryAxis;
    values->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    values->setRange(-0.5, static_cast<double>(table.rows.size()) - 0.5);
    const int step = labelStep(table.rows.size());
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const int value = table.rows[i].value;
        if (value % step == 0 || step == 1) values->append(QString::number(value), static_cast<double>(i));
    }
    values->setTitleText(qt(table.valueHeading));
    values->setGridLineVisible(false);
    chart->addAxis(values, Qt::AlignBottom);
    series->attachAxis(values);

    auto* counts = new QValueAxis;
    const auto [top, ticks] = countAxisTop(most);
    counts->setRange(0, top);
    counts->setTickCount(ticks);
    counts->setLabelFormat(QStringLiteral("%.0f"));
    counts->setTitleText(qt(table.countHeading));
    chart->addAxis(counts, Qt::AlignLeft);
    series->attachAxis(counts);
    return chart;
}

} // namespace

ReportChart::ReportChart(QWidget* parent) : QWidget(parent) {
    stack_ = new QStackedLayout(this);
    note_ = new QLabel(QStringLiteral("This report has no chart. The number count, span, sum hits, evens signature "
                                      "and skip/hit reports draw one."),
                       this);
    note_->setObjectName(QStringLiteral("lblNoChart"));
    note_->setAlignment(Qt::AlignCenter);
    note_->setWordWrap(true);
    view_ = new QChartView(this);
    view_->setObjectName(QStringLiteral("chartReport"));
    view_->setRenderHint(QPainter::Antialiasing);
    stack_->addWidget(note_);
    stack_->addWidget(view_);
}

void ReportChart::setTable(const std::optional<ReportTable>& table) {
    table_ = table;
    QChart* old = view_->chart();
    view_->setChart(table_ ? chartOf(*table_) : new QChart);
    delete old;
    stack_->setCurrentWidget(table_ ? static_cast<QWidget*>(view_) : note_);
}

QList<qreal> ReportChart::barValues() const {
    QList<qreal> values;
    for (QAbstractSeries* series : view_->chart()->series())
        if (auto* bars = qobject_cast<QBarSeries*>(series))
            for (QBarSet* set : bars->barSets())
                for (int i = 0; i < set->count(); ++i) values << set->at(i);
    return values;
}

QString ReportChart::title() const { return view_->chart()->title(); }

QImage ReportChart::image(const QSize& size) const {
    if (!table_) return {};
    QGraphicsScene scene;
    QChart* chart = chartOf(*table_);
    scene.addItem(chart); // the scene owns it
    chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(size)));
    // Drawn at twice the pixels, so its text stays sharp when the printer enlarges it.
    constexpr int kSharpness = 2;
    QImage picture(size * kSharpness, QImage::Format_RGB32);
    picture.setDevicePixelRatio(kSharpness);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)), QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}

} // namespace orvane
