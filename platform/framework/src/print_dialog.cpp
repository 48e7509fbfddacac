// The print dialog, the record of a print job, and the checks and copies of the device
// blocks (DEVNAMES, DEVMODE) that printer DCs are made from.
#include <stddef.h>

#include "fw_print.h"
#include "fw_app.h"

namespace {

// The locked bytes of a global block and its size, unlocked at the end of the scope.
class LockedBlock {
 public:
  explicit LockedBlock(HGLOBAL h)
      : m_h(h), m_size(h != NULL ? ::GlobalSize(h) : 0), m_p(m_size != 0 ? ::GlobalLock(h) : NULL) {}
  ~LockedBlock() {
    if (m_p != NULL) ::GlobalUnlock(m_h);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  const BYTE* bytes() const { return static_cast<const BYTE*>(m_p); }
  SIZE_T size() const { return m_p != NULL ? m_size : 0; }

 private:
  HGLOBAL m_h;
  SIZE_T m_size;
  void* m_p;
};

// A name at offset (in characters) of a DEVNAMES block: inside the block, after the
// header, and ending inside it.
bool NameFits(const BYTE* bytes, SIZE_T size, WORD offset) {
  const SIZE_T start = static_cast<SIZE_T>(offset) * sizeof(TCHAR);
  if (start < sizeof(DEVNAMES) || start >= size) return false;
  const TCHAR* name = reinterpret_cast<const TCHAR*>(bytes + start);
  const SIZE_T chars = (size - start) / sizeof(TCHAR);
  for (SIZE_T i = 0; i < chars; ++i)
    if (name[i] == 0) return true;
  return false;
}

const SIZE_T kMinDevModeSize = offsetof(DEVMODE, dmFormName) + CCHFORMNAME * sizeof(TCHAR);

}  // namespace

BOOL AFXAPI AfxIsValidDevNames(HGLOBAL hDevNames) {
  LockedBlock block(hDevNames);
  if (block.size() < sizeof(DEVNAMES)) return FALSE;
  const DEVNAMES* dn = reinterpret_cast<const DEVNAMES*>(block.bytes());
  return NameFits(block.bytes(), block.size(), dn->wDriverOffset) &&
         NameFits(block.bytes(), block.size(), dn->wDeviceOffset) &&
         NameFits(block.bytes(), block.size(), dn->wOutputOffset);
}

BOOL AFXAPI AfxIsValidDevMode(HGLOBAL hDevMode) {
  LockedBlock block(hDevMode);
  if (block.size() < kMinDevModeSize) return FALSE;
  const DEVMODE* dm = reinterpret_cast<const DEVMODE*>(block.bytes());
  return dm->dmSize >= kMinDevModeSize &&
         static_cast<SIZE_T>(dm->dmSize) + dm->dmDriverExtra <= block.size();
}

HDC AFXAPI AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode) {
  if (!AfxIsValidDevNames(hDevNames)) return NULL;
  if (hDevMode != NULL && !AfxIsValidDevMode(hDevMode)) return NULL;
  LockedBlock names(hDevNames);
  LockedBlock mode(hDevMode);
  const DEVNAMES* dn = reinterpret_cast<const DEVNAMES*>(names.bytes());
  const TCHAR* base = reinterpret_cast<const TCHAR*>(dn);
  return ::CreateDC(base + dn->wDriverOffset, base + dn->wDeviceOffset, base + dn->wOutputOffset,
                    reinterpret_cast<const DEVMODE*>(mode.bytes()));
}

HGLOBAL AFXAPI AfxCopyGlobal(HGLOBAL hSource) {
  LockedBlock source(hSource);
  if (source.size() == 0) return NULL;
  HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, source.size());
  if (copy == NULL) return NULL;
  void* p = ::GlobalLock(copy);
  if (p == NULL) {
    ::GlobalFree(copy);
    return NULL;
  }
  memcpy(p, source.bytes(), source.size());
  ::GlobalUnlock(copy);
  return copy;
}

