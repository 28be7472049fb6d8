// Play lists of other players: which entries name local music files, and the
// path each one resolves to. The styles real players write are in the editor's
// tests; here are the entries that are easy to get wrong.
#include "store/foreign_play_list.h"

#include <gtest/gtest.h>

namespace {

using Paths = std::vector<std::string>;
const std::string kFolder = "/home/me/Lists/";

Paths m3u(const std::string& text) {
  return foreign_play_list_tracks(text, ForeignFormat::M3u, kFolder);
}

}  // namespace

TEST(ForeignPlayList, EntriesResolveAsThePlayerThatWroteThemMeantThem) {
  EXPECT_EQ(
      m3u("file://localhost/m/Caf%C3%A9%20%231.flac\n"
          "file:/m/one%2.ogg\n"        // a lone '%' stays as it is
          "FILE:///m/%zz.opus\n"       // and so does one without two hex digits
          "file://nas/m/remote.mp3\n"  // another host
          "file:///m/nul%00.mp3\n"
          "smb://nas/m/share.mp3\n"
          "C:\\Music\\win.mp3\n"
          "\\\\server\\share\\unc.mp3\n"
          "Live:Take 2.mp3\n"
          "../Music/./Rock//up.WAV\n"
          "/m/../../root.mid\n"
          "  /m/blanks around.mp3 \t\n"
          "/m/a folder.mp3/\n"
          "/m/cover.jpg\n"
          "/m/.mp3\n"),
      (Paths{"/m/Café #1.flac", "/m/one%2.ogg", "/m/%zz.opus", "/home/me/Lists/Live:Take 2.mp3",
             "/home/me/Music/Rock/up.WAV", "/root.mid", "/m/blanks around.mp3"}));
}

TEST(ForeignPlayList, PlsEntriesComeInTheOrderOfTheirNumbers) {
  const std::string text =
      "[playlist]\r"
      "NumberOfEntries=4\r"
      "File10=/m/ten.mp3\r"
      "file2 = Album\\two.oga\r"
      "Title2=Two\r"
      "File=/m/no number.mp3\r"
      "File1x=/m/bad key.mp3\r"
      "File1=/m/one.mp3\r"
      "File3=http://radio.example/live.mp3\r"
      "Version=2\r";
  EXPECT_EQ(foreign_play_list_tracks(text, ForeignFormat::Pls, kFolder),
            (Paths{"/m/one.mp3", "/home/me/Lists/Album/two.oga", "/m/ten.mp3"}));
}

TEST(ForeignPlayList, FormatIsToldByTheExtensionInAnyCase) {
  EXPECT_EQ(foreign_play_list_format("/a/Mix.M3U"), ForeignFormat::M3u);
  EXPECT_EQ(foreign_play_list_format("mix.m3u8"), ForeignFormat::M3u);
  EXPECT_EQ(foreign_play_list_format("radio.Pls"), ForeignFormat::Pls);
  EXPECT_FALSE(foreign_play_list_format("/a/song.mp3"));
  EXPECT_FALSE(foreign_play_list_format("/a.m3u/song"));
  EXPECT_FALSE(foreign_play_list_format("/a/.m3u"));
}
