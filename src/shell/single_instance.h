#pragma once
// One running copy per user: a lock file in the user's runtime folder. The
// lock of a copy that was killed is stale and taken over. A later start asks
// the running copy to open its settings window, over the session bus or,
// where there is none, a local socket beside the lock.
#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

class SingleInstance {
 public:
  SingleInstance();
  // True when this process is the one running copy.
  bool acquired() const { return acquired_; }

  // The running copy: a later start's request runs open_settings.
  void listen(std::function<void()> open_settings);
  // A later start: asks the running copy to open its settings window and
  // waits a second at most. False when no copy answered.
  bool ask_running_copy() const;

 private:
  QString folder_;
  std::unique_ptr<QLockFile> lock_;
  bool acquired_ = false;
  std::unique_ptr<QLocalServer> server_;
};
