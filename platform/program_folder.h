#pragma once

#include "platform/platform.h"

#include <string>
#include <string_view>

namespace bytegleaner::platform {

inline constexpr std::string_view ProgramName = "Bytegleaner";
inline constexpr std::string_view ProgramVersion = "V1.0";

// The folder of the running executable, ending with the separator, so that
// the program's own files are found whatever the current folder is.
std::string ProgramFolder();

// A file name relative to the program's folder, as the program's own files
// (the instruction table, the preferences) are always named.
std::string ProgramFile(std::string_view name);

// The path up to and including its last folder separator; empty without one.
std::string FolderOfPath(const std::string& path);

// Ends the process with exit code 0, as the program does after its last
// window or after a failed start.
[[noreturn]] void EndProgram();

}  // namespace bytegleaner::platform
