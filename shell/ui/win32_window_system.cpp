#include "shell/ui/win32_window_system.h"

#include "shell/ui/bind_window_system.h"
#include "shell/ui/win32_dialogs.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

namespace bytegleaner::ui {
namespace {

using shell::ControlKind;
using shell::EventKind;
using shell::WindowEvent;

constexpr int WindowCount = 3;
constexpr char WindowClassName[] = "BytegleanerWindow";

struct Control {
  int Number = 0;
  int Window = 0;
  ControlKind Kind = ControlKind::PushButton;
  HWND Handle = nullptr;
};

// A message may raise several events while it is handled (a click both
// activates and presses); the program hears of the weightiest.
int Weight(EventKind kind) {
  switch (kind) {
    case EventKind::None: return 0;
    case EventKind::Other: return 1;
    case EventKind::CloseRequest:
    case EventKind::Control: return 2;
  }
  return 0;
}

class State {
 public:
  State();
  ~State();
  State(const State&) = delete;
  State& operator=(const State&) = delete;

  void OpenWindow(const shell::WindowLayout& layout);
  void CreateControl(const shell::ControlLayout& layout);
  WindowEvent WaitForEvent();
  std::optional<WindowEvent> HandleWaitingMessage();
  void CloseWindow(int number);
  void MakeCurrent(int number) { current_ = number; }
  void EnableControl(int number, bool enabled);
  void SetCheckBox(int number, bool ticked);
  bool IsCheckBoxTicked(int number) const;
  void AppendListLine(int number, std::string_view line);
  void ClearList(int number);
  std::string ChooseFile(const shell::FileRequest& request) { return RunOpenFileRequester(request); }
  void ShowMessage(std::string_view title, std::string_view text) { ShowMessageBox(title, text); }

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Raise(EventKind kind, int window, int control);
  WindowEvent Deliver(const MSG& message);
  bool IsTabPress(const MSG& message) const;
  void MoveFocus();
  int NumberOf(HWND window) const;
  const Control* Find(int number, ControlKind kind) const;

  std::array<HWND, WindowCount> windows_{};
  std::vector<Control> controls_;  // in the order of creation
  WindowEvent raised_;
  int current_ = -1;
  HGDIOBJ font_ = GetStockObject(ANSI_VAR_FONT);
};

State::State() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &State::WindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1));
  windowClass.lpszClassName = WindowClassName;
  RegisterClassA(&windowClass);
}

// Windows are not closed at the end: ending the process removes them. They
// only stop reaching this state.
State::~State() {
  for (HWND window : windows_) {
    if (window != nullptr) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  }
}

LRESULT CALLBACK State::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* state = reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return state->Handle(window, message, wParam, lParam);
}

LRESULT State::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const int number = NumberOf(window);
  switch (message) {
    case WM_CLOSE:
      // The program's loops decide; the window stays.
      Raise(EventKind::CloseRequest, number, -1);
      return 0;
    case WM_COMMAND:
      if (lParam != 0) Raise(EventKind::Control, number, LOWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC: {
      // Static texts and the check box sit on the window's own colour.
      const auto context = reinterpret_cast<HDC>(wParam);
      SetBkColor(context, GetSysColor(COLOR_MENU));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_MENU));
    }
    case WM_PAINT:
    case WM_MOVE:
    case WM_ACTIVATE:
    case WM_SIZE:
      Raise(EventKind::Other, number, -1);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void State::Raise(EventKind kind, int window, int control) {
  if (window < 0 || Weight(kind) < Weight(raised_.Kind)) return;
  raised_ = {kind, window, control};
}

void State::OpenWindow(const shell::WindowLayout& layout) {
  if (layout.Number < 0 || layout.Number >= WindowCount) return;
  CloseWindow(layout.Number);
  // A top-level window gets a caption in any case; without a system menu
  // it has no box at all.
  DWORD style = WS_CAPTION | WS_VISIBLE;
  if (layout.Style == shell::WindowStyle::Main) style |= WS_SYSMENU | WS_MINIMIZEBOX;
  windows_[static_cast<std::size_t>(layout.Number)] =
      CreateWindowExA(0, WindowClassName, layout.Title.c_str(), style, layout.X, layout.Y, layout.OuterWidth,
                      layout.OuterHeight, nullptr, nullptr, GetModuleHandleA(nullptr), this);
  current_ = layout.Number;
}

