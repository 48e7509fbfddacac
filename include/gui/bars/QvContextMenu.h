// Pop-up context menus for portable code: a flat list of items with nesting levels (an item
// followed by deeper items opens a popup of them), added by text or by command, shown at a
// point and answering the index of the item chosen.
//
// Items added by command take their text from the command's definition, and their state from
// the command status (following redirections to effective commands) and from the user's
// rights: status 0 adds no item, 2 a disabled one, 3 a hidden one (it takes no place in the
// menu). Hidden items' descendants are hidden with them.
//
// The menu is drawn like the library's other owner-drawn menus (same font, colours, check box
// and disabled embossing); mnemonics ('&' before a letter) work, and a mnemonic letter that
// an earlier item of the menu already uses loses its ampersand for good.
#pragma once
#include <framework.h>
#include <vekkel.h>

#include <memory>
#include <vector>

#include "quarnel_api.h"

class QvRootView;
class QvContextMenu;

// Item flags.
enum : unsigned short { QvCtxDisabled = 0x1, QvCtxHidden = 0x2, QvCtxChecked = 0x4 };

class QUARNEL_API QvRootContextMenu : public QvFirst {
 public:
  explicit QvRootContextMenu(QvRootView* view = nullptr);
  ~QvRootContextMenu() override;

  // A child of `parent` after its last descendant, with the parent's hidden flag; -1 when
  // the parent is out of range or a separator. A null text makes a separator.
  virtual long AddDescendant(const QvString& text, long parent, void* data);
  virtual long AddDescendant(QvString* text, long parent, void* data);
  virtual long AddDescendantByCmd(unsigned short command, long parent, void* data);
  // An item at the level of `after`, after its last descendant; after = -1 appends a
  // top-level item; -1 when `after` is out of range.
  virtual long AddSuccessor(const QvString& text, long after, void* data);
  virtual long AddSuccessor(QvString* text, long after, void* data);
  virtual long AddSuccessorByCmd(unsigned short command, long after, void* data);
  // The getters answer 0 or false, the setters do nothing, for an index out of range.
  virtual void* GetItemData(long index);
  virtual void EnableItem(long index, bool enable);
  virtual bool IsItemEnabled(long index);
  virtual void CheckItem(long index, bool check);
  virtual bool IsItemChecked(long index);
  virtual unsigned short GetCommandID(long index);
  // Shows the menu and answers the index of the chosen item, or -1. x = -1: at the cursor;
  // else, for a menu made for a view, (x, y) in the view's document coordinates (converted
  // with the view's QvImageToScreenPoint); else (x, y) on the screen. A menu without visible
  // items is not shown (-1).
  virtual long Run(long x, long y) = 0;

  long GetCount() const { return m_items.GetSize(); }
  // The item's text (null for a separator or an index out of range) and level (-1).
  const QvString* GetItemText(long index) const;
  short GetItemLevel(long index) const;

 protected:
  // The last of the consecutive items after `index` deeper than it; -1 when the next item
  // is not deeper, for the last item and for an index out of range.
  long GetLastDescendant(long index);
  // A new item (its text copied) at `index` when that is an item's place, else at the end.
  long AddItem(long index, short level, unsigned short flags, QvString* text, void* data);

  struct Item;
  Item* ItemAt(long index) const;

  QvArrayLPVoid m_items;
  QvRootView* m_view;

 private:
  QvRootContextMenu(const QvRootContextMenu&) = delete;
  QvRootContextMenu& operator=(const QvRootContextMenu&) = delete;
  long AddByCmd(unsigned short command, long at, void* data, bool descendant);
};

// The hidden window that owns a context menu while it is shown.
class QUARNEL_API CContextWnd : public CWnd {
 public:
  CContextWnd() = default;
  void SetMenu(QvContextMenu* menu) { m_pMenu = menu; }

 protected:
  // Ids 0xE210 to 0xE21F go on to the thread's main window; any other id is the choice.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnRButtonUp(UINT flags, CPoint point);
  afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis);
  afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
  afx_msg LRESULT OnMenuChar(UINT character, UINT flags, CMenu* menu);
  DECLARE_MESSAGE_MAP()

 private:
  QvContextMenu* m_pMenu = nullptr;
};

class QUARNEL_API QvContextMenu : public QvRootContextMenu {
 public:
  explicit QvContextMenu(QvRootView* view = nullptr);
  ~QvContextMenu() override;
  long Run(long x, long y) override;

  // While Run shows the menu: the popup (else no menu).
  CMenu& GetPopup() { return m_menu; }

 private:
  friend class CContextWnd;
  struct Look;
  bool MakeWindow();
  void MakeMenu(CMenu* menu, long& index, short level);
  void MakeOwnerDrawn(HMENU menu);

  CMenu m_menu;
  CContextWnd m_wnd;
  int m_result = -1;
  bool m_tracking = false;
  std::unique_ptr<Look> m_look;  // the drawing resources and item texts of one Run
};
