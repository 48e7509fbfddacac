// Framework classes over the tool table ("QvToolTable32", ToolTable.h): an item record
// (CToolTableItem), the window itself (CToolTable, each member one message), and a window
// that owns a table, keeps a tooltip per item and relays the table's notifications to an
// owner (CToolTableContainer).
#pragma once
#include "ToolTable.h"
#include "quarnel_api.h"

#include <MsgHook.h>
#include <fw_coll.h>
#include <fw_tooltipctrl.h>
#include <fw_wnd.h>

// One tagTT_ITEMINFO. A reset record is all zero with mask TTBLMASK_ALL (enabled).
class QUARNEL_API CToolTableItem {
 public:
  CToolTableItem();
  CToolTableItem(const tagTT_ITEMINFO& info);  // NOLINT: a copy of the record
  CToolTableItem(const CToolTableItem& other);
  CToolTableItem& operator=(const CToolTableItem& other);
  // Type with its object: window, bitmap, icon, owner-drawn (no object) or separator (flags
  // 0x108, state disabled).
  CToolTableItem(short type, unsigned long id, void* object, int flags, int state, unsigned long data);
  CToolTableItem(short type, void* object, unsigned long id, unsigned long data, int span, int enabled,
                 int selected, int focused, int hilited, int unused, int autoDispose, int centred, int fit);
  virtual ~CToolTableItem();

  operator tagTT_ITEMINFO() const { return m_info; }
  operator tagTT_ITEMINFO*() { return &m_info; }

  void SetItemState(int state) { m_info.state = static_cast<DWORD>(state); }
  void SetItemFlags(int flags) { m_info.flags = static_cast<DWORD>(flags); }
  void SetItemID(unsigned long id) { m_info.id = id; }
  void SetItemData(unsigned long data) { m_info.data = data; }
  void SetItemWindow(HWND window);
  void SetItemBitmap(HBITMAP bitmap);
  void SetItemIcon(HICON icon);
  void SetItemOwnerDraw();
  void SetItemSeparator();
  void SetItemPos(unsigned long posOrId, int byPosition);
  void EnableItem(int enable) { Bit(m_info.state, TTBLS_DISABLED, !enable); }
  void HiliteItem(int on) { Bit(m_info.state, TTBLS_HILITED, on); }
  void SelectItem(int on) { Bit(m_info.state, TTBLS_SELECTED, on); }
  void FocusItem(int on) { Bit(m_info.state, TTBLS_FOCUSED, on); }
  void SpanItem(int on) { Bit(m_info.flags, TTBLF_SPAN, on); }
  void CenterItem(int on) { Bit(m_info.flags, TTBLF_CENTER, on); }
  void FitItem(int on) { Bit(m_info.flags, TTBLF_FIT, on); }
  void AutoDisposeItem(int on) { Bit(m_info.flags, TTBLF_AUTODISPOSE, on); }
  void SetItemNeutrality(int on) { Bit(m_info.flags, TTBLF_NEUTRAL, on); }
  void Reset();

  int Enabled() const { return (m_info.state & TTBLS_DISABLED) == 0; }
  int Hilited() const { return (m_info.state & TTBLS_HILITED) != 0; }
  int Selected() const { return (m_info.state & TTBLS_SELECTED) != 0; }
  int Focused() const { return (m_info.state & TTBLS_FOCUSED) != 0; }
  int Spanned() const { return (m_info.flags & TTBLF_SPAN) != 0; }
  int Centered() const { return (m_info.flags & TTBLF_CENTER) != 0; }
  int Fit() const { return (m_info.flags & TTBLF_FIT) != 0; }
  int AutoDispose() const { return (m_info.flags & TTBLF_AUTODISPOSE) != 0; }
  int Neutral() const { return static_cast<int>(m_info.flags & TTBLF_NEUTRAL); }
  unsigned long ID() const { return m_info.id; }
  unsigned long Data() const { return m_info.data; }
  short Type() const { return static_cast<short>(m_info.type); }
  int State() const { return static_cast<int>(m_info.state); }
  HWND Window() const { return m_info.type == TTBL_WINDOW ? static_cast<HWND>(m_info.object) : NULL; }
  HBITMAP Bitmap() const { return m_info.type == TTBL_BITMAP ? static_cast<HBITMAP>(m_info.object) : NULL; }
  HICON Icon() const { return m_info.type == TTBL_ICON ? static_cast<HICON>(m_info.object) : NULL; }
  void Pos(unsigned long& posOrId, int& byPosition) const;
  RECT& Rect() { return m_info.rect; }

