// 230 and 231: Night lowering with the summer stop (circuit 1) or the winter stop (circuit 2).
// The check boxes carry no text: the label to their left names them. The two templates differ
// in the season stop's check box id, group and label.
#pragma once

#include <string>

#include "framework/dialog_template.h"

namespace night_lowering_dialog {
constexpr int kIdNightLowering = 268;
constexpr int kIdRoomStartStop = 269;
constexpr int kIdRoomSetpoint = 270;
constexpr int kIdRoomActual = 271;
constexpr int kIdSummerStop = 272;  // circuit 1
constexpr int kIdWinterStop = 201;  // circuit 2
constexpr int kIdSeasonTemp = 273;
constexpr int kIdPumpStopTime = 274;
}  // namespace night_lowering_dialog

// The template `templateId` whose season stop is check box `seasonCheckId`, in the group
// `seasonName` ("Summer stop") with the temperature labelled `seasonTempLabel`; made once per id.
const fw::DialogTemplate& NightLoweringDialog(int templateId, int seasonCheckId,
                                              const std::string& seasonName,
                                              const std::string& seasonTempLabel);
