// Browsing in the editor: drive, folder and file lists, the preview of a
// clicked file and the folder remembered for the next opening.
#include "cd/cd_drive.h"
#include "cd/cd_track_stream.h"
#include "cd/cda_stub.h"
#include "cd_image.h"
#include "editor_fixture.h"

TEST_F(EditorTest, ClickingAFilePreviewsItAndAnotherReplacesIt) {
  make_folder("", {"first.mp3", "second.wav"});
  auto window = open_new();
  auto* file1 = child<FileList>(*window, "file1");
  click_row(file1, 0);
  ASSERT_EQ(player.started, std::vector<std::string>{music + "first.mp3"});
  EXPECT_TRUE(player.playing);
  const int stops = player.stops;
  click_row(file1, 1);
  EXPECT_EQ(player.started, (std::vector<std::string>{music + "first.mp3", music + "second.wav"}));
  EXPECT_EQ(player.file_name, music + "second.wav");
  EXPECT_EQ(player.stops, stops + 1);  // the new preview stops the old one first
}

TEST_F(EditorTest, AFileThatCannotBePlayedIsIgnoredSilently) {
  make_folder("", {"broken.mp3"});
  player.unplayable.insert(music + "broken.mp3");
  auto window = open_new();
  click_row(child<FileList>(*window, "file1"), 0);
  EXPECT_FALSE(player.playing);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(EditorTest, OpeningAnotherFolderStopsThePreview) {
  make_folder("", {"song.mp3"});
  make_folder("Jazz", {"take.mp3"});
  auto window = open_new();
  auto* dir1 = child<FolderList>(*window, "Dir1");
  auto* file1 = child<FileList>(*window, "file1");
  const int row = dir1->current_folder_row() + 1;
  ASSERT_EQ(dir1->entry_path(row), music + "Jazz/");
  click_row(dir1, row);  // shows Jazz's files
  click_row(file1, 0);
  ASSERT_EQ(player.started.back(), music + "Jazz/take.mp3");
  ASSERT_TRUE(player.playing);

  QTest::mouseDClick(dir1->viewport(), Qt::LeftButton, {},
                     dir1->visualItemRect(dir1->item(row)).center());
  EXPECT_EQ(dir1->path(), music + "Jazz/");
  EXPECT_EQ(file1->file_names(), std::vector<std::string>{"take.mp3"});
  EXPECT_FALSE(player.playing);
}

TEST_F(EditorTest, ClosingTheEditorStopsThePreviewAndRestsThePlayerWhileTheMusicIsOff) {
  make_folder("", {"song.mp3"});
  state.music_stopped = 1;  // as the settings window leaves it
  auto window = open_new();
  click_row(child<FileList>(*window, "file1"), 0);
  ASSERT_TRUE(player.playing);
  click(*window, "Command9");
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(player.playing);
  EXPECT_TRUE(player.resting);

  // The music started from the tray meanwhile keeps the player awake.
  state.music_stopped = 0;
  window = open_new();
  click_row(child<FileList>(*window, "file1"), 0);
  click(*window, "Command9");
  EXPECT_FALSE(player.playing);
  EXPECT_FALSE(player.resting);
}

TEST_F(EditorTest, ASingleClickOnAFolderShowsItsFilesAtOnce) {
  make_folder("", {"top.mp3"});
  make_folder("Blues", {"one.mp3", "two.MP3"});
  auto window = open_new();
  auto* dir1 = child<FolderList>(*window, "Dir1");
  auto* file1 = child<FileList>(*window, "file1");
  click_row(file1, 0);
  ASSERT_TRUE(player.playing);

  click_row(dir1, dir1->current_folder_row() + 1);
  EXPECT_EQ(file1->path(), music + "Blues/");
  EXPECT_EQ(file1->file_names(), (std::vector<std::string>{"one.mp3", "two.MP3"}));
  EXPECT_EQ(dir1->path(), music);  // the folder list keeps its folder
  EXPECT_FALSE(player.playing);

  // Add All takes the shown folder's files.
  click(*window, "Command1");
  EXPECT_EQ(window->entry_paths(),
            (std::vector<std::string>{music + "Blues/one.mp3", music + "Blues/two.MP3"}));
}

TEST_F(EditorTest, ClickingTheFolderAlreadyShownStopsNothing) {
  make_folder("", {"song.mp3"});
  auto window = open_new();
  click_row(child<FileList>(*window, "file1"), 0);
  const int stops = player.stops;
  auto* dir1 = child<FolderList>(*window, "Dir1");
  click_row(dir1, dir1->current_folder_row());
  EXPECT_EQ(player.stops, stops);
  EXPECT_TRUE(player.playing);
}

TEST_F(EditorTest, ADriveThatCannotBeReadFallsBackToTheEditorFolderSilently) {
  make_folder("Deep", {"x.mp3"});
  state.editor_folder = music + "Deep/";
  auto window = open_new();
  auto* drive1 = child<DriveList>(*window, "Drive1");
  auto* dir1 = child<FolderList>(*window, "Dir1");
  click_row(dir1, dir1->current_folder_row() - 1);  // show another folder's files first
  drive1->set_drive("/davrin-no-medium/");
  emit drive1->activated(drive1->currentIndex());  // as the user's choice in the list
  EXPECT_EQ(drive1->drive(), DriveList::drive_of(music + "Deep/"));
  EXPECT_EQ(dir1->path(), music + "Deep/");
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(EditorTest, ChoosingADriveOpensItsRoot) {
  auto window = open_new();
  auto* drive1 = child<DriveList>(*window, "Drive1");
  drive1->set_drive("/");
  emit drive1->activated(drive1->currentIndex());
  EXPECT_EQ(child<FolderList>(*window, "Dir1")->path(), "/");
  EXPECT_EQ(child<FileList>(*window, "file1")->path(), "/");
}

TEST_F(EditorTest, AnUnreachableEditorFolderOpensThePlayListFolder) {
  tmp.write("lists/in lists.mp3", "x");
  state.editor_folder = tmp.folder() + "removed medium/";
  auto window = open_new();
  EXPECT_EQ(child<FolderList>(*window, "Dir1")->path(), lists);
  EXPECT_EQ(child<FileList>(*window, "file1")->file_names(),
            std::vector<std::string>{"in lists.mp3"});
  EXPECT_EQ(state.editor_folder, lists);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(EditorTest, TheNextOpeningStartsInTheFolderShownAtClosing) {
  make_folder("Pop", {"hit.mp3"});
  {
    auto window = open_new();
    auto* dir1 = child<FolderList>(*window, "Dir1");
    click_row(dir1, dir1->current_folder_row() + 1);  // shown, not opened
    click(*window, "Command9");
  }
  EXPECT_EQ(state.editor_folder, music + "Pop/");
  auto again = open_new();
  EXPECT_EQ(child<FolderList>(*again, "Dir1")->path(), music + "Pop/");
  EXPECT_EQ(child<FileList>(*again, "file1")->file_names(), std::vector<std::string>{"hit.mp3"});
}

// The CD drive holds a disc: a CUE/BIN image of three tones.
TEST_F(EditorTest, AnAudioCdInTheDriveListsItsTracksAndTheirEntriesPlay) {
  const CdImage image = make_cd_image(tmp.folder(), {440, 660, 990}, 1);
  ASSERT_FALSE(image.cue.empty());
  state.cd_device = image.cue;
  auto window = open_new();
  auto* drive1 = child<DriveList>(*window, "Drive1");
  auto* file1 = child<FileList>(*window, "file1");
  const QString disc = QString::fromStdString(image.cue + "/");
  ASSERT_TRUE(QTest::qWaitFor([&] { return drive1->findData(disc.toUtf8()) >= 0; }, 5000));
  EXPECT_EQ(drive1->itemText(drive1->findData(disc.toUtf8())),
            QString::fromStdString(image.cue) + " (Audio CD)");

  drive1->setFocus();
  QTest::keyClick(drive1, Qt::Key_End);  // the disc comes last
  ASSERT_TRUE(drive1->audio_disc_chosen());
  EXPECT_EQ(file1->file_names(),
            (std::vector<std::string>{"Track01.cda", "Track02.cda", "Track03.cda"}));
  EXPECT_EQ(child<FolderList>(*window, "Dir1")->count(), 1);

  click_row(file1, 1);
  EXPECT_EQ(player.started.back(), image.cue + "/Track02.cda");
  click(*window, "Command1");
  ASSERT_EQ(window->entry_titles(),
            (std::vector<std::string>{"Track01.cda", "Track02.cda", "Track03.cda"}));
  CdDrive drive(image.cue);
  for (int track = 1; track <= 3; ++track) {
    const std::string& entry = window->entry_paths()[track - 1];
    const std::optional<CdTrackRef> ref = cd_track_of(entry);
    ASSERT_TRUE(ref) << entry;
    EXPECT_EQ(ref->track, track);
    EXPECT_TRUE(open_cd_track(drive, *ref, std::chrono::seconds(5))) << entry;
  }
}
