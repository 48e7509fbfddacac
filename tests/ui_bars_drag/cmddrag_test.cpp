// Commands dragged between customisable toolbars: moves and copies between bars and within
// one, the gaps beside the dragged button, the press that starts a drag, and blocks that are
// not this process's own drag (other process, cut short, naming no command) refused.
#include <gtest/gtest.h>

#include <UICommand.h>
#include <UICommandCenter.h>
#include <UICustToolBar.h>
#include <dib_canvas.h>
#include <framework.h>

#include <string.h>

#include <vector>

#include "child_process.h"
#include "cmddrag_ids.h"
#include "forged_drag.h"
#include "scripted_drop.h"
#include "test_support.h"

namespace {

DWORD AllowAll(DWORD) { return UI_SECURITY_ALLOWED; }

class TestBar : public CCustToolBar {
 public:
  using CCustToolBar::InsertMenuButton;
  std::vector<UINT> Ids() {
    std::vector<UINT> ids;
    for (int i = 0; i < GetCount(); ++i) ids.push_back(GetItemID(i));
    return ids;
  }
  // A screen point on button i: near its left edge, or near its right edge when after.
  POINT PointOn(int i, bool after) {
    CRect item;
    GetItemRect(i, &item);
    POINT p = {after ? item.right - 2 : item.left + 2, (item.top + item.bottom) / 2};
    ClientToScreen(&p);
    return p;
  }
};

// Records the buttons of the TBN_BEGINDRAG notifications its bars send it.
class NotifyFrame : public CFrameWnd {
 public:
  std::vector<int> beginDrags;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    const NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->code == static_cast<UINT>(TBN_BEGINDRAG)) beginDrags.push_back(reinterpret_cast<NMTOOLBAR*>(lParam)->iItem);
    return CFrameWnd::OnNotify(wParam, lParam, pResult);
  }
};

// Moves the cursor along a path, one point each time the drag loop asks, then drops.
using ScriptedSource = ScriptedDrop<CCommandDropSource>;

// A data object carrying a block as given (size and contents).
struct Block {
  COleDataSource* source = new COleDataSource;
  Block(const void* bytes, size_t size) {
    source->CacheGlobalData(static_cast<CLIPFORMAT>(::RegisterClipboardFormat(_T("DragQvCommand"))),
                            testing_support::GlobalCopy(bytes, size));
  }
  ~Block() { source->InternalRelease(); }
  IDataObject* Data() { return static_cast<IDataObject*>(source->GetInterface(&IID_IDataObject)); }
};

// Data of another kind of source: it hands out its block with an object to release it by, and
// counts the releases (a medium given to a reader is the reader's to release).
class HandingData : public IDataObject {
 public:
  struct Releaser : IUnknown {
    LONG releases = 0;
    STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
      *ppv = NULL;
      return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(++releases); }
  } releaser;
  CommandDragPayload payload = {};
  HGLOBAL block = NULL;
  ~HandingData() {
    if (block != NULL) ::GlobalFree(block);
  }
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    *ppv = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject) ? this : NULL;
    return *ppv != NULL ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    if (block == NULL) block = ::GlobalAlloc(GMEM_MOVEABLE, sizeof payload);
    memcpy(::GlobalLock(block), &payload, sizeof payload);
    ::GlobalUnlock(block);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = &releaser;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* format) override {
    return format->cfFormat == ::RegisterClipboardFormat(_T("DragQvCommand")) && (format->tymed & TYMED_HGLOBAL)
               ? S_OK
               : DV_E_FORMATETC;
  }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

// A plain window's target that keeps the block it is given and takes nothing.
class BlockReader : public IDropTarget {
 public:
  std::vector<BYTE> block;
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    *ppv = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget) ? this : NULL;
    return *ppv != NULL ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  STDMETHODIMP DragLeave() override { return S_OK; }
  STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC format = {static_cast<CLIPFORMAT>(icfDragCommand), NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (data->GetData(&format, &medium) == S_OK) {
      const BYTE* bytes = static_cast<const BYTE*>(::GlobalLock(medium.hGlobal));
      block.assign(bytes, bytes + ::GlobalSize(medium.hGlobal));
      ::GlobalUnlock(medium.hGlobal);
      ::ReleaseStgMedium(&medium);
    }
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
};

