#pragma once
// The CD drive that CD-audio entries are played and ripped from: libcdio's
// default drive, or the device or image the options name. The disc is
// opened on a thread of its own, so that a drive spinning up holds the caller
// no longer than it is willing to wait; an opening that outlasts the wait
// goes on, and the next call takes its disc.
#include <chrono>
#include <memory>
#include <string>

class CdDisc;

class CdDrive {
 public:
  explicit CdDrive(std::string device = {});
  ~CdDrive();
  CdDrive(const CdDrive&) = delete;
  CdDrive& operator=(const CdDrive&) = delete;

  void set_device(std::string device);  // "" for libcdio's default drive
  const std::string& device() const { return device_; }

  // The disc now in the drive, for the caller alone; nothing when there is
  // no drive or no disc, or when the drive has not answered within `wait`.
  std::unique_ptr<CdDisc> open(std::chrono::milliseconds wait);
  // An opening outlasted its wait and goes on.
  bool busy() const { return pending_ != nullptr; }

 private:
  struct Opening;
  std::string device_;
  std::shared_ptr<Opening> pending_;
};