 private:
  static void Bit(DWORD& field, DWORD bit, int on) { field = on ? (field | bit) : (field & ~bit); }
  void SetObject(DWORD type, HANDLE object);
  tagTT_ITEMINFO m_info;
};

// The tool-table window: every member sends one message and answers its result.
class QUARNEL_API CToolTable : public CWnd {
  DECLARE_DYNAMIC(CToolTable)
 public:
  // How a set-bits member combines: replace the value, add the bits, remove them.
  enum SetMode { Replace = 0, Add = 1, Remove = 2 };

  CToolTable();
  ~CToolTable() override;

  // Creates the window (child of parent, x, y, 10 x 10, the id) and sets its grid and style;
  // 0 when the window cannot be made.
  BOOL Create(CWnd* parent, int x, int y, unsigned int id, int columns, int cellWidth, int cellHeight, int sepX,
              int sepY, int multipleSelection, int relay, int unused = 0);
  int Close();
  int AddItem(const tagTT_ITEMINFO& item);
  int InsertItem(const tagTT_ITEMINFO& item);
  int DeleteItem(const tagTT_ITEMINFO& item);
  int DeleteItem(unsigned long posOrId, int byPosition);
  int AddSeparator();
  int AddOwnerDraw(unsigned long id, unsigned long data, int span);
  int AddWindow(HWND window, unsigned long id, unsigned long data, int span, int autoDispose);
  int AddIcon(HICON icon, unsigned long id, unsigned long data, int centred, int span, int autoDispose);
  int AddBitmap(HBITMAP bitmap, unsigned long id, unsigned long data, int fit, int centred, int span,
                int autoDispose);
  int SetItem(const tagTT_ITEMINFO& item);
  int SetItemObject(const tagTT_ITEMINFO& item);
  int SetItemState(const tagTT_ITEMINFO& item);
  int SetItemState(unsigned long posOrId, int byPosition, int bits, SetMode mode);
  int SetItemData(const tagTT_ITEMINFO& item);
  int SetItemData(unsigned long posOrId, int byPosition, unsigned long data);
  int GetItem(tagTT_ITEMINFO* item) const;
  int RedrawItem(unsigned long posOrId, int byPosition, int content);
  int GetItemState(unsigned long posOrId, int byPosition) const;
  int GetItemData(unsigned long posOrId, int byPosition) const;
  int RedrawAllItems();
  int GetNumItems() const;
  int GetNumRows() const;
  int GetNumCols() const;
  int SetNumCols(short columns);
  int GetItemSep(short& x, short& y) const;
  int SetItemSep(short x, short y);
  int GetItemMetrics(short& width, short& height) const;
  int SetItemMetrics(short width, short height);
  int SetRelay(int on);
  int Clear();
  int GetTableStyle() const;
  int SetTableStyle(int bits, SetMode mode);
  int GetSelectedArray(short* positions, short max) const;
  int GetGrayedArray(short* positions, short max) const;
  void Resize(unsigned int edge, RECT* rect);
  void Size(unsigned int type, int cx, int cy);
  int GetHilite() const;
  int GetFocus() const;
  int FindItem(unsigned long object, short type, int wantPosition) const;
  int FindItemID(unsigned long id) const;
  int SetHilite(int pos, int skip);
  // A given point is in client coordinates; without one, the cursor. -1 when the cursor
  // cannot be read.
  int HitTest(tagTT_CLICKSTRUCT& hit, POINT* pt) const;

 private:
  int Send(UINT msg, WPARAM wp, LPARAM lp) const;
  int SendItem(UINT msg, WPARAM wp, unsigned long posOrId, int byPosition) const;
  // The two words of the answer into low and high, unless it is -1.
  int GetPair(UINT msg, short& low, short& high) const;
};

class CToolTableContainer;

// Watches the container's owner window: after the owner has handled a posted notification
// of the container, the record is deleted.
class QUARNEL_API CToolTableContainerHook : public CMsgHook {
 public:
  explicit CToolTableContainerHook(CToolTableContainer* container);
  ~CToolTableContainerHook() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Remembers the window and hooks it; NULL unhooks.
  virtual void Hook(CWnd* window);

 private:
  CToolTableContainer* m_pContainer;
  CWnd* m_pWatched;
};

// Frees each non-null string of the tooltip array and clears its slot.
QUARNEL_API void DestructElements(char** elements, int count);

// A window that owns a CToolTable (the derived class creates both windows), keeps a UTF-8
// tooltip per item position and relays the table's notifications to its owner under its
// own window and notification id.
class QUARNEL_API CToolTableContainer : public CWnd {
  DECLARE_DYNAMIC(CToolTableContainer)
 public:
  CToolTableContainer();
  ~CToolTableContainer() override;

