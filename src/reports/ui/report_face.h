// The face the report is printed, previewed and written to PDF in: the program's own
// copy of a Japanese Gothic whose ascent + descent is one em, with a character map
// that gives every glyph back as the character drawn (a searchable PDF text layer).
#pragma once

#include <QFont>
#include <QString>

namespace mireva::ui {

// Where the face lies for a program in `programDir`: the build folder's copy for a
// program started from its build folder, else <prefix>/share/mireva/fonts beside the
// installed program's bin folder.
QString reportFaceFile(const QString& programDir);

// The report face loaded once into the application; when its file is missing, the
// Noto Sans CJK JP or the application's UI face, with a warning on stderr.
QFont reportBaseFont();

}  // namespace mireva::ui
