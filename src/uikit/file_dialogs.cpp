#include "uikit/file_dialogs.h"

#include <QFileDialog>

namespace mireva::ui {

QString FileDialogs::openFile(QWidget* parent, const QString& caption, const QString& filter, const QString& initial) {
    return run(parent, {FileDialogRequest::Kind::OpenFile, caption, filter, initial, {}});
}

QString FileDialogs::saveFile(QWidget* parent, const QString& caption, const QString& filter, const QString& initial,
                              const QString& defaultSuffix) {
    return run(parent, {FileDialogRequest::Kind::SaveFile, caption, filter, initial, defaultSuffix});
}

QString FileDialogs::chooseFolder(QWidget* parent, const QString& caption, const QString& initial) {
    return run(parent, {FileDialogRequest::Kind::Folder, caption, {}, initial, {}});
}

QString FileDialogs::run(QWidget* parent, const FileDialogRequest& request) {
    if (handler_) return handler_(request);
    QFileDialog dialog(parent, request.caption, request.initial, request.filter);
    switch (request.kind) {
        case FileDialogRequest::Kind::OpenFile:
            dialog.setFileMode(QFileDialog::ExistingFile);
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            break;
        case FileDialogRequest::Kind::SaveFile:
            dialog.setFileMode(QFileDialog::AnyFile);
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            // The program asks its own overwrite questions.
            dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
            if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
            break;
        case FileDialogRequest::Kind::Folder:
            dialog.setFileMode(QFileDialog::Directory);
            dialog.setOption(QFileDialog::ShowDirsOnly, true);
            break;
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace mireva::ui
