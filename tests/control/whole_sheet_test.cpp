// Every tab of both page sets, as the sheet defines them: each page is shown, its "Read" and
// "Write" are pressed where it has them, and the node is checked.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <set>

#include "nvdata/nv_page.h"
#include "pages/circuit/pid_page.h"
#include "resources/dialog_pid.h"
#include "tests/support/fixture.h"
#include "tests/support/sheet_walk.h"

using testing_support::ChangedByte;
using testing_support::ChangedBytesByWrites;
using testing_support::ChangedByWrites;
using testing_support::NodeFixture;
using testing_support::WritesAfterFailedReads;

namespace {

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
std::vector<std::vector<sim::HostCall>> ReadAndWrite(NodeFixture& f, fw::CPropertyPage& page) {
  std::vector<std::vector<sim::HostCall>> presses;
  for (int id : {kIdRead, kIdWrite}) {
    if (page.Template().Find(id) == nullptr) continue;
    const size_t from = f.node.Log().size();
    EXPECT_TRUE(f.driver->Click(id)) << id;
    EXPECT_EQ(f.driver->Text(id), id == kIdRead ? "Read" : "Write");
    presses.push_back(f.CallsSince(from));
  }
  return presses;
}

std::vector<sim::HostCall> All(const std::vector<std::vector<sim::HostCall>>& presses) {
  std::vector<sim::HostCall> calls;
  for (const auto& p : presses) calls.insert(calls.end(), p.begin(), p.end());
  return calls;
}

TEST(WholeSheet, ReadThenWriteOnEveryTabWritesBackWhatTheNodeHeld) {
  NodeFixture f;
  f.OpenSheet();
  int tabs = 0, writing = 0;
  WalkBothSets(f, [&](fw::CPropertyPage& page) {
    ++tabs;
    const auto before = f.node.Snapshot();
    const auto calls = All(ReadAndWrite(f, page));
    bool wrote = false;
    for (const sim::HostCall& c : calls) {
      wrote = wrote || (c.kind == sim::HostCall::Kind::kWrite && c.index != 45);
      EXPECT_EQ(c.status, 0) << "a call the node refused: " << c.index;
    }
    writing += wrote ? 1 : 0;
    EXPECT_EQ(ChangedByWrites(before, f.node.Snapshot(), calls), std::vector<std::string>{});
  });
  EXPECT_EQ(tabs, 34);    // 2 fixed and 15 of a set, twice
  EXPECT_GE(writing, 9);  // at least the writing pages of this build: 4 in set 1, 5 in set 2
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
      for (const auto& calls : presses) {
        EXPECT_EQ(WritesAfterFailedReads(calls), std::vector<std::string>{});
      }
      EXPECT_EQ(ChangedByWrites(before, f.node.Snapshot(), All(presses)),
                std::vector<std::string>{});
      ++tried;
    }
  });
  EXPECT_GE(tried, 18);

  // A node that answers no read from the start: every field stays empty, nothing is written
  // (the week calendars refuse their empty timetables with a message).
  NodeFixture g;
  g.OpenSheet();
  g.node.FailAllReads();
  WalkBothSets(g, [&](fw::CPropertyPage& page) {
    for (const auto& calls : ReadAndWrite(g, page)) {
      for (const sim::HostCall& c : calls) {
        EXPECT_FALSE(c.kind == sim::HostCall::Kind::kWrite && c.index != 45) << c.index;
      }
    }
  });  // 9 writing pages in this build, each NV they read and all at once
}

// The node filled with one pattern in every NV and every part: then "Write" on every tab, with
// no field touched, changes only the bytes that this table names, each for its reason. A byte
// a page announces with a message box counts only when that box was shown.
enum class Pattern { kSame, kAlternate, kRandom };

struct Fill {
  const char* name;
  Pattern pattern;
  uint8_t byte;  // kSame: every byte; kAlternate: every other byte, the rest its complement
  uint32_t seed = 0;
};

const Fill kFills[] = {
    {"Zeros", Pattern::kSame, 0x00},        {"Hex01", Pattern::kSame, 0x01},
    {"Ones", Pattern::kSame, 0xFF},         {"Hex7F", Pattern::kSame, 0x7F},
    {"Hex80", Pattern::kSame, 0x80},        {"Hex7F80", Pattern::kAlternate, 0x7F},
    {"Hex807F", Pattern::kAlternate, 0x80}, {"Random1", Pattern::kRandom, 0, 1},
    {"Random2", Pattern::kRandom, 0, 2},    {"Random3", Pattern::kRandom, 0, 3},
    {"Random4", Pattern::kRandom, 0, 4},
};

