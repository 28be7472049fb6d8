#pragma once
// Without a tray host nothing of the program is visible: when none is there
// at start and none has come a few seconds later, the user is shown the
// settings window once. A host that comes later still shows the icon.
#include <QObject>
#include <QTimer>
#include <functional>

class TrayHostWatch : public QObject {
  Q_OBJECT

 public:
  TrayHostWatch(std::function<bool()> host_available, std::function<void()> show_settings,
                int wait_ms = 5000);

 private:
  std::function<bool()> host_available_;
  std::function<void()> show_settings_;
  QTimer deadline_;
};
