// The node's clock: a 7-byte record (year as a big-endian word, then month, day, hour, minute
// and second, one byte each), read from host index 3 and set through host index 0. Shown by
// the Set Time page and the week calendar pages alike.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "framework/local_time.h"
#include "nvdata/nv_indices.h"

constexpr int32_t kClockRecordSize = 7;
constexpr int32_t kClockReadCapacity = 32;

// "d/m-yyyy" without a trailing space: the node's date as it reports it.
std::string NodeDateText(const uint8_t* record);
// "h:mm:ss": hour unpadded, a "0" before a minute or second below 10 (a negative one too).
std::string NodeTimeText(const uint8_t* record);

namespace fw {
class CPropertyPage;
}
// Reads the node's clock and shows its date and time in the page's two fields; a clock that
// cannot be read leaves them as they were.
void ShowNodeClock(fw::CPropertyPage& page, int dateId, int timeId);

// The record that sets the node's clock to the PC time `t`: the year from its last two digits
// (2000 to 2099), every field from the one reading.
std::array<uint8_t, kClockRecordSize> ClockRecord(const fw::LocalTime& t);
