#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace bytegleaner::testing {

// Why WLA DX (wla-z80 and wlalink, from the folder BYTEGLEANER_WLA_DX names
// or from PATH) cannot be used here; empty when it can.
std::string WlaDxMissing();

// Assembles and links `source` in the folder into rebuilt.rom, with a
// listing when asked; empty on success, else what the tools said.
std::string Assemble(const std::string& folder, const std::string& source, bool listing);

// Examines the image with bytegleaner-cli, rebuilds it with WLA DX and
// compares; empty when the image comes back unchanged, else the first
// difference with the source line that produced it.
std::string RoundTripFailure(const std::string& romName, const std::vector<std::uint8_t>& image, bool rebuildable);

std::string Hex(std::uint32_t value);
std::string HexBytes(std::span<const std::uint8_t> bytes);

}  // namespace bytegleaner::testing
