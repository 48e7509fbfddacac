// The portable nail strip over its "QvToolNails" window: the container binds it by window
// class, its operations change the strip, and the strip's notifications reach the container
// as portable notifications.
#include <GUIPlatformGlue.h>
#include <QvGUIContainer.h>
#include <QvToolNail.h>
#include <UIToolNails.h>
#include <framework.h>
#include <gtest/gtest.h>
#include <recorder.h>

#include <functional>
#include <string>
#include <vector>

using testing_support::ExpectedMsg;
using testing_support::kParent;
using testing_support::kSent;
using testing_support::kWparam;
using testing_support::Recorder;

namespace {

const unsigned short kStrip = 9;

struct Seen {
  unsigned short id;
  NotificationCode code;
  bool operator==(const Seen& o) const { return id == o.id && code == o.code; }
};
std::ostream& operator<<(std::ostream& os, const Seen& s) { return os << "{" << s.id << ", " << s.code << "}"; }

class RecordingContainer : public QvGUIContainer {
 public:
  RecordingContainer() : QvGUIContainer(nullptr, 0) {}
  bool OnControlNotification(QvControlNotification& n) override {
    seen.push_back({n.m_controlID, n.m_code});
    if (onNotify) onNotify(n);
    return true;
  }
  std::vector<Seen> seen;
  std::function<void(QvControlNotification&)> onNotify;
};

// A page that hands the strip's WM_NOTIFY to the portable glue and logs it.
class Page : public CWnd {
 public:
  BOOL Make() {
    const CString cls = AfxRegisterWndClass(0, LoadCursor(NULL, IDC_ARROW), GetSysColorBrush(COLOR_WINDOW));
    return CreateEx(0, cls, _T("page"), WS_POPUP | WS_VISIBLE, 50, 50, 400, 200, NULL, NULL);
  }
  std::vector<int> codes;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) {
      Recorder().Record(m_hWnd, message, wParam, lParam, kParent);
      codes.push_back(static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code));
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    return GUIOnNotify(this, wParam, lParam, result);
  }
};

class QvNails : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(page.Make());
    strip = new CToolNails;
    ASSERT_TRUE(strip->Create(&page, NAILS_ALIGN_BOTTOM, kStrip));
    strip->SetWindowPos(NULL, 0, 150, 400, strip->GetFullBarHeight(), SWP_NOZORDER | SWP_SHOWWINDOW);
    container = new RecordingContainer;
    container->SetMFCCWnd(&page);
    GUISetQvGUIContainer(&page, container);
    ASSERT_TRUE(container->GetControlFromID(nail, kStrip, 0));
    for (const char* t : {"North", "South", "East"}) nail->AddItem(t, nullptr, -1, 0);
    Recorder().Watch(page.m_hWnd);
    Recorder().Reset();
  }
  void TearDown() override {
    Recorder().UnwatchAll();
    GUISetQvGUIContainer(&page, nullptr);
    delete container;  // with its controls
    DestroyStrip();
    page.DestroyWindow();
  }
  void DestroyStrip() {
    if (strip == nullptr) return;
    strip->DestroyWindow();
    delete strip;
    strip = nullptr;
  }

  Page page;
  CToolNails* strip = nullptr;
  RecordingContainer* container = nullptr;
  QvToolNail* nail = nullptr;
};

TEST_F(QvNails, ContainerBindsTheStripByItsWindowClass) {
  EXPECT_EQ(strip, nail->GetPlatformControl()) << "the strip's own object is used";
  EXPECT_EQ(strip, nail->Nails());
  QvToolNail* again = nullptr;
  ASSERT_TRUE(container->GetControlFromID(again, kStrip, 0));
  EXPECT_EQ(nail, again) << "entered once";
  EXPECT_EQ(RUNTIME_CLASS(CToolNails), QvControl::GetPlatformClass(QV_RUNTIME_CLASS(QvToolNail)));
}

TEST_F(QvNails, SelectNotifiesTheContainerAndMovesTheCurrentNail) {
  // Select(1) on a strip with no current nail: the page gets -92 (may it change?) and then
  // NM_CLICK, both sent with the strip's id; the container sees 1105 then 1100.
  const ExpectedMsg expected[] = {
      {WM_NOTIFY, kSent | kParent | kWparam, kStrip, 0},
      {WM_NOTIFY, kSent | kParent | kWparam, kStrip, 0},
      {0, 0, 0, 0},
  };
  ASSERT_TRUE(nail->Select(1));
  Recorder().Pump();
  EXPECT_TRUE(Recorder().Matches(expected));
  EXPECT_EQ((std::vector<int>{NAILN_SELCHANGING, static_cast<int>(NM_CLICK)}), page.codes);
  EXPECT_EQ((std::vector<Seen>{{kStrip, 1105}, {kStrip, 1100}}), container->seen);
  EXPECT_EQ(1, strip->GetCurrent());
  EXPECT_TRUE(strip->IsSelected(1));

  // The current nail again: nothing is sent.
  Recorder().Reset();
  container->seen.clear();
  nail->Select(1);
  Recorder().Pump();
  EXPECT_TRUE(Recorder().Messages().empty());
  EXPECT_TRUE(container->seen.empty());
}

