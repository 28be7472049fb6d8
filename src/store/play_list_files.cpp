#include "store/play_list_files.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>

#include "model/play_order.h"
#include "store/field_reader.h"
#include "store/name_order.h"

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define DAVRIN_HAVE_FSYNC 1
#endif

namespace fs = std::filesystem;

namespace {
constexpr std::string_view kExtension = ".cap";

char lower_ascii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when the name ends in ".cap" in any letter case.
bool has_play_list_extension(std::string_view name) {
  if (name.size() < kExtension.size()) return false;
  const std::string_view tail = name.substr(name.size() - kExtension.size());
  return std::equal(tail.begin(), tail.end(), kExtension.begin(),
                    [](char a, char b) { return lower_ascii(a) == b; });
}

// A play-list name: at least one character before the extension, not hidden.
bool is_play_list_file_name(std::string_view name) {
  return name.size() > kExtension.size() && name.front() != '.' && has_play_list_extension(name);
}

std::optional<std::string> read_whole_file(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  const auto size = fs::file_size(path, ec);
  if (!ec) bytes.reserve(static_cast<size_t>(size));
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

// Reads the track table of a play-list file into tracks (position 0 empty) and
// answers true, or answers false and leaves tracks as they were when the file
// does not hold a complete play list. The paths are checked in a first pass
// and only then copied, into the strings already there where they fit: a
// reload of a long play list then allocates almost nothing.
bool read_tracks(const std::string& path, std::vector<std::string>& tracks) {
  const std::optional<std::string> bytes = read_whole_file(path);
  if (!bytes) return false;
  FieldReader reader(*bytes);
  for (int i = 0; i < 3; ++i) {
    if (!reader.next()) return false;  // the header is there but never examined
  }
  const std::optional<std::string_view> count_field = reader.next();
  if (!count_field) return false;
  const std::optional<int32_t> count = parse_whole_number(*count_field);
  if (!count || *count < 0) return false;

  const FieldReader first_path = reader;
  for (int32_t i = 1; i <= *count; ++i) {
    if (!reader.next()) return false;
  }
  reader = first_path;
  tracks.resize(static_cast<size_t>(*count) + 1);
  tracks[0].clear();
  for (size_t i = 1; i < tracks.size(); ++i) tracks[i].assign(*reader.next());
  return true;
}

std::string temporary_name_for(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  // Built piece by piece: GCC 12 warns wrongly about "." + string at -O3.
  std::string name(1, '.');
  name += target.filename().string();
  name += '.';
  name += std::to_string(stamp);
  name += '-';
  name += std::to_string(counter++);
  name += ".tmp";
  return name;
}

// Writes bytes to a new hidden file beside target (so that the listing never
// shows it) and makes sure they are on the disk. Answers the file's path.
std::optional<fs::path> write_temporary(const fs::path& target, const std::string& bytes) {
  const fs::path folder = target.parent_path();
  for (int attempt = 0; attempt < 16; ++attempt) {
    const fs::path temp = folder / temporary_name_for(target);
    std::FILE* file = std::fopen(temp.c_str(), "wbx");
    if (!file) {
      std::error_code ec;
      if (fs::exists(temp, ec)) continue;  // another save took the name: try the next one
      return std::nullopt;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
#ifdef DAVRIN_HAVE_FSYNC
    ok = ::fsync(::fileno(file)) == 0 && ok;
#endif
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
      std::error_code ec;
      fs::remove(temp, ec);
      return std::nullopt;
    }
    return temp;
  }
  return std::nullopt;
}

// A save that was killed midway leaves its hidden temporary behind; the next
// save of the same play list clears such leftovers (one copy runs per user).
void remove_stale_temporaries(const fs::path& target) {
  const std::string prefix = "." + target.filename().string() + ".";
  std::vector<fs::path> stale;
  std::error_code ec;
  for (auto it = fs::directory_iterator(target.parent_path(), ec);
       !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() > prefix.size() + 4 && name.compare(0, prefix.size(), prefix) == 0 &&
        name.compare(name.size() - 4, 4, ".tmp") == 0) {
      stale.push_back(it->path());
    }
  }
  for (const fs::path& p : stale) fs::remove(p, ec);
}

void sync_folder(const fs::path& folder) {
#ifdef DAVRIN_HAVE_FSYNC
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
#else
  (void)folder;
#endif
}

// Replaces the play-list file of title with bytes, or leaves everything as it
// was. A play list whose file is marked read-only is not replaced.
bool replace_play_list_file(const std::string& folder, const std::string& title,
                            const std::string& bytes) {
  if (title.empty() || title.find('/') != std::string::npos ||
      title.find('\0') != std::string::npos) {
    return false;
  }
  std::error_code ec;
  fs::path target = play_list_path(folder, title);
  if (fs::is_symlink(target, ec)) {
    target = fs::weakly_canonical(target, ec);  // keep the link, replace what it points to
    if (ec) return false;
  }
  const fs::file_status old_status = fs::status(target, ec);
  const bool replacing = fs::exists(old_status);
  if (replacing) {
    if (!fs::is_regular_file(old_status)) return false;
    if ((old_status.permissions() & fs::perms::owner_write) == fs::perms::none) return false;
  }

  remove_stale_temporaries(target);
  const std::optional<fs::path> temp = write_temporary(target, bytes);
  if (!temp) return false;
  if (replacing) fs::permissions(*temp, old_status.permissions(), ec);
  fs::rename(*temp, target, ec);
  if (ec) {
    fs::remove(*temp, ec);
    return false;
  }
  sync_folder(target.parent_path());
  return true;
}
}  // namespace

