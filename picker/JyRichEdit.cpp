// The rich-edit controls: formats, font and effect commands, the OLE callback and links.
#include "JyRichEdit.h"

#include <Pellix.h>
#include <commdlg.h>

#include "LinkTargetKind.h"
#include "Trace.h"

namespace {
// The font command of the format menu.
const UINT kFormatFont = 57696;

// Wait cursor for the length of a scope.
class WaitCursor {
 public:
  explicit WaitCursor(CCmdTarget* target) : m_target(target) { m_target->BeginWaitCursor(); }
  ~WaitCursor() { m_target->EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  CCmdTarget* m_target;
};

// Opens a clicked link: web and mail addresses only (one written from "www." is a web address);
// anything else (a file, a drive or network path, a program, another scheme) is refused, as
// the framework side's links refuse it without consent. FALSE when nothing was opened.
BOOL OpenLinkAddress(CCmdTarget* target, const CString& address) {
  TESSVIK_TRACE("BOOL OpenLinkAddress");
  if (address.IsEmpty()) return FALSE;
  CString open = address;
  if (open.GetLength() > 4 && open.Left(4).CompareNoCase(_T("www.")) == 0) open = _T("http://") + open;
  const int n = MultiByteToWideChar(CP_ACP, 0, open, -1, NULL, 0);
  CArray<WCHAR, WCHAR> wide;
  wide.SetSize(n > 0 ? n : 1);
  wide[0] = 0;
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, open, -1, wide.GetData(), n);
  if (!LinkTargetOpensFreely(wide.GetData())) {
    MessageBeep(MB_ICONWARNING);
    return FALSE;
  }
  WaitCursor wait(target);
  return NavigateURL(open, SW_SHOW);
}
}  // namespace

IMPLEMENT_DYNAMIC(CJyRichEdit, CRichEditCtrl)

BEGIN_MESSAGE_MAP(CJyRichEdit, CRichEditCtrl)
  ON_WM_CREATE()
  ON_WM_RBUTTONUP()
  ON_COMMAND(kFormatFont, &CJyRichEdit::OnFormatFont)
  ON_NOTIFY_REFLECT_EX(EN_LINK, &CJyRichEdit::OnENLink)
  ON_NOTIFY_REFLECT_EX(EN_MSGFILTER, &CJyRichEdit::OnENMsgFilter)
END_MESSAGE_MAP()

BEGIN_INTERFACE_MAP(CJyRichEdit, CRichEditCtrl)
  INTERFACE_PART(CJyRichEdit, IID_IRichEditOleCallback, RichEditOleCallback)
END_INTERFACE_MAP()

CJyRichEdit::CJyRichEdit() : m_charformat(), m_paraformat(), m_bSyncCharFormat(TRUE), m_bSyncParaFormat(TRUE) {
  TESSVIK_TRACE("CJyRichEdit::CJyRichEdit");
  m_charformat.cbSize = sizeof(CHARFORMAT);
  m_paraformat.cbSize = sizeof(PARAFORMAT);
}

CJyRichEdit::~CJyRichEdit() { TESSVIK_TRACE("CJyRichEdit::~CJyRichEdit"); }

BOOL CJyRichEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  TESSVIK_TRACE("BOOL CJyRichEdit::Create");
  return CRichEditCtrl::Create(dwStyle, rect, pParentWnd, nID);
}

BOOL CJyRichEdit::InitOle() {
  TESSVIK_TRACE("BOOL CJyRichEdit::InitOle");
  return static_cast<BOOL>(SendMessage(EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(&m_xRichEditOleCallback)));
}

CHARFORMAT& CJyRichEdit::GetCharFormatSelection() {
  TESSVIK_TRACE("CHARFORMAT& CJyRichEdit::GetCharFormatSelection");
  GetSelectionCharFormat(m_charformat);
  return m_charformat;
}

void CJyRichEdit::SetCharFormat(CHARFORMAT cf) {
  TESSVIK_TRACE("void CJyRichEdit::SetCharFormat");
  WaitCursor wait(this);
  SetSelectionCharFormat(cf);
}

