#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace bytegleaner::output {

enum class Access : std::uint8_t { Read, Write };

// The name of a console port or mapper register, from the one table of
// them; empty for a port or address the table does not hold.
std::string_view PortName(std::uint8_t port, Access access);
std::string_view MemoryRegisterName(std::uint16_t address, Access access);

// What an instruction reaches through a fixed port number or address, as
// comment text ("VDP control", "slot 1 bank, slot 2 bank"); empty when it
// names nothing. `instruction` holds exactly the instruction's bytes. A port
// given in C is not known from the instruction, so it gets no name.
std::string HardwareAccessComment(std::span<const std::uint8_t> instruction);

}  // namespace bytegleaner::output