TEST_F(QvNails, AHandlerMayRefuseTheChangeThroughTheRecord) {
  nail->Select(0);
  container->seen.clear();
  container->onNotify = [](QvControlNotification& n) {
    if (n.m_code == 1105) reinterpret_cast<NMNAILCHANGING*>(reinterpret_cast<NMHDR*>(n.m_value) - 1)->allow = 0;
  };
  EXPECT_FALSE(nail->Select(2));
  EXPECT_EQ((std::vector<Seen>{{kStrip, 1105}}), container->seen) << "no 1100 after a refusal";
  EXPECT_EQ(0, strip->GetCurrent());
  short current = -1;
  EXPECT_TRUE(nail->GetSelected(current));
  EXPECT_EQ(0, current);
}

// Mouse actions on the strip, and the portable notifications the container gets for them.
struct MouseCase {
  const char* what;
  UINT message;
  int nail;
  std::vector<Seen> portable;
};

TEST_F(QvNails, MouseNotificationsReachTheContainer) {
  const MouseCase cases[] = {
      // Nail 0 is current: a double-click on it, a right press on nail 2 (made current first).
      {"double-click", WM_LBUTTONDBLCLK, 0, {{kStrip, 1101}}},
      {"right press", WM_RBUTTONDOWN, 2, {{kStrip, 1105}, {kStrip, 1100}, {kStrip, 1102}}},
  };
  for (const MouseCase& c : cases) {
    nail->Select(0);
    container->seen.clear();
    const CRect r = strip->GetNailRect(c.nail);
    strip->SendMessage(c.message, 0, MAKELPARAM(r.left + 5, r.top + r.Height() / 2));
    EXPECT_EQ(c.portable, container->seen) << c.what;
    EXPECT_EQ(c.nail, strip->GetCurrent()) << c.what;
  }
}

TEST_F(QvNails, TheContainerAnswersTheDragAndHearsTheMove) {
  nail->Select(0);
  LRESULT answer = 1;
  container->onNotify = [&answer](QvControlNotification& n) {
    if (n.m_code == 1103) n.m_result = static_cast<long>(answer);
  };
  // A press on the current, selected nail asks 1103; the answer 1 starts the drag.
  container->seen.clear();
  CRect r = strip->GetNailRect(0);
  strip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 5, r.top + 3));
  ASSERT_EQ(strip->m_hWnd, ::GetCapture());
  const CRect last = strip->GetNailRect(2);
  strip->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(last.right + 10, last.top + 3));
  strip->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(last.right + 10, last.top + 3));
  EXPECT_EQ((std::vector<Seen>{{kStrip, 1103}, {kStrip, 1104}}), container->seen);
  EXPECT_EQ(CString(L"North"), strip->GetItemText(2)) << "moved after the last";
  EXPECT_EQ(2, strip->GetCurrent());
  EXPECT_NE(strip->m_hWnd, ::GetCapture());

  // The answer 0 keeps the drag from starting.
  answer = 0;
  container->seen.clear();
  r = strip->GetNailRect(2);
  strip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 5, r.top + 3));
  EXPECT_NE(strip->m_hWnd, ::GetCapture());
  EXPECT_EQ((std::vector<Seen>{{kStrip, 1103}}), container->seen);
}

TEST_F(QvNails, ItemsReachTheStripAsUtf16) {
  // "Été" in UTF-8 arrives as UTF-16.
  EXPECT_EQ(1, nail->InsertItem("\xC3\x89t\xC3\xA9", 1, reinterpret_cast<void*>(0x55), 3, 900));
  EXPECT_EQ(4, nail->GetCount());
  EXPECT_EQ(CString(L"\u00C9t\u00E9"), strip->GetItemText(1));
  QvString text;
  ASSERT_TRUE(nail->GetItemText(1, text));
  EXPECT_STREQ("\xC3\x89t\xC3\xA9", text.c_str());
  EXPECT_TRUE(nail->SetItemText(3, "Ouest"));
  EXPECT_EQ(CString(L"Ouest"), strip->GetItemText(3));
  EXPECT_EQ(4, nail->AddItem("Last", nullptr, -1, 0));

  short image = 0;
  EXPECT_TRUE(nail->GetImageID(1, image));
  EXPECT_EQ(3, image);
  EXPECT_FALSE(nail->GetImageID(0, image)) << "no image";
  EXPECT_TRUE(nail->SetImageID(0, 2));
  EXPECT_EQ(2, strip->GetImageID(0));
  void* data = nullptr;
  EXPECT_TRUE(nail->GetItemData(1, data));
  EXPECT_EQ(reinterpret_cast<void*>(0x55), data);
  nail->SetItemData(2, reinterpret_cast<void*>(0x66));
  EXPECT_EQ(reinterpret_cast<void*>(0x66), strip->GetItemData(2));
  unsigned long help = 0;
  EXPECT_TRUE(nail->GetItemHelpID(1, help));
  EXPECT_EQ(900u, help);
  EXPECT_TRUE(nail->SetItemHelpID(0, 901));
  EXPECT_EQ(901u, strip->GetItemHelpID(0));

  // Bad indexes.
  EXPECT_FALSE(nail->GetItemText(9, text));
  EXPECT_FALSE(nail->GetItemText(-1, text));
  EXPECT_FALSE(nail->SetItemText(9, "x"));
  EXPECT_FALSE(nail->SetImageID(9, 1));
  EXPECT_FALSE(nail->GetItemHelpID(9, help));
  EXPECT_EQ(0u, help);
}

