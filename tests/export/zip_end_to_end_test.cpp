#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sstream>

#include "audio_files.h"
#include "cd_image.h"
#include "export/frm_zipit.h"
#include "export/libarchive_zip.h"
#include "export_test_support.h"
#include "fake_launcher.h"
#include "fake_media_player.h"
#include "fake_settings_store.h"
#include "store/foreign_play_list.h"

namespace fs = std::filesystem;

namespace {

struct Command {
  int status;
  std::string output;
};

Command run_command(const std::string& command) {
  Command result{-1, ""};
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
  result.status = pclose(pipe);
  return result;
}

std::string quoted(const std::string& path) {
  return "'" + path + "'";
}

std::string noise(size_t bytes, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s(bytes, '\0');
  for (char& c : s) c = static_cast<char>(gen());
  return s;
}

// Every entry of the archive with its contents, as Python's zipfile reads it:
// one line per entry, name and the contents' SHA-256.
const char* kListByPython =
    "import hashlib, sys, zipfile\n"
    "z = zipfile.ZipFile(sys.argv[1])\n"
    "assert z.testzip() is None\n"
    "for i in sorted(z.infolist(), key=lambda i: i.filename):\n"
    "    print(i.filename, hashlib.sha256(z.read(i)).hexdigest())\n";

std::string sha256_lines(const std::map<std::string, std::string>& files, const std::string& dir) {
  std::string lines;
  for (const auto& [name, bytes] : files) {
    Command sum = run_command("sha256sum " + quoted(dir + name));
    lines += name + " " + sum.output.substr(0, 64) + "\n";
  }
  return lines;
}

class ZipEndToEnd : public ::testing::Test, protected ExportSetup {
 protected:
  ZipEndToEnd() {
    // Blanks in the program's folder reach the component's file specification.
    state.playlist_folder = dir.folder() + "my lists/";
    fs::create_directories(state.playlist_folder);
  }
  AppContext ctx() { return AppContext{state, ui, player, store, zip, launcher}; }

  LibarchiveZip zip;
  RecordingView view{state};
  FakeMediaPlayer player;
  FakeSettingsStore store;
  FakeLauncher launcher;
};

}  // namespace

TEST_F(ZipEndToEnd, ArchiveHoldsEveryTrackUnderItsFileName) {
  std::string a = dir.write("music/rock/intro.mp3", noise(300000, 1));
  std::string b = dir.write("music/jazz/intro.mp3", noise(120000, 2));
  std::string c = dir.write("music/Café del mar.wav", std::string(200000, 'w'));
  std::string d = dir.write("music/tune.mid", "MThd small");
  std::string gone = dir.folder() + "music/gone.mp3";
  play_list("Best Of", {a, b, c, gone, d});

  ExportOutcome outcome = zip_it(state, ui, zip, view);
  const std::string archive = this->archive("Best Of");
  ASSERT_TRUE(fs::exists(archive));
  EXPECT_EQ(outcome.result_code, 0);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Finished making .zip file.\r1 track(s) could not be copied.");
  EXPECT_FALSE(fs::exists(staging()));

  bool zipping_drawn = false;
  for (const Drawing& d : view.drawings) zipping_drawn |= d.text.rfind("Zipping: ", 0) == 0;
  EXPECT_TRUE(zipping_drawn);

  Command test = run_command("unzip -t " + quoted(archive));
  EXPECT_EQ(test.status, 0) << test.output;
  EXPECT_NE(test.output.find("No errors detected"), std::string::npos) << test.output;

  Command listing = run_command("bsdtar -tf " + quoted(archive) + " | LC_ALL=C sort");
  EXPECT_EQ(listing.status, 0) << listing.output;
  EXPECT_EQ(listing.output, "Best Of.m3u8\nCafé del mar.wav\nintro (2).mp3\nintro.mp3\ntune.mid\n");

  // Identical contents, read back by an independent reader.
  std::map<std::string, std::string> expected{{"intro.mp3", ""},
                                              {"intro (2).mp3", ""},
                                              {"Café del mar.wav", ""},
                                              {"tune.mid", ""},
                                              {"Best Of.m3u8", ""}};
  fs::create_directories(dir.folder() + "expected");
  dir.write("expected/Best Of.m3u8",
            "#EXTM3U\r\nintro.mp3\r\nintro (2).mp3\r\nCafé del mar.wav\r\ntune.mid\r\n");
  fs::copy_file(a, dir.folder() + "expected/intro.mp3");
  fs::copy_file(b, dir.folder() + "expected/intro (2).mp3");
  fs::copy_file(c, dir.folder() + "expected/Café del mar.wav");
  fs::copy_file(d, dir.folder() + "expected/tune.mid");
  dir.write("list.py", kListByPython);
  Command python =
      run_command("python3 " + quoted(dir.folder() + "list.py") + " " + quoted(archive));
  EXPECT_EQ(python.status, 0) << python.output;
  EXPECT_EQ(python.output, sha256_lines(expected, dir.folder() + "expected/"));
}

