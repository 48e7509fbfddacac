// Toolbars of the portable layer.
//
// The thin toolbar (QvToolbar with its tools, managed by a QvToolbarMgr) binds a few portable
// tools to a framework toolbar (CGUIToolbar).
//
// The command-built toolbar is the one hosts use for their real bars: QvToolBarManager keeps
// named toolbars (CGUIMultipleBitmapToolbar), each filled from RCDATA button lists of 16-bit
// command ids (0xFFFF a separator, 0 the end). Every button takes its image, style and tooltip
// from the command's definition in the portable command centre; a command that names a class
// gets a control made by a control maker of that class (QvControlMaker) in place of a button.
// A command whose rights status is 3 gets no button at all.
//
// Each command bitmap exists as four resources with consecutive ids: id + 0 small colour,
// id + 1 large colour, id + 2 small plain, id + 3 large plain. The images are the left half
// of the bitmap (the right half holds masks, which these bars do not use); black, dark grey,
// light grey and white are mapped to the system's button colours.
//
// The manager keeps four user settings ("Color", "Large", "Show Tool Tip", "Show Short Cut")
// as DWORDs in the configuration key QVTOOLBAR_SETTINGS_KEY and rebuilds every toolbar when
// the colour or size setting changes.
#pragma once
#include <vector>

#include <framework.h>
#include <fw_bars.h>
#include <vekkel.h>

#include "QvStandardShortCuts.h"
#include "quarnel_api.h"

// The configuration key of the toolbar settings.
#define QVTOOLBAR_SETTINGS_KEY "%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\%APPSHORTNAME%\\Toolbar"

class QvCommandDef;
class QvToolbar;
class CGUIToolbar;

// ---------------------------------------------------------------------------------------
// Thin toolbar.

class QUARNEL_API QvRootToolbarMgr : public QvFirst {
  QV_DECLARE_CLASS(QvRootToolbarMgr)
 public:
  QvRootToolbarMgr() = default;
  virtual bool NewContext(unsigned short bitmapId) = 0;
  virtual bool LoadUserContext(QvVirtualInputStream* stream);  // true
  virtual bool SaveUserContext(QvVirtualOutputStream* stream);  // true
  virtual void UpdateAll() = 0;

 protected:
  QvListLPVoid m_list;  // kept for subclasses; nothing here uses it
};

class QUARNEL_API QvToolbarMgr : public QvRootToolbarMgr {
  QV_DECLARE_CLASS(QvToolbarMgr)
 public:
  QvToolbarMgr() = default;
  ~QvToolbarMgr() override;
  // A fixed toolbar docked in the toolbar frame (see Get_GlobalTemporayAccessforMFCMainWindow)
  // with seven command tools (0xE101, then 9 to 14) over the images of the bitmap. A toolbar
  // made before is deleted first. False when there is no frame or the bar cannot be made.
  bool NewContext(unsigned short bitmapId) override;
  bool LoadUserContext(QvVirtualInputStream* stream) override;  // false
  bool SaveUserContext(QvVirtualOutputStream* stream) override;  // false
  void UpdateAll() override {}
  QvToolbar* GetToolbar() const { return m_toolbar; }

 private:
  QvToolbar* m_toolbar = nullptr;  // owned
};

class QUARNEL_API QvRootToolbar : public QvFirst {
  QV_DECLARE_CLASS(QvRootToolbar)
};

class QvTool;

class QUARNEL_API QvToolbar : public QvRootToolbar {
  QV_DECLARE_CLASS(QvToolbar)
 public:
  // Makes its CGUIToolbar in the parent (IsCreated tells whether the window exists).
  QvToolbar(CWnd* parent, unsigned long style, unsigned int id);
  ~QvToolbar() override;
  // Takes the tool (made with new) and lays out every tool again; the button index of the
  // last tool, -1 when the bar has no window.
  virtual short AddTool(QvTool& tool);
  CGUIToolbar* GetGUIToolbar() const { return m_bar; }
  bool IsCreated() const;

 private:
  QvToolbar(const QvToolbar&) = delete;
  QvToolbar& operator=(const QvToolbar&) = delete;
  CGUIToolbar* m_bar;  // owned
};

class QUARNEL_API QvRootTool : public QvFirst {
  QV_DECLARE_CLASS(QvRootTool)
};

class QUARNEL_API QvTool : public QvRootTool {
  QV_DECLARE_CLASS(QvTool)
 public:
  explicit QvTool(QvToolbar* toolbar) : m_toolbar(toolbar) {}
  void Init(int index, unsigned int id, unsigned int style, int image);

  virtual bool ElasticHeight();  // false
  virtual bool ElasticWidth();   // false
  // Height and width of the tool's item rectangle in its bar (0 without one).
  virtual long GetHeight();
  virtual void SetHeight(long) {}
  virtual bool GetNearestMagneticHeights(long, long&, long&);  // false
  virtual bool GetNearestMagneticWidths(long, long&, long&);   // false
  virtual long GetWidth();
  virtual void SetWidth(long) {}
  virtual bool GetToolTip(QvString&);      // false
  virtual bool GetHelpMessage(QvString&);  // false

