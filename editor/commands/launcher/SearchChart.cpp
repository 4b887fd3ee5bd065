#include "SearchChart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>

namespace talvo {

namespace {

constexpr const char* kVariants[] = {"FGFC", "VGFC", "VGVC"};

QLineSeries* AddSeries(QChart* chart, const QString& name, const QColor& colour, qreal width) {
    auto* series = new QLineSeries(chart);
    series->setName(name);
    series->setPen(QPen(colour, width));
    chart->addSeries(series);
    return series;
}

}  // namespace

SearchChart::SearchChart(QWidget* parent) : QChartView(parent) {
    setObjectName("chtSearch");
    setRenderHint(QPainter::Antialiasing);
    auto* chart = new QChart();
    setChart(chart);  // the view owns the chart, the chart its series and axes
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);

    generationMin_ = AddSeries(chart, "Generation's best plan", QColor(70, 130, 200), 1.5);
    best_ = AddSeries(chart, "Best plan so far", QColor(200, 60, 30), 2.5);

    generationAxis_ = new QValueAxis(chart);
    generationAxis_->setTitleText("Generation");
    generationAxis_->setLabelFormat("%d");
    twdAxis_ = new QValueAxis(chart);
    twdAxis_->setTitleText("Total weighted delay (veh-s)");
    twdAxis_->setLabelFormat("%.0f");
    searchAxis_ = new QCategoryAxis(chart);
    searchAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    searchAxis_->setGridLineVisible(true);
    chart->addAxis(generationAxis_, Qt::AlignBottom);
    chart->addAxis(searchAxis_, Qt::AlignTop);
    chart->addAxis(twdAxis_, Qt::AlignLeft);
    for (QLineSeries* series : {generationMin_, best_}) {
        series->attachAxis(generationAxis_);
        series->attachAxis(searchAxis_);
        series->attachAxis(twdAxis_);
    }
    plan(1, 1);
}

void SearchChart::plan(int searches, int generationsPerSearch) {
    searches_ = std::max(1, searches);
    generationsPerSearch_ = std::max(1, generationsPerSearch);
    fitAxes();
}

void SearchChart::add(const GenerationFigures& figures) {
    const int x = pointCount() + 1;
    if (figures.stage != stage_) {
        if (stage_ >= 0) {
            // The search that ended takes the generations it ran.
            searchAxis_->remove(stageName_);
            searchAxis_->append(stageName_, x - 1);
        }
        stage_ = figures.stage;
        stageStart_ = x - 1;
        stageName_ = kVariants[std::clamp(stage_, 0, 2)];
        searchAxis_->append(stageName_, stageStart_ + generationsPerSearch_);
    }
    generationMin_->append(x, figures.minTwd);
    best_->append(x, figures.bestTwd);
    const double low = std::min(figures.bestTwd, figures.minTwd);
    const double high = std::max(figures.bestTwd, figures.minTwd);
    low_ = x == 1 ? low : std::min(low_, low);
    high_ = x == 1 ? high : std::max(high_, high);
    fitAxes();
}

void SearchChart::finish() {
    finished_ = true;
    if (stage_ >= 0) {
        searchAxis_->remove(stageName_);
        searchAxis_->append(stageName_, pointCount());
    }
    fitAxes();
}

int SearchChart::pointCount() const {
    return static_cast<int>(best_->count());
}

void SearchChart::fitAxes() {
    // Room for the searches still to come, so that the lines grow to the right.
    const int searchesLeft = searches_ - std::max(stage_, 0);
    const int planned = stageStart_ + searchesLeft * generationsPerSearch_;
    const int width = finished_ ? pointCount() : std::max(pointCount(), planned);
    generationAxis_->setRange(0, std::max(width, 1));
    // Whole generations at a round step, at most about ten labels.
    int step = 1;
    for (int decade = 1; width / step > 10; decade *= 10) {
        for (const int factor : {1, 2, 5}) {
            step = factor * decade;
            if (width / step <= 10) {
                break;
            }
        }
    }
    generationAxis_->setTickType(QValueAxis::TicksDynamic);
    generationAxis_->setTickAnchor(0);
    generationAxis_->setTickInterval(step);
    searchAxis_->setRange(0, std::max(width, 1));
    searchAxis_->setStartValue(0);
    if (pointCount() == 0) {
        twdAxis_->setRange(0, 1);
        return;
    }
    const double margin = std::max((high_ - low_) * 0.05, 1.0);
    twdAxis_->setRange(std::max(0.0, low_ - margin), high_ + margin);
    twdAxis_->applyNiceNumbers();
}

}  // namespace talvo
