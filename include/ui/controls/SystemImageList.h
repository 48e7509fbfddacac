// The shell's system image list, borrowed: the shell owns it, this object only attaches it.
#pragma once
#include <fw_imagelist.h>

#include <shellapi.h>

#include "quarnel_api.h"

class QUARNEL_API CSystemImageList : public CImageList {
 public:
  // Attaches the list of large icons.
  CSystemImageList();
  // Detaches the list; the shell keeps it.
  ~CSystemImageList() override;
  // Attaches the list the shell gives for these flags plus SHGFI_SYSICONINDEX | SHGFI_SMALLICON
  // (the flags then used by GetIndex).
  void SetStyle(UINT flags);
  // The index of the file's icon in the list; -1 when the shell does not know the path.
  int GetIndex(const wchar_t* path);
  operator CImageList*() { return this; }

 protected:
  UINT m_flags;
  SHFILEINFOW m_info;
};
