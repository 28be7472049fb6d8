#include "shell/exit_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// The handler may only write a byte; the event loop does the real work.
int g_signal_pipe[2] = {-1, -1};

void on_exit_signal(int) {
  const char byte = 1;
  [[maybe_unused]] ssize_t n = write(g_signal_pipe[1], &byte, 1);
}
}  // namespace

ExitSignals::ExitSignals(std::function<void()> on_signal) : on_signal_(std::move(on_signal)) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signal_pipe) != 0) return;
  fcntl(g_signal_pipe[1], F_SETFL, O_NONBLOCK);
  notifier_ = std::make_unique<QSocketNotifier>(g_signal_pipe[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    char buf[16];
    [[maybe_unused]] ssize_t n = read(g_signal_pipe[0], buf, sizeof buf);
    if (on_signal_) on_signal_();
  });
  struct sigaction sa = {};
  sa.sa_handler = on_exit_signal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
}

ExitSignals::~ExitSignals() {
  signal(SIGTERM, SIG_DFL);
  signal(SIGINT, SIG_DFL);
  notifier_.reset();
  for (int& fd : g_signal_pipe) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}
