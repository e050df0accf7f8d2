// The node as the pages reach it: the sheet's two host interfaces, either of which may be
// missing. A read through a missing interface counts as failed; a write through one is skipped.
#pragma once

#include <cstdint>

#include "framework/platform.h"
#include "hostaccess/node_access.h"

// What the sheet offers its pages: the interfaces it obtained from the host.
class INodeLink {
 public:
  virtual INodeAccess* NodeWriter() const = 0;   // writes
  virtual INodeAccess2* NodeReader() const = 0;  // reads and the node name

 protected:
  ~INodeLink() = default;
};

// Status of a read made through a missing interface (the host itself never returned it).
constexpr int32_t kStatusNoInterface = -1;

struct WriteResult {
  bool sent = false;   // false: the host offers no writing interface
  int32_t status = 0;  // the host's status when sent
  bool Ok() const { return sent && status == 0; }
};

class NodeIo {
 public:
  NodeIo() = default;
  NodeIo(INodeAccess2* reader, INodeAccess* writer) : reader_(reader), writer_(writer) {}
  explicit NodeIo(const INodeLink* link)
      : reader_(link != nullptr ? link->NodeReader() : nullptr),
        writer_(link != nullptr ? link->NodeWriter() : nullptr) {}

  // Each host call blocks until the host answers; the sheet gets to paint after each one.
  int32_t Read(int32_t index, uint8_t* buffer, int32_t capacity) const {
    if (reader_ == nullptr) return kStatusNoInterface;
    const int32_t status = reader_->ReadNv(index, buffer, capacity);
    fw::Platform::KeepAlive();
    return status;
  }
  WriteResult Write(int32_t index, const uint8_t* buffer, int32_t length) const {
    if (writer_ == nullptr) return {};
    // The host's signature takes a non-const buffer; it only reads it.
    const int32_t status = writer_->WriteNv(index, const_cast<uint8_t*>(buffer), length);
    fw::Platform::KeepAlive();
    return {true, status};
  }
  int32_t GetNodeName(uint8_t* buffer, int32_t capacity) const {
    if (reader_ == nullptr) return kStatusNoInterface;
    const int32_t status = reader_->GetNodeName(buffer, capacity);
    fw::Platform::KeepAlive();
    return status;
  }

 private:
  INodeAccess2* reader_ = nullptr;
  INodeAccess* writer_ = nullptr;
};

namespace fw {
class CPropertyPage;
}
// The node as a page reaches it: through the sheet it is in.
NodeIo NodeOf(const fw::CPropertyPage& page);
