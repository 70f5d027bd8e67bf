#include "output/paged_source.h"

#include "analysis/examination.h"
#include "output/data_lines.h"
#include "output/data_stretch.h"
#include "output/paged_writer.h"
#include "reporting/user_interface.h"
#include "text/number_text.h"

#include <algorithm>
#include <span>

namespace bytegleaner::output {

namespace {

using thorough::SlotSize;

std::int32_t EndOfBank(const SourceJob& job, std::int32_t offset) {
  return std::min((thorough::BankOf(offset) + 1) * SlotSize, job.Examination.Rom.RomSize);
}

void WriteBankHeader(std::string& out, std::int32_t bank, std::uint8_t slot) {
  out += "\r\n.BANK ";
  text::AppendDecimal(out, bank);
  out += " SLOT ";
  text::AppendDecimal(out, slot);
  out += "\r\n.ORG $0000\r\n\r\n";
}

// The table whose word starts at the offset, where the whole word can be
// written: inside the bank, with no code or label in its second byte.
const thorough::WordTable* TableWordAt(PagedWriter& writer, std::int32_t offset) {
  const auto& tables = writer.Found.Tables;
  while (writer.NextTable < tables.size() &&
         tables[writer.NextTable].Offset + 2 * tables[writer.NextTable].Count <= offset) {
    ++writer.NextTable;
  }
  if (writer.NextTable == tables.size()) return nullptr;
  const thorough::WordTable& table = tables[writer.NextTable];
  const bool wordStart = offset >= table.Offset && (offset - table.Offset) % 2 == 0;
  if (!wordStart || offset + 1 >= EndOfBank(writer.Job, offset) ||
      writer.Job.Examination.Map[static_cast<std::size_t>(offset + 1)] != 0) {
    return nullptr;
  }
  return &table;
}

const thorough::InlineData* InlineDataAt(PagedWriter& writer, std::int32_t offset) {
  const auto& stretches = writer.Found.InlineStretches;
  while (writer.NextInline < stretches.size() &&
         stretches[writer.NextInline].Offset + stretches[writer.NextInline].Length <= offset) {
    ++writer.NextInline;
  }
  if (writer.NextInline == stretches.size() || stretches[writer.NextInline].Offset > offset) return nullptr;
  return &stretches[writer.NextInline];
}

std::int32_t WriteTableWord(PagedWriter& writer, const thorough::WordTable& table, std::int32_t offset) {
  SourceJob& job = writer.Job;
  std::string& out = job.Source.Text;
  if (offset == table.Offset) {
    out += table.Kind == thorough::TableKind::JumpTable        ? "; jump table of the dispatch at "
           : table.Kind == thorough::TableKind::WordsAfterCall ? "; jump table after the call at "
           : table.Kind == thorough::TableKind::Hinted         ? "; code addresses, a words hint at "
                                                               : "; code addresses, a table loaded at ";
    text::AppendDollarHex(out, static_cast<std::uint32_t>(table.UsedAt));
    out += "\r\n";
  }
  WriteLineHead(writer, offset, 2);
  const analysis::RomImage& rom = job.Examination.Rom;
  const std::uint16_t word = rom.WordAt(offset);
  out += ".dw ";
  if (!writer.AppendLabelFor(out, thorough::ImageOffsetOf(word, table.Pages, rom.RomSize), word)) {
    text::AppendDollarHex(out, word);
  }
  out += "\r\n";
  return offset + 2;
}

// The end of the stretch from `offset` up to the next offset with code, a
// label, a table or inline data, or the bank's end.
std::int32_t EndOfStretch(const PagedWriter& writer, std::int32_t offset, std::int32_t end) {
  end = std::min(end, NextRefinedStop(writer, offset));
  const auto& tables = writer.Found.Tables;
  for (std::size_t i = writer.NextTable; i < tables.size(); ++i) {
    if (tables[i].Offset > offset) {
      end = std::min(end, tables[i].Offset);
      break;
    }
  }
  const auto& stretches = writer.Found.InlineStretches;
  for (std::size_t i = writer.NextInline; i < stretches.size(); ++i) {
    if (stretches[i].Offset > offset) {
      end = std::min(end, stretches[i].Offset);
      break;
    }
  }
  const auto& map = writer.Job.Examination.Map;
  std::int32_t stop = offset + 1;
  while (stop < end && map[static_cast<std::size_t>(stop)] == 0) ++stop;
  return stop;
}

std::int32_t WriteInlineData(PagedWriter& writer, const thorough::InlineData& data, std::int32_t offset) {
  SourceJob& job = writer.Job;
  std::string& out = job.Source.Text;
  if (offset == data.Offset) {
    out += "; inline data of the call at ";
    text::AppendDollarHex(out, static_cast<std::uint32_t>(data.CallAt));
    out += "\r\n";
  }
  const std::int32_t stop = EndOfStretch(writer, offset, data.Offset + data.Length);
  WriteLineHead(writer, offset, stop - offset);
  const auto& bytes = job.Examination.Rom.Bytes;
  WriteTextDb(out, std::span(bytes.data() + offset, static_cast<std::size_t>(stop - offset)), true);
  return stop;
}

std::int32_t WriteData(PagedWriter& writer, std::int32_t offset) {
  SourceJob& job = writer.Job;
  const std::int32_t stop = EndOfStretch(writer, offset, EndOfBank(job, offset));
  const DataStretch stretch = MakeDataStretch(job, offset, stop);
  WriteDataHeading(job, stretch);
  WriteLineHead(writer, offset, stop - offset);
  WriteDataStretch(job, stretch);
  job.Source.Text += "\r\n";
  return stop;
}

// Text ranges are written like data, but as text wherever the bytes allow.
std::int32_t WriteTextRange(PagedWriter& writer, const hints::Hint& range, std::int32_t offset) {
  SourceJob& job = writer.Job;
  std::string& out = job.Source.Text;
  const std::int32_t stop = EndOfStretch(writer, offset, std::min(range.Last + 1, EndOfBank(job, offset)));
  if (offset == range.First) {
    out += "\r\n; Text from $";
    text::AppendHex(out, static_cast<std::uint32_t>(range.First));
    out += " to $";
    text::AppendHex(out, static_cast<std::uint32_t>(range.Last));
    out += "\r\n";
  }
  WriteLineHead(writer, offset, stop - offset);
  const auto& bytes = job.Examination.Rom.Bytes;
  WriteTextLines(out, std::span(bytes.data() + offset, static_cast<std::size_t>(stop - offset)));
  if (stop == range.Last + 1) out += "\r\n";
  return stop;
}

}  // namespace

void WritePagedBanks(SourceJob& job, const thorough::Findings& findings) { WritePagedBanks(job, findings, {}); }

void WritePagedBanks(SourceJob& job, const thorough::Findings& findings, std::span<const hints::Hint> hints) {
  reporting::AddStatusLine(job.Ui, "Creating ASM file...");
  const Refinements refinements = RefinementsFor(job, findings, hints);
  PagedWriter writer{job, findings, refinements};
  const analysis::Examination& examination = job.Examination;
  const std::int32_t romSize = examination.Rom.RomSize;
  for (std::int32_t position = 0; position < romSize;) {
    if (position % SlotSize == 0) {
      const std::int32_t bank = thorough::BankOf(position);
      WriteBankHeader(job.Source.Text, bank, findings.BankSlots[static_cast<std::size_t>(bank)]);
    }
    if ((examination.Map[static_cast<std::size_t>(position)] & analysis::CodeStart) != 0) {
      position += WritePagedCodeLine(writer, position);
    } else if (position == refinements.HeaderOffset) {
      position = WriteHeaderBlock(writer, position);
    } else if (const thorough::WordTable* table = TableWordAt(writer, position)) {
      position = WriteTableWord(writer, *table, position);
    } else if (const thorough::InlineData* data = InlineDataAt(writer, position)) {
      position = WriteInlineData(writer, *data, position);
    } else if (const hints::Hint* range = TextRangeAt(writer, position)) {
      position = WriteTextRange(writer, *range, position);
    } else {
      position = WriteData(writer, position);
    }
    job.Source.FlushIfFull();
  }
}

}  // namespace bytegleaner::output
