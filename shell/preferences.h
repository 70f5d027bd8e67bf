#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace bytegleaner::shell {

struct ProgramState;
struct WindowSystem;

inline constexpr std::string_view PreferencesFileName = "Bytegleaner.prefs";
inline constexpr int BreakCheckBox = 13;

enum class PreferencesStatus { Taken, OtherVersion, FolderTooLong };

// Takes the option and the last folder from the file's bytes.
PreferencesStatus ReadPreferences(std::span<const std::uint8_t> bytes, ProgramState& state);

// Reads the preferences file in the program's folder; a missing file keeps
// the defaults silently, a file of another version after a message.
void LoadPreferences(ProgramState& state, const WindowSystem& windows);

// Writes the option and the last folder; shows a message when the file
// cannot be made.
void SavePreferences(const ProgramState& state, const WindowSystem& windows);

void TakeOptionFromCheckBox(ProgramState& state, const WindowSystem& windows);

// Opens the Preferences window and runs its loop until Save, Use or Cancel.
void RunPreferencesWindow(ProgramState& state, const WindowSystem& windows);

}  // namespace bytegleaner::shell