  // Makes the table object (not its window), stores the owner and id and hooks the owner.
  virtual BOOL Create(CWnd* owner, unsigned int id);
  virtual void Close();
  virtual int DeleteItem(unsigned long posOrId, int byPosition);
  virtual int DeleteItem(const tagTT_ITEMINFO& item);
  virtual int InsertItem(const tagTT_ITEMINFO& item);
  virtual int AddItem(const tagTT_ITEMINFO& item);
  virtual int AddSeparator();
  virtual int AddOwnerDraw(unsigned long id, unsigned long data, int span);
  virtual int AddWindow(HWND window, unsigned long id, unsigned long data, int span, int autoDispose);
  virtual int AddIcon(HICON icon, unsigned long id, unsigned long data, int centred, int span, int autoDispose);
  virtual int AddBitmap(HBITMAP bitmap, unsigned long id, unsigned long data, int fit, int centred, int span,
                        int autoDispose);
  virtual int SetItem(const tagTT_ITEMINFO& item);
  virtual int SetItemObject(const tagTT_ITEMINFO& item);
  virtual int SetItemState(unsigned long posOrId, int byPosition, int bits, CToolTable::SetMode mode);
  virtual int SetItemState(const tagTT_ITEMINFO& item);
  virtual int SetItemData(unsigned long posOrId, int byPosition, unsigned long data);
  virtual int SetItemData(const tagTT_ITEMINFO& item);
  virtual int GetItem(tagTT_ITEMINFO* item) const;
  virtual int HitTest(tagTT_CLICKSTRUCT& hit, POINT* pt) const;
  virtual int GetItemState(unsigned long posOrId, int byPosition);
  virtual int GetItemData(unsigned long posOrId, int byPosition);
  virtual int GetNumItems();
  virtual int GetNumRows();
  virtual int GetNumCols();
  virtual int SetNumCols(short columns);
  virtual int GetItemSep(short& x, short& y);
  virtual int SetItemSep(short x, short y);
  virtual int GetItemMetrics(short& width, short& height);
  virtual int SetItemMetrics(short width, short height);
  virtual int SetRelay(int on);
  virtual int Clear();
  virtual int GetTableStyle();
  virtual int SetTableStyle(int bits, CToolTable::SetMode mode);
  virtual int GetGrayedArray(short* positions, short max);
  virtual int Resize(unsigned int edge, RECT* rect);
  virtual int Size(unsigned int type, int cx, int cy);
  virtual int RedrawItem(unsigned long posOrId, int byPosition, int content);
  virtual int RedrawAllItems();
  virtual int GetHilite();
  virtual int GetFocus();
  virtual int FindItem(unsigned long object, short type, int wantPosition);
  virtual int FindItemID(unsigned long id);
  virtual void SetHilite(int pos, int skip);
  int GetSelectedArray(short* positions, short max);

  // 1 when stored; 0 for a null text, no table or no such item.
  int SetItemToolTip(const wchar_t* text, int posOrId, int byPosition);
  // The item's text; empty when there is no table, no such item or no text.
  void GetItemToolTip(CString& text, int posOrId, int byPosition) const;

  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  CWnd* GetOwnerWnd() const { return m_pOwner; }
  unsigned int GetNotifyId() const { return m_nNotifyId; }

 protected:
  // The table was resized, the user changed its columns, its metrics changed (width, height).
  virtual void OnBoundsChanged(unsigned short width, unsigned short height);
  virtual void OnFrameResized(unsigned short width, unsigned short height);
  virtual void OnItemsResized(unsigned short width, unsigned short height);

  // Notifications under the container's window and id to the owner; nothing without one.
  LRESULT SendNotification(unsigned int code, DWORD_PTR value);
  BOOL PostNotification(unsigned int code, DWORD_PTR value);
  LRESULT RelayNotification(const tagNM_TOOLTABLE* record);

  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  afx_msg UINT OnGetDlgCode();
  afx_msg void OnDestroy();
  afx_msg void OnSizing(UINT edge, LPRECT rect);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnWindowPosChanging(WINDOWPOS* pos);
  afx_msg void OnMoving(UINT edge, LPRECT rect);
  afx_msg BOOL OnToolTipText(UINT id, NMHDR* hdr, LRESULT* result);
  afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint pt);
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

 protected:
  CToolTableContainerHook* m_pHook;
  CToolTable* m_pTable;
  CWnd* m_pOwner;
  unsigned int m_nNotifyId;
  RECT m_savedRect;
  CArray<char*, char*> m_toolTips;
  CToolTipCtrl m_toolTip;

 private:
  friend class CToolTableContainerHook;
  // The position of the item named, 0 when none.
  int PositionOf(int posOrId, int byPosition) const;
};