void CJyRichEdit::OnCharEffect(DWORD dwMask, DWORD dwEffect) {
  TESSVIK_TRACE("void CJyRichEdit::OnCharEffect");
  GetCharFormatSelection();
  if (m_charformat.dwMask & dwMask)
    m_charformat.dwEffects ^= dwEffect;
  else
    m_charformat.dwEffects |= dwEffect;
  m_charformat.dwMask = dwMask;
  SetCharFormat(m_charformat);
}

void CJyRichEdit::OnUpdateCharEffect(CCmdUI* pCmdUI, DWORD dwMask, DWORD dwEffect) {
  TESSVIK_TRACE("void CJyRichEdit::OnUpdateCharEffect");
  GetCharFormatSelection();
  pCmdUI->SetCheck((m_charformat.dwMask & dwMask) ? ((m_charformat.dwEffects & dwEffect) ? 1 : 0) : 2);
}

void CJyRichEdit::SetTextColor(COLORREF colour) {
  TESSVIK_TRACE("void CJyRichEdit::SetTextColor");
  m_charformat.dwMask = CFM_COLOR;
  m_charformat.dwEffects = 0;
  m_charformat.crTextColor = colour;
  SetCharFormat(m_charformat);
}

PARAFORMAT& CJyRichEdit::GetParaFormatSelection() {
  TESSVIK_TRACE("PARAFORMAT& CJyRichEdit::GetParaFormatSelection");
  GetParaFormat(m_paraformat);
  m_bSyncParaFormat = FALSE;
  return m_paraformat;
}

void CJyRichEdit::SetParaFormat(PARAFORMAT& pf) {
  TESSVIK_TRACE("void CJyRichEdit::SetParaFormat");
  WaitCursor wait(this);
  CRichEditCtrl::SetParaFormat(pf);
  m_bSyncParaFormat = TRUE;
}

void CJyRichEdit::OnFormatFont() {
  TESSVIK_TRACE("void CJyRichEdit::OnFormatFont");
  GetCharFormatSelection();
  LOGFONTA lf = {};
  HDC screen = ::GetDC(NULL);
  if (m_charformat.dwMask & CFM_SIZE) lf.lfHeight = -MulDiv(m_charformat.yHeight, GetDeviceCaps(screen, LOGPIXELSY), 1440);
  ::ReleaseDC(NULL, screen);
  lf.lfWeight = (m_charformat.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (m_charformat.dwEffects & CFE_ITALIC) != 0;
  lf.lfUnderline = (m_charformat.dwEffects & CFE_UNDERLINE) != 0;
  lf.lfStrikeOut = (m_charformat.dwEffects & CFE_STRIKEOUT) != 0;
  lf.lfCharSet = m_charformat.bCharSet;
  lf.lfPitchAndFamily = m_charformat.bPitchAndFamily;
  lstrcpynA(lf.lfFaceName, m_charformat.szFaceName, LF_FACESIZE);
  CHOOSEFONTA cf = {};
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = m_hWnd;
  cf.lpLogFont = &lf;
  cf.rgbColors = m_charformat.crTextColor;
  cf.Flags = 0x803 | CF_LIMITSIZE | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
  cf.nSizeMin = 9;
  cf.nSizeMax = 24;
  if (!ChooseFontA(&cf)) return;
  CHARFORMAT chosen = {};
  chosen.cbSize = sizeof(chosen);
  chosen.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_SIZE | CFM_FACE | CFM_COLOR | CFM_CHARSET;
  chosen.dwEffects = (lf.lfWeight >= FW_BOLD ? CFE_BOLD : 0) | (lf.lfItalic ? CFE_ITALIC : 0) |
                     (lf.lfUnderline ? CFE_UNDERLINE : 0) | (lf.lfStrikeOut ? CFE_STRIKEOUT : 0);
  chosen.yHeight = cf.iPointSize * 2;  // tenths of a point to twips
  chosen.crTextColor = cf.rgbColors;
  chosen.bCharSet = lf.lfCharSet;
  chosen.bPitchAndFamily = lf.lfPitchAndFamily;
  lstrcpynA(chosen.szFaceName, lf.lfFaceName, LF_FACESIZE);
  SetCharFormat(chosen);
}

CString CJyRichEdit::TextOfRange(const CHARRANGE& range) {
  CHARRANGE old;
  GetSel(old);
  CHARRANGE link = range;
  SetSel(link);
  CString text = GetSelText();
  SetSel(old);
  return text;
}

void CJyRichEdit::InsertText(LPCWSTR text) {
  SETTEXTEX st = {ST_SELECTION | ST_KEEPUNDO, 1200};
  SendMessage(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&st), reinterpret_cast<LPARAM>(text));
}

