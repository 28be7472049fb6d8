#include "store/foreign_play_list.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "model/music_formats.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kMaxFileBytes = 64u << 20;  // far beyond 30000 entries
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

char lower_ascii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equals_ignoring_case(std::string_view a, std::string_view lower) {
  return a.size() == lower.size() && std::equal(a.begin(), a.end(), lower.begin(),
                                                [](char x, char y) { return lower_ascii(x) == y; });
}

bool is_letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Calls each(line) for every line, whichever of CR LF, LF or CR ends it (a
// CR LF gives an empty line after each line, which is no entry).
template <typename Each>
void for_each_line(std::string_view text, Each each) {
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    const char* stop = lf ? lf : end;
    const auto* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(stop - p)));
    if (cr) stop = cr;
    each(std::string_view(p, static_cast<size_t>(stop - p)));
    if (stop == end) break;
    p = stop + 1;
  }
}

// The scheme of an address such as "http://..." or "file:/...", empty when
// the entry is a path. One letter before ':' is a drive, not a scheme.
std::string_view scheme_of(std::string_view entry) {
  if (entry.empty() || !is_letter(entry[0])) return {};
  size_t i = 1;
  while (i < entry.size() && (is_letter(entry[i]) || is_digit(entry[i]) || entry[i] == '+' ||
                              entry[i] == '-' || entry[i] == '.')) {
    ++i;
  }
  if (i < 2 || i >= entry.size() || entry[i] != ':') return {};
  const std::string_view scheme = entry.substr(0, i);
  // "Live:Take 2.mp3" is a file name; only file: goes without "//".
  if (entry.substr(i + 1, 2) == "//" || equals_ignoring_case(scheme, "file")) return scheme;
  return {};
}

int hex_value(char c) {
  if (is_digit(c)) return c - '0';
  c = lower_ascii(c);
  return (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
}

// The path of a file: address, %-escapes decoded; nothing for another host.
std::optional<std::string> path_of_file_address(std::string_view address) {
  std::string_view rest = address.substr(5);  // after "file:"
  if (rest.substr(0, 2) == "//") {
    rest.remove_prefix(2);
    const size_t slash = rest.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view host = rest.substr(0, slash);
    if (!host.empty() && !equals_ignoring_case(host, "localhost")) return std::nullopt;
    rest.remove_prefix(slash);
  }
  if (rest.empty() || rest.front() != '/') return std::nullopt;
  std::string path;
  path.reserve(rest.size());
  for (size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size() && hex_value(rest[i + 1]) >= 0 &&
        hex_value(rest[i + 2]) >= 0) {
      path.push_back(static_cast<char>(hex_value(rest[i + 1]) * 16 + hex_value(rest[i + 2])));
      i += 2;
    } else {
      path.push_back(rest[i]);
    }
  }
  return path;
}

bool needs_cleaning(const std::string& path) {
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    if (path[i] == '/' && (path[i + 1] == '/' || path[i + 1] == '.')) return true;
  }
  return false;
}

// A full path without "//", "/./" and "/../"; "x/.." goes without looking
// whether x is a link, as the player that wrote the list meant it.
std::string cleaned(std::string path) {
  if (!needs_cleaning(path)) return path;
  std::vector<std::string_view> parts;
  std::string_view rest(path);
  while (!rest.empty()) {
    const size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  std::string out;
  out.reserve(path.size());
  for (std::string_view part : parts) {
    out.push_back('/');
    out.append(part);
  }
  return out.empty() ? std::string("/") : out;
}

// The music file an entry names, or nothing.
std::optional<std::string> music_file_of(std::string_view entry, const std::string& folder) {
  entry = trimmed(entry);
  if (entry.empty()) return std::nullopt;
  std::string path;
  const std::string_view scheme = scheme_of(entry);
  if (!scheme.empty()) {
    if (!equals_ignoring_case(scheme, "file")) return std::nullopt;  // not a local file
    std::optional<std::string> local = path_of_file_address(entry);
    if (!local) return std::nullopt;
    path = std::move(*local);
  } else {
    // Drive letters and network shares name files of another system.
    if (entry.size() >= 2 && is_letter(entry[0]) && entry[1] == ':') return std::nullopt;
    if (entry.substr(0, 2) == "\\\\") return std::nullopt;
    path.assign(entry);
    // A list written on Windows separates its relative folders with '\'.
    if (path.find('/') == std::string::npos) std::replace(path.begin(), path.end(), '\\', '/');
    if (path.front() != '/') path.insert(0, folder);
  }
  // Control characters come only from escapes; no file the player lists holds one.
  if (path.back() == '/' || std::any_of(path.begin(), path.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20;
      })) {
    return std::nullopt;
  }
  if (!is_music_file(path)) return std::nullopt;
  path = cleaned(std::move(path));
  return path;
}

