#include "shell/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace {
// Backslash and line breaks are escapes in every text value of a desktop entry.
QString escape_text(QString value) {
  return value.replace('\\', QStringLiteral("\\\\")).replace('\n', QStringLiteral("\\n"));
}
}  // namespace

QString autostart_entry_path() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/autostart/davrin-audio-player.desktop");
}

QString desktop_exec_value(const QString& exe_path) {
  QString arg = exe_path;
  arg.replace('%', QStringLiteral("%%"));  // '%' starts a field code
  static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
  if (std::none_of(arg.begin(), arg.end(), [](QChar c) { return reserved.contains(c); }))
    return arg;
  QString quoted = QStringLiteral("\"");
  for (QChar c : arg) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

bool write_autostart_entry(const QString& exe_path) {
  const QString path = autostart_entry_path();
  if (!QDir().mkpath(QFileInfo(path).path())) return false;
  // TryExec lets the session skip the entry once the program is gone.
  const QString text = QStringLiteral(
                           "[Desktop Entry]\n"
                           "Type=Application\n"
                           "Name=Davrin Audio Player\n"
                           "Comment=Plays your music play lists from the notification area\n"
                           "TryExec=%1\n"
                           "Exec=%2\n"
                           "Icon=davrin-audio-player\n"
                           "StartupNotify=false\n")
                           .arg(escape_text(exe_path), escape_text(desktop_exec_value(exe_path)));
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(text.toUtf8());
  return file.commit();
}

bool remove_autostart_entry() {
  const QString path = autostart_entry_path();
  return QFile::remove(path) || !QFileInfo::exists(path);
}
