// The rich-edit controls on a real Rich Edit 2.0 window: appended text and links with their
// ranges, links opened by range, the Ctrl+Enter filter, character effects and their update
// state, the paragraph switch, the font command and the OLE callback.
#include <gtest/gtest.h>

#include <JyRichEdit.h>
#include <Pellix.h>
#include <dlgs.h>
#include <test_support.h>

#include <string.h>

#include <string>
#include <vector>

namespace tessvik {
unsigned char g_traceSwitch = 1;  // the library's own is in its application object
}

namespace {

const UINT kEditId = 7;

std::vector<std::string> g_opened;
BOOL CALLBACK Opened(LPCSTR text, int) {
  g_opened.push_back(text);
  return TRUE;
}

// The parent: counts the notifications that reach it.
class Parent : public CWnd {
 public:
  std::vector<UINT> seen;

 protected:
  afx_msg void OnFilter(NMHDR*, LRESULT* result) {
    seen.push_back(EN_MSGFILTER);
    *result = 0;
  }
  afx_msg void OnLink(NMHDR*, LRESULT* result) {
    seen.push_back(EN_LINK);
    *result = 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Parent, CWnd)
  ON_NOTIFY(EN_MSGFILTER, kEditId, &Parent::OnFilter)
  ON_NOTIFY(EN_LINK, kEditId, &Parent::OnLink)
END_MESSAGE_MAP()

// Makes a check state visible.
class CheckProbe : public CCmdUI {
 public:
  int check = -1;
  void SetCheck(int n) override { check = n; }
};

class RichEdit : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("parent"), WS_POPUP, 0, 0, 400, 300, NULL, NULL, NULL));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 380, 280), &parent, kEditId));
    edit.SetEventMask(ENM_LINK);
    previous = PxSetNavigateObserver(&Opened);
    g_opened.clear();
  }
  void TearDown() override {
    PxSetNavigateObserver(previous);
    parent.DestroyWindow();
  }
  std::wstring Text() {
    wchar_t buf[512] = {};
    GETTEXTEX gt = {sizeof(buf), GT_DEFAULT, 1200, NULL, NULL};
    edit.SendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&gt), reinterpret_cast<LPARAM>(buf));
    return buf;
  }
  CHARRANGE Sel() {
    CHARRANGE cr;
    edit.GetSel(cr);
    return cr;
  }
  CHARFORMAT2A FormatOf(LONG from, LONG to) {
    edit.SetSel(from, to);
    CHARFORMAT2A cf = {};
    cf.cbSize = sizeof(cf);
    edit.SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf;
  }
  // A click on [from, to) as the control reports it to its parent.
  LRESULT Link(UINT msg, LONG from, LONG to) {
    ENLINK en = {};
    en.nmhdr.hwndFrom = edit.m_hWnd;
    en.nmhdr.idFrom = kEditId;
    en.nmhdr.code = EN_LINK;
    en.msg = msg;
    en.chrg.cpMin = from;
    en.chrg.cpMax = to;
    return parent.SendMessage(WM_NOTIFY, kEditId, reinterpret_cast<LPARAM>(&en));
  }
  Parent parent;
  CLinkRichEdit edit;
  PxNavigateObserver previous = NULL;
};

TEST_F(RichEdit, AppendedTextAndLinksKeepTheirRangesColoursAndTheSelection) {
  edit.AppendText("Hello ", RGB(200, 0, 0));
  edit.SetSel(1, 3);
  edit.AppendLink(CString("site"), CString("http://one.example/"));
  edit.AppendText(" and ", RGB(0, 0, 0));
  edit.AppendLink(L"\x70B9\x51FB", CString("http://two.example/"));  // counted in UTF-16 units
  edit.AppendLink(CString("site"), CString("http://three.example/"));
  EXPECT_EQ(Sel().cpMin, 1);
  EXPECT_EQ(Sel().cpMax, 3);
  EXPECT_EQ(Text(), L"Hello site and \x70B9\x51FBsite");
  ASSERT_EQ(edit.GetLinkCount(), 3);
  const LONG ranges[][2] = {{6, 10}, {15, 17}, {17, 21}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(edit.GetLink(i).cpMin, ranges[i][0]) << i;
    EXPECT_EQ(edit.GetLink(i).cpMax, ranges[i][1]) << i;
    CHARFORMAT2A cf = FormatOf(ranges[i][0], ranges[i][1]);
    EXPECT_TRUE((cf.dwMask & CFM_LINK) && (cf.dwEffects & CFE_LINK)) << i;
  }
  CHARFORMAT2A hello = FormatOf(0, 5);
  EXPECT_EQ(hello.crTextColor, RGB(200, 0, 0));
  EXPECT_FALSE(FormatOf(11, 14).dwEffects & CFE_LINK);

  edit.Clear();
  EXPECT_EQ(edit.GetLinkCount(), 0);
  EXPECT_EQ(Text(), L"");
}

