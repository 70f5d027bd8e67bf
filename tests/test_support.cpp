#include "tests/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

namespace bytegleaner::testing {

const opcodes::OpcodeTable& ShippedTable() {
  static opcodes::OpcodeTable table;
  static const bool loaded = opcodes::LoadOpcodeTableFrom(ShippedTablePath(), table) == opcodes::OpcodeTableStatus::Loaded;
  if (!loaded) throw std::runtime_error("the shipped opcodes.dat does not load");
  return table;
}

ByteVector Image(std::size_t size, std::string_view description) {
  ByteVector image(size, 0);
  std::size_t at = 0;
  std::istringstream words{std::string(description)};
  for (std::string word; words >> word;) {
    if (word[0] == '@') {
      at = std::stoul(word.substr(1), nullptr, 16);
    } else {
      const auto star = word.find('*');
      const auto byte = static_cast<std::uint8_t>(std::stoul(word.substr(0, 2), nullptr, 16));
      for (auto count = star == std::string::npos ? 1 : std::stoul(word.substr(star + 1)); count > 0; --count, ++at) {
        if (at < size) image[at] = byte;
      }
    }
  }
  return image;
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "bytegleaner-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
  Path = pattern;
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::permissions(Path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(Path, error);
}

std::string Quoted(const std::string& text) { return "'" + std::regex_replace(text, std::regex("'"), "'\\''") + "'"; }

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) text.replace(at, from.size(), to);
  return text;
}

std::string DataFileSeen(const std::string& name, const std::string& text, const std::string& image, std::size_t start) {
  const bool imagesOwn = start < image.size() && image.substr(start, text.size()) == text;
  return "--- " + name + ": " + std::to_string(text.size()) + " bytes" + (imagesOwn ? ", the image's own\n" : "\n");
}

Ran RunShell(const std::string& folder, const std::string& command) {
  const TempFolder capture;
  const int status = std::system(("cd " + Quoted(folder) + " && { " + command + "; } > " + Quoted(capture.File("out")) +
                                  " 2> " + Quoted(capture.File("err")) + " < /dev/null").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(capture.File("out")), ReadText(capture.File("err"))};
}

}  // namespace bytegleaner::testing