  int m_index = 0;
  unsigned int m_id = 0;
  unsigned int m_style = 0;
  int m_image = 0;
  QvToolbar* m_toolbar;

 private:
  long ItemExtent(bool height);
};

class QUARNEL_API QvCommandTool : public QvTool {
  QV_DECLARE_CLASS(QvCommandTool)
 public:
  explicit QvCommandTool(QvToolbar* toolbar) : QvTool(toolbar) {}
};

class QUARNEL_API CGUIToolbar : public CToolBar {
  DECLARE_DYNAMIC(CGUIToolbar)
 public:
  explicit CGUIToolbar(QvToolbar* toolbar) : m_toolbar(toolbar) {}
  ~CGUIToolbar() override;  // deletes the tools, last first
  // Appends the tool (taking it), sizes the bar to the tool count and sets every button from
  // its tool in order; the index of the last button.
  short AddTool(QvTool& tool);
  QvToolbar* GetQvToolbar() const { return m_toolbar; }
  INT_PTR GetToolCount() const { return m_tools.GetSize(); }

 private:
  QvToolbar* m_toolbar;
  CPtrArray m_tools;  // QvTool*, owned
};

// ---------------------------------------------------------------------------------------
// Command-built toolbar.

// Images of the command bitmaps: the value is added to every bitmap id.
enum QvToolBarBitmapStyle {
  QvToolBarSmallColor = 0,
  QvToolBarLargeColor = 1,
  QvToolBarSmallPlain = 2,
  QvToolBarLargePlain = 3
};

// A maker of the control that stands on a toolbar for a command that names a control class.
// Concrete makers come from the host and are created by that class name; the toolbar owns
// its makers (one per command) and deletes them with itself.
class QUARNEL_API QvControlMaker : public QvFirst {
  QV_DECLARE_CLASS(QvControlMaker)
 public:
  // Makes the control in the toolbar over `space` (toolbar client coordinates) for the
  // command; false when it cannot.
  virtual bool CreateControl(CWnd* toolbar, RECT* space, unsigned int commandId) = 0;
  // How many placeholder separators the control's space takes (at least 1).
  virtual unsigned short GetSeparatorCount() = 0;
  // The control made, null before.
  virtual CWnd* GetControl() = 0;
};

class QUARNEL_API QvComboBoxMaker : public QvControlMaker {
  QV_DECLARE_CLASS(QvComboBoxMaker)
 public:
  QvComboBoxMaker() = default;
  ~QvComboBoxMaker() override;
  // Gives the control the stock font that suits the running Windows version (none for an
  // unknown version), redrawing it.
  virtual void SetSystemFont(CWnd* control);

 protected:
  CFont m_font;  // holds a stock font, never deleted
};

class QUARNEL_API CGUIToolBar : public CToolBar {
  DECLARE_DYNAMIC(CGUIToolBar)
 public:
  CGUIToolBar() = default;
  // CToolBar::Create, then the button structure size and the parent as the control's
  // notification window.
  BOOL Create(CWnd* parent, DWORD style, UINT id) override;
  using CToolBar::Create;

 protected:
  // The help context of the command under the point (0 when none).
  afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);

  QvMapULongLPQvFirst m_makers;  // command id -> QvControlMaker*, owned by the subclass

  DECLARE_MESSAGE_MAP()
};

class QUARNEL_API CGUIMultipleBitmapToolbar : public CGUIToolBar {
  DECLARE_DYNAMIC(CGUIMultipleBitmapToolbar)
 public:
  explicit CGUIMultipleBitmapToolbar(unsigned int id);  // small colour images
  CGUIMultipleBitmapToolbar(QvToolBarBitmapStyle style, unsigned int id);
  ~CGUIMultipleBitmapToolbar() override;

  // Makes the bar with its button and image sizes, then fills it from every memorised
  // button list in order. The result is that of making the window.
  BOOL Create(CWnd* parent, DWORD style);

  // Adds the buttons of the RCDATA button list (memorising its id when asked). FALSE when the
  // list is missing or one of its entries could not be placed (the others are still added).
  BOOL AddToolBar(unsigned int resourceId, int memorize);
  void MemorizeToolBar(unsigned int resourceId) { m_resources.Add(static_cast<unsigned short>(resourceId)); }
  const QvArrayUShort& GetToolBarResource() const { return m_resources; }
  // Places one command (see the file comment); non-zero when it was placed, or left out
  // because of its rights.
  BOOL AddButtonFromCommand(unsigned int commandId);

  // Shows or hides the bar in its frame and records it; before the bar is made, only records.
  void Show(bool show);
  void MemorizeShow(bool show) { m_shown = show; }
  bool IsMemorizedShow() const { return m_shown; }
  void ShowToolTips(bool show);
  bool IsShowed() const { return IsVisible() != FALSE; }

