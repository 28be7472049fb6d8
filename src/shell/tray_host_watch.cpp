#include "shell/tray_host_watch.h"

TrayHostWatch::TrayHostWatch(std::function<bool()> host_available,
                             std::function<void()> show_settings, int wait_ms)
    : host_available_(std::move(host_available)), show_settings_(std::move(show_settings)) {
  if (host_available_()) return;
  deadline_.setSingleShot(true);
  deadline_.setInterval(wait_ms);
  connect(&deadline_, &QTimer::timeout, this, [this] {
    if (!host_available_()) show_settings_();
  });
  deadline_.start();
}
