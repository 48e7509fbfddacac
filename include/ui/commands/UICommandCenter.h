// The framework command centre: the registry of every command of the host and its extension
// modules, filled from their command tables and the host's accelerator table, with the
// security tables that the host's rights callback is asked about.
#pragma once
#include <fw_coll.h>
#include <fw_dc.h>
#include <fw_imagelist.h>

#include "UICommand.h"

// The host's rights callback: given a security id (or a command id ORed with
// UI_SECURITY_COMMAND_BIT), a status whose low 16 bits count.
typedef DWORD (*UISecurityCallback)(DWORD id);

// Security statuses: 1 and 4 let a command run, 2 and 3 disable it; others are the host's.
enum {
  UI_SECURITY_ALLOWED = 1,
  UI_SECURITY_DISABLED = 2,
  UI_SECURITY_HIDDEN = 3,
  UI_SECURITY_ALLOWED_TOO = 4,
};
#define UI_SECURITY_COMMAND_BIT 0x40000000UL

// Ids of the user's custom commands.
enum { UI_FIRST_CUSTOM_COMMAND = 15000, UI_LAST_CUSTOM_COMMAND = 15999 };

class QUARNEL_API CUICommandCenter : public CObject {
 public:
  // The process-wide centre, made on first use and destroyed at unload.
  static CUICommandCenter& GetCommandCenter();

  CUICommandCenter();
  ~CUICommandCenter() override;

  // Stores the callback, loads the tables of the host and of every extension module of the
  // chain, then takes the hot keys of the accelerator table (0: none). 0 only when the
  // framework has no module state.
  virtual int Init(UISecurityCallback callback, UINT acceleratorId);
  // Reads the tables of one module: security families, security commands, commands and
  // categories. Always 1.
  virtual int LoadCommands(HINSTANCE module);
  // 0 for NULL or an id already present (the command is not taken), else 1: the centre owns it.
  virtual int AddCommand(CUICommand* command);
  // Removes the command and gives it back, not deleted; NULL when absent.
  virtual CUICommand* RemoveCommand(WORD id);
  virtual CUICommand* GetCommand(WORD id);
  // A new custom command with the lowest free id from 15000; NULL when all are taken.
  virtual CUICustomCommand* CreateCustomCommand(WORD key, WORD flags, CString& name, CString& menuText,
                                                CString& tooltip, CString& message, HBITMAP bitmap);
  // The user's rights: 1 without a callback; else the callback's answer for the security id
  // and, when that is 1 and commandId is not 0, its answer for commandId | 0x40000000.
  virtual DWORD GetSecurityCommandStatus(DWORD securityId, int unused, DWORD commandId);
  // 1 for NULL, else the rights of the command's security id and command id.
  virtual DWORD GetSecurityCommandStatus(CUICommand* command);
  // The category's label text and 1; 0 when the category is unknown.
  virtual int GetCategory(WORD id, CString& text);

  // The image list of the command's bitmap strip, loaded once per bitmap id; NULL when the
  // command is unknown or the strip cannot be loaded.
  CImageList* GetImageList(WORD commandId);
  // Draws the command's image at (x, y), transparent; nothing when it has none.
  void DrawCmdIcon(WORD commandId, CDC* dc, int x, int y, int unused);

  // The security records read from the tables; NULL when absent.
  const tagSECURITY_FAMILY* GetSecurityFamily(WORD familyId) const;
  const tagSECURITY_COMMAND* GetSecurityCommand(DWORD securityId) const;
  int GetCommandCount() const { return static_cast<int>(m_mapCommands.GetCount()); }

 private:
  CUICommandCenter(const CUICommandCenter&) = delete;
  CUICommandCenter& operator=(const CUICommandCenter&) = delete;
  friend class CUICommandTableSink;
  void AddTableCommand(tagCOMMAND& record);
  void ApplyAccelerators(UINT acceleratorId);

  CMap<WORD, WORD, tagSECURITY_FAMILY, const tagSECURITY_FAMILY&> m_mapFamilies;
  CMap<DWORD, DWORD, tagSECURITY_COMMAND, const tagSECURITY_COMMAND&> m_mapSecurityCommands;
  CMap<WORD, WORD, CUICommand*, CUICommand*> m_mapCommands;
  CMap<WORD, WORD, CImageList*, CImageList*> m_mapImageLists;
  UISecurityCallback m_pfnSecurity;
  CMap<WORD, WORD, DWORD, DWORD> m_mapCategories;
};