// --- CPrintDialog ---

IMPLEMENT_DYNAMIC(CPrintDialog, CDialog)

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) {
  memset(&m_pd, 0, sizeof(m_pd));
  m_pd.lStructSize = sizeof(m_pd);
  m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
  m_pd.nCopies = 1;
  m_pParentWnd = pParentWnd;
}

CPrintDialog::~CPrintDialog() {}

INT_PTR CPrintDialog::DoModal() {
  m_pd.hwndOwner = PreModal();
  // The system's dialog answers its own buttons: bound to this object, OK and Cancel would
  // end it through CDialog's handlers, past its own reading of the choices.
  AfxUnhookWindowCreate();
  const BOOL ok = ::PrintDlg(&m_pd);
  PostModal();
  return ok ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults() {
  // The defaults are new blocks: blocks already there would be lost.
  if (m_pd.hDevMode != NULL || m_pd.hDevNames != NULL) return FALSE;
  const DWORD flags = m_pd.Flags;
  m_pd.Flags |= PD_RETURNDEFAULT;
  m_pd.Flags &= ~PD_PRINTSETUP;
  const BOOL ok = ::PrintDlg(&m_pd);
  m_pd.Flags = flags;
  return ok;
}

CString CPrintDialog::DevName(int which) const {
  if (!AfxIsValidDevNames(m_pd.hDevNames)) return CString();
  LockedBlock names(m_pd.hDevNames);
  const DEVNAMES* dn = reinterpret_cast<const DEVNAMES*>(names.bytes());
  const WORD offsets[3] = {dn->wDriverOffset, dn->wDeviceOffset, dn->wOutputOffset};
  return CString(reinterpret_cast<const TCHAR*>(dn) + offsets[which]);
}

CString CPrintDialog::GetDriverName() const { return DevName(0); }
CString CPrintDialog::GetDeviceName() const { return DevName(1); }
CString CPrintDialog::GetPortName() const { return DevName(2); }

LPDEVMODE CPrintDialog::GetDevMode() const {
  if (!AfxIsValidDevMode(m_pd.hDevMode)) return NULL;
  return static_cast<LPDEVMODE>(::GlobalLock(m_pd.hDevMode));
}

HDC CPrintDialog::CreatePrinterDC() {
  m_pd.hDC = AfxCreateDC(m_pd.hDevNames, m_pd.hDevMode);
  return m_pd.hDC;
}

int CPrintDialog::GetCopies() const {
  if ((m_pd.Flags & PD_USEDEVMODECOPIES) != 0) {
    LPDEVMODE dm = GetDevMode();
    if (dm != NULL) {
      const int copies = (dm->dmFields & DM_COPIES) != 0 && dm->dmCopies > 0 ? dm->dmCopies : 1;
      ::GlobalUnlock(m_pd.hDevMode);
      return copies;
    }
  }
  return m_pd.nCopies > 0 ? m_pd.nCopies : 1;
}

BOOL CPrintDialog::PrintCollate() const {
  if ((m_pd.Flags & PD_USEDEVMODECOPIES) != 0) {
    LPDEVMODE dm = GetDevMode();
    if (dm != NULL) {
      const BOOL collate = (dm->dmFields & DM_COLLATE) != 0 && dm->dmCollate == DMCOLLATE_TRUE;
      ::GlobalUnlock(m_pd.hDevMode);
      return collate;
    }
  }
  return (m_pd.Flags & PD_COLLATE) != 0;
}

// --- CPrintInfo ---

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)) {
  SetMinPage(1);
  SetMaxPage(0xFFFF);
  m_pPD->m_pd.nFromPage = 1;
  m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo() {
  if (m_pPD != NULL && m_pPD->m_pd.hDC != NULL) ::DeleteDC(m_pPD->m_pd.hDC);
  delete m_pPD;
}
