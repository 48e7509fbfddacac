// A container for the tests: a popup owned by the owner, its table at (0, 0), counting its
// size hooks; the table object counts its destructions.
#pragma once
#include <ToolTableWnd.h>

namespace tooltable_test {

// A container whose window is a popup owned by the owner, with its table at (0, 0).
class CountingTable : public CToolTable {
 public:
  static inline int destroyed = 0;
  ~CountingTable() override { ++destroyed; }
};

class TestContainer : public CToolTableContainer {
 public:
  int bounds = 0, frames = 0, items = 0;
  BOOL Make(CWnd* owner, unsigned int id) {
    m_pTable = new CountingTable;
    if (!Create(owner, id)) return FALSE;
    if (!CreateEx(0, _T("STATIC"), _T(""), WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, owner->GetSafeHwnd(), NULL))
      return FALSE;
    return m_pTable->Create(this, 0, 0, id, 2, 16, 16, 4, 4, FALSE, FALSE);
  }
  HWND TableWindow() const { return m_pTable->m_hWnd; }
  BOOL Post(unsigned int code, DWORD_PTR value) { return PostNotification(code, value); }

 protected:
  void OnBoundsChanged(unsigned short, unsigned short) override { ++bounds; }
  void OnFrameResized(unsigned short, unsigned short) override { ++frames; }
  void OnItemsResized(unsigned short, unsigned short) override { ++items; }
};

}  // namespace tooltable_test
