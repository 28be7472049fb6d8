#include "shell/autostart.h"

#include <gtest/gtest.h>

namespace {
std::string exec_of(const char* path) {
  return desktop_exec_value(QString::fromUtf8(path)).toStdString();
}
}  // namespace

// The session splits Exec like a shell: the program's path must come back as
// one argument, whatever it holds.
TEST(AutostartEntry, APlainPathStandsUnquoted) {
  EXPECT_EQ(exec_of("/usr/bin/davrin-audio-player"), "/usr/bin/davrin-audio-player");
  EXPECT_EQ(exec_of("/opt/100%/p"), "/opt/100%%/p");
}

TEST(AutostartEntry, ReservedCharactersAreQuotedAndEscaped) {
  EXPECT_EQ(exec_of("/home/ann/my player/run"), "\"/home/ann/my player/run\"");
  EXPECT_EQ(exec_of("/opt/$HOME\"x`\\/p"), "\"/opt/\\$HOME\\\"x\\`\\\\/p\"");
}
