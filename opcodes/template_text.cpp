#include "opcodes/template_text.h"

#include "shell/number_text.h"

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

void AppendDollarHex(std::string& text, std::uint32_t value) {
  text += '$';
  shell::AppendHex(text, value);
}

void AppendRegister(std::string& text, char letter) {
  text += 'i';
  if (letter != 0) text += letter;
}

void AppendIndexed(std::string& text, const TemplateOperands& operands) {
  AppendRegister(text, operands.IndexRegisterLetter);
  text += '+';
  AppendDollarHex(text, operands.Displacement);
}

}  // namespace

std::string CompileTemplate(std::string_view templateText, const TemplateShape& shape) {
  const bool holdsMarkers =
      std::any_of(templateText.begin(), templateText.end(), [](char c) { return c >= WordMarker && c <= RegisterMarker; });
  if (holdsMarkers) return {};
  std::string compiled(templateText);
  const char word[] = {WordMarker, 0}, byte[] = {ByteMarker, 0}, target[] = {TargetMarker, 0},
             indexed[] = {IndexedMarker, 0}, name[] = {RegisterMarker, 0};
  ApplyReplacements(compiled, shape, {word, byte, target, indexed, name});
  return compiled;
}

void FillTemplate(std::string& text, std::string_view templateText, const TemplateShape& shape,
                  const TemplateOperands& operands) {
  std::string word, byte, indexed, name;
  AppendDollarHex(word, operands.Value);
  AppendDollarHex(byte, operands.Value);
  AppendIndexed(indexed, operands);
  AppendRegister(name, operands.IndexRegisterLetter);
  text = templateText;
  ApplyReplacements(text, shape, {word, byte, operands.TargetText, indexed, name});
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
    Size = static_cast<std::size_t>(shell::FormatHex(Chars.data() + Size, value) - Chars.data());
  }
  void AddRegister(char letter) {
    Add('i');
    if (letter != 0) Add(letter);
  }
};

}  // namespace

void AppendCompiledTemplate(std::string& text, std::string_view compiled, const TemplateOperands& operands) {
  ExpansionBuffer buffer;
  const auto isMarker = [](char c) { return c >= WordMarker && c <= RegisterMarker; };
  for (auto at = compiled.begin(); at != compiled.end();) {
    const auto literal = at;
    while (at != compiled.end() && !isMarker(*at)) ++at;
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

bool CompiledTemplateIsExact(const OpcodeTable& table, int index, char indexRegisterLetter) {
  const auto at = static_cast<std::size_t>(index);
  if (table.Compiled[at].empty() && !table.Templates[at].empty()) return false;
  // A bare "i" left by a register name without a prefix can join a
  // following "?" into a new placeholder that only the reference way sees.
  return indexRegisterLetter != 0 || !table.Shapes[at].NamesRegister;
}

}  // namespace bytegleaner::opcodes
