#pragma once

// The comment above each label line that says where it is reached from.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace bytegleaner::analysis {
struct Examination;
struct LabelList;
}  // namespace bytegleaner::analysis
namespace bytegleaner::thorough {
struct Findings;
}

namespace bytegleaner::output {

enum class ReferenceKind : std::uint8_t { Call, Jump, Table, AddressLoad };

// Source: for a table, its start; otherwise the label nearest before the
// referring instruction in its bank, or the instruction where there is none.
struct CrossReference {
  std::int32_t Target = 0;
  std::int32_t Source = 0;
  ReferenceKind Kind = ReferenceKind::Call;
};

inline constexpr std::size_t MostReferencesNamed = 8;

// The findings' references as the comments name them, by target, then
// kind, then source, each once. Work grows with the image and the
// references.
std::vector<CrossReference> GatherCrossReferences(const analysis::Examination& examination,
                                                  const thorough::Findings& findings);

// "; called from A, B; jumped from C; table at D and 3 more" for the
// references of one target, naming at most MostReferencesNamed of them.
void WriteCrossReferences(std::string& out, const analysis::Examination& examination,
                          std::span<const CrossReference> references);

}  // namespace bytegleaner::output