class CommandDrag : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    static bool once = false;
    if (!once) CUICommandCenter::GetCommandCenter().Init(AllowAll, 0);
    once = true;
  }
  void SetUp() override {
    ASSERT_TRUE(AfxOleInit());
    frame = new NotifyFrame;
    ASSERT_TRUE(frame->Create(NULL, _T("drag"), WS_POPUP | WS_CAPTION, CRect(100, 100, 600, 300)));
    frame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ASSERT_EQ(1, left.CreateAndLoad(frame, AFX_IDW_TOOLBAR, IDL_LEFT, 0));
    ASSERT_EQ(1, right.CreateAndLoad(frame, AFX_IDW_TOOLBAR + 1, IDL_RIGHT, 0));
    frame->RecalcLayout();
    frame->UpdateWindow();
    left.SetCustomizingToolBar(1);
    right.SetCustomizingToolBar(1);
  }
  void TearDown() override {
    if (frame != NULL) frame->DestroyWindow();
    AfxOleTerm();
  }
  // Drags button `index` of `from` to the screen point `to` with a scripted source.
  DROPEFFECT Drag(TestBar& from, int index, POINT to) {
    auto* script = new ScriptedSource;
    POINT start = from.PointOn(index, false);
    script->path = {start, to, to};
    ::SetCursorPos(start.x, start.y);
    CUICommand* command = CUICommandCenter::GetCommandCenter().GetCommand(static_cast<WORD>(from.GetItemID(index)));
    const DROPEFFECT effect = from.DoDrag(command, static_cast<UINT>(index), script);
    script->InternalRelease();
    return effect;
  }
  // Drops `data` on `bar` at a screen point through its target with the keys given.
  DWORD DropOn(TestBar& bar, IDataObject* data, DWORD keys, POINT at, HRESULT* result = NULL) {
    CCommandDropTarget* target = bar.GetDropTarget();
    POINTL pt = {at.x, at.y};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data, keys, pt, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    const HRESULT hr = target->Drop(data, keys, pt, &effect);
    if (result != NULL) *result = hr;
    target->Release();
    return effect;
  }
  static CommandDragPayload PayloadOf(TestBar& bar, int index) {
    CommandDragPayload p = {};
    p.dwSourceBar = HandleToULong(bar.m_hWnd);
    p.nSourceIndex = index;
    p.dwProcessId = ::GetCurrentProcessId();
    p.dwCommandId = bar.GetItemID(index);
    return p;
  }
  NotifyFrame* frame = NULL;
  TestBar left, right;
};

using Ids = std::vector<UINT>;

TEST_F(CommandDrag, AMoveToAnotherBarInsertsThereAndRemovesTheSource) {
  ASSERT_EQ((Ids{ID_ALPHA, ID_BETA, ID_GAMMA}), left.Ids());
  ASSERT_EQ((Ids{ID_DELTA}), right.Ids());
  EXPECT_EQ(DROPEFFECT_MOVE, Drag(left, 1, right.PointOn(0, true)));
  EXPECT_EQ((Ids{ID_ALPHA, ID_GAMMA}), left.Ids());
  EXPECT_EQ((Ids{ID_DELTA, ID_BETA}), right.Ids());
  EXPECT_EQ(-1, left.GetSelected());
  EXPECT_EQ(nullptr, CCustToolBar::sSelected);
  EXPECT_EQ(-1, right.GetInsertIndex());  // the insertion point is gone after the drop

  // Before the first button of the other bar.
  EXPECT_EQ(DROPEFFECT_MOVE, Drag(left, 0, right.PointOn(0, false)));
  EXPECT_EQ((Ids{ID_GAMMA}), left.Ids());
  EXPECT_EQ((Ids{ID_ALPHA, ID_DELTA, ID_BETA}), right.Ids());
}

