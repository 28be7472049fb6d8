#include "shell/tray_icon.h"

#include <QDBusConnectionInterface>
#include <QGuiApplication>
#include <QTimer>

#include "qt_base/artwork.h"
#include "shell/status_notifier_names.h"

namespace {

constexpr char kIconName[] = "davrin-audio-player";

bool watcher_on_bus() {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  const QDBusConnectionInterface* names = bus.isConnected() ? bus.interface() : nullptr;
  return names != nullptr &&
         names->isServiceRegistered(QString::fromLatin1(kWatcherService)).value();
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
    icon_ = player_icon();
  }
  connect(&watcher_, &QDBusServiceWatcher::serviceRegistered, this,
          [this] { follow_watcher(true); });
  connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this,
          [this] { follow_watcher(false); });
  // A panel that restarts takes its watcher away for a moment only.
  x11_fallback_.setSingleShot(true);
  x11_fallback_.setInterval(1000);
  connect(&x11_fallback_, &QTimer::timeout, this, [this] {
    if (shown_ && !watcher_present_) show_on_x11();
  });
}

TrayIcon::~TrayIcon() {
  hide();
}

void TrayIcon::show() {
  if (shown_) return;
  shown_ = true;
  watcher_present_ = watcher_on_bus();
  if (watcher_present_) {
    register_item(3);
  } else {
    show_on_x11();
  }
}

void TrayIcon::hide() {
  shown_ = false;
  x11_fallback_.stop();
  item_.reset();
  if (x11_) x11_->hide();
}

void TrayIcon::follow_watcher(bool present) {
  watcher_present_ = present;
  if (!shown_) return;
  if (present) {
    x11_fallback_.stop();
    if (x11_) x11_->hide();
    register_item(3);
  } else {
    x11_fallback_.start();  // the item stays on the bus for the watcher's return
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
    // Qt asks for a watcher once, now: with one there it would put its own item on the bus.
    if (watcher_on_bus()) return;
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
