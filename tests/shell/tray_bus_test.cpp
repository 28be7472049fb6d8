// The tray icon on a private session bus, seen as a status-notifier panel
// sees it: a watcher that comes after the icon and comes back after a
// restart, the item's tooltip, and the exported menu clicked from the bus.
#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTest>

#include "shell/status_notifier_names.h"
#include "shell/tray_icon.h"

// The panel's side: takes the watcher's name and records who registers.
class FakeWatcher : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")

 public:
  QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "panel");
  QStringList registered;

  void appear() {
    bus.registerObject(QString::fromLatin1(kWatcherPath), this, QDBusConnection::ExportAllSlots);
    bus.registerService(QString::fromLatin1(kWatcherService));
  }
  void vanish() {
    bus.unregisterService(QString::fromLatin1(kWatcherService));
    bus.unregisterObject(QString::fromLatin1(kWatcherPath));
  }

 public slots:
  void RegisterStatusNotifierItem(const QString& service) { registered << service; }
};

namespace {

QDBusMessage call(const QString& service, const char* path, const char* iface, const char* method,
                  const QVariantList& args) {
  QDBusMessage m = QDBusMessage::createMethodCall(
      service, QString::fromLatin1(path), QString::fromLatin1(iface), QString::fromLatin1(method));
  m.setArguments(args);
  return QDBusConnection::connectToBus(QDBusConnection::SessionBus, "panel")
      .call(m, QDBus::BlockWithGui, 2000);
}

struct Tray : ::testing::Test {
  QMenu menu;
  QAction* start = nullptr;
  QAction* repeat = nullptr;
  TrayIcon tray{&menu};
  FakeWatcher panel;
  QString item = QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(qApp->applicationPid());

  void SetUp() override {
    ASSERT_TRUE(panel.bus.isConnected());
    start = menu.addAction(QStringLiteral("Start Music"));
    menu.addSeparator();
    repeat = menu.addAction(QStringLiteral("Repeat Current Track"));
    repeat->setCheckable(true);
  }
  MenuLayoutItem layout() {
    const QDBusMessage r =
        call(item, kMenuPath, "com.canonical.dbusmenu", "GetLayout", {0, -1, QStringList()});
    return r.arguments().size() == 2 ? qdbus_cast<MenuLayoutItem>(r.arguments().at(1))
                                     : MenuLayoutItem{};
  }
  ItemToolTip tool_tip() {
    const QDBusMessage r =
        call(item, "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "Get",
             {QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("ToolTip")});
    if (r.arguments().isEmpty()) return {};
    return qdbus_cast<ItemToolTip>(r.arguments().at(0).value<QDBusVariant>().variant());
  }
};

}  // namespace

TEST_F(Tray, AWatcherThatComesLaterOrAgainGetsTheItem) {
  tray.show();
  EXPECT_FALSE(tray.host_available());  // no watcher, and the offscreen screen has no X11 tray
  panel.appear();
  EXPECT_TRUE(QTest::qWaitFor([&] { return panel.registered == QStringList{item}; }, 3000));
  EXPECT_TRUE(tray.host_available());
  panel.vanish();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !tray.host_available(); }, 3000));
  panel.appear();
  EXPECT_TRUE(QTest::qWaitFor([&] { return panel.registered.size() == 2; }, 3000));
  tray.hide();
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return !panel.bus.interface()->isServiceRegistered(item).value(); }, 3000));
}

TEST_F(Tray, TheTooltipAndTheMenuReachThePanel) {
  panel.appear();
  tray.set_tool_tip(QStringLiteral(" Play List: Rock  Track: (1/2) one.mp3 "));
  tray.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel.registered.size() == 1; }, 3000));
  EXPECT_EQ(tool_tip().title, QStringLiteral(" Play List: Rock  Track: (1/2) one.mp3 "));
  tray.set_tool_tip(QString());
  EXPECT_EQ(tool_tip().title, QString());

  start->setEnabled(false);
  MenuLayoutItem root = layout();
  ASSERT_EQ(root.children.size(), 3);
  EXPECT_EQ(root.children[0].properties.value("label"), QStringLiteral("Start Music"));
  EXPECT_EQ(root.children[0].properties.value("enabled"), false);
  EXPECT_EQ(root.children[1].properties.value("type"), QStringLiteral("separator"));
  EXPECT_EQ(root.children[2].properties.value("toggle-type"), QStringLiteral("checkmark"));
  EXPECT_EQ(root.children[2].properties.value("toggle-state"), 0);

  int repeats = 0;
  QObject::connect(repeat, &QAction::triggered, [&] { ++repeats; });
  call(item, kMenuPath, "com.canonical.dbusmenu", "Event",
       {root.children[2].id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u});
  EXPECT_TRUE(QTest::qWaitFor([&] { return repeats == 1; }, 3000));
  EXPECT_EQ(layout().children[2].properties.value("toggle-state"), 1);
  // A disabled entry does nothing when a panel clicks it anyway.
  bool started = false;
  QObject::connect(start, &QAction::triggered, [&] { started = true; });
  call(item, kMenuPath, "com.canonical.dbusmenu", "Event",
       {root.children[0].id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u});
  QTest::qWait(100);
  EXPECT_FALSE(started);
}

#include "tray_bus_test.moc"
