#include "shell/single_instance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  QDir().mkpath(folder);
  lock_ = std::make_unique<QLockFile>(folder + QStringLiteral("/davrin-audio-player.lock"));
  // Only a dead owner makes a lock stale; a running copy keeps it however long it runs.
  lock_->setStaleLockTime(0);
  acquired_ = lock_->tryLock(0);
}
