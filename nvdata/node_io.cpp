#include "nvdata/node_io.h"

#include "framework/property_sheet.h"

NodeIo NodeOf(const fw::CPropertyPage& page) {
  return NodeIo(dynamic_cast<const INodeLink*>(page.GetParentSheet()));
}
