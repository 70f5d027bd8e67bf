#include "shell/ui/win32_request_text.h"

#include <gtest/gtest.h>

#include <string>

namespace bytegleaner::ui {
namespace {

using namespace std::string_literals;

TEST(Win32RequestText, FilterListEndsWithAnEmptyEntry) {
  EXPECT_EQ(Win32FilterList("GG/SMS ROMs (*.gg, *.sms)|*.gg;*.sms|All files (*.*)|*.*"),
            "GG/SMS ROMs (*.gg, *.sms)\0*.gg;*.sms\0All files (*.*)\0*.*\0\0"s);
  EXPECT_EQ(Win32FilterList(""), "\0\0"s);
}

TEST(Win32RequestText, DefaultPathSplitsAtItsLastBackslash) {
  const RequesterStart folderOnly = SplitDefaultPath("Z:\\roms\\sms\\");
  EXPECT_EQ(folderOnly.Folder, "Z:\\roms\\sms");
  EXPECT_EQ(folderOnly.FileName, "");

  const RequesterStart withName = SplitDefaultPath("C:\\games\\sonic.gg");
  EXPECT_EQ(withName.Folder, "C:\\games");
  EXPECT_EQ(withName.FileName, "sonic.gg");

  // Forward slashes are no separators in the program's paths.
  const RequesterStart noBackslash = SplitDefaultPath("roms/sonic.sms");
  EXPECT_EQ(noBackslash.Folder, "");
  EXPECT_EQ(noBackslash.FileName, "roms/sonic.sms");

  const RequesterStart empty = SplitDefaultPath("");
  EXPECT_EQ(empty.Folder, "");
  EXPECT_EQ(empty.FileName, "");
}

}  // namespace
}  // namespace bytegleaner::ui
