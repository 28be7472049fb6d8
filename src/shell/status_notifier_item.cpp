#include "shell/status_notifier_item.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QImage>
#include <QtEndian>

#include "shell/status_notifier_names.h"

namespace {

// Each size the panels ask for most, ARGB32 in network byte order.
IconPixmapList pixmaps_of(const QIcon& icon) {
  IconPixmapList out;
  for (int size : {16, 22, 24, 32, 48, 64}) {
    const QImage img = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
    if (img.isNull()) continue;
    IconPixmap p{img.width(), img.height(), QByteArray()};
    p.argb.resize(qsizetype(img.width()) * img.height() * 4);
    auto* out_px = reinterpret_cast<quint32*>(p.argb.data());
    for (int y = 0; y < img.height(); ++y) {
      const auto* line = reinterpret_cast<const quint32*>(img.constScanLine(y));
      for (int x = 0; x < img.width(); ++x) *out_px++ = qToBigEndian(line[x]);
    }
    out.append(p);
  }
  return out;
}

}  // namespace

StatusNotifierItem::StatusNotifierItem(QMenu* menu, QString icon_name, const QIcon& icon,
                                       QObject* parent)
    : QObject(parent),
      bus_(QDBusConnection::sessionBus()),
      menu_(menu),
      dbus_menu_(menu),
      service_(QStringLiteral("org.kde.StatusNotifierItem-%1-1")
                   .arg(QCoreApplication::applicationPid())),
      icon_name_(std::move(icon_name)),
      pixmaps_(pixmaps_of(icon)) {
  register_dbus_tray_types();
}

StatusNotifierItem::~StatusNotifierItem() {
  if (!published_) return;
  // The watcher drops the item when its name goes away.
  bus_.unregisterService(service_);
  bus_.unregisterObject(QString::fromLatin1(kItemPath));
  bus_.unregisterObject(QString::fromLatin1(kMenuPath));
}

bool StatusNotifierItem::publish() {
  if (published_) return true;
  if (!bus_.isConnected()) return false;
  const auto exports = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                       QDBusConnection::ExportAllProperties;
  if (!bus_.registerObject(QString::fromLatin1(kItemPath), this, exports)) return false;
  if (!bus_.registerObject(QString::fromLatin1(kMenuPath), &dbus_menu_, exports)) {
    bus_.unregisterObject(QString::fromLatin1(kItemPath));
    return false;
  }
  bus_.registerService(service_);
  published_ = true;
  return true;
}

void StatusNotifierItem::register_with_watcher(std::function<void(bool)> done) {
  if (!publish()) {
    done(false);
    return;
  }
  QDBusMessage call = QDBusMessage::createMethodCall(
      QString::fromLatin1(kWatcherService), QString::fromLatin1(kWatcherPath),
      QString::fromLatin1(kWatcherService), QStringLiteral("RegisterStatusNotifierItem"));
  call << service_;
  auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
  connect(pending, &QDBusPendingCallWatcher::finished, this, [pending, done = std::move(done)] {
    pending->deleteLater();
    done(!pending->isError());
  });
}

QString StatusNotifierItem::title() const {
  return QStringLiteral("Davrin Audio Player");
}

ItemToolTip StatusNotifierItem::tool_tip() const {
  // The status text is the heading, as on an X11 tray where it is all there is.
  return ItemToolTip{icon_name_, {}, tool_tip_, QString()};
}

void StatusNotifierItem::set_tool_tip(const QString& text) {
  if (text == tool_tip_) return;
  tool_tip_ = text;
  emit NewToolTip();
}

QDBusObjectPath StatusNotifierItem::menu_path() const {
  return QDBusObjectPath(QString::fromLatin1(kMenuPath));
}

void StatusNotifierItem::ContextMenu(int x, int y) {
  // Only hosts that cannot show the exported menu ask for this.
  if (menu_ != nullptr) menu_->popup(QPoint(x, y));
}

void StatusNotifierItem::Activate(int, int) {}

void StatusNotifierItem::SecondaryActivate(int, int) {}

void StatusNotifierItem::Scroll(int, const QString&) {}
