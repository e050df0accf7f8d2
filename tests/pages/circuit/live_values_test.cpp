// The live values of the circuit pages, one table over the pages of both circuits: what each
// refresh shows, and that a refresh whose read fails leaves it.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/pages/circuit/page_harness.h"

using namespace circuit_test;

namespace {

// Page, index, bytes, id, shown: host index `index` holding `bytes` shows `shown` in control
// `id` after a refresh; a refresh whose read fails leaves it.
using Live = std::tuple<int, int, Bytes, int, const char*>;

const Live kLive[] = {
    // Status switch: the rotary switch positions 1 to 6 have names, so have the unit modes 0 to
    // 14 (a signed byte).
    {8, 20, {0, 0}, 301, "??"},
    {9, 21, {0, 1}, 301, "Boost"},
    {8, 20, {0, 6}, 301, "Occupancy"},
    {9, 21, {0, 7}, 301, "??"},
    {8, 20, {1, 1}, 301, "??"},
    {9, 27, {0}, 203, "Auto"},
    {8, 26, {14}, 203, "Dehumidification"},
    {9, 27, {15}, 203, "??"},
    {8, 26, {128}, 203, "??"},
    // Analog valve outputs: 200 steps a percent.
    {10, 32, {0x23, 0x28}, 300, "45"},
    {10, 33, {0xFF, 0xFF}, 308, "328"},
    {11, 35, {0x00, 0xC8}, 370, "1"},
    {11, 36, {0x27, 0x10}, 371, "50"},
    // Pump state: byte 1 as a signed byte; the three alarm flags of host index 37.
    {12, 31, {0x00, 0x00}, 212, "OFF"},
    {12, 31, {0x00, 0xFF}, 212, "ON"},
    {13, 34, {0x00, 0x80}, 212, "ON"},
    {13, 34, {0xFF, 0x00}, 212, "OFF"},
    {12, 37, {0x00, 0x01}, 201, "Alarm"},
    {12, 37, {0x00, 0x20}, 202, "Alarm"},
    {12, 37, {0x00, 0x10}, 203, "Alarm"},
    {12, 37, {0xFF, 0xCE}, 201, "OK"},  // every other bit on, the other pump's among them
    {13, 37, {0x02, 0x00}, 201, "Alarm"},
    {13, 37, {0x01, 0x00}, 202, "Alarm"},
    {13, 37, {0x00, 0x80}, 203, "Alarm"},
    {13, 37, {0xFC, 0x7F}, 201, "OK"},
    // Antifrost: outdoor temperature, and "Heat" while flag 0x40 of the circuit's byte is on.
    {16, 15, {0xFC, 0x18}, 214, "-10.0"},
    {17, 18, {0x08, 0x98}, 214, "22.0"},
    {16, 37, {0x00, 0x40}, 207, "Heat"},
    {16, 37, {0x40, 0xBF}, 207, "Off"},
    {17, 37, {0x40, 0x00}, 207, "Heat"},
    {17, 37, {0xBF, 0xFF}, 207, "Off"},
    // Temperatures: the sensors; circuit 1's low forward status, flag 0x08 of byte 0.
    {18, 13, {0x07, 0xD0}, 256, "20.0"},
    {18, 12, {0xFF, 0xFF}, 258, "-0.0"},
    {19, 17, {0x08, 0x98}, 259, "22.0"},
    {19, 16, {0xFC, 0x18}, 216, "-10.0"},
    {18, 37, {0x08, 0x00}, 261, "Low temp"},
    {18, 37, {0xF7, 0xFF}, 261, "High temp"},
    // Heating curve: calculated setpoint, forward and outdoor temperature.
    {20, 24, {0x11, 0x94}, 263, "45.0"},
    {20, 13, {0x07, 0xD0}, 264, "20.0"},
    {20, 15, {0xFC, 0x18}, 268, "-10.0"},
    {21, 25, {0x0F, 0xA0}, 263, "40.0"},
    {21, 17, {0x08, 0x98}, 264, "22.0"},
    {21, 18, {0x01, 0xF4}, 268, "5.0"},
    // Night lowering: the room temperature.
    {22, 6, {0x08, 0x98}, 271, "22.0"},
    {23, 7, {0xFC, 0x18}, 271, "-10.0"},
};

TEST(CircuitPages, LiveValuesAndFailedRefreshes) {
  for (const auto& [page, index, bytes, id, shown] : kLive) {
    SCOPED_TRACE("page " + std::to_string(page) + " index " + std::to_string(index) + " " + shown);
    PageHarness h;
    h.Open(page);
    h.f.node.SetBytes(index, bytes);
    h.Tick();
    EXPECT_EQ(h.Text(id), shown);
    h.f.node.SetBytes(index, Inverted(bytes));
    h.f.node.FailReads(index);
    h.Tick();
    EXPECT_EQ(h.Text(id), shown);
  }
}

}  // namespace
