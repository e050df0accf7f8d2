#include "tests/support/fixture.h"

#include <cstdio>
#include <stdexcept>

namespace testing_support {

NodeFixture::NodeFixture() = default;

NodeFixture::~NodeFixture() {
  CloseSheet();
  ForgetCurrentControl(&control);
}

void NodeFixture::OpenSheet(bool offerReader, bool offerWriter) {
  CloseSheet();
  site.Offer(offerReader, offerWriter);
  SetCurrentControl(&control);
  sheet = std::make_unique<CSheet>("HD7_3", nullptr, 0);
  driver = std::make_unique<fw::headless::SheetDriver>(*sheet, platform);
  driver->Open();
}

void NodeFixture::CloseSheet() {
  driver.reset();
  sheet.reset();
}

void NodeFixture::Show(fw::CPropertyPage& page) {
  if (sheet->GetPageIndex(&page) < 0) {
    driver->SelectTab(0);
    driver->Click(kIdShowSet2);
    if (sheet->GetPageIndex(&page) < 0) {
      driver->SelectTab(0);
      driver->Click(kIdShowSet1);
    }
  }
  const int index = sheet->GetPageIndex(&page);
  if (index < 0) throw std::logic_error("page is in neither page set");
  driver->SelectTab(index);
}

std::vector<sim::HostCall> NodeFixture::CallsSince(size_t from) const {
  const auto& log = node.Log();
  if (from >= log.size()) return {};
  return std::vector<sim::HostCall>(log.begin() + static_cast<std::ptrdiff_t>(from), log.end());
}

std::vector<std::string> Traffic(const std::vector<sim::HostCall>& calls, bool withTime,
                                 bool withBytes) {
  std::vector<std::string> out;
  for (const sim::HostCall& c : calls) {
    std::string s;
    switch (c.kind) {
      case sim::HostCall::Kind::kRead:
        s = "R" + std::to_string(c.index);
        break;
      case sim::HostCall::Kind::kWrite:
        s = "W" + std::to_string(c.index);
        if (withBytes) {
          s += ":";
          for (uint8_t b : c.bytes) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02X", b);
            s += hex;
          }
        }
        break;
      case sim::HostCall::Kind::kGetNodeName:
        s = "N";
        break;
    }
    if (c.status != 0) s += "!";
    if (withTime) s += "@" + std::to_string(c.atMs);
    out.push_back(s);
  }
  return out;
}

}  // namespace testing_support
