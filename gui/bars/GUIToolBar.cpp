// Command-built toolbars: buttons from RCDATA button lists of command ids, each with the
// image, style and rights of its command definition; controls made by control makers for
// commands that name a control class.
#include <fw_dock.h>

#include <memory>
#include <vector>

#include "GUIPlatformUtilities.h"
#include "QvCommandCenter.h"
#include "QvHotKeyText.h"
#include "QvToolBars.h"
#include "UIHandles.h"
#include "UITrace.h"

QV_IMPLEMENT_CLASS(QvControlMaker, nullptr)
QV_IMPLEMENT_CLASS(QvComboBoxMaker, QV_RUNTIME_CLASS(QvControlMaker))

IMPLEMENT_DYNAMIC(CGUIToolBar, CToolBar)
IMPLEMENT_DYNAMIC(CGUIMultipleBitmapToolbar, CGUIToolBar)

BEGIN_MESSAGE_MAP(CGUIToolBar, CToolBar)
  ON_MESSAGE(WM_HELPHITTEST, &CGUIToolBar::OnHelpHitTest)
END_MESSAGE_MAP()

namespace {
UlmLogger s_log("ToolBar");

const unsigned short kSeparatorEntry = 0xFFFF;
const unsigned short kNoImage = 0xFFFF;

// Records the definition once in the list of standard shortcuts (made on first use).
void NoteStandardShortCut(QvCommandDef* def) {
  QvListLPQvFirst* list = Get_GlobalListStandardShortCutCommandDef();
  if (!list) Set_GlobalListStandardShortCutCommandDef(list = new QvListLPQvFirst);
  if (!list->Find(def)) list->AddTail(def);
}

// A button list: the 16-bit entries of the RCDATA resource, read no further than its size.
struct ButtonList {
  const unsigned short* entries = nullptr;
  DWORD count = 0;
};

bool FindButtonList(unsigned int id, ButtonList& list) {
  LPCTSTR name = MAKEINTRESOURCE(id & 0xFFFF);
  HINSTANCE module = AfxFindResourceHandle(name, RT_RCDATA);
  HRSRC resource = module ? ::FindResource(module, name, RT_RCDATA) : NULL;
  HGLOBAL loaded = resource ? ::LoadResource(module, resource) : NULL;
  const void* data = loaded ? ::LockResource(loaded) : NULL;
  if (!data) return false;
  list.entries = static_cast<const unsigned short*>(data);
  list.count = ::SizeofResource(module, resource) / sizeof(unsigned short);  // a trailing odd byte is dropped
  return true;
}

// The left half of the bitmap resource with the button colours mapped to the system's; NULL
// when the resource is missing or the copy cannot be made.
HBITMAP LoadImageHalf(unsigned int key) {
  LPCTSTR name = MAKEINTRESOURCE(key);
  HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
  if (!module || !::FindResource(module, name, RT_BITMAP)) return NULL;
  COLORMAP colours[] = {
      {RGB(0, 0, 0), ::GetSysColor(COLOR_BTNTEXT)},
      {RGB(128, 128, 128), ::GetSysColor(COLOR_BTNSHADOW)},
      {RGB(192, 192, 192), ::GetSysColor(COLOR_BTNFACE)},
      {RGB(255, 255, 255), ::GetSysColor(COLOR_BTNHIGHLIGHT)},
  };
  uih::OwnedBitmap mapped(::CreateMappedBitmap(module, static_cast<INT_PTR>(key), 0, colours, 4));
  if (!mapped) {
    UI_TRACE_FAILED(s_log, "CreateMappedBitmap");
    return NULL;
  }
  BITMAP bm = {};
  if (!::GetObject(mapped.Get(), sizeof bm, &bm) || bm.bmWidth / 2 <= 0) return NULL;
  // Each DC is declared after the bitmap it selects, so that it lets the bitmap go first.
  uih::MemoryDC source;
  if (!source.Select(mapped.Get())) return NULL;
  uih::OwnedBitmap half(::CreateCompatibleBitmap(source.Get(), bm.bmWidth / 2, bm.bmHeight));
  uih::MemoryDC target;
  if (!half || !target.Select(half.Get())) {
    UI_TRACE_FAILED(s_log, "CreateCompatibleBitmap");
    return NULL;
  }
  if (!::BitBlt(target.Get(), 0, 0, bm.bmWidth / 2, bm.bmHeight, source.Get(), 0, 0, SRCCOPY)) return NULL;
  return half.Release();  // the target DC lets it go when the DC goes
}
}  // namespace

