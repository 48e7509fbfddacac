// Drag and drop and the clipboard of portable views: the keys' actions, the tag table, drags
// from portable and framework views onto portable views, the clipboard shared with the
// framework side, late registration of targets, and data of another process read safely.
#include <GUIView.h>
#include <QvControl.h>
#include <QvDragDrop.h>
#include <QvView.h>
#include <UIDragDrop.h>
#include <child_process.h>
#include <gtest/gtest.h>

#include <stdint.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "forged_drag.h"
#include "handle_counts.h"
#include "scripted_drop.h"
#include "test_support.h"
#include "test_view.h"

namespace {

const DWORD kTagPrivate = UIDragTag('A', 'B', 'C', 'D');

using testing_support::CopyRecordsOf;
using testing_support::ExpectBoundedFetch;
using testing_support::HostileClipboardChild;
using testing_support::SetClipboardBytes;
using testing_support::TagText;
using testing_support::Tags;

// A portable view that draws nothing.
class BlankView : public QvView {
 public:
  BlankView() : QvView(nullptr, true) {}
  void Draw(const QvRect&) override {}
};

class PortableDrag : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AfxOleInit());
    parent = ::CreateWindowEx(WS_EX_TOPMOST, _T("STATIC"), _T(""), WS_POPUP | WS_VISIBLE, 100, 100, 400, 200, NULL,
                              NULL, NULL, NULL);
    ASSERT_NE(nullptr, parent);
  }
  void TearDown() override {
    ::OleSetClipboard(NULL);
    ::DestroyWindow(parent);  // the portable views' windows delete themselves and their views
    UIDragSetCanSwap(1);
    AfxOleTerm();
  }
  // A portable view window at a client rectangle of the parent.
  BlankView* MakeView(const CRect& at, UINT id) {
    auto* view = new BlankView;
    auto* window = new CGUIView;
    if (!window->Create(view, WS_CHILD | WS_VISIBLE, at, CWnd::FromHandle(parent), id)) {
      delete window;
      delete view;
      return NULL;
    }
    return view;
  }
  HWND parent = NULL;
};

using ScriptedSource = ScriptedDragSite<QvDragSource, CGUIOleDropSource>;

// A portable target that records what it is given.
class RecordingTarget : public QvDropTarget {
 public:
  using QvDropTarget::QvDropTarget;
  std::vector<std::string> events;
  std::vector<QvDragSel*> sels;
  UIDragAction answer = UIDragCopy;
  UIDragAction dropAnswer = UIDragCopy;
  UIDragAction keys = UIDragNone, keysAtDrag = UIDragNone;
  QvPoint dropAt, dragAt;
  bool hasDragAt = false;
  std::vector<std::string> tags;
  std::string text;
  QvDragSource* site = NULL;
  QvDragSel* swapIn = NULL;
  UIDragAction EnterDropArea(QvDragSel* sel) override {
    events.push_back("enter");
    sels.push_back(sel);
    keys = sel->ModifierKeys();
    return answer;
  }
  UIDragAction DropAreaMove(QvDragSel* sel) override {
    if (events.back() != "move") events.push_back("move");
    sels.push_back(sel);
    return answer;
  }
  void LeaveDropArea(QvDragSel* sel) override {
    events.push_back("leave");
    sels.push_back(sel);
  }
  UIDragAction Drop(QvDragSel* sel, UIDragAction) override {
    events.push_back("drop");
    sels.push_back(sel);
    sel->GetPositionAtDrop(dropAt);
    hasDragAt = sel->GetPositionAtDrag(dragAt);
    keysAtDrag = sel->ModifierKeysAtDrag();
    tags = Tags(*sel);
    char buffer[32] = {};
    if (sel->FetchData(kTagText, buffer, 1) > 0) text = buffer;
    site = sel->GetSourceSite();
    if (swapIn != NULL) sel->SetSwapSel(swapIn);
    return dropAnswer;
  }
};

