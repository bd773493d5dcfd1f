#include "uikit/cp932_field_validator.h"

#include <algorithm>
#include <string>

#include "uikit/qt_text.h"

namespace mireva::ui {

QValidator::State Cp932FieldValidator::validate(QString& input, int&) const {
    if (input.contains(u',') || input.contains(u'\r') || input.contains(u'\n')) return Invalid;
    // A character code page 932 lacks comes back as "?"; no trail byte of the code page
    // is a "?", so any "?" more than the input holds is such a character.
    const std::string bytes = toSj(input);
    if (std::count(bytes.begin(), bytes.end(), '?') != input.count(u'?')) return Invalid;
    return Acceptable;
}

}  // namespace mireva::ui
