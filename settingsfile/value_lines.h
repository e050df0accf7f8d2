// The value lines of a NodeSettings file: the text of one NV's bytes ("2, 64336, 2000, ...")
// and the bytes of such a text. Numbers are plain decimals joined by a comma and one space.
// The parsers take each field with the runtime's atof rules, cut it toward zero to 32 bits and
// keep the bytes of its two's-complement pattern, so "-200" and "65336" give the same word.
#pragma once

#include <array>
#include <cstddef>
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

// Where field n starts: n times, skip past the next comma and the one character after it (one
// character when no comma is left). Never beyond the end of the text.
size_t FieldOffset(std::string_view text, int n);

// The text of field k of a value line of `count` fields (16 or 4), as the parsers take it:
// field 0 ends at the first comma, a middle field at the next comma after its start, the last
// runs to the end of the line.
std::string_view ValueLineField(std::string_view line, int k, int count);

// Every field of a value line of `count` fields (at most 16) in one pass over the line: the same
// texts as ValueLineField gives one by one. Fields beyond `count` are empty.
constexpr int kMaxValueLineFields = 16;
using ValueLineFieldTexts = std::array<std::string_view, kMaxValueLineFields>;
ValueLineFieldTexts ValueLineFields(std::string_view line, int count);

// Byte i of the record a value line stands for; 0 for a byte beyond the record.
uint8_t ParseStrIntByte(std::string_view line, int i);
uint8_t ParseCountByte(std::string_view line, int i);  // 0: high byte, any other: low byte
uint8_t ParseTimePassedByte(std::string_view line, int i);

// The whole record at once (the same bytes as the byte parsers give).
StrIntRecord ParseStrIntRecord(std::string_view line);
CountRecord ParseCountRecord(std::string_view line);
TimePassedRecord ParseTimePassedRecord(std::string_view line);
