#pragma once

#include <QChartView>

#include "RunProgress.h"

class QCategoryAxis;
class QLineSeries;
class QValueAxis;

namespace talvo {

// The live chart of an optimisation: per generation the best TWD so far and the TWD of
// the generation's best plan, against the generation counted across the searches (FGFC,
// then VGFC, then VGVC), each search named above its generations. The generation's worst
// plan is left out: often ten times the best, it would flatten the lines that matter.
class SearchChart : public QChartView {
    Q_OBJECT

  public:
    explicit SearchChart(QWidget* parent = nullptr);

    // The searches the run has and the most generations of each: the first width of the
    // generation axis.
    void plan(int searches, int generationsPerSearch);
    void add(const GenerationFigures& figures);
    // The run has ended: the generation axis ends at the last generation.
    void finish();

    int pointCount() const;

  private:
    void fitAxes();

    QLineSeries* best_ = nullptr;
    QLineSeries* generationMin_ = nullptr;
    QValueAxis* generationAxis_ = nullptr;
    QValueAxis* twdAxis_ = nullptr;
    QCategoryAxis* searchAxis_ = nullptr;
    int searches_ = 1;
    int generationsPerSearch_ = 1;
    int stage_ = -1;
    int stageStart_ = 0;  // points before the current search
    bool finished_ = false;
    QString stageName_;
    double low_ = 0;
    double high_ = 0;
};

}  // namespace talvo