TEST(PortableDragFormats, WideTextHasNoTagAndItsTagIsPrivate) {
  const CLIPFORMAT rtf = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Rich Text Format"));
  const CLIPFORMAT tree = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"QvTreeList Format"));
  struct Case {
    DWORD tag;
    CLIPFORMAT format;
  } cases[] = {{kTagText, CF_TEXT}, {kTagDspText, CF_DSPTEXT}, {kTagRtf, rtf}, {kTagTreeList, tree}};
  for (const Case& c : cases) {
    SCOPED_TRACE(TagText(c.tag));
    EXPECT_EQ(c.format, QvDragSel::GetStandardWinFormat(c.tag));
    EXPECT_EQ(c.tag, QvDragSel::Win2QvFormat(c.format));
  }
  EXPECT_EQ(kTagNone, QvDragSel::Win2QvFormat(CF_UNICODETEXT));
  EXPECT_EQ(0, QvDragSel::GetStandardWinFormat(kTagUnicode));

  QvDragSource source(static_cast<QvView*>(NULL));
  QvDragSel sel(&source);
  EXPECT_EQ(1, sel.CountItems());
  EXPECT_EQ(1u, sel.GetDragItem(0));
  EXPECT_EQ(0u, sel.GetDragItem(1));
  EXPECT_EQ(0, sel.Qv2WinFormat(kTagUnicode));  // private and not listed yet
  ASSERT_TRUE(sel.AddFormat(kTagText, 2, const_cast<char*>("ab")));
  // Bytes as given: no conversion of the wide-text tag.
  ASSERT_TRUE(sel.AddFormat(kTagUnicode, 4, const_cast<char*>("w\0x\0")));
  ASSERT_TRUE(sel.AddFormat(kTagPrivate, 3, const_cast<char*>("xyz")));
  EXPECT_EQ(2303, sel.Qv2WinFormat(kTagUnicode));
  EXPECT_EQ(2304, sel.Qv2WinFormat(kTagPrivate));
  EXPECT_EQ((std::vector<std::string>{"WSTR", "WST2", "ABCD"}), Tags(sel));
  char bytes[8] = {};
  EXPECT_EQ(4, sel.FetchData(kTagUnicode, bytes, 1));
  EXPECT_EQ(0, memcmp("w\0x\0", bytes, 4));
  EXPECT_EQ(-1, sel.GetDataSize(kTagTreeList, 1));

  QvPoint p(5, 5);
  EXPECT_FALSE(sel.GetPosition(p));  // never set
  EXPECT_FALSE(sel.GetPositionAtDrop(p));
  sel.SetPosition(QvPoint(3, 4));
  ASSERT_TRUE(sel.GetPosition(p));
  EXPECT_EQ(QvPoint(3, 4), p);
}

TEST(PortableDragSource, SwapHasItsOwnCursorAndTheSitesAreKept) {
  QvControl control;
  QvDragSource source(&control);
  EXPECT_EQ(&control, source.GetSourceSiteControl());
  EXPECT_EQ(nullptr, source.GetSourceSiteView());
  const WORD* ids = source.GetOleDropSource()->m_cursorIds;
  EXPECT_EQ((std::vector<WORD>{0, 0, 0, 264, 0}), std::vector<WORD>(ids, ids + 5));
  source.SetUserCursor(UIDragCopy, 7);
  source.SetUserCursor(UIDragSwap, 12);
  EXPECT_EQ(12, ids[UIDragSwap]);
  source.SetUserCursor(UIDragSwap, 0);  // back to the swap cursor
  source.SetUserCursor(static_cast<UIDragAction>(9), 5);  // no such action: nothing changes
  EXPECT_EQ((std::vector<WORD>{0, 0, 7, 264, 0}), std::vector<WORD>(ids, ids + 5));
  EXPECT_EQ(-1, source.GetData(NULL, kTagText, NULL));
}