TEST_F(QvNails, SelectionCountsAndDeletion) {
  nail->EnableMultipleSel(true);
  EXPECT_TRUE(nail->IsMultipleSelEnabled());
  EXPECT_TRUE(strip->IsMultipleSelEnabled());
  nail->Select(0);
  // Ctrl-click nail 2 on the strip itself: both selected.
  CRect r = strip->GetNailRect(2);
  strip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(r.left + 5, r.top + 3));
  strip->SendMessage(WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(r.left + 5, r.top + 3));
  EXPECT_EQ(2, nail->GetSelectedCount());
  QvArraySLong selected;
  EXPECT_EQ(2, nail->GetSelected(selected));
  ASSERT_EQ(2, selected.GetSize());
  EXPECT_EQ(0, selected[0]);
  EXPECT_EQ(2, selected[1]);

  // Deleting the selection (the current nail among it) leaves no current nail.
  EXPECT_EQ(2, nail->DeleteSelectedItems());
  EXPECT_EQ(1, strip->GetCount());
  EXPECT_EQ(CString(L"South"), strip->GetItemText(0));
  short current = 0;
  EXPECT_FALSE(nail->GetSelected(current)) << "no current nail is no success";
  EXPECT_EQ(-1, current);

  EXPECT_EQ(0, nail->DeleteItem(static_cast<short>(5))) << "out of range";
  EXPECT_EQ(1, nail->DeleteItem(static_cast<short>(0)));
  EXPECT_EQ(0, nail->GetCount());

  nail->AddItem("One", nullptr, -1, 0);
  nail->Select(0);
  nail->DeselectAll();
  EXPECT_EQ(0, nail->GetSelectedCount());
  EXPECT_FALSE(nail->IsSelected(0));
}

TEST_F(QvNails, AlignmentReadsAsTheStripLies) {
  nail->SetAlignment(true);
  EXPECT_EQ(NAILS_ALIGN_TOP, strip->GetAlignment());
  EXPECT_TRUE(nail->IsTop());
  nail->SetAlignment(false);
  EXPECT_EQ(NAILS_ALIGN_BOTTOM, strip->GetAlignment());
  EXPECT_FALSE(nail->IsTop()) << "a strip at the bottom is not at the top";

  nail->EnableDrag(false);
  EXPECT_FALSE(nail->IsDragEnabled());
  EXPECT_FALSE(strip->IsDragEnabled());
  nail->EnableDrag(true);
  EXPECT_TRUE(strip->IsDragEnabled());
}

TEST_F(QvNails, TheStripLeavesThePortableImageListAlone) {
  // The strip was made owning its image list (no borrowing style); the list handed over
  // belongs to the QvImageList and outlives the strip.
  QvImageList images(0, 16);
  CGUIImageList& list = images.GetImageList();
  if (list.GetSafeHandle() == NULL) {
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32, 1, 1));
  }
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateBitmap(16, 16, 1, 32, nullptr));
  ASSERT_GE(list.Add(&bitmap, static_cast<CBitmap*>(nullptr)), 0);
  const HIMAGELIST handle = list.GetSafeHandle();

  EXPECT_TRUE(nail->SetImageList(&images));
  EXPECT_GT(strip->GetNailRect(0).Width(), 0);
  GUISetQvGUIContainer(&page, nullptr);
  delete container;
  container = nullptr;
  DestroyStrip();
  EXPECT_EQ(handle, list.GetSafeHandle());
  EXPECT_EQ(1, ImageList_GetImageCount(handle)) << "the list is still whole";
}

TEST(QvNailUnbound, AnUnboundStripAnswersFailure) {
  QvToolNail nail;
  QvString text;
  short index = 0;
  void* data = reinterpret_cast<void*>(1);
  EXPECT_EQ(-1, nail.AddItem("x", nullptr, -1, 0));
  EXPECT_FALSE(nail.GetItemText(0, text));
  EXPECT_FALSE(nail.GetSelected(index));
  EXPECT_EQ(-1, index);
  EXPECT_TRUE(nail.GetItemData(0, data));
  EXPECT_EQ(nullptr, data);
  EXPECT_FALSE(nail.Select(0));
  EXPECT_EQ(0, nail.GetCount());
  EXPECT_FALSE(nail.IsTop());
}

}  // namespace
