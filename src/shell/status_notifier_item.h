#pragma once
// The tray icon as a status-notifier item on the session bus
// (org.kde.StatusNotifierItem): the panels of KDE Plasma, sway's and
// Hyprland's bars, and GNOME with its AppIndicator extension show it. It
// registers with the watcher whenever asked, so a panel that starts late or
// comes back after a restart shows the icon again.
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <functional>

#include "shell/dbus_menu.h"
#include "shell/dbus_tray_types.h"

class StatusNotifierItem : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
  Q_PROPERTY(QString Category READ category)
  Q_PROPERTY(QString Id READ id)
  Q_PROPERTY(QString Title READ title)
  Q_PROPERTY(QString Status READ status)
  Q_PROPERTY(int WindowId READ window_id)
  Q_PROPERTY(QString IconThemePath READ icon_theme_path)
  Q_PROPERTY(QString IconName READ icon_name)
  Q_PROPERTY(IconPixmapList IconPixmap READ icon_pixmap)
  Q_PROPERTY(QString OverlayIconName READ no_name)
  Q_PROPERTY(IconPixmapList OverlayIconPixmap READ no_pixmap)
  Q_PROPERTY(QString AttentionIconName READ no_name)
  Q_PROPERTY(IconPixmapList AttentionIconPixmap READ no_pixmap)
  Q_PROPERTY(QString AttentionMovieName READ no_name)
  Q_PROPERTY(ItemToolTip ToolTip READ tool_tip)
  Q_PROPERTY(bool ItemIsMenu READ item_is_menu)
  Q_PROPERTY(QDBusObjectPath Menu READ menu_path)

 public:
  // The icon's theme name (empty where the theme lacks it) and its pictures.
  StatusNotifierItem(QMenu* menu, QString icon_name, const QIcon& icon, QObject* parent = nullptr);
  ~StatusNotifierItem() override;

  // Puts the item and its menu on the bus; false without a session bus.
  bool publish();
  // Asks the watcher to show the item; `done` gets whether it accepted.
  void register_with_watcher(std::function<void(bool)> done);
  void set_tool_tip(const QString& text);
  QString service_name() const { return service_; }

  QString category() const { return QStringLiteral("ApplicationStatus"); }
  QString id() const { return QStringLiteral("davrin-audio-player"); }
  QString title() const;
  QString status() const { return QStringLiteral("Active"); }
  int window_id() const { return 0; }
  QString icon_theme_path() const { return {}; }
  QString icon_name() const { return icon_name_; }
  IconPixmapList icon_pixmap() const { return pixmaps_; }
  QString no_name() const { return {}; }
  IconPixmapList no_pixmap() const { return {}; }
  ItemToolTip tool_tip() const;
  // A plain click does nothing, as on an X11 tray: the menu is on the other button.
  bool item_is_menu() const { return false; }
  QDBusObjectPath menu_path() const;

 public slots:
  void ContextMenu(int x, int y);
  void Activate(int x, int y);
  void SecondaryActivate(int x, int y);
  void Scroll(int delta, const QString& orientation);

 signals:
  void NewTitle();
  void NewIcon();
  void NewAttentionIcon();
  void NewOverlayIcon();
  void NewToolTip();
  void NewStatus(const QString& status);

 private:
  QDBusConnection bus_;
  QMenu* menu_;
  DBusMenu dbus_menu_;
  QString service_;
  QString icon_name_;
  IconPixmapList pixmaps_;
  QString tool_tip_;
  bool published_ = false;
};