TEST_F(PortableDrag, UnicodeTextAloneGivesASelectionWithoutFormats) {
  // Offered as in a drag of another application (the clipboard would add 8-bit text to it).
  COleDataSource offer;
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, 10);
  memcpy(::GlobalLock(h), L"wxyz", 10);
  ::GlobalUnlock(h);
  offer.CacheGlobalData(CF_UNICODETEXT, h);
  COleDataObject data;
  data.Attach(static_cast<LPDATAOBJECT>(offer.GetInterface(&IID_IDataObject)), FALSE);
  QvDragSel read(&data, 0);
  EXPECT_EQ(0, read.CountFormats(1));
  EXPECT_EQ(nullptr, read.GetSourceSite());
  char buffer[16] = {};
  EXPECT_EQ(-1, read.FetchData(kTagUnicode, buffer, 1));
}

TEST_F(PortableDrag, ShiftAlwaysSwapsEvenWhenTheFrameworkSideForbidsIt) {
  UIDragSetCanSwap(0);
  struct Case {
    DWORD keys;
    UIDragAction action;
  } cases[] = {{0, UIDragMove}, {MK_SHIFT, UIDragSwap}, {MK_CONTROL, UIDragCopy}, {MK_CONTROL | MK_SHIFT, UIDragLink}};
  QvDragSource source(static_cast<QvView*>(NULL));
  QvDragSel sel(&source);
  ASSERT_TRUE(sel.AddFormat(kTagText, 1, const_cast<char*>("x")));
  RecordingTarget target(static_cast<QvControl*>(NULL));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    COleDataObject data;
    data.Attach(static_cast<LPDATAOBJECT>(sel.GetDataSource()->GetInterface(&IID_IDataObject)), FALSE);
    EXPECT_EQ(UIDragActionToDropEffect(UIDragCopy), target.GetOleDropTarget()->OnDragEnter(NULL, &data, c.keys, CPoint()));
    EXPECT_EQ(c.action, target.keys);
    target.GetOleDropTarget()->OnDragLeave(NULL);
    EXPECT_EQ(UIDragNone, QvDragGetLastAction());
  }
  // Leaving hands over the drag's own selection, not a new one.
  ASSERT_GE(target.sels.size(), 2u);
  EXPECT_EQ(target.sels[0], target.sels[1]);
}

class ViewDrag : public PortableDrag {
 protected:
  void SetUp() override {
    PortableDrag::SetUp();
    ASSERT_TRUE(left.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), CWnd::FromHandle(parent), 1));
    right = MakeView(CRect(200, 0, 400, 200), 2);
    ASSERT_NE(nullptr, right);
    right->SetZoomFactor(2, 1);
  }
  // Runs a drag from the left view's (50, 50) to a client point of the right view.
  template <class Script>
  void Path(Script* script, POINT to) {
    POINT from = {50, 50};
    left.ClientToScreen(&from);
    ::ClientToScreen(right->GetMFCCWnd()->m_hWnd, &to);
    script->path = {from, to, to};
    script->step = 0;
    ::SetCursorPos(from.x, from.y);
  }
  TestDrawView left;  // a framework view
  BlankView* right = NULL;  // a portable view
};

TEST_F(ViewDrag, APortableDragGivesOneSelectionItsDataTheImagePointAndTheSource) {
  RecordingTarget target(right);
  EXPECT_TRUE(target.IsRegistered());  // the view had its window
  ScriptedSource source(right);
  QvDragSel sel(&source);
  ASSERT_TRUE(sel.AddFormat(kTagText, 7, const_cast<char*>("dragged")));
  Path(source.script, POINT{30, 40});
  EXPECT_EQ(UIDragCopy, source.Drag(QvPoint(8, 9), &sel));
  EXPECT_EQ((std::vector<std::string>{"enter", "move", "drop"}), target.events);
  for (QvDragSel* s : target.sels) EXPECT_EQ(target.sels.front(), s);  // one selection per drag
  QvPoint image(30, 40);
  right->QvClientToImagePoint(image);
  EXPECT_NE(QvPoint(30, 40), image);  // zoomed: the image point differs
  EXPECT_EQ(image, target.dropAt);
  EXPECT_TRUE(target.hasDragAt);
  EXPECT_EQ(QvPoint(8, 9), target.dragAt);
  EXPECT_EQ("dragged", target.text);
  EXPECT_EQ(&source, target.site);  // a live selection of this process
  EXPECT_EQ(UIDragCopy, QvDragGetLastAction());
}

