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

// One byte a page owns, or the bits of it in `mask`: of a direct NV, or of a configuration
// part (host index 46 while that part is selected).
struct PageByte {
  int32_t index;
  int part;  // 1 to 12 for host index 46, else 0
  int position;
  uint8_t mask = 0xFF;
  int fixed = -1;  // 0 to 255: every write of the page puts this value here

  static PageByte Nv(int32_t index, int position, uint8_t mask = 0xFF) {
    return {index, 0, position, mask};
  }
  static PageByte Part(int part, int position, uint8_t mask = 0xFF) {
    return {46, part, position, mask};
  }
  static PageByte FixedPartByte(int part, int position, uint8_t value) {
    return {46, part, position, 0xFF, value};
  }
};

// Every byte of a configuration part, 0 to 30.
std::vector<PageByte> WholePart(int part);

struct RandomWriteOptions {
  int trials = 1000;
  uint32_t seed = 20260505;
  int button = 0;  // the button each trial clicks; 0 is "Write"
  // False for a page that writes whole NVs or parts without reading them first.
  bool readsBeforeWrite = true;
  double readFailureRate = 0.08;           // per host index and trial
  double selectorWriteFailureRate = 0.05;  // per trial
  // Page-specific checks of one trial's host calls, made after the common ones.
  std::function<void(const std::vector<sim::HostCall>& calls)> checkCalls;
};

struct RandomWriteStats {
  int withWrites = 0;       // the page wrote at least one NV or part
  int withFailedReads = 0;  // at least one of the page's reads failed
  int withoutWrites = 0;
};

// Puts random texts and check states into the page's fields.
using FieldFiller = std::function<void(std::mt19937& rng, fw::CPropertyPage& page)>;

// A random field text: whole and decimal numbers of every sign and size, text that is not a
// number, the empty text, blanks, and very long texts.
std::string RandomFieldText(std::mt19937& rng);

// Shows `page`, then runs the trials; stops at the first trial with a failure.
RandomWriteStats RunRandomWrites(NodeFixture& f, fw::CPropertyPage& page,
                                 const std::vector<PageByte>& owned, const FieldFiller& fill,
                                 const RandomWriteOptions& options = {});

}  // namespace testing_support
