#include "shell/dbus_menu.h"

#include <QApplication>
#include <QEvent>

namespace {

// A menu caption as the bus shows it: Qt's '&' mnemonic becomes '_'.
QString bus_label(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == u'_') {
      out += QStringLiteral("__");
    } else if (c == u'&' && i + 1 < text.size()) {
      ++i;
      if (text.at(i) != u'&') out += u'_';
      out += text.at(i) == u'_' ? QStringLiteral("__") : QString(text.at(i));
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

DBusMenu::DBusMenu(QMenu* menu, QObject* parent) : QObject(parent), menu_(menu) {
  changed_.setSingleShot(true);
  changed_.setInterval(0);
  connect(&changed_, &QTimer::timeout, this, [this] { emit LayoutUpdated(++revision_, 0); });
  watch(menu);
}

void DBusMenu::watch(QMenu* menu) {
  if (menu == nullptr) return;
  menu->installEventFilter(this);
  for (QAction* a : menu->actions()) {
    id_of(a);
    watch(a->menu());
  }
}

bool DBusMenu::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ActionAdded:
    case QEvent::ActionChanged:
    case QEvent::ActionRemoved:
      changed_.start();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

QString DBusMenu::text_direction() const {
  return QApplication::isRightToLeft() ? QStringLiteral("rtl") : QStringLiteral("ltr");
}

int DBusMenu::id_of(QAction* action) {
  auto it = ids_.find(action);
  if (it != ids_.end()) return it.value();
  const int id = next_id_++;
  ids_.insert(action, id);
  actions_.insert(id, action);
  connect(action, &QObject::destroyed, this, [this, action, id] {
    ids_.remove(action);
    actions_.remove(id);
  });
  if (action->menu() != nullptr) watch(action->menu());
  return id;
}

QMenu* DBusMenu::menu_of(int id) const {
  if (id == 0) return menu_;
  const QAction* a = actions_.value(id);
  return a == nullptr ? nullptr : a->menu();
}

QVariantMap DBusMenu::properties_of(int id, const QStringList& names) {
  QVariantMap p;
  if (id == 0) {
    p.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
  } else if (const QAction* a = actions_.value(id)) {
    if (a->isSeparator()) {
      p.insert(QStringLiteral("type"), QStringLiteral("separator"));
    } else {
      p.insert(QStringLiteral("label"), bus_label(a->text()));
      if (a->isCheckable()) {
        p.insert(QStringLiteral("toggle-type"), QStringLiteral("checkmark"));
        p.insert(QStringLiteral("toggle-state"), a->isChecked() ? 1 : 0);
      }
      if (a->menu() != nullptr) {
        p.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
      }
    }
    // Only what differs from the protocol's defaults is sent.
    if (!a->isEnabled()) p.insert(QStringLiteral("enabled"), false);
    if (!a->isVisible()) p.insert(QStringLiteral("visible"), false);
  }
  if (names.isEmpty()) return p;
  QVariantMap wanted;
  for (const QString& n : names) {
    if (p.contains(n)) wanted.insert(n, p.value(n));
  }
  return wanted;
}

MenuLayoutItem DBusMenu::layout_of(int id, int depth, const QStringList& names) {
  MenuLayoutItem item;
  item.id = id;
  item.properties = properties_of(id, names);
  const QMenu* menu = menu_of(id);
  if (menu == nullptr || depth == 0) return item;
  for (QAction* a : menu->actions()) {
    item.children.append(layout_of(id_of(a), depth < 0 ? -1 : depth - 1, names));
  }
  return item;
}

uint DBusMenu::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                         MenuLayoutItem& layout) {
  layout = layout_of(known(parentId) ? parentId : 0, recursionDepth, propertyNames);
  return revision_;
}

MenuItemPropertiesList DBusMenu::GetGroupProperties(const QList<int>& ids,
                                                    const QStringList& propertyNames) {
  MenuItemPropertiesList out;
  for (int id : ids) {
    if (known(id)) out.append({id, properties_of(id, propertyNames)});
  }
  return out;
}

QDBusVariant DBusMenu::GetProperty(int id, const QString& name) {
  return QDBusVariant(properties_of(id, {}).value(name));
}

bool DBusMenu::handle_event(int id, const QString& kind) {
  if (!known(id)) return false;
  QAction* a = actions_.value(id);
  if (kind != QLatin1String("clicked") || a == nullptr) return true;
  // Answer the host first: an entry may open a modal window.
  if (a->isEnabled() && !a->isSeparator()) {
    QMetaObject::invokeMethod(a, &QAction::trigger, Qt::QueuedConnection);
  }
  return true;
}

void DBusMenu::Event(int id, const QString& eventId, const QDBusVariant&, uint) {
  handle_event(id, eventId);
}

QList<int> DBusMenu::EventGroup(const MenuEventList& events) {
  QList<int> unknown;
  for (const MenuEvent& e : events) {
    if (!handle_event(e.id, e.kind)) unknown.append(e.id);
  }
  return unknown;
}

bool DBusMenu::AboutToShow(int) {
  return false;
}

QList<int> DBusMenu::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
  for (int id : ids) {
    if (!known(id)) idErrors.append(id);
  }
  return {};
}