// ---------------------------------------------------------------------------------------
// Control makers.

QvComboBoxMaker::~QvComboBoxMaker() { m_font.Detach(); }  // a stock font is never deleted

void QvComboBoxMaker::SetSystemFont(CWnd* control) {
  int stock = -1;
  switch (static_cast<int>(GUIGetWindowsVersion())) {
    case 1: stock = ANSI_VAR_FONT; break;
    case 2: stock = DEVICE_DEFAULT_FONT; break;
    case 3: stock = SYSTEM_FONT; break;
    case 4:
    case 5: stock = DEFAULT_GUI_FONT; break;
  }
  m_font.Detach();
  if (stock >= 0) m_font.Attach(::GetStockObject(stock));
  if (control && control->m_hWnd) control->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
}

// ---------------------------------------------------------------------------------------
// CGUIToolBar.

BOOL CGUIToolBar::Create(CWnd* parent, DWORD style, UINT id) {
  if (!CToolBar::Create(parent, style, id)) return FALSE;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(parent ? parent->m_hWnd : NULL));
  return TRUE;
}

LRESULT CGUIToolBar::OnHelpHitTest(WPARAM, LPARAM lParam) {
  const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  const INT_PTR id = OnToolHitTest(point, NULL);
  if (id <= 0 || id > 0xFFFF) return 0;
  QvCommandDef* def = GUIGetCommandDefFromID(static_cast<unsigned short>(id));
  return def ? static_cast<LRESULT>(def->m_helpID) : 0;
}

// ---------------------------------------------------------------------------------------
// CGUIMultipleBitmapToolbar.

CGUIMultipleBitmapToolbar::CGUIMultipleBitmapToolbar(unsigned int id)
    : CGUIMultipleBitmapToolbar(QvToolBarSmallColor, id) {}

CGUIMultipleBitmapToolbar::CGUIMultipleBitmapToolbar(QvToolBarBitmapStyle style, unsigned int id)
    : m_style(style), m_bitmapOffset(static_cast<WORD>(style)), m_id(id) {
  const bool large = style == QvToolBarLargeColor || style == QvToolBarLargePlain;
  m_imageWidth = large ? 24 : 16;
  m_buttonCx = large ? 31 : 23;
  m_buttonCy = large ? 30 : 22;
  m_imageCx = large ? 24 : 16;
  m_imageCy = large ? 23 : 15;
}

CGUIMultipleBitmapToolbar::~CGUIMultipleBitmapToolbar() {
  QvPosition pos = m_makers.GetStartPosition();
  while (pos) {
    unsigned long id;
    QvFirst* maker;
    m_makers.GetNextAssoc(pos, id, maker);
    delete maker;
  }
  m_makers.RemoveAll();
  // The window goes before the bitmaps its images came from.
  if (m_hWnd != NULL) DestroyWindow();
  for (QvPosition at = m_bitmaps.GetHeadPosition(); at;) delete static_cast<CBitmap*>(m_bitmaps.GetNext(at));
}

BOOL CGUIMultipleBitmapToolbar::Create(CWnd* parent, DWORD style) {
  if (!CGUIToolBar::Create(parent, style, m_id)) return FALSE;
  SetSizes(CSize(m_buttonCx, m_buttonCy), CSize(m_imageCx, m_imageCy));
  for (long i = 0; i < m_resources.GetSize(); ++i) AddToolBar(m_resources[i], FALSE);
  return TRUE;
}

BOOL CGUIMultipleBitmapToolbar::AddToolBar(unsigned int resourceId, int memorize) {
  ButtonList list;
  if (!FindButtonList(resourceId, list)) return FALSE;
  if (memorize) MemorizeToolBar(resourceId);
  if (m_hWnd == NULL) return TRUE;  // its buttons are placed when the bar is made
  // The buttons go to the control together (each single add lays the whole bar out again);
  // a control's placeholders go at once, as the control is placed over them.
  std::vector<TBBUTTON> pending;
  m_pending = &pending;
  BOOL all = TRUE;
  for (DWORD i = 0; i < list.count && list.entries[i] != 0; ++i)
    if (!AddButtonFromCommand(list.entries[i])) all = FALSE;
  if (!FlushPendingButtons()) all = FALSE;
  m_pending = nullptr;
  return all;
}

