#include "shell/tray_host_watch.h"

#include <QSystemTrayIcon>

TrayHostWatch::TrayHostWatch(std::function<void()> show_settings, int wait_ms)
    : show_settings_(std::move(show_settings)) {
  if (QSystemTrayIcon::isSystemTrayAvailable()) return;
  deadline_.setSingleShot(true);
  deadline_.setInterval(wait_ms);
  connect(&deadline_, &QTimer::timeout, this, [this] {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) show_settings_();
  });
  deadline_.start();
}
