#include "model/music_formats.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 9> kExtensions = {".mp3",  ".wav", ".mid", ".rmi", ".cda",
                                                         ".flac", ".ogg", ".oga", ".opus"};

char lower_ascii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool ends_with_ignoring_case(std::string_view text, std::string_view tail) {
  if (text.size() < tail.size()) return false;
  return std::equal(tail.begin(), tail.end(), text.end() - static_cast<long>(tail.size()),
                    [](char t, char c) { return t == lower_ascii(c); });
}

}  // namespace

bool is_music_file(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  // A bare ".mp3" is a hidden file's name, not a music file's extension.
  return std::any_of(kExtensions.begin(), kExtensions.end(), [&](std::string_view ext) {
    return name.size() > ext.size() && ends_with_ignoring_case(name, ext);
  });
}
