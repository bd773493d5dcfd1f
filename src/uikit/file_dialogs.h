// The one way the program asks for a file or a folder. Tests replace the real
// dialogs with a handler that records each request and answers from a script.
#pragma once

#include <QString>

#include <functional>
#include <utility>

class QWidget;

namespace mireva::ui {

struct FileDialogRequest {
    enum class Kind { OpenFile, SaveFile, Folder };
    Kind kind = Kind::OpenFile;
    QString caption;
    QString filter;         // Qt filter text, e.g. "測定場所管理番号表 (*.csv *.CSV)"
    QString initial;        // initial file name or folder
    QString defaultSuffix;  // save dialogs: extension added when the user types none
};

class FileDialogs {
public:
    // Each returns the chosen path, or an empty text when the user cancelled.
    static QString openFile(QWidget* parent, const QString& caption, const QString& filter,
                            const QString& initial = {});
    static QString saveFile(QWidget* parent, const QString& caption, const QString& filter, const QString& initial = {},
                            const QString& defaultSuffix = {});
    static QString chooseFolder(QWidget* parent, const QString& caption = {}, const QString& initial = {});

    using Handler = std::function<QString(const FileDialogRequest&)>;
    static void setHandler(Handler handler) { handler_ = std::move(handler); }

private:
    static QString run(QWidget* parent, const FileDialogRequest& request);
    static inline Handler handler_;
};

}  // namespace mireva::ui
