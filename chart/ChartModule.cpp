// The chart module: the balance chart, the bar chart and the calibration
// chart drawn with Qt Charts.
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "chart/ChartModule.h"
#include "chart/ChartParts.h"

namespace {

class BalanceChartView : public QChartView {
public:
    explicit BalanceChartView(QWidget* parent) : QChartView(new QChart, parent) {
        PrepareChartView(this);
        chart()->legend()->hide();
    }

    void show(const std::vector<BalancePoint>& points, const QString& emptyNote) {
        QChart* c = chart();
        ClearChart(c);
        if (points.empty()) {
            c->setTitle(emptyNote);
            return;
        }
        c->setTitle(QString());

        auto* zero = new QLineSeries;
        zero->setPen(QPen(QColor(128, 128, 128), 1, Qt::DashLine));
        zero->append(-0.5, 0);
        zero->append(static_cast<double>(points.size()) - 0.5, 0);

        // One series: the line with its points, those below zero in red.
        auto* line = new QLineSeries;
        line->setPen(QPen(QColor(0, 90, 200), 2));
        line->setPointsVisible(true);
        line->setMarkerSize(6);

        QStringList labels;
        qint64 low = 0, high = 0;
        for (size_t i = 0; i < points.size(); ++i) {
            const double x = static_cast<double>(i);
            const double y = static_cast<double>(points[i].balance);
            line->append(x, y);
            if (points[i].balance < 0) {
                line->setPointConfiguration(
                    static_cast<int>(i), QXYSeries::PointConfiguration::Color, QColor(220, 0, 0));
            }
            labels << points[i].label;
            low = std::min(low, points[i].balance);
            high = std::max(high, points[i].balance);
        }
        c->addSeries(zero);
        c->addSeries(line);

        // The races along the bottom, at most 8 named.
        QCategoryAxis* xAxis = PointAxis(labels, 8);
        xAxis->setGridLineVisible(false);
        // Amounts with thousands separators ("-12,500"): the nice range and
        // ticks of a value axis, labelled by a category axis at each tick.
        QValueAxis nice;
        const double span = std::max<double>(100.0, static_cast<double>(high - low));
        nice.setRange(static_cast<double>(low) - span * 0.08,
                      static_cast<double>(high) + span * 0.08);
        nice.applyNiceNumbers();
        auto* yAxis = new QCategoryAxis;
        yAxis->setRange(nice.min(), nice.max());
        yAxis->setStartValue(nice.min());
        yAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        const QLocale locale(QLocale::Japanese, QLocale::Japan);
        const int ticks = std::max(2, nice.tickCount());
        for (int i = 0; i < ticks; ++i) {
            const double value = nice.min() + (nice.max() - nice.min()) * i / (ticks - 1);
            yAxis->append(locale.toString(static_cast<qint64>(std::llround(value))), value);
        }
        yAxis->setTitleText(QStringLiteral("収支（円）"));
        AttachAxes(c, xAxis, yAxis);
    }
};

class BarChartView : public QChartView {
public:
    explicit BarChartView(QWidget* parent) : QChartView(new QChart, parent) {
        PrepareChartView(this);
        chart()->legend()->setAlignment(Qt::AlignTop);
    }

    void show(const QStringList& categories, const std::vector<BarSet>& sets,
              const QString& valueTitle) {
        QChart* c = chart();
        ClearChart(c);
        auto* series = new QBarSeries;
        double high = 0;
        for (const BarSet& set : sets) {
            auto* bars = new QBarSet(set.name);
            bars->setColor(set.colour);
            bars->setBorderColor(set.colour);
            for (double value : set.values) {
                bars->append(value);
                high = std::max(high, value);
            }
            series->append(bars);
        }
        c->addSeries(series);
        auto* xAxis = new QBarCategoryAxis;
        xAxis->append(categories);
        // Numbers whole and a little smaller, so that "18" keeps its place in a
        // narrow last group (a label that would cross the axis's end is hidden).
        xAxis->setTruncateLabels(false);
        QFont labels = xAxis->labelsFont();
        labels.setPointSizeF(labels.pointSizeF() * 0.85);
        xAxis->setLabelsFont(labels);
        auto* yAxis = new QValueAxis;
        yAxis->setRange(0, std::max(1.0, high * 1.1));
        yAxis->applyNiceNumbers();
        yAxis->setLabelFormat(QStringLiteral("%.0f"));
        yAxis->setTitleText(valueTitle);
        c->addAxis(xAxis, Qt::AlignBottom);
        c->addAxis(yAxis, Qt::AlignLeft);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
};

class CalibrationChartView : public QChartView {
public:
    explicit CalibrationChartView(QWidget* parent) : QChartView(new QChart, parent) {
        PrepareChartView(this);
        chart()->legend()->setAlignment(Qt::AlignTop);
    }

