#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "export_test_support.h"

namespace fs = std::filesystem;

namespace {

class ExportJob : public ::testing::Test, protected ExportSetup {
 protected:
  ExportOutcome run() { return zip_it(state, ui, zip, view); }
  StagingZip zip{state};
  RecordingView view{state};
};

std::vector<std::string> tracks_of(ExportSetup& s, int n) {
  std::vector<std::string> paths;
  for (int i = 1; i <= n; ++i)
    paths.push_back(s.track("t" + std::to_string(i) + ".mp3", "track " + std::to_string(i)));
  return paths;
}

}  // namespace

TEST(ExportPercent, IsTheIntegerPartOfTheRatioTimesHundred) {
  EXPECT_EQ(copy_percent(29, 100), 28);
  EXPECT_EQ(copy_percent(29, 50), 57);
  EXPECT_EQ(copy_percent(1, 3), 33);
  EXPECT_EQ(copy_percent(2, 3), 66);
  for (int n : {1, 3, 7, 49, 50, 100, 30000}) EXPECT_EQ(copy_percent(n, n), 100) << n;
}

TEST(ExportStagedName, NumbersLaterNamesBeforeTheExtension) {
  EXPECT_EQ(staged_name("song.mp3", {}), "song.mp3");
  EXPECT_EQ(staged_name("song.mp3", {"song.mp3"}), "song (2).mp3");
  EXPECT_EQ(staged_name("song.mp3", {"song.mp3", "song (2).mp3"}), "song (3).mp3");
  EXPECT_EQ(staged_name("song", {"song"}), "song (2)");
  EXPECT_EQ(staged_name("my.old.song.wav", {"my.old.song.wav"}), "my.old.song (2).wav");
  EXPECT_EQ(staged_name("Song.mp3", {"song.mp3"}), "Song.mp3");
}

TEST(ExportOutcomeBox, SaysSuccessOrTheErrorNumberExactly) {
  MessageBoxRequest ok = export_outcome_message(0, 0);
  EXPECT_EQ(ok.text, "Finished making .zip file.\rNo errors reported.");
  EXPECT_EQ(ok.title, "Davrin Audio Player");
  EXPECT_EQ(ok.buttons, MsgButtons::Ok);
  EXPECT_EQ(ok.icon, MsgIcon::None);

  MessageBoxRequest bad = export_outcome_message(-3, 0);
  EXPECT_EQ(bad.text, "Error #: -3\r\rFailed to create .zip file!");
  EXPECT_EQ(bad.title, ".ZIP Error!");
  EXPECT_EQ(bad.buttons, MsgButtons::Ok);
  EXPECT_EQ(bad.icon, MsgIcon::None);

  EXPECT_EQ(export_outcome_message(0, 2).text,
            "Finished making .zip file.\r2 track(s) could not be copied.");
  EXPECT_EQ(export_outcome_message(7, 1).text,
            "Error #: 7\r\rFailed to create .zip file!\r1 track(s) could not be copied.");
}

TEST_F(ExportJob, DrawsEachTrackBeforeCopyingIt) {
  play_list("Rock", tracks_of(*this, 3));
  ExportOutcome outcome = run();

  ASSERT_EQ(view.drawings.size(), 3u);
  EXPECT_EQ(view.drawings[0].text, "Copying Files: 1/3");
  EXPECT_EQ(view.drawings[1].text, "Copying Files: 2/3");
  EXPECT_EQ(view.drawings[2].text, "Copying Files: 3/3");
  EXPECT_EQ(view.drawings[0].percent, 33);
  EXPECT_EQ(view.drawings[1].percent, 66);
  EXPECT_EQ(view.drawings[2].percent, 100);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(view.drawings[i].staged_files, i);
  EXPECT_EQ(outcome.copied, 3);
  EXPECT_EQ(outcome.skipped, 0);
  EXPECT_EQ(zip.staged.size(), 4u);
  EXPECT_EQ(zip.staged["t2.mp3"], "track 2");
  EXPECT_EQ(zip.staged["Rock.m3u8"], "#EXTM3U\r\nt1.mp3\r\nt2.mp3\r\nt3.mp3\r\n");
}

TEST_F(ExportJob, OneTrackShowsOneOfOneAtHundredPercent) {
  play_list("Single", tracks_of(*this, 1));
  run();
  ASSERT_EQ(view.drawings.size(), 1u);
  EXPECT_EQ(view.drawings[0].text, "Copying Files: 1/1");
  EXPECT_EQ(view.drawings[0].percent, 100);
}