// A friend unpacks the archive and opens its play list: every line is a file
// that is there, in play-list order, renamed clashes included; the compressed
// music went in stored.
TEST_F(ZipEndToEnd, UnpackedPlayListNamesEveryPackedTrackInOrder) {
  std::vector<std::string> tracks;
  for (const char* name :
       {"a/take.flac", "b/take.flac", "ogg/Vorbis Tune.ogg", "opus/Spoken.opus", "c/take.flac"}) {
    tracks.push_back(dir.folder() + "music/" + name);
    fs::create_directories(fs::path(tracks.back()).parent_path());
    ASSERT_TRUE(write_tagged_tone(tracks.back(), 0.3, 440 + 110 * tracks.size())) << name;
  }
  tracks.push_back(dir.folder() + "music/Grüße.wav");
  ASSERT_TRUE(write_wav(tracks.back(), 0.3));
  tracks.push_back(dir.folder() + "music/tune.mid");
  ASSERT_TRUE(write_midi(tracks.back(), 0.3));
  tracks.push_back(dir.folder() + "music/song.mp3");
  ASSERT_TRUE(write_mp3(tracks.back(), 0.3));
  play_list("Mix", tracks);
  ASSERT_EQ(zip_it(state, ui, zip, view).result_code, 0);

  // unzip -v: length, method, size, ratio, date, time, CRC, then the name.
  Command verbose = run_command("LC_ALL=C.UTF-8 unzip -v " + quoted(archive("Mix")));
  ASSERT_EQ(verbose.status, 0) << verbose.output;
  std::map<std::string, std::string> method;
  std::istringstream lines(verbose.output);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string column[7], name;
    for (std::string& c : column) fields >> c;
    std::getline(fields >> std::ws, name);
    if (column[1] == "Stored" || column[1].rfind("Defl", 0) == 0) method[name] = column[1];
  }
  for (const char* name : {"take.flac", "take (2).flac", "take (3).flac", "Vorbis Tune.ogg",
                           "Spoken.opus", "song.mp3"}) {
    EXPECT_EQ(method[name], "Stored") << name;
  }
  for (const char* name : {"Grüße.wav", "tune.mid", "Mix.m3u8"}) {
    EXPECT_EQ(method[name].substr(0, 4), "Defl") << name;
  }

  const std::string unpacked = dir.folder() + "friend/";
  Command unzip =
      run_command("LC_ALL=C.UTF-8 unzip -q " + quoted(archive("Mix")) + " -d " + quoted(unpacked));
  ASSERT_EQ(unzip.status, 0) << unzip.output;
  // Line by line, as any player reads it: every line a file that is there.
  std::istringstream list(read_file_bytes(unpacked + "Mix.m3u8"));
  std::vector<std::string> names;
  for (std::string line; std::getline(list, line);) {
    ASSERT_FALSE(line.empty() || line.back() != '\r') << "CR LF line ends";
    names.push_back(line.substr(0, line.size() - 1));
  }
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.front(), "#EXTM3U");
  names.erase(names.begin());
  const std::vector<std::string> expected{"take.flac",   "take (2).flac", "Vorbis Tune.ogg",
                                          "Spoken.opus", "take (3).flac", "Grüße.wav",
                                          "tune.mid",    "song.mp3"};
  ASSERT_EQ(names, expected);
  std::vector<std::string> resolved;
  for (size_t i = 0; i < tracks.size(); ++i) {
    resolved.push_back(unpacked + names[i]);
    EXPECT_EQ(read_file_bytes(resolved.back()), read_file_bytes(tracks[i])) << names[i];
  }
  // The editor reads it back the same way.
  EXPECT_EQ(read_foreign_play_list(unpacked + "Mix.m3u8"), resolved);
  // Nothing else was packed.
  EXPECT_EQ(folder_files(unpacked).size(), tracks.size() + 1);
}

