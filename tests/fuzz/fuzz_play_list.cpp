// Arbitrary bytes as a play-list file: through the field reader and the whole
// number parser, through the real loader from a file in a temporary folder,
// and, turned into track paths, through the writer and back.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "ground/ui_services.h"
#include "model/player_state.h"
#include "store/field_reader.h"
#include "store/play_list_files.h"

namespace {

class CountingUi : public UiServices {
 public:
  void yield() override {}
  MsgAnswer message_box(const MessageBoxRequest& request) override {
    ++boxes;
    last_text = request.text;
    last_title = request.title;
    return MsgAnswer::Ok;
  }
  std::string input_box(const std::string&, const std::string&, const std::string&) override {
    return std::string();
  }
  int boxes = 0;
  std::string last_text, last_title;
};

std::string g_folder;  // the play-list folder, with a trailing '/'

void remove_folder() {
  std::error_code ec;
  std::filesystem::remove_all(g_folder, ec);
}

// The whole number a field holds, worked out digit by digit.
std::optional<int32_t> reference_whole_number(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > int64_t{1} << 32) value = int64_t{1} << 32;  // beyond any 32-bit value
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

// Reads every field and checks what the reader promises about each.
std::vector<std::string_view> read_fields(std::string_view data) {
  std::vector<std::string_view> fields;
  FieldReader reader(data);
  size_t remaining = reader.remaining();
  FUZZ_CHECK(remaining == data.size(), "a new reader has read nothing");
  while (std::optional<std::string_view> field = reader.next()) {
    FUZZ_CHECK(
        field->data() >= data.data() && field->data() + field->size() <= data.data() + data.size(),
        "a field lies inside the data");
    FUZZ_CHECK(reader.remaining() < remaining, "every field consumes bytes");
    remaining = reader.remaining();
    const bool quoted = field->data() > data.data() && field->data()[-1] == '"';
    if (quoted) {
      FUZZ_CHECK(field->find('"') == std::string_view::npos, "a quoted field holds no quote");
    } else {
      FUZZ_CHECK(field->empty() || field->front() != '"', "a quote starts a quoted field");
      FUZZ_CHECK(field->find_first_of(",\r\n") == std::string_view::npos,
                 "a plain field ends at a comma or a line end");
      FUZZ_CHECK(field->empty() || (field->front() != ' ' && field->front() != '\t'),
                 "leading blanks are skipped");
    }
    FUZZ_CHECK(parse_whole_number(*field) == reference_whole_number(*field),
               "whole numbers parse as digits with an optional minus");
    fields.push_back(*field);
  }
  FUZZ_CHECK(fields.size() <= data.size(), "no more fields than bytes");
  FUZZ_CHECK(!reader.next(), "an exhausted reader stays exhausted");
  return fields;
}

// The tracks the loader must produce, or nothing when it must fail.
std::optional<std::vector<std::string>> expected_tracks(const std::vector<std::string_view>& f) {
  if (f.size() < 4) return std::nullopt;
  const std::optional<int32_t> count = parse_whole_number(f[3]);
  if (!count || *count < 0 || f.size() - 4 < static_cast<size_t>(*count)) return std::nullopt;
  std::vector<std::string> tracks(1);
  for (int32_t i = 0; i < *count; ++i) tracks.emplace_back(f[4 + static_cast<size_t>(i)]);
  return tracks;
}

void write_file(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  FUZZ_CHECK(static_cast<bool>(out), "the fuzz file could be written");
}

void check_play_order(const PlayerState& state) {
  FUZZ_CHECK(state.play_order.size() == static_cast<size_t>(state.track_count) + 1,
             "play_order has track_count + 1 entries");
  FUZZ_CHECK(state.play_order[0] == 0, "play_order position 0 holds 0");
  std::vector<bool> seen(state.play_order.size(), false);
  for (int32_t p = 1; p <= state.track_count; ++p) {
    const int32_t k = state.play_order[static_cast<size_t>(p)];
    FUZZ_CHECK(k >= 1 && k <= state.track_count, "play_order holds track numbers");
    FUZZ_CHECK(!seen[static_cast<size_t>(k)], "play_order is a permutation");
    seen[static_cast<size_t>(k)] = true;
  }
}

// Loads name from the folder and checks the outcome against expected.
void check_load(const std::string& name, const std::optional<std::vector<std::string>>& expected,
                bool silent) {
  PlayerState state;
  state.playlist_folder = g_folder;
  state.track_list = {std::string(), "kept"};
  state.play_order = {0, 1};
  state.track_count = 1;
  state.active_collection = "before";
  CountingUi ui;
  const bool loaded = load_play_list(state, ui, name, silent);
  FUZZ_CHECK(loaded == expected.has_value(), "the loader agrees with the field reader");
  FUZZ_CHECK(state.current_list_name == name, "current_list_name is the requested name");
  if (loaded) {
    FUZZ_CHECK(ui.boxes == 0, "a good load shows no box");
    FUZZ_CHECK(state.track_count == static_cast<int32_t>(expected->size()) - 1,
               "track_count is the number of tracks");
    FUZZ_CHECK(state.track_list.size() == static_cast<size_t>(state.track_count) + 1,
               "track_list has track_count + 1 entries");
    FUZZ_CHECK(state.track_list == *expected, "the tracks are the fields after the count");
    FUZZ_CHECK(state.active_collection == name, "the loaded list is the active one");
    check_play_order(state);
  } else {
    FUZZ_CHECK(state.track_count == 0, "a failed load leaves track_count 0");
    FUZZ_CHECK(state.active_collection.empty(), "a failed load leaves no active list");
    FUZZ_CHECK(state.track_list.size() == 2 && state.track_list[1] == "kept",
               "a failed load keeps the track table");
    FUZZ_CHECK(state.play_order.size() == 2, "a failed load keeps the play order");
    if (silent) {
      FUZZ_CHECK(ui.boxes == 0, "a silent load shows nothing");
    } else {
      FUZZ_CHECK(ui.boxes == 1 && ui.last_text == "Error loading playlist data!" &&
                     ui.last_title == "Davrin Audio Player",
                 "a failed load shows its box once");
    }
  }
}

// Track paths made of the input: split at byte 1, quotes taken out (no path
// can hold one).
std::vector<std::string> paths_from(std::string_view data) {
  std::vector<std::string> paths(1);
  for (char c : data) {
    if (c == '\x01') {
      paths.emplace_back();
    } else if (c != '"') {
      paths.back().push_back(c);
    }
  }
  return paths;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  std::string pattern = base + "/davrin-fuzz-XXXXXX";
  FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr, "a temporary folder");
  g_folder = pattern + "/";
  std::atexit(remove_folder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);

