#include "control/sheet.h"

#include <algorithm>
#include <utility>

#include "control/current_control.h"
#include "nvdata/config_part.h"
#include "nvdata/nv_codec.h"

namespace {
constexpr int32_t kHandshakeCapacity = 50;

// The page sets by page number (CPage<n>PropPage), in tab order.
constexpr std::array<int, 15> kSet1 = {4, 5, 7, 9, 25, 11, 13, 15, 17, 19, 21, 23, 27, 29, 30};
constexpr std::array<int, 15> kSet2 = {4, 6, 8, 10, 26, 12, 14, 16, 20, 22, 31, 24, 28, 29, 30};

// Circuit 1's pages from 5 to 27 have circuit 2's twin next to them; the others are their own.
int TwinOf(int page) {
  if (page < 5 || page > 28) return page;
  return page % 2 == 1 ? page + 1 : page - 1;
}

}  // namespace

SheetPages::PageSet SheetPages::Set(int set) {
  const std::array<int, 15>& numbers = set == 1 ? kSet1 : kSet2;
  const auto all = All();
  PageSet pages;
  for (size_t i = 0; i < pages.size(); ++i) pages[i] = all[static_cast<size_t>(numbers[i] - 1)];
  return pages;
}

std::array<fw::CPropertyPage*, 36> SheetPages::All() {
  return {&page1_,  &page2_,  &page3_,  &page4_,  &page5_,  &page6_,  &page7_,  &page8_,  &page9_,
          &page10_, &page11_, &page12_, &page13_, &page14_, &page15_, &page16_, &page17_, &page18_,
          &page19_, &page20_, &page21_, &page22_, &page23_, &page24_, &page25_, &page26_, &page27_,
          &page28_, &page29_, &page30_, &page31_, &page32_, &page33_, &page34_, &page35_, &page36_};
}

std::vector<SheetTab> SheetPages::Tabs() {
  const auto all = All();
  const auto page = [&all](int number) { return all[static_cast<size_t>(number - 1)]; };
  std::vector<SheetTab> tabs = {{&page1_, &page1_}, {&page2_, &page2_}};
  size_t next2 = 0;  // set 2's first tab not yet taken
  for (int number : kSet1) {
    const auto twin =
        std::find(kSet2.begin() + static_cast<std::ptrdiff_t>(next2), kSet2.end(), TwinOf(number));
    if (twin == kSet2.end()) {
      tabs.push_back({page(number), nullptr});
      continue;
    }
    const size_t at = static_cast<size_t>(twin - kSet2.begin());
    for (; next2 < at; ++next2) tabs.push_back({nullptr, page(kSet2[next2])});
    tabs.push_back({page(number), page(*twin)});
    next2 = at + 1;
  }
  for (; next2 < kSet2.size(); ++next2) tabs.push_back({nullptr, page(kSet2[next2])});
  return tabs;
}

CSheet::CSheet(std::string caption, void* parent, int firstPage)
    : CPropertySheet(std::move(caption), parent, firstPage) {
  Connect();
  trace_ = NodeTrace::Start(*this, reader_.Get(), writer_.Get());
  AddPage(&pages_.page1_);
  AddPage(&pages_.page2_);
  StartUpHandshake();
}

CSheet::~CSheet() {
  trace_.reset();
  // Each interface obtained is released exactly once; the client site was only borrowed.
  reader_.Reset();
  writer_.Reset();
}

void CSheet::Connect() {
  IControlSite* control = CurrentControl();
  IUnknown* clientSite = control != nullptr ? control->ClientSite() : nullptr;
  if (clientSite == nullptr) return;
  reader_ = ComPtr<INodeAccess2>::Query(clientSite, IID_INodeAccess2);
  writer_ = ComPtr<INodeAccess>::Query(clientSite, IID_INodeAccess);
}

// Part 1's value 15 (bytes 29 and 30) is not 0 when the node has circuit pages. The exchange is
// made without pauses, and the selector is left on 0 whatever happened.
void CSheet::StartUpHandshake() {
  const NodeIo node(this);
  uint8_t selector[kRecordSize] = {};
  const int part = node.Read(kIndexPartSelector, selector, kRecordSize) == 0
                       ? CNvCodec::MakeWord(selector[0], selector[1])
                       : 0;
  // A part that could not be selected is not read: the node would still show another one.
  const bool selected = part == 1 || SelectConfigPartNoPause(node, 1).Ok();
  if (selected) {
    uint8_t record[kHandshakeCapacity] = {};
    if (node.Read(kIndexPluginCnf, record, kHandshakeCapacity) == 0 &&
        CNvCodec::MakeWord(record[29], record[30]) != 0) {
      for (fw::CPropertyPage* page : pages_.Set(1)) AddPage(page);
    }
  }
  SelectConfigPartNoPause(node, 0);
}

bool CSheet::OnInitDialog() {
  CPropertySheet::OnInitDialog();
  SetButtonText(fw::kIdSheetOk, "Exit");
  ShowButton(fw::kIdSheetApply, false);
  ShowButton(fw::kIdSheetCancel, false);
  if (!reader_ && !writer_) {
    fw::MessageBoxRequest request;
    request.text = "Node not available!";
    request.caption = std::string("Plugin");
    request.flags = fw::kMbOk | fw::kMbIconExclamation;
    fw::Platform::Get().ShowMessageBox(request);
  }
  return true;
}

void CSheet::ShowPageSet(int set) {
  for (fw::CPropertyPage* page : pages_.Set(set == 1 ? 2 : 1)) RemovePage(page);
  for (fw::CPropertyPage* page : pages_.Set(set == 1 ? 1 : 2)) AddPage(page);
}

std::string CSheet::TabInView() const {
  // While the sheet's window is being made, its first page already shows and reads the node.
  const fw::CPropertyPage* page = Window() != nullptr ? GetActivePage() : GetPage(FirstPage());
  if (page == nullptr || !page->HasWindow()) return "-";
  if (page == &pages_.page1_ || page == &pages_.page2_) return page->Caption();
  // The circuit pages of both sets share their captions: the set tells them apart.
  return page->Caption() + (GetPageIndex(&pages_.page6_) >= 0 ? ", BL2" : ", BL1");
}

HRESULT RunPropertiesSheet(IControlSite* control) {
  SetCurrentControl(control);
  {
    CSheet sheet("HD7_3", nullptr, 0);
    sheet.DoModal();
  }
  return S_OK;
}