TEST_F(ViewDrag, ADropTheTargetDoesNotTakeIsNoDrop) {
  RecordingTarget target(right);
  target.dropAnswer = UIDragNone;
  ScriptedSource source(right);
  QvDragSel sel(&source);
  ASSERT_TRUE(sel.AddFormat(kTagText, 1, const_cast<char*>("x")));
  Path(source.script, POINT{30, 30});
  EXPECT_EQ(DROPEFFECT_NONE, sel.GetDataSource()->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, NULL, source.script));
  EXPECT_EQ("drop", target.events.back());
}

TEST_F(ViewDrag, ASwapReachesTheSourceSelectionAndTheSwappedInDataIsReadable) {
  RecordingTarget target(right);
  ScriptedSource source(right), back(right);
  QvDragSel sel(&source);
  ASSERT_TRUE(sel.AddFormat(kTagText, 4, const_cast<char*>("left")));
  QvDragSel swapIn(&back);
  ASSERT_TRUE(swapIn.AddFormat(kTagText, 5, const_cast<char*>("right")));
  target.swapIn = &swapIn;
  Path(source.script, POINT{20, 20});
  source.Drag(QvPoint(1, 1), &sel);
  EXPECT_EQ(&swapIn, sel.GetSwapSel());
  ASSERT_NE(nullptr, swapIn.GetDataObject());
  char buffer[16] = {};
  EXPECT_EQ(5, swapIn.FetchData(kTagText, buffer, 1));
  EXPECT_STREQ("right", buffer);
}

TEST_F(ViewDrag, ARecordForgedInThisProcessNamesNoSelection) {
  // Data of a plain source that copies a live selection's format list and drag information:
  // the address in it is that of a live selection, but the data is not that selection's.
  RecordingTarget target(right);
  ScriptedSource source(right);
  QvDragSel live(&source);
  ASSERT_TRUE(live.AddFormat(kTagText, 6, const_cast<char*>("forged")));
  COleDataSource forged;
  CopyRecordsOf(live.GetDataSource(), forged);
  QvDragSel other(&source);
  target.swapIn = &other;
  Path(source.script, POINT{30, 30});
  forged.DoDragDrop(DROPEFFECT_COPY, NULL, source.script);
  EXPECT_EQ("forged", target.text);  // the data itself is read
  EXPECT_EQ(nullptr, target.site);
  EXPECT_EQ(nullptr, live.GetSwapSel());
}

TEST_F(ViewDrag, AFrameworkSelectionDroppedOnAPortableViewReadsTheSameRecords) {
  RecordingTarget target(right);
  class FrameworkSource : public UIDragSource {
   public:
    explicit FrameworkSource(CWnd* site) : UIDragSource(site) {
      m_pDropSource->InternalRelease();
      script = new ScriptedDrop<UIOleDropSource>;
      m_pDropSource = script;
    }
    ScriptedDrop<UIOleDropSource>* script;
  } source(&left);
  UIDragSel sel(&source);
  ASSERT_TRUE(sel.AddFormat(kTagText, 6, const_cast<char*>("framed")));
  ASSERT_TRUE(sel.AddFormat(kTagPrivate, 2, const_cast<char*>("pq")));
  Path(source.script, POINT{10, 10});
  source.Drag(CPoint(11, 12), &sel);
  EXPECT_EQ((std::vector<std::string>{"WSTR", "ABCD"}), target.tags);
  EXPECT_EQ("framed", target.text);
  EXPECT_TRUE(target.hasDragAt);
  EXPECT_EQ(QvPoint(11, 12), target.dragAt);  // from the drag information
  EXPECT_EQ(UIDragMove, target.keysAtDrag);
  EXPECT_EQ(nullptr, target.site);  // no portable selection of ours
}

