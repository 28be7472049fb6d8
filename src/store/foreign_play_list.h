#pragma once
// Play lists written by other players (.m3u, .m3u8, .pls): the local music
// files they name, in their order. Lines may end in CR LF, LF or CR; a UTF-8
// byte-order mark is skipped. Paths are kept as the file's bytes, which are
// the platform's own (UTF-8 here) for .m3u and UTF-8 for .m3u8 alike.
//
// An entry is a full path, a path relative to the play list's own folder or a
// file:// address (%-escapes decoded; no host or "localhost"). Addresses of
// other kinds, paths of another system ("C:\..."), and files the media player
// does not play are left out. "#" lines of an M3U (#EXTM3U, #EXTINF ...) are
// no entries; a PLS names its entries by its FileN= keys, in the order of N.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class ForeignFormat { M3u, Pls };

// The format a file name's extension (any letter case) names, if any.
std::optional<ForeignFormat> foreign_play_list_format(std::string_view file_name);

// The music files that the play list's text names; relative entries are
// resolved against folder (which ends in '/').
std::vector<std::string> foreign_play_list_tracks(std::string_view text, ForeignFormat format,
                                                  const std::string& folder);

// Reads the play-list file at path; nothing when it cannot be read (missing,
// a folder, unreadable, larger than any real play list).
std::optional<std::vector<std::string>> read_foreign_play_list(const std::string& path);
