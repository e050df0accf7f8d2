#include "control/sheet.h"

#include <utility>

#include "control/current_control.h"
#include "nvdata/config_part.h"
#include "nvdata/nv_codec.h"

namespace {
constexpr int32_t kHandshakeCapacity = 50;
}

CSheet::CSheet(std::string caption, void* parent, int firstPage)
    : CPropertySheet(std::move(caption), parent, firstPage) {
  Connect();
  trace_ = NodeTrace::Start(*this, reader_.Get(), writer_.Get());
  AddPage(&page1_);
  AddPage(&page2_);
  StartUpHandshake();
}

CSheet::~CSheet() {
  trace_.reset();
  // Each interface obtained is released exactly once; the client site was only borrowed.
  reader_.Reset();
  writer_.Reset();
  clientSite_ = nullptr;
}

void CSheet::Connect() {
  IControlSite* control = CurrentControl();
  clientSite_ = control != nullptr ? control->ClientSite() : nullptr;
  if (clientSite_ == nullptr) return;
  reader_ = ComPtr<INodeAccess2>::Query(clientSite_, IID_INodeAccess2);
  writer_ = ComPtr<INodeAccess>::Query(clientSite_, IID_INodeAccess);
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
      AddPageSet1();
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

CSheet::PageSet CSheet::Set1() {
  return {&page4_,  &page5_,  &page7_,  &page9_,  &page25_, &page11_, &page13_, &page15_,
          &page17_, &page19_, &page21_, &page23_, &page27_, &page29_, &page30_};
}

CSheet::PageSet CSheet::Set2() {
  return {&page4_,  &page6_,  &page8_,  &page10_, &page26_, &page12_, &page14_, &page16_,
          &page20_, &page22_, &page31_, &page24_, &page28_, &page29_, &page30_};
}

void CSheet::AddPageSet1() {
  for (fw::CPropertyPage* page : Set1()) AddPage(page);
}

void CSheet::AddPageSet2() {
  for (fw::CPropertyPage* page : Set2()) AddPage(page);
}

void CSheet::RemovePageSet1() {
  for (fw::CPropertyPage* page : Set1()) RemovePage(page);
}

void CSheet::RemovePageSet2() {
  for (fw::CPropertyPage* page : Set2()) RemovePage(page);
}

std::string CSheet::TabInView() const {
  // While the sheet's window is being made, its first page already shows and reads the node.
  const fw::CPropertyPage* page = Window() != nullptr ? GetActivePage() : GetPage(FirstPage());
  if (page == nullptr || !page->HasWindow()) return "-";
  if (page == &page1_ || page == &page2_) return page->Caption();
  // The circuit pages of both sets share their captions: the set tells them apart.
  return page->Caption() + (GetPageIndex(&page6_) >= 0 ? ", BL2" : ", BL1");
}

std::array<fw::CPropertyPage*, 36> CSheet::AllPages() {
  return {&page1_,  &page2_,  &page3_,  &page4_,  &page5_,  &page6_,  &page7_,  &page8_,  &page9_,
          &page10_, &page11_, &page12_, &page13_, &page14_, &page15_, &page16_, &page17_, &page18_,
          &page19_, &page20_, &page21_, &page22_, &page23_, &page24_, &page25_, &page26_, &page27_,
          &page28_, &page29_, &page30_, &page31_, &page32_, &page33_, &page34_, &page35_, &page36_};
}

HRESULT RunPropertiesSheet(IControlSite* control) {
  SetCurrentControl(control);
  {
    CSheet sheet("HD7_3", nullptr, 0);
    sheet.DoModal();
  }
  return S_OK;
}
