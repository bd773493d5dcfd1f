// "バージョン情報": the program's icon, its name and version, and OK.
#pragma once

#include <QDialog>
#include <QIcon>

namespace mireva::ui {

// The program's icon (drawn, so it needs no image files).
QIcon applicationIcon();

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    static QString versionLine();  // "Mireva３, Version " and the version
};

}  // namespace mireva::ui
