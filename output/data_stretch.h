#pragma once

#include <cstdint>

namespace bytegleaner::output {

struct SourceJob;

inline constexpr std::int32_t LongestDbStretch = 1024;

struct DataStretch {
  std::int32_t Start = 0;
  std::int32_t Length = 0;
  bool AllZero = false;
};

// The stretch from start up to stop, noting whether it is all zeros.
DataStretch MakeDataStretch(const SourceJob& job, std::int32_t start, std::int32_t stop);

// The comment line that opens a stretch: "; Data from $7 to $F (9 bytes)".
void WriteDataHeading(SourceJob& job, const DataStretch& stretch);

// Writes a stretch as a note for zeros, then `.db` lines or a binary file.
void WriteDataStretch(SourceJob& job, const DataStretch& stretch);

// Writes the stretch's bytes to a file beside the ROM and its `.incbin` line.
void WriteBinaryData(SourceJob& job, std::int32_t start, std::int32_t length);

}  // namespace bytegleaner::output
