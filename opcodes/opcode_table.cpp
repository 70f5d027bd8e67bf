#include "opcodes/opcode_table.h"

#include "opcodes/template_text.h"
#include "platform/file_bytes.h"
#include "text/line_reader.h"

namespace bytegleaner::opcodes {

TemplateShape ShapeOfTemplate(std::string_view text) {
  const auto holds = [text](std::string_view piece) { return text.find(piece) != std::string_view::npos; };
  TemplateShape shape;
  shape.HasIndexedOperand = holds("(i?)");
  shape.HasWord = holds("##");
  shape.HasByte = !shape.HasWord && holds("#");
  shape.HasAbsoluteTarget = holds("*");
  shape.HasRelativeTarget = !shape.HasAbsoluteTarget && holds("+");
  shape.NamesRegister = holds("i?") || holds("I?");
  return shape;
}

void SetTemplate(OpcodeTable& table, int index, std::string templateText) {
  const auto at = static_cast<std::size_t>(index);
  table.Shapes[at] = ShapeOfTemplate(templateText);
  table.Compiled[at] = CompileTemplate(templateText, table.Shapes[at]);
  table.Templates[at] = std::move(templateText);
}

OpcodeTableStatus ReadOpcodeTable(std::span<const std::uint8_t> fileBytes, OpcodeTable& table) {
  text::LineReader reader{fileBytes};
  int count = 0;
  do {
    const std::string line = reader.ReadLine();
    if (!line.empty() && line.front() == ';') continue;
    std::string templateText;
    if (line.size() > TemplateColumnStart) templateText = line.substr(TemplateColumnStart, TemplateColumnWidth);
    SetTemplate(table, count, std::move(templateText));
    ++count;
  } while (count < OpcodeTableSize && !reader.AtEnd());
  return count < OpcodeTableSize ? OpcodeTableStatus::TooFewEntries : OpcodeTableStatus::Loaded;
}

OpcodeTableStatus LoadOpcodeTableFrom(const std::string& path, OpcodeTable& table) {
  const auto bytes = platform::ReadFileBytes(path);
  if (!bytes) return OpcodeTableStatus::CannotOpen;
  return ReadOpcodeTable(*bytes, table);
}

std::string_view OpcodeTableMessage(OpcodeTableStatus status) {
  switch (status) {
    case OpcodeTableStatus::CannotOpen: return "Can't load Opcodes.dat.";
    case OpcodeTableStatus::TooFewEntries: return "There are not enough instructions in Opcodes.dat.";
    case OpcodeTableStatus::Loaded: break;
  }
  return {};
}

}  // namespace bytegleaner::opcodes
