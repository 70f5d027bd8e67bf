#include "shell/ui/fltk_text.h"

#include <algorithm>
#include <vector>

namespace bytegleaner::ui {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const auto cut = text.find(separator);
    parts.push_back(text.substr(0, cut));
    if (cut == std::string_view::npos) return parts;
    text.remove_prefix(cut + 1);
  }
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool IsPlainExtensionPattern(std::string_view pattern) {
  return pattern.starts_with("*.") && pattern.size() > 2 &&
         pattern.find_first_of("*?[]{},", 2) == std::string_view::npos;
}

// Windows patterns in FLTK's glob syntax; "*.*" means every file there,
// while FLTK's "*.*" would miss names without a dot.
std::string PatternList(std::string_view patterns) {
  std::vector<std::string_view> parts;
  for (auto part : Split(patterns, ';')) {
    part = Trim(part);
    if (part == "*.*" || part == "*") return "*";
    if (!part.empty()) parts.push_back(part);
  }
  if (parts.empty()) return "*";
  std::string result;
  if (parts.size() == 1) return std::string(parts.front());
  const bool extensions = std::all_of(parts.begin(), parts.end(), IsPlainExtensionPattern);
  result = extensions ? "*.{" : "{";
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) result += ',';
    result += extensions ? parts[i].substr(2) : parts[i];
  }
  result += '}';
  return result;
}

// FLTK takes the pattern from the first parenthesis of the name, so the
// Windows-style pattern hint at the end of a display name has to go.
std::string_view NameWithoutPatternHint(std::string_view name) {
  name = Trim(name);
  if (name.ends_with(')')) {
    const auto open = name.rfind('(');
    if (open != std::string_view::npos) name = Trim(name.substr(0, open));
  }
  return name;
}

// The length of the UTF-8 sequence that this byte starts; 0 where it
// starts none.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xC2) return 0;  // a continuation byte, or an overlong start
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return lead < 0xF5 ? 4 : 0;
}

bool IsUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = SequenceLength(static_cast<unsigned char>(bytes[i]));
    if (length == 0 || length > bytes.size() - i) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

std::string Latin1ToUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      text += c;
    } else {
      text += static_cast<char>(0xC0 | (byte >> 6));
      text += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return text;
}

}  // namespace

std::string ShownText(std::string_view bytes) {
  return IsUtf8(bytes) ? std::string(bytes) : Latin1ToUtf8(bytes);
}

std::string PlainLabel(std::string_view text) {
  std::string label;
  for (const char c : ShownText(text)) {
    if (c == '@') label += '@';
    label += c;
  }
  return label;
}

std::string PlainListLine(std::string_view text) {
  std::string line = ShownText(text);
  if (line.starts_with('@')) line.insert(0, "@.");
  return line;
}

std::string FileChooserFilter(std::string_view filters) {
  const auto parts = Split(filters, '|');
  std::string result;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (!result.empty()) result += '\t';
    std::string name(NameWithoutPatternHint(parts[i]));
    std::replace(name.begin(), name.end(), '(', '[');
    std::replace(name.begin(), name.end(), ')', ']');
    std::replace(name.begin(), name.end(), '\t', ' ');
    result += ShownText(name);
    result += " (";
    result += PatternList(parts[i + 1]);
    result += ')';
  }
  return result;
}

RequesterStart SplitDefaultPath(std::string_view path) {
  const auto cut = path.rfind('/');
  if (cut == std::string_view::npos) return {false, {}, std::string(path)};
  // The root folder keeps its separator, or it would read as no folder.
  const auto folder = cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
  return {true, std::string(folder), std::string(path.substr(cut + 1))};
}

}  // namespace bytegleaner::ui
