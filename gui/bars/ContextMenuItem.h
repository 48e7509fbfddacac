// The item record of the context menus.
#pragma once
#include "QvContextMenu.h"

struct QvRootContextMenu::Item {
  unsigned short flags = 0;  // QvCtxDisabled, QvCtxHidden, QvCtxChecked
  short level = 0;           // 0 for top-level items
  QvString* text = nullptr;  // owned; null for a separator
  void* data = nullptr;      // the caller's
  unsigned short commandId = 0;
};
