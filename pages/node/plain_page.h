// Property pages with their template and caption and no behaviour of their own: the pages the
// sheet constructs but shows in neither page set.
#pragma once

#include "framework/property_page.h"
#include "resources/dialogs.h"
#include "resources/strings.h"

class CPlainPropertyPage : public fw::CPropertyPage {
 public:
  // captionId 0: the page has no caption string of its own.
  CPlainPropertyPage(int templateId, int captionId)
      : CPropertyPage(EmptyDialog(templateId), captionId, ResString(captionId)) {}
};

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