std::string play_list_path(const std::string& folder, const std::string& name) {
  const std::string exact = folder + name + std::string(kExtension);
  std::error_code ec;
  if (fs::exists(fs::symlink_status(exact, ec)) || name.empty()) return exact;
  for (auto it = fs::directory_iterator(folder.empty() ? "." : folder, ec);
       !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string file_name = it->path().filename().string();
    if (file_name.size() == name.size() + kExtension.size() &&
        file_name.compare(0, name.size(), name) == 0 && has_play_list_extension(file_name)) {
      return folder + file_name;
    }
  }
  return exact;
}

void list_play_lists(PlayerState& state, UiServices& ui, ListBox& box) {
  box.clear();
  state.list_count = 0;
  state.list_names.assign(1, std::string());

  std::error_code ec;
  const fs::path folder = state.playlist_folder.empty() ? "." : state.playlist_folder;
  for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator();) {
    const std::string file_name = it->path().filename().string();
    std::error_code type_ec;
    // Ordinary files only; a link counts as what it points to.
    if (is_play_list_file_name(file_name) && it->is_regular_file(type_ec)) {
      ++state.list_count;
      state.list_names.push_back(file_name.substr(0, file_name.size() - kExtension.size()));
    }
    ui.yield();
    it.increment(ec);
  }
  // The folder hands the names out in no useful order: list them by name.
  std::sort(state.list_names.begin() + 1, state.list_names.end(),
            [](const std::string& a, const std::string& b) { return play_list_name_before(a, b); });
  for (size_t i = 1; i < state.list_names.size(); ++i) box.add_item(state.list_names[i]);
  align_list_index(state);
}

void align_list_index(PlayerState& state) {
  const auto& names = state.list_names;
  const int32_t i = state.current_list_index;
  if (i >= 1 && static_cast<size_t>(i) < names.size() && names[i] == state.current_list_name) {
    return;
  }
  state.current_list_index = 0;
  // The last equal entry, as the settings window finds the active list.
  for (size_t p = 1; p < names.size(); ++p) {
    if (names[p] == state.current_list_name) state.current_list_index = static_cast<int32_t>(p);
  }
}

bool load_play_list(PlayerState& state, UiServices& ui, std::string name, bool silent) {
  state.current_list_name = name;
  align_list_index(state);
  if (!read_tracks(play_list_path(state.playlist_folder, name), state.track_list)) {
    if (!silent) ui.show_error(kLoadErrorText, kAppTitle);
    state.track_count = 0;
    state.active_collection.clear();
    return false;
  }
  state.track_count = static_cast<int32_t>(state.track_list.size() - 1);
  build_play_order(state.play_order, state.track_count, state.random);
  state.active_collection = state.current_list_name;
  return true;
}

bool save_list(PlayerState& state, UiServices& ui, const std::string& title,
               const std::vector<std::string>& paths) {
  if (!replace_play_list_file(state.playlist_folder, title, format_play_list(paths))) {
    ui.show_error(kSaveErrorText, kAppTitle);
    return false;
  }
  state.active_collection = title;
  return true;
}

bool file_exists(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return false;
  const auto size = fs::file_size(path, ec);
  return !ec && size > 1;
}

std::string file_title_of(const std::string& path) {
  const size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string format_play_list(const std::vector<std::string>& paths) {
  constexpr std::string_view kLineEnd = "\r\n";
  std::string count = std::to_string(paths.size());
  size_t size = std::string_view(kPlayListProduct).size() +
                std::string_view(kPlayListMaker).size() +
                std::string_view(kPlayListHomePage).size() + count.size() + 14;
  for (const std::string& path : paths) size += path.size() + 4;

  std::string bytes;
  bytes.reserve(size);
  auto quoted_line = [&bytes, kLineEnd](std::string_view text) {
    bytes += '"';
    bytes += text;
    bytes += '"';
    bytes += kLineEnd;
  };
  quoted_line(kPlayListProduct);
  quoted_line(kPlayListMaker);
  quoted_line(kPlayListHomePage);
  bytes += count;
  bytes += kLineEnd;
  for (const std::string& path : paths) quoted_line(path);
  return bytes;
}
