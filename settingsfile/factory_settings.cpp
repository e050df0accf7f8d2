#include "settingsfile/factory_settings.h"

#include "framework/platform.h"
#include "nvdata/config_part.h"
#include "settingsfile/nv_set.h"
#include "settingsfile/progress.h"
#include "settingsfile/value_lines.h"

namespace {

const std::array<std::string_view, 6> kSingleLines = {
    "2, 64336, 2000, 0, 0, 0, 7000, 3500, 0, 0, 0, 500, 3300, 500, 7000, 5500",
    "2, 1500, 2300, 0, 0, 0, 1900, 1400, 0, 0, 0, 500, 3300, 500, 1500, 1800",
    "255",
    "255",
    "4, 0, 0, 0",
    "4, 0, 0, 0",
};

const std::array<std::string_view, 12> kPartLines = {
    "0, 27, 0, 18, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2",
    "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 400, 800, 0, 0, 2000, 0",
    "0, 2000, 5, 0, 0, 1500, 5, 0, 0, 0, 0, 65336, 3000, 200, 0, 0",
    "0, 1500, 0, 2800, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0",
    "0, 1800, 300, , , 1800, 300, , , 0, 0, 0, 0, 0, 0, 0",
    "0, 0, 10000, 0, 2000, 2000, 50, 0, 50, , 0, 0, 0, 0, 0, 0",
    "0, 168, 168, 0, 0, 168, 168, 0, 0, 0, 0, 0, 0, 0, 0, 0",
    "0, 100, 60, 5, 0, 0, 0, 100, 60, 5, 0, 0, 0, 0, 0, 0",
    "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0",
    "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0",
    "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0",
    "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0",
};

}  // namespace

const std::array<std::string_view, 6>& FactorySingleLines() {
  return kSingleLines;
}

const std::array<std::string_view, 12>& FactoryPartLines() {
  return kPartLines;
}

int WriteFactorySettings(const NodeIo& node) {
  int errors = 0;
  auto count = [&errors](const WriteResult& result) {
    if (!result.Ok()) ++errors;
    return result.Ok();
  };

  for (size_t i = 0; i < kSingleLines.size(); ++i) {
    ReportProgress(SingleNvs()[i].name, "writing");
    count(WriteSingleNv(node, SingleNvs()[i], kSingleLines[i]));
    fw::Platform::Sleep(kFactoryWritePauseMs);
  }

  for (int part = 1; part <= kPartCount; ++part) {
    ReportPartProgress(part, "selecting");
    if (GetConfigPart(node) != part) {
      fw::Platform::Sleep(kFactorySelectPauseMs);
      // A part that could not be selected is not written: it would land in another part.
      if (!count(SelectConfigPart(node, part))) continue;
      fw::Platform::Sleep(kFactoryWritePauseMs);
    }
    const StrIntRecord record = ParseStrIntRecord(kPartLines[static_cast<size_t>(part - 1)]);
    ReportPartProgress(part, "writing");
    count(node.Write(kIndexPluginCnf, record.data(), kStrIntBytes));
  }
  count(SelectConfigPart(node, 0));
  return errors;
}
