#include "shell/ui/fltk_text.h"

#include <gtest/gtest.h>

namespace bytegleaner::ui {
namespace {

TEST(DesktopText, EightBitTextIsShownAsLatin1) {
  EXPECT_EQ(Latin1ToUtf8("Found 12 labels."), "Found 12 labels.");
  EXPECT_EQ(Latin1ToUtf8("caf\xe9"), "caf\xc3\xa9");
  EXPECT_EQ(Latin1ToUtf8("\x80\xff"), "\xc2\x80\xc3\xbf");
  EXPECT_EQ(Latin1ToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST(DesktopText, AtSignsAreNeverFormatCodes) {
  EXPECT_EQ(PlainLabel("someone@example.com"), "someone@@example.com");
  EXPECT_EQ(PlainLabel("@->"), "@@->");
  EXPECT_EQ(PlainLabel("Break at JP (HL)/JP (IX)/JP (IY)"), "Break at JP (HL)/JP (IX)/JP (IY)");
  EXPECT_EQ(PlainListLine("@C1 red"), "@.@C1 red");
  EXPECT_EQ(PlainListLine("Size: 32768 @ bank 0"), "Size: 32768 @ bank 0");
  EXPECT_EQ(PlainListLine(""), "");
  EXPECT_EQ(PlainListLine("\xe9@"), "\xc3\xa9@");
}

TEST(DesktopText, RequesterFiltersCarryTheirPatterns) {
  EXPECT_EQ(FileChooserFilter("GG/SMS ROMs (*.gg, *.sms)|*.gg;*.sms|All files (*.*)|*.*"),
            "GG/SMS ROMs (*.{gg,sms})\tAll files (*)");
  EXPECT_EQ(FileChooserFilter("Text|*.txt"), "Text (*.txt)");
  EXPECT_EQ(FileChooserFilter("Mixed|a*.bin; *.rom"), "Mixed ({a*.bin,*.rom})");
  EXPECT_EQ(FileChooserFilter("Any|*;*.gg"), "Any (*)");
  EXPECT_EQ(FileChooserFilter("Odd (name) here|*.x|Dangling"), "Odd [name] here (*.x)");
  EXPECT_EQ(FileChooserFilter(""), "");
}

TEST(DesktopText, DefaultPathSplitsAtItsLastSeparator) {
  const auto folderOnly = SplitDefaultPath("/home/user/roms/");
  EXPECT_TRUE(folderOnly.HasFolder);
  EXPECT_EQ(folderOnly.Folder, "/home/user/roms");
  EXPECT_EQ(folderOnly.Name, "");

  const auto withName = SplitDefaultPath("/roms/game.sms");
  EXPECT_EQ(withName.Folder, "/roms");
  EXPECT_EQ(withName.Name, "game.sms");

  const auto root = SplitDefaultPath("/game.gg");
  EXPECT_TRUE(root.HasFolder);
  EXPECT_EQ(root.Folder, "/");
  EXPECT_EQ(root.Name, "game.gg");

  EXPECT_FALSE(SplitDefaultPath("").HasFolder);
  const auto nameOnly = SplitDefaultPath("game.sms");
  EXPECT_FALSE(nameOnly.HasFolder);
  EXPECT_EQ(nameOnly.Name, "game.sms");
}

}  // namespace
}  // namespace bytegleaner::ui
