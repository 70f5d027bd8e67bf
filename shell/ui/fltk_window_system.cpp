#include "shell/ui/fltk_window_system.h"

#include "shell/ui/bind_window_system.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>

#include "shell/ui/fltk_dialogs.h"
#include "shell/ui/fltk_text.h"
#include "shell/ui/fltk_widgets.h"
#include "shell/ui/x11_window.h"

namespace bytegleaner::ui {
namespace {

using shell::ControlKind;
using shell::EventKind;
using shell::WindowEvent;

// Window sizes are given with their frame, as the classic desktop drew a
// fixed-size captioned window: a 3 px border on every side and a 19 px
// caption above the top border. The client area is what remains, placed so
// that the frame would start at the given position.
constexpr int FrameLeft = 3;
constexpr int FrameRight = 3;
constexpr int FrameTop = 22;
constexpr int FrameBottom = 3;

constexpr int WindowCount = 3;

// An activated window keeps the focus itself, as on the platform, where
// FLTK would hand it to the first control; TAB then starts at the first.
class ModelWindow : public Fl_Double_Window {
 public:
  using Fl_Double_Window::Fl_Double_Window;
  int handle(int event) override { return event == FL_FOCUS ? 1 : Fl_Double_Window::handle(event); }
};

// The width a control leaves its text: what its window shows of it, less
// FLTK's margins: 3 px on each side of a label, and before a check box's
// text its mark, a square as high as the text.
int RoomForText(const Fl_Widget& widget, ControlKind kind, int windowWidth) {
  const int shown = std::min(widget.w(), windowWidth - widget.x());
  switch (kind) {
    case ControlKind::StaticText: return shown - 6;
    case ControlKind::CheckBox: return shown - widget.labelsize() - 6;
    case ControlKind::PushButton: return shown - Fl::box_dw(widget.box());
    case ControlKind::ListBox: break;
  }
  return shown;
}

// A text cut off by its control shows only with some fonts, so each one is
// measured as it is made, and a cut one is reported on the error stream,
// where the window test looks for it.
void ReportCutText(const Fl_Widget& widget, const shell::ControlLayout& layout, int windowWidth) {
  int width = 0;
  int height = 0;
  widget.measure_label(width, height);
  const int room = RoomForText(widget, layout.Kind, windowWidth);
  if (width > room) {
    std::fprintf(stderr, "bytegleaner: the text \"%s\" is %d px wide; its control shows %d px\n", layout.Text.c_str(),
                 width, room);
  }
}

struct Control {
  int Number = 0;
  int Window = 0;
  ControlKind Kind = ControlKind::PushButton;
  Fl_Widget* Widget = nullptr;  // owned by its window
  int LastSelection = 0;
};

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
  std::string ChooseFile(const shell::FileRequest& request) { return ui::ChooseFile(request, events_); }
  void ShowMessage(std::string_view title, std::string_view text) {
    ui::ShowMessage(title, text, events_);
  }

 private:
  static int Dispatch(int event, Fl_Window* window);
  static void OnWindowCallback(Fl_Widget* widget, void* state);
  static void OnControlCallback(Fl_Widget* widget, void* state);

  ModelWindow* WindowOf(int number) const;
  int NumberOf(const Fl_Window* window) const;
  Control* Find(int number);
  const Control* Find(int number) const;
  Control* FindByWidget(const Fl_Widget* widget);
  WindowEvent Pop();
  void MoveFocus();

