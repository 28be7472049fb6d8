#include "shell/program_folder.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

std::string with_trailing_separator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string executable_folder() {
  return with_trailing_separator(
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
}

std::string choose_playlist_folder(const std::string& exe_folder) {
  if (access(exe_folder.c_str(), W_OK) == 0) return with_trailing_separator(exe_folder);
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(data);
  return with_trailing_separator(QFile::encodeName(data).toStdString());
}
