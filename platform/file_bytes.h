#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bytegleaner::platform {

// The whole content of a regular file, or nothing when it cannot be opened
// or read (missing, no read permission for anyone, a folder).
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path);

}  // namespace bytegleaner::platform
