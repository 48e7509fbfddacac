// The shell's system image list.
#include "SystemImageList.h"

#include <string.h>

namespace {

// Asks the shell; the icon it hands out with SHGFI_ICON is destroyed at once: only the index
// and the list are wanted, and an icon kept per call would exhaust the handle quota.
HIMAGELIST Ask(const wchar_t* path, UINT flags, SHFILEINFOW* info) {
  memset(info, 0, sizeof(*info));
  const DWORD_PTR list = SHGetFileInfoW(path, 0, info, sizeof(*info), flags);
  if (info->hIcon != NULL) {
    DestroyIcon(info->hIcon);
    info->hIcon = NULL;
  }
  return reinterpret_cast<HIMAGELIST>(list);
}

}  // namespace

CSystemImageList::CSystemImageList() : m_flags(SHGFI_SYSICONINDEX | SHGFI_ICON) {
  HIMAGELIST list = Ask(L"", m_flags, &m_info);
  if (list != NULL) Attach(list);
}

CSystemImageList::~CSystemImageList() { Detach(); }

void CSystemImageList::SetStyle(UINT flags) {
  Detach();
  m_flags = flags | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
  HIMAGELIST list = Ask(L"", m_flags, &m_info);
  if (list != NULL) Attach(list);
}

int CSystemImageList::GetIndex(const wchar_t* path) {
  if (path == NULL) return -1;
  if (Ask(path, m_flags, &m_info) == NULL) return -1;
  return m_info.iIcon;
}