TEST_F(CommandDrag, TheBlockNamesTheSourceBarButtonProcessAndCommandAndNothingElse) {
  right.SetCustomizingToolBar(0);
  BlockReader reader;
  ASSERT_EQ(S_OK, ::RegisterDragDrop(right.m_hWnd, &reader));
  EXPECT_EQ(DROPEFFECT_NONE, Drag(left, 2, right.PointOn(0, true)));
  ::RevokeDragDrop(right.m_hWnd);
  EXPECT_EQ(::RegisterClipboardFormat(_T("DragQvCommand")), icfDragCommand);
  ASSERT_EQ(80u, reader.block.size());
  CommandDragPayload payload;
  memcpy(&payload, reader.block.data(), sizeof payload);
  EXPECT_EQ(HandleToULong(left.m_hWnd), payload.dwSourceBar);
  EXPECT_EQ(2, payload.nSourceIndex);
  EXPECT_EQ(::GetCurrentProcessId(), payload.dwProcessId);
  EXPECT_EQ(static_cast<DWORD>(ID_GAMMA), payload.dwCommandId);
  EXPECT_EQ(0u, payload.dwToken);
  EXPECT_EQ(std::vector<BYTE>(60, 0), std::vector<BYTE>(reader.block.begin() + 20, reader.block.end()));
  EXPECT_EQ((Ids{ID_ALPHA, ID_BETA, ID_GAMMA}), left.Ids());  // nothing taken: the source stays
}

TEST_F(CommandDrag, AMoveWithinTheBarRemovesTheDraggedButtonWhereverItLands) {
  struct Case {
    int from, onto;
    bool after;
    Ids expected;
  } cases[] = {
      {2, 0, false, {ID_GAMMA, ID_ALPHA, ID_BETA}},  // before the source: it shifts by one
      {1, 0, false, {ID_BETA, ID_ALPHA, ID_GAMMA}},
      {0, 2, true, {ID_BETA, ID_GAMMA, ID_ALPHA}},   // after the source
      {0, 2, false, {ID_BETA, ID_ALPHA, ID_GAMMA}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << " onto " << c.onto << (c.after ? " after" : " before"));
    ASSERT_EQ(1, left.Reload(1));
    EXPECT_EQ(DROPEFFECT_MOVE, Drag(left, c.from, left.PointOn(c.onto, c.after)));
    EXPECT_EQ(c.expected, left.Ids());
  }
}

TEST_F(CommandDrag, DroppingOnEitherGapBesideTheDraggedButtonChangesNothing) {
  struct Case {
    int onto;
    bool after;
  } cases[] = {{1, false}, {1, true}, {0, true}, {2, false}};  // beta's own halves, its neighbours' near halves
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.onto << (c.after ? " after" : " before"));
    EXPECT_EQ(DROPEFFECT_NONE, Drag(left, 1, left.PointOn(c.onto, c.after)));
    EXPECT_EQ((Ids{ID_ALPHA, ID_BETA, ID_GAMMA}), left.Ids());
  }
}

