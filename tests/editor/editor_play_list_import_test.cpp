// Newer music formats and the play lists of other players in the editor: the
// file list shows them, Add Selected opens a play list into the tracks it
// names, Add All passes play lists over.
#include "editor_fixture.h"

namespace {

constexpr const char* kLimitMessage = "Only 30000 files per collection please!";

// Selects the file list's entries with these names (and no other).
void select_names(FileList* file1, const std::vector<std::string>& names) {
  file1->clearSelection();
  for (int i = 0; i < file1->count(); ++i) {
    const std::string name = file1->item(i)->text().toStdString();
    if (std::find(names.begin(), names.end(), name) != names.end())
      file1->item(i)->setSelected(true);
  }
}

}  // namespace

TEST_F(EditorTest, PlayListsOfOtherPlayersAddTheirMusicInOrder) {
  make_folder("Album One", {"a.flac", "b.ogg", "c.opus", "d.OGA", "cover.jpg"});
  // As players write them: a BOM, #EXTINF, escaped addresses, CR LF, relative
  // Windows paths, streams, PLS keys out of order, a bare CR.
  const std::string album = music + "Album One/";
  tmp.write("music/vlc.m3u8",
            "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:61,The Sines - A\r\nfile://" + music +
                "Album%20One/a.flac\r\n#EXTINF:-1,Radio\r\nhttp://radio.example/live.mp3\r\n"
                "#EXTINF:62,The Sines - C\r\nfile:///" +
                album.substr(1) + "c.opus\r\n");
  tmp.write("music/winamp.m3u",
            "#EXTM3U\r\n#EXTINF:62,B\r\nAlbum One\\b.ogg\r\nAlbum One\\cover.jpg\r\n"
            "C:\\Music\\elsewhere.mp3\r\n");
  tmp.write("music/plain.m3u", "./Album One/d.OGA\n\n" + album + "a.flac\n../music/top.MP3\n");
  tmp.write("music/radio.pls", "[playlist]\rFile2=" + album + "b.ogg\rTitle2=B\rFile1=" + album +
                                   "c.opus\rNumberOfEntries=2\rVersion=2\r");
  tmp.write("music/top.MP3", "music");
  auto window = open_new();
  auto* file1 = child<FileList>(*window, "file1");
  EXPECT_EQ(file1->file_names(), (std::vector<std::string>{"plain.m3u", "radio.pls", "top.MP3",
                                                           "vlc.m3u8", "winamp.m3u"}));

  select_names(file1, {"plain.m3u", "radio.pls", "top.MP3", "vlc.m3u8", "winamp.m3u"});
  click(*window, "Command8");
  const std::vector<std::string> expected{album + "d.OGA",   album + "a.flac",
                                          music + "top.MP3",                   // plain.m3u
                                          album + "c.opus",  album + "b.ogg",  // radio.pls
                                          music + "top.MP3",  // the selected track itself
                                          album + "a.flac",  album + "c.opus",  // vlc.m3u8
                                          album + "b.ogg"};                     // winamp.m3u
  EXPECT_EQ(window->entry_paths(), expected);
  EXPECT_EQ(window->item_count(), 9);
  EXPECT_EQ(texts(child<QListView>(*window, "List1")),
            (std::vector<std::string>{"d.OGA", "a.flac", "top.MP3", "c.opus", "b.ogg", "top.MP3",
                                      "a.flac", "c.opus", "b.ogg"}));
  EXPECT_TRUE(ui.boxes.empty());

  // Add All takes the music files only: the folder's own lists would add them twice.
  click(*window, "Command2");
  click(*window, "Command1");
  EXPECT_EQ(window->entry_paths(), std::vector<std::string>{music + "top.MP3"});

  // The new formats are listed in any letter case and added like the others.
  open_folder(*window, album);
  EXPECT_EQ(file1->file_names(), (std::vector<std::string>{"a.flac", "b.ogg", "c.opus", "d.OGA"}));
  click(*window, "Command1");
  EXPECT_EQ(window->item_count(), 5);
  EXPECT_EQ(window->entry_paths().back(), album + "d.OGA");
}

TEST_F(EditorTest, APlayListThatGivesNothingSaysSoOnceAndKeepsTheList) {
  make_folder("", {"good.flac"});
  tmp.write("music/empty.m3u", "#EXTM3U\r\n#EXTINF:10,Nothing\r\n");
  tmp.write("music/streams.pls", "[playlist]\nFile1=https://radio.example/a.ogg\n");
  tmp.write("music/gone.m3u8", "/m/x.mp3\n");
  auto window = open_existing("Kept", {"/m/1.mp3", "/m/2.mp3"});
  auto* file1 = child<FileList>(*window, "file1");
  std::filesystem::remove(music + "gone.m3u8");  // listed, then taken away

  select_names(file1, {"empty.m3u", "good.flac", "gone.m3u8", "streams.pls"});
  click(*window, "Command8");
  EXPECT_EQ(window->entry_paths(),
            (std::vector<std::string>{"/m/1.mp3", "/m/2.mp3", music + "good.flac"}));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text,
            "No music files could be added from these play lists:\r\rempty.m3u\rgone.m3u8\r"
            "streams.pls");
  EXPECT_EQ(ui.boxes[0].title, "Davrin Audio Player");
  EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(ui.boxes[0].icon, MsgIcon::None);
  EXPECT_TRUE(window->isVisible());

  select_names(file1, {"empty.m3u"});
  click(*window, "Command8");
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[1].text, "No music files could be added from this play list:\r\rempty.m3u");
  EXPECT_EQ(window->item_count(), 3);
}

TEST_F(EditorTest, APlayListStopsAtTheLimitWithTheLimitMessage) {
  make_folder("", {});
  tmp.write("music/three.m3u", "/m/a.mp3\n/m/b.mp3\n/m/c.mp3\n");
  auto window = open_new();
  std::vector<std::string> earlier;
  for (int i = 0; i < 29999; ++i) earlier.push_back("/old/" + std::to_string(i) + ".mp3");
  window->append_entries(earlier);

  select_names(child<FileList>(*window, "file1"), {"three.m3u"});
  click(*window, "Command8");
  EXPECT_EQ(window->item_count(), 30000);
  EXPECT_EQ(window->entry_paths().back(), "/m/a.mp3");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, kLimitMessage);
}
