#pragma once

#include <cstdint>
#include <string>

namespace bytegleaner::output {

// The creator and size lines, the memory map of three 16 KB slots and the
// ROM bank map.
void WriteSourceHeader(std::string& out, std::int32_t romSize);

}  // namespace bytegleaner::output
