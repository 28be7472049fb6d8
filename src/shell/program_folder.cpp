#include "shell/program_folder.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
constexpr const char* kHelpPage = "help.htm";

std::string installed_share_folder(const std::string& exe_folder) {
  const QString share = QFile::decodeName(with_trailing_separator(exe_folder).c_str()) +
                        QStringLiteral("../share/davrin-audio-player");
  return with_trailing_separator(QFile::encodeName(QDir::cleanPath(share)).toStdString());
}

bool has_help_page(const std::string& folder) {
  return QFileInfo(QFile::decodeName((folder + kHelpPage).c_str())).isFile();
}
}  // namespace

std::string with_trailing_separator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string executable_folder() {
  return with_trailing_separator(
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
}

bool is_installed_copy(const std::string& exe_folder) {
  return !has_help_page(with_trailing_separator(exe_folder)) &&
         has_help_page(installed_share_folder(exe_folder));
}

std::string help_folder(const std::string& exe_folder) {
  // Without a help page anywhere, Help asks for the one beside the program and
  // reports that it cannot be opened.
  return is_installed_copy(exe_folder) ? installed_share_folder(exe_folder)
                                       : with_trailing_separator(exe_folder);
}

std::string choose_playlist_folder(const std::string& exe_folder) {
  // An installed copy never writes beside the program, even for a user who could.
  if (!is_installed_copy(exe_folder) && access(exe_folder.c_str(), W_OK) == 0)
    return with_trailing_separator(exe_folder);
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(data);
  return with_trailing_separator(QFile::encodeName(data).toStdString());
}
