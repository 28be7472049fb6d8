#include "info/qt_launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <utility>

#include "info/volume_controls.h"

QtLauncher::QtLauncher()
    : QtLauncher([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

QtLauncher::QtLauncher(UrlOpener opener) : opener_(std::move(opener)) {}

bool QtLauncher::open(const std::string& target) {
  if (target.empty()) return false;
  const QString text = QString::fromStdString(target);
  // A page that is not there would only bring up an error in the browser.
  if (text.startsWith('/')) {
    if (!QFileInfo(text).isFile()) return false;
    return opener_(QUrl::fromLocalFile(text));
  }
  const QUrl url(text);
  if (!url.isValid()) return false;
  if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isFile()) return false;
  return opener_(url);
}

bool QtLauncher::open_volume_control() {
  const std::string desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP").toStdString();
  for (const VolumeControl& control : volume_controls_for(desktop)) {
    const QString program = QStandardPaths::findExecutable(QString::fromStdString(control.program));
    if (program.isEmpty()) continue;
    QStringList arguments;
    for (const std::string& a : control.arguments) arguments << QString::fromStdString(a);
    if (QProcess::startDetached(program, arguments)) return true;
  }
  return false;
}
