#include "channels/ui/broadcaster_name_edit.h"

#include <QValidator>

namespace mireva::ui {

class BroadcasterNameEdit::Validator : public QValidator {
public:
    explicit Validator(BroadcasterNameEdit* edit) : QValidator(edit), edit_(edit) {}

    State validate(QString& input, int&) const override {
        if (input.contains(QLatin1Char(','))) return Invalid;
        if (input.size() > kTypedLimit && input.size() > edit_->acceptedLength_) return Invalid;
        return Acceptable;
    }

private:
    BroadcasterNameEdit* edit_;
};

BroadcasterNameEdit::BroadcasterNameEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new Validator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { acceptedLength_ = text.size(); });
}

void BroadcasterNameEdit::setName(const QString& name) {
    acceptedLength_ = name.size();
    setText(name);
}

}  // namespace mireva::ui
