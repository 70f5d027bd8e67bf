#pragma once

#include "shell/window_system.h"

#include <memory>
#include <string_view>

namespace bytegleaner::ui {

// Binds every window operation to the method of the same name of one
// toolkit's state, which the operations share and keep alive.
template <typename Binding>
shell::WindowSystem BindWindowSystem(std::shared_ptr<Binding> state) {
  shell::WindowSystem windows;
  windows.OpenWindow = [state](const shell::WindowLayout& layout) { state->OpenWindow(layout); };
  windows.CreateControl = [state](const shell::ControlLayout& layout) { state->CreateControl(layout); };
  windows.WaitForEvent = [state] { return state->WaitForEvent(); };
  windows.HandleWaitingMessage = [state] { return state->HandleWaitingMessage(); };
  windows.CloseWindow = [state](int number) { state->CloseWindow(number); };
  windows.MakeCurrent = [state](int number) { state->MakeCurrent(number); };
  windows.EnableControl = [state](int number, bool enabled) { state->EnableControl(number, enabled); };
  windows.SetCheckBox = [state](int number, bool ticked) { state->SetCheckBox(number, ticked); };
  windows.IsCheckBoxTicked = [state](int number) { return state->IsCheckBoxTicked(number); };
  windows.AppendListLine = [state](int number, std::string_view line) { state->AppendListLine(number, line); };
  windows.ClearList = [state](int number) { state->ClearList(number); };
  windows.ChooseFile = [state](const shell::FileRequest& request) { return state->ChooseFile(request); };
  windows.ShowMessage = [state](std::string_view title, std::string_view text) { state->ShowMessage(title, text); };
  return windows;
}

}  // namespace bytegleaner::ui
