#include "sim/simulated_node.h"

#include <algorithm>
#include <cstring>

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
  nvs_[4] = Word(1);  // week calendar states
  nvs_[5] = Word(1);
  nvs_[6] = Temp(21.5);  // room temperatures
  nvs_[7] = Temp(22.0);
  nvs_[10] = {0};  // occupied
  nvs_[11] = {0};
  nvs_[12] = Temp(38.2);  // circuit 1 return and forward
  nvs_[13] = Temp(52.7);
  nvs_[14] = Temp(4.3);  // outdoor
  nvs_[15] = Temp(4.3);
  nvs_[16] = Temp(17.9);  // circuit 2 return and forward
  nvs_[17] = Temp(16.1);
  nvs_[18] = Temp(4.3);
  nvs_[19] = Temp(11.6);  // dewpoint
  nvs_[20] = Word(1);     // rotary switch positions
  nvs_[21] = Word(1);
  nvs_[24] = Temp(52.2);  // calculated forward setpoints (circuit 1: on its factory curve)
  nvs_[25] = Temp(18.0);
  nvs_[26] = {1};  // unit modes
  nvs_[27] = {1};
  nvs_[28] = Word(1850);  // pressure
  nvs_[31] = Word(1);     // pumps running
  nvs_[34] = Word(1);
  nvs_[32] = Word(9000);  // valve outputs, 0.005 % steps
  nvs_[33] = Word(4000);
  nvs_[35] = Word(12000);
  nvs_[36] = Word(0);
  nvs_[37] = Word(0);  // alarm and status flags: no alarm
  nvs_[29][2] = 255;   // pump modes Mp1 and Mp2: Automatic
  nvs_[29][8] = 255;
  // Extended operation delays, hours and minutes: circuit 1 boost 1:00, day 2:30, night 0:45;
  // circuit 2 boost 0:30, day 1:15, night 3:00.
  const int delays[12] = {1, 0, 2, 30, 0, 45, 0, 30, 1, 15, 3, 0};
  for (int value = 1; value <= 12; ++value) {
    nvs_[38][2 * value] = static_cast<uint8_t>(delays[value - 1]);
  }
}

SimulatedNode::~SimulatedNode() = default;

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
  switch (index) {
    case 0:
    case 3:
      return 7;
    case 29:
    case 30:
    case 38:
    case 39:
    case 40:
    case 46:
      return 31;
    case 43:
    case 44:
      return 4;
    case 10:
    case 11:
    case 26:
    case 27:
      return 1;
    case 1:
    case 2:
    case 8:
    case 9:
    case 22:
    case 23:
      return 0;
    default:
      return index >= 4 && index <= 45 ? 2 : 0;
  }
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

std::vector<uint8_t>* SimulatedNode::Storage(int32_t index) {
  if (index == kIndexPluginCnf) {
    const int part = SelectedPart();
    if (part < 1 || part > 12) return nullptr;
    return &parts_[static_cast<size_t>(part - 1)];
  }
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
  } else if (failAllWrites_ || failWrites_.count(index) != 0) {
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
  if (index == kIndexPluginCnf) {
    const int part = SelectedPart();
    return part >= 1 && part <= 12 ? parts_[static_cast<size_t>(part - 1)] : std::vector<uint8_t>();
  }
  auto it = nvs_.find(index);
  return it == nvs_.end() ? std::vector<uint8_t>() : it->second;
}

void SimulatedNode::SetBytes(int32_t index, const std::vector<uint8_t>& bytes) {
  if (std::vector<uint8_t>* storage = Storage(index)) {
    std::copy_n(bytes.begin(), std::min(bytes.size(), storage->size()), storage->begin());
  }
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
  if (part < 1 || part > 12) return;
  std::vector<uint8_t>& storage = parts_[static_cast<size_t>(part - 1)];
  std::copy_n(bytes.begin(), std::min(bytes.size(), storage.size()), storage.begin());
}

int SimulatedNode::SelectedPart() const {
  const std::vector<uint8_t>& s = nvs_.at(kIndexPartSelector);
  return s[0] * 256 + s[1];
}

void SimulatedNode::SetSelectedPart(int part) {
  nvs_[kIndexPartSelector] = {static_cast<uint8_t>((part >> 8) & 0xFF),
                              static_cast<uint8_t>(part & 0xFF)};
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
  if (fail) {
    failReads_.insert(index);
  } else {
    failReads_.erase(index);
  }
}

void SimulatedNode::FailWrites(int32_t index, bool fail) {
  if (fail) {
    failWrites_.insert(index);
  } else {
    failWrites_.erase(index);
  }
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
