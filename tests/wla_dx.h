#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bytegleaner::testing {

// The folder of wla-z80 and wlalink: the one BYTEGLEANER_WLA_DX names, else
// the copy the test build made from third_party/.
std::string WlaDxFolder();

// Assembles and links `source` in the folder into rebuilt.rom; empty on
// success, else what the tools said.
std::string Assemble(const std::string& folder, const std::string& source);

// Examines the image with bytegleaner-cli and the given options, rebuilds
// it with WLA DX and compares; empty when it comes back unchanged.
std::string RoundTripFailure(const std::string& romName, const std::vector<std::uint8_t>& image,
                             const std::string& options = "");

std::vector<std::uint8_t> RandomImage(std::int32_t size, std::uint32_t seed);

}  // namespace bytegleaner::testing
