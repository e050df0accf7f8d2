// Every page class of the sheet. Pages whose behaviour lives elsewhere are included from their
// folders; the rest are plain pages with their template and caption.
#pragma once

#include "control/node_info_page.h"
#include "nvdata/plain_page.h"
#include "pages/circuit/analog_valve_page.h"
#include "pages/circuit/antifrost_page.h"
#include "pages/circuit/exercise_valve_page.h"
#include "pages/circuit/extended_operation_page.h"
#include "pages/circuit/heating_curve_page.h"
#include "pages/circuit/night_lowering_page.h"
#include "pages/circuit/pid_page.h"
#include "pages/circuit/pump_page.h"
#include "pages/circuit/status_switch_page.h"
#include "pages/circuit/temperatures_page.h"
#include "pages/clock/pir_calendar_page.h"
#include "pages/clock/set_time_page.h"
#include "pages/clock/week_calendar_page.h"
#include "pages/plant/dewpoint_page.h"
#include "pages/plant/outdoor_page.h"
#include "pages/plant/pressure_page.h"
#include "settingsfile/import_export_page.h"

#define HD7_3_PLAIN_PAGE(name, templateId, captionId)     \
  class name : public CPlainPropertyPage {                \
   public:                                                \
    name() : CPlainPropertyPage(templateId, captionId) {} \
  }

HD7_3_PLAIN_PAGE(CPage3PropPage, 202, 202);
HD7_3_PLAIN_PAGE(CPage32PropPage, 221, 0);
HD7_3_PLAIN_PAGE(CPage33PropPage, 222, 232);
HD7_3_PLAIN_PAGE(CPage34PropPage, 223, 233);
HD7_3_PLAIN_PAGE(CPage35PropPage, 225, 234);
HD7_3_PLAIN_PAGE(CPage36PropPage, 224, 0);

#undef HD7_3_PLAIN_PAGE
