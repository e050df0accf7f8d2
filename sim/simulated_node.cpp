#include "sim/simulated_node.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "framework/platform.h"
#include "nvdata/nv_indices.h"
#include "sim/live_drift.h"
#include "settingsfile/factory_settings.h"
#include "settingsfile/nv_set.h"

namespace sim {
namespace {

uint64_t NowMs() {
  return fw::Platform::Installed() ? fw::Platform::TickCount() : 0;
}

std::vector<uint8_t> Word(int w) {
  return {static_cast<uint8_t>((w >> 8) & 0xFF), static_cast<uint8_t>(w & 0xFF)};
}

std::vector<uint8_t> Temp(double celsius) {
  return Word(static_cast<int>(celsius * 100) & 0xFFFF);
}

void Mark(std::set<int32_t>& indices, int32_t index, bool in) {
  if (in) {
    indices.insert(index);
  } else {
    indices.erase(index);
  }
}

// As much of `bytes` as fits over the start of `storage`, when there is one.
void CopyInto(std::vector<uint8_t>* storage, const std::vector<uint8_t>& bytes) {
  if (storage != nullptr) {
    std::copy_n(bytes.begin(), std::min(bytes.size(), storage->size()), storage->begin());
  }
}

}  // namespace

SimulatedNode::SimulatedNode() {
  for (int32_t index = 0; index <= kIndexPluginCnf; ++index) {
    const int32_t size = SizeOf(index);
    if (size > 0 && index != kIndexPluginCnf) nvs_[index] = std::vector<uint8_t>(size, 0);
  }
  for (auto& part : parts_) part.assign(31, 0);
  SetNodeName("HD7_3 Sim");
  clockBase_ = fw::LocalTime{2026, 12, 6, 9, 0, 0};
  clockBaseMs_ = NowMs();
  LoadFactorySettings();

  // Plausible live values.
  const std::pair<int32_t, std::vector<uint8_t>> live[] = {
      {4, Word(1)},      {5, Word(1)},      // week calendar states
      {6, Temp(21.5)},   {7, Temp(22.0)},   // room temperatures
      {10, {0}},         {11, {0}},         // occupied
      {12, Temp(38.2)},  {13, Temp(52.7)},  // circuit 1 return and forward
      {14, Temp(4.3)},   {15, Temp(4.3)},   // outdoor, and as circuit 1 uses it
      {16, Temp(17.9)},  {17, Temp(16.1)},  // circuit 2 return and forward
      {18, Temp(4.3)},   {19, Temp(11.6)},  // outdoor as circuit 2 uses it, dewpoint
      {20, Word(1)},     {21, Word(1)},     // rotary switch positions
      {24, Temp(52.2)},  {25, Temp(18.0)},  // calculated setpoints (circuit 1's on its curve)
      {26, {1}},         {27, {1}},         // unit modes
      {28, Word(1850)},                     // pressure
      {31, Word(1)},     {34, Word(1)},     // pumps running
      {32, Word(9000)},  {33, Word(4000)},  // valve outputs Mv1 and Mv3, 0.005 % steps
      {35, Word(12000)}, {36, Word(0)},     // valve outputs Mv2 and Mv4
      {37, Word(0)}                         // alarm and status flags: no alarm
  };
  for (const auto& [index, bytes] : live) nvs_[index] = bytes;
  nvs_[29][2] = 255;  // pump modes Mp1 and Mp2: Automatic
  nvs_[29][8] = 255;
  // Extended operation delays, hours and minutes: circuit 1 boost 1:00, day 2:30, night 0:45;
  // circuit 2 boost 0:30, day 1:15, night 3:00.
  const int delays[12] = {1, 0, 2, 30, 0, 45, 0, 30, 1, 15, 3, 0};
  for (int value = 1; value <= 12; ++value) {
    nvs_[38][2 * value] = static_cast<uint8_t>(delays[value - 1]);
  }
}

// The same value lines the plug-in's "Default settings" writes.
void SimulatedNode::LoadFactorySettings() {
  for (size_t i = 0; i < SingleNvs().size(); ++i) {
    const SingleNv& nv = SingleNvs()[i];
    nvs_[nv.hostIndex] = ParseValueLine(nv.kind, FactorySingleLines()[i]);
  }
  for (size_t p = 0; p < parts_.size(); ++p) {
    parts_[p] = ParseValueLine(RecordKind::kStrInt, FactoryPartLines()[p]);
  }
}

int32_t SimulatedNode::SizeOf(int32_t index) {
  // Bytes of each NV by host index, 0 where the node has none: the clock's 7-byte records (0, 3),
  // the 31-byte records (modes, positions, delays, heating curves, the selected part), the valve
  // calibration times (43, 44) of 4, occupancy and unit modes of one; the others are words.
  static constexpr int8_t kSizes[] = {7,  0, 0, 7, 2, 2, 2, 2, 0,  0,   // 0 to 9
                                      1,  1, 2, 2, 2, 2, 2, 2, 2,  2,   // 10 to 19
                                      2,  2, 0, 0, 2, 2, 1, 1, 2,  31,  // 20 to 29
                                      31, 2, 2, 2, 2, 2, 2, 2, 31, 31,  // 30 to 39
                                      31, 2, 2, 4, 4, 2, 31};           // 40 to 46
  return index >= 0 && index < static_cast<int32_t>(std::size(kSizes)) ? kSizes[index] : 0;
}

HRESULT STDMETHODCALLTYPE SimulatedNode::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_INodeAccess) ||
      IsEqualGUID(riid, IID_INodeAccess2)) {
    *object = static_cast<INodeAccess2*>(this);
    AddRef();
    return S_OK;
  }
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE SimulatedNode::AddRef() {
  return static_cast<ULONG>(++refs_);
}

