// One line gives a test the virtual platform, the simulated node, the client site, a sheet and
// a driver to work it: `NodeFixture f; f.OpenSheet(); f.Show(f.sheet->...)`.
#pragma once

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "control/current_control.h"
#include "control/sheet.h"
#include "framework/headless/headless.h"
#include "sim/simulated_node.h"

namespace testing_support {

// A sheet with no pages of its own that offers the node to whatever page a test adds, without
// the plug-in sheet's start-up handshake.
class BareSheet : public fw::CPropertySheet, public INodeLink {
 public:
  explicit BareSheet(sim::SimulatedNode& node) : CPropertySheet("bare"), node_(node) {}
  INodeAccess* NodeWriter() const override { return &node_; }
  INodeAccess2* NodeReader() const override { return &node_; }

 private:
  sim::SimulatedNode& node_;
};

class NodeFixture {
 public:
  ~NodeFixture() {
    CloseSheet();
    ForgetCurrentControl(&control);
  }

  // Builds the sheet as the Properties verb does and opens it; the node's log starts empty.
  void OpenSheet(bool offerReader = true, bool offerWriter = true) {
    CloseSheet();
    site.Offer(offerReader, offerWriter);
    SetCurrentControl(&control);
    sheet = std::make_unique<CSheet>("HD7_3", nullptr, 0);
    driver = std::make_unique<fw::headless::SheetDriver>(*sheet, platform);
    driver->Open();
  }
  void CloseSheet() {
    driver.reset();
    sheet.reset();
  }

  // Brings `page` into view, switching the page set on the Node Information page if needed.
  void Show(fw::CPropertyPage& page) {
    for (int set : {kIdShowSet2, kIdShowSet1}) {
      if (sheet->GetPageIndex(&page) >= 0) break;
      driver->SelectTab(0);
      driver->Click(set);
    }
    const int index = sheet->GetPageIndex(&page);
    if (index < 0) throw std::logic_error("page is in neither page set");
    driver->SelectTab(index);
  }

  // Calls made after `from` in the node's log.
  std::vector<sim::HostCall> CallsSince(size_t from) const {
    const auto& log = node.Log();
    return {log.begin() + static_cast<std::ptrdiff_t>(std::min(from, log.size())), log.end()};
  }

  fw::headless::HeadlessPlatform platform;  // first: the node's clock reads its ticks
  sim::SimulatedNode node;
  sim::SimClientSite site{node};
  FixedControlSite control{&site};
  std::unique_ptr<CSheet> sheet;
  std::unique_ptr<fw::headless::SheetDriver> driver;
};

// A PC clock that moves on by one second at every reading, from one second before midnight on
// New Year's Eve; installed as the platform while it lives.
struct SteppingClock : fw::headless::HeadlessPlatform {
  fw::LocalTime Now() override { return fw::AddSeconds({2026, 12, 31, 23, 59, 59}, readings++); }
  int readings = 0;
};

// Host calls written compactly for exact-traffic comparisons: "R45", "W45:0001", "N", "R45!"
// for a failed call, with the virtual time when asked: "R45@400".
inline std::vector<std::string> Traffic(const std::vector<sim::HostCall>& calls,
                                        bool withTime = false, bool withBytes = true) {
  std::vector<std::string> out;
  for (const sim::HostCall& c : calls) {
    using Kind = sim::HostCall::Kind;
    std::string s = c.kind == Kind::kGetNodeName ? "N"
                    : c.kind == Kind::kRead      ? "R" + std::to_string(c.index)
                                                 : "W" + std::to_string(c.index);
    if (c.kind == Kind::kWrite && withBytes) {
      s += ":";
      for (uint8_t b : c.bytes) s += {"0123456789ABCDEF"[b >> 4], "0123456789ABCDEF"[b & 15]};
    }
    if (c.status != 0) s += "!";
    if (withTime) s += "@" + std::to_string(c.atMs);
    out.push_back(s);
  }
  return out;
}

// The calls `action` makes, in Traffic() notation; with kTimed, times count from its start,
// with kNoBytes, writes leave out their bytes.
constexpr int kTimed = 1, kNoBytes = 2;
inline std::vector<std::string> During(NodeFixture& f, int how,
                                       const std::function<void()>& action) {
  const size_t from = f.node.Log().size();
  const uint64_t t0 = f.platform.TickCount();
  action();
  std::vector<sim::HostCall> calls = f.CallsSince(from);
  for (sim::HostCall& c : calls) c.atMs -= t0;
  return Traffic(calls, (how & kTimed) != 0, (how & kNoBytes) == 0);
}

// A test's one page of the sheet, picked by its place in the sheet's member order.
struct OnePage {
  void Open(int pageIndex) {
    f.OpenSheet();
    page = f.sheet->AllPages()[static_cast<size_t>(pageIndex)];
  }
  std::vector<std::string> Show() {
    return During(f, kTimed, [&] { f.Show(*page); });
  }
  std::string Text(int id) const { return f.driver->Text(id); }

  NodeFixture f;
  fw::CPropertyPage* page = nullptr;
};

// The words of `text`: "R45@0 W45@200" gives {"R45@0", "W45@200"}.
inline std::vector<std::string> Split(const std::string& text) {
  std::istringstream in(text);
  return std::vector<std::string>(std::istream_iterator<std::string>(in), {});
}

}  // namespace testing_support
