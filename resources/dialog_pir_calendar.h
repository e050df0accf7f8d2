// 206 and 207: Calender Pir, one per circuit, identical. One row per day, Monday at the top and
// Sunday at the bottom, each with its start and stop time under "Calender pir"; below it the
// circuit's occupancy in "Pir status" and the buttons.
#pragma once

#include "framework/dialog_template.h"

namespace pir_calendar_dialog {
constexpr int kIdReset = 260;
constexpr int kIdOccupancy = 400;

// The time fields of the seven day words of the part (words 1, 3, ..., 13), Sunday first.
// Monday is the one day whose start field has the higher id.
struct DayFields {
  int start;
  int stop;
};
constexpr int kDayCount = 7;
constexpr DayFields kDayFields[kDayCount] = {
    {392, 393},  // Sunday, word 1
    {381, 380},  // Monday, word 3
    {382, 383},  // Tuesday, word 5
    {384, 385},  // Wednesday, word 7
    {386, 387},  // Thursday, word 9
    {388, 389},  // Friday, word 11
    {390, 391},  // Saturday, word 13
};
}  // namespace pir_calendar_dialog

// 206 or 207.
const fw::DialogTemplate& PirCalendarDialog(int templateId);
