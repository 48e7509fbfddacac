// The tile control's model: facets and master tiles on their own, and the control's masters
// and facets through its private messages (maxima, insertion and removal, activation, the
// interaction levels, descriptors, what the owner hears, which windows show).
#include "tile_fixture.h"

using namespace tile_test;
using testing_support::GdiObjectCount;
using testing_support::Recorder;
using testing_support::kParent;
using testing_support::kSent;

namespace {

TEST(TileModel, FacetCopiesOwnTheirBitmapOnlyWhenTheSourceDoes) {
  const int before = GdiObjectCount();
  {
    HBITMAP shared = MakeImage(RGB(255, 0, 0));
    ASSERT_NE(shared, nullptr);
    Tile owning(L"Own", NULL, MakeImage(RGB(0, 255, 0)), 1), sharing(L"Share", NULL, shared, 0);
    Tile a, b;
    a = owning;
    b = sharing;
    int owns = -1;
    EXPECT_NE(a.GetBitmap(NULL, &owns), owning.GetBitmap(NULL, NULL));
    EXPECT_EQ(owns, 1);
    EXPECT_EQ(b.GetBitmap(NULL, &owns), shared);
    EXPECT_EQ(owns, 0);
    EXPECT_FALSE(a == owning);  // another bitmap
    EXPECT_TRUE(b == sharing);
    EXPECT_EQ(Tile(NULL, NULL, NULL, 0).GetCaption(), CString(L"NULL"));
    b.Reset();
    DeleteObject(shared);
  }
  EXPECT_EQ(GdiObjectCount(), before);  // every owned copy freed
}

TEST(TileModel, MasterFacetsInsertRemoveAndFollowTheActiveOne) {
  MasterTile m;
  EXPECT_EQ(m.GetMaxCount(), 5);
  EXPECT_EQ(m.GetActiveTile(), -1);  // facet 0 counts as active once there is one
  Tile a(L"A", NULL, NULL, 0), b(L"B", NULL, NULL, 0), c(L"C", NULL, NULL, 0), x(L"X", NULL, NULL, 0);
  EXPECT_EQ(m.AddTile(a), 0);
  EXPECT_EQ(m.GetActiveTile(), 0);
  EXPECT_EQ(m.AddTile(b), 1);
  EXPECT_EQ(m.AddTile(c), 2);
  ASSERT_EQ(m.SetActiveTile(c), 1);
  struct Step {
    const char* what;
    int result, count, active;
    int (*act)(MasterTile&, Tile&);
  } steps[] = {
      {"insert before the active one", 1, 4, 3, [](MasterTile& t, Tile& f) { return t.InsertTile(f, 1); }},
      {"insert at the end is refused", -1, 4, 3, [](MasterTile& t, Tile& f) { return t.InsertTile(f, 4); }},
      {"remove before the active one", 0, 3, 2, [](MasterTile& t, Tile&) { return t.RemoveTile(0); }},
      {"remove a missing facet", -1, 3, 2, [](MasterTile& t, Tile&) { return t.RemoveTile(7); }},
      {"remove the active one", 2, 2, -1, [](MasterTile& t, Tile&) { return t.RemoveTile(2); }},
      {"find by equality", 0, 2, -1, [](MasterTile& t, Tile&) {
         Tile x(L"X", NULL, NULL, 0);
         return t.FindTile(x);
       }},
  };
  for (Step& s : steps) {
    EXPECT_EQ(s.act(m, x), s.result) << s.what;
    EXPECT_EQ(m.GetCount(), s.count) << s.what;
    EXPECT_EQ(m.GetActiveTile(), s.active) << s.what;
  }
  EXPECT_EQ(m.GetActiveCaption(), CString(L"???"));
}

// A smaller maximum drops the facets past it: the count and the active index stay inside
// the new array and the dropped facets' bitmaps are freed. A huge maximum is refused.
TEST(TileModel, ShrinkingTheFacetMaximumDropsFacetsPastIt) {
  const int before = GdiObjectCount();
  {
    MasterTile m;
    for (int i = 0; i < 5; ++i) {
      Tile t(L"T", NULL, MakeImage(RGB(0, 0, 255)), 1);
      ASSERT_EQ(m.AddTile(t), i);
    }
    ASSERT_EQ(m.SetActiveTileIndex(4), 1);
    EXPECT_EQ(m.SetNumTiles(0), -1);
    EXPECT_EQ(m.SetNumTiles(-5), -1);
    EXPECT_EQ(m.SetNumTiles(0x7FFFFFFF), -1);
    EXPECT_EQ(m.GetMaxCount(), 5);
    EXPECT_EQ(m.SetNumTiles(2), 2);
    EXPECT_EQ(m.GetCount(), 2);
    EXPECT_EQ(m.GetActiveTile(), 0);
    EXPECT_EQ(m.TileAt(2), nullptr);
    Tile extra(L"E", NULL, NULL, 0);
    EXPECT_EQ(m.AddTile(extra), -1);  // full at the new maximum
    EXPECT_EQ(m.SetNumTiles(6), 6);
    EXPECT_EQ(m.AddTile(extra), 2);
  }
  EXPECT_EQ(GdiObjectCount(), before);
}

TEST(TileModel, MasterCopiesAreDeepAndCompareByTheirFacets) {
  const int before = GdiObjectCount();
  {
    MasterTile m;
    Tile t(L"T", NULL, MakeImage(RGB(0, 0, 255)), 1);
    m.AddTile(t);
    m.SetBitmap(MakeImage(RGB(255, 0, 0)), 1);
    MasterTile copy(m);
    int owns = 0;
    EXPECT_NE(copy.GetBitmap(NULL, &owns), m.GetBitmap(NULL, NULL));
    EXPECT_EQ(owns, 1);
    EXPECT_FALSE(copy == m);  // the facet's own bitmap copy differs
    MasterTile empty1, empty2;
    EXPECT_TRUE(empty1 == empty2);
  }
  EXPECT_EQ(GdiObjectCount(), before);
}

using TileControlModel = TileTest;

// The structural messages and what they leave: counts, the active master, refusals.
TEST_F(TileControlModel, MastersNeedAMaximumAndKeepTheActiveOne) {
  MasterTile m = Master(2);
  EXPECT_EQ(Send(TLM_GETMAXMASTERS), 0);
  EXPECT_EQ(Send(TLM_ADDMASTER, Ptr(&m)), -1);  // no maximum set yet
  EXPECT_EQ(Send(TLM_SETNUMMASTERS, 0), -1);
  EXPECT_EQ(Send(TLM_SETNUMMASTERS, 0x7FFFFFFF), -1);
  EXPECT_EQ(Send(TLM_SETNUMMASTERS, 4), 4);
  EXPECT_EQ(Send(TLM_ADDMASTER, 0), -1);
  for (int i = 0; i < 3; ++i) {
    MasterTile each = Master(2, false, (std::wstring(L"M") + std::to_wstring(i)).c_str());
    ASSERT_EQ(Send(TLM_ADDMASTER, Ptr(&each)), i);
  }
  ASSERT_EQ(Send(TLM_SETACTIVEMASTER, 1), 1);
  MasterTile wasActive;
  ASSERT_EQ(Send(TLM_GETACTIVEMASTER, Ptr(&wasActive)), 1);
  struct Step {
    const char* what;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    LRESULT result;
    int count, active;
  } steps[] = {
      {"insert before the active master", TLM_INSERTMASTER, Ptr(&m), 0, 0, 4, 2},
      {"add past the maximum", TLM_ADDMASTER, Ptr(&m), 0, -1, 4, 2},
      {"insert at the end", TLM_INSERTMASTER, Ptr(&m), 4, -1, 4, 2},
      {"remove before the active master", TLM_REMOVEMASTER, 0, 0, 0, 3, 1},
      {"remove a missing master", TLM_REMOVEMASTER, 5, 0, -1, 3, 1},
      {"activate a missing master", TLM_SETACTIVEMASTER, 3, 0, 0, 3, 1},
      {"activate the active master", TLM_SETACTIVEMASTER, 1, 0, 1, 3, 1},
      {"remove the active master", TLM_REMOVEMASTER, 1, 0, 1, 2, -1},
      {"unknown private message", WM_USER + 0x30, 0, 0, -1, 2, -1},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(Send(s.msg, s.wp, s.lp), s.result) << s.what;
    EXPECT_EQ(Send(TLM_GETMASTERCOUNT), s.count) << s.what;
    EXPECT_EQ(Send(TLM_GETACTIVEMASTER), s.active) << s.what;
    if (s.active == 2) {
      MasterTile now;
      EXPECT_EQ(Send(TLM_GETACTIVEMASTER, Ptr(&now)), 2);
      EXPECT_TRUE(now == wasActive) << s.what;  // the same master stays active
    }
  }
}

TEST_F(TileControlModel, LevelZeroRefusesEveryStructuralMessage) {
  ASSERT_NO_FATAL_FAILURE(Fill(2, 2, 0));
  EXPECT_EQ(static_cast<DWORD>(Send(TLM_SETINTERACTION, TCFI_ALLOWNONE)), 0xFFFFFFF7u);
  MasterTile m = Master(1, false);
  Tile t(L"T", NULL, NULL, 0);
  TC_MASTERDESC byIndex = {TCMD_BYINDEX | TCMD_TILE, 0};
  TC_MASTERDESC byIndexN = {TCMD_BYINDEX | TCMD_INDEX, 0};
  TC_FACETRECORD rec = {0, &t, NULL, 0};
  TC_MASTERDESC byRecord = {TCMD_BYINDEX | TCMD_RECORD, 0};
  struct Case {
    const char* what;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    LRESULT result;
  } cases[] = {
      {"add master", TLM_ADDMASTER, Ptr(&m), 0, -1},
      {"insert master", TLM_INSERTMASTER, Ptr(&m), 0, -1},
      {"remove master", TLM_REMOVEMASTER, 0, 0, -1},
      {"set master", TLM_SETMASTER, Ptr(&m), 0, 0},
      {"set maximum masters", TLM_SETNUMMASTERS, 3, 0, -1},
      {"activate master", TLM_SETACTIVEMASTER, 1, 0, 0},
      {"add facet", TLM_ADDTILE, Ptr(&byIndex), reinterpret_cast<LPARAM>(&t), -1},
      {"insert facet", TLM_INSERTTILE, Ptr(&byRecord), reinterpret_cast<LPARAM>(&rec), -1},
      {"set facet", TLM_SETTILE, Ptr(&byRecord), reinterpret_cast<LPARAM>(&rec), -1},
      {"remove facet", TLM_REMOVETILE, Ptr(&byIndexN), 0, -1},
      {"set maximum facets", TLM_SETNUMTILES, Ptr(&byIndexN), 3, -1},
      {"activate facet", TLM_SETACTIVETILE, Ptr(&byIndexN), 1, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Send(c.msg, c.wp, c.lp), c.result) << c.what;
  EXPECT_EQ(Send(TLM_GETMASTERCOUNT), 2);
  EXPECT_EQ(Send(TLM_GETACTIVEMASTER), 0);
  TC_MASTERDESC count = {TCMD_BYINDEX, 0};
  EXPECT_EQ(Send(TLM_GETTILECOUNT, Ptr(&count)), 2);
}

// Facets named by descriptor: by index or by master pointer, with a Tile, a record or an index.
TEST_F(TileControlModel, FacetMessagesFindTheirMasterByDescriptor) {
  ASSERT_NO_FATAL_FAILURE(Fill(2, 3, 1, false));
  MasterTile second;
  ASSERT_EQ(Send(TLM_GETMASTER, Ptr(&second), 1), 1);
  Tile out, fresh(L"Fresh", NULL, NULL, 0);
  TC_MASTERDESC byPtr = {TCMD_BYPOINTER | TCMD_NOFACET, reinterpret_cast<INT_PTR>(&second)};
  TC_MASTERDESC byPtrTile = {TCMD_BYPOINTER | TCMD_TILE, reinterpret_cast<INT_PTR>(&second)};
  TC_MASTERDESC byIndex = {TCMD_BYINDEX | TCMD_TILE, 1};
  TC_MASTERDESC byIndexN = {TCMD_BYINDEX | TCMD_INDEX, 1};
  TC_MASTERDESC missing = {TCMD_BYINDEX | TCMD_NOFACET, 7};
  TC_FACETRECORD get = {2, &out, NULL, 0};
  TC_MASTERDESC byRecord = {TCMD_BYINDEX | TCMD_RECORD, 1};
  EXPECT_EQ(Send(TLM_GETACTIVETILE, Ptr(&byPtr)), 0);
  EXPECT_EQ(Send(TLM_GETACTIVETILE, Ptr(&byPtrTile), reinterpret_cast<LPARAM>(&out)), 0);
  EXPECT_EQ(out.GetCaption(), CString(L"M1F0"));
  EXPECT_EQ(Send(TLM_GETTILECOUNT, Ptr(&missing)), -1);
  EXPECT_EQ(Send(TLM_GETTILECOUNT, 0), -1);
  EXPECT_EQ(Send(TLM_GETTILE, Ptr(&byRecord), reinterpret_cast<LPARAM>(&get)), 1);
  EXPECT_EQ(out.GetCaption(), CString(L"M1F2"));
  get.index = 3;
  EXPECT_EQ(Send(TLM_GETTILE, Ptr(&byRecord), reinterpret_cast<LPARAM>(&get)), 0);
  EXPECT_EQ(Send(TLM_ADDTILE, Ptr(&byIndex), reinterpret_cast<LPARAM>(&fresh)), 3);
  EXPECT_EQ(Send(TLM_FINDTILE, Ptr(&byIndex), reinterpret_cast<LPARAM>(&fresh)), 3);
  EXPECT_EQ(Send(TLM_SETACTIVETILE, Ptr(&byIndexN), 3), 1);
  EXPECT_EQ(Send(TLM_GETACTIVETILE, Ptr(&byIndexN)), 3);
  EXPECT_EQ(Send(TLM_REMOVETILE, Ptr(&byIndex), reinterpret_cast<LPARAM>(&fresh)), 3);
  EXPECT_EQ(Send(TLM_GETACTIVETILE, Ptr(&byIndexN)), -1);  // the active facet went
  EXPECT_EQ(Send(TLM_GETMAXTILES, Ptr(&byIndexN)), 5);
  EXPECT_EQ(Send(TLM_SETNUMTILES, Ptr(&byIndexN), 2), 2);
  EXPECT_EQ(Send(TLM_GETTILECOUNT, Ptr(&byIndexN)), 2);
  // Bitmaps through records; none without one.
  HBITMAP image = MakeImage(RGB(0, 255, 0));
  TC_FACETRECORD set = {1, NULL, image, 1};
  EXPECT_EQ(Send(TLM_SETTILEBITMAP, Ptr(&byRecord), reinterpret_cast<LPARAM>(&set)), 0);
  TC_FACETRECORD read = {1, NULL, NULL, 0};
  EXPECT_EQ(Send(TLM_GETTILEBITMAP, Ptr(&byRecord), reinterpret_cast<LPARAM>(&read)), reinterpret_cast<LRESULT>(image));
  EXPECT_EQ(read.bitmap, image);
  EXPECT_EQ(read.owns, 1);
  EXPECT_EQ(Send(TLM_GETTILEBITMAP, Ptr(&byRecord), 0), -1);
  EXPECT_EQ(Send(TLM_SETMASTERBITMAP, Ptr(&byRecord), 0), -1);
  // The master rectangle is the caller's to free; none for a missing master.
  RECT* r = reinterpret_cast<RECT*>(Send(TLM_GETMASTERRECT, 1, 0));
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->bottom - r->top, 23);
  delete r;
  EXPECT_EQ(Send(TLM_GETMASTERRECT, 5, 0), 0);
  EXPECT_EQ(Send(TLM_ISMASTERENABLED, 1, 0), 1);
  EXPECT_EQ(Send(TLM_ENABLEMASTER, 1, MAKELPARAM(0, 0)), 1);
  EXPECT_EQ(Send(TLM_ISMASTERENABLED, 1, 0), 0);
  EXPECT_EQ(Send(TLM_ISMASTERENABLED, 9, 0), -1);
  EXPECT_EQ(Send(TLM_ENABLEMASTER, 0, MAKELPARAM(1, 1)), -1);  // a null pointer
  int truncated = -1;
  EXPECT_EQ(Send(TLM_GETTRUNCATION, 1, reinterpret_cast<LPARAM>(&truncated)), 1);
  EXPECT_EQ(Send(TLM_GETTRUNCATION, 1, 0), 0);
  EXPECT_EQ(Send(TLM_GETTRUNCATION, 6, reinterpret_cast<LPARAM>(&truncated)), 0);
}

// A smaller master maximum frees the masters past it; the active one among them gives way
// to master 0 and its window is hidden.
TEST_F(TileControlModel, ShrinkingTheMasterMaximumDropsMastersPastIt) {
  ASSERT_NO_FATAL_FAILURE(Fill(4, 2, 3));
  HWND wasShown = ShownWindow(3);
  ASSERT_TRUE(IsWindowVisible(wasShown));
  const int gdi = GdiObjectCount();
  TC_MASTERDESC third = {TCMD_BYINDEX | TCMD_RECORD, 2};
  TC_FACETRECORD image = {0, NULL, MakeImage(RGB(9, 9, 9)), 1};
  ASSERT_EQ(Send(TLM_SETMASTERBITMAP, Ptr(&third), reinterpret_cast<LPARAM>(&image)), 0);
  EXPECT_EQ(Send(TLM_SETNUMMASTERS, 2), 2);
  EXPECT_EQ(Send(TLM_GETMASTERCOUNT), 2);
  EXPECT_EQ(Send(TLM_GETMAXMASTERS), 2);
  EXPECT_EQ(Send(TLM_GETACTIVEMASTER), 0);
  EXPECT_EQ(Send(TLM_GETMASTERRECT, 2, 0), 0);
  EXPECT_FALSE(IsWindowVisible(wasShown));
  EXPECT_TRUE(IsWindow(wasShown));
  EXPECT_TRUE(IsWindowVisible(ShownWindow(0)));
  EXPECT_EQ(GdiObjectCount(), gdi);  // the dropped master's bitmap went with it
  MasterTile m = Master(1, false);
  EXPECT_EQ(Send(TLM_ADDMASTER, Ptr(&m)), -1);
}

// Which facet windows show: the active master's active facet only; a removed active facet
// or master leaves its window hidden (not destroyed); setting a master that shows the same
// window keeps it showing.
TEST_F(TileControlModel, OnlyTheActiveFacetsWindowShows) {
  ASSERT_NO_FATAL_FAILURE(Fill(3, 2, 1));
  HWND shown = ShownWindow(1);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(GetParent(shown), tile);
  EXPECT_TRUE(IsWindowVisible(shown));
  EXPECT_FALSE(IsWindowVisible(ShownWindow(0)));
  CRect area;
  Object()->GetClientArea(area);
  CRect placed;
  GetWindowRect(shown, &placed);
  MapWindowPoints(NULL, tile, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed, area);

  // The same window in the new master: it keeps showing.
  MasterTile same;
  Tile keep(L"Keep", Object()->MasterAt(1)->GetActiveObject(), NULL, 0);
  same.AddTile(keep);
  EXPECT_EQ(Send(TLM_SETMASTER, Ptr(&same), 1), 1);
  EXPECT_TRUE(IsWindowVisible(shown));
  // Another window: the old one is hidden.
  MasterTile other = Master(1);
  EXPECT_EQ(Send(TLM_SETMASTER, Ptr(&other), 1), 1);
  EXPECT_FALSE(IsWindowVisible(shown));
  shown = ShownWindow(1);
  EXPECT_TRUE(IsWindowVisible(shown));

  // Removing the active facet hides its window.
  TC_MASTERDESC active = {TCMD_BYINDEX | TCMD_INDEX, 1};
  EXPECT_EQ(Send(TLM_REMOVETILE, Ptr(&active), 0), 0);
  EXPECT_FALSE(IsWindowVisible(shown));
  EXPECT_TRUE(IsWindow(shown));

  // Removing the active master hides its window.
  ASSERT_EQ(Send(TLM_SETACTIVEMASTER, 2), 1);
  shown = ShownWindow(2);
  ASSERT_TRUE(IsWindowVisible(shown));
  EXPECT_EQ(Send(TLM_REMOVEMASTER, 2, 0), 2);
  EXPECT_EQ(Send(TLM_GETACTIVEMASTER), -1);
  EXPECT_FALSE(IsWindowVisible(shown));
  EXPECT_TRUE(IsWindow(shown));
}

// Activating a master tells the owner, with the control's id and the new active index.
TEST_F(TileControlModel, ActivationNotifiesTheOwner) {
  ASSERT_NO_FATAL_FAILURE(Fill(3, 1, 0, false));
  int heard = -1;
  UINT code = 0;
  parent.answer = [&](UINT msg, WPARAM, LPARAM lp, LRESULT*) {
    if (msg == WM_NOTIFY) {
      const NMTILECONTROL* nm = reinterpret_cast<const NMTILECONTROL*>(lp);
      heard = nm->nMaster;
      code = nm->hdr.code;
    }
    return false;
  };
  Recorder().Watch(parent.hwnd());
  Recorder().Reset();
  // Activating master 2 of a control whose master 0 is active.
  ASSERT_EQ(Send(TLM_SETACTIVEMASTER, 2), 1);
  Recorder().Pump();
  // One WM_NOTIFY, sent to the parent with the control's id.
  std::vector<testing_support::RecordedMsg> notifies;
  for (const auto& m : Recorder().Messages())
    if (m.message == WM_NOTIFY) notifies.push_back(m);
  ASSERT_EQ(notifies.size(), 1u);
  EXPECT_EQ(notifies[0].flags & (kSent | kParent), kSent | kParent);
  EXPECT_EQ(notifies[0].wParam, static_cast<WPARAM>(kId));
  EXPECT_EQ(heard, 2);
  EXPECT_EQ(code, static_cast<UINT>(TLN_MASTERACTIVATED));
  // A refused activation (a master that does not exist) is not heard.
  Recorder().Reset();
  ASSERT_EQ(Send(TLM_SETACTIVEMASTER, 5), 0);
  Recorder().Pump();
  EXPECT_EQ(Recorder().Count(WM_NOTIFY), 0u);
  Recorder().UnwatchAll();
  parent.answer = nullptr;
}

// An owner that destroys the control while hearing of the activation.
TEST_F(TileControlModel, AnOwnerMayDestroyTheControlWhileHearingIt) {
  ASSERT_NO_FATAL_FAILURE(Fill(2, 1, 0, false));
  parent.answer = [&](UINT msg, WPARAM, LPARAM, LRESULT*) {
    if (msg == WM_NOTIFY && IsWindow(tile)) DestroyWindow(tile);
    return false;
  };
  EXPECT_EQ(Send(TLM_SETACTIVEMASTER, 1), 1);
  EXPECT_FALSE(IsWindow(tile));
  parent.answer = nullptr;
}

TEST_F(TileControlModel, FontsOwnerAndStylesAreKept) {
  HFONT font = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_NE(Send(WM_GETFONT), 0);  // the shared control font
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  EXPECT_EQ(Send(WM_GETFONT), reinterpret_cast<LRESULT>(font));
  EXPECT_EQ(Send(TLM_SETOWNER, reinterpret_cast<WPARAM>(parent.hwnd())), 0);
  EXPECT_EQ(Send(TLM_SETOWNER, 0), reinterpret_cast<LRESULT>(parent.hwnd()));
  EXPECT_EQ(Send(TLM_SETSTYLES, TLS_MASKEDIMAGES), 0);
  EXPECT_EQ(Send(TLM_GETSTYLES), TLS_MASKEDIMAGES);
  EXPECT_EQ(Send(RegisterWindowMessageW(L"_UIM_DUMPWND")), 3);
  EXPECT_EQ(Send(RegisterWindowMessageW(L"_UIM_DUMPSTYLE")), 1);
}

// Controls share their drawing resources; a colour change rebuilds them without a leak.
TEST_F(TileControlModel, ControlsShareTheirResourcesAcrossAColourChange) {
  const int shared = TileControl::GetControlCount();
  const int gdi = GdiObjectCount();
  HWND second = Make(parent.hwnd(), 100, 200);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(TileControl::GetControlCount(), shared + 1);
  SendMessageW(second, WM_SYSCOLORCHANGE, 0, 0);
  SendMessageW(tile, WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(TileControl::GetControlCount(), shared + 1);
  DestroyWindow(second);
  EXPECT_EQ(TileControl::GetControlCount(), shared);
  EXPECT_EQ(GdiObjectCount(), gdi);
}

}  // namespace
