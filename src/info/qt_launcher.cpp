#include "info/qt_launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QUrl>
#include <utility>

namespace {
// Mixer programs of the common desktops, the first found is started.
const char* const kMixerPrograms[] = {"pavucontrol", "pavucontrol-qt", "mate-volume-control",
                                      "xfce4-mixer", "kmix",           "qasmixer"};
}  // namespace

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
  for (const char* name : kMixerPrograms) {
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (program.isEmpty()) continue;
    if (QProcess::startDetached(program, {})) return true;
  }
  return false;
}
