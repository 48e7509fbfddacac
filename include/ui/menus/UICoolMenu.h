// Owner-drawn menus: a Windows menu rebuilt from its own item records, either as a plain string
// menu or as an owner-drawn one whose command items show their command's icon, text and hot key.
// Items the user's rights hide stay out of the live menu; redundant separators are dropped.
//
// String mode is the resting state. While a popup is tracked through TrackPopupMenu, a
// CMenuHook on the owner window turns owner-draw on for each popup as it opens (after the
// framework's update pass ran on the string menu) and off again when the menu closes.
#pragma once
#include "MsgHook.h"
#include "quarnel_api.h"

#include <fw_menu.h>

class CUICommand;

// One item of a cool menu.
struct _COOLMENUITEM {
  HMENU hSubMenu;         // NULL for a plain item
  int nID;                // 0 separator, -1 sub-menu without a number
  int nPosition;          // in the live menu; -1 while the item is not in it
  CUICommand* pCommand;   // the command of the id, or NULL
  CString strText;        // the command's menu string (with the hot key), else the resource text
  int nEffectiveID;       // SetEffectiveCmdID; cleared by UpdateStatus
  UINT nState;            // the item's menu state when last read
};

// Drawing resources shared by all owner-drawn menus, made once (the font again when the default
// font changes). Freed at unload; the shared default font is never freed here.
struct QUARNEL_API systemMenuData {
  HBRUSH hbrHalftone = NULL;  // 8 x 8 halftone pattern
  HIMAGELIST hilCheck = NULL; // the check mark
  HFONT hFont = NULL;         // the menu font
  BOOL bOwnFont = FALSE;      // hFont was made here (else it is the shared default font)
  LOGFONTW lfFont = {};       // what an owned hFont was made from
  HDC hdcMeasure = NULL;      // screen-compatible memory DC that items are measured in
  HDC hdcImage = NULL;        // memory DC that cached image strips are drawn from
  int cyMenu = 0;             // SM_CYMENU and SM_CXMENUCHECK, read when a menu is rebuilt
  int cxMenuCheck = 0;        // for owner-draw (asking per item is slow)
  BOOL bMade = FALSE;
  systemMenuData() = default;
  ~systemMenuData();
  systemMenuData(const systemMenuData&) = delete;
  systemMenuData& operator=(const systemMenuData&) = delete;
};

class QUARNEL_API CCoolMenu : public CMenu {
  DECLARE_DYNAMIC(CCoolMenu)
 public:
  explicit CCoolMenu(int alternativeText = 0);
  ~CCoolMenu() override;
  using CMenu::InsertMenu;

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
  // Inserts an item at a live position (negative: the end); id 65535 is a separator. The
  // command's menu string replaces the text; MF_POPUP takes the sub-menu handle as the text
  // argument. An item the rights hide (status 3) or a separator after a separator keeps its
  // record but stays out of the live menu. Returns the live position after the item, or -1.
  virtual int InsertMenuW(unsigned short id, int position, unsigned flags, const wchar_t* text);
  virtual int InsertPopupMenu(unsigned short id, HMENU subMenu, int position);
  virtual void SetEffectiveCmdID(unsigned short id, unsigned short effectiveId);
  // flags 0: by command (found through the sub-menus), else MF_BYPOSITION. 0 on failure.
  virtual int RemoveMenuWithUpdateStatus(unsigned idOrPosition, unsigned flags);
  // A new accelerator table of the live items' default keys (the caller destroys it).
  virtual HACCEL GetAccelTable(int* count);
  // Refills the live menu from the records; returns 1.
  virtual int Rebuild(int dropSeparators);
  virtual void EnableOwnerDraw(int on);
  // Frees the records.
  virtual void Clean();
  // Records made afresh from the live menu, then Rebuild(1).
  virtual void Prepare();
  // A record for the live item at `position`, put at listIndex (appended when negative).
  virtual _COOLMENUITEM* PrepareItem(int position, int listIndex);
  // Reads what others did to the live menu back into the records.
  virtual void UpdateStatus();
  // Shows another menu's records (not owned); NULL returns to the own records.
  virtual void SetEffectiveMenu(CPtrArray* list);

