#pragma once

class Fl_Window;

// The few window-manager requests FLTK has no call for. Kept apart because
// the X headers define macros (None, Status, Bool) that clash with our names.
namespace bytegleaner::ui {

void OpenDisplay();

enum class Decorations { CaptionCloseMinimize, CaptionOnly };

// Must follow show(): the request is a property of the shown X window.
void RequestDecorations(Fl_Window& window, Decorations decorations);

}  // namespace bytegleaner::ui
