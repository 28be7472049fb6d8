#include "shell/tray_icon.h"

#include <QDBusConnectionInterface>
#include <QGuiApplication>
#include <QTimer>

#include "qt_base/artwork.h"
#include "shell/status_notifier_names.h"

namespace {

constexpr char kIconName[] = "davrin-audio-player";

QIcon drawn_icon() {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64}) icon.addPixmap(player_icon_pixmap(size));
  return icon;
}

}  // namespace

TrayIcon::TrayIcon(QMenu* menu, QObject* parent)
    : QObject(parent),
      menu_(menu),
      watcher_(
          QString::fromLatin1(kWatcherService), QDBusConnection::sessionBus(),
          QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration) {
  // The installed icon theme's picture where it has one, the drawing elsewhere.
  if (QIcon::hasThemeIcon(QString::fromLatin1(kIconName))) {
    icon_name_ = QString::fromLatin1(kIconName);
    icon_ = QIcon::fromTheme(icon_name_);
  } else {
    icon_ = drawn_icon();
  }
  connect(&watcher_, &QDBusServiceWatcher::serviceRegistered, this,
          [this] { follow_watcher(true); });
  connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this,
          [this] { follow_watcher(false); });
}

TrayIcon::~TrayIcon() {
  hide();
}

void TrayIcon::show() {
  if (shown_) return;
  shown_ = true;
  const QDBusConnection bus = QDBusConnection::sessionBus();
  const QDBusConnectionInterface* names = bus.isConnected() ? bus.interface() : nullptr;
  follow_watcher(names != nullptr &&
                 names->isServiceRegistered(QString::fromLatin1(kWatcherService)).value());
}

void TrayIcon::hide() {
  shown_ = false;
  item_.reset();
  if (x11_) x11_->hide();
}

void TrayIcon::follow_watcher(bool present) {
  watcher_present_ = present;
  if (!shown_) return;
  if (present) {
    if (x11_) x11_->hide();
    register_item(3);
  } else {
    show_on_x11();  // the item stays on the bus for the watcher's return
  }
}

void TrayIcon::register_item(int attempts_left) {
  if (!item_) {
    item_ = std::make_unique<StatusNotifierItem>(menu_, icon_name_, icon_);
    item_->set_tool_tip(tool_tip_);
  }
  // A watcher that has just taken its name may not answer yet: ask again shortly.
  item_->register_with_watcher([this, attempts_left](bool accepted) {
    if (accepted || attempts_left <= 1) return;
    QTimer::singleShot(500, this, [this, attempts_left] {
      if (shown_ && watcher_present_) register_item(attempts_left - 1);
    });
  });
}

void TrayIcon::show_on_x11() {
  // Only the X11 platform has an X11 tray; elsewhere the status-notifier item is all.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  if (!x11_) {
    x11_ = std::make_unique<QSystemTrayIcon>();
    x11_->setObjectName(objectName());
    x11_->setIcon(icon_);
    x11_->setContextMenu(menu_);
  }
  x11_->setToolTip(tool_tip_);
  x11_->show();
}

void TrayIcon::set_tool_tip(const QString& text) {
  tool_tip_ = text;
  if (item_) item_->set_tool_tip(text);
  if (x11_) x11_->setToolTip(text);
}

bool TrayIcon::host_available() const {
  if (watcher_present_) return true;
  return x11_ && QSystemTrayIcon::isSystemTrayAvailable();
}
