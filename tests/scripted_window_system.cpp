#include "tests/scripted_window_system.h"

#include <stdexcept>

namespace bytegleaner::testing {

namespace {

std::string KindName(shell::ControlKind kind) {
  switch (kind) {
    case shell::ControlKind::ListBox: return "list";
    case shell::ControlKind::PushButton: return "button";
    case shell::ControlKind::CheckBox: return "check";
    case shell::ControlKind::StaticText: return "static";
  }
  return "?";
}

std::string Geometry(int x, int y, int width, int height) {
  return std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

shell::WindowSystem ScriptedWindows::Bind() {
  shell::WindowSystem windows;
  windows.OpenWindow = [this](const shell::WindowSpec& spec) {
    CurrentWindow = spec.Number;
    Operations.push_back("open " + std::to_string(spec.Number) + " " +
                         Geometry(spec.X, spec.Y, spec.OuterWidth, spec.OuterHeight) +
                         (spec.Style == shell::WindowStyle::Main ? " main " : " toolbox ") + spec.Title);
  };
  windows.CreateControl = [this](const shell::ControlSpec& spec) {
    Operations.push_back("create " + KindName(spec.Kind) + " " + std::to_string(spec.Number) + " in " +
                         std::to_string(CurrentWindow) + " " + Geometry(spec.X, spec.Y, spec.Width, spec.Height) + " " +
                         spec.Text);
    Enabled[spec.Number] = true;
    Kinds[spec.Number] = spec.Kind;
  };
  windows.WaitForEvent = [this] {
    if (Events.empty()) throw std::runtime_error("the program waited for an event the script does not have");
    const shell::WindowEvent event = Events.front();
    Events.pop_front();
    if (event.Kind == shell::EventKind::Control && Kinds[event.Control] == shell::ControlKind::CheckBox) {
      CheckBoxes[event.Control] = !CheckBoxes[event.Control];
    }
    return event;
  };
  windows.HandleWaitingMessage = [this]() -> std::optional<shell::WindowEvent> {
    if (WaitingMessages.empty()) return std::nullopt;
    const shell::WindowEvent event = WaitingMessages.front();
    WaitingMessages.pop_front();
    return event;
  };
  windows.CloseWindow = [this](int window) { Operations.push_back("close " + std::to_string(window)); };
  windows.MakeCurrent = [this](int window) {
    CurrentWindow = window;
    Operations.push_back("current " + std::to_string(window));
  };
  windows.EnableControl = [this](int control, bool enabled) {
    Enabled[control] = enabled;
    Operations.push_back((enabled ? "enable " : "disable ") + std::to_string(control));
  };
  windows.SetCheckBox = [this](int control, bool ticked) {
    CheckBoxes[control] = ticked;
    Operations.push_back((ticked ? "tick " : "untick ") + std::to_string(control));
  };
  windows.IsCheckBoxTicked = [this](int control) { return CheckBoxes[control]; };
  windows.AppendListLine = [this](int, std::string_view line) { StatusLines.emplace_back(line); };
  windows.ClearList = [this](int) { StatusLines.clear(); };
  windows.ChooseFile = [this](const shell::FileRequest& request) {
    FileRequests.push_back(request);
    Operations.push_back("request " + request.DefaultPath);
    if (ChosenFiles.empty()) throw std::runtime_error("the program asked for a file the script does not have");
    std::string chosen = ChosenFiles.front();
    ChosenFiles.pop_front();
    return chosen;
  };
  windows.ShowMessage = [this](std::string_view title, std::string_view text) {
    Operations.push_back("message " + std::string(title) + ": " + std::string(text));
  };
  return windows;
}

}  // namespace bytegleaner::testing
