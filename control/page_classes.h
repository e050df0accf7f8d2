// Every page class of the sheet. Pages whose behaviour lives elsewhere are included from their
// folders; the rest are plain pages with their template and caption.
#pragma once

#include "control/node_info_page.h"
#include "nvdata/plain_page.h"
#include "pages/circuit/extended_operation_page.h"
#include "pages/circuit/pump_page.h"
#include "pages/circuit/status_switch_page.h"
#include "pages/clock/set_time_page.h"
#include "pages/clock/week_calendar_page.h"
#include "settingsfile/import_export_page.h"

#define HD7_3_PLAIN_PAGE(name, templateId, captionId)     \
  class name : public CPlainPropertyPage {                \
   public:                                                \
    name() : CPlainPropertyPage(templateId, captionId) {} \
  }

HD7_3_PLAIN_PAGE(CPage3PropPage, 202, 202);
HD7_3_PLAIN_PAGE(CPage7PropPage, 206, 206);
HD7_3_PLAIN_PAGE(CPage8PropPage, 207, 207);
HD7_3_PLAIN_PAGE(CPage11PropPage, 210, 210);
HD7_3_PLAIN_PAGE(CPage12PropPage, 211, 211);
HD7_3_PLAIN_PAGE(CPage17PropPage, 216, 216);
HD7_3_PLAIN_PAGE(CPage18PropPage, 226, 217);
HD7_3_PLAIN_PAGE(CPage19PropPage, 217, 218);
HD7_3_PLAIN_PAGE(CPage20PropPage, 227, 219);
HD7_3_PLAIN_PAGE(CPage21PropPage, 228, 220);
HD7_3_PLAIN_PAGE(CPage22PropPage, 229, 221);
HD7_3_PLAIN_PAGE(CPage23PropPage, 230, 222);
HD7_3_PLAIN_PAGE(CPage24PropPage, 231, 223);
HD7_3_PLAIN_PAGE(CPage25PropPage, 232, 224);
HD7_3_PLAIN_PAGE(CPage26PropPage, 233, 225);
HD7_3_PLAIN_PAGE(CPage27PropPage, 234, 226);
HD7_3_PLAIN_PAGE(CPage28PropPage, 235, 227);
HD7_3_PLAIN_PAGE(CPage29PropPage, 218, 228);
HD7_3_PLAIN_PAGE(CPage30PropPage, 219, 229);
HD7_3_PLAIN_PAGE(CPage31PropPage, 220, 230);
HD7_3_PLAIN_PAGE(CPage32PropPage, 221, 0);
HD7_3_PLAIN_PAGE(CPage33PropPage, 222, 232);
HD7_3_PLAIN_PAGE(CPage34PropPage, 223, 233);
HD7_3_PLAIN_PAGE(CPage35PropPage, 225, 234);
HD7_3_PLAIN_PAGE(CPage36PropPage, 224, 0);

#undef HD7_3_PLAIN_PAGE