TEST_F(RichEdit, RemovingTheLeadingTextTakesItsLinksAndMovesTheOthers) {
  edit.AppendText("One ", RGB(0, 0, 0));
  edit.AppendLink(CString("first"), CString("http://one.example/"));  // 4-9
  edit.AppendText(" two ", RGB(0, 0, 0));
  edit.AppendLink(L"\x70B9\x51FB", CString("http://two.example/"));  // 14-16
  edit.AppendLink(CString("last"), CString("http://three.example/"));  // 16-20
  edit.SetSel(15, 18);
  edit.RemoveLeading(14);
  EXPECT_EQ(Text(), L"\x70B9\x51FBlast");
  ASSERT_EQ(edit.GetLinkCount(), 2);
  const LONG ranges[][2] = {{0, 2}, {2, 6}};
  const char* urls[] = {"http://two.example/", "http://three.example/"};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(edit.GetLink(i).cpMin, ranges[i][0]) << i;
    EXPECT_EQ(edit.GetLink(i).cpMax, ranges[i][1]) << i;
    EXPECT_EQ(std::string(edit.GetLink(i).url), urls[i]) << i;
  }
  EXPECT_EQ(Sel().cpMin, 1);  // the selection stays on its text
  EXPECT_EQ(Sel().cpMax, 4);
  for (int i = 0; i < 2; ++i) {
    CHARFORMAT2A cf = FormatOf(ranges[i][0], ranges[i][1]);
    EXPECT_TRUE((cf.dwMask & CFM_LINK) && (cf.dwEffects & CFE_LINK)) << i;
  }
  // A cut inside a link takes that link too; nothing to cut changes nothing.
  edit.RemoveLeading(1);
  EXPECT_EQ(Text(), L"\x51FBlast");
  ASSERT_EQ(edit.GetLinkCount(), 1);
  EXPECT_EQ(edit.GetLink(0).cpMin, 1);
  edit.RemoveLeading(0);
  EXPECT_EQ(Text(), L"\x51FBlast");
  EXPECT_EQ(edit.TextLength16(), 5);
}

TEST_F(RichEdit, ALinkOpensItsOwnAddressByRangeOrElseItsText) {
  edit.AppendLink(CString("site"), CString("http://one.example/"));
  edit.AppendText(" ", RGB(0, 0, 0));
  edit.AppendLink(CString("site"), CString("http://two.example/"));
  edit.AppendText(" www.plain.example", RGB(0, 0, 0));
  edit.SetSel(2, 2);
  struct Case {
    UINT msg;
    LONG from, to;
    std::vector<std::string> opened;
  } cases[] = {
      {WM_LBUTTONUP, 5, 9, {"http://two.example/"}},  // same text, its own address
      {WM_LBUTTONUP, 0, 4, {"http://one.example/"}},
      {WM_LBUTTONUP, 10, 28, {"http://www.plain.example"}},  // no record: the text, a web address
      {WM_LBUTTONUP, 0, 3, {}},  // not a stored range exactly: "sit" is no address
      {WM_LBUTTONUP, 4, 4, {}},                        // an empty range opens nothing
      {WM_LBUTTONDOWN, 0, 4, {}},                      // only the button's release counts
      {WM_MOUSEMOVE, 5, 9, {}},
  };
  for (const Case& c : cases) {
    g_opened.clear();
    parent.seen.clear();
    Link(c.msg, c.from, c.to);
    EXPECT_EQ(g_opened, c.opened) << c.from << "-" << c.to;
    EXPECT_TRUE(parent.seen.empty());  // claimed by the control
    EXPECT_EQ(Sel().cpMin, 2);
    EXPECT_EQ(Sel().cpMax, 2);
  }
}

