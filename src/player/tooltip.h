#pragma once
// The status line that the tray icon's tooltip shows, and its shortening for
// platforms whose tooltips hold only a limited number of characters.
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr const char* kSettingsHint = " Click on SETTINGS to create a play list! ";

// Characters a tray tooltip can hold here; 0: no limit.
#ifdef _WIN32
inline constexpr size_t kTooltipLimit = 127;
#else
inline constexpr size_t kTooltipLimit = 0;
#endif

// " Play List: <name>  Track: (<position>/<count>) <file title> ".
std::string track_status_text(const std::string& list_name, int32_t position, int32_t count,
                              const std::string& file_title);

// Fits text into max_chars characters (UTF-8 characters; 0 means no limit).
// A track line keeps its position and the start of its file name: the
// play-list name is shortened first, then the end of the file name, each
// marked with "…". Any other text is cut at its end.
std::string shorten_tooltip(const std::string& text, size_t max_chars);
