// Arbitrary bytes through file_title_of, the two key filters (every 16-bit
// code the input holds) and the pasted-text filters.
#include <cstdint>
#include <string>
#include <string_view>

#include "editor/key_filters.h"
#include "fuzz_check.h"
#include "store/play_list_files.h"

namespace {

// The table of accepted codes, written out.
bool reference_title(int code) {
  return code == 8 || code == 32 || (code >= 48 && code <= 57) || (code >= 65 && code <= 90) ||
         (code >= 97 && code <= 122) || code == 64;
}
bool reference_link(int code) {
  return reference_title(code) || code == 58 || code == 47 || code == 46 || code == 63;
}

void check_code(int code) {
  const bool title = title_key_filter(code);
  const bool link = link_key_filter(code);
  FUZZ_CHECK(!title || link, "a title character is also a link character");
  FUZZ_CHECK(title == reference_title(code), "the title filter follows its table");
  FUZZ_CHECK(link == reference_link(code), "the link filter follows its table");
}

std::string reference_filter(std::string_view text, bool (*accept)(int)) {
  std::string kept;
  for (char c : text) {
    const int code = static_cast<unsigned char>(c);
    if (code != 8 && accept(code)) kept.push_back(c);
  }
  return kept;
}

void check_text_filters(const std::string& text) {
  const std::string title = filter_title_text(text);
  const std::string link = filter_link_text(text);
  FUZZ_CHECK(title == reference_filter(text, reference_title),
             "pasted titles keep what typing keeps");
  FUZZ_CHECK(link == reference_filter(text, reference_link), "pasted links keep what typing keeps");
  FUZZ_CHECK(filter_title_text(title) == title && filter_link_text(link) == link,
             "filtering twice changes nothing");
  FUZZ_CHECK(filter_title_text(link) == title, "a link filtered as a title is the title");
  // A title becomes a file name: nothing in it may leave the play-list folder.
  FUZZ_CHECK(title.find_first_of("/\\.\"") == std::string::npos, "a title names one file");
  for (char c : link) FUZZ_CHECK(static_cast<unsigned char>(c) < 128, "links stay ASCII");
}

void check_file_title(const std::string& path) {
  const std::string title = file_title_of(path);
  FUZZ_CHECK(title.size() <= path.size(), "the title is part of the path");
  FUZZ_CHECK(path.compare(path.size() - title.size(), title.size(), title) == 0,
             "the title is the end of the path");
  FUZZ_CHECK(title.find_first_of("/\\") == std::string::npos, "the title holds no separator");
  const size_t before = path.size() - title.size();
  FUZZ_CHECK(before == 0 || path[before - 1] == '/' || path[before - 1] == '\\',
             "the title starts right after the last separator");
  FUZZ_CHECK(before != 0 || title == path, "a path without a separator is its own title");
  FUZZ_CHECK(file_title_of(title) == title, "a title is its own title");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Every code a key press can carry, once.
  for (int code = 0; code <= 0xFFFF; ++code) check_code(code);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string text(reinterpret_cast<const char*>(bytes), size);
  check_file_title(text);
  for (size_t i = 0; i + 1 < size; i += 2) check_code(bytes[i] | (bytes[i + 1] << 8));
  check_code(size > 0 ? bytes[0] : 0);
  check_text_filters(text);
  return 0;
}