// Failure messages name the fill, not its bytes.
void PrintTo(const Fill& fill, std::ostream* os) {
  *os << fill.name;
}

struct Exception {
  const char* tab;
  const char* where;  // "nv39", "part9"
  int byte;
  const char* announcedBy;  // the start of the message box that says so; nullptr: a decision
  const char* why;
};

const Exception kExceptions[] = {
    {"Calender Start / Stop", "part9", 0, nullptr,
     "the week calendar writes its whole part unread, byte 0 as 0"},
    {"Calender Start / Stop", "part11", 0, nullptr,
     "the week calendar writes its whole part unread, byte 0 as 0"},
    {"Calender Pir", "part10", 0, nullptr, "the PIR calendar writes byte 0 as 0"},
    {"Calender Pir", "part12", 0, nullptr, "the PIR calendar writes byte 0 as 0"},
    {"Settings Temperatures", "nv39", 0, "Value must be between 2 and 5",
     "a point count outside 2 to 5 is held to it"},
    {"Settings Temperatures", "nv40", 0, "Value must be between 2 and 5",
     "a point count outside 2 to 5 is held to it"},
};

void FillNode(sim::SimulatedNode& node, const Fill& fill) {
  std::mt19937 rng(fill.seed);
  size_t n = 0;
  auto bytes = [&](size_t size) {
    std::vector<uint8_t> b(size);
    for (uint8_t& x : b) {
      const bool odd = (n++ % 2) != 0;
      x = fill.pattern == Pattern::kRandom             ? static_cast<uint8_t>(rng() & 0xFF)
          : fill.pattern == Pattern::kAlternate && odd ? static_cast<uint8_t>(~fill.byte)
                                                       : fill.byte;
    }
    return b;
  };
  // Not the clock (0 is written only, 3 runs with the platform) nor the part selector.
  for (int32_t index = 1; index < 45; ++index) {
    const int32_t size = sim::SimulatedNode::SizeOf(index);
    if (size > 0 && index != 3) node.SetBytes(index, bytes(static_cast<size_t>(size)));
  }
  for (int part = 1; part <= 12; ++part) node.SetPart(part, bytes(31));
  // The sheet offers the circuit pages only while part 1's value 15 is not 0.
  std::vector<uint8_t> part1 = node.Part(1);
  if (part1[29] == 0 && part1[30] == 0) part1[30] = 1;
  node.SetPart(1, part1);
}

bool Excused(const std::string& tab, const ChangedByte& c, const std::vector<std::string>& boxes) {
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

TEST_P(WholeSheetFilled, WriteOfUntouchedFieldsKeepsTheNodesBytes) {
  NodeFixture f;
  FillNode(f.node, GetParam());
  f.OpenSheet();
  int tabs = 0, writing = 0;
  WalkBothSets(f, [&](fw::CPropertyPage& page) {
    ++tabs;
    if (page.Template().Find(kIdWrite) == nullptr) return;
    // The service password guards the PID pages' write; it is no node value.
    if (dynamic_cast<CPidPage*>(&page) != nullptr) {
      f.driver->Type(pid_dialog::kIdPassword, "Kobalt");
    }
    const auto before = f.node.Snapshot();
    f.platform.ClearMessages();
    const size_t from = f.node.Log().size();
    EXPECT_TRUE(f.driver->Click(kIdWrite));
    const auto calls = f.CallsSince(from);
    std::vector<std::string> boxes;
    for (const auto& m : f.platform.Messages()) boxes.push_back(m.request.text);
    bool wrote = false;
    for (const sim::HostCall& c : calls) {
      wrote = wrote || (c.kind == sim::HostCall::Kind::kWrite && c.index != 45);
    }
    writing += wrote ? 1 : 0;
    for (const ChangedByte& c : ChangedBytesByWrites(before, f.node.Snapshot(), calls)) {
      EXPECT_TRUE(Excused(page.Caption(), c, boxes))
          << c.where << " byte " << c.byte << ": " << int{c.was} << " became " << int{c.now};
    }
  });
  EXPECT_EQ(tabs, 34);
  // The 28 tabs with a "Write" (all but the fixed two and Set Time), less the four calendars
  // when they refuse a timetable the node holds.
  EXPECT_GE(writing, 24);
}

INSTANTIATE_TEST_SUITE_P(WholeSheet, WholeSheetFilled, testing::ValuesIn(kFills),
                         [](const testing::TestParamInfo<Fill>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
