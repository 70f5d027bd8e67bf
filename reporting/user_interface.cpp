#include "reporting/user_interface.h"

namespace bytegleaner::reporting {

void AddStatusLine(const UserInterface& ui, std::string_view text) {
  if (ui.AddStatusLine) ui.AddStatusLine(text);
}

void ClearStatusLog(const UserInterface& ui) {
  if (ui.ClearStatusLog) ui.ClearStatusLog();
}

void ShowError(const UserInterface& ui, std::string_view text) {
  if (ui.ShowError) ui.ShowError(text);
}

void EnableButtons(const UserInterface& ui, bool enabled) {
  if (ui.EnableButtons) ui.EnableButtons(enabled);
}

}  // namespace bytegleaner::reporting
