#pragma once
// One running copy per user: a lock file in the user's runtime folder. The
// lock of a copy that was killed is stale and taken over.
#include <QLockFile>
#include <memory>

class SingleInstance {
 public:
  SingleInstance();
  // True when this process is the one running copy.
  bool acquired() const { return acquired_; }

 private:
  std::unique_ptr<QLockFile> lock_;
  bool acquired_ = false;
};
