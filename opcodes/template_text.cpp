#include "opcodes/template_text.h"

#include "text/number_text.h"

#include <algorithm>
#include <array>

namespace bytegleaner::opcodes {

namespace {

enum Marker : char { WordMarker = 1, ByteMarker = 2, TargetMarker = 3, IndexedMarker = 4, RegisterMarker = 5 };

bool Replace(std::string& text, std::string_view placeholder, std::string_view replacement) {
  const auto at = text.find(placeholder);
  if (at == std::string::npos) return false;
  text.replace(at, placeholder.size(), replacement);
  return true;
}

// The replacement steps, shared by the reference filling and compiling.
struct Replacements {
  std::string_view Word;
  std::string_view Byte;
  std::string_view Target;
  std::string_view Indexed;
  std::string_view Register;
};

void ApplyReplacements(std::string& text, const TemplateShape& shape, const Replacements& with) {
  if (shape.HasWord) {
    Replace(text, "##", with.Word);
  } else if (shape.HasByte) {
    Replace(text, "#", with.Byte);
  }
  if (shape.HasAbsoluteTarget) {
    Replace(text, "*", with.Target);
  } else if (shape.HasRelativeTarget) {
    Replace(text, "+", with.Target);
  }
  if (shape.HasIndexedOperand) {
    Replace(text, "i?", with.Indexed);
  } else {
    Replace(text, "i?", with.Register);
    Replace(text, "i?", with.Register);
    Replace(text, "I?", with.Register);
  }
}

bool IsMarker(char c) { return c >= WordMarker && c <= RegisterMarker; }

}  // namespace

std::string CompileTemplate(std::string_view templateText, const TemplateShape& shape) {
  if (std::any_of(templateText.begin(), templateText.end(), IsMarker)) return {};
  std::string compiled(templateText);
  const char word[] = {WordMarker, 0}, byte[] = {ByteMarker, 0}, target[] = {TargetMarker, 0},
             indexed[] = {IndexedMarker, 0}, name[] = {RegisterMarker, 0};
  ApplyReplacements(compiled, shape, {word, byte, target, indexed, name});
  return compiled;
}

namespace {

// Text is built in a fixed buffer and assigned once: a template has at most
// 25 characters, and no placeholder expands to more than 32.
struct ExpansionBuffer {
  std::array<char, 1024> Chars;  // only the first Size are ever read
  std::size_t Size = 0;

  void Add(char c) { Chars[Size++] = c; }
  void Add(std::string_view text) {
    std::copy(text.begin(), text.end(), Chars.begin() + static_cast<std::ptrdiff_t>(Size));
    Size += text.size();
  }
  void AddDollarHex(std::uint32_t value) {
    Add('$');
    Size = static_cast<std::size_t>(text::FormatHex(Chars.data() + Size, value) - Chars.data());
  }
  void AddRegister(char letter) {
    Add('i');
    if (letter != 0) Add(letter);
  }
};

}  // namespace

void AppendCompiledTemplate(std::string& text, std::string_view compiled, const TemplateOperands& operands) {
  ExpansionBuffer buffer;
  for (auto at = compiled.begin(); at != compiled.end();) {
    const auto literal = at;
    while (at != compiled.end() && !IsMarker(*at)) ++at;
    buffer.Add(std::string_view(literal, at));
    if (at == compiled.end()) break;
    switch (*at++) {
      case WordMarker:
      case ByteMarker: buffer.AddDollarHex(operands.Value); break;
      case TargetMarker: buffer.Add(operands.TargetText); break;
      case IndexedMarker:
        buffer.AddRegister(operands.IndexRegisterLetter);
        buffer.Add('+');
        buffer.AddDollarHex(operands.Displacement);
        break;
      default: buffer.AddRegister(operands.IndexRegisterLetter); break;
    }
  }
  text.append(buffer.Chars.data(), buffer.Size);
}

namespace {

// The text one placeholder stands for.
std::string ExpansionOf(Marker marker, const TemplateOperands& operands) {
  std::string text;
  const char compiled[] = {marker, 0};
  AppendCompiledTemplate(text, compiled, operands);
  return text;
}

}  // namespace

void FillTemplate(std::string& text, std::string_view templateText, const TemplateShape& shape,
                  const TemplateOperands& operands) {
  const std::string word = ExpansionOf(WordMarker, operands);
  const std::string indexed = ExpansionOf(IndexedMarker, operands);
  const std::string name = ExpansionOf(RegisterMarker, operands);
  text = templateText;
  ApplyReplacements(text, shape, {word, word, operands.TargetText, indexed, name});
}

bool CompiledTemplateIsExact(const OpcodeTable& table, int index, char indexRegisterLetter) {
  const auto at = static_cast<std::size_t>(index);
  if (table.Compiled[at].empty() && !table.Templates[at].empty()) return false;
  // A bare "i" left by a register name without a prefix can join a
  // following "?" into a new placeholder that only the reference way sees.
  return indexRegisterLetter != 0 || !table.Shapes[at].NamesRegister;
}

}  // namespace bytegleaner::opcodes