std::vector<std::string> m3u_tracks(std::string_view text, const std::string& folder) {
  std::vector<std::string> tracks;
  for_each_line(text, [&](std::string_view line) {
    line = trimmed(line);
    if (line.empty() || line.front() == '#') return;  // #EXTM3U, #EXTINF and comments
    if (std::optional<std::string> track = music_file_of(line, folder)) {
      tracks.push_back(std::move(*track));
    }
  });
  return tracks;
}

std::vector<std::string> pls_tracks(std::string_view text, const std::string& folder) {
  struct Entry {
    uint64_t number;
    std::string_view value;
  };
  std::vector<Entry> entries;
  for_each_line(text, [&](std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return;
    const std::string_view key = trimmed(line.substr(0, equals));
    if (key.size() < 5 || !equals_ignoring_case(key.substr(0, 4), "file")) return;
    uint64_t number = 0;  // numbers beyond any real list's all sort last, in their order
    for (char c : key.substr(4)) {
      if (!is_digit(c)) return;
      number = std::min<uint64_t>(number * 10 + static_cast<uint64_t>(c - '0'), uint64_t{1} << 40);
    }
    entries.push_back({number, line.substr(equals + 1)});
  });
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return a.number < b.number; });
  std::vector<std::string> tracks;
  for (const Entry& entry : entries) {
    if (std::optional<std::string> track = music_file_of(entry.value, folder)) {
      tracks.push_back(std::move(*track));
    }
  }
  return tracks;
}

}  // namespace

std::optional<ForeignFormat> foreign_play_list_format(std::string_view file_name) {
  const size_t dot = file_name.find_last_of("./");
  if (dot == std::string_view::npos || file_name[dot] != '.' || dot == 0 ||
      file_name[dot - 1] == '/') {
    return std::nullopt;
  }
  const std::string_view ext = file_name.substr(dot);
  if (equals_ignoring_case(ext, ".m3u") || equals_ignoring_case(ext, ".m3u8")) {
    return ForeignFormat::M3u;
  }
  if (equals_ignoring_case(ext, ".pls")) return ForeignFormat::Pls;
  return std::nullopt;
}

std::vector<std::string> foreign_play_list_tracks(std::string_view text, ForeignFormat format,
                                                  const std::string& folder) {
  return format == ForeignFormat::Pls ? pls_tracks(text, folder) : m3u_tracks(text, folder);
}

std::optional<std::vector<std::string>> read_foreign_play_list(const std::string& path) {
  const std::optional<ForeignFormat> format = foreign_play_list_format(path);
  std::error_code ec;
  if (!format || !fs::is_regular_file(path, ec)) return std::nullopt;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec || size > kMaxFileBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(static_cast<size_t>(size), '\0');
  in.read(text.data(), static_cast<std::streamsize>(size));
  if (in.bad()) return std::nullopt;
  text.resize(static_cast<size_t>(in.gcount()));
  const std::string folder = path.substr(0, path.find_last_of('/') + 1);
  return foreign_play_list_tracks(text, *format, folder);
}
