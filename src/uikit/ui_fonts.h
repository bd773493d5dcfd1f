// The face for texts that mix Japanese with figures and Latin letters. With the
// desktop's default face the Japanese characters come from a fallback face, and so
// do the figures and letters next to them, so lines of the same kind are drawn in
// two different faces; one face with all of them draws every line alike.
#pragma once

#include <QFont>
#include <QStringList>

namespace mireva::ui {

inline QFont withJapaneseFace(QFont font) {
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAexGothic")});
    return font;
}

}  // namespace mireva::ui