BOOL CGUIMultipleBitmapToolbar::FlushPendingButtons() {
  if (m_pending == nullptr || m_pending->empty()) return TRUE;
  const BOOL added = SendMessage(TB_ADDBUTTONS, m_pending->size(), reinterpret_cast<LPARAM>(m_pending->data())) != 0;
  if (!added) UI_TRACE_FAILED(s_log, "TB_ADDBUTTONS");
  m_pending->clear();
  return added;
}

QvControlMaker* CGUIMultipleBitmapToolbar::GetControlMaker(unsigned int commandId) const {
  QvFirst* maker = nullptr;
  return m_makers.Lookup(commandId, maker) ? static_cast<QvControlMaker*>(maker) : nullptr;
}

BOOL CGUIMultipleBitmapToolbar::AddOneButton(TBBUTTON& button) {
  if (m_pending != nullptr) {
    m_pending->push_back(button);
    return TRUE;
  }
  return SendMessage(TB_ADDBUTTONS, 1, reinterpret_cast<LPARAM>(&button)) != 0;
}

BOOL CGUIMultipleBitmapToolbar::AddButtonFromCommand(unsigned int commandId) {
  if (m_hWnd == NULL) return FALSE;
  const unsigned short id = static_cast<unsigned short>(commandId);
  QvCommandDef* def = GUIGetCommandDefFromID(id);
  if (def && GUIGetCmdStatus(def->m_securityID, false, id) == 3) return TRUE;  // hidden: no button, no gap

  TBBUTTON button = {};
  button.fsState = TBSTATE_ENABLED;
  if (id == kSeparatorEntry) {
    button.fsStyle = TBSTYLE_SEP;
    return AddOneButton(button);
  }
  if (!def) return FALSE;

  if (IsStandardShortCut(def->m_defaultKey, def->m_defaultModifiers)) NoteStandardShortCut(def);

  QvString className;
  if (def->GetClassNameW(className)) return AddControl(id, *def);

  if (def->m_bitmapID == 0 || def->m_imageIndex == kNoImage) return FALSE;
  unsigned short base = 0, count = 0;
  if (!ImageBase(static_cast<unsigned int>(def->m_bitmapID) + m_bitmapOffset, base, count)) return FALSE;
  if (def->m_imageIndex >= count) {
    UI_TRACE_REFUSED(s_log, "an image index past the end of the command's bitmap");
    return FALSE;
  }
  button.iBitmap = base + def->m_imageIndex;
  button.idCommand = id;
  button.fsStyle = (def->m_checkStyle == 1 || def->m_checkStyle == 2) ? TBSTYLE_CHECK : TBSTYLE_BUTTON;
  return AddOneButton(button);
}

BOOL CGUIMultipleBitmapToolbar::AddControl(unsigned int commandId, const QvCommandDef& def) {
  QvString makerName;
  if (!def.GetControlClassName(makerName)) {
    UI_TRACE_REFUSED(s_log, "a control command without a control class");
    return FALSE;
  }
  if (GetControlMaker(commandId)) {
    UI_TRACE_REFUSED(s_log, "a second control for the same command on one toolbar");
    return FALSE;
  }
  // Only a registered, creatable control maker may make the control.
  const QvRuntimeClass* cls = QvRuntimeClass::FromClassName(makerName.c_str());
  if (!cls || !cls->IsCreatable() || !cls->IsDerivedFrom(QV_RUNTIME_CLASS(QvControlMaker))) {
    UI_TRACE_REFUSED(s_log, "the control class is no registered control maker");
    return FALSE;
  }
  std::unique_ptr<QvFirst> object(cls->CreateObject());
  QvControlMaker* maker = dynamic_cast<QvControlMaker*>(object.get());
  if (!maker) return FALSE;
  const unsigned short separators = maker->GetSeparatorCount();
  if (separators == 0) {
    UI_TRACE_REFUSED(s_log, "a control maker that asks for no room");
    return FALSE;
  }
  if (!FlushPendingButtons()) return FALSE;  // the buttons before it are in place first
  std::vector<TBBUTTON>* const pending = m_pending;
  m_pending = nullptr;  // the placeholders go in at once
  struct Restore {
    CGUIMultipleBitmapToolbar* bar;
    std::vector<TBBUTTON>* pending;
    ~Restore() { bar->m_pending = pending; }
  } restore = {this, pending};
  const int first = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
  // Takes the placeholders back when the control cannot be placed.
  auto undo = [this, first] {
    for (int i = static_cast<int>(SendMessage(TB_BUTTONCOUNT)); i-- > first;) SendMessage(TB_DELETEBUTTON, i);
    return FALSE;
  };
  for (unsigned short i = 0; i < separators; ++i) {
    TBBUTTON placeholder = {};
    placeholder.fsState = TBSTATE_ENABLED;
    placeholder.fsStyle = TBSTYLE_SEP;
    placeholder.dwData = commandId;
    if (!AddOneButton(placeholder)) return undo();
  }
  CRect space, last;
  GetItemRect(first, &space);
  GetItemRect(first + separators - 1, &last);
  space.UnionRect(&space, &last);
  if (!maker->CreateControl(this, &space, commandId)) {
    UI_TRACE_REFUSED(s_log, "the control maker made no control");
    return undo();
  }
  m_makers.SetAt(commandId, object.release());
  return TRUE;
}

