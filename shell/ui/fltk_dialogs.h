#pragma once

#include <deque>
#include <string>
#include <string_view>

#include "shell/window_system.h"

namespace bytegleaner::ui {

using EventQueue = std::deque<shell::WindowEvent>;

// Both run a modal loop of their own; events that the program's windows
// raise meanwhile are dropped from `events`.
std::string ChooseFile(const shell::FileRequest& request, EventQueue& events);
void ShowMessage(std::string_view title, std::string_view text, EventQueue& events);

}  // namespace bytegleaner::ui
