// The cycle every node page follows. Showing the page refreshes its live values (if it has
// any), reads its settings, applies its own enabling and starts timer 1 (2000 ms); hiding it
// kills the timer; each tick refreshes the live values only. "Read" (211) and "Write" (210)
// show "Wait" while they run and get their captions back on every path.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "framework/property_page.h"
#include "nvdata/config_part.h"
#include "nvdata/node_io.h"
#include "nvdata/setting_field.h"
#include "nvdata/typed_value.h"

constexpr int kIdWrite = 210;
constexpr int kIdRead = 211;
constexpr int kLiveTimerId = 1;
constexpr uint32_t kLivePeriodMs = 2000;
// The buffer a page reads an NV into: one byte more than the longest record.
constexpr int32_t kReadCapacity = 32;

// Settings a page reads or writes together.
using FieldList = std::initializer_list<SettingField>;
// Settings with the values a write stores, taken from their controls before it reaches the node.
using TakenFields = std::vector<std::pair<SettingField, double>>;

// Whether the temperature word that starts `buffer` comes from a sensor: below -200.00 degrees
// the sensor counts as absent. Compared in whole hundredths, as the node stores them, -200.00
// itself is a sensor on every build.
bool SensorPresent(const uint8_t* buffer);

class CNvPage : public fw::CPropertyPage {
 public:
  CNvPage(const fw::DialogTemplate& dialog, int captionId, std::string caption, bool hasLiveValues);

  void OnShowWindow(bool show) override;
  void OnTimer(int timerId) override;

  // The "Read" and "Write" buttons.
  void OnRead();
  void OnWrite();

 protected:
  // What each page fills in. ReadSettings and WriteSettings run inside the "Wait" caption.
  virtual void RefreshLive() {}
  virtual void ReadSettings() {}
  virtual void WriteSettings() {}
  virtual void UpdateEnabling() {}
  // Most pages read their settings again after a write; a page that does not says so.
  virtual bool ReadsAfterWrite() const { return true; }

  // The node through the sheet's interfaces.
  NodeIo Node() const;

  // A direct NV read; status 0 means the buffer holds the value.
  int32_t ReadNv(int32_t index, uint8_t* buffer, int32_t capacity) const;
  // A live temperature: the word of hundredths that starts the NV, shown with one decimal. A
  // read that fails leaves the last text standing.
  void ShowLiveTemp(int32_t index, int id);
  // Read-modify-write of a direct NV of `size` bytes: read with `capacity`, let `change`
  // replace the page's own bytes, write `size` bytes back. Not written when the read failed.
  bool ModifyNv(int32_t index, int32_t size, const std::function<void(uint8_t*)>& change,
                int32_t capacity = kRecordSize) const;

  // Numbers in fields: shown with "%.0f" or "%.1f", taken with atof. A field keeps the exact
  // value it was filled with (or `exact`, where the shown number is already cut, as tenths
  // shown whole are): while it still shows that text, GetNumber gives the exact value back, so
  // a Write of a field the engineer did not touch stores what the node held, not the rounded
  // text (a stored 0.5 s shown as "0" must not become 0 s).
  void SetNumber(int id, double value, int decimals) { SetNumber(id, value, decimals, value); }
  void SetNumber(int id, double shown, int decimals, double exact);
  double GetNumber(int id) const;
  // A typed number clamped to what its field can hold, ready for the encoder. A field still
  // showing what the node held gives that value back unclamped: it came from the node's own
  // bytes and encodes to them again (a valve position of 127.5 % is not stored as 100 %).
  double GetTyped(int id, TypedRange range) const;

  // A setting from its record into its control: temperatures and tenths with one decimal,
  // tenths shown whole cut toward zero (the exact value kept), other numbers whole, a flag as
  // its check box.
  void ShowField(const SettingField& f, const uint8_t* record);
  // The setting's typed number, clamped to what its field takes.
  double TypedField(const SettingField& f) const { return GetTyped(f.controlId, FieldRange(f)); }

  // Settings that all live in one configuration part (that of the first): ShowPart reads the
  // part and shows each (none when it could not be read); WritePart takes each from its
  // control, then stores them by a read-modify-write of the part.
  void ShowPart(PartExchange& parts, FieldList fields, int32_t capacity = kReadCapacity);
  void WritePart(PartExchange& parts, FieldList fields, int32_t capacity = kRecordSize);
  // Each setting's value as a write stores it: a flag 1 or 0 from its check box, a number
  // typed and clamped. PutTaken stores them into their record.
  TakenFields Take(FieldList fields) const;
  static void PutTaken(const TakenFields& taken, uint8_t* record);

  // Radio buttons that stand for a node word, where several words show the same button (a mode
  // of 7 shows "Automatic" as 255 does). A read that turned on `radioId` of the group keyed
  // `group` for a word remembers them; while the same button is the one a write takes,
  // ChoiceWord gives that word back, else `word`, the value of the button now on. So a Write
  // that changed nothing stores the node's own word, not the button's.
  void RememberChoice(int group, int radioId, int word) { choices_[group] = Choice{radioId, word}; }
  int ChoiceWord(int group, int radioId, int word) const;

 private:
  bool hasLiveValues_;
  struct Shown {
    std::string text;
    double exact;
  };
  // The shown text of a field, while it still shows it.
  const Shown* Untouched(int id) const;

  struct Choice {
    int radioId;
    int word;
  };
  std::map<int, Shown> shown_;     // by control id
  std::map<int, Choice> choices_;  // by group key
};
