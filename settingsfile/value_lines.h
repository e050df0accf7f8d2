// The value lines of a NodeSettings file: the text of one NV's bytes ("2, 64336, 2000, ...")
// and the bytes of such a text. Numbers are plain decimals joined by a comma and one space.
// The parsers take each field with the runtime's atof rules, cut it toward zero to 32 bits and
// keep the bytes of its two's-complement pattern, so "-200" and "65336" give the same word.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The program ID of this node type, written into every file and compared on download.
constexpr std::string_view kProgramIdText = "90 48 44 37 5F 33 42 2A";

constexpr int kStrIntBytes = 31;     // SNVT_str_int: value 0 a signed byte, values 1-15 words
constexpr int kCountBytes = 2;       // SNVT_count: one word
constexpr int kTimePassedBytes = 4;  // SNVT_time_passed as the file holds it: four signed bytes

using StrIntRecord = std::array<uint8_t, kStrIntBytes>;
using CountRecord = std::array<uint8_t, kCountBytes>;
using TimePassedRecord = std::array<uint8_t, kTimePassedBytes>;

// Each line is followed by "\n\n": the line's end and the empty line after a section.
std::string FormatStrIntLine(const uint8_t* record);      // 31 bytes
std::string FormatCountLine(const uint8_t* record);       // 2 bytes
std::string FormatTimePassedLine(const uint8_t* record);  // 4 bytes

// Every field of a value line of `count` fields (at most 16) in one pass over the line, as the
// parsers take them: field 0 ends at the first comma, a middle field at the next comma after its
// start (a field that no comma ends is empty), the last runs to the end of the line. Each field
// starts past the comma before it and the one character after that comma (one character when no
// comma is left), never beyond the end of the line. Fields beyond `count` are empty.
constexpr int kMaxValueLineFields = 16;
using ValueLineFieldTexts = std::array<std::string_view, kMaxValueLineFields>;
ValueLineFieldTexts ValueLineFields(std::string_view line, int count);

// The record a value line stands for.
StrIntRecord ParseStrIntRecord(std::string_view line);
CountRecord ParseCountRecord(std::string_view line);
TimePassedRecord ParseTimePassedRecord(std::string_view line);
