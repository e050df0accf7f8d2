#include "resources/dialog_antifrost.h"

#include "resources/dialog_rows.h"

using fw::ControlKind;
using fw::kStaticId;
using namespace antifrost_dialog;

namespace {
constexpr const char* kDegrees = "\u00B0C";
}  // namespace

const fw::DialogTemplate& AntifrostDialog(int templateId, const std::string& returnLabel) {
  return fw::TemplateOnce(templateId, [&] {
    std::vector<fw::ControlDef> c = {
        {kStaticId, ControlKind::kGroupBox, "Antifrost", 7, 7, 236, 116},
        {kIdEnabled, ControlKind::kCheckBox, "Antifrost                     ", 16, 20, 106, 10,
         fw::kTextLeft},
    };
    const DialogRows rows(c, {16, 90, 112, 44, 160, 12});
    rows.Row("Outdoor temp start", kIdStart, 36, kDegrees);
    rows.Row("Outdoor temp stop", kIdStop, 54, kDegrees);
    rows.TwoLineRow(returnLabel, 16, kIdReturn, 72, kDegrees);
    rows.Row("Actual outdoor temp", kIdActualOutdoor, 90, kDegrees, fw::kReadOnly);
    rows.Row("Status", kIdStatus, 106, "", fw::kReadOnly | fw::kCentred);
    AddReadWrite(c, 129);
    return c;
  });
}
