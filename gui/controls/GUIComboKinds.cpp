// The special kinds of the platform combo box: font names (from the default printer and the
// screen) with their linked font sizes, zoom percentages, fill patterns and line widths; the
// edit children of the zoom and sizes kinds; and the drawing of pattern and line items.
#include <GUIPlatformUtilities.h>
#include <commdlg.h>

#include <algorithm>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "DrawingResources.h"
#include "GUIControlText.h"
#include "GUIControls.h"
#include "GUIWidgetBitmaps.h"
#include "UIHandles.h"
#include "UITrace.h"
#include "UIUtilities.h"

IMPLEMENT_DYNCREATE(CZoomEdit, CEdit)
IMPLEMENT_DYNCREATE(CSizesEdit, CEdit)

const unsigned short CGUIComboBox::kStandardSizes[16] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
const unsigned short CGUIComboBox::kDefaultZoomValues[9] = {10, 25, 50, 75, 100, 150, 200, 300, 400};

namespace {

UlmLogger s_log("GUIComboKinds");

// Labels of the fill patterns, in pattern order.
const unsigned long kPatternLabels[CGUIComboBox::kPatternCount] = {
    31219, 31220, 31226, 31225, 31224, 31223, 31222, 31221, 31227, 31228,
    31229, 31230, 31231, 31232, 31233, 31234, 31235, 31236, 31237, 31238};
// The line widths; the repeated texts are drawn with other line patterns.
const wchar_t* const kLineWidthTexts[CGUIComboBox::kLineWidthCount] = {
    L"1/20 pt", L"1 pt", L"2 pt", L"3 pt", L"1 pt", L"1 pt", L"1 pt", L"2x1 pt", L"2x1 pt"};

const unsigned short kKindBits = CGUIComboBox::kFonts | CGUIComboBox::kSizes | CGUIComboBox::kZoom |
                                 CGUIComboBox::kPatterns | CGUIComboBox::kLineWidths;

std::wstring Number(long value) { return std::to_wstring(value); }
std::wstring Percent(long value) { return std::to_wstring(value) + L"%"; }
// " 8": the one-digit sizes of a font that lists its own.
std::wstring PaddedNumber(long value) { return value >= 0 && value < 10 ? L" " + Number(value) : Number(value); }

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return ::SendMessageW(window, message, wParam, lParam);
}

