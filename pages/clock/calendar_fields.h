// The calendar pages' times as settings: one field per start and stop time, with keys such as
// "bl1.week1.mon.start" and "bl2.pir.sun.stop", in the order the pages show them (Monday at
// the top, Sunday at the bottom; the week calendars' holiday last).
#pragma once

#include <vector>

#include "nvdata/setting_field.h"
#include "pages/clock/pir_calendar_page.h"
#include "pages/clock/week_calendar_page.h"

// `circuit` is "BL1" or "BL2".
const std::vector<SettingField>& WeekCalendarFields(const WeekCalendarCircuit& calendar,
                                                    std::string_view circuit);
const std::vector<SettingField>& PirCalendarFields(const PirCalendarCircuit& calendar,
                                                   std::string_view circuit);
