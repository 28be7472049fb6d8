#include "mpris/raise_running_copy.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include "mpris/mpris_names.h"

bool ask_running_copy_to_raise(int timeout_ms) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || timeout_ms <= 0) return false;
  const QDBusMessage call = QDBusMessage::createMethodCall(
      QString::fromLatin1(kMprisBusName), QString::fromLatin1(kMprisObjectPath),
      QString::fromLatin1(kMprisRootInterface), QStringLiteral("Raise"));
  return bus.call(call, QDBus::Block, timeout_ms).type() == QDBusMessage::ReplyMessage;
}