TEST_F(ZipEndToEnd, TheWindowPacksTheListAndCloses) {
  std::vector<std::string> tracks;
  for (int i = 1; i <= 5; ++i)
    tracks.push_back(dir.write("music/track " + std::to_string(i) + ".mp3", noise(50000, i)));
  play_list("Window", tracks);
  AppContext c = ctx();
  frm_zipit window(c);
  window.exec();

  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Finished making .zip file.\rNo errors reported.");
  Command test = run_command("unzip -t " + quoted(archive("Window")));
  EXPECT_EQ(test.status, 0) << test.output;
  Command listing = run_command("unzip -Z1 " + quoted(archive("Window")) + " | LC_ALL=C sort");
  EXPECT_EQ(listing.output,
            "Window.m3u8\ntrack 1.mp3\ntrack 2.mp3\ntrack 3.mp3\ntrack 4.mp3\ntrack 5.mp3\n");
  EXPECT_FALSE(fs::exists(staging()));
}

TEST_F(ZipEndToEnd, UnwritableDestinationGivesTheErrorBoxAndLeavesNoStaging) {
  state.picked_folder = dir.folder() + "no such folder/";
  play_list("Rock", {dir.write("music/a.mp3", "A")});
  ExportOutcome outcome = zip_it(state, ui, zip, view);
  EXPECT_NE(outcome.result_code, 0);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text,
            "Error #: " + std::to_string(outcome.result_code) + "\r\rFailed to create .zip file!");
  EXPECT_EQ(ui.boxes[0].title, ".ZIP Error!");
  EXPECT_FALSE(fs::exists(staging()));
}

// The drive is a CUE/BIN image of three tones of 2 s (88200 samples each).
TEST_F(ZipEndToEnd, CdTracksGoInAsWavFilesRippedFromTheDisc) {
  const CdImage image = make_cd_image(dir.folder(), {440, 660, 990}, 2);
  ASSERT_FALSE(image.cue.empty());
  state.cd_device = image.cue;
  const std::string stub = dir.folder() + "music/Track03.cda";
  fs::create_directories(dir.folder() + "music");
  ASSERT_TRUE(write_cda(stub, 3, image.serial));
  const std::string tone = dir.folder() + "music/tone.wav";
  ASSERT_TRUE(write_wav(tone, 0.3));
  play_list("Disc", {dir.folder() + "taken out/Track02.cda", stub,
                     dir.folder() + "other/Track02.cda", tone});

  ASSERT_EQ(zip_it(state, ui, zip, view).result_code, 0);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Finished making .zip file.\rNo errors reported.");
  std::vector<int16_t> ripping;  // the bar while Track03 was read
  for (const Drawing& d : view.drawings) {
    if (d.text == "Reading CD: Track03.wav") ripping.push_back(d.percent);
  }
  ASSERT_GE(ripping.size(), 3u);
  EXPECT_TRUE(std::is_sorted(ripping.begin(), ripping.end()));
  EXPECT_EQ(ripping.back(), 100);

  const std::string unpacked = dir.folder() + "friend/";
  Command unzip = run_command("unzip -q " + quoted(archive("Disc")) + " -d " + quoted(unpacked));
  ASSERT_EQ(unzip.status, 0) << unzip.output;
  EXPECT_EQ(read_file_bytes(unpacked + "Disc.m3u8"),
            "#EXTM3U\r\nTrack02.wav\r\nTrack03.wav\r\nTrack02 (2).wav\r\ntone.wav\r\n");
  const std::string bin = read_file_bytes(image.bin);
  const size_t track_bytes = static_cast<size_t>(image.sectors_per_track) * 2352;
  for (const auto& [name, track] :
       std::vector<std::pair<std::string, int>>{{"Track02.wav", 2}, {"Track03.wav", 3}}) {
    Command info = run_command("sox --i -s " + quoted(unpacked + name));
    EXPECT_EQ(info.output, "88200\n") << name;
    EXPECT_EQ(read_file_bytes(unpacked + name).substr(44),
              bin.substr((track - 1) * track_bytes, track_bytes))
        << name;
  }
}

TEST_F(ZipEndToEnd, WithoutTheirDiscCdTracksAreLeftOutAndCounted) {
  state.cd_device = dir.folder() + "no drive.cue";
  const std::string song = dir.write("music/a.mp3", noise(5000, 3));
  play_list("No Disc",
            {dir.folder() + "gone/Track01.cda", song, dir.folder() + "gone/Track02.cda"});
  ASSERT_EQ(zip_it(state, ui, zip, view).result_code, 0);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text,
            "Finished making .zip file.\r2 CD track(s) left out: their disc is not in the CD "
            "drive.");
  Command listing = run_command("unzip -Z1 " + quoted(archive("No Disc")) + " | LC_ALL=C sort");
  EXPECT_EQ(listing.output, "No Disc.m3u8\na.mp3\n");
}