TEST_F(ViewDrag, ATargetMadeBeforeItsViewHasAWindowRegistersWhenTheWindowIsMade) {
  auto* view = new BlankView;
  RecordingTarget target(view);
  EXPECT_FALSE(target.IsRegistered());
  auto* window = new CGUIView;
  ASSERT_TRUE(window->Create(view, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), CWnd::FromHandle(parent), 3));
  EXPECT_TRUE(target.IsRegistered());
}

TEST_F(PortableDrag, AControlSiteRegistersAtTheNextPreparation) {
  CWnd edit;
  ASSERT_TRUE(edit.CreateEx(0, _T("EDIT"), _T(""), WS_CHILD, CRect(0, 0, 10, 10), CWnd::FromHandle(parent), 4));
  QvControl control;
  control.m_platformControl = &edit;  // bound, not owned
  {
    QvDropTarget target(&control);
    EXPECT_FALSE(target.IsRegistered());
    ASSERT_NE(nullptr, Get_lpDropTargets());
    QvDropTarget::PrepareAllTargetsForDrag();
    EXPECT_TRUE(target.IsRegistered());
  }
  EXPECT_EQ(nullptr, Get_lpDropTargets());  // the last target took the list with it
  control.m_platformControl = nullptr;
  edit.DestroyWindow();
}

TEST_F(PortableDrag, TheClipboardIsSharedWithTheFrameworkSideAndKeepsACopy) {
  QvDragSource source(static_cast<QvView*>(NULL));
  auto* sel = new QvDragSel(&source);
  ASSERT_TRUE(sel->AddFormat(kTagText, 5, const_cast<char*>("hello")));
  ASSERT_TRUE(sel->AddFormat(kTagPrivate, 3, const_cast<char*>("\x01\x02\x03")));
  sel->SetPositionAtDrag(QvPoint(7, 9));
  source.CopyToClipboard(sel, false);
  EXPECT_TRUE(CheckQvClipboardFormat(0));

  QvDropTarget target(static_cast<QvControl*>(NULL));
  QvDragSel* read = target.QueryClipboard();
  ASSERT_NE(nullptr, read);
  EXPECT_EQ((std::vector<std::string>{"WSTR", "ABCD"}), Tags(*read));
  QvPoint at;
  EXPECT_TRUE(read->GetPositionAtDrag(at));
  EXPECT_EQ(QvPoint(7, 9), at);
  EXPECT_EQ(&source, read->GetSourceSite());
  delete read;

  UIDropTarget framework(NULL);
  UIDragSel* other = framework.QueryClipboard();
  ASSERT_NE(nullptr, other);
  char text[8] = {};
  EXPECT_EQ(5, other->FetchData(kTagText, text, 1));
  EXPECT_STREQ("hello", text);
  EXPECT_EQ(CPoint(7, 9), other->GetPositionAtDrag());
  EXPECT_EQ(nullptr, other->GetSourceSite());  // not a framework selection
  delete other;

  delete sel;  // the clipboard's copy stays readable
  read = target.QueryClipboard();
  ASSERT_NE(nullptr, read);
  char bytes[8] = {};
  EXPECT_EQ(3, read->FetchData(kTagPrivate, bytes, 1));
  EXPECT_EQ(nullptr, read->GetSourceSite());
  delete read;
}

// A source selection that counts the live ones.
class CountedSel : public QvDragSel {
 public:
  static int live;
  explicit CountedSel(QvDragSource* source) : QvDragSel(source) { ++live; }
  ~CountedSel() override { --live; }
};
int CountedSel::live = 0;

