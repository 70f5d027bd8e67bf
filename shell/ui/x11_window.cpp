#include "shell/ui/x11_window.h"

#include <array>

#include <FL/Fl_Window.H>
#include <FL/x.H>

namespace bytegleaner::ui {
namespace {

// The Motif window-manager hints, which every common X window manager
// honours for choosing a frame's boxes and the functions it offers.
constexpr unsigned long HintFunctions = 1;
constexpr unsigned long HintDecorations = 2;
constexpr unsigned long FunctionMove = 4;
constexpr unsigned long FunctionMinimize = 8;
constexpr unsigned long FunctionClose = 32;
constexpr unsigned long DecorBorder = 2;
constexpr unsigned long DecorTitle = 8;
constexpr unsigned long DecorMenu = 16;
constexpr unsigned long DecorMinimize = 32;

}  // namespace

void OpenDisplay() { fl_open_display(); }

void RequestDecorations(Fl_Window& window, Decorations decorations) {
  if (!window.shown()) return;
  const bool boxes = decorations == Decorations::CaptionCloseMinimize;
  // flags, functions, decorations, input mode, status: longs as X expects them.
  std::array<unsigned long, 5> hints{
      HintFunctions | HintDecorations,
      FunctionMove | (boxes ? FunctionMinimize | FunctionClose : 0),
      DecorBorder | DecorTitle | (boxes ? DecorMenu | DecorMinimize : 0),
      0, 0};
  const Atom property = XInternAtom(fl_display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(fl_display, fl_xid(&window), property, property, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(hints.data()), static_cast<int>(hints.size()));
  XFlush(fl_display);
}

}  // namespace bytegleaner::ui
