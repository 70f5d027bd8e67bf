#pragma once

#include "analysis/thorough/code_plausibility.h"
#include "analysis/thorough/inline_arguments.h"
#include "analysis/thorough/jump_table_idiom.h"
#include "analysis/thorough/paging.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bytegleaner::opcodes {
struct OpcodeTable;
}
namespace bytegleaner::analysis {
struct Examination;
}
namespace bytegleaner::hints {
struct Hint;
}

namespace bytegleaner::thorough {

// The ways the thorough analysis finds code, in the order its status lines
// report them.
enum class Finder : std::uint8_t { EntryPoint, JumpTable, CodeAddress, InlineData, Mapper, Hint };
inline constexpr std::size_t FinderCount = 6;

// Why a run that plain tracing would not have reached was traced.
enum class Reason : std::uint8_t {
  Traced,              // reached by a jump, call or RST from traced code
  EntryPoint,          // $0000, $0038, $0066
  JumpTableEntry,      // From: the table
  IndirectJump,        // the one address a jump through a register takes; From: the jump
  CodeAddress,         // a constant that traced code loads; From: the loading instruction
  CodeAddressInTable,  // a word of a table such a constant points at; From: the table
  PagedIn,             // a call or jump into another bank paged into its slot; From: the call or jump
  Hint,                // a code hint; From: the run itself
  HintedTableEntry,    // an entry of a words hint's table; From: the table
};

Finder FinderOf(Reason reason);

struct FoundRun {
  std::int32_t Offset = 0;
  std::int32_t From = 0;
  Reason Why = Reason::Traced;
  std::uint8_t Slot = 0;  // the slot the run's code runs in
};

enum class TableKind : std::uint8_t {
  JumpTable,       // behind an indirect jump; UsedAt: the jump
  WordsAfterCall,  // after a call or RST to a dispatcher; UsedAt: the call
  CodeAddresses,   // words a loaded constant points at; UsedAt: the load
  Hinted,          // a words hint's table; UsedAt: the table itself
};

// Words that hold code addresses, read under the paging in force where the
// table is used.
struct WordTable {
  std::int32_t Offset = 0;
  std::int32_t Count = 0;
  std::int32_t UsedAt = 0;
  TableKind Kind = TableKind::JumpTable;
  Paging Pages;
};

// Bytes after a call site that the called routine reads and returns past.
struct InlineData {
  std::int32_t Offset = 0;
  std::int32_t Length = 0;
  std::int32_t CallAt = 0;
};

// An operand that names an image offset other than its own value (a call
// into a paged bank), or an immediate constant found to be a code address
// or table address. Value is the operand's value, a CPU address.
struct OperandTarget {
  std::int32_t Instruction = 0;
  std::int32_t Target = 0;
  std::uint16_t Value = 0;
};

// Where a run was queued from: a jump, call or RST (Traced, PagedIn), a
// table (its entries), an indirect jump or a loaded constant.
struct Reference {
  std::int32_t Target = 0;
  std::int32_t From = 0;
  Reason Why = Reason::Traced;
};

// What the thorough analysis found beyond the analysis map and the labels.
// Every list is in offset order; References in the order of From.
struct Findings {
  std::array<std::int32_t, FinderCount> RunsFound{};
  std::vector<std::uint8_t> BankSlots;  // the slot each bank's code runs in
  std::vector<FoundRun> Runs;           // every run not reached by plain tracing, entry points aside
  std::vector<WordTable> Tables;
  std::vector<InlineData> InlineStretches;
  std::vector<OperandTarget> OperandTargets;
  std::vector<Reference> References;
};

// The idiom recognizers the analysis asks; tests put in their own.
struct Recognizers {
  std::optional<JumpTableIdiom> (*FindJumpTable)(const opcodes::OpcodeTable&, const analysis::Examination&,
                                                 std::int32_t) = FindJumpTableIdiom;
  InlineArguments (*Classify)(const opcodes::OpcodeTable&, const analysis::Examination&, std::int32_t) =
      ClassifyRoutine;
  bool (*IsPlausibleCode)(const opcodes::OpcodeTable&, const analysis::Examination&, std::int32_t) = LooksLikeCode;
};

// Traces from the entry points, then follows jump tables, code addresses
// used as values, routines with inline data and mapper paging until nothing
// new is found. Marks the examination's map and labels as the tracer does.
void ExamineThoroughly(const opcodes::OpcodeTable& table, analysis::Examination& examination, Findings& findings);
void ExamineThoroughly(const opcodes::OpcodeTable& table, analysis::Examination& examination, Findings& findings,
                       const Recognizers& recognizers);

// A hints file's say in the analysis. Its data, words and text ranges are
// never traced as code; once the analysis has found what it finds alone,
// its code hints and words tables are traced, and what they lead to
// followed. Errors: the ranges that instructions traced from the hints run
// into, in the hints reader's form.
struct Guidance {
  std::span<const hints::Hint> Hints;
  std::string_view FileName;
  std::vector<std::string> Errors;
};
void ExamineThoroughly(const opcodes::OpcodeTable& table, analysis::Examination& examination, Findings& findings,
                       const Recognizers& recognizers, Guidance& guidance);

}  // namespace bytegleaner::thorough
