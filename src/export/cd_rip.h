#pragma once
// CD-audio entries go into the archive as WAV files ripped from the disc in
// the drive: a 44-byte stub would be of no use to whoever unpacks it.
#include <string>

#include "cd/cd_drive.h"
#include "ground/ui_services.h"

class ProgressView;

// "Track03.wav" for ".../Track03.cda".
std::string ripped_name_of(const std::string& file_name);

class CdRipper {
 public:
  CdRipper(const std::string& device, UiServices& ui, ProgressView& view);

  // Writes the entry's track to target as a WAV file, drawing its progress
  // under the name shown. False when the track cannot be had (no drive, no
  // disc, another disc, no such track, a read error); no file is left then.
  bool rip(const std::string& entry, const std::string& target, const std::string& shown_name);

 private:
  CdDrive drive_;
  UiServices& ui_;
  ProgressView& view_;
  bool drive_silent_ = false;  // it did not answer once: it is not waited for again
};
