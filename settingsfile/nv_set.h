// The NVs a NodeSettings file holds, in file order: six single configuration NVs, then the
// twelve configuration parts of nviPluginCnf. Each has its exact header line.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "nvdata/node_io.h"

enum class RecordKind { kStrInt, kCount, kTimePassed };

struct SingleNv {
  std::string_view name;  // as the header line names it
  int32_t hostIndex;      // read and written there; the file's label is one less
  RecordKind kind;
  std::string_view header;  // the header line, line end included
};

constexpr std::string_view kPluginCnfName = "nviPluginCnf";

// The header line of configuration part `part` (1 to 12), line end included.
std::string PartHeaderLine(int part);

// The six single NVs in file order.
const std::array<SingleNv, 6>& SingleNvs();
// The single NV of that name, or null.
const SingleNv* FindSingleNv(std::string_view name);

// The value line (with "\n\n") of a record's bytes.
std::string FormatValueLine(RecordKind kind, const uint8_t* record);

// The record bytes a value line stands for.
std::vector<uint8_t> ParseValueLine(RecordKind kind, std::string_view valueLine);

// Writes the record a value line stands for to a single NV (its own size in bytes).
WriteResult WriteSingleNv(const NodeIo& node, const SingleNv& nv, std::string_view valueLine);
