// The main panel: the worksheet grid with its ten band tabs, the three operation pages
// under their tabs, and the buttons close, print, preview, Excel and reset anchored to
// the bottom-right corner. It also carries out the reading run that the view asks for.
#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <utility>

#include "core/app_session.h"
#include "core/channel_catalog.h"
#include "standards/judgement.h"

class QPushButton;
class QTabBar;
class QTabWidget;

namespace mireva::ui {

class LevelChartFeed;
class OffsetPage;
class OtherPage;
class RowPage;
class WorksheetGrid;
class WorksheetGridModel;
class WorksheetUndo;

class MainPanel : public QWidget {
    Q_OBJECT
public:
    MainPanel(AppSession& session, QWidget* parent = nullptr);
    ~MainPanel() override;

    AppSession& session() const { return session_; }

    // Set by the view before RunReading(): false for a reading run, true for a reset.
    void setResetRequest(bool reset) { resetRequest_ = reset; }
    bool resetRequest() const { return resetRequest_; }
    void setLocationTablePath(const QString& path) { locationTablePath_ = path; }
    void setDataFolderPath(const QString& path) { dataFolderPath_ = path; }
    QString locationTablePath() const { return locationTablePath_; }
    QString dataFolderPath() const { return dataFolderPath_; }

    // The reading run, or the reset when the reset request is set.
    void runReading();
    // Rebuilds the grid from the worksheet for the current band tab.
    void fillGrid();
    // fillGrid(), then the judgement: the below-standard rows and flag.
    void refreshGrid();

    bool belowStandardFlag() const { return judgement_.belowStandardFlag; }
    void setBelowStandardFlag(bool set) { judgement_.belowStandardFlag = set; }
    // The last judgement: the grid rows of the level rows of places with a level at or
    // below standard (in place order), the flag and the details for the judgement
    // dialog. After changing the rows call applyBelowStandardRows().
    JudgementResult& judgement() { return judgement_; }
    std::vector<int>& belowStandardRows() { return judgement_.belowStandardRows; }
    void applyBelowStandardRows();

    // The level chart window of the current row's place, opened in front ("グラフ").
    void showLevelChart();
    LevelChartFeed* levelChart() const { return levelChart_; }

    // The judgement dialog, modal (shown by the view).
    void showJudgementDialog();
    // Replaces the dialog (tests); an empty hook restores it.
    using JudgementDialogHook = std::function<void(MainPanel&)>;
    static void setJudgementDialogHook(JudgementDialogHook hook) { judgementDialogHook_ = std::move(hook); }

    int currentBandTab() const { return currentBandTab_; }
    void selectBandTab(int tab);
    int currentOperationTab() const;
    void selectOperationTab(int tab);

    WorksheetGrid* grid() const { return grid_; }
    WorksheetGridModel* gridModel() const { return model_; }
    QTabBar* bandTabs() const { return bandTabs_; }
    QTabWidget* operationTabs() const { return operationTabs_; }
    OffsetPage* offsetPage() const { return offsetPage_; }
    RowPage* rowPage() const { return rowPage_; }
    OtherPage* otherPage() const { return otherPage_; }
    QPushButton* closeButton() const { return close_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* previewButton() const { return preview_; }
    QPushButton* excelButton() const { return excel_; }
    QPushButton* resetButton() const { return reset_; }
    // Undo and redo of the worksheet edits.
    WorksheetUndo* worksheetUndo() const { return undo_; }

    // Places the controls for the panel's current size.
    void layoutControls();
    // The smallest size at which every bottom control lies inside the panel and the
    // grid shows at least kMinimumGridRows rows (the view grows the frame to it).
    QSize minimumUsableSize() const;
    static constexpr int kMinimumGridRows = 10;

signals:
    // Requests of the operation pages, one per button.
    void offsetMinusTenth();
    void offsetMinusOne();
    void offsetMinusTen();
    void offsetPlusTenth();
    void offsetPlusOne();
    void offsetPlusTen();
    void offsetTyped();
    void movePlacesUp();
    void movePlacesDown();
    void roundLevels();
    void writeCsv();
    void movePlacesTo();
    void deletePlaces();

    // Requests to the view.
    void closeWorksheet();
    void printReport();
    void previewReport();
    void resetWorksheet();  // sent only after the user confirmed
    void exportExcel();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void readingRun();
    void judge();
    void askReset();

    AppSession& session_;
    std::array<unsigned char, kChannelCount> channelWanted_{};
    int currentBandTab_ = 0;
    bool resetRequest_ = false;
    QString dataFolderPath_;
    QString locationTablePath_;
    JudgementResult judgement_;
    WorksheetDocument levelLines_;  // the judgement's view of the worksheet, reused

    QTabBar* bandTabs_ = nullptr;
    WorksheetGridModel* model_ = nullptr;
    WorksheetGrid* grid_ = nullptr;
    QTabWidget* operationTabs_ = nullptr;
    OffsetPage* offsetPage_ = nullptr;
    RowPage* rowPage_ = nullptr;
    OtherPage* otherPage_ = nullptr;
    LevelChartFeed* levelChart_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* preview_ = nullptr;
    QPushButton* excel_ = nullptr;
    QPushButton* reset_ = nullptr;
    WorksheetUndo* undo_ = nullptr;
    static inline JudgementDialogHook judgementDialogHook_;
};

}  // namespace mireva::ui
