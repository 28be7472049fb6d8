#pragma once
// The tray menu as a status-notifier host shows it: the QMenu's entries
// exported over the session bus (com.canonical.dbusmenu). A click there
// triggers the very QAction the tray menu holds, so every entry does what it
// does under an X11 tray.
#include <QDBusVariant>
#include <QHash>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "shell/dbus_tray_types.h"

class DBusMenu : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
  Q_PROPERTY(uint Version READ version)
  Q_PROPERTY(QString TextDirection READ text_direction)
  Q_PROPERTY(QString Status READ status)
  Q_PROPERTY(QStringList IconThemePath READ icon_theme_path)

 public:
  explicit DBusMenu(QMenu* menu, QObject* parent = nullptr);

  uint version() const { return 3; }
  QString text_direction() const;
  QString status() const { return QStringLiteral("normal"); }
  QStringList icon_theme_path() const { return {}; }

 public slots:
  uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                 MenuLayoutItem& layout);
  MenuItemPropertiesList GetGroupProperties(const QList<int>& ids,
                                            const QStringList& propertyNames);
  QDBusVariant GetProperty(int id, const QString& name);
  void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp);
  QList<int> EventGroup(const MenuEventList& events);
  bool AboutToShow(int id);
  QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

 signals:
  void ItemsPropertiesUpdated(const MenuItemPropertiesList& updatedProps,
                              const MenuItemRemovedKeysList& removedProps);
  void LayoutUpdated(uint revision, int parent);
  void ItemActivationRequested(int id, uint timestamp);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int id_of(QAction* action);
  QMenu* menu_of(int id) const;
  bool known(int id) const { return id == 0 || actions_.contains(id); }
  QVariantMap properties_of(int id, const QStringList& names);
  MenuLayoutItem layout_of(int id, int depth, const QStringList& names);
  void watch(QMenu* menu);
  bool handle_event(int id, const QString& kind);

  QPointer<QMenu> menu_;
  QHash<QAction*, int> ids_;
  QHash<int, QPointer<QAction>> actions_;
  int next_id_ = 1;
  uint revision_ = 1;
  QTimer changed_;  // many changes in one turn make one LayoutUpdated
};