TEST_F(ExportJob, PercentagesOfLongListsAreTruncated) {
  play_list("Hundred", tracks_of(*this, 100));
  run();
  ASSERT_EQ(view.drawings.size(), 100u);
  EXPECT_EQ(view.drawings[28].text, "Copying Files: 29/100");
  EXPECT_EQ(view.drawings[28].percent, 28);
  EXPECT_EQ(view.drawings[99].percent, 100);

  view.drawings.clear();
  play_list("Fifty", tracks_of(*this, 50));
  run();
  ASSERT_EQ(view.drawings.size(), 50u);
  EXPECT_EQ(view.drawings[28].text, "Copying Files: 29/50");
  EXPECT_EQ(view.drawings[28].percent, 57);
  EXPECT_EQ(view.drawings[49].percent, 100);
}

TEST_F(ExportJob, LeftoversOfAnEarlierExportAreNotPacked) {
  dir.write("lists/build/old leftover.mp3", "from another list");
  play_list("Rock", tracks_of(*this, 2));
  run();
  EXPECT_EQ(zip.staged.size(), 3u);
  EXPECT_FALSE(zip.staged.count("old leftover.mp3"));
  ASSERT_FALSE(view.drawings.empty());
  EXPECT_EQ(view.drawings[0].staged_files, 0u);
}

TEST_F(ExportJob, SameFileNamesFromDifferentFoldersAreAllExported) {
  std::string a = dir.write("music/a/song.mp3", "first");
  std::string b = dir.write("music/b/song.mp3", "second");
  std::string c = dir.write("music/c/song.mp3", "third");
  std::string d = dir.write("music/d/other.wav", "fourth");
  // A track named like the play list's own file gives way to it.
  std::string e = dir.write("music/e/Clash.m3u8", "fifth");
  std::string f = dir.write("music/#1 Hit.mp3", "sixth");
  play_list("Clash", {a, b, d, c, e, f});
  ExportOutcome outcome = run();

  EXPECT_EQ(outcome.copied, 6);
  // The play list names each track as it is packed, in play-list order.
  std::map<std::string, std::string> expected{
      {"song.mp3", "first"},
      {"song (2).mp3", "second"},
      {"song (3).mp3", "third"},
      {"other.wav", "fourth"},
      {"Clash (2).m3u8", "fifth"},
      {"#1 Hit.mp3", "sixth"},
      {"Clash.m3u8",
       "#EXTM3U\r\nsong.mp3\r\nsong (2).mp3\r\nother.wav\r\nsong (3).mp3\r\n"
       "Clash (2).m3u8\r\n./#1 Hit.mp3\r\n"}};
  EXPECT_EQ(zip.staged, expected);
  EXPECT_EQ(ui.boxes.back().text, "Finished making .zip file.\rNo errors reported.");
}

TEST_F(ExportJob, MissingTracksAreSkippedAndCounted) {
  std::string a = track("a.mp3", "A");
  std::string b = track("b.mp3", "B");
  std::string gone = dir.folder() + "music/gone.mp3";
  std::string folder = dir.folder() + "music/";  // a folder is no track either
  // A missing track does not take the name of a later one.
  std::string same_name = dir.write("music/x/gone.mp3", "here");
  play_list("Holes", {a, gone, b, folder, same_name});
  ExportOutcome outcome = run();

  EXPECT_EQ(outcome.copied, 3);
  EXPECT_EQ(outcome.skipped, 2);
  EXPECT_EQ(view.drawings.size(), 5u);
  std::map<std::string, std::string> expected{
      {"a.mp3", "A"},
      {"b.mp3", "B"},
      {"gone.mp3", "here"},
      {"Holes.m3u8", "#EXTM3U\r\na.mp3\r\nb.mp3\r\ngone.mp3\r\n"}};
  EXPECT_EQ(zip.staged, expected);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Finished making .zip file.\r2 track(s) could not be copied.");
  EXPECT_EQ(ui.boxes[0].title, "Davrin Audio Player");
  EXPECT_FALSE(fs::exists(staging()));
}

TEST_F(ExportJob, SuccessShowsTheFinishedBoxAndRemovesTheStagingFolder) {
  play_list("Rock", tracks_of(*this, 2));
  ExportOutcome outcome = run();
  EXPECT_TRUE(outcome.packed);
  EXPECT_EQ(outcome.result_code, 0);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Finished making .zip file.\rNo errors reported.");
  EXPECT_EQ(ui.boxes[0].title, "Davrin Audio Player");
  EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(ui.boxes[0].icon, MsgIcon::None);
  EXPECT_FALSE(fs::exists(staging()));
  EXPECT_EQ(state.build_folder, staging());
}

