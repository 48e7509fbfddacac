// Buttons that drop down a popup tool table (PopupToolTable.h). The split form is an owner-
// drawn button of two parts: a command part showing the image of the current choice and an
// arrow part that opens the table; choosing an item makes its image the current one.
// CPTTToggleBtn adds a toggled state to the command part; CToggleBtn is a small two-state
// arrow button.
#pragma once
#include "PopupToolTable.h"
#include "quarnel_api.h"

#include <MsgHook.h>
#include <fw_stdctrls.h>
#include <fw_gdi.h>

#include <vector>

// Button styles.
#define PTTB_BITMAP 0x01      // the current image on a BS_BITMAP button
#define PTTB_SPLIT 0x02       // owner-drawn command part and arrow part
#define PTTB_TOOLBAR 0x04     // square: width = height
#define PTTB_CAPTION 0x08     // the window text drawn beside the image
#define PTTB_WINDOWSIZE 0x10  // sized from the window; the arrow looks pressed while the table shows
#define PTTB_INERT 0x20       // the command part does nothing

// Parts.
#define PTTB_PART_COMMAND 2
#define PTTB_PART_ARROW 4
#define PTTB_PART_OUTSIDE 8

class CPopupToolTableBtn;

// Watches the table's owner for the notifications of the button's table.
class QUARNEL_API CPTTBtnHook : public CMsgHook {
 public:
  explicit CPTTBtnHook(CPopupToolTableBtn* button) : m_pButton(button) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CPopupToolTableBtn* m_pButton;
};

class QUARNEL_API CPopupToolTableBtn : public CButton {
  DECLARE_DYNAMIC(CPopupToolTableBtn)
 public:
  static const HBITMAP PB_NOBITMAP;  // an item without an image of that size
  static const UINT MOUSEUP_TIMER_ID = 666;
  static const UINT HOTRECT_TIMER_ID = 667;

  explicit CPopupToolTableBtn(int style = PTTB_SPLIT);
  ~CPopupToolTableBtn() override;

