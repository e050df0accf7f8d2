// A property page with its template and caption and no behaviour of its own.
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