    void show(const std::vector<CalibrationPoint>& points, const QString& emptyNote) {
        QChart* c = chart();
        ClearChart(c);
        c->setTitle(points.empty() ? emptyNote : QString());
        double high = 10;
        for (const CalibrationPoint& p : points) high = std::max({high, p.predicted, p.actual});
        auto* xAxis = new QValueAxis;
        xAxis->setRange(0, high * 1.05);
        xAxis->applyNiceNumbers();
        xAxis->setLabelFormat(QStringLiteral("%.0f"));
        xAxis->setTitleText(QStringLiteral("予測勝率（％）"));
        auto* yAxis = new QValueAxis;
        yAxis->setRange(0, xAxis->max());
        yAxis->applyNiceNumbers();
        yAxis->setLabelFormat(QStringLiteral("%.0f"));
        yAxis->setTitleText(QStringLiteral("実際の勝率（％）"));

        auto* diagonal = new QLineSeries;
        diagonal->setName(QStringLiteral("予測どおり"));
        diagonal->setPen(QPen(QColor(128, 128, 128), 1, Qt::DashLine));
        diagonal->append(0, 0);
        diagonal->append(xAxis->max(), xAxis->max());
        auto* line = new QLineSeries;
        line->setName(QStringLiteral("実際"));
        line->setPen(QPen(QColor(0, 90, 200), 2));
        auto* dots = new QScatterSeries;
        dots->setColor(QColor(0, 90, 200));
        dots->setBorderColor(QColor(0, 90, 200));
        dots->setMarkerSize(8);
        for (const CalibrationPoint& p : points) {
            line->append(p.predicted, p.actual);
            dots->append(p.predicted, p.actual);
        }
        c->addSeries(diagonal);
        c->addSeries(line);
        c->addSeries(dots);
        AttachAxes(c, xAxis, yAxis);
        c->legend()->markers(dots).first()->setVisible(false);
    }
};

}  // namespace

extern "C" Q_DECL_EXPORT QWidget* zemMakeBarChart(QWidget* parent, const QString& objectName) {
    auto* view = new BarChartView(parent);
    view->setObjectName(objectName);
    return view;
}

extern "C" Q_DECL_EXPORT void zemShowBars(QWidget* chart, const QStringList& categories,
                                          const std::vector<BarSet>& sets,
                                          const QString& valueTitle) {
    if (auto* view = dynamic_cast<BarChartView*>(chart)) view->show(categories, sets, valueTitle);
}

extern "C" Q_DECL_EXPORT QWidget* zemMakeBalanceChart(QWidget* parent, const QString& objectName) {
    auto* view = new BalanceChartView(parent);
    view->setObjectName(objectName);
    return view;
}

extern "C" Q_DECL_EXPORT void zemShowBalance(QWidget* chart,
                                             const std::vector<BalancePoint>& points,
                                             const QString& emptyNote) {
    if (auto* view = dynamic_cast<BalanceChartView*>(chart)) view->show(points, emptyNote);
}

extern "C" Q_DECL_EXPORT QWidget* zemMakeCalibrationChart(QWidget* parent,
                                                          const QString& objectName) {
    auto* view = new CalibrationChartView(parent);
    view->setObjectName(objectName);
    return view;
}

extern "C" Q_DECL_EXPORT void zemShowCalibration(QWidget* chart,
                                                 const std::vector<CalibrationPoint>& points,
                                                 const QString& emptyNote) {
    if (auto* view = dynamic_cast<CalibrationChartView*>(chart)) view->show(points, emptyNote);
}