  // The bytes as a play-list file.
  const std::vector<std::string_view> fields = read_fields(data);
  const std::optional<std::vector<std::string>> expected = expected_tracks(fields);
  write_file(g_folder + "Fuzz.cap", data);
  check_load("Fuzz", expected, size % 2 == 0);

  // The bytes as track paths: what the writer writes, the reader reads back.
  const std::vector<std::string> paths = paths_from(data);
  const std::string written = format_play_list(paths);
  FUZZ_CHECK(written.size() >= 2 && written.compare(written.size() - 2, 2, "\r\n") == 0,
             "the last line ends in CR LF");
  const std::vector<std::string_view> back = read_fields(written);
  FUZZ_CHECK(back.size() == paths.size() + 4, "header, count and one field per path");
  FUZZ_CHECK(
      back[0] == kPlayListProduct && back[1] == kPlayListMaker && back[2] == kPlayListHomePage,
      "the header reads back");
  FUZZ_CHECK(parse_whole_number(back[3]) == static_cast<int32_t>(paths.size()),
             "the count reads back");
  for (size_t i = 0; i < paths.size(); ++i) {
    FUZZ_CHECK(back[4 + i] == paths[i], "every path reads back exactly");
  }
  write_file(g_folder + "Written.cap", written);
  std::vector<std::string> tracks(1);
  tracks.insert(tracks.end(), paths.begin(), paths.end());
  check_load("Written", tracks, true);
  return 0;
}