  static State* dispatching_;
  std::array<std::unique_ptr<ModelWindow>, WindowCount> windows_;
  std::map<int, Control> controls_;
  EventQueue events_;
  int current_ = -1;
};

State* State::dispatching_ = nullptr;

State::State() {
  dispatching_ = this;
  Fl::event_dispatch(&State::Dispatch);
}

State::~State() {
  if (dispatching_ != this) return;
  dispatching_ = nullptr;
  Fl::event_dispatch(nullptr);
}

// TAB is taken here, before the focused control or FLTK's own navigation
// can see it, so the order is the program's and never leaves the window.
int State::Dispatch(int event, Fl_Window* window) {
  State* state = dispatching_;
  if (state != nullptr && event == FL_KEYBOARD && Fl::event_key() == FL_Tab &&
      state->NumberOf(window) >= 0 && (Fl::modal() == nullptr || Fl::modal() == window)) {
    state->MoveFocus();
    return 1;
  }
  return Fl::handle_(event, window);
}

// A close request never closes: the program's loops decide. Escape also
// calls this callback in FLTK, but it is no close request on the platform.
void State::OnWindowCallback(Fl_Widget* widget, void* data) {
  auto& state = *static_cast<State*>(data);
  if (Fl::event() != FL_CLOSE) return;
  const int number = state.NumberOf(static_cast<Fl_Window*>(widget));
  if (number >= 0) state.events_.push_back({EventKind::CloseRequest, number, -1});
}

void State::OnControlCallback(Fl_Widget* widget, void* data) {
  auto& state = *static_cast<State*>(data);
  Control* control = state.FindByWidget(widget);
  if (control == nullptr) return;
  if (control->Kind == ControlKind::ListBox) {
    // FLTK calls back on every click; the list reports only a changed
    // selection or a double click.
    const int selection = static_cast<Fl_Hold_Browser*>(widget)->value();
    const bool changed = selection != control->LastSelection;
    control->LastSelection = selection;
    if (!changed && Fl::event_clicks() == 0) return;
  }
  state.events_.push_back({EventKind::Control, control->Window, control->Number});
}

void State::OpenWindow(const shell::WindowLayout& layout) {
  if (layout.Number < 0 || layout.Number >= WindowCount) return;
  CloseWindow(layout.Number);
  auto window = MakeWindow<ModelWindow>(
      layout.X + FrameLeft, layout.Y + FrameTop, std::max(1, layout.OuterWidth - FrameLeft - FrameRight),
      std::max(1, layout.OuterHeight - FrameTop - FrameBottom));
  window->copy_label(ShownText(layout.Title).c_str());
  window->color(FL_BACKGROUND_COLOR);
  window->resizable(nullptr);  // FLTK then asks the window manager for a fixed size
  window->callback(&State::OnWindowCallback, this);
  window->show();
  RequestDecorations(*window, layout.Style == shell::WindowStyle::Main
                                  ? Decorations::CaptionCloseMinimize
                                  : Decorations::CaptionOnly);
  windows_[static_cast<std::size_t>(layout.Number)] = std::move(window);
  current_ = layout.Number;
}

void State::CreateControl(const shell::ControlLayout& layout) {
  ModelWindow* window = WindowOf(current_);
  if (window == nullptr || controls_.contains(layout.Number)) return;
  Fl_Widget* widget = nullptr;
  switch (layout.Kind) {
    case ControlKind::ListBox: {
      auto& list = AddChild<Fl_Hold_Browser>(*window, layout.X, layout.Y, layout.Width, layout.Height);
      list.has_scrollbar(Fl_Browser_::VERTICAL);
      list.textsize(TextSize);
      list.when(FL_WHEN_CHANGED | FL_WHEN_NOT_CHANGED);
      widget = &list;
      break;
    }
    case ControlKind::PushButton:
      widget = &AddChild<Fl_Button>(*window, layout.X, layout.Y, layout.Width, layout.Height);
      break;
    case ControlKind::CheckBox:
      widget = &AddChild<Fl_Check_Button>(*window, layout.X, layout.Y, layout.Width, layout.Height);
      break;
    case ControlKind::StaticText:
      widget = &AddChild<Fl_Box>(*window, FL_NO_BOX, layout.X, layout.Y, layout.Width, layout.Height, nullptr);
      widget->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
      widget->clear_visible_focus();
      break;
  }
  if (layout.Kind != ControlKind::ListBox) widget->copy_label(PlainLabel(layout.Text).c_str());
  widget->labelsize(TextSize);
  if (layout.Kind != ControlKind::StaticText) widget->callback(&State::OnControlCallback, this);
  ReportCutText(*widget, layout, window->w());
  widget->redraw();
  controls_[layout.Number] = Control{layout.Number, current_, layout.Kind, widget, 0};
}

WindowEvent State::WaitForEvent() {
  if (events_.empty()) Fl::wait();
  return Pop();
}

// FLTK handles every X event that has arrived in one go and gives no word
// of repaints, moves or activation; those come back as Kind None, and the
// events that several messages raised are handed out one per call.
std::optional<WindowEvent> State::HandleWaitingMessage() {
  if (events_.empty()) {
    if (!Fl::ready()) {
      Fl::flush();  // FLTK repaints only here, not per message
      return std::nullopt;
    }
    Fl::wait(0.0);
    Fl::flush();
  }
  return Pop();
}

void State::CloseWindow(int number) {
  if (WindowOf(number) == nullptr) return;
  std::erase_if(controls_, [number](const auto& entry) { return entry.second.Window == number; });
  windows_[static_cast<std::size_t>(number)].reset();
}

void State::EnableControl(int number, bool enabled) {
  if (Control* control = Find(number)) {
    if (enabled) {
      control->Widget->activate();
    } else {
      control->Widget->deactivate();
    }
  }
}

void State::SetCheckBox(int number, bool ticked) {
  Control* control = Find(number);
  if (control != nullptr && control->Kind == ControlKind::CheckBox) {
    static_cast<Fl_Check_Button*>(control->Widget)->value(ticked ? 1 : 0);
  }
}

bool State::IsCheckBoxTicked(int number) const {
  const Control* control = Find(number);
  return control != nullptr && control->Kind == ControlKind::CheckBox &&
         static_cast<const Fl_Check_Button*>(control->Widget)->value() != 0;
}

void State::AppendListLine(int number, std::string_view line) {
  Control* control = Find(number);
  if (control != nullptr && control->Kind == ControlKind::ListBox) {
    static_cast<Fl_Hold_Browser*>(control->Widget)->add(PlainListLine(line).c_str());
  }
}

void State::ClearList(int number) {
  Control* control = Find(number);
  if (control != nullptr && control->Kind == ControlKind::ListBox) {
    static_cast<Fl_Hold_Browser*>(control->Widget)->clear();
    control->LastSelection = 0;
  }
}

ModelWindow* State::WindowOf(int number) const {
  if (number < 0 || number >= WindowCount) return nullptr;
  return windows_[static_cast<std::size_t>(number)].get();
}

int State::NumberOf(const Fl_Window* window) const {
  for (int number = 0; number < WindowCount; ++number) {
    if (window != nullptr && WindowOf(number) == window) return number;
  }
  return -1;
}

Control* State::Find(int number) {
  const auto found = controls_.find(number);
  return found == controls_.end() ? nullptr : &found->second;
}

const Control* State::Find(int number) const {
  const auto found = controls_.find(number);
  return found == controls_.end() ? nullptr : &found->second;
}

Control* State::FindByWidget(const Fl_Widget* widget) {
  for (auto& [number, control] : controls_) {
    if (control.Widget == widget) return &control;
  }
  return nullptr;
}

WindowEvent State::Pop() {
  if (events_.empty()) return {};
  const WindowEvent event = events_.front();
  events_.pop_front();
  return event;
}

// The window's children are its controls in the order they were created.
void State::MoveFocus() {
  ModelWindow* window = WindowOf(current_);
  if (window == nullptr) return;
  const int count = window->children();
  int focused = -1;
  for (int i = 0; i < count; ++i) {
    if (window->child(i)->contains(Fl::focus())) focused = i;
  }
  for (int step = 1; step <= count; ++step) {
    Fl_Widget* candidate = window->child((focused + step + count) % count);
    const Control* control = FindByWidget(candidate);
    if (control == nullptr || control->Kind == ControlKind::StaticText) continue;
    if (candidate->active_r() && candidate->visible_r() && candidate->take_focus()) return;
  }
}

}  // namespace

shell::WindowSystem MakeFltkWindowSystem() { return BindWindowSystem(std::make_shared<State>()); }

}  // namespace bytegleaner::ui