  _COOLMENUITEM* GetMenuItem(unsigned id);
  CCoolMenu* FindMenuItem(unsigned id, int& position);
  int GetMenuItemIDFromIndex(int listIndex);
  // The answer to WM_MENUCHAR: 0, position | MNC_EXECUTE << 16 or position | MNC_SELECT << 16.
  LRESULT OnMenuChar(unsigned character, unsigned flags);
  void CleanBitmapCache();
  BOOL TrackPopupMenu(unsigned flags, int x, int y, CWnd* owner, const RECT* rect = NULL);
  void SetCustomMenu(int custom) { m_bCustomMenu = custom; }
  int IsCustomMenu() const { return m_bCustomMenu; }

  // The records the menu walks: the effective list when set, else its own.
  CPtrArray& Items() { return m_pEffectiveList ? *m_pEffectiveList : m_items; }
  _COOLMENUITEM* Item(int index);
  int IsOwnerDraw() const { return m_bOwnerDraw; }

  // The cool menu of a handle (made and prepared when there is none); NULL for NULL.
  static CCoolMenu* FromHandle(HMENU menu);
  static int FindIdFromMenu(HMENU menu, unsigned short& id);
  static int FindMenuFromId(unsigned short id, HMENU& menu);
  // Enters a popup's number so that FindIdFromMenu and FindMenuFromId know it (0 is no number).
  static void SetMenuId(HMENU menu, unsigned short id);
  // Coordinates go through as given: on multi-monitor desktops they may be negative.
  static BOOL TrackPopupMenu(HMENU menu, unsigned flags, int x, int y, CWnd* owner, const RECT* rect);
  static BOOL TrackPopupMenuEx(HMENU menu, unsigned flags, int x, int y, CWnd* owner, TPMPARAMS* params);
  // The text up to the first tab left-aligned, the rest (the hot key) right-aligned.
  static void DrawMenuText(HDC dc, CRect rect, CString text, COLORREF colour);
  // The shared drawing resources; NULL in a service-only process or when they cannot be made.
  static systemMenuData* GetSystemMenuData(int refresh);
  static void DeleteAllCoolMenus();
  static void ReloadMenus();

 protected:
  explicit CCoolMenu(HMENU menu);
  // Frees the record at a list index and removes it from the list.
  void DeleteItem(int index);
  // Reads the system metrics that measuring uses into the shared data.
  static void RefreshMetrics();

  int m_bCustomMenu;
  int m_bAlternativeText;
  CPtrArray m_items;
  int m_bOwnerDraw;
  CMap<WORD, WORD, HBITMAP, HBITMAP> m_bitmapCache;
  CPtrArray* m_pEffectiveList;

 private:
  CCoolMenu(const CCoolMenu&) = delete;
  CCoolMenu& operator=(const CCoolMenu&) = delete;
  void Join();
  // The command image strip of the bitmap id (light grey made the button face), from the cache
  // or loaded into it. NULL when it cannot be loaded.
  HBITMAP CachedBitmap(WORD bitmapId);
  void DetachSubMenus();
};

// A popup cool menu run at the cursor or at a point.
class QUARNEL_API CUIMenu : public CCoolMenu {
  DECLARE_DYNAMIC(CUIMenu)
 public:
  explicit CUIMenu(int alternativeText = 1, int extra = 1);
  ~CUIMenu() override;
  int AddSuccessorByCmd(unsigned short id, int position) { return InsertMenuW(id, position, 0, NULL); }
  // A NULL owner is the current thread's main window.
  BOOL Run(CWnd* owner);
  BOOL Run(int x, int y, CWnd* owner);

 protected:
  int m_nExtra;
};

// Hooks the owner window of a tracked cool menu: measuring, the update pass in string mode,
// mnemonics, and the return to string mode when the menu closes.
class QUARNEL_API CMenuHook : public CMsgHook {
  DECLARE_DYNAMIC(CMenuHook)
 public:
  explicit CMenuHook(CCoolMenu* menu) : m_pMenu(menu) {}
  ~CMenuHook() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  CCoolMenu* m_pMenu;

 private:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
};

// Loads a menu resource from the module chain as cool menus (numbered popups become findable
// by id). 1 on success, else 0.
QUARNEL_API int RegisterDynamicMenu(unsigned menuId);
