#include "shell/ui/win32_dialogs.h"

#include "shell/ui/win32_request_text.h"

#include <array>

#include <windows.h>
#include <commdlg.h>

namespace bytegleaner::ui {

namespace {
// Room for a chosen path of at most 999 characters.
constexpr std::size_t PathBufferSize = 1000;
}  // namespace

std::string RunOpenFileRequester(const shell::FileRequest& request) {
  const std::string filters = Win32FilterList(request.Filters);
  const Win32RequesterStart start = Win32SplitDefaultPath(request.DefaultPath);
  std::array<char, PathBufferSize> path{};
  start.FileName.copy(path.data(), path.size() - 1);

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetForegroundWindow();
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = start.Folder.empty() ? nullptr : start.Folder.c_str();
  dialog.lpstrTitle = request.Title.c_str();
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&dialog)) return {};
  return path.data();
}

void ShowMessageBox(std::string_view title, std::string_view text) {
  MessageBoxA(GetForegroundWindow(), std::string(text).c_str(), std::string(title).c_str(), 0);
}

}  // namespace bytegleaner::ui
