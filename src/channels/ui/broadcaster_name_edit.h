// The edit for one channel's broadcaster name: the user can type at most 12
// characters and never a "," (it would split the name in a preset line). A longer
// name read from the settings file is shown whole and can be shortened, not grown.
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

private:
    class Validator;
    int acceptedLength_ = 0;  // length of the text as it stands before an edit
};

}  // namespace mireva::ui
