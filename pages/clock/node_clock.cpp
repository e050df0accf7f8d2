#include "pages/clock/node_clock.h"

#include "framework/property_page.h"
#include "nvdata/node_io.h"
#include "nvdata/number_text.h"
#include "nvdata/nv_codec.h"

std::string NodeDateText(const uint8_t* record) {
  return FormatFixed0(CNvCodec::SignedByte(record[3])) + "/" +
         FormatFixed0(CNvCodec::SignedByte(record[2])) + "-" +
         FormatFixed0(CNvCodec::MakeWord(record[0], record[1]));
}

std::string NodeTimeText(const uint8_t* record) {
  return FormatFixed0(CNvCodec::SignedByte(record[4])) + ":" +
         TwoDigits(CNvCodec::SignedByte(record[5])) + ":" +
         TwoDigits(CNvCodec::SignedByte(record[6]));
}

std::array<uint8_t, kClockRecordSize> ClockRecord(const fw::LocalTime& t) {
  const int year = 2000 + t.year % 100;
  return {CNvCodec::WholeHigh(year),   CNvCodec::WholeLow(year),   CNvCodec::WholeLow(t.month),
          CNvCodec::WholeLow(t.day),   CNvCodec::WholeLow(t.hour), CNvCodec::WholeLow(t.minute),
          CNvCodec::WholeLow(t.second)};
}

void ShowNodeClock(fw::CPropertyPage& page, int dateId, int timeId) {
  uint8_t record[kClockReadCapacity] = {};
  if (NodeOf(page).Read(kIndexClockNow, record, kClockReadCapacity) != 0) return;
  page.SetItemText(dateId, NodeDateText(record));
  page.SetItemText(timeId, NodeTimeText(record));
}
