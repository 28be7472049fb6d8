#include "shell/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include "mpris/raise_running_copy.h"

namespace {
constexpr int kAnswerWithinMs = 1000;
const QByteArray kOpenSettings = QByteArrayLiteral("settings\n");
}  // namespace

SingleInstance::SingleInstance() {
  folder_ = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder_.isEmpty()) folder_ = QDir::tempPath();
  QDir().mkpath(folder_);
  lock_ = std::make_unique<QLockFile>(folder_ + QStringLiteral("/davrin-audio-player.lock"));
  // Only a dead owner makes a lock stale; a running copy keeps it however long it runs.
  lock_->setStaleLockTime(0);
  acquired_ = lock_->tryLock(0);
}

void SingleInstance::listen(std::function<void()> open_settings) {
  if (!acquired_ || server_) return;
  const QString name = folder_ + QStringLiteral("/davrin-audio-player.socket");
  // Holding the lock, any socket left there is a dead copy's.
  QLocalServer::removeServer(name);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QLocalServer* server = server_.get();
  QObject::connect(server, &QLocalServer::newConnection, server, [server, open_settings] {
    while (QLocalSocket* s = server->nextPendingConnection()) {
      QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
      QObject::connect(s, &QLocalSocket::readyRead, s, [s, open_settings] {
        if (!s->canReadLine()) return;
        if (s->readLine() == kOpenSettings) open_settings();
        s->disconnectFromServer();
      });
    }
  });
  // Without the socket a later start can still reach the copy over the bus.
  server->listen(name);
}

bool SingleInstance::ask_running_copy() const {
  const QDeadlineTimer deadline(kAnswerWithinMs);
  if (ask_running_copy_to_raise(deadline.remainingTime())) return true;
  QLocalSocket socket;
  socket.connectToServer(folder_ + QStringLiteral("/davrin-audio-player.socket"));
  if (!socket.waitForConnected(deadline.remainingTime())) return false;
  socket.write(kOpenSettings);
  if (!socket.waitForBytesWritten(deadline.remainingTime())) return false;
  // The copy hangs up once it has taken the request.
  return socket.state() == QLocalSocket::UnconnectedState ||
         socket.waitForDisconnected(deadline.remainingTime());
}
