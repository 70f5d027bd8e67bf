#include "shell/ui/win32_request_text.h"

#include <algorithm>

namespace bytegleaner::ui {

std::string Win32FilterList(std::string_view filters) {
  std::string list(filters);
  std::replace(list.begin(), list.end(), '|', '\0');
  // The last pattern's terminator, then the list's.
  list.append(2, '\0');
  return list;
}

Win32RequesterStart Win32SplitDefaultPath(std::string_view path) {
  const auto cut = path.rfind('\\');
  if (cut == std::string_view::npos) return {{}, std::string(path)};
  return {std::string(path.substr(0, cut)), std::string(path.substr(cut + 1))};
}

}  // namespace bytegleaner::ui
