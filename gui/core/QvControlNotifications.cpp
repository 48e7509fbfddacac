// Windows notifications of dialog children turned into portable notifications, and the
// portable class of a child.
#include "QvGUIContainer.h"

#include <commctrl.h>

#include <unordered_map>

namespace {

bool s_editTextSetByProgram = false;

// The window classes the translation knows.
enum ChildKind {
  kNoKind,
  kStatic,
  kEdit,
  kButton,
  kListBox,
  kComboBox,
  kListView,
  kTreeList,
  kTrackbar,
  kToolNails,
  kImageCtrl,
  kDateTime,
};

ChildKind KindOfClassName(const wchar_t* name) {
  static const struct {
    const wchar_t* name;
    ChildKind kind;
  } kinds[] = {
      {L"static", kStatic},         {L"edit", kEdit},
      {L"button", kButton},         {L"listbox", kListBox},
      {L"combobox", kComboBox},     {L"SysListView32", kListView},
      {L"QvTreeList", kTreeList},   {L"msctls_trackbar32", kTrackbar},
      {L"QvToolNails", kToolNails}, {L"QvImageCtrl", kImageCtrl},
      {L"QvDateTimeCtrl", kDateTime},
  };
  for (const auto& k : kinds)
    if (::lstrcmpiW(name, k.name) == 0) return k.kind;
  return kNoKind;
}

// The kind of a child, asked of the system once per window: notifications come with every
// key stroke. An entry is kept with the window's class atom, so that a handle used again by
// a window of another class is asked anew.
ChildKind KindOfChild(HWND child) {
  struct Known {
    ATOM atom;
    ChildKind kind;
  };
  static std::unordered_map<HWND, Known> known;
  const ATOM atom = static_cast<ATOM>(::GetClassLongPtrW(child, GCW_ATOM));
  auto it = known.find(child);
  if (it != known.end() && atom != 0 && it->second.atom == atom) return it->second.kind;
  wchar_t name[129];
  if (!::GetClassNameW(child, name, 129)) return kNoKind;
  const ChildKind kind = KindOfClassName(name);
  if (atom != 0) {
    if (known.size() >= 1024) known.clear();  // windows gone long ago
    known[child] = {atom, kind};
  }
  return kind;
}

// The first 32-bit value after the notification header.
long HeaderData(const NMHDR* header) { return *reinterpret_cast<const long*>(header + 1); }

// The row and column of a list view under the mouse cursor; false over no cell.
bool CellUnderCursor(HWND list, int& row, int& column) {
  LVHITTESTINFO hit = {};
  ::GetCursorPos(&hit.pt);
  ::ScreenToClient(list, &hit.pt);
  if (::SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0 || hit.iItem < 0) return false;
  row = hit.iItem;
  column = hit.iSubItem;
  return true;
}

struct Translated {
  NotificationCode code = 0;
  LONG_PTR value = 0;
};

// The portable code of a Windows code of a child of that kind; false when there is none.
// header is the WM_NOTIFY header, null for WM_COMMAND and scrolling.
bool Translate(ChildKind kind, HWND child, int code, const NMHDR* header, Translated& out) {
  auto to = [&out](NotificationCode portable, LONG_PTR value = 0) {
    out.code = portable;
    out.value = value;
    return true;
  };
  // Codes that come with a header need it.
  auto notify = [header](int c) { return header != nullptr && c < 0; };
  switch (kind) {
    case kEdit:
      switch (code) {
        case EN_UPDATE: return !s_editTextSetByProgram && to(200);
        case EN_SETFOCUS: return to(201);
        case EN_KILLFOCUS: return to(202);
        case 203: return to(203);
        case 204: return to(204);
        case 206: return to(206);
        case -98: return notify(code) && to(205, HeaderData(header));
        case -79: return to(205, header ? HeaderData(header) : 0);  // the spinner's value follows its header
      }
      return false;
    case kButton:
      if (code != BN_CLICKED) return false;
      switch (::GetWindowLongW(child, GWL_STYLE) & 0xF) {
        case 0: case 1: case 11: return to(300);
        case 4: case 9: return to(400);
        case 2: case 3: case 5: case 6: return to(500);
      }
      return false;
    case kListBox:
      switch (code) {
        case LBN_SETFOCUS: return to(600);
        case LBN_KILLFOCUS: return to(601);
        case LBN_SELCHANGE: return to(602);
        case LBN_DBLCLK: return to(603);
        case -98: return notify(code) && to(604, HeaderData(header));
      }
      return false;
    case kComboBox:
      switch (code) {
        case CBN_SELCHANGE: return to(700);
        case CBN_DROPDOWN: return to(701);
        case CBN_CLOSEUP: return to(702);
        case CBN_SETFOCUS: return to(703);
        case CBN_KILLFOCUS: return to(704);
        case CBN_EDITCHANGE: return to(725);
        case -74: return to(735);
      }
      return false;
    case kListView: {
      if (!notify(code)) return false;
      const LONG_PTR headerValue = reinterpret_cast<LONG_PTR>(header);
      int row = -1, column = -1;
      switch (code) {
        case -7:  // NM_SETFOCUS
          return to(1000);
        case -8:  // NM_KILLFOCUS
          return to(1001);
        case -101: {  // LVN_ITEMCHANGED
          const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
          const bool selection = (change->uChanged & LVIF_STATE) &&
                                 ((change->uNewState ^ change->uOldState) & LVIS_SELECTED);
          return selection && to(1002, headerValue);
        }
        case -3:  // NM_DBLCLK
          return to(1003, CellUnderCursor(child, row, column) ? row : -1);
        case -108:  // LVN_COLUMNCLICK
          return to(1004, reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
        case -5:  // NM_RCLICK
          return to(1005, CellUnderCursor(child, row, column) ? static_cast<LONG_PTR>(MAKELONG(row, column)) : -1);
        case -96:
          return to(1005, ::SendMessageW(child, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        case -98: return to(1006, HeaderData(header));
        case -177:  // LVN_GETDISPINFOW
          return (reinterpret_cast<const NMLVDISPINFOW*>(header)->item.mask & LVIF_TEXT) && to(1007, headerValue);
        case -113:  // LVN_ODCACHEHINT
          return to(1008, headerValue);
        case -179:  // LVN_ODFINDITEMW
          return to(1009, headerValue);
      }
      return false;
    }
    case kToolNails:
      switch (code) {
        case -2:  // NM_CLICK
          return to(1100);
        case -3:  // NM_DBLCLK
          return to(1101);
        case -5:  // NM_RCLICK
          return to(1102);
        case -94: return to(1103);
        case -93: return to(1104);
        case -92: return notify(code) && to(1105, reinterpret_cast<LONG_PTR>(header + 1));
      }
      return false;
    case kTrackbar:
      return code >= 0 && code <= 8 && to(1200);
    case kTreeList:
      // The tree list's current item comes with the tree list.
      switch (code) {
        case 100: return to(1300);
        case 101: return to(1301);
        case 105: return to(1302);
        case 102: return to(1303);
        case 104: return to(1304);
        case 108: return to(1305);
        case 109: return to(1306);
        case 110: return to(1307);
        case 107: return to(1308);
        case 103: return to(1309);
        case -96: return to(1309);
        case -98: return notify(code) && to(1310, HeaderData(header));
        case -97: return notify(code) && to(1311, HeaderData(header));
        case 111: return to(1312);
        case 106: return to(1500);
      }
      return false;
    case kImageCtrl:
      switch (code) {
        case -2:  // NM_CLICK
          return to(1700);
        case -89: return to(1701);
        case -3:  // NM_DBLCLK
          return to(1702);
      }
      return false;
    case kDateTime:
      return code == -84 && to(1800);
    case kStatic:
    case kNoKind:
      return false;
  }
  return false;
}

const char* ControlClassName(HWND child) {
  const LONG style = ::GetWindowLongW(child, GWL_STYLE);
  switch (KindOfChild(child)) {
    case kStatic: return "QvStaticText";
    case kEdit: return (style & ES_PASSWORD) ? "QvPassEditText" : "QvEditText";
    case kButton:
      switch (style & 0xFFFF) {
        case 0: case 1: return "QvPushButton";
        case 2: case 3: case 5: case 6: return "QvCheckBox";
        case 4: case 9: return "QvRadioButton";
        case 7: return "QvGroupBox";
      }
      return nullptr;
    case kListBox: return "QvListBox";
    case kComboBox: return (style & CBS_DROPDOWN) ? "QvEditComboBox" : "QvComboBox";
    case kListView: return "QvMCListBox";
    case kTreeList: return "QvTreeList";
    case kTrackbar: return "QvSlider";
    case kToolNails: return "QvToolNail";
    case kImageCtrl: return "QvImageCtrl";
    case kDateTime: return "QvDateTimeCtrl";
    case kNoKind: return nullptr;
  }
  return nullptr;
}

}  // namespace

bool Get_EditTextSetByProgram() { return s_editTextSetByProgram; }
void Set_EditTextSetByProgram(bool set) { s_editTextSetByProgram = set; }

const QvRuntimeClass* QvGUIContainer::GetControlClassForChild(HWND child) {
  const char* name = child ? ControlClassName(child) : nullptr;
  return name ? QvRuntimeClass::FromClassName(name) : nullptr;
}

bool QvGUIContainer::TranslateControlNotification(unsigned short id, int code, AFX_NOTIFY* record) {
  HWND window = m_platformWindow ? m_platformWindow->GetSafeHwnd() : NULL;
  HWND child = window ? ::GetDlgItem(window, id) : NULL;
  if (!child) return false;
  const NMHDR* header = record ? record->pNMHDR : nullptr;
  Translated translated;
  if (!Translate(KindOfChild(child), child, code, header, translated)) return false;

  QvControl* control = LookupControl(id);
  const bool temporary = control == nullptr;
  if (temporary && !GetOrCreateControl(GetControlClassForChild(child), control, id, 0)) return false;

  QvControlNotification notification(id, control, translated.code, translated.value);
  Dispatch dispatch;
  dispatch.next = m_dispatches;
  dispatch.temporary = temporary ? control : nullptr;
  m_dispatches = &dispatch;
  const bool handled = control->OnControlNotification(notification);
  if (dispatch.gone) {
    // The handler deleted the container, and with it the control: touch neither.
  } else {
    m_dispatches = dispatch.next;
    // A control made for this call goes with it, unless a handler took it from the
    // container (GetControlFromID): then the container keeps it like any other.
    if (temporary && !dispatch.kept) {
      QvFirst* entered = nullptr;
      if (m_controls.Lookup(id, entered) && entered == control) m_controls.RemoveKey(id);
      delete control;
    }
  }
  if (handled && record && record->pResult && *record->pResult == 0) *record->pResult = notification.m_result;
  return handled;
}

bool GUITranslateControlNotification(QvGUIContainer* container, unsigned short id, int code, AFX_NOTIFY* record) {
  return container && container->TranslateControlNotification(id, code, record);
}
