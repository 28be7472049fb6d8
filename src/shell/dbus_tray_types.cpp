#include "shell/dbus_tray_types.h"

#include <QDBusMetaType>

QDBusArgument& operator<<(QDBusArgument& arg, const IconPixmap& v) {
  arg.beginStructure();
  arg << v.width << v.height << v.argb;
  arg.endStructure();
  return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, IconPixmap& v) {
  arg.beginStructure();
  arg >> v.width >> v.height >> v.argb;
  arg.endStructure();
  return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const ItemToolTip& v) {
  arg.beginStructure();
  arg << v.icon_name << v.pixmaps << v.title << v.description;
  arg.endStructure();
  return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, ItemToolTip& v) {
  arg.beginStructure();
  arg >> v.icon_name >> v.pixmaps >> v.title >> v.description;
  arg.endStructure();
  return arg;
}

// The entries below go as variants (av), each holding a whole layout item.
QDBusArgument& operator<<(QDBusArgument& arg, const MenuLayoutItem& v) {
  arg.beginStructure();
  arg << v.id << v.properties;
  arg.beginArray(qMetaTypeId<QDBusVariant>());
  for (const MenuLayoutItem& child : v.children) {
    arg << QDBusVariant(QVariant::fromValue(child));
  }
  arg.endArray();
  arg.endStructure();
  return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, MenuLayoutItem& v) {
  arg.beginStructure();
  arg >> v.id >> v.properties;
  v.children.clear();
  arg.beginArray();
  while (!arg.atEnd()) {
    QDBusVariant child;
    arg >> child;
    v.children.append(qdbus_cast<MenuLayoutItem>(child.variant()));
  }
  arg.endArray();
  arg.endStructure();
  return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const MenuItemProperties& v) {
  arg.beginStructure();
  arg << v.id << v.properties;
  arg.endStructure();
  return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, MenuItemProperties& v) {
  arg.beginStructure();
  arg >> v.id >> v.properties;
  arg.endStructure();
  return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const MenuItemRemovedKeys& v) {
  arg.beginStructure();
  arg << v.id << v.names;
  arg.endStructure();
  return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, MenuItemRemovedKeys& v) {
  arg.beginStructure();
  arg >> v.id >> v.names;
  arg.endStructure();
  return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const MenuEvent& v) {
  arg.beginStructure();
  arg << v.id << v.kind << v.data << v.timestamp;
  arg.endStructure();
  return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, MenuEvent& v) {
  arg.beginStructure();
  arg >> v.id >> v.kind >> v.data >> v.timestamp;
  arg.endStructure();
  return arg;
}

void register_dbus_tray_types() {
  // The lists by the names the exported signatures use, too.
  qRegisterMetaType<IconPixmapList>("IconPixmapList");
  qRegisterMetaType<MenuItemPropertiesList>("MenuItemPropertiesList");
  qRegisterMetaType<MenuItemRemovedKeysList>("MenuItemRemovedKeysList");
  qRegisterMetaType<MenuEventList>("MenuEventList");
  qDBusRegisterMetaType<IconPixmap>();
  qDBusRegisterMetaType<IconPixmapList>();
  qDBusRegisterMetaType<ItemToolTip>();
  qDBusRegisterMetaType<MenuLayoutItem>();
  qDBusRegisterMetaType<MenuItemProperties>();
  qDBusRegisterMetaType<MenuItemPropertiesList>();
  qDBusRegisterMetaType<MenuItemRemovedKeys>();
  qDBusRegisterMetaType<MenuItemRemovedKeysList>();
  qDBusRegisterMetaType<MenuEvent>();
  qDBusRegisterMetaType<MenuEventList>();
}
