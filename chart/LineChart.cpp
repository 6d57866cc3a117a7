// The chart module's line chart: named lines over labelled points.
#include "chart/LineChart.h"
#include "chart/ChartParts.h"

#include <QLegend>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

class LineChartView : public QChartView {
public:
    explicit LineChartView(QWidget* parent) : QChartView(new QChart, parent) {
        PrepareChartView(this);
        chart()->legend()->setAlignment(Qt::AlignRight);
    }

    void show(const QStringList& points, const std::vector<ChartLine>& lines, const QString& yTitle,
              const QString& emptyNote, bool logScale) {
        QChart* c = chart();
        ClearChart(c);
        if (lines.empty() || points.isEmpty()) {
            c->setTitle(emptyNote);
            c->legend()->hide();
            return;
        }
        c->setTitle(QString());
        c->legend()->show();

        double low = INFINITY, high = -INFINITY;
        for (const ChartLine& line : lines) {
            auto* series = new QLineSeries;
            series->setName(line.name);
            series->setPointsVisible(true);
            series->setMarkerSize(6);
            // A gap splits nothing in a QLineSeries: the line joins the points it has.
            for (size_t i = 0; i < line.values.size(); ++i) {
                if (std::isnan(line.values[i]) || (logScale && line.values[i] <= 0)) continue;
                series->append(static_cast<double>(i), line.values[i]);
                low = std::min(low, line.values[i]);
                high = std::max(high, line.values[i]);
            }
            c->addSeries(series);
        }
        if (!std::isfinite(low)) low = high = 0;

        QCategoryAxis* xAxis = PointAxis(points, 10);
        if (logScale && low > 0) {
            // Whole powers of ten around the values, a grid line at each.
            auto* yAxis = new QLogValueAxis;
            yAxis->setBase(10);
            yAxis->setLabelFormat(QStringLiteral("%g"));
            yAxis->setMinorTickCount(8);
            yAxis->setRange(std::pow(10.0, std::floor(std::log10(low))),
                            std::pow(10.0, std::ceil(std::log10(high * 1.0001))));
            yAxis->setTitleText(yTitle);
            AttachAxes(c, xAxis, yAxis);
            return;
        }
        auto* yAxis = new QValueAxis;
        const double span = std::max(1.0, high - low);
        yAxis->setRange(std::max(0.0, low - span * 0.08), high + span * 0.08);
        yAxis->applyNiceNumbers();
        yAxis->setTitleText(yTitle);
        AttachAxes(c, xAxis, yAxis);
    }
};

}  // namespace

extern "C" Q_DECL_EXPORT QWidget* zemMakeLineChart(QWidget* parent, const QString& objectName) {
    auto* view = new LineChartView(parent);
    view->setObjectName(objectName);
    return view;
}

extern "C" Q_DECL_EXPORT void zemShowLines(QWidget* chart, const QStringList& points,
                                           const std::vector<ChartLine>& lines,
                                           const QString& yTitle, const QString& emptyNote,
                                           bool logScale) {
    if (auto* view = dynamic_cast<LineChartView*>(chart))
        view->show(points, lines, yTitle, emptyNote, logScale);
}