int FindExact(HWND window, const std::wstring& text) {
  return static_cast<int>(Send(window, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
}

bool AllDigits(const std::wstring& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The whole number of a text of digits (at most 9 of them); -1 for anything else.
long DigitsValue(const std::wstring& text) {
  if (!AllDigits(text) || text.size() > 9) return -1;
  return std::stol(text);
}

// The number an item text starts with (blanks first allowed); -1 when it has none.
long LeadingNumber(const std::wstring& text) {
  size_t at = text.find_first_not_of(L' ');
  if (at == std::wstring::npos) return -1;
  size_t end = at;
  while (end < text.size() && end - at < 9 && text[end] >= L'0' && text[end] <= L'9') ++end;
  return end == at ? -1 : std::stol(text.substr(at, end - at));
}

// A face name as the list compares it: without letter case.
std::wstring Folded(std::wstring name) {
  if (!name.empty()) ::CharLowerBuffW(&name[0], static_cast<DWORD>(name.size()));
  return name;
}

HFONT WindowFont(HWND window) {
  HFONT font = reinterpret_cast<HFONT>(Send(window, WM_GETFONT));
  return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

// The faces of a device context, each with its font type (TRUETYPE_FONTTYPE, ...).
using Faces = std::vector<std::pair<std::wstring, DWORD>>;

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM faces) {
  reinterpret_cast<Faces*>(faces)->emplace_back(font->lfFaceName, type);
  return 1;
}

Faces FacesOf(HDC dc) {
  Faces faces;
  LOGFONTW wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  ::EnumFontFamiliesExW(dc, &wanted, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  return faces;
}

// The default printer's context, made without showing anything; NULL when there is none.
HDC DefaultPrinterDC() {
  PRINTDLGW setup = {};
  setup.lStructSize = sizeof setup;
  setup.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  if (!::PrintDlgW(&setup)) setup.hDC = NULL;
  if (setup.hDevMode) ::GlobalFree(setup.hDevMode);
  if (setup.hDevNames) ::GlobalFree(setup.hDevNames);
  return setup.hDC;
}

// The sizes in points that a face offers on a context (those of a raster face).
int CALLBACK CollectSize(const LOGFONTW*, const TEXTMETRICW* metrics, DWORD, LPARAM context) {
  auto* sizes = reinterpret_cast<std::pair<std::vector<long>*, int>*>(context);
  const int pixelsPerInch = sizes->second > 0 ? sizes->second : 96;
  sizes->first->push_back(::MulDiv(metrics->tmHeight - metrics->tmInternalLeading, 72, pixelsPerInch));
  return 1;
}

std::vector<long> SizesOf(HDC dc, const std::wstring& face) {
  std::vector<long> sizes;
  LOGFONTW wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  std::pair<std::vector<long>*, int> context(&sizes, ::GetDeviceCaps(dc, LOGPIXELSY));
  ::EnumFontFamiliesExW(dc, &wanted, CollectSize, reinterpret_cast<LPARAM>(&context), 0);
  return sizes;
}

COLORREF Lightened(COLORREF c) {
  auto up = [](int channel) { return static_cast<BYTE>(std::min(255, channel + 128)); };
  return RGB(up(GetRValue(c)), up(GetGValue(c)), up(GetBValue(c)));
}

// The combo box whose edit child `edit` is.
CGUIComboBox* ComboOf(HWND edit) {
  return dynamic_cast<CGUIComboBox*>(CWnd::FromHandlePermanent(::GetParent(edit)));
}

bool OnlyOf(const std::wstring& text, const wchar_t* allowed) {
  return text.find_first_not_of(allowed) == std::wstring::npos;
}

// A typed character of the edit children: the clipboard keys, backspace, "-", "." and the
// digits, and for the zoom "%" too.
bool EditKeyPasses(wchar_t c, bool percent) {
  return c == 3 || c == 8 || c == 22 || c == 24 || c == L'-' || c == L'.' || (c >= L'0' && c <= L'9') ||
         (percent && c == L'%');
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Values and links

void CGUIComboBox::SetValue(long value, bool notify) {
  const bool changed = value != m_value;
  m_value = value;
  if (notify && changed && GetSafeHwnd()) GUINotifyParent(m_hWnd, kGUINotifyComboValue, value);
}

void CGUIComboBox::DeleteEditPart() {
  if (!m_editPart) return;
  if (m_editPart->GetSafeHwnd()) m_editPart->UnsubclassWindow();
  delete m_editPart;
  m_editPart = nullptr;
}

void CGUIComboBox::SubclassEditPart() {
  HWND edit = GetSafeHwnd() ? ::GetDlgItem(m_hWnd, kEditChildId) : NULL;
  if (!edit || m_editPart) return;
  CEdit* part = nullptr;
  if (m_flags & kZoom)
    part = new CZoomEdit;
  else if (m_flags & kSizes)
    part = new CSizesEdit;
  else
    return;
  if (!part->SubclassWindow(edit)) {
    UI_TRACE_FAILED(s_log, "SubclassWindow");
    delete part;
    return;
  }
  m_editPart = part;
}

void CGUIComboBox::Unlink() {
  if (!m_linked) return;
  if (m_linked->m_linked == this) m_linked->m_linked = nullptr;
  m_linked = nullptr;
}

bool CGUIComboBox::LinkSizesCombo(CGUIComboBox* sizes) {
  if (!(m_flags & kFonts) || sizes == this) return false;
  if (sizes && (sizes->m_flags & kKindBits & ~kSizes)) return false;  // a list of another kind
  if (CGUIComboBox* earlier = m_linked) {
    Unlink();
    earlier->m_flags = static_cast<unsigned short>(earlier->m_flags & ~kSizes);
    earlier->DeleteEditPart();
  }
  if (!sizes) return true;
  if (sizes->m_linked) sizes->Unlink();  // it leaves the fonts combo it had
  m_linked = sizes;
  sizes->m_linked = this;
  sizes->m_flags |= kSizes;
  sizes->m_value = -1;
  sizes->SubclassEditPart();
  if (m_value >= 0) FillSizes();
  return true;
}

// ---------------------------------------------------------------------------------------
// Fonts and sizes

bool CGUIComboBox::FillFonts() {
  HWND window = GetSafeHwnd();
  if (!window || (m_flags & kKindBits & ~kFonts)) return false;
  auto* marks = new CImageList;
  if (!CreateImageListFromBitmap(marks, IDB_FONT_TYPES, 16)) UI_TRACE_FAILED(s_log, "CreateImageListFromBitmap");
  m_flags = static_cast<unsigned short>(m_flags & ~kFonts);  // the list's own images go in
  SetImageList(marks, false, true);
  if (!(::GetWindowLongW(m_hWnd, GWL_STYLE) & CBS_OWNERDRAWFIXED)) return false;
  window = m_hWnd;
  m_value = -1;

  Faces faces;
  if (HDC printer = DefaultPrinterDC()) {
    faces = FacesOf(printer);
    ::DeleteDC(printer);
  }
  {
    uih::WindowDC screen(window);
    const Faces more = FacesOf(screen.Get());
    faces.insert(faces.end(), more.begin(), more.end());
  }
  // Each face once, compared as the list compares (without letter case): the contexts list a
  // face once per character set, and asking the list for each would be quadratic.
  std::unordered_set<std::wstring> listed;
  listed.reserve(faces.size());
  for (const auto& face : faces) {
    if (face.first.empty() || face.first[0] == L'@' || !listed.insert(Folded(face.first)).second) continue;
    const int at = InsertItem(face.first.c_str(), -1);
    if (at < 0) continue;
    const int image = (face.second & TRUETYPE_FONTTYPE) ? 1 : (face.second & DEVICE_FONTTYPE) ? 0 : -1;
    SetItemImage(at, image);
  }

  m_flags |= kFonts;
  const std::wstring defaultFace = GUIDefaultFontFaceName_().ToWide();
  if (!SetFontSelection(defaultFace.c_str(), 9) && Send(window, CB_GETCOUNT) > 0) {
    Send(window, CB_SETCURSEL, 0);
    m_value = 0;
    FillSizes();
  }
  return true;
}

bool CGUIComboBox::SetFontSelection(const wchar_t* face, int size) {
  HWND window = GetSafeHwnd();
  if (!window || !(m_flags & kFonts) || !face) return false;
  const int index = FindExact(window, face);
  if (index < 0) return false;
  Send(window, CB_SETCURSEL, static_cast<WPARAM>(index));
  m_value = index;
  CGUIComboBox* sizes = m_linked;
  if (!sizes || !sizes->GetSafeHwnd()) return true;
  FillSizes();
  int listed = FindExact(sizes->m_hWnd, Number(size));
  // A face with sizes of its own lists the one-digit ones as " 8".
  if (listed < 0 && GetItemImage(index) != 1) listed = FindExact(sizes->m_hWnd, PaddedNumber(size));
  if (listed >= 0) {
    Send(sizes->m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(listed));
    sizes->m_value = size;
  } else if (GetItemImage(index) == 1) {
    ::SetWindowTextW(sizes->m_hWnd, Number(size).c_str());
    sizes->m_value = size;
  }
  return true;
}

bool CGUIComboBox::GetCurrentFontName(std::wstring& face) const {
  face.clear();
  return (m_flags & kFonts) && m_value >= 0 && GetItemText(static_cast<int>(m_value), face);
}

bool CGUIComboBox::GetCurrentFontSize(int& size) const {
  if (!(m_flags & kFonts) || !m_linked || m_linked->m_value <= 0) return false;
  size = static_cast<int>(m_linked->m_value);
  return true;
}

void CGUIComboBox::FontChanged(int index) {
  if (index < 0 || index == m_value) return;
  m_value = index;
  FillSizes();
  if (GetSafeHwnd()) GUINotifyParent(m_hWnd, kGUINotifyComboValue, index);
}

void CGUIComboBox::FillSizes() {
  CGUIComboBox* sizes = m_linked;
  if (!(m_flags & kFonts) || m_value < 0 || !sizes || !sizes->GetSafeHwnd() || !GetSafeHwnd()) return;
  HWND list = sizes->m_hWnd;
  sizes->DeleteAllItems();
  sizes->m_flags |= kSizesFilling;
  const int image = GetItemImage(static_cast<int>(m_value));
  if (image >= 0) {
    for (int i = 0; i < 16; ++i) sizes->InsertItem(Number(kStandardSizes[i]).c_str(), i);
  } else {
    std::wstring face;
    GetItemText(static_cast<int>(m_value), face);
    uih::WindowDC screen(m_hWnd);
    for (long size : SizesOf(screen.Get(), face)) {
      const std::wstring text = PaddedNumber(size);
      if (size > 0 && FindExact(list, text) < 0) sizes->InsertItem(text.c_str(), -1);
    }
  }
  if (Send(list, CB_GETCOUNT) > 0) {
    int found = FindExact(list, Number(sizes->m_value));
    if (found < 0 && image != 1) found = FindExact(list, PaddedNumber(sizes->m_value));
    if (found >= 0) {
      Send(list, CB_SETCURSEL, static_cast<WPARAM>(found));
    } else if (sizes->m_value > 0 && image != 0) {
      // The typed size stays.
      ::SetWindowTextW(list, Number(sizes->m_value).c_str());
    } else {
      Send(list, CB_SETCURSEL, 0);
      std::wstring first;
      sizes->GetItemText(0, first);
      sizes->m_value = LeadingNumber(first);
    }
  }
  sizes->m_flags = static_cast<unsigned short>(sizes->m_flags & ~kSizesFilling);
}

bool CGUIComboBox::TakeSizeText(const std::wstring& text) {
  HWND window = GetSafeHwnd();
  if (!window || !(m_flags & kSizes)) return false;
  const long size = DigitsValue(text);
  if (size < 3 || size > 128 || size == m_value) return false;
  int listed = FindExact(window, Number(size));
  if (listed < 0) listed = FindExact(window, PaddedNumber(size));
  if (listed >= 0) {
    Send(window, CB_SETCURSEL, static_cast<WPARAM>(listed));
  } else {
    const bool trueType = m_linked && m_linked->GetItemImage(static_cast<int>(m_linked->m_value)) == 1;
    if (!trueType) return false;
  }
  SetValue(size, true);
  return true;
}

// ---------------------------------------------------------------------------------------
// Zoom

bool CGUIComboBox::SetZoomValues(const unsigned short* values, int count, bool allowOthers) {
  HWND window = GetSafeHwnd();
  if (!window || (m_flags & (kFonts | kSizes)) || (count > 0 && !values)) return false;
  m_flags |= kZoom;
  m_flags = static_cast<unsigned short>(allowOthers ? m_flags | kZoomFreeValues : m_flags & ~kZoomFreeValues);
  Send(window, CB_LIMITTEXT, 5);
  SubclassEditPart();
  DeleteAllItems();
  unsigned short minimum = 50000, maximum = 0;
  for (int i = count - 1; i >= 0; --i) {
    InsertItem(Percent(values[i]).c_str(), 0);
    minimum = std::min(minimum, values[i]);
    maximum = std::max(maximum, values[i]);
  }
  m_zoomMin = minimum;
  m_zoomMax = maximum;
  const int hundred = FindExact(window, Percent(100));
  if (hundred >= 0) {
    Send(window, CB_SETCURSEL, static_cast<WPARAM>(hundred));
    m_value = 100;
  } else if (count > 0) {
    Send(window, CB_SETCURSEL, 0);
    m_value = values[0];
  } else {
    m_value = 0;
  }
  return true;
}

void CGUIComboBox::SetZoomRange(unsigned short minimum, unsigned short maximum) {
  if (!(m_flags & kZoom) || maximum <= minimum) return;
  m_zoomMin = minimum;
  m_zoomMax = maximum;
}

void CGUIComboBox::GetZoomRange(unsigned short& minimum, unsigned short& maximum) const {
  minimum = m_zoomMin;
  maximum = m_zoomMax;
}

bool CGUIComboBox::SetZoom(unsigned short zoom) {
  HWND window = GetSafeHwnd();
  if (!window || !(m_flags & kZoom)) return false;
  const std::wstring text = Percent(zoom);
  m_value = zoom;  // before the text, whose change the edit child tells
  const int listed = FindExact(window, text);
  if (listed >= 0)
    Send(window, CB_SETCURSEL, static_cast<WPARAM>(listed));
  else
    ::SetWindowTextW(window, text.c_str());
  return true;
}

unsigned short CGUIComboBox::GetZoom() const {
  return (m_flags & kZoom) ? static_cast<unsigned short>(m_value) : 0;
}

bool CGUIComboBox::TakeZoomText(const std::wstring& typed) {
  HWND window = GetSafeHwnd();
  if (!window || !(m_flags & kZoom)) return false;
  std::wstring text;
  for (wchar_t c : typed)
    if (c != L' ') text += c;
  if (!text.empty() && text.back() == L'%') text.pop_back();
  const long zoom = DigitsValue(text);
  if (zoom < 0 || zoom > 0xFFFF) return false;
  const std::wstring item = Percent(zoom);
  const int listed = FindExact(window, item);
  if (listed < 0) {
    if (!(m_flags & kZoomFreeValues) || zoom < m_zoomMin || zoom > m_zoomMax) return false;
  } else {
    Send(window, CB_SETCURSEL, static_cast<WPARAM>(listed));
    const WORD caret = static_cast<WORD>(item.size() - 1);  // before the percent sign
    Send(window, CB_SETEDITSEL, 0, MAKELPARAM(caret, caret));
  }
  SetValue(zoom, true);
  return true;
}

// ---------------------------------------------------------------------------------------
// Patterns and line widths

bool CGUIComboBox::FillPatterns() {
  if (!GetSafeHwnd() || (m_flags & kKindBits & ~kPatterns)) return false;
  if (!ConvertToOwnerDraw()) return false;
  m_flags |= kPatterns;
  m_patternText = ::GetSysColor(COLOR_WINDOWTEXT);
  m_patternBack = ::GetSysColor(COLOR_WINDOW);
  DeleteAllItems();
  for (unsigned long label : kPatternLabels) InsertItem(QvGetMyLabel(label).ToWide().c_str(), -1);
  return true;
}

void CGUIComboBox::SetPatternColors(COLORREF background, COLORREF foreground) {
  m_patternBack = background;
  m_patternText = foreground;
  if (HWND window = GetSafeHwnd()) {
    ::InvalidateRect(window, NULL, TRUE);
    ::UpdateWindow(window);
  }
}

bool CGUIComboBox::FillLineWidths(int style) {
  if (!GetSafeHwnd() || (m_flags & kKindBits & ~kLineWidths)) return false;
  if (!(m_flags & kLineWidths)) {
    DeleteAllItems();
    if (!ConvertToOwnerDraw()) return false;
    m_flags |= kLineWidths;
    for (int i = 0; i < kLineWidthCount; ++i) InsertItem(kLineWidthTexts[i], i);
    uih::WindowDC dc(m_hWnd);
    uih::Selection font(dc.Get(), WindowFont(m_hWnd));
    SIZE size = {};
    ::GetTextExtentPoint32W(dc.Get(), kLineWidthTexts[0], 7, &size);
    m_value = size.cx;
  }
  Send(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(style));
  return true;
}

void CGUIComboBox::DrawPatternSwatch(HDC dc, RECT& label, int index) {
  const int unit = LOWORD(::GetDialogBaseUnits());
  RECT swatch = {label.left + 3, label.top + 2, label.left + 3 + unit * 11 / 4, label.bottom - 2};
  BrushArrayRec* patterns = quarnel::FillPatterns();
  HBRUSH brush = patterns ? patterns->brushes[index] : NULL;
  COLORREF fore = m_patternText, back = m_patternBack;
  HPALETTE previous = NULL;
  CPalette* palette = quarnel::LibraryPalette();
  const bool paletted = (::GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) && ::GetDeviceCaps(dc, BITSPIXEL) == 8;
  if (paletted && palette) {
    previous = ::SelectPalette(dc, static_cast<HPALETTE>(palette->GetSafeHandle()), FALSE);
    ::RealizePalette(dc);
    fore = PALETTEINDEX(palette->GetNearestPaletteIndex(fore));
    back = PALETTEINDEX(palette->GetNearestPaletteIndex(back));
  }
  if (brush) {
    const COLORREF oldText = ::SetTextColor(dc, fore);
    const COLORREF oldBack = ::SetBkColor(dc, back);
    ::FillRect(dc, &swatch, brush);
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
  }
  if (previous) ::SelectPalette(dc, previous, FALSE);
  label.left += swatch.right + unit;
  label.top += 2;
}

void CGUIComboBox::DrawLineSample(HDC dc, const RECT& rc, int index, bool selected) {
  COLORREF text = selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : GetItemTextColor();
  const COLORREF back = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  {
    uih::OwnedBrush fill(::CreateSolidBrush(back));
    ::FillRect(dc, &rc, fill.Get());
  }
  // The thinnest line lighter, where the device has the colours for it.
  if (index == 0 && ::GetDeviceCaps(dc, BITSPIXEL) * ::GetDeviceCaps(dc, PLANES) > 8) text = Lightened(text);

  const int labelWidth = static_cast<int>(m_value);
  // The dashed samples take the horizontal dash patterns (alternate pixels, 2 on 2 off, 4 on
  // 4 off), which show in a band of any row.
  BrushArrayRec* lines = quarnel::DashPatterns();
  BrushArrayRec* fills = quarnel::FillPatterns();
  HBRUSH brush = NULL;
  switch (index) {
    case 4: brush = lines ? lines->brushes[0] : NULL; break;
    case 5:
    case 8: brush = lines ? lines->brushes[1] : NULL; break;
    case 6: brush = lines ? lines->brushes[2] : NULL; break;
    default: brush = fills ? fills->brushes[1] : NULL; break;
  }
  const COLORREF oldText = ::SetTextColor(dc, text);
  const COLORREF oldBack = ::SetBkColor(dc, back);
  if (brush) {
    uih::Selection selectedBrush(dc, brush);
    const int left = rc.left + 3, width = rc.right - labelWidth - left;
    const int middle = (rc.top + rc.bottom) / 2;
    auto band = [&](int y, int height) {
      if (width > 0) ::PatBlt(dc, left, y, width, height, PATCOPY);
    };
    switch (index) {
      case 2: band(middle, 2); break;
      case 3: band(middle - 1, 3); break;
      case 7:
      case 8:
        band(middle - 1, 1);
        band(middle + 1, 1);
        break;
      default: band(middle, 1); break;
    }
  }
  std::wstring label;
  GetItemText(index, label);
  TEXTMETRICW metrics = {};
  ::GetTextMetricsW(dc, &metrics);
  const int mode = ::SetBkMode(dc, TRANSPARENT);
  ::ExtTextOutW(dc, rc.right - labelWidth + 4, rc.top + (rc.bottom - rc.top - metrics.tmHeight) / 2, ETO_CLIPPED, &rc,
                label.c_str(), static_cast<UINT>(label.size()), NULL);
  ::SetBkMode(dc, mode);
  ::SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBack);
}

// ---------------------------------------------------------------------------------------
// Notifications

BOOL CGUIComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND window = GetSafeHwnd();
  if (message != WM_COMMAND || !window || reinterpret_cast<HWND>(lParam) != window)
    return CComboBox::OnChildNotify(message, wParam, lParam, result);
  const int code = HIWORD(wParam);
  if (m_flags & kSizes) {
    if (code == CBN_SELCHANGE && !(m_flags & kSizesFilling)) {
      std::wstring text;
      GetItemText(static_cast<int>(Send(window, CB_GETCURSEL)), text);
      SetValue(LeadingNumber(text), true);
    } else if (code == CBN_EDITCHANGE) {
      TakeSizeText(gui_widgets::WindowText(window).substr(0, 8));
    }
  } else if (m_flags & kZoom) {
    if (code == CBN_SELCHANGE) {
      std::wstring text;
      if (GetItemText(static_cast<int>(Send(window, CB_GETCURSEL)), text) && !text.empty()) {
        text.pop_back();
        const long zoom = DigitsValue(text);
        if (zoom >= 0) SetValue(zoom, true);
      }
    } else if (code == CBN_EDITCHANGE) {
      TakeZoomText(gui_widgets::WindowText(window));
    }
  } else if (m_flags & kFonts) {
    if (code == CBN_SELCHANGE) {
      FontChanged(static_cast<int>(Send(window, CB_GETCURSEL)));
    } else if (code == CBN_EDITCHANGE) {
      // Completion: the text up to the caret names the first face that starts with it.
      DWORD start = 0, end = 0;
      Send(window, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      const std::wstring prefix = gui_widgets::WindowText(window).substr(0, start);
      const int found = prefix.empty() ? CB_ERR
                                       : static_cast<int>(Send(window, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                                               reinterpret_cast<LPARAM>(prefix.c_str())));
      if (found >= 0) {
        Send(window, CB_SETCURSEL, static_cast<WPARAM>(found));
        const WORD after = static_cast<WORD>(prefix.size());
        Send(window, CB_SETEDITSEL, 0, MAKELPARAM(after, 0xFFFF));  // the completed rest selected
        FontChanged(found);
        if (result) *result = 0;
        return TRUE;
      }
    }
  }
  return CComboBox::OnChildNotify(message, wParam, lParam, result);
}

// ---------------------------------------------------------------------------------------
// Edit children

LRESULT CZoomEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
      if (!EditKeyPasses(gui_widgets::TypedChar(m_hWnd, wParam), true)) return 0;
      break;
    case WM_PASTE: {
      std::wstring text;
      if (!gui_widgets::ClipboardText(m_hWnd, text) || text.empty() || !OnlyOf(text, L"%0123456789")) return 0;
      const HWND self = m_hWnd;
      const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
      CGUIComboBox* combo = ::IsWindow(self) ? ComboOf(self) : nullptr;
      if (combo && !combo->TakeZoomText(gui_widgets::WindowText(self).substr(0, 8)))
        ::SetWindowTextW(self, Percent(combo->GetZoom()).c_str());
      return result;
    }
    case WM_KILLFOCUS: {
      const HWND self = m_hWnd;
      const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
      CGUIComboBox* combo = ::IsWindow(self) ? ComboOf(self) : nullptr;
      if (combo) ::SetWindowTextW(self, Percent(combo->GetZoom()).c_str());
      return result;
    }
  }
  return CEdit::WindowProc(message, wParam, lParam);
}

LRESULT CSizesEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
      if (!EditKeyPasses(gui_widgets::TypedChar(m_hWnd, wParam), false)) return 0;
      break;
    case WM_PASTE: {
      std::wstring text;
      if (!gui_widgets::ClipboardText(m_hWnd, text) || !AllDigits(text)) return 0;
      const HWND self = m_hWnd;
      const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
      if (CGUIComboBox* combo = ::IsWindow(self) ? ComboOf(self) : nullptr)
        combo->TakeSizeText(gui_widgets::WindowText(self).substr(0, 8));
      return result;
    }
  }
  return CEdit::WindowProc(message, wParam, lParam);
}
