#pragma once
// Which typed characters the filtered text boxes let through: the play-list
// title (it becomes a file name) and the two web-link boxes.
#include <string>

inline constexpr int kBackspaceCode = 8;

// Backspace, space, digits, letters and "@".
bool title_key_filter(int code);
// What the title accepts, and ":", "/", "." and "?" for web addresses.
bool link_key_filter(int code);

// The text without the characters the filter refuses (pasted or dropped
// text). Backspace is an editing key, not a character: it is dropped too.
std::string filter_title_text(const std::string& text);
std::string filter_link_text(const std::string& text);
