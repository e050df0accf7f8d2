#include "tests/support/random_write.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

#include "nvdata/config_part.h"
#include "nvdata/nv_page.h"

namespace testing_support {
namespace {

constexpr int32_t kLastIndex = kIndexPluginCnf;
constexpr double kReadFailureRate = 0.08;           // per host index and trial
constexpr double kSelectorWriteFailureRate = 0.05;  // per trial

bool Chance(std::mt19937& rng, double p) {
  return std::uniform_real_distribution<double>(0.0, 1.0)(rng) < p;
}

int Uniform(std::mt19937& rng, int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(rng);
}

std::vector<uint8_t> RandomBytes(std::mt19937& rng, size_t n) {
  std::vector<uint8_t> bytes(n);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(Uniform(rng, 0, 255));
  return bytes;
}

void RandomizeNode(sim::SimulatedNode& node, std::mt19937& rng) {
  for (int32_t index = 0; index < kLastIndex; ++index) {
    const int32_t size = sim::SimulatedNode::SizeOf(index);
    if (size > 0 && index != kIndexPartSelector) {
      node.SetBytes(index, RandomBytes(rng, static_cast<size_t>(size)));
    }
  }
  for (int part = 1; part <= kPartCount; ++part) node.SetPart(part, RandomBytes(rng, kRecordSize));
  // Mostly a real part, sometimes none, sometimes a word the node has no part for.
  const int pick = Uniform(rng, 0, 19);
  node.SetSelectedPart(pick < 14   ? Uniform(rng, 1, kPartCount)
                       : pick < 17 ? 0
                                   : Uniform(rng, 13, 0xFFFF));
}

std::string Key(int32_t index, int part) {
  return index == kIndexPluginCnf ? "part" + std::to_string(part) : "nv" + std::to_string(index);
}

// The bits of each byte the page owns.
using Owned = std::map<std::string, std::map<int, uint8_t>>;

void CheckBytes(const std::map<std::string, std::vector<uint8_t>>& before,
                const std::map<std::string, std::vector<uint8_t>>& after, Owned& owned) {
  for (const auto& [key, was] : before) {
    if (key == Key(kIndexPartSelector, 0)) continue;  // node state every page moves
    const std::vector<uint8_t>& now = after.at(key);
    for (size_t i = 0; i < was.size(); ++i) {
      const uint8_t mask = owned.count(key) != 0 ? owned[key][static_cast<int>(i)] : 0;
      EXPECT_EQ((was[i] ^ now[i]) & ~mask, 0)
          << key << " byte " << i << " is not the page's: " << int{was[i]} << " became "
          << int{now[i]};
    }
  }
}

void CheckCalls(const std::vector<sim::HostCall>& calls, const Owned& owned) {
  for (auto w = calls.begin(); w != calls.end(); ++w) {
    if (w->kind != sim::HostCall::Kind::kWrite || w->index == kIndexPartSelector) continue;
    const std::string key = Key(w->index, w->part);
    EXPECT_TRUE(owned.count(key) != 0) << "wrote " << key << ", which the page does not own";
    // The last read of the same NV before the write must have succeeded (for a part: with the
    // same part selected).
    const auto read = std::find_if(std::make_reverse_iterator(w), calls.rend(), [&](auto& c) {
      return c.kind == sim::HostCall::Kind::kRead && c.index == w->index;
    });
    ASSERT_NE(read, calls.rend()) << "wrote " << key << " without reading it";
    EXPECT_EQ(read->status, 0) << "wrote " << key << " after its read failed";
    EXPECT_EQ(read->part, w->part) << "wrote " << key << " after reading another part";
  }
}

}  // namespace

std::string RandomFieldText(std::mt19937& rng) {
  static const std::vector<std::string> kSpecial = [] {
    std::vector<std::string> words;
    std::istringstream in(
        "|nan|inf|-0|0x1F|1e5|.5|-.5|+7|1e308|-1e400|99999999999999999999|1,5|\t3| 42|  7:30|x:10|"
        "0.0000001|-2147483649");
    for (std::string w; std::getline(in, w, '|');) words.push_back(w);
    return words;
  }();
  char text[32];
  switch (Uniform(rng, 0, 6)) {
    case 0:
      return kSpecial[static_cast<size_t>(Uniform(rng, 0, static_cast<int>(kSpecial.size()) - 1))];
    case 1:
      return std::to_string(Uniform(rng, -100000, 100000));
    case 2:
      std::snprintf(text, sizeof text, "%.3f",
                    std::uniform_real_distribution<double>(-1000.0, 1000.0)(rng));
      return text;
    case 3: {
      std::string junk(static_cast<size_t>(Uniform(rng, 1, 12)), ' ');
      for (char& c : junk) c = static_cast<char>(Uniform(rng, 32, 126));
      return junk;
    }
    case 4:
      return std::string(static_cast<size_t>(Uniform(rng, 300, 5000)),
                         Uniform(rng, 0, 1) ? '9' : 'x');
    case 5:
      std::snprintf(text, sizeof text, "%d:%02d", Uniform(rng, 0, 30), Uniform(rng, 0, 70));
      return text;
    default:
      return std::to_string(Uniform(rng, 0, 300));
  }
}

RandomWriteStats RunRandomWrites(NodeFixture& f, fw::CPropertyPage& page,
                                 const std::vector<PageBytes>& owned, const FieldFiller& fill,
                                 const RandomWriteOptions& options) {
  Owned ownership;
  std::vector<int> ownParts;
  for (const PageBytes& b : owned) {
    for (int i = b.first; i < b.first + b.count; ++i) ownership[Key(b.index, b.part)][i] |= b.mask;
    if (b.index == kIndexPluginCnf) ownParts.push_back(b.part);
  }

  RandomWriteStats stats;
  std::mt19937 rng(options.seed);
  f.Show(page);
  for (int trial = 0; trial < options.trials && !::testing::Test::HasFailure(); ++trial) {
    SCOPED_TRACE("random write trial " + std::to_string(trial));
    RandomizeNode(f.node, rng);
    fill(rng, page);
    for (int32_t index = 0; index <= kLastIndex; ++index) {
      if (Chance(rng, kReadFailureRate)) f.node.FailReads(index);
    }
    if (Chance(rng, kSelectorWriteFailureRate)) f.node.FailWrites(kIndexPartSelector);

    const auto before = f.node.Snapshot();
    const int selectorBefore = f.node.SelectedPart();
    const size_t from = f.node.Log().size();
    const int button = options.button != 0 ? options.button : kIdWrite;
    EXPECT_TRUE(f.driver->Click(button)) << "button " << button << " took no click";
    const std::vector<sim::HostCall> calls = f.CallsSince(from);
    for (int32_t index = 0; index <= kLastIndex; ++index) f.node.FailReads(index, false);
    f.node.FailWrites(kIndexPartSelector, false);

    CheckBytes(before, f.node.Snapshot(), ownership);
    const int selectorAfter = f.node.SelectedPart();
    EXPECT_TRUE(selectorAfter == selectorBefore ||
                std::find(ownParts.begin(), ownParts.end(), selectorAfter) != ownParts.end())
        << "the selector moved to part " << selectorAfter;
    CheckCalls(calls, ownership);

    bool wrote = false, failedRead = false;
    for (const sim::HostCall& c : calls) {
      wrote = wrote || (c.kind == sim::HostCall::Kind::kWrite && c.index != kIndexPartSelector);
      failedRead = failedRead || (c.kind == sim::HostCall::Kind::kRead && c.status != 0);
    }
    stats.withWrites += wrote ? 1 : 0;
    stats.withFailedReads += failedRead ? 1 : 0;
    f.platform.ClearMessages();
    f.node.ClearLog();
  }
  return stats;
}

}  // namespace testing_support