  QvToolBarBitmapStyle GetToolBarBitmapStyle() const { return m_style; }
  unsigned int GetToolBarId() const { return m_id; }
  void SetContextualMenuMode(bool mode) { m_contextualMenu = mode; }
  bool GetContextualMenuMode() const { return m_contextualMenu; }
  // The maker of the control placed for the command, null when none.
  QvControlMaker* GetControlMaker(unsigned int commandId) const;

 private:
  // The first image of the bitmap (key = bitmap id + style) in the bar's images, loading it on
  // first use; false when it cannot be loaded. `count` receives its number of images.
  bool ImageBase(unsigned int key, unsigned short& base, unsigned short& count);
  BOOL AddControl(unsigned int commandId, const QvCommandDef& def);
  // Adds the button, or keeps it for FlushPendingButtons while a button list is being added.
  BOOL AddOneButton(TBBUTTON& button);
  // Adds the kept buttons in one go; FALSE when the control refused them.
  BOOL FlushPendingButtons();

  QvMapUShortUShort m_bitmapBases;   // bitmap key -> first image
  QvMapUShortUShort m_bitmapCounts;  // bitmap key -> its number of images
  QvArrayUShort m_loadedBitmaps;     // keys in loading order
  QvArrayUShort m_resources;         // memorised button lists
  QvListLPVoid m_bitmaps;            // CBitmap*, owned
  WORD m_nextImage = 0;
  QvToolBarBitmapStyle m_style;
  WORD m_imageWidth;
  WORD m_bitmapOffset;
  int m_buttonCx, m_buttonCy, m_imageCx, m_imageCy;
  bool m_shown = true;
  bool m_contextualMenu = false;
  unsigned int m_id;
  std::vector<TBBUTTON>* m_pending = nullptr;  // while AddToolBar adds a list
};

class QUARNEL_API QvToolBarManager : public QvFirst {
  QV_DECLARE_CLASS(QvToolBarManager)
 public:
  // Reads the settings; the first manager alive makes the list of standard shortcuts.
  QvToolBarManager();
  // Deletes its toolbars (as DestroyAllToolBars), with their control makers and controls, and
  // the toolbars menu; the last manager alive deletes the list of standard shortcuts.
  ~QvToolBarManager() override;

  // A new toolbar under the name, with a toolbars-menu item (id, name). A toolbar already
  // stored under the name is deleted and replaced in its place: one toolbar per name.
  CGUIMultipleBitmapToolbar* AddToolBar(const QvString& name, bool show, unsigned int id);
  CGUIMultipleBitmapToolbar* GetToolBar(const QvString& name) const;
  // Fills the named toolbar from the button list (memorised); a bar that then has no button
  // but separators leaves the toolbars menu. False when there is no such toolbar or list.
  bool AddToolBarResource(const QvString& name, unsigned int resourceId);
  // Makes every toolbar not made yet, in the order added, in the parent (its window text is
  // its name; a bar recorded as hidden is hidden). False at the first that cannot be made.
  bool CreateToolBars(CWnd* parent);
  // Replaces the named toolbar by a fresh one of the current style with the same lists and
  // shown state, not made yet.
  void UpdateToolBar(const QvString& name);
  // Replaces every toolbar and makes them again in the toolbar frame.
  void UpdateAllToolBars();
  void UpdateButtonSettings(bool colour, bool large);
  void UpdateToolTips(bool show);
  void UpdateShowShortKey(bool show);
  void GetCurrentSettings(bool& colour, bool& large, bool& toolTips, bool& shortCuts) const;
  void HideToolBar(const QvString& name);
  void ShowToolBar(const QvString& name);
  // Deletes every toolbar and forgets them (names, menu items).
  void DestroyAllToolBars();

  const QvDictionaryLPVoid& GetToolBarsDictionnary() const { return m_toolbars; }
  const QvListQvString& GetToolBarNames() const { return m_names; }
  CMenu* GetContextualMenu() const { return m_menu; }
  unsigned long GetBitmapStyle() const { return m_bitmapStyle; }

 private:
  QvToolBarManager(const QvToolBarManager&) = delete;
  QvToolBarManager& operator=(const QvToolBarManager&) = delete;
  void ComputeBitmapStyle() { m_bitmapStyle = (m_large ? 1 : 0) + (m_colour ? 0 : 2); }

  QvDictionaryLPVoid m_toolbars;  // name -> CGUIMultipleBitmapToolbar*, owned
  QvListQvString m_names;         // in the order added
  bool m_colour = true;
  bool m_large = false;
  bool m_toolTips = true;
  bool m_shortCuts = true;
  unsigned long m_bitmapStyle = 0;
  CMenu* m_menu;  // owned
};

// Docks the bar on the side of `under`, one row below it.
QUARNEL_API void DockControlBarUnderOf(CFrameWnd* frame, CToolBar* bar, CToolBar* under);
