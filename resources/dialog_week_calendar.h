// 204 and 205: Calender Start / Stop, one per circuit, identical. A grid of start and stop
// times, Monday at the top and Sunday at the bottom, then the holiday row; the columns are
// start and stop of "Calender 1", then of "Calender 2". Beside it the calendar state and the
// node's clock (the Set Time page's ids 333 and 334).
#pragma once

#include "framework/dialog_template.h"
#include "resources/dialog_set_time.h"

namespace week_calendar_dialog {
constexpr int kIdDefault = 259;
constexpr int kIdReset = 260;
constexpr int kIdCalendarState = 326;
using set_time_dialog::kIdNodeDate;
using set_time_dialog::kIdNodeTime;

// The time fields of the calendar part's fifteen words, word 1 first: Sunday to Saturday with
// Calender 1 before Calender 2, then the holiday period.
struct WordFields {
  int start;
  int stop;
};
constexpr int kWordCount = 15;
constexpr int kHolidayWord = 15;
constexpr WordFields kWordFields[kWordCount] = {
    {240, 241}, {242, 243},  // Sunday
    {208, 209}, {218, 219},  // Monday
    {220, 221}, {222, 223},  // Tuesday
    {224, 225}, {226, 227},  // Wednesday
    {228, 229}, {230, 231},  // Thursday
    {232, 233}, {234, 235},  // Friday
    {236, 237}, {238, 239},  // Saturday
    {244, 245},              // Holiday
};
}  // namespace week_calendar_dialog

// 204 or 205.
const fw::DialogTemplate& WeekCalendarDialog(int templateId);
