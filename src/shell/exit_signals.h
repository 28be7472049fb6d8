#pragma once
// SIGTERM and SIGINT (the session ending, kill) end the program through the
// same orderly exit as the tray's Exit entry.
#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

class ExitSignals : public QObject {
 public:
  explicit ExitSignals(std::function<void()> on_signal);
  ~ExitSignals() override;

 private:
  std::function<void()> on_signal_;
  std::unique_ptr<QSocketNotifier> notifier_;
};
