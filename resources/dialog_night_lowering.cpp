#include "resources/dialog_night_lowering.h"

#include "nvdata/nv_page.h"
#include "resources/dialog_rows.h"

using fw::ControlDef;
using fw::ControlKind;
using fw::kStaticId;
using namespace night_lowering_dialog;

namespace {

constexpr RowColumns kColumns = {16, 110, 130, 40, 174, 20};

// A label and the check box for it, in the field column.
void CheckRow(std::vector<ControlDef>& c, const std::string& label, int id, int y) {
  c.push_back(
      {kStaticId, ControlKind::kStatic, label, kColumns.labelX, y + 2, kColumns.labelWidth, 8});
  c.push_back({id, ControlKind::kCheckBox, "", kColumns.fieldX, y, 12, 10});
}

}  // namespace

const fw::DialogTemplate& NightLoweringDialog(int templateId, int seasonCheckId,
                                              const std::string& seasonName,
                                              const std::string& seasonTempLabel) {
  return fw::TemplateOnce(templateId, [&] {
    std::vector<ControlDef> c;
    const DialogRows rows(c, kColumns);
    c.push_back({kStaticId, ControlKind::kGroupBox, "Night lowering", 7, 4, 236, 68});
    CheckRow(c, "Night lowering", kIdNightLowering, 16);
    CheckRow(c, "Start/stop after room temp", kIdRoomStartStop, 29);
    rows.Row("Setpoint room temp", kIdRoomSetpoint, 42, "°C", fw::kRightAlign);
    rows.Row("Actual room temp", kIdRoomActual, 56, "°C", fw::kReadOnly | fw::kRightAlign);
    c.push_back({kStaticId, ControlKind::kGroupBox, seasonName, 7, 76, 236, 55});
    CheckRow(c, seasonName, seasonCheckId, 88);
    rows.Row(seasonTempLabel, kIdSeasonTemp, 101, "°C", fw::kRightAlign);
    rows.Row("Time before pump stop", kIdPumpStopTime, 114, "sec", fw::kRightAlign);
    AddReadWrite(c, 134);
    return c;
  });
}
