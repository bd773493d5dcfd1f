// The widget that shows one level chart at its own size.
#pragma once

#include <QWidget>

#include "charts/level_chart_model.h"

namespace mireva::ui {

class LevelChartView : public QWidget {
    Q_OBJECT
public:
    explicit LevelChartView(QWidget* parent = nullptr);

    void setModel(LevelChartModel model);
    const LevelChartModel& model() const { return model_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LevelChartModel model_;
};

}  // namespace mireva::ui