  void DrawItem(LPDRAWITEMSTRUCT dis) override;
  // Hides the table and docks it back; 1 when it is hidden, 0 without a table.
  virtual int DismissTable();
  virtual void DisplayTable(int show, int dock);
  // Once: 0 when a table exists or cannot be made.
  virtual BOOL CreateTable(const wchar_t* title, CWnd* owner, unsigned int id, int columns, int cellWidth,
                           int cellHeight, int sepX, int sepY, unsigned long tableStyle, int notifyOwner);
  virtual int SetCurrentBitmap(int position);
  virtual int SetCurrentBitmap(HBITMAP small, HBITMAP large);
  virtual void SetDefaultBitmap(HBITMAP small, HBITMAP large);
  virtual HBITMAP GetCurrentBitmap();
  virtual HBITMAP GetDefaultBitmap();
  virtual HWND GetTableHWND();
  virtual CPopupToolTable* GetTable();
  virtual int HitTest(tagTT_CLICKSTRUCT& hit, POINT* pt);
  // Client coordinates: part PTTB_PART_OUTSIDE and 0 outside; else the part (1 for a plain
  // button) and 1.
  virtual int HitTest(POINT& pt, int& part);
  virtual void TearOff(int on);
  virtual int TornOff() { return m_bTornOff; }
  virtual int Docked() { return m_bTableVisible && !m_bTornOff; }
  virtual int GetStyleMetrics(short& width, short& height);
  virtual int TableVisible() { return m_bTableVisible; }
  virtual void SetHot(int hot);
  virtual void TearOffComplete();
  virtual void EnableCurrentCommand(int on);
  virtual void OnTearChange(int on);
  virtual int AddItem(HBITMAP small, HBITMAP large, int flag, const tagTT_ITEMINFO& item);
  virtual int AddSeparator(HBITMAP small, HBITMAP large, int flag);
  virtual int AddOwnerDraw(HBITMAP small, HBITMAP large, int flag, unsigned long id, unsigned long data, int span);
  virtual int AddWindow(HBITMAP small, HBITMAP large, int flag, HWND window, unsigned long id, unsigned long data,
                        int span, int autoDispose);
  virtual int AddIcon(HBITMAP small, HBITMAP large, int flag, HICON icon, unsigned long id, unsigned long data,
                      int centred, int span, int autoDispose);
  virtual int AddBitmap(HBITMAP small, HBITMAP large, int flag, HBITMAP bitmap, unsigned long id, unsigned long data,
                        int fit, int centred, int span, int autoDispose);
  virtual int InsertItem(HBITMAP small, HBITMAP large, int flag, const tagTT_ITEMINFO& item);
  // With replace, the item's former images (both sizes) are deleted and replaced.
  virtual int SetItem(HBITMAP small, HBITMAP large, int flag, const tagTT_ITEMINFO& item, int replace);
  virtual int DeleteItem(unsigned long posOrId, int byPosition);
  virtual int DeleteItem(const tagTT_ITEMINFO& item);
  virtual void ResetBitmaps(int clearSmall, int clearLarge);
  virtual void ComputeMetrics();
  virtual void DrawCaption(HDC dc, RECT* rect);
  virtual void CreateFontW();
  // The table's members (-1 without a table).
  virtual int SetItemState(unsigned long posOrId, int byPosition, int bits, CToolTable::SetMode mode);
  virtual int GetItemState(unsigned long posOrId, int byPosition);
  virtual int GetNumItems();
  virtual int GetHilite();
  virtual int SetItemToolTip(const wchar_t* text, int posOrId, int byPosition);
  virtual void DrawHotRect(HDC dc, const RECT& command, const RECT& arrow, int commandPressed, int arrowPressed);
  virtual void LowLevelDrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, COLORREF colour, int disabled);
  virtual void LowLevelDrawIcon(HDC dc, HICON icon, int x, int y, int mode);
  virtual void CalcTablePos();
  virtual void DrawSunken(DRAWITEMSTRUCT* dis, int commandPressed, int arrowPressed);
  virtual void DrawSunkenControl(HDC dc, RECT& rect, int part);
  // WM_NOTIFY to the parent (and to the table's owner with notifyOwner); the parent's answer.
  virtual LRESULT SendNotification(unsigned int code, DWORD_PTR value);

  void SetLargeButton(int large);
  int IsLarge() const { return m_bLarge; }
  int ToolBarControl() const { return (m_nStyle & PTTB_TOOLBAR) != 0; }
  int DialogControl() const { return !ToolBarControl(); }
  int DropDown() const { return (m_nStyle & PTTB_SPLIT) != 0; }
  int Split() const { return m_nSplit; }
  int PressedPart() const { return m_nPressedPart; }
  int FocusPart() const { return m_nFocusPart; }

 protected:
  void PreSubclassWindow() override;
  afx_msg void OnDestroy();
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnSysKeyUp(UINT key, UINT repeat, UINT flags);
  afx_msg void OnSetFocus(CWnd* old);
  afx_msg void OnKillFocus(CWnd* next);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnEnable(BOOL enable);
  afx_msg void OnCaptureChanged(CWnd* wnd);
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnPaint();
  afx_msg void OnTimer(UINT_PTR id);
  DECLARE_MESSAGE_MAP()

 protected:
  friend class CPTTBtnHook;
  // The image of the size in use; PB_NOBITMAP and NULL draw nothing.
  HBITMAP ImageOf(HBITMAP small, HBITMAP large) const { return m_bLarge ? large : small; }
  void ShowBitmapButtonImage();
  void AppendImages(int pos, HBITMAP small, HBITMAP large, int flag, bool insert);
  void Redraw();

  short m_smallWidth, m_smallHeight, m_smallSplit, m_largeWidth, m_largeHeight, m_largeSplit;
  CFont m_font;
  CPopupToolTable* m_pTable;
  int m_bOwnsTable;
  int m_bTableVisible;
  CPTTBtnHook* m_pHook;
  int m_nStyle;
  HBITMAP m_hCurrentSmall, m_hCurrentLarge, m_hDefaultSmall, m_hDefaultLarge;
  std::vector<HBITMAP> m_smallImages, m_largeImages;
  int m_nPressedPart, m_nFocusPart, m_nPressedLook, m_nHotPart, m_bPressing;
  int m_bTornOff;
  int m_bUseCursor;
  POINT m_drawPoint;
  int m_bNotifyOwner;
  int m_bHot, m_bHotCaptured;
  int m_bCommandEnabled;
  std::vector<int> m_savedStates;
  short m_nWidth, m_nHeight, m_nSplit;
  int m_bLarge;
  UINT_PTR m_mouseUpTimer, m_hotTimer;
  HWND m_hFocusBefore, m_hFocusBack;
};

// The command part stays pressed while toggled; each command click toggles.
class QUARNEL_API CPTTToggleBtn : public CPopupToolTableBtn {
  DECLARE_DYNAMIC(CPTTToggleBtn)
 public:
  explicit CPTTToggleBtn(int style = PTTB_SPLIT) : CPopupToolTableBtn(style), m_bToggled(0) {}
  void DrawItem(LPDRAWITEMSTRUCT dis) override;
  int DismissTable() override;
  void DisplayTable(int show, int dock) override;
  void DrawSunkenControl(HDC dc, RECT& rect, int part) override;
  int Toggled() const { return m_bToggled; }
  // Toggles and tells the parent (0x416 with the new value).
  void Toggle();
  void SetToggle(int on);

 protected:
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  int m_bToggled;
};

// An owner-drawn button with a triangle at its right edge: down when the flag is set, up when not.
class QUARNEL_API CToggleBtn : public CButton {
  DECLARE_DYNAMIC(CToggleBtn)
 public:
  explicit CToggleBtn(bool down = true) : m_bDown(down) {}
  void DrawItem(LPDRAWITEMSTRUCT dis) override;
  void SetDown(bool down) { m_bDown = down; }
  bool Down() const { return m_bDown; }

 private:
  bool m_bDown;
};
