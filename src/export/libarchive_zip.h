#pragma once
// The zip component over libarchive. Values are stored by member; setting the
// action to kZipActionAdd builds the archive named by member 1 from the files
// that member 2's quoted specification matches ("<folder>*.*": every ordinary
// file of that folder, not its sub-folders), in name order, each under its
// bare file name, stored as UTF-8 with the language-encoding flag.
// Already-compressed audio (.mp3 and the like) is stored, the rest deflated.
// The archive is written to a temporary file beside it and renamed into place,
// so a failed build leaves no partial file and any old archive as it was.
#include <cstdint>
#include <map>
#include <string>

#include "ground/zip_component.h"

class LibarchiveZip : public ZipComponent {
 public:
  // Result codes of a build.
  static constexpr int16_t kOk = 0;
  static constexpr int16_t kCannotOpenDestination = -1;  // folder missing, not writable, a folder
  static constexpr int16_t kCannotReadSource = -2;       // source folder or a file unreadable
  static constexpr int16_t kWriteFailed = -3;            // writing or finishing the archive
  static constexpr int16_t kBadFileSpec = -4;            // no folder in the file specification
  static constexpr int16_t kUnknownAction = -5;          // nothing written

  static constexpr size_t kChunkBytes = 64 * 1024;

  void set_flag(int member, bool value) override { flags_[member] = value; }
  void set_text(int member, const std::string& value) override { texts_[member] = value; }
  void set_action(int16_t action) override;
  int16_t result_code() override { return result_; }

  // Values as stored, for whoever wants to look (members not set: false / "").
  bool flag(int member) const;
  std::string text(int member) const;

 private:
  int16_t build_archive();

  std::map<int, bool> flags_;
  std::map<int, std::string> texts_;
  int16_t result_ = kOk;
};
