#pragma once

#include "shell/window_system.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bytegleaner::testing {

// A window system that replays scripted events and records every window
// operation as a line of text, so tests can state what the program did.
struct ScriptedWindows {
  // What WaitForEvent returns, one per call; running out is a test failure.
  std::deque<shell::WindowEvent> Events;
  // What HandleWaitingMessage finds: an event (or EventKind::None) per
  // waiting message; empty means no message waits.
  std::deque<shell::WindowEvent> WaitingMessages;
  // Answers of the file requester, one per request; "" is a cancel.
  std::deque<std::string> ChosenFiles;

  std::vector<std::string> Operations;
  std::vector<std::string> StatusLines;  // the status list's current lines
  std::vector<shell::FileRequest> FileRequests;
  std::map<int, bool> CheckBoxes;  // a scripted click on a check box toggles it
  std::map<int, shell::ControlKind> Kinds;
  std::map<int, bool> Enabled;
  int CurrentWindow = -1;

  shell::WindowSystem Bind();

  // Script helpers.
  // A button press, or a click on a check box or the status list.
  void Press(int window, int control) { Events.push_back({shell::EventKind::Control, window, control}); }
  void AskToClose(int window) { Events.push_back({shell::EventKind::CloseRequest, window, -1}); }
  void Repaint(int window) { Events.push_back({shell::EventKind::Other, window, -1}); }
};

}  // namespace bytegleaner::testing
