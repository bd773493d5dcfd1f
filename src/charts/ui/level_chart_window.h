// The window of the level chart: the chart of the place and band tab the main panel
// hands it, "画像を保存" (PNG or SVG), "印刷" and "閉じる". It stays open beside
// the panel while the user works on, and shows whatever model it is given last.
#pragma once

#include <QWidget>

#include <functional>
#include <utility>

#include "charts/level_chart_model.h"

class QPrintDialog;
class QPushButton;
class QScrollArea;

namespace mireva::ui {

class LevelChartView;

class LevelChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit LevelChartWindow(QWidget* parent = nullptr);

    void setModel(LevelChartModel model);
    const LevelChartModel& model() const;

    LevelChartView* view() const { return view_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* closeButton() const { return close_; }

    // "画像を保存": asks for a file and writes the chart as PNG or SVG by its extension.
    void saveImage();
    // "印刷": the print dialog, then the chart on one landscape page.
    void printChart();

    // Tests replace the print dialog: the hook gets it instead of its exec() and
    // returns whether it was accepted. An empty hook restores the dialog.
    using PrintDialogHook = std::function<bool(QPrintDialog&)>;
    static void setPrintDialogHook(PrintDialogHook hook) { printDialogHook_ = std::move(hook); }

signals:
    // Shown again after it was hidden: the owner hands it the current chart.
    void shown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    LevelChartView* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* close_ = nullptr;
    static inline PrintDialogHook printDialogHook_;
};

}  // namespace mireva::ui
