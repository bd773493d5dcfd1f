// Conversion between the core's code page 932 texts and Qt's UTF-16 strings: the one
// place where the system's texts cross into the user interface.
#pragma once

#include <QString>

#include <string>

#include "core/cp932.h"

namespace mireva::ui {

inline QString fromSj(SjView cp932) {
    std::string utf8 = fromCp932(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline Sj toSj(const QString& text) { return toCp932(text.toStdString()); }

}  // namespace mireva::ui
