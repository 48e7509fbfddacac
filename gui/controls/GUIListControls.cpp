// Platform controls of list boxes and combo boxes.
#include <GUIPlatformUtilities.h>
#include <QvGUIContainer.h>

#include <algorithm>
#include <string>

#include "GUIControlText.h"
#include "GUIControls.h"
#include "UIHandles.h"
#include "UITrace.h"

IMPLEMENT_DYNCREATE(CGUIListBox, CListBox)
IMPLEMENT_DYNCREATE(CGUIComboBox, CComboBox)

namespace {
UlmLogger s_log("GUIListControls");
}  // namespace

LRESULT CGUIListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_KEYDOWN) return CListBox::WindowProc(message, wParam, lParam);
  const HWND self = m_hWnd;
  const LRESULT result = CListBox::WindowProc(message, wParam, lParam);
  QvKeyCode code = 0;
  if (::IsWindow(self) && GUIVirtualKeyToQvKeyCode(static_cast<UINT>(wParam), code))
    GUINotifyParent(self, kGUINotifyPortableKey, code);
  return result;
}

// ---------------------------------------------------------------------------------------
// Combo box

CGUIComboBox::CGUIComboBox() = default;

CGUIComboBox::~CGUIComboBox() {
  DeleteEditPart();
  Unlink();
  delete m_itemImages;
  if (m_flags & kOwnsImageList) delete m_imageList;
}

int CGUIComboBox::InsertItem(const wchar_t* text, int index) {
  HWND window = GetSafeHwnd();
  if (!window || !text) return CB_ERR;
  const LRESULT at = index < 0 ? ::SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))
                               : ::SendMessageW(window, CB_INSERTSTRING, static_cast<WPARAM>(index),
                                                reinterpret_cast<LPARAM>(text));
  if (at < 0) return CB_ERR;
  if (m_itemImages && static_cast<size_t>(at) <= m_itemImages->size())
    m_itemImages->insert(m_itemImages->begin() + at, -1);
  return static_cast<int>(at);
}

bool CGUIComboBox::DeleteItem(int index) {
  HWND window = GetSafeHwnd();
  if (!window || index < 0 || ::SendMessageW(window, CB_DELETESTRING, static_cast<WPARAM>(index), 0) == CB_ERR)
    return false;
  if (m_itemImages && static_cast<size_t>(index) < m_itemImages->size())
    m_itemImages->erase(m_itemImages->begin() + index);
  return true;
}

void CGUIComboBox::DeleteAllItems() {
  if (HWND window = GetSafeHwnd()) ::SendMessageW(window, CB_RESETCONTENT, 0, 0);
  if (m_itemImages) m_itemImages->clear();
}

bool CGUIComboBox::GetItemText(int index, std::wstring& text) const {
  text.clear();
  HWND window = GetSafeHwnd();
  return window && gui_widgets::ItemText(window, CB_GETLBTEXTLEN, CB_GETLBTEXT, index, text);
}

void CGUIComboBox::SetImageList(CImageList* list, bool showInField, bool owns) {
  if (m_flags & kFonts) {  // the fonts list keeps its own
    if (owns && list != m_imageList) delete list;
    return;
  }
  if (m_imageList != list && (m_flags & kOwnsImageList)) delete m_imageList;
  m_flags = static_cast<unsigned short>(m_flags & ~(kOwnsImageList | kImagesInField));
  m_imageList = list;
  if (!list) {
    delete m_itemImages;
    m_itemImages = nullptr;
  } else {
    if (owns) m_flags |= kOwnsImageList;
    if (showInField) m_flags |= kImagesInField;
    ConvertToOwnerDraw();
  }
  if (HWND window = GetSafeHwnd()) ::InvalidateRect(window, NULL, TRUE);
}

bool CGUIComboBox::SetItemImage(int index, int image) {
  HWND window = GetSafeHwnd();
  if (!window || !m_imageList) return false;
  const int count = static_cast<int>(::SendMessageW(window, CB_GETCOUNT, 0, 0));
  if (index < 0 || index >= count) return false;
  if (!m_itemImages) m_itemImages = new std::vector<int>(static_cast<size_t>(count), -1);
  if (m_itemImages->size() < static_cast<size_t>(count)) m_itemImages->resize(static_cast<size_t>(count), -1);
  (*m_itemImages)[static_cast<size_t>(index)] = image;
  ::InvalidateRect(window, NULL, TRUE);
  return true;
}

int CGUIComboBox::GetItemImage(int index) const {
  if (!m_itemImages || index < 0 || static_cast<size_t>(index) >= m_itemImages->size()) return -1;
  return (*m_itemImages)[static_cast<size_t>(index)];
}

