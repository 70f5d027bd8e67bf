#pragma once

#include <functional>
#include <string_view>

namespace bytegleaner::reporting {

// How the examination talks to whoever runs it: the desktop window, the
// command line or a test. Unset operations do nothing.
struct UserInterface {
  std::function<void(std::string_view)> AddStatusLine;
  std::function<void()> ClearStatusLog;
  std::function<void(std::string_view)> ShowError;
  std::function<void(bool)> EnableButtons;
};

void AddStatusLine(const UserInterface& ui, std::string_view text);
void ClearStatusLog(const UserInterface& ui);
void ShowError(const UserInterface& ui, std::string_view text);
void EnableButtons(const UserInterface& ui, bool enabled);

}  // namespace bytegleaner::reporting
