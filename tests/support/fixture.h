// One line gives a test the virtual platform, the simulated node, the client site, a sheet and
// a driver to work it: `NodeFixture f; f.OpenSheet(); f.Show(f.sheet->...)`.
#pragma once

#include <memory>
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
  NodeFixture();
  ~NodeFixture();

  // Builds the sheet as the Properties verb does and opens it; the node's log starts empty.
  void OpenSheet(bool offerReader = true, bool offerWriter = true);
  void CloseSheet();

  // Brings `page` into view, switching the page set on the Node Information page if needed.
  void Show(fw::CPropertyPage& page);

  // Calls made after `from` in the node's log.
  std::vector<sim::HostCall> CallsSince(size_t from) const;

  fw::headless::HeadlessPlatform platform;  // first: the node's clock reads its ticks
  sim::SimulatedNode node;
  sim::SimClientSite site{node};
  FixedControlSite control{&site};
  std::unique_ptr<CSheet> sheet;
  std::unique_ptr<fw::headless::SheetDriver> driver;
};

// Host calls written compactly for exact-traffic comparisons: "R45", "W45:0001", "N", with the
// virtual time when asked: "R45@400".
std::vector<std::string> Traffic(const std::vector<sim::HostCall>& calls, bool withTime = false,
                                 bool withBytes = true);

}  // namespace testing_support
