// What a text field of the system's files can hold, for every edit whose text is saved
// into one: no comma (it would split the field), no line break (it would split the
// line), and only characters code page 932 has, since any other would be saved as "?".
// What the edit shows is then what is saved.
#pragma once

#include <QValidator>

namespace mireva::ui {

class Cp932FieldValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

}  // namespace mireva::ui