void SimulatedNode::SetLiveDrift(bool on) {
  driftStart_.clear();
  if (!on) return;
  driftStartMs_ = NowMs();
  for (const auto& [index, bytes] : nvs_) {
    if (Drifts(index)) driftStart_[index] = bytes;
  }
}

// The node lives as long as its owner (a test or the demo host); references are only counted.
ULONG STDMETHODCALLTYPE SimulatedNode::Release() {
  return static_cast<ULONG>(--refs_);
}

void SimulatedNode::Wait() {
  if (latencyMs_ > 0 && fw::Platform::Installed()) fw::Platform::Block(latencyMs_);
}

void SimulatedNode::Record(HostCall::Kind kind, int32_t index, int32_t size, const uint8_t* bytes,
                           int32_t n, int32_t status) {
  HostCall call{
      kind, index, size, {}, status, NowMs(), index == kIndexPluginCnf ? SelectedPart() : 0};
  if (bytes != nullptr && n > 0) call.bytes.assign(bytes, bytes + n);
  log_.push_back(std::move(call));
  if (onCall_) onCall_(log_.back());
}

std::vector<uint8_t>* SimulatedNode::PartStorage(int part) {
  return part >= 1 && part <= 12 ? &parts_[static_cast<size_t>(part - 1)] : nullptr;
}

std::vector<uint8_t>* SimulatedNode::Storage(int32_t index) {
  if (index == kIndexPluginCnf) return PartStorage(SelectedPart());
  auto it = nvs_.find(index);
  return it == nvs_.end() ? nullptr : &it->second;
}

int32_t STDMETHODCALLTYPE SimulatedNode::ReadNv(int32_t index, uint8_t* buffer, int32_t capacity) {
  Wait();
  const int32_t size = SizeOf(index);
  int32_t status = kOk;
  if (size == 0) {
    status = kUnknownIndex;
  } else if (failAllReads_ || failReads_.count(index) != 0) {
    status = kInjectedFailure;
  } else if (index == kIndexClockSet) {
    status = kWrongDirection;
  } else if (buffer == nullptr || capacity < size) {
    status = kWrongSize;
  } else if (index == kIndexClockNow) {
    const fw::LocalTime t = Clock();
    const uint8_t record[7] = {static_cast<uint8_t>(t.year >> 8), static_cast<uint8_t>(t.year),
                               static_cast<uint8_t>(t.month),     static_cast<uint8_t>(t.day),
                               static_cast<uint8_t>(t.hour),      static_cast<uint8_t>(t.minute),
                               static_cast<uint8_t>(t.second)};
    std::memcpy(buffer, record, 7);
  } else if (std::vector<uint8_t>* storage = Storage(index)) {
    auto drifting = driftStart_.find(index);
    if (drifting != driftStart_.end()) {
      *storage = DriftedValue(index, drifting->second, NowMs() - driftStartMs_);
    }
    std::memcpy(buffer, storage->data(), storage->size());
  } else {
    status = kNoPartSelected;
  }
  Record(HostCall::Kind::kRead, index, capacity, status == kOk ? buffer : nullptr, size, status);
  return status;
}

