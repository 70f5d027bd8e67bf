#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace bytegleaner::shell {

// The window operations the program needs, as plain behaviour: shell/ui/
// binds them to a toolkit, and tests bind them to a scripted fake.
// Windows and controls are numbered; a control number is unique across all
// windows, and controls are created in the current window (the one opened
// last, or the one made current).

enum class WindowStyle {
  Main,      // title bar with system menu, close box and minimize box; fixed size
  ToolBox,   // title bar without any box; fixed size
};

enum class ControlKind { ListBox, PushButton, CheckBox, StaticText };

enum class EventKind {
  None,          // a message that raised no event the program knows
  CloseRequest,  // the user asked to close the window; it stays open
  Control,       // a button press, a check box click, a list box selection
  Other,         // repaint, move, activation, size
};

struct WindowEvent {
  EventKind Kind = EventKind::None;
  int Window = -1;
  int Control = -1;
};

struct WindowLayout {
  int Number = 0;
  int X = 0;
  int Y = 0;
  int OuterWidth = 0;  // frame and title bar included
  int OuterHeight = 0;
  WindowStyle Style = WindowStyle::Main;
  std::string Title;
};

struct ControlLayout {
  ControlKind Kind = ControlKind::PushButton;
  int Number = 0;
  int X = 0;  // client coordinates of the current window
  int Y = 0;
  int Width = 0;
  int Height = 0;
  std::string Text;
};

struct FileRequest {
  std::string Title;
  // Display names and patterns separated by "|", as "Name|*.a;*.b|All|*.*".
  std::string Filters;
  // Split at its last folder separator: the folder to open in, then the
  // proposed file name.
  std::string DefaultPath;
};

struct WindowSystem {
  std::function<void(const WindowLayout&)> OpenWindow;
  std::function<void(const ControlLayout&)> CreateControl;
  // Handles exactly one message, waiting for it, and returns the event it raised.
  std::function<WindowEvent()> WaitForEvent;
  // Handles one waiting message without waiting; nothing when none waits.
  std::function<std::optional<WindowEvent>()> HandleWaitingMessage;
  std::function<void(int window)> CloseWindow;
  std::function<void(int window)> MakeCurrent;
  std::function<void(int control, bool enabled)> EnableControl;
  std::function<void(int control, bool ticked)> SetCheckBox;
  std::function<bool(int control)> IsCheckBoxTicked;
  std::function<void(int control, std::string_view line)> AppendListLine;
  std::function<void(int control)> ClearList;
  // The chosen file's full path, or empty when the user cancelled.
  std::function<std::string(const FileRequest&)> ChooseFile;
  // A modal box with one OK button and no icon; a line feed starts a new line.
  std::function<void(std::string_view title, std::string_view text)> ShowMessage;
};

}  // namespace bytegleaner::shell