void State::CreateControl(const shell::ControlLayout& layout) {
  if (current_ < 0 || windows_[static_cast<std::size_t>(current_)] == nullptr) return;
  if (std::any_of(controls_.begin(), controls_.end(),
                  [&layout](const Control& control) { return control.Number == layout.Number; })) {
    return;
  }
  const char* windowClass = "BUTTON";
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD extendedStyle = 0;
  switch (layout.Kind) {
    case ControlKind::ListBox:
      windowClass = "LISTBOX";
      // The stated height, not one rounded to whole lines.
      style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
      extendedStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::PushButton:
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    case ControlKind::CheckBox:
      style |= WS_TABSTOP | BS_AUTOCHECKBOX;
      break;
    case ControlKind::StaticText:
      windowClass = "STATIC";
      style |= SS_LEFT;
      break;
  }
  HWND control = CreateWindowExA(extendedStyle, windowClass, layout.Text.c_str(), style, layout.X, layout.Y, layout.Width,
                                 layout.Height, windows_[static_cast<std::size_t>(current_)],
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.Number)),
                                 GetModuleHandleA(nullptr), nullptr);
  if (control == nullptr) return;
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  controls_.push_back({layout.Number, current_, layout.Kind, control});
}

WindowEvent State::WaitForEvent() {
  raised_ = {};
  MSG message{};
  if (GetMessageA(&message, nullptr, 0, 0) <= 0) return {};
  return Deliver(message);
}

std::optional<WindowEvent> State::HandleWaitingMessage() {
  raised_ = {};
  MSG message{};
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return std::nullopt;
  return Deliver(message);
}

// TAB is taken before the focused control sees it, so the order is the
// program's in every window; the key press then raises no event.
WindowEvent State::Deliver(const MSG& message) {
  if (IsTabPress(message)) {
    MoveFocus();
    return {};
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return raised_;
}

bool State::IsTabPress(const MSG& message) const {
  const auto held = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  return message.message == WM_KEYDOWN && message.wParam == VK_TAB && !held(VK_SHIFT) && !held(VK_CONTROL) &&
         !held(VK_MENU);
}

void State::MoveFocus() {
  std::vector<HWND> order;
  for (const Control& control : controls_) {
    if (control.Window == current_ && control.Kind != ControlKind::StaticText) order.push_back(control.Handle);
  }
  if (order.empty()) return;
  const HWND focus = GetFocus();
  const auto focused = std::find_if(order.begin(), order.end(), [focus](HWND control) {
    return focus != nullptr && (control == focus || IsChild(control, focus));
  });
  const std::size_t start = focused == order.end() ? order.size() - 1 : static_cast<std::size_t>(focused - order.begin());
  for (std::size_t step = 1; step <= order.size(); ++step) {
    HWND candidate = order[(start + step) % order.size()];
    if (IsWindowEnabled(candidate) && IsWindowVisible(candidate)) {
      SetFocus(candidate);
      return;
    }
  }
}

void State::CloseWindow(int number) {
  if (number < 0 || number >= WindowCount) return;
  HWND window = windows_[static_cast<std::size_t>(number)];
  if (window == nullptr) return;
  std::erase_if(controls_, [number](const Control& control) { return control.Window == number; });
  windows_[static_cast<std::size_t>(number)] = nullptr;
  DestroyWindow(window);
}

void State::EnableControl(int number, bool enabled) {
  for (const Control& control : controls_) {
    if (control.Number == number) EnableWindow(control.Handle, enabled ? TRUE : FALSE);
  }
}

void State::SetCheckBox(int number, bool ticked) {
  if (const Control* control = Find(number, ControlKind::CheckBox)) {
    SendMessageA(control->Handle, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

bool State::IsCheckBoxTicked(int number) const {
  const Control* control = Find(number, ControlKind::CheckBox);
  return control != nullptr && SendMessageA(control->Handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Inserting at -1 appends, sorted or not, and leaves the view where it is.
void State::AppendListLine(int number, std::string_view line) {
  if (const Control* control = Find(number, ControlKind::ListBox)) {
    const std::string text(line);
    SendMessageA(control->Handle, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void State::ClearList(int number) {
  if (const Control* control = Find(number, ControlKind::ListBox)) {
    SendMessageA(control->Handle, LB_RESETCONTENT, 0, 0);
  }
}

int State::NumberOf(HWND window) const {
  const auto found = std::find(windows_.begin(), windows_.end(), window);
  return found == windows_.end() || window == nullptr ? -1 : static_cast<int>(found - windows_.begin());
}

const Control* State::Find(int number, ControlKind kind) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(), [number, kind](const Control& control) {
    return control.Number == number && control.Kind == kind;
  });
  return found == controls_.end() ? nullptr : &*found;
}

}  // namespace

shell::WindowSystem MakeWin32WindowSystem() { return BindWindowSystem(std::make_shared<State>()); }

}  // namespace bytegleaner::ui