BOOL CJyRichEdit::OnENLink(NMHDR* pNMHDR, LRESULT* pResult) {
  TESSVIK_TRACE("BOOL CJyRichEdit::OnENLink");
  *pResult = 0;
  ENLINK* link = reinterpret_cast<ENLINK*>(pNMHDR);
  if (link->msg == WM_LBUTTONUP) {
    OpenLinkAddress(this, TextOfRange(link->chrg));
    *pResult = 1;
  }
  return TRUE;
}

BOOL CJyRichEdit::OnENMsgFilter(NMHDR* pNMHDR, LRESULT*) {
  TESSVIK_TRACE("BOOL CJyRichEdit::OnENMsgFilter");
  MSGFILTER* filter = reinterpret_cast<MSGFILTER*>(pNMHDR);
  bool key = filter->msg == WM_KEYDOWN || filter->msg == WM_KEYUP;
  return key && filter->wParam == VK_RETURN && (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

void CJyRichEdit::OnRButtonUp(UINT nFlags, CPoint point) { CRichEditCtrl::OnRButtonUp(nFlags, point); }

int CJyRichEdit::OnCreate(LPCREATESTRUCT lpcs) { return CRichEditCtrl::OnCreate(lpcs); }

// The OLE callback.

IMPLEMENT_PART_IUNKNOWN(CJyRichEdit, RichEditOleCallback)

STDMETHODIMP CJyRichEdit::XRichEditOleCallback::GetNewStorage(LPSTORAGE* ppStg) {
  METHOD_PROLOGUE(CJyRichEdit, RichEditOleCallback)
  TESSVIK_TRACE("CJyRichEdit::XRichEditOleCallback::GetNewStorage");
  if (ppStg == NULL) return E_INVALIDARG;
  *ppStg = NULL;
  // A flat storage in memory, gone with its last reference.
  LPLOCKBYTES bytes = NULL;
  if (FAILED(CreateILockBytesOnHGlobal(NULL, TRUE, &bytes))) return E_OUTOFMEMORY;
  HRESULT hr = StgCreateDocfileOnILockBytes(bytes, STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_READWRITE, 0, ppStg);
  bytes->Release();
  return SUCCEEDED(hr) && *ppStg != NULL ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CJyRichEdit::XRichEditOleCallback::GetInPlaceContext(LPOLEINPLACEFRAME*, LPOLEINPLACEUIWINDOW*,
                                                                 LPOLEINPLACEFRAMEINFO) {
  return E_NOTIMPL;
}
STDMETHODIMP CJyRichEdit::XRichEditOleCallback::ShowContainerUI(BOOL) { return E_NOTIMPL; }
STDMETHODIMP CJyRichEdit::XRichEditOleCallback::QueryInsertObject(LPCLSID, LPSTORAGE, LONG) { return S_OK; }
STDMETHODIMP CJyRichEdit::XRichEditOleCallback::DeleteObject(LPOLEOBJECT) { return S_OK; }
STDMETHODIMP CJyRichEdit::XRichEditOleCallback::QueryAcceptData(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) {
  return S_FALSE;
}
STDMETHODIMP CJyRichEdit::XRichEditOleCallback::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
STDMETHODIMP CJyRichEdit::XRichEditOleCallback::GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT*) {
  return E_NOTIMPL;
}
STDMETHODIMP CJyRichEdit::XRichEditOleCallback::GetDragDropEffect(BOOL, DWORD, LPDWORD) { return E_NOTIMPL; }
STDMETHODIMP CJyRichEdit::XRichEditOleCallback::GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE*, HMENU*) {
  return E_NOTIMPL;
}

// CLinkRichEdit.

IMPLEMENT_DYNAMIC(CLinkRichEdit, CJyRichEdit)

BEGIN_MESSAGE_MAP(CLinkRichEdit, CJyRichEdit)
  ON_NOTIFY_REFLECT_EX(EN_LINK, &CLinkRichEdit::OnENLink)
  ON_WM_TIMER()
END_MESSAGE_MAP()

LONG CLinkRichEdit::TextLength16() const {
  GETTEXTLENGTHEX gtl = {GTL_DEFAULT | GTL_NUMCHARS, 1200};
  return static_cast<LONG>(SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0));
}

