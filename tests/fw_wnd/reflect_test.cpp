// Reflection: a child's notification to its parent is first offered to the child's own map;
// when the child does not take it, the parent handles it.
#include <gtest/gtest.h>

#include <framework.h>

#include "recorder.h"
#include "recording_wnd.h"

using testing_support::ExpectedMsg;
using testing_support::kSent;
using testing_support::Recorder;

namespace {

const UINT kChildId = 21;

// The child: takes some notifications itself, passes on others.
class Child : public RecordingWnd {
 public:
  BOOL exAnswer = TRUE;
  int clicks = 0, exCalls = 0, changes = 0, draws = 0;
  afx_msg void OnClickReflect(NMHDR*, LRESULT* pResult) {
    ++clicks;
    *pResult = 7;
  }
  afx_msg BOOL OnDblClkReflect(NMHDR*, LRESULT*) {
    ++exCalls;
    return exAnswer;
  }
  afx_msg void OnChangeReflect() { ++changes; }
  afx_msg HBRUSH CtlColor(CDC*, UINT nCtlColor) {
    lastCtlType = nCtlColor;
    return static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  }
  afx_msg void DrawItem(LPDRAWITEMSTRUCT) { ++draws; }
  UINT lastCtlType = 99;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Child, RecordingWnd)
  ON_NOTIFY_REFLECT(NM_CLICK, &Child::OnClickReflect)
  ON_NOTIFY_REFLECT_EX(NM_DBLCLK, &Child::OnDblClkReflect)
  ON_CONTROL_REFLECT(EN_CHANGE, &Child::OnChangeReflect)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

class Parent : public RecordingWnd {
 public:
  int parentClicks = 0, parentDblClks = 0, parentChanges = 0, parentUpdates = 0;
  afx_msg void OnClick(NMHDR*, LRESULT*) { ++parentClicks; }
  afx_msg void OnDblClk(NMHDR*, LRESULT* pResult) {
    ++parentDblClks;
    *pResult = 3;
  }
  afx_msg void OnChange() { ++parentChanges; }
  afx_msg void OnUpdate() { ++parentUpdates; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Parent, RecordingWnd)
  ON_NOTIFY(NM_CLICK, kChildId, &Parent::OnClick)
  ON_NOTIFY(NM_DBLCLK, kChildId, &Parent::OnDblClk)
  ON_CONTROL(EN_CHANGE, kChildId, &Parent::OnChange)
  ON_CONTROL(EN_UPDATE, kChildId, &Parent::OnUpdate)
END_MESSAGE_MAP()

struct Family {
  Parent parent;
  Child child;
  Family() {
    EXPECT_TRUE(parent.CreateEx(0, NULL, _T("parent"), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL));
    EXPECT_TRUE(child.Create(NULL, _T("child"), WS_VISIBLE, CRect(0, 0, 50, 20), &parent, kChildId));
  }
  LRESULT Notify(int code) {
    NMHDR hdr = {child.m_hWnd, kChildId, static_cast<UINT>(code)};
    return parent.SendMessage(WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&hdr));
  }
  LRESULT Command(int code) {
    return parent.SendMessage(WM_COMMAND, MAKEWPARAM(kChildId, code), reinterpret_cast<LPARAM>(child.m_hWnd));
  }
};

TEST(Reflection, NotificationsReachTheChildFirst) {
  Family f;
  EXPECT_EQ(f.Notify(NM_CLICK), 7);  // the child's answer
  EXPECT_EQ(f.child.clicks, 1);
  EXPECT_EQ(f.parent.parentClicks, 0);

  f.child.exAnswer = TRUE;
  f.Notify(NM_DBLCLK);
  EXPECT_EQ(f.child.exCalls, 1);
  EXPECT_EQ(f.parent.parentDblClks, 0);
  // An _EX handler that declines lets the parent handle it too.
  f.child.exAnswer = FALSE;
  EXPECT_EQ(f.Notify(NM_DBLCLK), 3);
  EXPECT_EQ(f.child.exCalls, 2);
  EXPECT_EQ(f.parent.parentDblClks, 1);

  // No reflected handler: the parent's.
  f.Command(EN_UPDATE);
  EXPECT_EQ(f.parent.parentUpdates, 1);
  f.Command(EN_CHANGE);
  EXPECT_EQ(f.child.changes, 1);
  EXPECT_EQ(f.parent.parentChanges, 0);
}

TEST(Reflection, OwnerDrawAndColourMessages) {
  Family f;
  HDC dc = GetDC(f.parent.m_hWnd);
  LRESULT brush = f.parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(f.child.m_hWnd));
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH)));
  EXPECT_EQ(f.child.lastCtlType, static_cast<UINT>(CTLCOLOR_STATIC));
  DRAWITEMSTRUCT dis = {};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = kChildId;
  dis.hwndItem = f.child.m_hWnd;
  dis.hDC = dc;
  EXPECT_EQ(f.parent.SendMessage(WM_DRAWITEM, kChildId, reinterpret_cast<LPARAM>(&dis)), TRUE);
  EXPECT_EQ(f.child.draws, 1);
  ReleaseDC(f.parent.m_hWnd, dc);
}

TEST(Reflection, MessageSequence) {
  Family f;
  Recorder().Reset();
  f.Notify(NM_CLICK);
  // The parent gets WM_NOTIFY; the child gets nothing through its window procedure: the
  // reflection is a call into its map, not a message.
  static const ExpectedMsg expected[] = {
      {WM_NOTIFY, kSent, 0, 0},
      {0, 0, 0, 0},
  };
  EXPECT_TRUE(Recorder().Matches(expected));
  EXPECT_EQ(Recorder().Messages()[0].hwnd, f.parent.m_hWnd);
}

TEST(Reflection, LockoutWindowSwallowsNotifications) {
  Family f;
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  ts->m_hLockoutNotifyWindow = f.parent.m_hWnd;
  f.Command(EN_UPDATE);
  f.Notify(NM_CLICK);
  ts->m_hLockoutNotifyWindow = NULL;
  EXPECT_EQ(f.parent.parentUpdates, 0);
  EXPECT_EQ(f.child.clicks, 0);
}

}  // namespace
