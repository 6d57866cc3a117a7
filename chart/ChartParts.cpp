#include "chart/ChartParts.h"

#include <QAbstractSeries>
#include <algorithm>

void PrepareChartView(QChartView* view) {
    view->setRenderHint(QPainter::Antialiasing);
    // Point markers reach outside a line's bounds: a partial update would
    // leave the markers of the chart shown before on screen.
    view->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    view->chart()->setAnimationOptions(QChart::NoAnimation);
    view->chart()->setMargins(QMargins(4, 4, 4, 4));
    view->chart()->setBackgroundRoundness(0);
}

void ClearChart(QChart* chart) {
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

QCategoryAxis* PointAxis(const QStringList& labels, int maxLabels) {
    auto* axis = new QCategoryAxis;
    axis->setRange(-0.5, static_cast<double>(labels.size()) - 0.5);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setStartValue(-0.5);
    const int step =
        std::max<int>(1, static_cast<int>((labels.size() + maxLabels - 1) / maxLabels));
    for (int i = 0; i < labels.size(); i += step) axis->append(labels[i], i);
    return axis;
}

void AttachAxes(QChart* chart, QAbstractAxis* xAxis, QAbstractAxis* yAxis) {
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
}
