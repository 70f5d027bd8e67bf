#include "tests/wla_dx.h"

#include "platform/file_bytes.h"
#include "tests/test_support.h"

#include <algorithm>
#include <cstdlib>
#include <random>

namespace bytegleaner::testing {
namespace {

std::string Tool(const std::string& name) { return Quoted(WlaDxFolder() + "/" + name); }

}  // namespace

std::string WlaDxFolder() {
  const char* folder = std::getenv("BYTEGLEANER_WLA_DX");
  return folder != nullptr && *folder != '\0' ? folder : BYTEGLEANER_WLA_DX_BUILT;
}

std::string Assemble(const std::string& folder, const std::string& source) {
  WriteFile(folder + "/link.txt", std::string("[objects]\nrom.o\n"));
  const Ran ran = RunShell(folder, Tool("wla-z80") + " -o rom.o " + Quoted(source) + " && " + Tool("wlalink") +
                                       " -r link.txt rebuilt.rom");
  return ran.Status == 0 ? "" : "WLA DX failed on " + source + ":\n" + ran.Out + ran.Err;
}

std::string RoundTripFailure(const std::string& romName, const std::vector<std::uint8_t>& image,
                             const std::string& options) {
  const TempFolder folder;
  WriteFile(folder.File(romName), image);
  const Ran examined = RunShell(folder.Path, Quoted(BYTEGLEANER_CLI) + " " + options + " " + Quoted(romName));
  if (examined.Status != 0) return "bytegleaner-cli failed:\n" + examined.Err;
  if (std::string failure = Assemble(folder.Path, romName + ".asm"); !failure.empty()) return failure;
  const auto rebuilt = platform::ReadFileBytes(folder.File("rebuilt.rom"));
  if (!rebuilt) return "wlalink wrote no image";
  const auto differs = std::mismatch(image.begin(), image.end(), rebuilt->begin(), rebuilt->end());
  if (differs.first == image.end() && differs.second == rebuilt->end()) return "";
  return "the rebuilt image (" + std::to_string(rebuilt->size()) + " bytes) differs from offset " +
         std::to_string(differs.first - image.begin());
}

std::vector<std::uint8_t> RandomImage(std::int32_t size, std::uint32_t seed) {
  std::vector<std::uint8_t> image(static_cast<std::size_t>(size));
  std::mt19937 random(seed);
  std::generate(image.begin(), image.end(), [&random] { return static_cast<std::uint8_t>(random()); });
  return image;
}

}  // namespace bytegleaner::testing
