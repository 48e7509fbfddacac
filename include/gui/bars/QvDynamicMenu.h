// Dynamic menus: the host's menu bars as the user's rights and the current commands make
// them, and the small portable menu classes.
//
// A registered menu bar is scanned once into layouts, one per popup, keyed by the popup's id
// (its caption in the menu resource is the number of a command definition, which gives the
// popup its text and its rights). What shows is rebuilt from the layouts: commands whose
// rights status is 3 disappear, popups left with nothing but hidden items and separators
// disappear, texts come from the command definitions with the hot key appended, and no popup
// starts with a separator or holds two in a row. A popup whose command is redirected to an
// effective command shows the effective popup's items until the redirection ends.
//
// The work is lazy: the rights are asked when UpdateMenusFromSecurity (or the registration)
// runs, the bar itself is rebuilt then, and each popup is brought up to date when it opens
// (UpdateDynamicMenuForSecurity, from the frame's WM_INITMENUPOPUP): once after each change of
// the rights or of its effective command, not at every opening.
#pragma once
#include <framework.h>
#include <vekkel.h>

#include "quarnel_api.h"

class QvMenuDynamicData;

// What the handle map knows of a menu: its popup id (-1 the menu bar, -2 the extra menu
// resource, else the popup's number), the bar's data it belongs to, the popup id it stands for
// while redirected (0 when not redirected), and the rights generation it was last brought up
// to date at.
struct SHMENUInfo {
  unsigned int popupId;
  QvMenuDynamicData* data;
  unsigned int basePopupId;
  unsigned long generation;
};

// One item of a layout: command id (0 separator, -1 popup), popup id of a popup item (else 0),
// the item's menu flags at scan time, rights status (0 until computed).
struct SMenuItemInfo {
  unsigned int id;
  unsigned int popupId;
  unsigned int flags;
  unsigned long status;
};

enum : unsigned int { QvMenuBarId = 0xFFFFFFFFu, QvExtraMenuId = 0xFFFFFFFEu, QvPopupItemId = 0xFFFFFFFFu };

class QUARNEL_API CGUIMapHMENUtoInfo : public CMap<HMENU, HMENU, SHMENUInfo, SHMENUInfo&> {
 public:
  CGUIMapHMENUtoInfo();
};

// The items of one popup in menu order.
class QUARNEL_API CGUIMenuLayout : public CArray<SMenuItemInfo, SMenuItemInfo&> {
 public:
  CGUIMenuLayout(unsigned int popupId, QvMenuDynamicData* data) : m_popupId(popupId), m_data(data) {}
  unsigned int m_popupId;
  unsigned long m_status = 0;  // the rights of the popup id as a command
  QvMenuDynamicData* m_data;
};

// Everything one registered menu bar has: its layouts (owned), its accelerator table (owned)
// and the commands with standard shortcuts met while scanning.
class QUARNEL_API QvMenuDynamicData : public QvFirst {
  QV_DECLARE_CLASS(QvMenuDynamicData)
 public:
  QvMenuDynamicData();
  ~QvMenuDynamicData() override;
  CGUIMenuLayout* GetLayout(unsigned int popupId) const;

  HACCEL m_hAccel = NULL;
  ACCEL* m_accelArray = nullptr;  // on Win32s, the table itself (ends with an all-zero entry)
  HMENU m_hMenuBar = NULL;
  CMap<UINT, UINT, CGUIMenuLayout*, CGUIMenuLayout*&> m_layouts;
  QvArrayLPQvFirst m_shortCutDefs;  // not owned; emptied once the table is built
  unsigned long m_generation = 0;   // counts the rebuilds from the rights

 private:
  QvMenuDynamicData(const QvMenuDynamicData&) = delete;
  QvMenuDynamicData& operator=(const QvMenuDynamicData&) = delete;
};

// The module's globals, made by InitDynamicMenu and freed by ReleaseDynamicMenu.
QUARNEL_API CGUIMapHMENUtoInfo* Get_GlobalMapHMENUToInfo();
QUARNEL_API void Set_GlobalMapHMENUToInfo(CGUIMapHMENUtoInfo* map);
QUARNEL_API QvArrayLPQvFirst* Get_GlobalArrayDynamicData();
QUARNEL_API void Set_GlobalArrayDynamicData(QvArrayLPQvFirst* array);

