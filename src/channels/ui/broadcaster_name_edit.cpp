#include "channels/ui/broadcaster_name_edit.h"

#include <QValidator>

#include <algorithm>

namespace mireva::ui {
namespace {

class NoCommaValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return input.contains(QLatin1Char(',')) ? Invalid : Acceptable;
    }
};

}  // namespace

BroadcasterNameEdit::BroadcasterNameEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new NoCommaValidator(this));
    setMaxLength(kTypedLimit);
    // The limit follows a longer stored name down as it is shortened, never up again.
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { setMaxLength(std::max<int>(kTypedLimit, text.size())); });
}

void BroadcasterNameEdit::setName(const QString& name) {
    setMaxLength(std::max<int>(kTypedLimit, name.size()));
    setText(name);
}

}  // namespace mireva::ui
