#include "channels/ui/broadcaster_name_edit.h"

#include <algorithm>

#include "app/cp932_field_validator.h"

namespace mireva::ui {

BroadcasterNameEdit::BroadcasterNameEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new Cp932FieldValidator(this));
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
