// Assembles the test cartridges with wla-z80 and links them with
// `wlalink -S`, whose symbol file names every label as bank:address.
#include "tests/test_roms.h"

#include "platform/file_bytes.h"
#include "tests/test_support.h"
#include "tests/wla_dx.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

namespace bytegleaner::testing {

namespace {

bool Run(const std::string& folder, const std::string& command) {
  const std::string line = "cd '" + folder + "' && " + command + " > tools.txt 2>&1 < /dev/null";
  return std::system(line.c_str()) == 0;
}

TestRom Assemble(const std::string& name) {
  TestRom rom;
  const TempFolder folder;
  const std::string tools = WlaDxFolder();
  const std::string source = std::string(BYTEGLEANER_SOURCE_DIR) + "/tests/roms/" + name + ".s";
  WriteFile(folder.File("link.txt"), std::string("[objects]\nrom.o\n"));
  if (!Run(folder.Path, "'" + tools + "/wla-z80' -o rom.o '" + source + "'") ||
      !Run(folder.Path, "'" + tools + "/wlalink' -S -r link.txt rom.sms")) {
    rom.Failure = name + ": " + ReadText(folder.File("tools.txt"));
    return rom;
  }
  if (const auto bytes = platform::ReadFileBytes(folder.File("rom.sms"))) rom.Image = *bytes;
  std::stringstream symbols{ReadText(folder.File("rom.sym"))};
  std::string line;
  bool inLabels = false;
  while (std::getline(symbols, line)) {
    if (line.starts_with("[")) inLabels = line.starts_with("[labels]");
    std::stringstream fields{line};
    std::string where;
    RomLabel label;
    if (!inLabels || !(fields >> where >> label.Name) || where.size() != 7 || where[2] != ':') continue;
    const auto bank = std::stoi(where.substr(0, 2), nullptr, 16);
    const auto address = std::stoi(where.substr(3), nullptr, 16);
    label.Offset = bank * 0x4000 + (address & 0x3FFF);
    rom.Labels.push_back(label);
  }
  std::stable_sort(rom.Labels.begin(), rom.Labels.end(),
                   [](const RomLabel& a, const RomLabel& b) { return a.Offset < b.Offset; });
  return rom;
}

}  // namespace

std::int32_t TestRom::OffsetOf(const std::string& name) const {
  for (const RomLabel& label : Labels) {
    if (label.Name == name) return label.Offset;
  }
  return -1;
}

const TestRom& AssembledTestRom(const std::string& name) {
  static std::map<std::string, TestRom> assembled;
  auto found = assembled.find(name);
  if (found == assembled.end()) found = assembled.emplace(name, Assemble(name)).first;
  return found->second;
}

}  // namespace bytegleaner::testing
