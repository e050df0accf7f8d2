// Every tab of both page sets: "Read" and "Write" pressed where a page has them, the node checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <ostream>
#include <random>
#include <set>

#include "nvdata/nv_page.h"
#include "pages/circuit/pid_page.h"
#include "resources/dialog_pid.h"
#include "tests/support/case_names.h"
#include "tests/support/fixture.h"

using testing_support::NodeFixture;

namespace {

using Calls = std::vector<sim::HostCall>;
using Snapshot = std::map<std::string, std::vector<uint8_t>>;
using Strings = std::vector<std::string>;

// The part selector is no setting: its writes are not checked.
bool IsWrite(const sim::HostCall& c) {
  return c.kind == sim::HostCall::Kind::kWrite && c.index != 45;
}
std::string Key(const sim::HostCall& c) {
  return c.index == 46 ? "part" + std::to_string(c.part) : "nv" + std::to_string(c.index);
}

struct ChangedByte {
  std::string where;  // "nv30", "part6"
  int byte, was, now;
};
std::ostream& operator<<(std::ostream& os, const ChangedByte& c) {
  return os << c.where << " byte " << c.byte << ": " << c.was << " became " << c.now;
}

// The bytes of the NVs and parts the calls wrote that now differ from `before`. Bytes no call
// wrote are not compared: live values may change on their own.
std::vector<ChangedByte> ChangedByWrites(const Snapshot& before, const Snapshot& after,
                                         const Calls& calls) {
  std::set<std::string> keys;
  for (const sim::HostCall& c : calls) {
    if (IsWrite(c)) keys.insert(Key(c));
  }
  std::vector<ChangedByte> changed;
  for (const std::string& key : keys) {
    const std::vector<uint8_t>&was = before.at(key), &now = after.at(key);
    for (size_t i = 0; i < std::max(was.size(), now.size()); ++i) {
      const int a = i < was.size() ? was[i] : -1, b = i < now.size() ? now[i] : -1;
      if (a != b) changed.push_back({key, static_cast<int>(i), a, b});
    }
  }
  return changed;
}

// Writes made after the last read of the same NV, or of the same part, had failed. A write with
// no read of its NV before it is not counted here.
Strings WritesAfterFailedReads(const Calls& calls) {
  Strings bad;
  std::map<std::string, bool> lastReadFailed;
  for (const sim::HostCall& c : calls) {
    if (c.kind == sim::HostCall::Kind::kRead) lastReadFailed[Key(c)] = c.status != 0;
    if (IsWrite(c) && lastReadFailed[Key(c)]) bad.push_back(Key(c));
  }
  return bad;
}

// Shows every tab of set 1, then of set 2, and hands each page in view to `visit`.
void WalkBothSets(NodeFixture& f, const std::function<void(fw::CPropertyPage&)>& visit) {
  for (int setButton : {kIdShowSet1, kIdShowSet2}) {
    f.driver->SelectTab(0);
    f.driver->Click(setButton);  // set 1 is in at start: its button is disabled then
    for (int tab = 0; tab < f.driver->TabCount(); ++tab) {
      f.driver->SelectTab(tab);
      SCOPED_TRACE((setButton == kIdShowSet1 ? "BL1 tab " : "BL2 tab ") + std::to_string(tab) +
                   " \"" + f.driver->ActivePage().Caption() + "\"");
      visit(f.driver->ActivePage());
    }
  }
}

// Presses "Read" and then "Write" where the page has them; the calls of each press.
std::vector<Calls> ReadAndWrite(NodeFixture& f, fw::CPropertyPage& page) {
  std::vector<Calls> presses;
  for (int id : {kIdRead, kIdWrite}) {
    if (page.Template().Find(id) == nullptr) continue;
    const size_t from = f.node.Log().size();
    EXPECT_TRUE(f.driver->Click(id)) << id;
    EXPECT_EQ(f.driver->Text(id), id == kIdRead ? "Read" : "Write");
    presses.push_back(f.CallsSince(from));
  }
  return presses;
}

Calls All(const std::vector<Calls>& presses) {
  Calls calls;
  for (const auto& p : presses) calls.insert(calls.end(), p.begin(), p.end());
  return calls;
}

TEST(WholeSheet, NoTabWritesWhatItCouldNotRead) {
  NodeFixture f;
  f.OpenSheet();
  int tried = 0;
  WalkBothSets(f, [&](fw::CPropertyPage& page) {
    if (page.Template().Find(kIdWrite) == nullptr) return;
    // Every NV the page reads for a write, failing in turn, and all reads at once.
    std::set<int32_t> reads = {-1};
    for (const sim::HostCall& c : All(ReadAndWrite(f, page))) {
      if (c.kind == sim::HostCall::Kind::kRead && c.index != 45) reads.insert(c.index);
    }
    for (int32_t index : reads) {
      SCOPED_TRACE("failing reads of " +
                   (index < 0 ? std::string("every NV") : std::to_string(index)));
      index < 0 ? f.node.FailAllReads() : f.node.FailReads(index);
      const auto before = f.node.Snapshot();
      const auto presses = ReadAndWrite(f, page);
      index < 0 ? f.node.FailAllReads(false) : f.node.FailReads(index, false);
      for (const auto& calls : presses) EXPECT_EQ(WritesAfterFailedReads(calls), Strings{});
      for (const auto& c : ChangedByWrites(before, f.node.Snapshot(), All(presses)))
        ADD_FAILURE() << c;
      ++tried;
    }
  });
  EXPECT_GE(tried, 18);  // 9 writing pages, each NV they read and all at once
}

// The node as the factory left it, or with one pattern in every NV and part; "Read" and "Write"
// on every tab, no field touched, change only the bytes named here, each for its reason; one a
// page announces counts only when its message box was shown.
constexpr int kFactory = -1, kAlternate = -2, kRandom = -3;
struct Fill {
  const char* name;
  int byte;  // every byte, or kAlternate (0x7F and 0x80 in turn), kRandom (of `seed`), kFactory
  uint32_t seed;
};
const Fill kFills[] = {{"Factory", kFactory, 0},   {"Zeros", 0x00, 0},      {"Hex01", 0x01, 0},
                       {"Ones", 0xFF, 0},          {"Hex7F", 0x7F, 0},      {"Hex80", 0x80, 0},
                       {"Hex7F80", kAlternate, 0}, {"Random1", kRandom, 1}, {"Random2", kRandom, 2},
                       {"Random3", kRandom, 3}};

struct Exception {
  const char *tab, *where;
  int byte;
  const char* announcedBy;  // the start of the message box that says so; nullptr: a decision
  const char* why;
};
const Exception kExceptions[] = {
    {"Calender Start / Stop", "part9", 0, nullptr, "whole part written unread, byte 0 as 0"},
    {"Calender Start / Stop", "part11", 0, nullptr, "whole part written unread, byte 0 as 0"},
    {"Calender Pir", "part10", 0, nullptr, "byte 0 written as 0"},
    {"Calender Pir", "part12", 0, nullptr, "byte 0 written as 0"},
    {"Settings Temperatures", "nv39", 0, "Value must be between 2 and 5", "count held to 2-5"},
    {"Settings Temperatures", "nv40", 0, "Value must be between 2 and 5", "count held to 2-5"},
};

void FillNode(sim::SimulatedNode& node, const Fill& fill) {
  std::mt19937 rng(fill.seed);
  size_t n = 0;
  auto bytes = [&](size_t size) {
    std::vector<uint8_t> b(size);
    for (uint8_t& x : b) {
      x = static_cast<uint8_t>(fill.byte == kRandom      ? rng()
                               : fill.byte == kAlternate ? (n++ % 2 == 0 ? 0x7F : 0x80)
                                                         : fill.byte);
    }
    return b;
  };
  // Not the clock (0 is written only, 3 runs with the platform) nor the part selector.
  for (int32_t index = 1; index < 45 && fill.byte != kFactory; ++index) {
    const int32_t size = sim::SimulatedNode::SizeOf(index);
    if (size > 0 && index != 3) node.SetBytes(index, bytes(static_cast<size_t>(size)));
  }
  for (int part = 1; part <= 12 && fill.byte != kFactory; ++part) node.SetPart(part, bytes(31));
  // The sheet offers the circuit pages only while part 1's value 15 is not 0.
  std::vector<uint8_t> part1 = node.Part(1);
  if (part1[29] == 0 && part1[30] == 0) part1[30] = 1;
  node.SetPart(1, part1);
}

bool Excused(const std::string& tab, const ChangedByte& c, const Strings& boxes) {
  for (const Exception& e : kExceptions) {
    if (tab != e.tab || c.where != e.where || c.byte != e.byte) continue;
    if (e.announcedBy == nullptr) return true;
    for (const std::string& box : boxes) {
      if (box.compare(0, std::strlen(e.announcedBy), e.announcedBy) == 0) return true;
    }
  }
  return false;
}

class WholeSheetFilled : public testing::TestWithParam<Fill> {};

TEST_P(WholeSheetFilled, ReadThenWriteOnEveryTabWritesBackWhatTheNodeHeld) {
  NodeFixture f;
  FillNode(f.node, GetParam());
  f.OpenSheet();
  int tabs = 0, writing = 0;
  WalkBothSets(f, [&](fw::CPropertyPage& page) {
    ++tabs;
    // The service password guards the PID pages' write; it is no node value.
    if (dynamic_cast<CPidPage*>(&page) != nullptr)
      f.driver->Type(pid_dialog::kIdPassword, "Kobalt");
    const auto before = f.node.Snapshot();
    f.platform.ClearMessages();
    const auto calls = All(ReadAndWrite(f, page));
    Strings boxes;
    for (const auto& m : f.platform.Messages()) boxes.push_back(m.request.text);
    for (const sim::HostCall& c : calls) EXPECT_EQ(c.status, 0) << "refused: " << c.index;
    writing += std::any_of(calls.begin(), calls.end(), IsWrite) ? 1 : 0;
    for (const ChangedByte& c : ChangedByWrites(before, f.node.Snapshot(), calls)) {
      EXPECT_TRUE(Excused(page.Caption(), c, boxes)) << c;
    }
  });
  EXPECT_EQ(tabs, 34);  // 2 fixed and 15 of a set, twice
  // Every tab with a "Write" (all but the fixed two and Set Time), less the four calendars when
  // they refuse the timetable the node holds.
  EXPECT_GE(writing, 24);
}

INSTANTIATE_TEST_SUITE_P(WholeSheet, WholeSheetFilled, testing::ValuesIn(kFills),
                         testing_support::kByName);

}  // namespace
