// A simulated HD7_3 node behind the host's two interfaces: the embedded default host of the demo
// and the node every test talks to. It holds each NV by host index with its size, the twelve
// configuration parts behind index 46, a running clock, a node name and plausible live values,
// and it logs every host call with its virtual time. Tests can set any byte, make any index
// fail, drop either interface, add latency and count references.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/local_time.h"
#include "hostaccess/node_access.h"

namespace sim {

// Statuses the simulated node answers with.
constexpr int32_t kOk = 0;
constexpr int32_t kInjectedFailure = 1;
constexpr int32_t kUnknownIndex = 2;
constexpr int32_t kWrongDirection = 3;
constexpr int32_t kWrongSize = 4;
constexpr int32_t kNoPartSelected = 5;

struct HostCall {
  enum class Kind { kRead, kWrite, kGetNodeName };
  Kind kind;
  int32_t index;               // -1 for GetNodeName
  int32_t size;                // capacity of a read, length of a write
  std::vector<uint8_t> bytes;  // what was read (on success) or written
  int32_t status;
  uint64_t atMs;  // virtual time of the call
  int part;       // the selected part at the time, for index 46
};

class SimulatedNode : public INodeAccess2 {
 public:
  SimulatedNode();
  virtual ~SimulatedNode() = default;
  SimulatedNode(const SimulatedNode&) = delete;
  SimulatedNode& operator=(const SimulatedNode&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // INodeAccess
  HRESULT STDMETHODCALLTYPE Reserved3() override { return kOk; }
  HRESULT STDMETHODCALLTYPE Reserved4() override { return kOk; }
  HRESULT STDMETHODCALLTYPE Reserved5() override { return kOk; }
  HRESULT STDMETHODCALLTYPE Reserved6() override { return kOk; }
  int32_t STDMETHODCALLTYPE ReadNv(int32_t index, uint8_t* buffer, int32_t capacity) override;
  int32_t STDMETHODCALLTYPE WriteNv(int32_t index, uint8_t* buffer, int32_t length) override;
  // INodeAccess2
  int32_t STDMETHODCALLTYPE GetNodeName(uint8_t* buffer, int32_t capacity) override;

  // The node's NVs.
  static int32_t SizeOf(int32_t index);  // 0 for an index the node does not have
  std::vector<uint8_t> Bytes(int32_t index) const;
  void SetBytes(int32_t index, const std::vector<uint8_t>& bytes);
  void SetByte(int32_t index, int position, uint8_t value);
  std::vector<uint8_t> Part(int part) const;  // 1 to 12
  void SetPart(int part, const std::vector<uint8_t>& bytes);
  int SelectedPart() const;
  void SetSelectedPart(int part);
  void LoadFactorySettings();
  // Live values move over time from the values they hold when drift is turned on (the demo
  // host); off by default, so tests see steady values.
  void SetLiveDrift(bool on);
  // Every setting and live value, for comparing the node before and after an operation.
  std::map<std::string, std::vector<uint8_t>> Snapshot() const;

  // Name: SetNodeName stores the text and a zero byte; SetNodeNameBytes stores raw bytes.
  void SetNodeName(const std::string& name);
  void SetNodeNameBytes(const std::vector<uint8_t>& bytes);
  void SetNodeNameStatus(int32_t status) { nameStatus_ = status; }

  // The node's clock runs with the platform's tick count.
  void SetClock(const fw::LocalTime& t);
  fw::LocalTime Clock() const;

  // Faults.
  void FailReads(int32_t index, bool fail = true);
  void FailWrites(int32_t index, bool fail = true);
  void FailAllReads(bool fail = true) { failAllReads_ = fail; }
  void SetLatency(uint32_t ms) { latencyMs_ = ms; }

  // The log of host calls, and a test's look at each call as it happens.
  const std::vector<HostCall>& Log() const { return log_; }
  void OnCall(std::function<void(const HostCall&)> hook) { onCall_ = std::move(hook); }
  void ClearLog() { log_.clear(); }

  // References handed out and not yet released.
  int32_t RefCount() const { return refs_; }

 private:
  std::vector<uint8_t>* Storage(int32_t index);  // null: no such NV, or no part selected
  std::vector<uint8_t>* PartStorage(int part);   // null outside 1 to 12
  void Wait();
  void Record(HostCall::Kind kind, int32_t index, int32_t size, const uint8_t* bytes, int32_t n,
              int32_t status);

  std::map<int32_t, std::vector<uint8_t>> nvs_;
  std::array<std::vector<uint8_t>, 12> parts_;
  std::map<int32_t, std::vector<uint8_t>> driftStart_;  // empty: no drift
  uint64_t driftStartMs_ = 0;
  std::vector<uint8_t> name_;
  int32_t nameStatus_ = kOk;
  fw::LocalTime clockBase_;
  uint64_t clockBaseMs_ = 0;
  std::set<int32_t> failReads_;
  std::set<int32_t> failWrites_;
  bool failAllReads_ = false;
  uint32_t latencyMs_ = 0;
  std::vector<HostCall> log_;
  std::function<void(const HostCall&)> onCall_;
  int32_t refs_ = 0;
};

// The client site a test or the demo host gives the control: it offers the node's interfaces,
// or leaves either out.
class SimClientSite : public IUnknown {
 public:
  explicit SimClientSite(SimulatedNode& node, bool offerReader = true, bool offerWriter = true)
      : node_(node), offerReader_(offerReader), offerWriter_(offerWriter) {}
  virtual ~SimClientSite() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs_); }

  void Offer(bool reader, bool writer) {
    offerReader_ = reader;
    offerWriter_ = writer;
  }
  int32_t RefCount() const { return refs_; }

 private:
  SimulatedNode& node_;
  bool offerReader_;
  bool offerWriter_;
  int32_t refs_ = 0;
};

}  // namespace sim
