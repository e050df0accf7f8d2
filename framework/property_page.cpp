#include "framework/property_page.h"

#include <utility>

namespace fw {

CPropertyPage::CPropertyPage(const DialogTemplate& dialog, int captionId, std::string caption)
    : dialog_(dialog), captionId_(captionId), caption_(std::move(caption)) {}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::OnCommand(int id) {
  auto it = clicked_.find(id);
  if (it != clicked_.end()) it->second();
}

void CPropertyPage::OnEditChange(int id) {
  auto it = changed_.find(id);
  if (it != changed_.end()) it->second();
}

void CPropertyPage::OnClicked(int id, std::function<void()> handler) {
  clicked_[id] = std::move(handler);
}

void CPropertyPage::OnChanged(int id, std::function<void()> handler) {
  changed_[id] = std::move(handler);
}

void CPropertyPage::SetItemText(int id, const std::string& text) {
  if (window_ != nullptr) window_->SetText(id, text);
}

std::string CPropertyPage::GetItemText(int id) const {
  return window_ != nullptr ? window_->GetText(id) : std::string();
}

void CPropertyPage::SetCheck(int id, bool checked) {
  if (window_ != nullptr) window_->SetCheck(id, checked);
}

bool CPropertyPage::IsChecked(int id) const {
  return window_ != nullptr && window_->GetCheck(id);
}

void CPropertyPage::EnableItem(int id, bool enabled) {
  if (window_ != nullptr) window_->Enable(id, enabled);
}

bool CPropertyPage::IsItemEnabled(int id) const {
  return window_ != nullptr && window_->IsEnabled(id);
}

void CPropertyPage::SetDrawing(int id, const Drawing& drawing) {
  if (window_ != nullptr) window_->SetDrawing(id, drawing);
}

Drawing CPropertyPage::GetDrawing(int id) const {
  return window_ != nullptr ? window_->GetDrawing(id) : Drawing{};
}

void CPropertyPage::SetTimer(int timerId, uint32_t periodMs) {
  if (window_ != nullptr) window_->SetTimer(timerId, periodMs);
}

void CPropertyPage::KillTimer(int timerId) {
  if (window_ != nullptr) window_->KillTimer(timerId);
}

int CPropertyPage::ShowMessage(const std::string& text, std::optional<std::string> caption,
                               unsigned flags) {
  return Platform::Get().ShowMessageBox({MessageKind::kPage, text, std::move(caption), flags});
}

int CPropertyPage::ShowModuleMessage(const std::string& text, unsigned flags) {
  return Platform::Get().ShowMessageBox({MessageKind::kModule, text, kModuleTitle, flags});
}

ScopedCaption::ScopedCaption(CPropertyPage& page, int id, const std::string& during,
                             std::string after)
    : page_(page), id_(id), after_(std::move(after)) {
  page_.SetItemText(id_, during);
}

ScopedCaption::~ScopedCaption() {
  page_.SetItemText(id_, after_);
}

}  // namespace fw
