// The worksheet operations behind the main panel's operation pages: each request of
// a page button is carried out on the worksheet file by the panel core, then its
// messages are shown, the grid is filled again and the selection restored.
#pragma once

#include <QObject>
#include <QString>

#include <vector>

#include "panel/level_offsets.h"
#include "panel/panel_messages.h"
#include "panel/worksheet_edits.h"

namespace mireva::ui {

class MainPanel;

class PanelOperations : public QObject {
    Q_OBJECT
public:
    // Connects the panel's page requests; lives as long as the panel.
    explicit PanelOperations(MainPanel* panel);

    // The requests, as the page buttons send them.
    void offsetBy(const char* valueText, OffsetSign sign);
    void offsetTyped();
    void moveUp() { move(MoveDirection::Up); }
    void moveDown() { move(MoveDirection::Down); }
    void moveTo();
    void deleteSelected();
    void roundLevels();
    void writeCsv();

private:
    WorksheetFiles files() const;
    std::vector<int> selectedRows() const;
    void selectRows(const std::vector<int>& rows);
    void show(const PanelMessages& messages);
    void offset(const std::string& valueText, OffsetSign sign);
    void move(MoveDirection direction);
    // After a row operation: the grid refilled from the file, and on success the
    // operation's selection and below-standard rows.
    void finishRowOperation(const EditOutcome& outcome, const GridState& state);
    // Fills or refreshes the grid keeping its scroll position.
    void refill(bool judge);

    MainPanel* panel_;
};

}  // namespace mireva::ui
