#pragma once

namespace bytegleaner::shell {

struct WindowSystem;

// Opens the About window and runs its loop until "OK".
void RunAboutWindow(const WindowSystem& windows);

}  // namespace bytegleaner::shell
