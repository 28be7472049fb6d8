#include "fault_fs.h"

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <vector>

bool running_as_root() {
  return ::geteuid() == 0;
}

SmallTmpfs::SmallTmpfs(const std::string& folder, size_t bytes) : folder_(folder) {
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  if (::mount("tmpfs", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0) {
    mounted_ = true;
  } else {
    error_ = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
  }
}

SmallTmpfs::~SmallTmpfs() {
  if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
}

ReadOnlyFolder::ReadOnlyFolder(const std::string& folder) : folder_(folder) {
  if (!running_as_root()) {
    chmodded_ = ::chmod(folder_.c_str(), 0555) == 0;
    if (!chmodded_) error_ = std::string("cannot chmod: ") + std::strerror(errno);
    return;
  }
  if (::mount(folder_.c_str(), folder_.c_str(), nullptr, MS_BIND, nullptr) != 0) {
    error_ = std::string("running as root and cannot bind-mount the folder read-only: ") +
             std::strerror(errno);
    return;
  }
  if (::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
    error_ = std::string("running as root and cannot remount the folder read-only: ") +
             std::strerror(errno);
    ::umount2(folder_.c_str(), MNT_DETACH);
    return;
  }
  mounted_ = true;
}

ReadOnlyFolder::~ReadOnlyFolder() {
  if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  if (chmodded_) ::chmod(folder_.c_str(), 0755);
}

int run_with_file_size_limit(size_t limit_bytes, const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid < 0) return 126;
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(limit_bytes), static_cast<rlim_t>(limit_bytes)};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(126);
    const int code = body();
    ::_exit(code < 0 || code > 125 ? 125 : code);
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 126;
}

std::string folder_entries(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator(folder, ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  std::string joined;
  for (const auto& n : names) joined += n + ";";
  return joined;
}
