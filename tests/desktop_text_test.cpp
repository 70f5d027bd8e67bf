#include "shell/ui/fltk_text.h"
#include "shell/ui/win32_request_text.h"

#include <gtest/gtest.h>

namespace bytegleaner::ui {
namespace {

using namespace std::string_literals;

std::string FltkStart(std::string_view path) {
  const RequesterStart start = SplitDefaultPath(path);
  return (start.HasFolder ? start.Folder : "no folder") + " | " + start.Name;
}

std::string Win32Start(std::string_view path) {
  const Win32RequesterStart start = Win32SplitDefaultPath(path);
  return start.Folder + " | " + start.FileName;
}

// The program's texts as each toolkit takes them.
TEST(DesktopText, TextsReachTheToolkitsAsWritten) {
  const struct {
    std::string (*Convert)(std::string_view);
    std::string Text;
    std::string Expected;
  } conversions[] = {
      {ShownText, "/home/r\xc3\xb6ms/a.sms", "/home/r\xc3\xb6ms/a.sms"},  // UTF-8, as the requester gives it
      {ShownText, "caf\xe9 \x80", "caf\xc3\xa9 \xc2\x80"},                // anything else is Latin-1
      {ShownText, "\xc3\xb6\xc3", "\xc3\x83\xc2\xb6\xc3\x83"},
      {ShownText, "\xc0\xaf", "\xc3\x80\xc2\xaf"},
      {ShownText, "a\0b"s, "a\0b"s},
      {PlainLabel, "someone@example.com", "someone@@example.com"},
      {PlainListLine, "@C1 red", "@.@C1 red"},
      {PlainListLine, "\xe9 @ bank", "\xc3\xa9 @ bank"},
      {FileChooserFilter, "GG/SMS ROMs (*.gg, *.sms)|*.gg;*.sms|All files (*.*)|*.*",
       "GG/SMS ROMs (*.{gg,sms})\tAll files (*)"},
      {FileChooserFilter, "Mixed|a*.bin; *.rom", "Mixed ({a*.bin,*.rom})"},
      {FileChooserFilter, "Any|*;*.gg", "Any (*)"},
      {FileChooserFilter, "Odd (name) here|*.x|Dangling", "Odd [name] here (*.x)"},
      {Win32FilterList, "Name (*.gg)|*.gg;*.sms|All|*.*", "Name (*.gg)\0*.gg;*.sms\0All\0*.*\0\0"s},
      {Win32FilterList, "", "\0\0"s},
      {FltkStart, "/home/roms/", "/home/roms | "},
      {FltkStart, "/game.gg", "/ | game.gg"},
      {FltkStart, "game.sms", "no folder | game.sms"},
      {Win32Start, "Z:\\roms\\sms\\", "Z:\\roms\\sms | "},
      {Win32Start, "C:\\games\\sonic.gg", "C:\\games | sonic.gg"},
      {Win32Start, "roms/sonic.sms", " | roms/sonic.sms"},  // a forward slash is no separator there
  };
  for (const auto& [convert, text, expected] : conversions) EXPECT_EQ(convert(text), expected) << text;
}

}  // namespace
}  // namespace bytegleaner::ui
