#include "nvdata/config_part.h"

#include "framework/platform.h"
#include "nvdata/nv_codec.h"

int GetConfigPart(const NodeIo& node) {
  uint8_t buffer[kRecordSize] = {};
  if (node.Read(kIndexPartSelector, buffer, kRecordSize) != 0) return 0;
  return CNvCodec::MakeWord(buffer[0], buffer[1]);
}

WriteResult SelectConfigPartNoPause(const NodeIo& node, int part) {
  uint8_t buffer[2] = {CNvCodec::WholeHigh(part), CNvCodec::WholeLow(part)};
  return node.Write(kIndexPartSelector, buffer, 2);
}

WriteResult SelectConfigPart(const NodeIo& node, int part) {
  fw::Platform::Sleep(kSelectPauseMs);
  const WriteResult result = SelectConfigPartNoPause(node, part);
  fw::Platform::Sleep(kSelectPauseMs);
  return result;
}

bool PartExchange::Select(int part) {
  const bool ask = first_;
  first_ = false;
  if (ask && GetConfigPart(node_) == part) return true;
  return SelectConfigPart(node_, part).Ok();
}

int32_t PartExchange::Read(int part, uint8_t* buffer, int32_t capacity) {
  if (!Select(part)) return kStatusNotSelected;
  return node_.Read(kIndexPluginCnf, buffer, capacity);
}

bool PartExchange::ReadModifyWrite(int part, const std::function<void(uint8_t*)>& change,
                                   int32_t capacity) {
  uint8_t record[64] = {};
  if (capacity > 64) capacity = 64;
  if (Read(part, record, capacity) != 0) return false;
  change(record);
  return node_.Write(kIndexPluginCnf, record, kRecordSize).sent;
}
