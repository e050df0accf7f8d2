// Every tab of both page sets, as the sheet defines them: each page is shown, its "Read" and
// "Write" are pressed where it has them, and the node is checked.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "nvdata/nv_page.h"
#include "tests/support/fixture.h"
#include "tests/support/sheet_walk.h"

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

}  // namespace
