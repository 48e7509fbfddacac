// Commands of the framework side: one per menu item, toolbar button or accelerator of the host,
// made from the command tables (CUICommand) or defined by the user at run time
// (CUICustomCommand).
#pragma once
#include "CommandTables.h"
#include "quarnel_api.h"

#include <fw_geometry.h>
#include <fw_object.h>
#include <fw_string.h>

class CUICommandCenter;
class CWnd;

class QUARNEL_API CUICommand : public CObject {
  DECLARE_DYNCREATE(CUICommand)
 public:
  CUICommand();
  ~CUICommand() override;

  // Copies a table record: ids, labels, key and image as they stand; the hot-key flags as
  // accelerator flags (FVIRTKEY, and FALT, FCONTROL, FSHIFT from the modifier bits); no bitmap
  // and no tooltip override.
  CUICommand& operator=(tagCOMMAND& record);

  // A control that stands for the command on a toolbar; NULL for plain commands.
  virtual CWnd* CreateControlForToolbar(CWnd* parent, CRect& rect, UINT id);
  // The status-bar message.
  virtual void GetMessageString(CString& text);
  // The tooltip override (unless fromLabel) or the tooltip label, then the hot key in tooltip
  // form while hot keys are shown in tooltips.
  virtual void GetTooltipString(CString& text, int fromLabel);
  // The alternative menu text (when asked for and set) or the menu text, then the hot key in
  // menu form.
  virtual void GetMenuStringW(CString& text, int alternative);
  virtual void SetTooltipString(CString& text);
  virtual void OnHotChange(int hot);
  virtual int IsCustomCommand();
  virtual void DeleteControlFromToolbar();

  WORD m_wID;
  WORD m_wSpare1;
  WORD m_wCheckStyle;
  WORD m_wSpare3;
  DWORD m_dwSecurityID;
  WORD m_wHotKey;
  WORD m_wHotKeyFlags;  // FVIRTKEY | FALT | FCONTROL | FSHIFT
  DWORD m_dwCommandClassLabel;
  DWORD m_dwControlClassLabel;
  DWORD m_dwNameLabel;
  DWORD m_dwMenuLabel;
  DWORD m_dwAltMenuLabel;
  DWORD m_dwTooltipLabel;
  DWORD m_dwMessageLabel;
  WORD m_wBitmapID;
  WORD m_wImageIndex;
  DWORD m_dwHelpID;
  DWORD m_dwValue;
  HBITMAP m_hBitmap;  // the command's own bitmap (custom commands), owned
  CString m_strReserved;
  CString m_strTooltip;  // empty: use the tooltip label

 protected:
  // The hot key's text in menu or tooltip form, appended to `text` when the command has a key.
  void AppendHotKey(CString& text, int tooltipForm) const;
};

// A command the user defines at run time, with an id from 15000 to 15999. It is counted:
// created with one reference, removed from its command centre (when the centre still maps
// its id to it) and deleted at the last Release.
class QUARNEL_API CUICustomCommand : public CUICommand {
  DECLARE_DYNAMIC(CUICustomCommand)
 public:
  CUICustomCommand(CUICommandCenter* center, WORD id, WORD key, WORD flags, const CString& name,
                   const CString& menuText, const CString& tooltip, const CString& message, HBITMAP bitmap);
  ~CUICustomCommand() override;

  void GetMessageString(CString& text) override;
  void GetTooltipString(CString& text, int fromLabel) override;
  void GetMenuStringW(CString& text, int alternative) override;
  int IsCustomCommand() override;
  void GetCommandName(CString& text);

  int AddRef();
  int Release();
  // Makes the command's bitmap a copy of `bitmap` (NULL: no bitmap). The copy is made before
  // the old bitmap is freed, so the command's own handle may be passed.
  void ChangeHBitmap(HBITMAP bitmap);

  CString m_strMessage;
  CString m_strCustomTooltip;
  CString m_strMenu;
  CString m_strName;

 private:
  CUICommandCenter* m_pCenter;
  int m_nRefCount;
};

// Whether tooltips show the command's hot key (on at load); the toolbar settings set it.
QUARNEL_API BOOL UIGetShowHotKeyInTooltip();
QUARNEL_API void UISetShowHotKeyInTooltip(BOOL show);
