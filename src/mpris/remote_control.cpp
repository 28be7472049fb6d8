#include "mpris/remote_control.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include "mpris/mpris_names.h"

namespace {
RemoteAnswer send(QDBusConnection& bus, const QString& player_method, int timeout_ms) {
  if (!bus.isConnected() || bus.interface() == nullptr) return RemoteAnswer::kNoCopy;
  const QString name = QString::fromLatin1(kMprisBusName);
  // Asked first, so that a missing copy is told apart from a silent one.
  const auto owned = bus.interface()->isServiceRegistered(name);
  if (!owned.isValid() || !owned.value()) return RemoteAnswer::kNoCopy;
  const QDBusMessage call =
      QDBusMessage::createMethodCall(name, QString::fromLatin1(kMprisObjectPath),
                                     QString::fromLatin1(kMprisPlayerInterface), player_method);
  const QDBusMessage reply = bus.call(call, QDBus::Block, timeout_ms);
  if (reply.type() == QDBusMessage::ReplyMessage) return RemoteAnswer::kDone;
  // The copy ended between the two calls.
  if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown"))
    return RemoteAnswer::kNoCopy;
  return RemoteAnswer::kNoAnswer;
}
}  // namespace

RemoteAnswer send_to_running_copy(const QString& player_method, int timeout_ms) {
  // A connection of its own: the shared session connection would stay bound
  // to this short-lived application object, and a player started after it
  // (--play with no copy running) could not serve the controls on it.
  const QString connection = QStringLiteral("davrin-remote-control");
  RemoteAnswer answer;
  {
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connection);
    answer = send(bus, player_method, timeout_ms);
  }
  QDBusConnection::disconnectFromBus(connection);
  return answer;
}
