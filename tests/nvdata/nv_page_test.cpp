#include "nvdata/nv_page.h"

#include <gtest/gtest.h>

#include "nvdata/nv_codec.h"
#include "tests/support/fixture.h"

using testing_support::NodeFixture;
using testing_support::Traffic;

namespace {

const fw::DialogTemplate kDialog{950,
                                 250,
                                 150,
                                 {
                                     {300, fw::ControlKind::kEdit, "", 0, 0, 10, 10},
                                     {301, fw::ControlKind::kEdit, "", 0, 0, 10, 10},
                                     {kIdWrite, fw::ControlKind::kPushButton, "Write", 0, 0, 1, 1},
                                     {kIdRead, fw::ControlKind::kPushButton, "Read", 0, 0, 1, 1},
                                 }};

// A page with one live value (index 14) and one setting in part 2 and one in index 41.
class CyclePage : public CNvPage {
 public:
  explicit CyclePage(bool live) : CNvPage(kDialog, 0, "Cycle", live) {}
  std::vector<std::string> captionsSeen;

 protected:
  void RefreshLive() override {
    uint8_t b[31];
    if (ReadNv(14, b, 31) == 0) SetNumber(300, CNvCodec::WordToTemp(b[0], b[1]), 1);
  }
  void ReadSettings() override {
    captionsSeen.push_back(GetItemText(kIdRead));
    PartExchange parts(Node());
    uint8_t r[31];
    if (parts.Read(2, r) == 0) SetNumber(301, CNvCodec::MakeWord(r[21], r[22]), 0);
  }
  void WriteSettings() override {
    captionsSeen.push_back(GetItemText(kIdWrite));
    PartExchange parts(Node());
    const double v = GetNumber(301);
    parts.ReadModifyWrite(2, [v](uint8_t* r) {
      r[21] = CNvCodec::WholeHigh(v);
      r[22] = CNvCodec::WholeLow(v);
    });
    ModifyNv(41, 2, [](uint8_t* b) { b[1] = 0x42; });
  }
};

class ShowPage {
 public:
  explicit ShowPage(NodeFixture& f, CNvPage& page) : sheet_(f.node), driver_(sheet_, f.platform) {
    sheet_.AddPage(&page);
    driver_.Open();
  }
  fw::headless::SheetDriver& Driver() { return driver_; }

 private:
  testing_support::BareSheet sheet_;
  fw::headless::SheetDriver driver_;
};

TEST(PageCycle, ShowRefreshesReadsAndStartsTheTimerOnlyForLivePages) {
  NodeFixture f;
  f.node.SetSelectedPart(2);
  CyclePage live(true);
  ShowPage shown(f, live);
  EXPECT_EQ(Traffic(f.node.Log()), (std::vector<std::string>{"R14", "R45", "R46"}));
  EXPECT_EQ(shown.Driver().Text(300), "4.3");
  EXPECT_EQ(shown.Driver().Text(301), "800");  // part 2 value 11
  EXPECT_EQ(live.captionsSeen, (std::vector<std::string>{"Wait"}));
  EXPECT_EQ(shown.Driver().Text(kIdRead), "Read");
  f.node.ClearLog();
  f.platform.RunFor(4000);  // two ticks: live values only
  EXPECT_EQ(Traffic(f.node.Log(), true), (std::vector<std::string>{"R14@2000", "R14@4000"}));

  NodeFixture g;
  CyclePage still(false);
  ShowPage other(g, still);
  g.node.ClearLog();
  g.platform.RunFor(10000);
  EXPECT_TRUE(g.node.Log().empty());
  EXPECT_EQ(g.platform.TimerCount(), 0u);
}

TEST(PageCycle, WriteIsReadModifyWriteThenReadsBack) {
  NodeFixture f;
  f.node.SetSelectedPart(2);
  CyclePage page(true);
  ShowPage shown(f, page);
  shown.Driver().Type(301, "1234");
  f.node.ClearLog();
  const std::vector<uint8_t> before41 = f.node.Bytes(41);
  ASSERT_TRUE(shown.Driver().Click(kIdWrite));
  EXPECT_EQ(Traffic(f.node.Log(), false, false),
            (std::vector<std::string>{"R45", "R46", "W46", "R41", "W41", "R45", "R46"}));
  EXPECT_EQ(f.node.Part(2)[21], 0x04);
  EXPECT_EQ(f.node.Part(2)[22], 0xD2);
  EXPECT_EQ(f.node.Bytes(41), (std::vector<uint8_t>{before41[0], 0x42}));
  EXPECT_EQ(shown.Driver().Text(kIdWrite), "Write");
  EXPECT_EQ(page.captionsSeen.back(), "Wait");
}

TEST(PageCycle, FailedReadLeavesFieldsAndSkipsTheWrite) {
  NodeFixture f;
  CyclePage page(true);
  ShowPage shown(f, page);
  shown.Driver().Type(301, "77");
  f.node.FailReads(41);
  f.node.FailReads(14);
  f.node.ClearLog();
  shown.Driver().Click(kIdWrite);
  for (const sim::HostCall& c : f.node.Log()) {
    EXPECT_FALSE(c.kind == sim::HostCall::Kind::kWrite && c.index == 41);
  }
  f.platform.RunFor(2000);
  EXPECT_EQ(shown.Driver().Text(300), "4.3");  // the failed refresh left the value
}

TEST(PageCycle, HidingKillsTheTimer) {
  NodeFixture f;
  CyclePage page(true);
  ShowPage shown(f, page);
  page.OnShowWindow(false);
  f.node.ClearLog();
  f.platform.RunFor(6000);
  EXPECT_TRUE(f.node.Log().empty());
}

}  // namespace
