#pragma once
// The export of one play list into a .zip archive: stage the tracks in the
// build folder, have the zip component pack it, clear up, tell the user.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "ground/ui_services.h"
#include "ground/zip_component.h"
#include "model/player_state.h"

inline constexpr const char* kZipErrorTitle = ".ZIP Error!";
inline constexpr const char* kZipFailedText = "Failed to create .zip file!";
inline constexpr const char* kZipFinishedText = "Finished making .zip file.";
inline constexpr const char* kZipNoErrorsText = "No errors reported.";
inline constexpr const char* kCdLeftOutText = "their disc is not in the CD drive.";

// Where the job draws its progress; the export window's bar in the program.
class ProgressView {
 public:
  virtual ~ProgressView() = default;
  virtual void draw_progress(int16_t percent, const std::string& text) = 0;
};

// Each sets build_folder to playlist_folder + "build/" first and passes over
// every error of its file operation in silence.
void make_build_folder(PlayerState& state);
void empty_build_folder(PlayerState& state);
void remove_build_folder(PlayerState& state);

// Integer part of (i / n) * 100 in double precision: 29 of 100 gives 28.
int16_t copy_percent(int32_t i, int32_t n);

// The name a track takes in the staging folder: its file name, or, when an
// earlier track took that name, " (2)", " (3)" ... before the extension.
std::string staged_name(const std::string& file_name, const std::set<std::string>& taken);

// The play list packed beside the tracks, "<play list name>.m3u8": "#EXTM3U",
// then each packed track's name in the archive, in play-list order, every line
// ended by CR LF. A name that a reader would take for a comment or trim goes
// behind "./".
std::string archive_play_list(const std::vector<std::string>& packed_names);

// The outcome box: the component's result code, the tracks that could not be
// copied and the CD tracks left out for want of their disc.
MessageBoxRequest export_outcome_message(int32_t result_code, int32_t skipped,
                                         int32_t cd_left_out = 0);

struct ExportOutcome {
  bool packed = false;  // the component ran and the outcome box was shown
  int32_t result_code = 0;
  int32_t copied = 0;
  int32_t skipped = 0;
  int32_t cd_left_out = 0;
};

// The whole job up to and including the outcome box. Closing the window
// afterwards is the caller's part.
ExportOutcome zip_it(PlayerState& state, UiServices& ui, ZipComponent& zip, ProgressView& view);