int CGUIComboBox::TextHeight() const {
  HWND window = GetSafeHwnd();
  uih::WindowDC dc(window);
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  uih::Selection selected(dc.Get(), font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  TEXTMETRICW metrics = {};
  ::GetTextMetricsW(dc.Get(), &metrics);
  return metrics.tmHeight;
}

void CGUIComboBox::AdjustDroppedWidth() {
  HWND window = GetSafeHwnd();
  if (!window) return;
  const int count = static_cast<int>(::SendMessageW(window, CB_GETCOUNT, 0, 0));
  uih::WindowDC dc(window);
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  uih::Selection selected(dc.Get(), font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  int widest = 0;
  bool anyImage = false;
  std::wstring text;
  for (int i = 0; i < count; ++i) {
    if (GetItemText(i, text)) {
      SIZE size = {};
      ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
      widest = std::max(widest, static_cast<int>(size.cx));
    }
    anyImage |= GetItemImage(i) >= 0;
  }
  int imageWidth = 0, imageHeight = 0;
  if (anyImage && m_imageList) ::ImageList_GetIconSize(m_imageList->m_hImageList, &imageWidth, &imageHeight);
  int width = widest + (anyImage ? imageWidth + 4 : 0) + 6;
  RECT dropped = {};
  ::SendMessageW(window, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  const int itemHeight = static_cast<int>(::SendMessageW(window, CB_GETITEMHEIGHT, 0, 0));
  if (dropped.bottom - dropped.top < itemHeight * count) width += ::GetSystemMetrics(SM_CXVSCROLL);
  ::SendMessageW(window, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
}

void CGUIComboBox::SetReadOnly(bool readOnly) {
  m_readOnly = readOnly ? 1 : 0;
  if (HWND window = GetSafeHwnd()) {
    ::InvalidateRect(window, NULL, TRUE);
    ::UpdateWindow(window);
  }
}

void CGUIComboBox::SetItemTextColor(COLORREF color) {
  m_textColor = color;
  m_textColorSet = true;
}

void CGUIComboBox::SetDefaultItemTextColor() { m_textColorSet = false; }

COLORREF CGUIComboBox::GetItemTextColor() const {
  return m_textColorSet ? m_textColor : ::GetSysColor(COLOR_WINDOWTEXT);
}

bool CGUIComboBox::ConvertToOwnerDraw() {
  HWND old = GetSafeHwnd();
  if (!old) return false;
  const LONG style = ::GetWindowLongW(old, GWL_STYLE);
  if (style & CBS_OWNERDRAWFIXED) return true;
  HWND parent = ::GetParent(old);
  RECT dropped = {};
  ::SendMessageW(old, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&dropped), 2);
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(old, WM_GETFONT, 0, 0));
  const int id = ::GetDlgCtrlID(old);
  HWND previous = ::GetWindow(old, GW_HWNDPREV);
  const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(old, GWL_EXSTYLE));

  // The items, before the window goes.
  const int count = static_cast<int>(::SendMessageW(old, CB_GETCOUNT, 0, 0));
  std::vector<std::pair<std::wstring, LRESULT>> items;
  for (int i = 0; i < count; ++i) {
    std::wstring text;
    GetItemText(i, text);
    items.emplace_back(text, ::SendMessageW(old, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
  }
  const int selection = static_cast<int>(::SendMessageW(old, CB_GETCURSEL, 0, 0));

  // The edit part goes with the old window's edit child and comes back on the new one.
  const bool hadEditPart = m_editPart != nullptr;
  DeleteEditPart();
  UnsubclassWindow();
  // Texts are kept by the combo (an owner-drawn combo without them would keep only data).
  const DWORD newStyle = static_cast<DWORD>(style) | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL;
  if (!CreateEx(exStyle, _T("COMBOBOX"), NULL, newStyle, dropped, CWnd::FromHandle(parent), static_cast<UINT>(id))) {
    UI_TRACE_FAILED(s_log, "CreateEx");
    SubclassWindow(old);  // keeps the window it had
    if (hadEditPart) SubclassEditPart();
    return false;
  }
  HWND window = m_hWnd;
  ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  // The new window takes the old one's place in the z-order and tab order.
  ::SetWindowPos(window, previous ? previous : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  const int textHeight = TextHeight();
  int imageWidth = 0, imageHeight = 0;
  if (m_imageList) ::ImageList_GetIconSize(m_imageList->m_hImageList, &imageWidth, &imageHeight);
  ::SendMessageW(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 textHeight + (GUIGetWindowsVersion() < 4 ? 6 : 2));
  ::SendMessageW(window, CB_SETITEMHEIGHT, 0, std::max(textHeight, imageHeight));

  for (const auto& item : items) {
    const LRESULT at = ::SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.first.c_str()));
    if (at >= 0) ::SendMessageW(window, CB_SETITEMDATA, static_cast<WPARAM>(at), item.second);
  }
  if (selection >= 0) ::SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
  if (m_flags & kZoom) ::SendMessageW(window, CB_LIMITTEXT, 5, 0);
  if (hadEditPart) SubclassEditPart();

  if (QvGUIContainer* container = GUIGetQvGUIContainer(CWnd::FromHandlePermanent(parent))) {
    QvControl* control = container->LookupControl(static_cast<unsigned short>(id));
    COLORREF color;
    if (control && control->GetTextColorIfSet(color)) SetItemTextColor(color);
  }
  ::DestroyWindow(old);
  return true;
}

void CGUIComboBox::MeasureItem(LPMEASUREITEMSTRUCT item) {
  if (!item) return;
  int imageWidth = 0, imageHeight = 0;
  if (m_imageList) ::ImageList_GetIconSize(m_imageList->m_hImageList, &imageWidth, &imageHeight);
  item->itemHeight = static_cast<UINT>(std::max(GetSafeHwnd() ? TextHeight() : 13, imageHeight));
}

void CGUIComboBox::DrawItem(LPDRAWITEMSTRUCT item) {
  if (!item || item->itemID >= 0xFFFF) return;
  HDC dc = item->hDC;
  RECT rc = item->rcItem;
  const int index = static_cast<int>(item->itemID);
  const bool inField = rc.left > 0 || (item->itemState & ODS_COMBOBOXEDIT);
  const bool drawImages = m_imageList && m_itemImages && (!inField || (m_flags & kImagesInField));
  const bool disabled = !::IsWindowEnabled(GetSafeHwnd());
  if (m_flags & kLineWidths) {
    DrawLineSample(dc, rc, index, (item->itemState & ODS_SELECTED) != 0);
    if ((item->itemState & ODS_FOCUS) && !(item->itemState & ODS_NOFOCUSRECT)) ::DrawFocusRect(dc, &rc);
    return;
  }

  COLORREF background, text;
  if (item->itemState & ODS_SELECTED) {
    background = ::GetSysColor(COLOR_HIGHLIGHT);
    text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
  } else {
    background = ::GetSysColor((disabled && GUIGetWindowsVersion() >= 4) || m_readOnly ? COLOR_BTNFACE : COLOR_WINDOW);
    text = disabled ? ::GetSysColor(COLOR_GRAYTEXT) : GetItemTextColor();
  }
  {
    uih::OwnedBrush brush(::CreateSolidBrush(background));
    ::FillRect(dc, &rc, brush.Get());
  }

  std::wstring label;
  GetItemText(index, label);
  TEXTMETRICW metrics = {};
  ::GetTextMetricsW(dc, &metrics);
  int x = rc.left + 2;
  int y = rc.top;
  if (m_flags & kPatterns) {
    RECT labelRect = rc;
    DrawPatternSwatch(dc, labelRect, index);
    x = labelRect.left;
    y = labelRect.top;
  } else if (drawImages) {
    int imageWidth = 0, imageHeight = 0;
    ::ImageList_GetIconSize(m_imageList->m_hImageList, &imageWidth, &imageHeight);
    const int image = GetItemImage(index);
    if (image >= 0) ::ImageList_Draw(m_imageList->m_hImageList, image, dc, rc.left + 1, rc.top, ILD_TRANSPARENT);
    x += imageWidth + 4;
    if (imageHeight > metrics.tmHeight) y += (imageHeight - metrics.tmHeight) / 2;
  }
  const int mode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldText = ::SetTextColor(dc, text);
  ::ExtTextOutW(dc, x, y, ETO_CLIPPED, &rc, label.c_str(), static_cast<UINT>(label.size()), NULL);
  ::SetTextColor(dc, oldText);
  ::SetBkMode(dc, mode);
  if ((item->itemState & ODS_FOCUS) && !(item->itemState & ODS_NOFOCUSRECT)) ::DrawFocusRect(dc, &rc);
}

LRESULT CGUIComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
    const LRESULT result = CComboBox::WindowProc(message, wParam, lParam);
    QvGUIContainer* container = GUIGetQvGUIContainer(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
    QvControl* control = container ? container->LookupControl(static_cast<unsigned short>(::GetDlgCtrlID(m_hWnd))) : nullptr;
    COLORREF color;
    if (control && control->GetTextColorIfSet(color)) ::SetTextColor(reinterpret_cast<HDC>(wParam), color);
    return result;
  }
  return CComboBox::WindowProc(message, wParam, lParam);
}
