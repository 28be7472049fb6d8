#include "editor/key_filters.h"

namespace {

bool is_plain_character(int code) {
  return code == kBackspaceCode || code == ' ' || code == '@' || (code >= '0' && code <= '9') ||
         (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
}

// Every byte of a multi-byte character is above 122, so it is dropped whole.
template <typename Filter>
std::string keep_accepted(const std::string& text, Filter filter) {
  std::string kept;
  kept.reserve(text.size());
  for (const char c : text) {
    const int code = static_cast<unsigned char>(c);
    if (code != kBackspaceCode && filter(code)) kept.push_back(c);
  }
  return kept;
}

}  // namespace

bool title_key_filter(int code) {
  return is_plain_character(code);
}

bool link_key_filter(int code) {
  return is_plain_character(code) || code == ':' || code == '/' || code == '.' || code == '?';
}

std::string filter_title_text(const std::string& text) {
  return keep_accepted(text, title_key_filter);
}

std::string filter_link_text(const std::string& text) {
  return keep_accepted(text, link_key_filter);
}
