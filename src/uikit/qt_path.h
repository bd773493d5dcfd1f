// Conversion between the paths the user sees or picks (QString) and the paths the core
// opens (std::filesystem::path): the file system's own encoding both ways, so a folder
// name the desktop shows is the folder the core reads.
#pragma once

#include <QFile>
#include <QString>

#include <filesystem>

namespace mireva::ui {

inline std::filesystem::path toPath(const QString& text) {
    return std::filesystem::path(QFile::encodeName(text).toStdString());
}

inline QString pathText(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

}  // namespace mireva::ui
