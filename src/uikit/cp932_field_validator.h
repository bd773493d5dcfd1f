// What a text field kept in one of the system's code page 932 files (the settings
// file, the presets, the location table) can hold: only characters code page 932 has,
// since any other would be saved as "?", and no comma or line break, which would split
// the field or the line. A character that code page 932 keeps only in another form
// ("−" becomes "－", "〜" becomes "～") is shown at once in the form it is saved in,
// so what the field shows is what is saved. One validator for every such field.
#pragma once

#include <QValidator>

namespace mireva::ui {

class Cp932FieldValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;

    // Whether code page 932 holds every character of the text.
    static bool holds(const QString& text);
};

}  // namespace mireva::ui
