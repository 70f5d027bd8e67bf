#include "hints/hints_reader.h"

#include "hints/hint_text.h"
#include "platform/file_bytes.h"
#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

namespace bytegleaner::hints {

namespace {

constexpr std::size_t LongestName = 255;
// Slot addresses: three 16 KB slots; $C000 and up is RAM.
constexpr std::int64_t SlotsEnd = 0xC000;
constexpr std::int32_t BankSize = 0x4000;

// Names WLA DX takes for a register or a condition in an operand, in lower
// case; it reads them without regard to case.
constexpr std::array<std::string_view, 32> RegisterNames{
    "a",  "b",  "c",  "d",   "e",   "f",   "h",   "l",  "i",  "r",  "af", "bc", "de", "hl", "sp", "ix",
    "iy", "hx", "lx", "hy",  "ly",  "ixh", "ixl", "iyh", "iyl", "nz", "z", "nc", "po", "pe", "p",  "m"};

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
}

std::optional<std::int64_t> HexValue(std::string_view digits, std::size_t mostDigits) {
  if (digits.empty() || digits.size() > mostDigits) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : digits) {
    int digit = 0;
    if (IsDigit(c)) {
      digit = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  return value;
}

std::optional<std::int64_t> DecimalValue(std::string_view digits, std::size_t mostDigits) {
  if (digits.empty() || digits.size() > mostDigits) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

struct Reader {
  std::string_view FileName;
  std::int32_t RomSize = 0;
  HintsReading Result;
  LineMessages Messages;
  std::int32_t LineNumber = 0;
  // Names given so far: the line of each name, and each named offset's name and line.
  std::map<std::string, std::int32_t, std::less<>> NameLines;
  std::map<std::int32_t, std::pair<std::string, std::int32_t>> NamedOffsets;

  // Every check below reports through here and gives up on the line.
  std::nullopt_t Fail(std::string_view message) {
    Messages.Add(LineNumber, std::string(message));
    return std::nullopt;
  }

  std::nullopt_t Malformed(std::string_view token) {
    return Fail("malformed address " + Quoted(token) + " (write $hhhh or bank:$hhhh)");
  }

  std::optional<std::int32_t> Address(std::string_view token) {
    std::int64_t offset = 0;
    const std::size_t colon = token.find(':');
    if (colon == std::string_view::npos) {
      const auto value = token.starts_with('$') ? HexValue(token.substr(1), 8) : std::nullopt;
      if (!value) return Malformed(token);
      offset = *value;
    } else {
      const auto bank = DecimalValue(token.substr(0, colon), 4);
      const std::string_view slotAddress = token.substr(colon + 1);
      const auto value = slotAddress.starts_with('$') ? HexValue(slotAddress.substr(1), 4) : std::nullopt;
      if (!bank || !value) return Malformed(token);
      if (*value >= SlotsEnd) return Fail(Quoted(token) + " is no slot address: a slot address is $0000-$BFFF");
      offset = *bank * BankSize + (*value & (BankSize - 1));
    }
    if (offset >= RomSize) {
      std::string message = Quoted(token);
      if (colon != std::string_view::npos) message += " (offset " + AddressText(offset) + ")";
      return Fail(message + " is outside the image ($0000-" + AddressText(RomSize - 1) + ")");
    }
    return static_cast<std::int32_t>(offset);
  }

  // A single address and nothing after it.
  std::optional<std::int32_t> LoneAddress(std::string_view rest) {
    if (rest.empty()) return Fail("an address is missing");
    const auto [token, after] = SplitWord(rest);
    if (!after.empty()) return Fail("unexpected " + Quoted(after) + " after the address");
    return Address(token);
  }

  std::optional<Hint> Range(HintKind kind, std::string_view rest) {
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos) return Fail("a range ADDR-ADDR is missing");
    const std::string_view firstText = Trimmed(rest.substr(0, dash));
    const std::string_view lastText = Trimmed(rest.substr(dash + 1));
    if (firstText.empty() || lastText.empty() || HasBlank(firstText) || HasBlank(lastText)) {
      return Fail("malformed range " + Quoted(rest) + " (write ADDR-ADDR)");
    }
    const auto first = Address(firstText);
    if (!first) return std::nullopt;
    const auto last = Address(lastText);
    if (!last) return std::nullopt;
    if (*last < *first) return Fail("the range " + Quoted(rest) + " ends before it starts");
    if (kind == HintKind::Words && (*last - *first) % 2 == 0) {
      return Fail("the words range " + Quoted(rest) + " holds an odd number of bytes, not whole 2-byte entries");
    }
    return Hint{kind, *first, *last, {}, LineNumber};
  }

  std::optional<Hint> Name(std::string_view rest) {
    const auto [addressText, afterAddress] = SplitWord(rest);
    if (addressText.empty()) return Fail("an address is missing");
    if (afterAddress.empty()) return Fail("the name after the address is missing");
    const auto [name, afterName] = SplitWord(afterAddress);
    if (!afterName.empty()) return Fail("unexpected " + Quoted(afterName) + " after the name");
    const auto offset = Address(addressText);
    if (!offset) return std::nullopt;
    if (const std::string why = WhyNotAName(name); !why.empty()) {
      return Fail("the name " + Quoted(name) + " " + why);
    }
    if (const auto given = NameLines.find(name); given != NameLines.end()) {
      return Fail("the name " + Quoted(name) + " is given at line " + std::to_string(given->second) +
                  " already");
    }
    if (const auto named = NamedOffsets.find(*offset); named != NamedOffsets.end()) {
      return Fail(AddressText(*offset) + " is named " + Quoted(named->second.first) + " at line " +
                  std::to_string(named->second.second) + " already");
    }
    NameLines.emplace(std::string(name), LineNumber);
    NamedOffsets.emplace(*offset, std::pair{std::string(name), LineNumber});
    return Hint{HintKind::Name, *offset, *offset, std::string(name), LineNumber};
  }

  std::optional<Hint> Comment(std::string_view rest) {
    const auto [addressText, commentText] = SplitWord(rest);
    if (addressText.empty()) return Fail("an address is missing");
    const auto offset = Address(addressText);
    if (!offset) return std::nullopt;
    if (commentText.empty()) return Fail("the comment's text after the address is missing");
    if (std::any_of(commentText.begin(), commentText.end(), [](char c) { return IsControl(c) && c != '\t'; })) {
      return Fail("the comment's text holds a control character");
    }
    return Hint{HintKind::Comment, *offset, *offset, std::string(commentText), LineNumber};
  }

  std::optional<Hint> HintOfLine(std::string_view line) {
    const auto [word, rawRest] = SplitWord(line);
    const std::string lowered = Lowered(word);
    const auto known = std::find(HintWords.begin(), HintWords.end(), lowered);
    if (known == HintWords.end()) return Fail("unknown hint " + Quoted(word));
    const auto kind = static_cast<HintKind>(known - HintWords.begin());
    if (kind == HintKind::Comment) return Comment(rawRest);
    const std::string_view rest = Trimmed(rawRest.substr(0, rawRest.find(';')));
    if (kind == HintKind::Name) return Name(rest);
    if (IsRangeHint(kind)) return Range(kind, rest);
    const auto offset = LoneAddress(rest);
    if (!offset) return std::nullopt;
    return Hint{kind, *offset, *offset, {}, LineNumber};
  }

  // A code hint inside a range of bytes that are not code contradicts it.
  void CheckCodeOutsideRanges() {
    std::vector<const Hint*> ranges;
    for (const Hint& hint : Result.Hints) {
      if (IsRangeHint(hint.Kind)) ranges.push_back(&hint);
    }
    std::sort(ranges.begin(), ranges.end(), [](const Hint* a, const Hint* b) { return a->First < b->First; });
    // For each range in that order, the range reaching furthest among it and those before it.
    std::vector<const Hint*> furthest(ranges.size());
    for (std::size_t i = 0; i < ranges.size(); ++i) {
      furthest[i] = i > 0 && furthest[i - 1]->Last >= ranges[i]->Last ? furthest[i - 1] : ranges[i];
    }
    for (const Hint& hint : Result.Hints) {
      if (hint.Kind != HintKind::Code) continue;
      const auto after = std::upper_bound(ranges.begin(), ranges.end(), hint.First,
                                          [](std::int32_t offset, const Hint* range) { return offset < range->First; });
      if (after == ranges.begin()) continue;
      const Hint* covering = furthest[static_cast<std::size_t>(after - ranges.begin() - 1)];
      if (covering->Last < hint.First) continue;
      LineNumber = hint.Line;
      Fail("code " + AddressText(hint.First) + " lies inside the " + std::string(HintWord(covering->Kind)) +
           " range of line " + std::to_string(covering->Line));
    }
  }
};

}  // namespace

std::string WhyNotAName(std::string_view name) {
  if (name.empty()) return "is empty";
  if (name.size() > LongestName) return "is longer than 255 characters";
  if (name.front() == '_') return "begins with \"_\", which the program keeps for its own labels";
  if (!IsLetter(name.front())) return "does not begin with a letter";
  const auto bad = std::find_if(name.begin(), name.end(), [](char c) { return !IsLetter(c) && !IsDigit(c) && c != '_'; });
  if (bad != name.end()) return "holds " + Quoted(std::string_view(&*bad, 1)) + "; a name takes letters, digits and \"_\"";
  if (std::find(RegisterNames.begin(), RegisterNames.end(), Lowered(name)) != RegisterNames.end()) {
    return "is a register or condition name";
  }
  return {};
}

HintsReading ReadHints(std::span<const std::uint8_t> fileBytes, std::string_view fileName, std::int32_t romSize) {
  Reader reader;
  reader.FileName = fileName;
  reader.RomSize = romSize;
  ForEachLine(fileBytes, [&reader](std::string_view line, std::int32_t number) {
    reader.LineNumber = number;
    reader.Result.LineCount = number;
    const std::string_view trimmed = Trimmed(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return;
    if (auto hint = reader.HintOfLine(trimmed)) reader.Result.Hints.push_back(std::move(*hint));
  });
  reader.CheckCodeOutsideRanges();
  reader.Result.Errors = reader.Messages.Finish(fileName);
  return std::move(reader.Result);
}

std::optional<HintsReading> ReadHintsFile(const std::string& path, std::int32_t romSize) {
  const auto bytes = platform::ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return ReadHints(*bytes, path, romSize);
}

std::string HintsReadMessage(std::string_view path, const HintsReading& reading) {
  std::string message = "Hints read from ";
  message += path;
  message += ": ";
  text::AppendDecimal(message, reading.LineCount);
  message += reading.LineCount == 1 ? " line, " : " lines, ";
  text::AppendDecimal(message, static_cast<std::int64_t>(reading.Hints.size()));
  message += reading.Hints.size() == 1 ? " hint" : " hints";
  return message;
}

std::vector<std::string> CheckRangesAgainstCode(std::span<const Hint> hints, std::string_view fileName,
                                                const TracedInstructionAt& instructionAt) {
  std::vector<const Hint*> ranges;
  for (const Hint& hint : hints) {
    if (IsRangeHint(hint.Kind)) ranges.push_back(&hint);
  }
  std::sort(ranges.begin(), ranges.end(), [](const Hint* a, const Hint* b) { return a->First < b->First; });

  // Every offset inside the ranges' union that a traced instruction covers,
  // with that instruction's start, in offset order.
  std::vector<std::pair<std::int32_t, std::int32_t>> covered;
  std::int64_t lookedAtEnd = 0;
  for (const Hint* range : ranges) {
    for (std::int64_t offset = std::max<std::int64_t>(range->First, lookedAtEnd); offset <= range->Last; ++offset) {
      const std::int32_t start = instructionAt(static_cast<std::int32_t>(offset));
      if (start >= 0) covered.emplace_back(static_cast<std::int32_t>(offset), start);
    }
    lookedAtEnd = std::max<std::int64_t>(lookedAtEnd, std::int64_t{range->Last} + 1);
  }

  LineMessages messages;
  for (const Hint* range : ranges) {
    const auto first = std::lower_bound(covered.begin(), covered.end(), std::pair{range->First, std::int32_t{-1}});
    if (first == covered.end() || first->first > range->Last) continue;
    messages.Add(range->Line, std::string(HintWord(range->Kind)) + " " + AddressText(range->First) + "-" +
                                  AddressText(range->Last) + " overlaps the instruction at " +
                                  AddressText(first->second) + " traced from the code hints");
  }
  return messages.Finish(fileName);
}

}  // namespace bytegleaner::hints
