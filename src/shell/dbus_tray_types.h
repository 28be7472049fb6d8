#pragma once
// The structures the notification-area protocols carry over the session bus:
// the item's pictures and tooltip, and the exported menu's entries.
#include <QDBusArgument>
#include <QList>
#include <QVariantMap>

// One picture of the icon: ARGB32 in network byte order.
struct IconPixmap {
  int width = 0;
  int height = 0;
  QByteArray argb;
};
using IconPixmapList = QList<IconPixmap>;

struct ItemToolTip {
  QString icon_name;
  IconPixmapList pixmaps;
  QString title;
  QString description;
};

// A menu entry and its entries below, as GetLayout gives them.
struct MenuLayoutItem {
  int id = 0;
  QVariantMap properties;
  QList<MenuLayoutItem> children;
};

// An entry's properties, as GetGroupProperties and ItemsPropertiesUpdated give them.
struct MenuItemProperties {
  int id = 0;
  QVariantMap properties;
};
using MenuItemPropertiesList = QList<MenuItemProperties>;

// An entry's properties that went back to their defaults.
struct MenuItemRemovedKeys {
  int id = 0;
  QStringList names;
};
using MenuItemRemovedKeysList = QList<MenuItemRemovedKeys>;

// One event of EventGroup: entry, kind, data, time.
struct MenuEvent {
  int id = 0;
  QString kind;
  QDBusVariant data;
  uint timestamp = 0;
};
using MenuEventList = QList<MenuEvent>;

QDBusArgument& operator<<(QDBusArgument& arg, const IconPixmap& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, IconPixmap& v);
QDBusArgument& operator<<(QDBusArgument& arg, const ItemToolTip& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, ItemToolTip& v);
QDBusArgument& operator<<(QDBusArgument& arg, const MenuLayoutItem& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, MenuLayoutItem& v);
QDBusArgument& operator<<(QDBusArgument& arg, const MenuItemProperties& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, MenuItemProperties& v);
QDBusArgument& operator<<(QDBusArgument& arg, const MenuItemRemovedKeys& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, MenuItemRemovedKeys& v);
QDBusArgument& operator<<(QDBusArgument& arg, const MenuEvent& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, MenuEvent& v);

// Once, before any of them crosses the bus.
void register_dbus_tray_types();

Q_DECLARE_METATYPE(IconPixmap)
Q_DECLARE_METATYPE(ItemToolTip)
Q_DECLARE_METATYPE(MenuLayoutItem)
Q_DECLARE_METATYPE(MenuItemProperties)
Q_DECLARE_METATYPE(MenuItemRemovedKeys)
Q_DECLARE_METATYPE(MenuEvent)
