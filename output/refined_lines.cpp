#include "output/refined_lines.h"

#include "analysis/examination.h"
#include "output/cartridge_header.h"
#include "output/data_lines.h"
#include "output/hardware_names.h"
#include "output/paged_writer.h"

#include <algorithm>

namespace bytegleaner::output {

namespace {

bool HasLabel(const analysis::Examination& examination, std::int32_t offset) {
  return (examination.Map[static_cast<std::size_t>(offset)] & analysis::HasLabel) != 0;
}

bool Overlaps(std::int32_t start, std::int32_t end, std::int32_t otherStart, std::int32_t otherEnd) {
  return start < otherEnd && otherStart < end;
}

std::int32_t WritableHeaderOffset(const analysis::Examination& examination, const thorough::Findings& findings) {
  const std::optional<std::int32_t> found = FindCartridgeHeader(examination.Rom);
  if (!found) return -1;
  const std::int32_t start = *found;
  const std::int32_t end = start + CartridgeHeaderSize;
  if ((examination.Map[static_cast<std::size_t>(start)] & analysis::CodeStart) != 0) return -1;
  for (std::int32_t at = start + 1; at < end; ++at) {
    if (examination.Map[static_cast<std::size_t>(at)] != 0) return -1;
  }
  for (const thorough::WordTable& table : findings.Tables) {
    if (Overlaps(start, end, table.Offset, table.Offset + 2 * table.Count)) return -1;
  }
  for (const thorough::InlineData& data : findings.InlineStretches) {
    if (Overlaps(start, end, data.Offset, data.Offset + data.Length)) return -1;
  }
  return start;
}

bool CanBeInString(std::uint8_t byte) { return byte >= 32 && byte != '"' && byte != '\\'; }

}  // namespace

Refinements RefinementsFor(const SourceJob& job, const thorough::Findings& findings,
                           std::span<const hints::Hint> hints) {
  Refinements refinements;
  for (const hints::Hint& hint : hints) {
    if (hint.Kind == hints::HintKind::Comment) refinements.Comments.push_back(hint);
    if (hint.Kind == hints::HintKind::Text) refinements.TextRanges.push_back(hint);
  }
  const auto byFirst = [](const hints::Hint& a, const hints::Hint& b) { return a.First < b.First; };
  std::stable_sort(refinements.Comments.begin(), refinements.Comments.end(), byFirst);
  std::sort(refinements.TextRanges.begin(), refinements.TextRanges.end(), byFirst);
  refinements.References = GatherCrossReferences(job.Examination, findings);
  refinements.HeaderOffset = WritableHeaderOffset(job.Examination, findings);
  return refinements;
}

void WriteLineHead(PagedWriter& writer, std::int32_t offset, std::int32_t length, bool withLabelLine) {
  const analysis::Examination& examination = writer.Job.Examination;
  std::string& out = writer.Job.Source.Text;
  const bool labelled = HasLabel(examination, offset);
  const std::vector<CrossReference>& references = writer.Refine.References;
  while (writer.NextReference < references.size() && references[writer.NextReference].Target < offset) {
    ++writer.NextReference;
  }
  std::size_t end = writer.NextReference;
  while (end < references.size() && references[end].Target == offset) ++end;
  if (labelled) {
    WriteCrossReferences(out, examination,
                         std::span(references).subspan(writer.NextReference, end - writer.NextReference));
  }
  writer.NextReference = end;
  const std::vector<hints::Hint>& comments = writer.Refine.Comments;
  for (; writer.NextComment < comments.size() && comments[writer.NextComment].First < offset + length;
       ++writer.NextComment) {
    out += "; ";
    out += comments[writer.NextComment].Text;
    out += "\r\n";
  }
  if (labelled && withLabelLine) {
    analysis::AppendLabelName(out, examination.Labels, offset);
    out += ":\r\n";
  }
}

bool CommentBefore(const PagedWriter& writer, std::int32_t end) {
  const std::vector<hints::Hint>& comments = writer.Refine.Comments;
  return writer.NextComment < comments.size() && comments[writer.NextComment].First < end;
}

std::int32_t NextRefinedStop(const PagedWriter& writer, std::int32_t offset) {
  std::int32_t stop = writer.Job.Examination.Rom.RomSize;
  const std::vector<hints::Hint>& comments = writer.Refine.Comments;
  for (std::size_t i = writer.NextComment; i < comments.size(); ++i) {
    if (comments[i].First > offset) {
      stop = std::min(stop, comments[i].First);
      break;
    }
  }
  const std::vector<hints::Hint>& texts = writer.Refine.TextRanges;
  for (std::size_t i = writer.NextText; i < texts.size(); ++i) {
    if (texts[i].First > offset) {
      stop = std::min(stop, texts[i].First);
      break;
    }
    if (texts[i].Last >= offset) stop = std::min(stop, texts[i].Last + 1);
  }
  if (writer.Refine.HeaderOffset > offset) stop = std::min(stop, writer.Refine.HeaderOffset);
  return stop;
}

const hints::Hint* TextRangeAt(PagedWriter& writer, std::int32_t offset) {
  const std::vector<hints::Hint>& texts = writer.Refine.TextRanges;
  while (writer.NextText < texts.size() && texts[writer.NextText].Last < offset) ++writer.NextText;
  if (writer.NextText == texts.size() || texts[writer.NextText].First > offset) return nullptr;
  return &texts[writer.NextText];
}

void WriteTextLines(std::string& out, std::span<const std::uint8_t> bytes) {
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = start;
    while (end < bytes.size() && CanBeInString(bytes[end])) ++end;
    while (end < bytes.size() && !CanBeInString(bytes[end])) ++end;
    WriteTextDb(out, bytes.subspan(start, end - start), true);
    start = end;
  }
}

std::int32_t WriteHeaderBlock(PagedWriter& writer, std::int32_t offset) {
  const analysis::Examination& examination = writer.Job.Examination;
  std::string& out = writer.Job.Source.Text;
  std::string label;
  if (!HasLabel(examination, offset) || !analysis::AppendLabelName(label, examination.Labels, offset)) {
    label = CartridgeHeaderLabel;
  }
  out += "\r\n";
  // The block writes its own label line.
  WriteLineHead(writer, offset, CartridgeHeaderSize, false);
  WriteCartridgeHeaderAt(out, examination.Rom, offset, label);
  out += "\r\n";
  return offset + CartridgeHeaderSize;
}

void AppendHardwareComment(std::string& out, const analysis::RomImage& rom, std::int32_t offset, std::int32_t length) {
  const std::string name =
      HardwareAccessComment(std::span(rom.Bytes.data() + offset, static_cast<std::size_t>(length)));
  if (name.empty()) return;
  out += " ; ";
  out += name;
}

}  // namespace bytegleaner::output
