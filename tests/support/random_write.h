// The randomized write check every writing page runs: with random node bytes, random read
// failures and random field texts, a click on "Write" (or `RandomWriteOptions::button`) changes
// no byte that is not the page's own, and never writes an NV whose read failed.
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fixture.h"

namespace testing_support {

// Bytes a page owns, `count` of them from `first` on, or their bits in `mask`: of a direct NV,
// or of a configuration part (host index 46 while that part is selected).
struct PageBytes {
  int32_t index;
  int part;  // 1 to 12 for host index 46, else 0
  int first, count;
  uint8_t mask = 0xFF;
};

struct RandomWriteOptions {
  int trials = 1000;
  uint32_t seed = 20260505;
  int button = 0;  // the button each trial clicks; 0 is "Write"
};

struct RandomWriteStats {
  int withWrites = 0;       // the page wrote at least one NV or part
  int withFailedReads = 0;  // at least one of the page's reads failed
};

// Puts random texts and check states into the page's fields.
using FieldFiller = std::function<void(std::mt19937& rng, fw::CPropertyPage& page)>;

// A random field text: whole and decimal numbers of every sign and size, text that is not a
// number, the empty text, blanks, and very long texts.
std::string RandomFieldText(std::mt19937& rng);

// Shows `page`, then runs the trials; stops at the first trial with a failure.
RandomWriteStats RunRandomWrites(NodeFixture& f, fw::CPropertyPage& page,
                                 const std::vector<PageBytes>& owned, const FieldFiller& fill,
                                 const RandomWriteOptions& options = {});

}  // namespace testing_support
