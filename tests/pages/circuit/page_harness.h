// A sheet with one circuit page in view (by its index among the sheet's 36), the host calls of
// an action timed from its start ("R45@0", "W45@200", "R38!@0"), the node's bytes of a page.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/dialogs.h"
#include "tests/support/fixture.h"

namespace circuit_test {

using Calls = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;
using Texts = std::vector<std::string>;

using testing_support::Split;

// A configuration part (behind host index 46) or a direct NV.
struct Where {
  int32_t index;
  int part;
};
inline constexpr auto Part = [](int part) { return Where{46, part}; };
inline constexpr auto Nv = [](int32_t index) { return Where{index, 0}; };

// Every bit flipped: bytes that differ from `bytes` everywhere.
inline Bytes Inverted(Bytes bytes) {
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(~b);
  return bytes;
}

class PageHarness {
 public:
  // A page in neither page set is added to the sheet. The log starts empty after it.
  void Open(int pageIndex, bool show = true) {
    pageIndex_ = pageIndex;
    f.OpenSheet();
    page = f.sheet->AllPages()[static_cast<size_t>(pageIndex)];
    if (f.sheet->GetPageIndex(page) < 0) f.driver->Click(kIdShowSet2);
    if (f.sheet->GetPageIndex(page) < 0) f.sheet->AddPage(page);
    if (show) Show();
    f.node.ClearLog();
  }
  void Hide() { f.driver->SelectTab(0); }

  Calls Timed(const std::function<void()>& action) {
    return testing_support::During(f, testing_support::kTimed | testing_support::kNoBytes, action);
  }
  Calls Show() {
    return Timed([&] { f.Show(*page); });
  }
  Calls Tick(uint64_t ms = 2000) {
    return Timed([&] { f.platform.RunFor(ms); });
  }
  Calls Click(int id) {
    return Timed([&] { f.driver->Click(id); });
  }
  // "Write"; on the PID pages with the service password typed first.
  Calls Write() {
    if (pageIndex_ == 26 || pageIndex_ == 27) f.driver->Type(226, "Kobalt");
    return Click(210);
  }

  void Type(int id, const std::string& text) { f.driver->Type(id, text); }
  std::string Text(int id) const { return f.driver->Text(id); }
  // "x" or "-" for each of `ids`: checked, or enabled.
  std::string Checked(const std::vector<int>& ids) const { return Marks(ids, true); }
  std::string Enabled(const std::vector<int>& ids) const { return Marks(ids, false); }
  // The message boxes shown since the last call, each with an OK button only.
  Texts Messages() {
    Texts texts;
    for (const auto& m : f.platform.Messages()) {
      texts.push_back(m.request.text);
      EXPECT_EQ(m.request.flags, fw::kMbOk) << m.request.text;
    }
    f.platform.ClearMessages();
    return texts;
  }

  Bytes Get(Where at) const { return at.part > 0 ? f.node.Part(at.part) : f.node.Bytes(at.index); }
  void Set(Where at, const Bytes& bytes) {
    at.part > 0 ? f.node.SetPart(at.part, bytes) : f.node.SetBytes(at.index, bytes);
  }
  static Bytes With(Bytes record, int byte, const Bytes& bytes) {
    std::copy(bytes.begin(), bytes.end(), record.begin() + byte);
    return record;
  }
  void Put(Where at, int byte, const Bytes& bytes) { Set(at, With(Get(at), byte, bytes)); }

  testing_support::NodeFixture f;
  fw::CPropertyPage* page = nullptr;

 private:
  std::string Marks(const std::vector<int>& ids, bool checked) const {
    std::string s;
    for (int id : ids) s += (checked ? f.driver->Checked(id) : f.driver->Enabled(id)) ? "x" : "-";
    return s;
  }
  int pageIndex_ = -1;
};

}  // namespace circuit_test