// Makes the effective-command map, the handle map and the array of registered bars (each one
// that is absent).
QUARNEL_API QvSuccess InitDynamicMenu();
// Scans the bar (and, for a non-zero extraMenuId, that menu resource, whose popups can then
// stand in for redirected popups), builds its accelerator table and rebuilds it from the
// rights. Fails, registering nothing, without InitDynamicMenu, for a null or already
// registered bar and when the extra menu cannot be loaded.
QUARNEL_API QvSuccess RegisterMenuBar(CMenu* menuBar, unsigned int extraMenuId);
QUARNEL_API QvSuccess InitDynamicMenu(CMenu* menuBar, bool);
QUARNEL_API QvSuccess InitDynamicMenu(unsigned int extraMenuId, unsigned int, unsigned int, CMenu* menuBar, bool);
// After the user's rights changed: every registered bar is rebuilt and its popups marked for
// rebuilding when they next open; the main window's menu bar is redrawn.
QUARNEL_API void UpdateMenusFromSecurity();
// Before a popup (or the bar) opens. Menus that are not registered are left alone.
QUARNEL_API void UpdateDynamicMenuForSecurity(CMenu* popup);
QUARNEL_API void UpdateDynamicMenu(CMenu*, CWnd*);
// The accelerator table of the bar that registered this menu handle; null when none.
QUARNEL_API HACCEL GetAcceleratorForUpdateFrameMenu(CMenu* menu);
QUARNEL_API void ReleaseDynamicMenu();

// Win32s: the raw table's translation of a WM_KEYDOWN (sends WM_COMMAND, answers 1).
QUARNEL_API int GUIWin32sTranslateAccelerator(HWND window, ACCEL* table, MSG* message);
// The edit command of a typed character with the modifier keys held now; 0 when none.
QUARNEL_API unsigned int GetEditCmdFromChar(unsigned int c);
// Runs the edit command of the character through the portable command road.
QUARNEL_API bool ScanSpecificShortCut(unsigned int c, unsigned int, unsigned int);

// Portable menus on a framework menu.
class QvSubMenu;

class QUARNEL_API QvRootMenu : public QvFirst {
  QV_DECLARE_CLASS(QvRootMenu)
 public:
  virtual QvSubMenu* AddSubMenu(unsigned short id, short position) = 0;
  virtual QvSubMenu* GetSubMenu(unsigned short id) = 0;
  virtual bool RemoveSubMenu(unsigned short id) = 0;
  virtual void UpdateAll() = 0;
  virtual bool UpdateByCommand(unsigned short id) = 0;
};

class QUARNEL_API QvMenu : public QvRootMenu {
  QV_DECLARE_CLASS(QvMenu)
 public:
  explicit QvMenu(CMenu* menu);  // not owned
  ~QvMenu() override;

  // A new popup with the menu text of command `id`, inserted at `position` (-1 appends).
  // Null when the id has no definition or already has a sub-menu here, or the insertion fails.
  QvSubMenu* AddSubMenu(unsigned short id, short position) override;
  QvSubMenu* GetSubMenu(unsigned short id) override;
  // Removes the sub-menu's item wherever it stands now and deletes the sub-menu.
  bool RemoveSubMenu(unsigned short id) override;
  void UpdateAll() override {}
  bool UpdateByCommand(unsigned short) override { return true; }

  CMenu* GetMenu() const { return m_menu; }

 protected:
  struct tagMap {
    QvSubMenu* subMenu;
    unsigned short position;  // where it was inserted
  };
  // Deletes every sub-menu object; popups still in this menu stay with it.
  void DeleteSubMenus();
  CMenu* m_menu;
  CMapWordToPtr m_subMenus;

 private:
  int FindPosition(HMENU subMenu) const;
  QvMenu(const QvMenu&) = delete;
  QvMenu& operator=(const QvMenu&) = delete;
};

class QUARNEL_API QvSubMenu : public QvMenu {
  QV_DECLARE_CLASS(QvSubMenu)
 public:
  QvSubMenu();
  ~QvSubMenu() override;
  bool UpdateByCommand(unsigned short) override { return false; }
  // A command item with the command's menu text (no hot key); false without a definition.
  bool AddItem(unsigned short id, short position);
  bool RemoveItem(unsigned short id);

 private:
  friend class QvMenu;
  CMenu m_ownMenu;
};