TEST_F(CommandDrag, CtrlAtTheDropCopiesAndAPlainDropMoves) {
  struct Case {
    DWORD keys;
    DWORD effect;
    Ids right;
  } cases[] = {
      {MK_CONTROL, DROPEFFECT_COPY, {ID_DELTA, ID_BETA}},
      {MK_CONTROL | MK_LBUTTON, DROPEFFECT_COPY, {ID_DELTA, ID_BETA}},
      {0, DROPEFFECT_MOVE, {ID_DELTA, ID_BETA}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    ASSERT_EQ(1, right.Reload(1));
    CommandDragPayload payload = PayloadOf(left, 1);
    Block block(&payload, sizeof payload);
    EXPECT_EQ(c.effect, DropOn(right, block.Data(), c.keys, right.PointOn(0, true)));
    EXPECT_EQ(c.right, right.Ids());
    EXPECT_EQ((Ids{ID_ALPHA, ID_BETA, ID_GAMMA}), left.Ids());  // the target never touches the source
  }
  // A copy onto its own gap adds the button there.
  CommandDragPayload payload = PayloadOf(left, 1);
  Block block(&payload, sizeof payload);
  EXPECT_EQ(DROPEFFECT_COPY, DropOn(left, block.Data(), MK_CONTROL, left.PointOn(1, false)));
  EXPECT_EQ((Ids{ID_ALPHA, ID_BETA, ID_BETA, ID_GAMMA}), left.Ids());
}

TEST_F(CommandDrag, BlocksThatAreNotThisProcesssOwnDragAreRefused) {
  struct Case {
    const char* what;
    DWORD process;
    DWORD command;
    DWORD token;
    size_t size;
  } cases[] = {
      {"another process", ::GetCurrentProcessId() + 4, ID_ALPHA, 0, 80},
      {"cut short", ::GetCurrentProcessId(), ID_ALPHA, 0, 79},
      {"a few bytes", ::GetCurrentProcessId(), ID_ALPHA, 0, 4},
      {"an unknown command", ::GetCurrentProcessId(), ID_UNKNOWN, 0, 80},
      {"an id out of range", ::GetCurrentProcessId(), 0x10000 + ID_ALPHA, 0, 80},
      {"no command", ::GetCurrentProcessId(), 0, 0, 80},
      {"a token of no drag", ::GetCurrentProcessId(), ID_ALPHA, 0x1234, 80},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CommandDragPayload payload = PayloadOf(left, 0);
    payload.dwProcessId = c.process;
    payload.dwCommandId = c.command;
    payload.dwToken = c.token;
    Block block(&payload, c.size);
    HRESULT hr = E_UNEXPECTED;
    EXPECT_EQ(DROPEFFECT_NONE, DropOn(right, block.Data(), 0, right.PointOn(0, true), &hr));
    EXPECT_EQ(S_OK, hr);
    EXPECT_EQ((Ids{ID_DELTA}), right.Ids());
  }
  // Data without the format: no effect offered, none taken.
  COleDataSource* other = new COleDataSource;
  HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 80);
  other->CacheGlobalData(CF_TEXT, text);
  IDataObject* data = static_cast<IDataObject*>(other->GetInterface(&IID_IDataObject));
  CCommandDropTarget* target = right.GetDropTarget();
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  POINT at = right.PointOn(0, true);
  EXPECT_EQ(S_OK, target->DragEnter(data, 0, POINTL{at.x, at.y}, &effect));
  EXPECT_EQ(DROPEFFECT_NONE, effect);
  effect = DROPEFFECT_MOVE;
  EXPECT_EQ(S_OK, target->Drop(data, 0, POINTL{at.x, at.y}, &effect));
  EXPECT_EQ(DROPEFFECT_NONE, effect);
  EXPECT_EQ(E_FAIL, target->Drop(NULL, 0, POINTL{at.x, at.y}, &effect));
  EXPECT_EQ(E_FAIL, target->DragEnter(NULL, 0, POINTL{at.x, at.y}, &effect));
  void* unknown = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, target->QueryInterface(IID_IDataObject, &unknown));
  EXPECT_EQ(nullptr, unknown);
  target->Release();
  other->InternalRelease();
  EXPECT_EQ((Ids{ID_DELTA}), right.Ids());
}

TEST_F(CommandDrag, EveryMediumReceivedIsReleasedTakenOrRefused) {
  HandingData data;
  data.payload = PayloadOf(left, 0);
  EXPECT_EQ(DROPEFFECT_COPY, DropOn(right, &data, MK_CONTROL, right.PointOn(0, true)));
  EXPECT_EQ(1, data.releaser.releases);
  data.payload.dwProcessId += 4;
  EXPECT_EQ(DROPEFFECT_NONE, DropOn(right, &data, MK_CONTROL, right.PointOn(0, true)));
  EXPECT_EQ(2, data.releaser.releases);
  EXPECT_EQ((Ids{ID_DELTA, ID_ALPHA}), right.Ids());
}

// Run only as the child of the test below: puts a well-formed block of its own on the clipboard.
TEST(DISABLED_CommandDragChild, OffersABlock) {
  CommandDragPayload payload = {};
  payload.dwProcessId = ::GetCurrentProcessId();
  payload.dwCommandId = ID_ALPHA;
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, sizeof payload);
  memcpy(::GlobalLock(h), &payload, sizeof payload);
  ::GlobalUnlock(h);
  ASSERT_TRUE(::OpenClipboard(NULL));
  ::EmptyClipboard();
  ASSERT_NE(nullptr, ::SetClipboardData(::RegisterClipboardFormat(_T("DragQvCommand")), h));
  ::CloseClipboard();
}

