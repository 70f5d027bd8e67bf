#include "hints/hint_text.h"

#include "text/number_text.h"

#include <algorithm>

namespace bytegleaner::hints {

std::string AddressText(std::int64_t offset) {
  const std::string digits = text::HexText(static_cast<std::uint32_t>(offset));
  return "$" + std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
}

std::string Quoted(std::string_view text) {
  constexpr std::size_t Longest = 40;
  std::string quoted = "\"";
  for (const char c : text.substr(0, Longest)) quoted += IsControl(c) ? '?' : c;
  if (text.size() > Longest) quoted += "...";
  return quoted + "\"";
}

bool HasBlank(std::string_view text) { return std::any_of(text.begin(), text.end(), IsBlank); }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::pair<std::string_view, std::string_view> SplitWord(std::string_view text) {
  const auto blank = std::find_if(text.begin(), text.end(), IsBlank);
  const auto length = static_cast<std::size_t>(blank - text.begin());
  return {text.substr(0, length), Trimmed(text.substr(length))};
}

void LineMessages::Add(std::int32_t line, std::string text) {
  if (Kept.size() < MaxErrorMessages) {
    Kept.emplace_back(line, std::move(text));
  } else {
    ++Dropped;
  }
}

std::vector<std::string> LineMessages::Finish(std::string_view fileName) {
  std::stable_sort(Kept.begin(), Kept.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> messages;
  messages.reserve(Kept.size() + 1);
  for (const auto& [line, text] : Kept) {
    std::string message(fileName);
    message += ':';
    text::AppendDecimal(message, line);
    message += ": ";
    message += text;
    messages.push_back(std::move(message));
  }
  if (Dropped > 0) {
    std::string message(fileName);
    message += ": ";
    text::AppendDecimal(message, Dropped);
    message += Dropped == 1 ? " more error" : " more errors";
    messages.push_back(std::move(message));
  }
  return messages;
}

}  // namespace bytegleaner::hints
