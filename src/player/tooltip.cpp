#include "player/tooltip.h"

#include <algorithm>
#include <cctype>

namespace {
constexpr const char* kEllipsis = "\xE2\x80\xA6";  // "…"
constexpr std::string_view kListPrefix = " Play List: ";
constexpr std::string_view kTrackSeparator = "  Track: (";

bool is_continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

size_t char_count(std::string_view s) {
  return static_cast<size_t>(
      std::count_if(s.begin(), s.end(), [](char c) { return !is_continuation(c); }));
}

// The first n characters of s, never splitting a character's bytes.
std::string_view first_chars(std::string_view s, size_t n) {
  size_t i = 0;
  for (size_t seen = 0; i < s.size(); ++i) {
    if (!is_continuation(s[i]) && seen++ == n) break;
  }
  return s.substr(0, i);
}

// s in at most n characters: its start and "…" when it had to be cut.
std::string shrink(std::string_view s, size_t n) {
  if (char_count(s) <= n) return std::string(s);
  if (n == 0) return std::string();
  return std::string(first_chars(s, n - 1)) + kEllipsis;
}

size_t skip_digits(std::string_view s, size_t i) {
  size_t j = i;
  while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
  return j;
}

// Reduces len towards floor by as much of excess as it can take.
void give_up(size_t& len, size_t floor, size_t& excess) {
  if (excess == 0 || len <= floor) return;
  const size_t d = std::min(excess, len - floor);
  len -= d;
  excess -= d;
}
}  // namespace

std::string track_status_text(const std::string& list_name, int32_t position, int32_t count,
                              const std::string& file_title) {
  return std::string(kListPrefix) + list_name + std::string(kTrackSeparator) +
         std::to_string(position) + "/" + std::to_string(count) + ")" + " " + file_title + " ";
}

std::string shorten_tooltip(const std::string& text, size_t max_chars) {
  if (max_chars == 0 || char_count(text) <= max_chars) return text;
  const std::string_view all(text);

  // Take the track line apart: name, "  Track: (p/c) ", file title, closing blank.
  std::string_view name, middle, file;
  bool is_track_line = false;
  if (all.starts_with(kListPrefix) && all.ends_with(" ")) {
    for (size_t at = all.find(kTrackSeparator, kListPrefix.size()); at != std::string_view::npos;
         at = all.find(kTrackSeparator, at + 1)) {
      size_t i = at + kTrackSeparator.size();
      size_t j = skip_digits(all, i);
      if (j == i || j >= all.size() || all[j] != '/') continue;
      size_t k = skip_digits(all, j + 1);
      if (k == j + 1 || k + 2 > all.size() || all.compare(k, 2, ") ") != 0) continue;
      name = all.substr(kListPrefix.size(), at - kListPrefix.size());
      middle = all.substr(at, k + 2 - at);
      file = all.substr(k + 2, all.size() - 1 - (k + 2));
      is_track_line = true;
      break;
    }
  }
  const size_t fixed = kListPrefix.size() + middle.size() + 1;
  if (!is_track_line || max_chars <= fixed) return shrink(all, max_chars);

  // Keep a readable start of both names as long as possible.
  constexpr size_t kReadable = 16;
  size_t name_len = char_count(name);
  size_t file_len = char_count(file);
  size_t excess = name_len + file_len - (max_chars - fixed);
  give_up(name_len, std::min(name_len, kReadable), excess);
  give_up(file_len, std::min(file_len, kReadable), excess);
  give_up(name_len, std::min<size_t>(name_len, 1), excess);
  give_up(file_len, std::min<size_t>(file_len, 1), excess);
  if (excess > 0) return shrink(all, max_chars);
  return std::string(kListPrefix) + shrink(name, name_len) + std::string(middle) +
         shrink(file, file_len) + " ";
}
