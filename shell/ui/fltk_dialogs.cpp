#include "shell/ui/fltk_dialogs.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include "shell/ui/fltk_text.h"
#include "shell/ui/fltk_widgets.h"
#include "shell/ui/x11_window.h"

namespace bytegleaner::ui {
namespace {

// The program keeps a chosen path in a buffer of 1000 bytes; the platform's
// requester fails on a longer one, and so does this one.
constexpr std::size_t MaxPathLength = 999;

constexpr int MessageMargin = 12;
constexpr int OkWidth = 75;
constexpr int OkHeight = 23;
constexpr int MinMessageWidth = 120;

// While a platform's modal box runs, messages for the other windows are
// dispatched by the box's own loop and never reach the program's loops.
class DropEventsMeanwhile {
 public:
  explicit DropEventsMeanwhile(EventQueue& events) : events_(events), size_(events.size()) {}
  ~DropEventsMeanwhile() {
    if (events_.size() > size_) events_.resize(size_);
  }
  DropEventsMeanwhile(const DropEventsMeanwhile&) = delete;
  DropEventsMeanwhile& operator=(const DropEventsMeanwhile&) = delete;

 private:
  EventQueue& events_;
  std::size_t size_;
};

std::string ProposedPath(const RequesterStart& start) {
  if (!start.HasFolder) return start.Name;
  std::string path = start.Folder;
  if (!path.ends_with('/')) path += '/';
  return path + start.Name;
}

bool IsExistingFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::string ChooseFile(const shell::FileRequest& request, EventQueue& events) {
  const RequesterStart start = SplitDefaultPath(request.DefaultPath);
  const std::string title = ShownText(request.Title);
  const std::string filter = FileChooserFilter(request.Filters);
  // A null folder is FLTK's "current folder", the toolkit's default.
  Fl_File_Chooser chooser(start.HasFolder ? start.Folder.c_str() : nullptr, filter.c_str(),
                          Fl_File_Chooser::SINGLE, title.c_str());
  if (!start.Name.empty()) chooser.value(ProposedPath(start).c_str());

  DropEventsMeanwhile drop(events);
  chooser.show();
  while (chooser.shown()) Fl::wait();

  // Typed names are checked by the chooser itself, but a file may vanish
  // before the chooser closes.
  const char* chosen = chooser.value();
  if (chosen == nullptr) return {};
  std::string path = chosen;
  if (path.size() > MaxPathLength || !IsExistingFile(path)) return {};
  return path;
}

void ShowMessage(std::string_view title, std::string_view text, EventQueue& events) {
  OpenDisplay();  // text is measured before any window may have been shown
  const std::string label = PlainLabel(text);
  fl_font(FL_HELVETICA, TextSize);
  int textWidth = 0;
  int textHeight = 0;
  fl_measure(label.c_str(), textWidth, textHeight);

  const int width = std::max({textWidth + 2 * MessageMargin, OkWidth + 2 * MessageMargin,
                              MinMessageWidth});
  const int buttonTop = MessageMargin + textHeight + MessageMargin;
  const int height = buttonTop + OkHeight + MessageMargin;
  auto box = MakeWindow<Fl_Window>((Fl::w() - width) / 2, (Fl::h() - height) / 2, width, height);
  box->copy_label(ShownText(title).c_str());

  auto& message = AddChild<Fl_Box>(*box, FL_NO_BOX, MessageMargin, MessageMargin, textWidth,
                                   textHeight, nullptr);
  message.copy_label(label.c_str());
  message.labelsize(TextSize);
  message.align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE);

  auto& ok = AddChild<Fl_Button>(*box, (width - OkWidth) / 2, buttonTop, OkWidth, OkHeight, "OK");
  ok.labelsize(TextSize);
  ok.shortcut(FL_Enter);
  ok.callback([](Fl_Widget* button, void*) { button->window()->hide(); });

  DropEventsMeanwhile drop(events);
  box->set_modal();
  box->show();
  ok.take_focus();
  while (box->shown()) Fl::wait();
}

}  // namespace bytegleaner::ui
