#pragma once
// The program's icon in the notification area, by whichever protocol the
// desktop offers at the moment: a status-notifier item while a watcher is on
// the session bus, else the X11 tray. Qt settles on one of them once per
// process; a panel started after the program, or restarted, would never show
// the icon. Here the watcher's name is followed for as long as the icon shows.
#include <QDBusServiceWatcher>
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>
#include <memory>

#include "shell/status_notifier_item.h"

class TrayIcon : public QObject {
  Q_OBJECT

 public:
  explicit TrayIcon(QMenu* menu, QObject* parent = nullptr);
  ~TrayIcon() override;

  void show();
  void hide();
  void set_tool_tip(const QString& text);
  QString tool_tip() const { return tool_tip_; }
  // The theme name the icon is given by; empty where the theme lacks it.
  QString icon_name() const { return icon_name_; }
  // Whether a tray host can show the icon now.
  bool host_available() const;

 private:
  void follow_watcher(bool present);
  void register_item(int attempts_left);
  void show_on_x11();

  QMenu* menu_;
  QString icon_name_;
  QIcon icon_;
  QString tool_tip_;
  bool shown_ = false;
  bool watcher_present_ = false;
  QDBusServiceWatcher watcher_;
  QTimer x11_fallback_;
  std::unique_ptr<StatusNotifierItem> item_;
  // Made only when first needed, with no watcher on the bus: Qt then settles
  // on the X11 tray for good and never puts a second item on the bus.
  std::unique_ptr<QSystemTrayIcon> x11_;
};