TEST_F(ExportJob, NegativeResultCodeKeepsItsSign) {
  zip.result = -3;
  play_list("Rock", tracks_of(*this, 2));
  ExportOutcome outcome = run();
  EXPECT_EQ(outcome.result_code, -3);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Error #: -3\r\rFailed to create .zip file!");
  EXPECT_EQ(ui.boxes[0].title, ".ZIP Error!");
  EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(ui.boxes[0].icon, MsgIcon::None);
  EXPECT_FALSE(fs::exists(staging()));
}

TEST_F(ExportJob, EmptyPlayListMakesNoArchiveAndShowsNothing) {
  play_list("Empty", {});
  ExportOutcome outcome = run();
  EXPECT_FALSE(outcome.packed);
  EXPECT_TRUE(zip.steps.empty());
  EXPECT_TRUE(view.drawings.empty());
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_FALSE(fs::exists(staging()));
  EXPECT_FALSE(fs::exists(archive("Empty")));
}

TEST_F(ExportJob, PlayListThatFailsToLoadShowsOnlyTheLoaderMessage) {
  dir.write("lists/Broken.cap", "\"a\"\r\n\"b\"\r\n\"c\"\r\n5\r\n\"/only/one.mp3\"\r\n");
  state.current_list_name = "Broken";
  ExportOutcome outcome = run();
  EXPECT_FALSE(outcome.packed);
  EXPECT_TRUE(zip.steps.empty());
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Error loading playlist data!");
  EXPECT_FALSE(fs::exists(staging()));
}

TEST_F(ExportJob, MissingPlayListFileIsReportedByTheLoader) {
  state.current_list_name = "Nowhere";
  ExportOutcome outcome = run();
  EXPECT_FALSE(outcome.packed);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Error loading playlist data!");
  EXPECT_EQ(state.track_count, 0);
}

TEST_F(ExportJob, ReloadsTheListAndMakesItActive) {
  state.track_count = 5;  // whatever was loaded before
  play_list("Rock", tracks_of(*this, 2));
  run();
  EXPECT_EQ(state.track_count, 2);
  EXPECT_EQ(state.active_collection, "Rock");
  EXPECT_EQ(view.drawings.size(), 2u);
}

TEST_F(ExportJob, HandsTheStagingFolderAndArchivePathToTheComponent) {
  play_list("My Rock", tracks_of(*this, 2));
  run();
  EXPECT_EQ(zip.step_value(zip_member::kArchivePath), archive("My Rock"));
  EXPECT_EQ(zip.step_value(zip_member::kFileSpec), "\"" + staging() + "*.*\"");
  EXPECT_EQ(zip.step_value(zip_member::kAction), "4");
  EXPECT_EQ(zip.action_count(), 1);
}

TEST_F(ExportJob, ComponentProgressDrawsZippingLinesOnlyDuringTheRun) {
  zip.events = {{"t1.mp3", 50}, {"t2.mp3", 100}};
  play_list("Rock", tracks_of(*this, 2));
  run();
  ASSERT_EQ(view.drawings.size(), 4u);
  EXPECT_EQ(view.drawings[2].text, "Zipping: t1.mp3");
  EXPECT_EQ(view.drawings[2].percent, 50);
  EXPECT_EQ(view.drawings[3].text, "Zipping: t2.mp3");
  EXPECT_EQ(view.drawings[3].percent, 100);
  zip.late_event();
  EXPECT_EQ(view.drawings.size(), 4u);
}

TEST(ExportStagingFolder, IsMadeEmptiedAndRemovedQuietly) {
  TempDir dir;
  PlayerState state;
  state.playlist_folder = dir.folder();
  make_build_folder(state);
  EXPECT_EQ(state.build_folder, dir.folder() + "build/");
  EXPECT_TRUE(fs::is_directory(state.build_folder));
  make_build_folder(state);  // already there: no complaint
  dir.write("build/a.mp3", "a");
  dir.write("build/b.wav", "b");
  empty_build_folder(state);
  EXPECT_TRUE(fs::is_directory(state.build_folder));
  EXPECT_TRUE(fs::is_empty(state.build_folder));
  remove_build_folder(state);
  EXPECT_FALSE(fs::exists(state.build_folder));
  empty_build_folder(state);  // gone: no complaint
  remove_build_folder(state);

  state.playlist_folder = dir.folder() + "no/such/folder/";
  make_build_folder(state);
  EXPECT_FALSE(fs::exists(state.build_folder));
}
