#pragma once

#include <string>

namespace bytegleaner::shell {

struct ProgramState;
struct WindowSystem;

// The desktop program from start-up to its end: preferences, instruction
// table, main window, event loop. Returns the exit code, 0 also when the
// instruction table could not be loaded (after its message, before any
// window).
int RunProgram(const WindowSystem& windows, const std::string& programFolder);

// The main window's loop, until "Quit" or its close box.
void RunMainLoop(ProgramState& state, const WindowSystem& windows);

// "Examine ROM": the requester, the examination, and the folder learned.
void ExamineChosenRom(ProgramState& state, const WindowSystem& windows);

}  // namespace bytegleaner::shell
