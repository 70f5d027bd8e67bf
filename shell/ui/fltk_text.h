#pragma once

#include <string>
#include <string_view>

// Text conversions between the program's 8-bit texts and what FLTK takes.
// Free of FLTK itself, so they are tested without a display.
namespace bytegleaner::ui {

// The program's texts are 8-bit and FLTK draws UTF-8. Paths come from
// FLTK's requester, in UTF-8, and are shown as the requester showed them;
// a text that is no UTF-8 is read as Latin-1, byte by byte.
std::string ShownText(std::string_view bytes);

// A widget label shown as written: FLTK would read "@" as a symbol code.
std::string PlainLabel(std::string_view text);

// A browser line shown as written: a leading "@" would start format codes.
std::string PlainListLine(std::string_view text);

// "Name|*.a;*.b|All|*.*" as Fl_File_Chooser's tab-separated filter list,
// where each entry carries its pattern in parentheses: "Name (*.{a,b})\tAll (*)".
std::string FileChooserFilter(std::string_view filters);

// A requester's default path split at its last folder separator.
struct RequesterStart {
  bool HasFolder = false;  // without one the toolkit's default folder is used
  std::string Folder;
  std::string Name;
};
RequesterStart SplitDefaultPath(std::string_view path);

}  // namespace bytegleaner::ui
