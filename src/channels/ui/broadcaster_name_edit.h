// The edit for one channel's broadcaster name: the user can type or paste at most 12
// characters (a longer paste is cut), never a "," (it would split the name in a
// preset line) and only characters code page 932 holds (the settings file, the
// presets, the grid headers and the outputs keep the name in it). A longer name read
// from the settings file is shown whole and can be shortened, not grown.
#pragma once

#include <QLineEdit>

namespace mireva::ui {

class BroadcasterNameEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit BroadcasterNameEdit(QWidget* parent = nullptr);

    // Shows a stored name as it is, however long.
    void setName(const QString& name);

    static constexpr int kTypedLimit = 12;
};

}  // namespace mireva::ui
