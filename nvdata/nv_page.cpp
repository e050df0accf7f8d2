#include "nvdata/nv_page.h"

#include <utility>

#include "framework/property_sheet.h"
#include "nvdata/number_text.h"
#include "nvdata/nv_codec.h"

CNvPage::CNvPage(const fw::DialogTemplate& dialog, int captionId, std::string caption,
                 bool hasLiveValues)
    : CPropertyPage(dialog, captionId, std::move(caption)), hasLiveValues_(hasLiveValues) {
  if (dialog.Find(kIdRead) != nullptr) OnClicked(kIdRead, [this] { OnRead(); });
  if (dialog.Find(kIdWrite) != nullptr) OnClicked(kIdWrite, [this] { OnWrite(); });
}

void CNvPage::OnShowWindow(bool show) {
  if (!show) {
    KillTimer(kLiveTimerId);
    return;
  }
  if (hasLiveValues_) RefreshLive();
  OnRead();
  UpdateEnabling();
  if (hasLiveValues_) SetTimer(kLiveTimerId, kLivePeriodMs);
}

void CNvPage::OnTimer(int timerId) {
  if (timerId == kLiveTimerId && hasLiveValues_) RefreshLive();
}

void CNvPage::OnRead() {
  // A page without a "Read" button (Set Time) reads on showing only: no caption to change.
  if (Template().Find(kIdRead) == nullptr) {
    ReadSettings();
    return;
  }
  fw::ScopedCaption caption(*this, kIdRead, "Wait", "Read");
  ReadSettings();
}

void CNvPage::OnWrite() {
  fw::ScopedCaption caption(*this, kIdWrite, "Wait", "Write");
  WriteSettings();
  if (ReadsAfterWrite()) OnRead();
}

NodeIo CNvPage::Node() const {
  return NodeOf(*this);
}

int32_t CNvPage::ReadNv(int32_t index, uint8_t* buffer, int32_t capacity) const {
  return Node().Read(index, buffer, capacity);
}

bool SensorPresent(const uint8_t* buffer) {
  return CNvCodec::WordToHundredths(buffer[0], buffer[1]) >= -20000;
}

void CNvPage::ShowLiveTemp(int32_t index, int id) {
  uint8_t buffer[kReadCapacity] = {};
  if (ReadNv(index, buffer, kReadCapacity) == 0) {
    SetNumber(id, CNvCodec::WordToTemp(buffer[0], buffer[1]), 1);
  }
}

bool CNvPage::ModifyNv(int32_t index, int32_t size, const std::function<void(uint8_t*)>& change,
                       int32_t capacity) const {
  uint8_t buffer[64] = {};
  if (capacity > 64) capacity = 64;
  const NodeIo node = Node();
  if (node.Read(index, buffer, capacity) != 0) return false;
  change(buffer);
  return node.Write(index, buffer, size).sent;
}

void CNvPage::SetNumber(int id, double shown, int decimals, double exact) {
  const std::string text = decimals == 0 ? FormatFixed0(shown) : FormatFixed1(shown);
  SetItemText(id, text);
  shown_[id] = Shown{text, exact};
}

const CNvPage::Shown* CNvPage::Untouched(int id) const {
  auto it = shown_.find(id);
  if (it == shown_.end() || it->second.text != GetItemText(id)) return nullptr;
  return &it->second;
}

double CNvPage::GetNumber(int id) const {
  const Shown* shown = Untouched(id);
  return shown != nullptr ? shown->exact : Atof(GetItemText(id));
}

double CNvPage::GetTyped(int id, TypedRange range) const {
  const Shown* shown = Untouched(id);
  return shown != nullptr ? shown->exact : ClampTyped(Atof(GetItemText(id)), range);
}

int CNvPage::ChoiceWord(int group, int radioId, int word) const {
  auto it = choices_.find(group);
  return it != choices_.end() && it->second.radioId == radioId ? it->second.word : word;
}

void CNvPage::ShowField(const SettingField& f, const uint8_t* record) {
  const double v = FieldNumber(f, record);
  switch (f.codec) {
    case SettingCodec::kFlag:
      SetCheck(f.controlId, FieldFlag(f, record));
      return;
    case SettingCodec::kTemp:
    case SettingCodec::kTenths:
      SetNumber(f.controlId, v, 1);
      return;
    case SettingCodec::kTenthsWhole:
      SetNumber(f.controlId, static_cast<int>(v), 0, v);
      return;
    default:
      SetNumber(f.controlId, v, 0);
      return;
  }
}

void CNvPage::ShowPart(PartExchange& parts, FieldList fields, int32_t capacity) {
  uint8_t record[kReadCapacity] = {};
  if (parts.Read(PartOfRecord(fields.begin()->record), record, capacity) != 0) return;
  for (const SettingField& f : fields) ShowField(f, record);
}

void CNvPage::WritePart(PartExchange& parts, FieldList fields, int32_t capacity) {
  const TakenFields taken = Take(fields);
  parts.ReadModifyWrite(
      PartOfRecord(fields.begin()->record), [&](uint8_t* record) { PutTaken(taken, record); },
      capacity);
}

TakenFields CNvPage::Take(FieldList fields) const {
  TakenFields taken;
  for (const SettingField& f : fields) {
    taken.emplace_back(f, f.codec == SettingCodec::kFlag ? IsChecked(f.controlId) : TypedField(f));
  }
  return taken;
}

void CNvPage::PutTaken(const TakenFields& taken, uint8_t* record) {
  for (const auto& [f, value] : taken) PutFieldNumber(f, record, value);
}