void CLinkRichEdit::AppendText(const CString& text, COLORREF colour) {
  TESSVIK_TRACE("void CLinkRichEdit::AppendText");
  CHARRANGE old;
  GetSel(old);
  SetSel(-1, -1);
  LONG start = TextLength16();
  SetTextColor(colour);
  ReplaceSel(text);
  // Text after a link would take the link's effect and open as a link itself.
  SetSel(start, TextLength16());
  CHARFORMAT2A cf = {};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_LINK | CFM_COLOR;
  cf.crTextColor = colour;
  SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  MarkLinks();
  SetSel(old);
}

void CLinkRichEdit::AppendLink(const CString& text, const CString& url) {
  int n = MultiByteToWideChar(CP_ACP, 0, text, -1, NULL, 0);
  CArray<WCHAR, WCHAR> wide;
  wide.SetSize(n > 0 ? n : 1);
  wide[0] = 0;
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text, -1, wide.GetData(), n);
  AppendLink(wide.GetData(), url);
}

void CLinkRichEdit::AppendLink(LPCWSTR text, const CString& url) {
  TESSVIK_TRACE("void CLinkRichEdit::AppendLink");
  CHARRANGE old;
  GetSel(old);
  Link link;
  link.cpMin = TextLength16();
  SetSel(-1, -1);
  CHARFORMAT2A cf = {};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_LINK;
  cf.dwEffects = CFE_LINK;
  SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  InsertText(text);
  link.cpMax = TextLength16();
  link.url = url;
  m_links.Add(link);
  MarkLinks();
  SetSel(old);
}

void CLinkRichEdit::MarkLinks() {
  // Automatic URL detection takes the link effect off text that does not read as an address
  // whenever text is added near it: the stored links get it back.
  CHARFORMAT2A cf = {};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_LINK;
  cf.dwEffects = CFE_LINK;
  for (INT_PTR i = 0; i < m_links.GetSize(); ++i) {
    SetSel(m_links[i].cpMin, m_links[i].cpMax);
    SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  }
}

void CLinkRichEdit::Clear() {
  TESSVIK_TRACE("void CLinkRichEdit::Clear");
  m_links.RemoveAll();
  SetWindowText(_T(""));
}

void CLinkRichEdit::RemoveLeading(LONG cp) {
  TESSVIK_TRACE("void CLinkRichEdit::RemoveLeading");
  if (cp <= 0) return;
  CHARRANGE old;
  GetSel(old);
  SetSel(0, cp);
  ReplaceSel(_T(""));
  for (INT_PTR i = m_links.GetSize() - 1; i >= 0; --i) {
    if (m_links[i].cpMin < cp) {
      m_links.RemoveAt(i);
      continue;
    }
    m_links[i].cpMin -= cp;
    m_links[i].cpMax -= cp;
  }
  MarkLinks();
  old.cpMin = old.cpMin > cp ? old.cpMin - cp : 0;
  old.cpMax = old.cpMax > cp ? old.cpMax - cp : 0;
  SetSel(old);
}

BOOL CLinkRichEdit::OnENLink(NMHDR* pNMHDR, LRESULT* pResult) {
  TESSVIK_TRACE("BOOL CLinkRichEdit::OnENLink");
  *pResult = 0;
  ENLINK* link = reinterpret_cast<ENLINK*>(pNMHDR);
  if (link->msg != WM_LBUTTONUP) return TRUE;
  for (INT_PTR i = 0; i < m_links.GetSize(); ++i) {
    if (m_links[i].cpMin == link->chrg.cpMin && m_links[i].cpMax == link->chrg.cpMax) {
      OpenLinkAddress(this, m_links[i].url);
      *pResult = 1;
      return TRUE;
    }
  }
  OpenLinkAddress(this, TextOfRange(link->chrg));  // the selection stays as it was
  *pResult = 1;
  return TRUE;
}

void CLinkRichEdit::OnTimer(UINT_PTR nIDEvent) { CJyRichEdit::OnTimer(nIDEvent); }