TEST_F(CommandDrag, ABlockOfAnotherProcessIsRefused) {
  ASSERT_EQ(0, testing_support::RunThisProgram(
                   L"--gtest_also_run_disabled_tests --gtest_filter=DISABLED_CommandDragChild.*"));
  IDataObject* data = NULL;
  ASSERT_EQ(S_OK, ::OleGetClipboard(&data));
  for (DWORD keys : {0ul, static_cast<unsigned long>(MK_CONTROL)}) {
    SCOPED_TRACE(keys);
    HRESULT hr = E_UNEXPECTED;
    EXPECT_EQ(DROPEFFECT_NONE, DropOn(right, data, keys, right.PointOn(0, true), &hr));
    EXPECT_EQ(S_OK, hr);
  }
  data->Release();
  ::OleSetClipboard(NULL);
  EXPECT_EQ((Ids{ID_DELTA}), right.Ids());
}

TEST_F(CommandDrag, TheInsertionPointFollowsTheCursorAndGoesWhenItLeaves) {
  CommandDragPayload payload = PayloadOf(left, 0);
  Block block(&payload, sizeof payload);
  CCommandDropTarget* target = left.GetDropTarget();
  DWORD effect = DROPEFFECT_MOVE;
  POINT at = left.PointOn(1, false);
  ASSERT_EQ(S_OK, target->DragEnter(block.Data(), 0, POINTL{at.x, at.y}, &effect));
  EXPECT_EQ(DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
  struct Case {
    int onto;
    bool after;
    DWORD keys;
    DWORD effect;
  } cases[] = {{1, false, 0, DROPEFFECT_MOVE}, {1, true, MK_CONTROL, DROPEFFECT_COPY}, {2, true, 0, DROPEFFECT_MOVE}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.onto << (c.after ? " after" : " before"));
    at = left.PointOn(c.onto, c.after);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK, target->DragOver(c.keys, POINTL{at.x, at.y}, &effect));
    EXPECT_EQ(c.effect, effect);
    TBINSERTMARK mark = {-2, 99};
    left.SendMessage(TB_GETINSERTMARK, 0, reinterpret_cast<LPARAM>(&mark));
    EXPECT_EQ(c.onto, mark.iButton);
    EXPECT_EQ(c.after ? static_cast<DWORD>(TBIMHT_AFTER) : 0u, mark.dwFlags);
  }
  // On a bar that is not docked at the top or bottom, the vertical middle decides.
  left.SetBarStyle((left.GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_LEFT);
  CRect item;
  left.GetItemRect(0, &item);
  for (bool lower : {false, true}) {
    POINT p = {item.right - 2, lower ? item.bottom - 2 : item.top + 1};
    left.ClientToScreen(&p);
    ASSERT_EQ(S_OK, target->DragOver(0, POINTL{p.x, p.y}, &effect));
    EXPECT_EQ(lower, target->IsAfter(POINTL{p.x, p.y}) != FALSE);
  }
  EXPECT_EQ(S_OK, target->DragLeave());
  EXPECT_EQ(-1, left.GetInsertIndex());
  EXPECT_EQ((Ids{ID_ALPHA, ID_BETA, ID_GAMMA}), left.Ids());
  target->Release();
}

// The bar's client drawn as it paints itself.
void Render(CWnd& bar, testing_support::DibCanvas& canvas) {
  canvas.Fill(RGB(1, 2, 3));
  bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT | PRF_ERASEBKGND);
}

