#include "cd/cd_drive.h"

#include <condition_variable>
#include <mutex>
#include <thread>

#include "cd/cd_disc.h"

namespace {

using Clock = std::chrono::steady_clock;

// An opening that ended this long before anyone asked may hold a disc that
// has since been taken out: it is not handed out.
constexpr auto kStaleAfter = std::chrono::seconds(5);

}  // namespace

struct CdDrive::Opening {
  std::mutex mutex;
  std::condition_variable done_signal;
  bool done = false;
  Clock::time_point done_at;
  std::unique_ptr<CdDisc> disc;
};

CdDrive::CdDrive(std::string device) : device_(std::move(device)) {}

// A pending opening ends by itself and frees its disc.
CdDrive::~CdDrive() = default;

void CdDrive::set_device(std::string device) {
  if (device == device_) return;
  device_ = std::move(device);
  pending_.reset();
}

std::unique_ptr<CdDisc> CdDrive::open(std::chrono::milliseconds wait) {
  if (pending_) {
    std::lock_guard<std::mutex> lock(pending_->mutex);
    if (pending_->done && Clock::now() - pending_->done_at > kStaleAfter) pending_.reset();
  }
  if (!pending_) {
    pending_ = std::make_shared<Opening>();
    std::thread([opening = pending_, device = device_] {
      std::unique_ptr<CdDisc> disc = CdDisc::open(device);
      std::lock_guard<std::mutex> lock(opening->mutex);
      opening->disc = std::move(disc);
      opening->done = true;
      opening->done_at = Clock::now();
      opening->done_signal.notify_all();
    }).detach();
  }
  std::shared_ptr<Opening> opening = pending_;
  std::unique_lock<std::mutex> lock(opening->mutex);
  if (!opening->done_signal.wait_for(lock, wait, [&] { return opening->done; })) return nullptr;
  std::unique_ptr<CdDisc> disc = std::move(opening->disc);
  lock.unlock();
  pending_.reset();
  return disc;
}
