// Writes the seed corpus of the fuzz targets: play-list files as the program
// writes them, and the odd shapes a hand-edited one takes.
// Build and run from the work tree:
//   g++ -std=c++20 -Isrc tests/fuzz/make_corpus.cpp src/store/play_list_files.cpp \
//     src/store/field_reader.cpp src/player/play_order.cpp src/player/random_draw.cpp \
//     -o /tmp/make_corpus && /tmp/make_corpus tests/fuzz/corpus
#include <fstream>
#include <string>
#include <vector>

#include "store/play_list_files.h"

namespace {

void put(const std::string& folder, const std::string& name, const std::string& bytes) {
  std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
}

std::string replace_all(std::string s, const std::string& from, const std::string& to) {
  for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size())) {
    s.replace(at, from.size(), to);
  }
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string lists = std::string(argv[1]) + "/play_list";
  const std::string texts = std::string(argv[1]) + "/text";

  const std::vector<std::string> three = {"/home/anna/Music/Rock/01 Intro.mp3",
                                          "/home/anna/Music/Sigur R\xc3\xb3s/Hopp\xc3\xadpolla.mp3",
                                          "/media/cd/Track02.cda"};
  put(lists, "empty.cap", format_play_list({}));
  put(lists, "one.cap", format_play_list({"/home/anna/Music/song.mp3"}));
  put(lists, "three_utf8.cap", format_play_list(three));
  put(lists, "lf_only.cap", replace_all(format_play_list(three), "\r\n", "\n"));
  put(lists, "cr_only.cap", replace_all(format_play_list(three), "\r\n", "\r"));
  put(lists, "comma_separated.cap",
      "\"Davrin Audio Player\",\"Davrin Software\",\"https://example.org/\",2,\"/a, b.mp3\","
      "\"/c.wav\"\r\n");
  const std::string full = format_play_list(three);
  put(lists, "truncated.cap", full.substr(0, full.size() - 12));
  put(lists, "count_too_big.cap", replace_all(full, "\r\n3\r\n", "\r\n4\r\n"));
  put(lists, "negative_count.cap", replace_all(full, "\r\n3\r\n", "\r\n-1\r\n"));
  put(lists, "count_not_a_number.cap", replace_all(full, "\r\n3\r\n", "\r\n3 tracks\r\n"));
  put(lists, "count_overflow.cap", replace_all(full, "\r\n3\r\n", "\r\n2147483648\r\n"));
  put(lists, "unquoted_and_junk.cap",
      "  other product\r\n\"\"\r\n\"x\" junk, more\r\n 2 \r\n/plain/path.mp3\r\n\r\n"
      "\"/quoted.mp3\"tail\r\nextra line\r\n");
  put(lists, "unclosed_quote.cap", "\"a\"\r\n\"b\"\r\n\"c\"\r\n1\r\n\"/never/closed.mp3\r\n");
  put(lists, "midi_and_cd.cap",
      format_play_list({"/music/a.mid", "/music/b.rmi", "/music/c.wav", "/music/Track01.cda"}));

  put(texts, "linux_path", "/home/anna/Music/Rock/01 Intro.mp3");
  put(texts, "windows_path", "C:\\Music\\Jazz\\Take Five.mp3");
  put(texts, "mixed_separators", "D:\\Backup/Music\\Mix/track.wav");
  put(texts, "trailing_separator", "/home/anna/Music/");
  put(texts, "no_separator", "song.mp3");
  put(texts, "utf8_title", "Sigur R\xc3\xb3s @ 2008 Live 1");
  put(texts, "web_link", "http://www.example.org/audio?station=42");
  put(texts, "control_codes", std::string("A\x08\x16\x03\x18\r\n\tZ", 10));
  return 0;
}
