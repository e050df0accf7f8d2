#include "pages/node/node_info_page.h"

#include <algorithm>
#include <string>

#include "framework/property_sheet.h"
#include "nvdata/config_part.h"
#include "nvdata/nv_codec.h"
#include "resources/dialogs.h"
#include "resources/strings.h"

namespace {
constexpr int32_t kNameCapacity = 32;
}

CHD7_3PropPage::CHD7_3PropPage() : CPropertyPage(NodeInformationDialog(), 200, ResString(200)) {
  OnClicked(kIdShowSet1, [this] { OnShowSet1(); });
  OnClicked(kIdShowSet2, [this] { OnShowSet2(); });
}

bool CHD7_3PropPage::OnInitDialog() {
  const NodeIo node = NodeOf(*this);

  uint8_t name[kNameCapacity] = {};
  if (node.GetNodeName(name, kNameCapacity) == 0) {
    const uint8_t* end = std::find(name, name + kNameCapacity, uint8_t{0});
    SetItemText(kIdNodeName, std::string(reinterpret_cast<const char*>(name), end - name));
  }

  // Part 1's value 15 says whether the node has circuit pages: without it "BL2" has nothing
  // to show. A part that could not be selected is not read: the node would show another one.
  PartExchange parts(node);
  uint8_t record[kNameCapacity] = {};
  if (parts.Read(1, record, kNameCapacity) == 0 &&
      CNvCodec::MakeWord(record[29], record[30]) == 0) {
    EnableItem(kIdShowSet2, false);
  }
  parts.Select(0);
  return false;
}

void CHD7_3PropPage::OnShowSet1() {
  EnableItem(kIdShowSet1, false);
  EnableItem(kIdShowSet2, true);
  if (auto* sheet = dynamic_cast<IPageSets*>(GetParentSheet())) sheet->ShowPageSet(1);
}

void CHD7_3PropPage::OnShowSet2() {
  EnableItem(kIdShowSet1, true);
  EnableItem(kIdShowSet2, false);
  if (auto* sheet = dynamic_cast<IPageSets*>(GetParentSheet())) sheet->ShowPageSet(2);
}
