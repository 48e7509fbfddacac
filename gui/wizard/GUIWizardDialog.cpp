// The windows of the portable wizard: the dialog with its picture strip, and its pages.
#include "GUIWizardDialog.h"

#include <GUIPlatformUtilities.h>
#include <ulmora.h>

#include <string.h>

#include <algorithm>

#include "QvWizard.h"
#include "UITrace.h"

using namespace uih;

namespace {
UlmLogger s_log("GUIWizardDialog");

const LPARAM kPrintErase = 0x8;  // PRF_ERASE of WM_PRINTCLIENT

// The live wizards' background brush (the UI thread makes and ends wizards).
struct SharedBackground {
  int holders = 0;
  OwnedBrush brush;
};
SharedBackground& Background() {
  static SharedBackground background;
  return background;
}

// The layout of a packed DIB: its header, its colour table and its bits, each checked against
// the block. Handles both the Windows (40 bytes and longer) and the OS/2 (12 bytes) headers.
struct PackedDib {
  LONG width = 0, height = 0;
  WORD bitCount = 0;
  size_t tableOffset = 0, tableEntries = 0, entrySize = 4, bitsOffset = 0;
  bool valid = false;
};

PackedDib ReadPackedDib(const void* block, size_t size) {
  PackedDib dib;
  if (!block || size < sizeof(BITMAPCOREHEADER)) return dib;
  const auto* bytes = static_cast<const unsigned char*>(block);
  DWORD headerSize;
  memcpy(&headerSize, bytes, 4);
  DWORD used = 0, compression = BI_RGB;
  if (headerSize == sizeof(BITMAPCOREHEADER)) {
    BITMAPCOREHEADER core;
    memcpy(&core, bytes, sizeof core);
    dib.width = core.bcWidth;
    dib.height = core.bcHeight;
    dib.bitCount = core.bcBitCount;
    dib.entrySize = 3;
  } else if (headerSize >= sizeof(BITMAPINFOHEADER) && headerSize <= size) {
    BITMAPINFOHEADER info;
    memcpy(&info, bytes, sizeof info);
    dib.width = info.biWidth;
    dib.height = info.biHeight;
    dib.bitCount = info.biBitCount;
    used = info.biClrUsed;
    compression = info.biCompression;
  } else {
    return dib;
  }
  // The masks of a 16- or 32-bit bitmap stand between a 40-byte header and the table.
  size_t masks = (compression == BI_BITFIELDS && headerSize == sizeof(BITMAPINFOHEADER)) ? 12 : 0;
  size_t entries = used;
  if (entries == 0 && dib.bitCount >= 1 && dib.bitCount <= 8) entries = size_t{1} << dib.bitCount;
  dib.tableOffset = headerSize + masks;
  if (dib.tableOffset > size || entries > (size - dib.tableOffset) / dib.entrySize) return dib;
  dib.tableEntries = entries;
  dib.bitsOffset = dib.tableOffset + entries * dib.entrySize;
  dib.valid = dib.width > 0 && dib.height != 0 && dib.bitCount != 0;
  return dib;
}
}  // namespace

std::vector<PALETTEENTRY> DibPaletteEntries(const void* packedDib, size_t size) {
  std::vector<PALETTEENTRY> entries;
  const PackedDib dib = ReadPackedDib(packedDib, size);
  if (dib.tableOffset == 0) return entries;  // no header, or a table longer than the block
  const size_t count = std::min<size_t>(dib.tableEntries, 256);
  const auto* table = static_cast<const unsigned char*>(packedDib) + dib.tableOffset;
  entries.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const unsigned char* e = table + i * dib.entrySize;  // blue, green, red (, reserved)
    entries.push_back(PALETTEENTRY{e[2], e[1], e[0], 0});
  }
  return entries;
}

// ---------------------------------------------------------------------------------------------
// CGUIWizardDialog

IMPLEMENT_DYNAMIC(CGUIWizardDialog, CGUIDialog)

BEGIN_MESSAGE_MAP(CGUIWizardDialog, CGUIDialog)
  ON_WM_PAINT()
  ON_WM_QUERYNEWPALETTE()
  ON_WM_PALETTECHANGED()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_CTLCOLOR()
  ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CGUIWizardDialog::CGUIWizardDialog(UINT nIDTemplate, QvWizard* wizard)
    : CGUIDialog(nIDTemplate, nullptr, TRUE), m_wizard(wizard) {}

CGUIWizardDialog::~CGUIWizardDialog() = default;

