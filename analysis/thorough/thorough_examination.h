#pragma once

#include <array>
#include <cstdint>

namespace bytegleaner::opcodes {
struct OpcodeTable;
}
namespace bytegleaner::analysis {
struct Examination;
}

namespace bytegleaner::thorough {

// The ways the thorough analysis finds code, in the order its status lines
// report them.
enum class Finder : std::uint8_t { EntryPoint, JumpTable, CodeAddress, InlineData, Mapper };
inline constexpr std::size_t FinderCount = 5;

// What the thorough analysis found beyond the analysis map and the labels.
struct Findings {
  std::array<std::int32_t, FinderCount> RunsFound{};
};

// Traces from the entry points, then follows jump tables, code addresses
// used as values, routines with inline data and mapper paging until nothing
// new is found. Marks the examination's map and labels as the tracer does.
void ExamineThoroughly(const opcodes::OpcodeTable& table, analysis::Examination& examination, Findings& findings);

}  // namespace bytegleaner::thorough