// What a click opens goes by what the address is, the same rule as the framework side's
// links: web and mail addresses only, whether the control detected the text or the address
// was stored with the link.
TEST_F(RichEdit, OnlyWebAndMailAddressesOpenAtAClick) {
  struct Case {
    const char* text;
    std::vector<std::string> opened;
  } const cases[] = {
      {"http://one.example/", {"http://one.example/"}},
      {"HTTPS://two.example/a", {"HTTPS://two.example/a"}},
      {"ftp://files.example/a.zip", {"ftp://files.example/a.zip"}},
      {"WWW.plain.example", {"http://WWW.plain.example"}},
      {"mailto:ann@x.org", {"mailto:ann@x.org"}},
      {"file:///C:/windows/notepad.exe", {}},
      {"FILE:C:/tools/run.bat", {}},
      {"C:\\windows\\notepad.exe", {}},
      {"c:/windows/notepad.exe", {}},
      {"\\\\server\\share\\x.exe", {}},
      {"notepad.exe", {}},
      {"shell:startup", {}},
      {"javascript:alert(1)", {}},
      {"http:///C:/x.exe", {}},
      {" http://one.example/", {}},
  };
  for (const Case& c : cases) {
    for (bool stored : {false, true}) {
      SCOPED_TRACE(std::string(c.text) + (stored ? " stored" : " detected"));
      edit.Clear();
      if (stored)
        edit.AppendLink(CString("here"), CString(c.text));
      else
        edit.AppendText(c.text, RGB(0, 0, 0));
      g_opened.clear();
      Link(WM_LBUTTONUP, 0, stored ? 4 : static_cast<LONG>(strlen(c.text)));
      EXPECT_EQ(g_opened, c.opened);
    }
  }
}

TEST_F(RichEdit, CtrlEnterNeverReachesTheParentEnterDoes) {
  BYTE keys[256];
  GetKeyboardState(keys);
  struct Case {
    UINT msg;
    WPARAM key;
    bool ctrl;
    bool parentSees;
  } cases[] = {
      {WM_KEYDOWN, VK_RETURN, true, false}, {WM_KEYUP, VK_RETURN, true, false},
      {WM_KEYDOWN, VK_RETURN, false, true}, {WM_KEYDOWN, 'A', true, true},
      {WM_CHAR, VK_RETURN, true, true},
  };
  for (const Case& c : cases) {
    BYTE state[256];
    memcpy(state, keys, sizeof(state));
    state[VK_CONTROL] = c.ctrl ? 0x80 : 0;
    SetKeyboardState(state);
    MSGFILTER mf = {};
    mf.nmhdr.hwndFrom = edit.m_hWnd;
    mf.nmhdr.idFrom = kEditId;
    mf.nmhdr.code = EN_MSGFILTER;
    mf.msg = c.msg;
    mf.wParam = c.key;
    parent.seen.clear();
    parent.SendMessage(WM_NOTIFY, kEditId, reinterpret_cast<LPARAM>(&mf));
    EXPECT_EQ(!parent.seen.empty(), c.parentSees) << c.msg << " " << c.key << " " << c.ctrl;
  }
  SetKeyboardState(keys);
}

TEST_F(RichEdit, EffectsToggleOnAConsistentSelectionAndAreSetOnAMixedOne) {
  edit.AppendText("bold plain", RGB(0, 0, 0));
  CHARFORMAT plain = {};
  plain.cbSize = sizeof(plain);
  plain.dwMask = CFM_BOLD | CFM_FACE;
  lstrcpyA(plain.szFaceName, "Arial");  // the control's default, System, is bold
  edit.SetSel(0, -1);
  edit.SetCharFormat(plain);
  CheckProbe probe;
  edit.SetSel(0, 4);
  edit.OnCharEffect(CFM_BOLD, CFE_BOLD);
  EXPECT_TRUE(FormatOf(0, 4).dwEffects & CFE_BOLD);
  edit.SetSel(0, 4);
  edit.OnUpdateCharEffect(&probe, CFM_BOLD, CFE_BOLD);
  EXPECT_EQ(probe.check, 1);
  edit.SetSel(0, 10);  // part bold
  edit.OnUpdateCharEffect(&probe, CFM_BOLD, CFE_BOLD);
  EXPECT_EQ(probe.check, 2);
  edit.OnCharEffect(CFM_BOLD, CFE_BOLD);  // mixed: set everywhere
  CHARFORMAT2A all = FormatOf(0, 10);
  EXPECT_TRUE((all.dwMask & CFM_BOLD) && (all.dwEffects & CFE_BOLD));
  edit.SetSel(0, 10);
  edit.OnCharEffect(CFM_BOLD, CFE_BOLD);  // consistent: toggled off
  edit.OnUpdateCharEffect(&probe, CFM_BOLD, CFE_BOLD);
  EXPECT_EQ(probe.check, 0);

  edit.SetSel(5, 10);
  edit.SetTextColor(RGB(0, 0, 180));
  EXPECT_EQ(FormatOf(5, 10).crTextColor, RGB(0, 0, 180));
  EXPECT_EQ(edit.GetCharFormatSelection().crTextColor, RGB(0, 0, 180));

  EXPECT_TRUE(edit.IsParaFormatSynced());
  PARAFORMAT& pf = edit.GetParaFormatSelection();
  EXPECT_FALSE(edit.IsParaFormatSynced());
  pf.dwMask = PFM_ALIGNMENT;
  pf.wAlignment = PFA_CENTER;
  edit.SetParaFormat(pf);
  EXPECT_TRUE(edit.IsParaFormatSynced());
  EXPECT_EQ(edit.GetParaFormatSelection().wAlignment, PFA_CENTER);
}

