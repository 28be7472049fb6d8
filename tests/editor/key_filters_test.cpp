// Which typed characters the title box and the web-link boxes let through.
#include "editor/key_filters.h"

#include <gtest/gtest.h>

#include <string>

TEST(KeyFilters, TitleAcceptsBackspaceSpaceDigitsLettersAndAt) {
  std::string accepted;
  for (int code = 0; code <= 255; ++code) {
    if (title_key_filter(code)) accepted.push_back(static_cast<char>(code));
  }
  EXPECT_EQ(accepted, "\b 0123456789@ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
}

TEST(KeyFilters, LinkAcceptsTheTitleCharactersAndColonSlashDotQuestionMark) {
  std::string accepted;
  for (int code = 0; code <= 255; ++code) {
    if (link_key_filter(code)) accepted.push_back(static_cast<char>(code));
  }
  EXPECT_EQ(accepted, "\b ./0123456789:?@ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
}

TEST(KeyFilters, ControlCodesOfEnterAndTheClipboardKeysAreRefused) {
  for (int code : {0, 1, 3, 9, 10, 13, 22, 24, 26, 27, 127, 160, 233, 255, 256, 0x20AC}) {
    EXPECT_FALSE(title_key_filter(code)) << code;
    EXPECT_FALSE(link_key_filter(code)) << code;
  }
}

TEST(KeyFilters, PastedTextKeepsOnlyAcceptedCharacters) {
  EXPECT_EQ(filter_title_text("Rock & Roll - 1999_best.of"), "Rock  Roll  1999bestof");
  EXPECT_EQ(filter_title_text("../../etc/passwd"), "etcpasswd");
  EXPECT_EQ(filter_title_text("Caf\xC3\xA9 Mix\r\n\b"),
            "Caf Mix");  // the accented letter goes whole
  EXPECT_EQ(filter_link_text("http://example.org/a-b?x=1&y=%20"), "http://example.org/ab?x1y20");
  EXPECT_EQ(filter_link_text("me@example.org"), "me@example.org");
  EXPECT_EQ(filter_title_text(""), "");
}
