#include "uikit/cp932_field_validator.h"

#include <algorithm>

#include "uikit/qt_text.h"

namespace mireva::ui {

bool Cp932FieldValidator::holds(const QString& text) {
    // The conversion writes "?" for every character it cannot hold.
    const std::string bytes = toSj(text).bytes;
    return std::count(bytes.begin(), bytes.end(), '?') == text.count(u'?');
}

QValidator::State Cp932FieldValidator::validate(QString& input, int&) const {
    if (input.contains(u',') || input.contains(u'\r') || input.contains(u'\n')) return Invalid;
    if (!holds(input)) return Invalid;
    const QString saved = fromSj(toSj(input));
    // Code page 932 maps one character to one, so the cursor keeps its place.
    if (saved != input && saved.size() == input.size()) input = saved;
    return Acceptable;
}

}  // namespace mireva::ui