// The insertion point is drawn by the bar: a 2-pixel black line on the edge of its button with
// an arrow (rows 6, 4 and 2 pixels across) at each end, and nothing else changes; it goes with
// the drag.
TEST_F(CommandDrag, TheInsertionPointIsALineWithArrowsOnTheEdgeOfItsButton) {
  CommandDragPayload payload = PayloadOf(left, 0);
  Block block(&payload, sizeof payload);
  const COLORREF black = RGB(0, 0, 0);
  struct Case {
    int onto;
    bool after;
    bool vertical;
  } cases[] = {{1, false, false}, {1, true, false}, {1, false, true}, {2, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.onto << (c.after ? " after" : " before") << (c.vertical ? " vertical" : ""));
    // Docked at a side, the bar is one column of buttons.
    left.SetBarStyle((left.GetBarStyle() & ~CBRS_ALIGN_ANY) | (c.vertical ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP));
    const CSize size = left.CalcFixedLayout(FALSE, !c.vertical);
    left.SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect client;
    left.GetClientRect(&client);
    testing_support::DibCanvas plain(client.Width(), client.Height()), marked(client.Width(), client.Height());
    ASSERT_TRUE(plain.valid() && marked.valid());
    Render(left, plain);
    CCommandDropTarget* target = left.GetDropTarget();
    DWORD effect = DROPEFFECT_MOVE;
    CRect item;
    left.GetItemRect(c.onto, &item);
    POINT at = c.vertical ? POINT{item.left + 2, c.after ? item.bottom - 2 : item.top + 1} : left.PointOn(c.onto, c.after);
    if (c.vertical) left.ClientToScreen(&at);
    ASSERT_EQ(S_OK, target->DragEnter(block.Data(), 0, POINTL{at.x, at.y}, &effect));
    ASSERT_EQ(S_OK, target->DragOver(0, POINTL{at.x, at.y}, &effect));
    ASSERT_EQ(c.onto, left.GetInsertIndex());
    Render(left, marked);
    // The strip across the edge: along it the line, at its ends the arrows.
    const int edge = c.vertical ? (c.after ? item.bottom : item.top) : (c.after ? item.right : item.left);
    const int from = c.vertical ? item.left : item.top, to = c.vertical ? item.right : item.bottom;
    auto pixel = [&](int across, int along) { return c.vertical ? marked.At(along, across) : marked.At(across, along); };
    for (int along = from; along < to; ++along) {
      EXPECT_EQ(black, pixel(edge - 1, along)) << along;
      EXPECT_EQ(black, pixel(edge, along)) << along;
    }
    for (int k = 0; k < 3; ++k)
      for (int across = edge - 3 + k; across < edge + 3 - k; ++across) {
        EXPECT_EQ(black, pixel(across, from + k)) << across << " " << k;
        EXPECT_EQ(black, pixel(across, to - 1 - k)) << across << " " << k;
      }
    EXPECT_NE(black, pixel(edge - 3, from + 1));  // the arrow narrows
    const CRect strip = c.vertical ? CRect(item.left, edge - 3, item.right, edge + 3) : CRect(edge - 3, item.top, edge + 3, item.bottom);
    int outside = 0;
    for (int y = 0; y < client.Height(); ++y)
      for (int x = 0; x < client.Width(); ++x)
        if (!strip.PtInRect(CPoint(x, y)) && plain.At(x, y) != marked.At(x, y)) ++outside;
    EXPECT_EQ(0, outside);
    ASSERT_EQ(S_OK, target->DragLeave());
    target->Release();
    Render(left, marked);
    EXPECT_EQ(0, testing_support::DifferingPixels(plain, marked));
  }
  left.SetBarStyle((left.GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP);
  frame->RecalcLayout();
}

TEST_F(CommandDrag, ATargetHeldPastItsBarNoLongerReachesIt) {
  auto* bar = new TestBar;
  ASSERT_EQ(1, bar->CreateAndLoad(frame, AFX_IDW_TOOLBAR + 2, IDL_RIGHT, 0));
  bar->SetCustomizingToolBar(1);
  CCommandDropTarget* target = bar->GetDropTarget();
  EXPECT_EQ(bar, target->m_pBar);
  delete bar;
  EXPECT_EQ(nullptr, target->m_pBar);
  CommandDragPayload payload = PayloadOf(left, 0);
  Block block(&payload, sizeof payload);
  DWORD effect = DROPEFFECT_MOVE;
  EXPECT_EQ(E_FAIL, target->DragOver(0, POINTL{0, 0}, &effect));
  EXPECT_EQ(E_FAIL, target->Drop(block.Data(), 0, POINTL{0, 0}, &effect));
  EXPECT_EQ(S_OK, target->DragLeave());
  EXPECT_EQ(0u, target->Release());  // the last reference
}

TEST_F(CommandDrag, OutsideCustomisationNoBarOffersATarget) {
  right.SetCustomizingToolBar(0);
  EXPECT_EQ(DROPEFFECT_NONE, Drag(left, 1, right.PointOn(0, true)));
  EXPECT_EQ((Ids{ID_DELTA}), right.Ids());
  EXPECT_EQ((Ids{ID_ALPHA, ID_BETA, ID_GAMMA}), left.Ids());

  // Asked by the toolbar for the target of a button, the bar answers only while customising.
  for (int customizing : {0, 1}) {
    SCOPED_TRACE(customizing);
    right.SetCustomizingToolBar(customizing);
    NMOBJECTNOTIFY ask = {};
    ask.hdr = {right.m_hWnd, static_cast<UINT_PTR>(right.GetDlgCtrlID()), static_cast<UINT>(TBN_GETOBJECT)};
    ask.iItem = ID_DELTA;
    ask.piid = &IID_IDropTarget;
    frame->SendMessage(WM_NOTIFY, ask.hdr.idFrom, reinterpret_cast<LPARAM>(&ask));
    if (!customizing) {
      EXPECT_EQ(nullptr, ask.pObject);
      continue;
    }
    ASSERT_NE(nullptr, ask.pObject);
    EXPECT_EQ(S_OK, ask.hResult);
    static_cast<IDropTarget*>(ask.pObject)->Release();
    ask.pObject = NULL;
    ask.iItem = ID_UNKNOWN;  // no such button
    frame->SendMessage(WM_NOTIFY, ask.hdr.idFrom, reinterpret_cast<LPARAM>(&ask));
    EXPECT_EQ(nullptr, ask.pObject);
    EXPECT_EQ(E_FAIL, ask.hResult);
  }
  // Leaving customisation again takes the target away.
  right.SetCustomizingToolBar(0);
  EXPECT_EQ(DROPEFFECT_NONE, Drag(left, 1, right.PointOn(0, true)));
  EXPECT_EQ((Ids{ID_DELTA}), right.Ids());
}

TEST_F(CommandDrag, APressInCustomisationDragsTheButtonAndOutsideItDoesNot) {
  // The press starts the drag with the button already up: the drop happens where the cursor is.
  POINT onto = right.PointOn(0, true);
  ::SetCursorPos(onto.x, onto.y);
  CRect alpha;
  left.GetItemRect(0, &alpha);
  left.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(alpha.left + 3, alpha.top + 3));
  EXPECT_EQ((Ids{ID_BETA, ID_GAMMA}), left.Ids());
  EXPECT_EQ((Ids{ID_DELTA, ID_ALPHA}), right.Ids());
  EXPECT_EQ((std::vector<int>{ID_ALPHA}), frame->beginDrags);  // the parent heard of it first

  // A drop-down menu button travels as a temporary command and arrives with its menu.
  HMENU menu = ::CreatePopupMenu();
  ::AppendMenu(menu, MF_STRING, ID_GAMMA, _T("Gamma"));
  ASSERT_EQ(1, left.InsertMenuButton(2, menu, _T("Menu")));
  CRect item;
  left.GetItemRect(2, &item);
  onto = right.PointOn(1, true);
  ::SetCursorPos(onto.x, onto.y);
  left.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 3, item.top + 3));
  EXPECT_EQ(2, left.GetCount());
  ASSERT_EQ(3, right.GetCount());
  EXPECT_EQ(menu, right.GetButtonMenu(2));
  CString text;
  right.GetButtonText(2, text);
  EXPECT_EQ(CString(_T("Menu")), text);

  // Outside customisation a press starts nothing.
  left.SetCustomizingToolBar(0);
  left.GetItemRect(0, &item);
  onto = right.PointOn(0, false);
  ::SetCursorPos(onto.x, onto.y);
  left.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 3, item.top + 3));
  left.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(item.left + 3, item.top + 3));
  EXPECT_EQ((Ids{ID_BETA, ID_GAMMA}), left.Ids());
  EXPECT_EQ(3, right.GetCount());
  // (The system's toolbar may announce that press itself: the bar does not drag for it.)
  // A press beside the buttons in customisation starts nothing either.
  left.SetCustomizingToolBar(1);
  const size_t announced = frame->beginDrags.size();
  CRect client;
  left.GetClientRect(&client);
  left.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 2, client.bottom - 2));
  EXPECT_EQ(announced, frame->beginDrags.size());
  EXPECT_EQ((Ids{ID_BETA, ID_GAMMA}), left.Ids());
  ::DestroyMenu(menu);
}

}  // namespace
