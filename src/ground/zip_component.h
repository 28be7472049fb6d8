#pragma once
// The zip component: values are stored member by member, setting the action
// member to 4 builds the archive, and the result member tells the outcome.
// Progress events arrive during the build, on the caller's thread.
#include <cstdint>
#include <functional>
#include <string>

namespace zip_member {
inline constexpr int kArchivePath = 1;
inline constexpr int kFileSpec = 2;
inline constexpr int kAction = 40;
inline constexpr int kResult = 39;
}  // namespace zip_member

inline constexpr int16_t kZipActionAdd = 4;

class ZipComponent {
 public:
  // Item being packed, its percentage.
  using ProgressHandler = std::function<void(const std::string& item, int32_t percent)>;

  virtual ~ZipComponent() = default;
  virtual void set_flag(int member, bool value) = 0;
  virtual void set_text(int member, const std::string& value) = 0;
  // Member kAction: kZipActionAdd builds the whole archive before returning.
  virtual void set_action(int16_t action) = 0;
  virtual int16_t result_code() = 0;

  void set_progress_handler(ProgressHandler handler) { progress_ = std::move(handler); }

 protected:
  void raise_progress(const std::string& item, int32_t percent) {
    if (progress_) progress_(item, percent);
  }

 private:
  ProgressHandler progress_;
};

// The fixed ten-step run: archive the files of build_folder into archive_path.
int16_t run_zip(ZipComponent& zip, const std::string& build_folder,
                const std::string& archive_path);
