#include "player/tooltip.h"

#include <gtest/gtest.h>

namespace {
size_t chars(const std::string& s) {
  size_t n = 0;
  for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}
const std::string kDots = "\xE2\x80\xA6";  // "…"
}  // namespace

TEST(Tooltip, TrackLineIsExact) {
  EXPECT_EQ(track_status_text("Rock", 3, 12, "song.mp3"),
            " Play List: Rock  Track: (3/12) song.mp3 ");
  EXPECT_EQ(track_status_text("B", 1, 0, ""), " Play List: B  Track: (1/0)  ");
  EXPECT_EQ(std::string(kSettingsHint), " Click on SETTINGS to create a play list! ");
}

TEST(Tooltip, WithoutLimitTheWholeTextStays) {
  const std::string text = track_status_text(std::string(300, 'N'), 7, 9, std::string(300, 'f'));
  EXPECT_EQ(shorten_tooltip(text, 0), text);
  EXPECT_EQ(kTooltipLimit, 0u);  // this platform's tooltips take any length
}

TEST(Tooltip, TextThatFitsStaysAsItIs) {
  const std::string text = track_status_text("Rock", 3, 12, "song.mp3");
  EXPECT_EQ(shorten_tooltip(text, 127), text);
  EXPECT_EQ(shorten_tooltip(text, chars(text)), text);
  EXPECT_EQ(shorten_tooltip(kSettingsHint, 127), kSettingsHint);
  EXPECT_EQ(shorten_tooltip("", 127), "");
}

TEST(Tooltip, LongPlayListNameIsShortenedFirst) {
  const std::string text = track_status_text(std::string(100, 'N'), 3, 12, "song.mp3");
  const std::string shortened = shorten_tooltip(text, 127);
  EXPECT_EQ(shortened, " Play List: " + std::string(89, 'N') + kDots + "  Track: (3/12) song.mp3 ");
  EXPECT_EQ(chars(shortened), 127u);
}

TEST(Tooltip, LongFileNameKeepsItsStart) {
  const std::string name = "Evening Classics Collection...";           // 30 characters
  const std::string file = "Symphony No. 9 " + std::string(135, 'x');  // 150 characters
  const std::string shortened = shorten_tooltip(track_status_text(name, 3, 12, file), 127);
  EXPECT_EQ(shortened, " Play List: " + name.substr(0, 15) + kDots + "  Track: (3/12) " +
                           file.substr(0, 81) + kDots + " ");
  EXPECT_EQ(chars(shortened), 127u);
}

TEST(Tooltip, TightLimitStillShowsPositionAndStartOfFileName) {
  const std::string text =
      track_status_text(std::string(20, 'N'), 3, 12, "Moonlight Sonata part one.mp3");
  EXPECT_EQ(shorten_tooltip(text, 40),
            " Play List: " + kDots + "  Track: (3/12) Moonlight" + kDots + " ");
}

TEST(Tooltip, NeverSplitsACharacter) {
  std::string name;
  for (int i = 0; i < 100; ++i) name += "\xC3\xA9";  // "é"
  const std::string shortened = shorten_tooltip(track_status_text(name, 1, 2, "a.mp3"), 127);
  std::string kept;
  for (int i = 0; i < 93; ++i) kept += "\xC3\xA9";
  EXPECT_EQ(shortened, " Play List: " + kept + kDots + "  Track: (1/2) a.mp3 ");
  EXPECT_EQ(chars(shortened), 127u);
}

TEST(Tooltip, NameHoldingTheTrackWordIsStillTakenApart) {
  const std::string name = "X  Track: (a" + std::string(100, 'n');
  const std::string shortened = shorten_tooltip(track_status_text(name, 2, 5, "b.mp3"), 60);
  EXPECT_EQ(shortened, " Play List: " + name.substr(0, 26) + kDots + "  Track: (2/5) b.mp3 ");
}

TEST(Tooltip, OtherTextsAreCutAtTheEnd) {
  EXPECT_EQ(shorten_tooltip(kSettingsHint, 10), " Click on" + kDots);
  // Too little room even for the position: the line is cut as a whole.
  const std::string text = track_status_text("Rock", 3, 12, "song.mp3");
  EXPECT_EQ(shorten_tooltip(text, 20), text.substr(0, 19) + kDots);
}