TEST_F(PortableDrag, AThousandClipboardRoundTripsLeaveNothingBehind) {
  QvDragSource source(static_cast<QvView*>(NULL));
  QvDropTarget target(static_cast<QvControl*>(NULL));
  auto roundTrip = [&](int i) {
    auto* sel = new CountedSel(&source);
    char text[16];
    int n = snprintf(text, sizeof text, "item %d", i);
    ASSERT_TRUE(sel->AddFormat(kTagText, static_cast<DWORD>(n), text));
    ASSERT_TRUE(sel->AddFormat(kTagTreeList, 4, const_cast<char*>("\x01\x02\x03\x04")));
    source.CopyToClipboard(sel, false);
    delete sel;
    QvDragSel* read = target.QueryClipboard();
    ASSERT_NE(nullptr, read);
    char back[16] = {};
    ASSERT_EQ(n, read->FetchData(kTagText, back, 1));
    ASSERT_STREQ(text, back);
    delete read;
  };
  roundTrip(0);  // the first one makes what stays for the process (formats, class registrations)
  const testing_support::GuiCounts before = testing_support::GuiCounts::Now();
  for (int i = 1; i <= 1000; ++i) {
    roundTrip(i);
    if (HasFatalFailure()) return;
  }
  EXPECT_EQ(0, CountedSel::live);
  EXPECT_EQ(before, testing_support::GuiCounts::Now());
}

// Run only as the child of the test below: fills the clipboard with records that claim more
// than they hold and name the parent's selection.
TEST(DISABLED_HostileClipboardChild, Fill) {
  ASSERT_TRUE(::OpenClipboard(NULL));
  ::EmptyClipboard();
  // Three records and half of a fourth; the information claims a thousand.
  const DWORD records[] = {kTagText, 1000, kTagPrivate, 100000, kTagRtf, 50, kTagTreeList};
  EXPECT_TRUE(HostileClipboardChild::SetRecords(records, sizeof records));
  SetClipboardBytes(CF_TEXT, "xy", 3);
  SetClipboardBytes(2303, "\x05\x06\x07\x08", 4);
  ::CloseClipboard();
}

TEST_F(PortableDrag, RecordsOfAnotherProcessAreBoundedByTheirDataAndNameNothingOfOurs) {
  QvDragSource source(static_cast<QvView*>(NULL));
  QvDragSel live(&source);
  HostileClipboardChild child(&live);
  for (bool shortInfo : {false, true}) {
    SCOPED_TRACE(shortInfo ? "drag information cut short" : "whole drag information");
    ASSERT_EQ(0, child.Run(shortInfo));
    QvDropTarget target(static_cast<QvControl*>(NULL));
    QvDragSel* read = target.QueryClipboard();
    ASSERT_NE(nullptr, read);
    EXPECT_EQ((std::vector<std::string>{"WSTR", "ABCD", "WRTF"}), Tags(*read));  // whole records only
    EXPECT_EQ(1000, read->GetDataSize(kTagText, 1));  // what the record claims...
    std::vector<char> buffer;  // ...but no more than the data holds
    ASSERT_NO_FATAL_FAILURE(ExpectBoundedFetch(*read, kTagText, 4000, 2, 64, '\xCC', &buffer));
    EXPECT_EQ(std::string("xy"), std::string(buffer.data(), 2));
    std::vector<char> priv;
    ASSERT_NO_FATAL_FAILURE(ExpectBoundedFetch(*read, kTagPrivate, 200000, 4, 64, '\xCC', &priv));
    EXPECT_EQ(-1, read->FetchData(kTagRtf, buffer.data(), 1));  // listed, but no data
    EXPECT_EQ(nullptr, read->GetSourceSite());
    QvPoint at;
    EXPECT_TRUE(read->GetPositionAtDrag(at));
    EXPECT_EQ(shortInfo ? QvPoint(0, 0) : QvPoint(3, 4), at);
    EXPECT_EQ(UIDragMove, read->ModifierKeysAtDrag());  // 99 is no action
    // A swap is not passed to the selection the record names.
    QvDragSel other(&source);
    read->SetSwapSel(&other);
    EXPECT_EQ(&other, read->GetSwapSel());
    EXPECT_EQ(nullptr, live.GetSwapSel());
    delete read;
  }
}

}  // namespace
