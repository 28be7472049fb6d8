#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "export/frm_zipit.h"
#include "export/libarchive_zip.h"
#include "export_test_support.h"
#include "fake_launcher.h"
#include "fake_media_player.h"
#include "fake_settings_store.h"

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
  EXPECT_EQ(listing.output, "Café del mar.wav\nintro (2).mp3\nintro.mp3\ntune.mid\n");

  // Identical contents, read back by an independent reader.
  std::map<std::string, std::string> expected{
      {"intro.mp3", ""}, {"intro (2).mp3", ""}, {"Café del mar.wav", ""}, {"tune.mid", ""}};
  fs::create_directories(dir.folder() + "expected");
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
  EXPECT_EQ(listing.output, "track 1.mp3\ntrack 2.mp3\ntrack 3.mp3\ntrack 4.mp3\ntrack 5.mp3\n");
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
