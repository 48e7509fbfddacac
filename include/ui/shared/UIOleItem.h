// The OLE items that the drawing views draw (QvDrawOLEItem): framework client items.
#pragma once
#include <fw_olecli.h>

#include "quarnel_api.h"

class QUARNEL_API CQvOleClientItem : public COleClientItem {
 public:
  CQvOleClientItem() = default;
  ~CQvOleClientItem() override = default;
};
