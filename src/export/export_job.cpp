#include "export/export_job.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "cd/cda_stub.h"
#include "export/cd_rip.h"
#include "store/play_list_files.h"

namespace fs = std::filesystem;

namespace {

void set_build_folder(PlayerState& state) {
  state.build_folder = state.playlist_folder + "build/";
}

}  // namespace

void make_build_folder(PlayerState& state) {
  set_build_folder(state);
  std::error_code ec;
  fs::create_directory(state.build_folder, ec);
}

void empty_build_folder(PlayerState& state) {
  set_build_folder(state);
  std::error_code ec;
  // The staging folder only ever holds our own copies: every entry goes.
  for (auto it = fs::directory_iterator(state.build_folder, ec);
       !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code remove_ec;
    fs::remove_all(it->path(), remove_ec);
  }
}

void remove_build_folder(PlayerState& state) {
  set_build_folder(state);
  std::error_code ec;
  fs::remove(state.build_folder, ec);
}

int16_t copy_percent(int32_t i, int32_t n) {
  double ratio = static_cast<double>(i) / static_cast<double>(n);
  return static_cast<int16_t>(static_cast<int32_t>(ratio * 100.0));
}

std::string staged_name(const std::string& file_name, const std::set<std::string>& taken) {
  if (!taken.count(file_name)) return file_name;
  fs::path p(file_name);
  std::string stem = p.stem().string();
  std::string extension = p.extension().string();
  for (int k = 2;; ++k) {
    std::string candidate = stem + " (" + std::to_string(k) + ")" + extension;
    if (!taken.count(candidate)) return candidate;
  }
}

std::string archive_play_list(const std::vector<std::string>& packed_names) {
  std::string text = "#EXTM3U\r\n";
  for (const std::string& name : packed_names) {
    if (!name.empty() && (name.front() == '#' || name.front() == ' ' || name.front() == '\t')) {
      text += "./";
    }
    text += name + "\r\n";
  }
  return text;
}

MessageBoxRequest export_outcome_message(int32_t result_code, int32_t skipped,
                                         int32_t cd_left_out) {
  MessageBoxRequest box;
  if (result_code != 0) {
    box.text = "Error #: " + std::to_string(result_code) + "\r\r" + kZipFailedText;
    box.title = kZipErrorTitle;
  } else {
    box.text = std::string(kZipFinishedText) + "\r" + kZipNoErrorsText;
    box.title = kAppTitle;
  }
  if (skipped > 0) {
    // Which tracks were left out is plain from the archive; the count warns.
    if (result_code == 0) box.text = kZipFinishedText;
    box.text += "\r" + std::to_string(skipped) + " track(s) could not be copied.";
  }
  if (cd_left_out > 0) {
    if (result_code == 0 && skipped == 0) box.text = kZipFinishedText;
    box.text += "\r" + std::to_string(cd_left_out) + " CD track(s) left out: " + kCdLeftOutText;
  }
  return box;
}

ExportOutcome zip_it(PlayerState& state, UiServices& ui, ZipComponent& zip, ProgressView& view) {
  ExportOutcome outcome;
  make_build_folder(state);
  // Leftovers of an export that stopped early must not reach this archive.
  empty_build_folder(state);
  if (!state.current_list_name.empty()) {
    load_play_list(state, ui, state.current_list_name, false);
  }
  if (state.track_count <= 0) {
    remove_build_folder(state);
    return outcome;
  }

  // The play list's own file is named first, so that no track takes its name.
  const std::string list_file = state.current_list_name + ".m3u8";
  std::set<std::string> taken = {list_file};
  std::vector<std::string> packed;
  const int32_t n = state.track_count;
  CdRipper ripper(state.cd_device, ui, view);
  for (int32_t i = 1; i <= n; ++i) {
    view.draw_progress(copy_percent(i, n),
                       "Copying Files: " + std::to_string(i) + "/" + std::to_string(n));
    // The list may have been replaced while the drawing yielded.
    const std::string track =
        i < static_cast<int32_t>(state.track_list.size()) ? state.track_list[i] : std::string();
    std::string name = file_title_of(track);
    if (is_cda_path(track) || cd_track_of(track)) {
      const std::string target = staged_name(ripped_name_of(name), taken);
      if (!ripper.rip(track, state.build_folder + target, target)) {
        ++outcome.cd_left_out;
        continue;
      }
      taken.insert(target);
      packed.push_back(target);
      ++outcome.copied;
      continue;
    }
    std::error_code ec;
    bool copied = false;
    if (!name.empty() && fs::is_regular_file(track, ec)) {
      std::string target = staged_name(name, taken);
      copied = fs::copy_file(track, state.build_folder + target,
                             fs::copy_options::overwrite_existing, ec);
      if (copied) {
        taken.insert(target);
        packed.push_back(target);
      }
    }
    if (copied) {
      ++outcome.copied;
    } else {
      ++outcome.skipped;
    }
  }

  {
    // Without it the archive still holds every track; the list is a convenience.
    std::ofstream out(state.build_folder + list_file, std::ios::binary | std::ios::trunc);
    out << archive_play_list(packed);
  }

  const std::string archive_path = state.picked_folder + state.current_list_name + ".zip";
  zip.set_progress_handler([&view](const std::string& item, int32_t percent) {
    view.draw_progress(static_cast<int16_t>(percent), "Zipping: " + item);
  });
  outcome.result_code = run_zip(zip, state.build_folder, archive_path);
  zip.set_progress_handler(nullptr);
  outcome.packed = true;

  empty_build_folder(state);
  remove_build_folder(state);
  ui.message_box(export_outcome_message(outcome.result_code, outcome.skipped, outcome.cd_left_out));
  return outcome;
}
