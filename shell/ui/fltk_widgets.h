#pragma once

#include <memory>
#include <utility>

#include <FL/Fl_Group.H>

namespace bytegleaner::ui {

// Helvetica at this size stands in for the platform's stock variable-pitch
// font; at 11 px the About window's lines ran past its edge.
inline constexpr Fl_Fontsize TextSize = 10;

// FLTK groups own and delete their children, so a widget must be handed to
// its parent as a raw pointer; this is the one place where that happens.
template <typename Widget, typename... Arguments>
Widget& AddChild(Fl_Group& parent, Arguments&&... arguments) {
  auto child = std::make_unique<Widget>(std::forward<Arguments>(arguments)...);
  Widget& widget = *child;
  parent.add(child.release());
  return widget;
}

// Top-level windows belong to no group; the caller holds them. end() stops
// FLTK from adding later widgets to the window on its own.
template <typename Window, typename... Arguments>
std::unique_ptr<Window> MakeWindow(Arguments&&... arguments) {
  auto window = std::make_unique<Window>(std::forward<Arguments>(arguments)...);
  window->end();
  return window;
}

}  // namespace bytegleaner::ui
