// The program speaks Japanese whatever the desktop's locale: Qt's own texts (the
// buttons of message boxes, the print, page setup, file and folder dialogs, the print
// preview's toolbar) come from Qt's Japanese translation, and the reasons named in
// file error messages from the Japanese table of the core. Called once, after the
// application object and before the first window.
#pragma once

class QCoreApplication;
class QString;

namespace mireva::ui {

// False when Qt's Japanese translation could not be loaded (Qt's texts then stay
// English); the rest is set up in any case.
bool installJapaneseUi(QCoreApplication& app);

// Where Qt's Japanese translation is looked for: qtbase_ja.qm in Qt's translations
// folder.
QString qtJapaneseTranslationFile();

}  // namespace mireva::ui
