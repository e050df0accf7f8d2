#include "framework/property_sheet.h"

#include <algorithm>
#include <utility>

namespace fw {

CPropertySheet::CPropertySheet(std::string caption, void* /*parent*/, int firstPage)
    : caption_(std::move(caption)), firstPage_(firstPage) {
  buttons_[kIdSheetOk] = {"OK", true};
  buttons_[kIdSheetCancel] = {"Cancel", true};
  buttons_[kIdSheetApply] = {"&Apply", true};
}

// The pages may already be gone (a derived sheet owns them as members), so they are not touched.
CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (page == nullptr || GetPageIndex(page) >= 0) return;
  pages_.push_back(page);
  page->SetParentSheet(this);
  if (window_ != nullptr) window_->InsertPage(static_cast<int>(pages_.size()) - 1, *page);
}

void CPropertySheet::RemovePage(CPropertyPage* page) {
  const int index = GetPageIndex(page);
  if (index < 0) return;
  if (window_ != nullptr) window_->RemovePage(index, *page);
  pages_.erase(pages_.begin() + index);
  page->SetParentSheet(nullptr);
  if (window_ == nullptr && activeWithoutWindow_ >= GetPageCount()) {
    activeWithoutWindow_ = std::max(0, GetPageCount() - 1);
  }
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  if (index < 0 || index >= GetPageCount()) return nullptr;
  return pages_[static_cast<size_t>(index)];
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const {
  return GetPage(window_ != nullptr ? window_->ActiveIndex() : activeWithoutWindow_);
}

bool CPropertySheet::SetActivePage(int index) {
  if (index < 0 || index >= GetPageCount()) return false;
  if (window_ != nullptr) {
    window_->SetActivePage(index);
  } else {
    activeWithoutWindow_ = index;
  }
  return true;
}

void CPropertySheet::SetButtonText(int id, const std::string& text) {
  buttons_[id].text = text;
  if (window_ != nullptr) window_->SetButtonText(id, text);
}

void CPropertySheet::ShowButton(int id, bool visible) {
  buttons_[id].visible = visible;
  if (window_ != nullptr) window_->ShowButton(id, visible);
}

std::string CPropertySheet::ButtonText(int id) const {
  auto it = buttons_.find(id);
  return it == buttons_.end() ? std::string() : it->second.text;
}

bool CPropertySheet::IsButtonVisible(int id) const {
  auto it = buttons_.find(id);
  return it != buttons_.end() && it->second.visible;
}

int CPropertySheet::DoModal() {
  return Platform::Get().RunModal(*this);
}

}  // namespace fw