HBRUSH CGUIWizardDialog::BackgroundBrush() {
  SharedBackground& shared = Background();
  return shared.brush ? shared.brush.Get() : ::GetSysColorBrush(COLOR_BTNFACE);
}

void CGUIWizardDialog::HoldBackground() {
  SharedBackground& shared = Background();
  if (shared.holders++ == 0) shared.brush.Reset(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
}

void CGUIWizardDialog::ReleaseBackground() {
  SharedBackground& shared = Background();
  if (shared.holders > 0 && --shared.holders == 0) shared.brush.Reset();
}

void CGUIWizardDialog::RemakeBackground() {
  SharedBackground& shared = Background();
  if (shared.holders > 0) shared.brush.Reset(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
}

void CGUIWizardDialog::FreePicture() {
  m_picture = nullptr;
  m_pictureSize = 0;
  m_pictureID = 0;
}

void CGUIWizardDialog::UpdatePalette(unsigned short id) {
  FreePicture();
  if (id == 0) return;
  LPCTSTR name = MAKEINTRESOURCE(id);
  HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
  HRSRC found = module ? ::FindResource(module, name, RT_BITMAP) : NULL;
  HGLOBAL loaded = found ? ::LoadResource(module, found) : NULL;
  const void* bits = loaded ? ::LockResource(loaded) : nullptr;
  const size_t size = found ? ::SizeofResource(module, found) : 0;
  if (!bits || !ReadPackedDib(bits, size).valid) {
    UI_TRACE_FAILED(s_log, "a wizard picture");
    return;
  }
  m_picture = static_cast<const BITMAPINFOHEADER*>(bits);
  m_pictureSize = size;
  m_pictureID = id;

  WindowDC screen(NULL);
  if (!screen || !(::GetDeviceCaps(screen.Get(), RASTERCAPS) & RC_PALETTE)) return;
  const std::vector<PALETTEENTRY> entries = DibPaletteEntries(bits, size);
  if (entries.empty()) return;
  std::vector<unsigned char> block(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(entries.size());
  memcpy(palette->palPalEntry, entries.data(), entries.size() * sizeof(PALETTEENTRY));
  m_palette.Reset(::CreatePalette(palette));
  if (m_hWnd) {
    WindowDC dc(m_hWnd);
    if (dc) RealisePalette(dc.Get(), false);
  }
}

UINT CGUIWizardDialog::RealisePalette(HDC dc, bool background) {
  if (!m_palette || !dc) return 0;
  ::SelectPalette(dc, m_palette.Get(), background ? TRUE : FALSE);
  return ::RealizePalette(dc);
}

void CGUIWizardDialog::DrawPicture(HDC dc, int pageHeight) {
  const PackedDib dib = ReadPackedDib(m_picture, m_pictureSize);
  if (!dib.valid) return;
  int top = kPictureTop;
  if (pageHeight >= kPictureHeight + 1) {
    // A taller page: the picture in the middle of the strip, white above and below.
    top = kPictureTop + (pageHeight - kPictureHeight) / 2;
    OwnedBrush white(::CreateSolidBrush(RGB(255, 255, 255)));
    const RECT above = {kPictureLeft, kPictureTop, kStripRight, top};
    const RECT below = {kPictureLeft, top + kPictureHeight, kStripRight, kPictureTop + pageHeight};
    ::FillRect(dc, &above, white.Get());
    ::FillRect(dc, &below, white.Get());
  }
  HPALETTE old = m_palette ? ::SelectPalette(dc, m_palette.Get(), FALSE) : NULL;
  if (m_palette) ::RealizePalette(dc);
  const int height = dib.height < 0 ? -dib.height : dib.height;
  ::SetStretchBltMode(dc, COLORONCOLOR);
  ::StretchDIBits(dc, kPictureLeft, top, kPictureWidth, kPictureHeight, 0, 0, dib.width, height,
                  reinterpret_cast<const unsigned char*>(m_picture) + dib.bitsOffset,
                  reinterpret_cast<const BITMAPINFO*>(m_picture), DIB_RGB_COLORS, SRCCOPY);
  if (old) ::SelectPalette(dc, old, FALSE);
  if (pageHeight > kPictureHeight + 16) {
    RECT frame = {kPictureLeft, kPictureTop, kStripRight, kPictureTop + pageHeight};
    ::DrawEdge(dc, &frame, BDR_SUNKENINNER, BF_RECT);
  }
}

void CGUIWizardDialog::Draw(HDC dc) {
  if (!m_hWnd || !dc) return;
  SavedDC saved(dc);
  RECT client;
  GetClientRect(&client);
  const int width = client.right;
  const int pageHeight = m_wizard ? int{m_wizard->GetPageHeight()} : int{QvWizard::kPageHeight};
  const int pageWidth = m_wizard ? int{m_wizard->GetPageWidth()} : int{QvWizard::kPageWidth};
  if (GUIGetWindowsVersion() == QvWin32s)
    ::SetBrushOrgEx(dc, 0, 1, NULL);
  else
    ::SetBrushOrgEx(dc, 1, 0, NULL);
  const RECT bands[] = {
      {0, 0, width, 9},
      {0, pageHeight + 8, width, pageHeight + 16},
      {0, 8, 7, pageHeight + 8},
      {kStripRight, 8, kStripRight + 7, pageHeight + 8},
      {pageWidth + QvWizard::kPageLeft, 8, width, pageHeight + 8},
  };
  for (const RECT& band : bands) ::FillRect(dc, &band, BackgroundBrush());
  if (m_picture) DrawPicture(dc, pageHeight);
}

void CGUIWizardDialog::OnPaint() {
  CPaintDC dc(this);
  if (IsIconic()) return;
  Draw(dc.GetSafeHdc());
}

LRESULT CGUIWizardDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PRINTCLIENT) {
    if (lParam & kPrintErase) SendMessage(WM_ERASEBKGND, wParam, 0);
    Draw(reinterpret_cast<HDC>(wParam));
    return 0;
  }
  return CGUIDialog::WindowProc(message, wParam, lParam);
}

BOOL CGUIWizardDialog::OnQueryNewPalette() {
  if (!m_palette) return FALSE;
  WindowDC dc(m_hWnd);
  const UINT changed = RealisePalette(dc.Get(), false);
  if (changed) Invalidate(FALSE);
  return changed ? TRUE : FALSE;
}

void CGUIWizardDialog::OnPaletteChanged(CWnd* pFocusWnd) {
  if (!m_palette || (pFocusWnd && pFocusWnd->m_hWnd == m_hWnd)) return;
  WindowDC dc(m_hWnd);
  if (RealisePalette(dc.Get(), true)) Invalidate(FALSE);
}

void CGUIWizardDialog::OnSysColorChange() {
  CGUIDialog::OnSysColorChange();
  RemakeBackground();
  RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

HBRUSH CGUIWizardDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = CGUIDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  return nCtlColor == CTLCOLOR_BTN ? ::GetSysColorBrush(COLOR_BTNFACE) : brush;
}

void CGUIWizardDialog::OnNcDestroy() {
  FreePicture();
  m_palette.Reset();
  CGUIDialog::OnNcDestroy();
}

// ---------------------------------------------------------------------------------------------
// CGUIWizardPageDialog

IMPLEMENT_DYNAMIC(CGUIWizardPageDialog, CGUIDialog)

BEGIN_MESSAGE_MAP(CGUIWizardPageDialog, CGUIDialog)
  ON_WM_CREATE()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CGUIWizardPageDialog::CGUIWizardPageDialog(UINT nIDTemplate, CWnd* wizardWindow, BOOL bDeleteWithPortable)
    : CGUIDialog(nIDTemplate, wizardWindow, bDeleteWithPortable) {}

int CGUIWizardPageDialog::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CGUIDialog::OnCreate(lpCreateStruct) == -1) return -1;
  SetWindowPos(NULL, 0, 0, QvWizard::kPageWidth, QvWizard::kPageHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

BOOL CGUIWizardPageDialog::OnEraseBkgnd(CDC* pDC) {
  if (!pDC) return FALSE;
  RECT client;
  GetClientRect(&client);
  ::FillRect(pDC->GetSafeHdc(), &client, CGUIWizardDialog::BackgroundBrush());
  return TRUE;
}

BOOL CGUIWizardPageDialog::PreTranslateMessage(MSG* pMsg) {
  HWND wizard = m_hWnd ? ::GetParent(m_hWnd) : NULL;
  if (wizard && pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
    const UINT id = pMsg->wParam == VK_RETURN ? LOWORD(::SendMessage(wizard, DM_GETDEFID, 0, 0)) : UINT{IDCANCEL};
    HWND button = ::GetDlgItem(wizard, static_cast<int>(id));
    if (button && ::IsWindowEnabled(button)) {
      ::SendMessage(wizard, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
      return TRUE;
    }
  }
  return CGUIDialog::PreTranslateMessage(pMsg);
}
