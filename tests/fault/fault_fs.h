#pragma once
// File systems that refuse writes, for saving and exporting into them: a
// small tmpfs that fills up, a read-only view of a folder, and a child
// process whose files may not grow past a limit. Mounting needs the rights of
// root; without them the mounts answer false and the tests say why they skip.
#include <functional>
#include <string>

// A tmpfs of `bytes` mounted on an existing folder for the object's life.
class SmallTmpfs {
 public:
  SmallTmpfs(const std::string& folder, size_t bytes);
  ~SmallTmpfs();
  SmallTmpfs(const SmallTmpfs&) = delete;
  SmallTmpfs& operator=(const SmallTmpfs&) = delete;
  bool mounted() const { return mounted_; }
  const std::string& error() const { return error_; }

 private:
  std::string folder_;
  bool mounted_ = false;
  std::string error_;
};

// Makes an existing folder read-only for the object's life: a read-only bind
// mount of the folder on itself (as root, whom permission bits do not stop),
// or its write permission taken away (any other user).
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::string& folder);
  ~ReadOnlyFolder();
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
  bool read_only() const { return mounted_ || chmodded_; }
  const std::string& error() const { return error_; }

 private:
  std::string folder_;
  bool mounted_ = false;
  bool chmodded_ = false;
  std::string error_;
};

bool running_as_root();

// Runs body in a forked child whose files cannot grow beyond limit_bytes
// (writes past it fail with EFBIG, SIGXFSZ ignored). Answers the child's exit
// code: body's result (0..125), or 126 when the child died otherwise.
int run_with_file_size_limit(size_t limit_bytes, const std::function<int()>& body);

// Names of every entry of a folder, hidden ones included, sorted.
std::string folder_entries(const std::string& folder);