bool CGUIMultipleBitmapToolbar::ImageBase(unsigned int key, unsigned short& base, unsigned short& count) {
  if (key > 0xFFFF) return false;
  const unsigned short k = static_cast<unsigned short>(key);
  if (m_bitmapBases.Lookup(k, base)) return m_bitmapCounts.Lookup(k, count);
  HBITMAP half = LoadImageHalf(key);
  if (!half) return false;
  CBitmap* bitmap = new CBitmap;
  bitmap->Attach(half);
  BITMAP bm = {};
  bitmap->GetBitmap(&bm);
  const int images = bm.bmWidth / m_imageWidth;
  TBADDBITMAP add = {NULL, reinterpret_cast<UINT_PTR>(half)};
  if (images <= 0 || images > 0xFFFF - m_nextImage ||
      SendMessage(TB_ADDBITMAP, images, reinterpret_cast<LPARAM>(&add)) == -1) {
    UI_TRACE_REFUSED(s_log, "a command bitmap that gives no images");
    delete bitmap;
    return false;
  }
  m_bitmaps.AddTail(bitmap);
  m_loadedBitmaps.Add(k);
  base = m_nextImage;
  count = static_cast<unsigned short>(images);
  m_bitmapBases.SetAt(k, base);
  m_bitmapCounts.SetAt(k, count);
  m_nextImage = static_cast<WORD>(m_nextImage + images);
  return true;
}

void CGUIMultipleBitmapToolbar::Show(bool show) {
  m_shown = show;
  if (m_hWnd == NULL) return;
  // The frame that lays the bar out: its dock site, else the frame it stands in.
  CFrameWnd* frame = m_pDockSite;
  for (HWND up = ::GetParent(m_hWnd); !frame && up; up = ::GetParent(up))
    frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(up));
  if (frame)
    frame->ShowControlBar(this, show, FALSE);
  else
    ShowWindow(show ? SW_SHOWNA : SW_HIDE);
}

void CGUIMultipleBitmapToolbar::ShowToolTips(bool show) {
  const DWORD style = GetBarStyle();
  SetBarStyle(show ? (style | CBRS_TOOLTIPS) : (style & ~CBRS_TOOLTIPS));
}

// ---------------------------------------------------------------------------------------

void DockControlBarUnderOf(CFrameWnd* frame, CToolBar* bar, CToolBar* under) {
  if (!frame || !bar || !under || !under->m_hWnd) return;
  frame->RecalcLayout(TRUE);
  CRect rect;
  under->GetWindowRect(&rect);
  rect.OffsetRect(0, rect.Height() - 1);
  const DWORD style = under->GetBarStyle();
  UINT side = 0;
  if (style & CBRS_ALIGN_TOP)
    side = AFX_IDW_DOCKBAR_TOP;
  else if (style & CBRS_ALIGN_BOTTOM)
    side = AFX_IDW_DOCKBAR_BOTTOM;
  else if (style & CBRS_ALIGN_LEFT)
    side = AFX_IDW_DOCKBAR_LEFT;
  else if (style & CBRS_ALIGN_RIGHT)
    side = AFX_IDW_DOCKBAR_RIGHT;
  frame->DockControlBar(bar, side, &rect);
}
