#pragma once
// Paths in the browse lists are the platform's bytes (UTF-8); Qt shows them
// decoded. Folders always end in '/'.
#include <QFile>
#include <QString>
#include <string>

namespace browse {

inline QString to_qt(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}
inline std::string to_bytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// The folder with exactly one trailing '/'; "" stays "".
inline std::string with_slash(std::string folder) {
  if (folder.empty()) return folder;
  while (folder.size() > 1 && folder.back() == '/' && folder[folder.size() - 2] == '/')
    folder.pop_back();
  if (folder.back() != '/') folder.push_back('/');
  return folder;
}

}  // namespace browse