// The font command's dialog, ended from a timer inside its modal loop.
int g_fontDialogs = 0;
UINT g_answer = IDOK;
void CALLBACK EndFontDialog(HWND, UINT, UINT_PTR id, DWORD) {
  // Known by its face-name box among this thread's windows: the first dialog of the desktop
  // may be another program's, as long as that one stays.
  HWND d = testing_support::ThreadWindowWithControl(cmb1);
  if (d == NULL) return;
  ++g_fontDialogs;
  KillTimer(NULL, id);
  PostMessageA(d, WM_COMMAND, g_answer, 0);
}

TEST_F(RichEdit, TheFontCommandAppliesTheChosenFontToTheSelection) {
  edit.AppendText("some text", RGB(0, 0, 0));
  edit.SetSel(0, 4);
  CHARFORMAT cf = {};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD;
  cf.dwEffects = 0;
  cf.yHeight = 12 * 20;
  lstrcpyA(cf.szFaceName, "Arial");
  edit.SetCharFormat(cf);
  for (UINT answer : {IDCANCEL, IDOK}) {
    g_answer = answer;
    g_fontDialogs = 0;
    UINT_PTR timer = SetTimer(NULL, 0, 10, &EndFontDialog);
    edit.SetSel(0, 4);
    edit.SendMessage(WM_COMMAND, 57696, 0);
    KillTimer(NULL, timer);
    EXPECT_EQ(g_fontDialogs, 1);
    CHARFORMAT2A now = FormatOf(0, 4);
    EXPECT_STREQ(now.szFaceName, "Arial") << answer;
    EXPECT_EQ(now.yHeight, 12 * 20) << answer;
  }
}

TEST_F(RichEdit, TheOleCallbackGivesStoragesAndRefusesData) {
  EXPECT_TRUE(edit.InitOle());
  IRichEditOleCallback* cb = NULL;
  ASSERT_EQ(edit.ExternalQueryInterface(&IID_IRichEditOleCallback, reinterpret_cast<void**>(&cb)), S_OK);
  IStorage* storage = NULL;
  EXPECT_EQ(cb->GetNewStorage(&storage), S_OK);
  ASSERT_NE(storage, nullptr);
  IStream* stream = NULL;
  EXPECT_EQ(storage->CreateStream(L"x", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream), S_OK);
  if (stream) stream->Release();
  EXPECT_EQ(storage->Release(), 0u);
  EXPECT_EQ(cb->GetNewStorage(NULL), E_INVALIDARG);
  EXPECT_EQ(cb->QueryAcceptData(NULL, NULL, 0, FALSE, NULL), S_FALSE);
  EXPECT_EQ(cb->QueryInsertObject(NULL, NULL, 0), S_OK);
  EXPECT_EQ(cb->DeleteObject(NULL), S_OK);
  HMENU menu = NULL;
  EXPECT_EQ(cb->GetContextMenu(0, NULL, NULL, &menu), E_NOTIMPL);
  EXPECT_EQ(cb->ShowContainerUI(TRUE), E_NOTIMPL);
  cb->Release();
}

}  // namespace
