// The twelve 31-byte configuration parts behind host index 46, selected by writing the part
// number to host index 45.
#pragma once

#include <cstdint>
#include <functional>

#include "nvdata/node_io.h"
#include "nvdata/nv_indices.h"

constexpr int32_t kRecordSize = 31;  // an SNVT_str_int record: a configuration part
constexpr int kPartCount = 12;
constexpr uint32_t kSelectPauseMs = 200;

// Status of a part read that was not made because the part could not be selected.
constexpr int32_t kStatusNotSelected = -2;

// The part the node has selected, or 0 when the selector cannot be read.
int GetConfigPart(const NodeIo& node);
// Pauses 200 ms, writes the part number to the selector, pauses 200 ms.
WriteResult SelectConfigPart(const NodeIo& node, int part);
// The same write without the pauses, for the sheet's start-up only.
WriteResult SelectConfigPartNoPause(const NodeIo& node, int part);

// The parts one operation (one button press, one showing of a page) works on. The first part
// is selected only when the node does not have it selected already; every further part is
// selected without asking. A part whose selection failed is neither read nor written: the
// node would still show another part.
class PartExchange {
 public:
  explicit PartExchange(NodeIo node) : node_(node) {}

  // Makes `part` the selected part; false when the selector write failed or was skipped.
  bool Select(int part);
  // Selects and reads the part; kStatusNotSelected when it could not be selected.
  int32_t Read(int part, uint8_t* buffer, int32_t capacity = kRecordSize);
  // Selects, reads, lets `change` replace the page's own bytes and writes the 31 bytes back.
  // Nothing is written when the selection or the read failed. Returns whether it wrote.
  bool ReadModifyWrite(int part, const std::function<void(uint8_t* record)>& change,
                       int32_t capacity = kRecordSize);

 private:
  NodeIo node_;
  bool first_ = true;
};
