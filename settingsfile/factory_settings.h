// The factory settings: the value lines the "Default settings" button writes, and the writes.
#pragma once

#include <array>
#include <string_view>

#include "nvdata/node_io.h"

constexpr uint32_t kFactoryWritePauseMs = 250;
constexpr uint32_t kFactorySelectPauseMs = 2000;

// The value lines of the six single NVs (in file order) and of parts 1 to 12.
const std::array<std::string_view, 6>& FactorySingleLines();
const std::array<std::string_view, 12>& FactoryPartLines();

// Writes the factory settings and leaves the part selector on 0. Returns the number of writes
// the node refused or that could not be made (no writing interface), selector writes included.
// A part whose selection failed is not written.
int WriteFactorySettings(const NodeIo& node);