int32_t STDMETHODCALLTYPE SimulatedNode::WriteNv(int32_t index, uint8_t* buffer, int32_t length) {
  Wait();
  const int32_t size = SizeOf(index);
  int32_t status = kOk;
  std::vector<uint8_t>* storage = nullptr;
  if (size == 0) {
    status = kUnknownIndex;
  } else if (failWrites_.count(index) != 0) {
    status = kInjectedFailure;
  } else if (index == kIndexClockNow) {
    status = kWrongDirection;
  } else if (buffer == nullptr || length != size) {
    status = kWrongSize;
  } else if (index == kIndexClockSet) {
    const fw::LocalTime t{
        buffer[0] * 256 + buffer[1], buffer[2], buffer[3], buffer[4], buffer[5], buffer[6]};
    SetClock(t);
  } else if ((storage = Storage(index)) != nullptr) {
    std::memcpy(storage->data(), buffer, static_cast<size_t>(size));
  } else {
    status = kNoPartSelected;
  }
  Record(HostCall::Kind::kWrite, index, length, buffer,
         buffer != nullptr ? std::min(length, 64) : 0, status);
  return status;
}

int32_t STDMETHODCALLTYPE SimulatedNode::GetNodeName(uint8_t* buffer, int32_t capacity) {
  Wait();
  int32_t status = nameStatus_;
  if (status == kOk && (buffer == nullptr || capacity <= 0)) status = kWrongSize;
  int32_t n = 0;
  if (status == kOk) {
    n = std::min<int32_t>(capacity, static_cast<int32_t>(name_.size()));
    std::memcpy(buffer, name_.data(), static_cast<size_t>(n));
  }
  Record(HostCall::Kind::kGetNodeName, -1, capacity, status == kOk ? buffer : nullptr, n, status);
  return status;
}

std::vector<uint8_t> SimulatedNode::Bytes(int32_t index) const {
  if (index == kIndexPluginCnf) return Part(SelectedPart());
  auto it = nvs_.find(index);
  return it == nvs_.end() ? std::vector<uint8_t>() : it->second;
}

void SimulatedNode::SetBytes(int32_t index, const std::vector<uint8_t>& bytes) {
  CopyInto(Storage(index), bytes);
}

void SimulatedNode::SetByte(int32_t index, int position, uint8_t value) {
  std::vector<uint8_t>* storage = Storage(index);
  if (storage != nullptr && position >= 0 && static_cast<size_t>(position) < storage->size()) {
    (*storage)[static_cast<size_t>(position)] = value;
  }
}

std::vector<uint8_t> SimulatedNode::Part(int part) const {
  if (part < 1 || part > 12) return {};
  return parts_[static_cast<size_t>(part - 1)];
}

void SimulatedNode::SetPart(int part, const std::vector<uint8_t>& bytes) {
  CopyInto(PartStorage(part), bytes);
}

int SimulatedNode::SelectedPart() const {
  const std::vector<uint8_t>& s = nvs_.at(kIndexPartSelector);
  return s[0] * 256 + s[1];
}

void SimulatedNode::SetSelectedPart(int part) {
  nvs_[kIndexPartSelector] = Word(part);
}

std::map<std::string, std::vector<uint8_t>> SimulatedNode::Snapshot() const {
  std::map<std::string, std::vector<uint8_t>> all;
  for (const auto& [index, bytes] : nvs_) all["nv" + std::to_string(index)] = bytes;
  for (int p = 1; p <= 12; ++p)
    all["part" + std::to_string(p)] = parts_[static_cast<size_t>(p - 1)];
  return all;
}

void SimulatedNode::SetNodeName(const std::string& name) {
  name_.assign(name.begin(), name.end());
  name_.push_back(0);
}

void SimulatedNode::SetNodeNameBytes(const std::vector<uint8_t>& bytes) {
  name_ = bytes;
}

void SimulatedNode::SetClock(const fw::LocalTime& t) {
  clockBase_ = t;
  clockBaseMs_ = NowMs();
}

fw::LocalTime SimulatedNode::Clock() const {
  const uint64_t now = NowMs();
  const uint64_t elapsed = now > clockBaseMs_ ? now - clockBaseMs_ : 0;
  return fw::AddSeconds(clockBase_, static_cast<int64_t>(elapsed / 1000));
}

void SimulatedNode::FailReads(int32_t index, bool fail) {
  Mark(failReads_, index, fail);
}

void SimulatedNode::FailWrites(int32_t index, bool fail) {
  Mark(failWrites_, index, fail);
}

HRESULT STDMETHODCALLTYPE SimClientSite::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (IsEqualGUID(riid, IID_IUnknown)) {
    *object = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
  }
  if ((IsEqualGUID(riid, IID_INodeAccess2) && offerReader_) ||
      (IsEqualGUID(riid, IID_INodeAccess) && offerWriter_)) {
    return node_.QueryInterface(riid, object);
  }
  return E_NOINTERFACE;
}

}  // namespace sim
