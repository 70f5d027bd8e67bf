#pragma once

#include <string>
#include <string_view>

namespace bytegleaner::ui {

// The open-file requester's texts as GetOpenFileNameA takes them. Kept
// apart from the Win32 calls so that they are tested on any platform.

// "Name|*.a;*.b|All|*.*" with every "|" a terminator and one more at the
// end, so the requester sees the list's end.
std::string Win32FilterList(std::string_view filters);

struct Win32RequesterStart {
  std::string Folder;    // empty: the window system's default folder
  std::string FileName;  // the proposed file name
};

// The default path split at its last backslash, which belongs to neither
// part; without one it is all file name.
Win32RequesterStart Win32SplitDefaultPath(std::string_view path);

}  // namespace bytegleaner::ui
