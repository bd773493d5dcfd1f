// Qt's own texts (the buttons of every message box, the print, page setup, file and
// folder dialogs, the print preview's toolbar) in Japanese, whatever the desktop's
// locale: the program speaks Japanese throughout.
#pragma once

class QCoreApplication;

namespace mireva::ui {

// Loads Qt's Japanese translations from Qt's translations folder and installs them in
// the application; call it before the first widget is made. False when the files are
// missing (Qt's texts then stay English).
bool installJapaneseQtTexts(QCoreApplication& app);

}  // namespace mireva::ui
