// Links in text: finding anchors and bare addresses, the displayed text, the link under a
// point, the anchor colours, the link font, and opening through the replaceable opener.
#include <gtest/gtest.h>

#include <UILinks.h>

#include <dib_canvas.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

struct Found {
  std::wstring caption, target;
  int kind;
};

std::vector<Found> Find(const std::wstring& text) {
  CArrayLinkDefs links;
  int length = static_cast<int>(text.size());
  links.LocateLinksInString(text.c_str(), length);
  std::vector<Found> out;
  for (int i = 0; i < links.GetSize(); ++i)
    out.push_back({links.GetAt(i)->m_caption, links.GetAt(i)->m_target, links.GetAt(i)->m_nKind});
  return out;
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

struct FindCase {
  const wchar_t* text;
  std::vector<Found> links;
};

TEST(LinkFinding, TextsAndTheirLinks) {
  const FindCase cases[] = {
      // Bare addresses.
      {L"no links here. none at all", {}},
      {L"see www.example.com today", {{L"www.example.com", L"http://www.example.com", 1}}},
      {L"FTP.example.org", {{L"FTP.example.org", L"ftp://FTP.example.org", 1}}},
      {L"mail john.doe@example.com now", {{L"john.doe@example.com", L"mailto:john.doe@example.com", 1}}},
      {L"mailto:ann@example.com", {{L"mailto:ann@example.com", L"mailto:ann@example.com", 1}}},
      {L"go https://a.b/c?d=1\tthen", {{L"https://a.b/c?d=1", L"https://a.b/c?d=1", 1}}},
      {L"file://C:/My%20Docs/a.txt", {{L"file://C:/My Docs/a.txt", L"file://C:/My%20Docs/a.txt", 1}}},
      {L"qv://report/7 and vba://macro", {{L"qv://report/7", L"qv://report/7", 2}, {L"vba://macro", L"vba://macro", 1}}},
      {L"time 10:30 is not a link", {}},
      {L"@home is not one either", {}},
      {L"xhttp://a.b", {{L"http://a.b", L"http://a.b", 1}}},
      // An angle bracket later in the text leaves addresses before it alone.
      {L"www.a.com then 1 < 2 and 3 > 2", {{L"www.a.com", L"http://www.a.com", 1}}},
      {L"<www.a.com>", {{L"www.a.com", L"http://www.a.com", 1}}},
      // Anchors.
      {L"<a href=\"www.x.com\">X site</a>", {{L"X site", L"http://www.x.com", 1}}},
      {L"<A  HREF=\"http://x.y/a b\">cap</A> tail", {{L"cap", L"http://x.y/a%20b", 1}}},
      {L"<a href=\"qv://doc/1\">doc</a>", {{L"doc", L"qv://doc/1", 2}}},
      {L"<a\nhref=\"a@b.c\">mail</a>", {{L"mail", L"mailto:a@b.c", 1}}},
      {L"<a href=\"notes.txt\">n</a>", {{L"n", L"file://notes.txt", 1}}},
      {L"<a href=\"www.x.com\"><b>bold</b></a>", {{L"<b>bold</b>", L"http://www.x.com", 1}}},
      // Nested: the inner end closes the outer anchor; the text after it is plain.
      {L"<a href=\"www.a.com\">out <a href=\"www.b.com\">in</a> rest</a>",
       {{L"out <a href=\"www.b.com\">in", L"http://www.a.com", 1}}},
      // Unbalanced: no closing quote, no '>', no end: no anchor, addresses still found.
      {L"<a href=\"www.a.com", {{L"www.a.com", L"http://www.a.com", 1}}},
      {L"<a href=\"x\" never closed www.b.com", {{L"www.b.com", L"http://www.b.com", 1}}},
      {L"<a href=\"x\">caption without end", {}},
      {L"<a href=", {}},
      {L"<", {}},
      {L"<a", {}},
      {L"<abbr>www.c.com</abbr>", {{L"www.c.com", L"http://www.c.com", 1}}},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    const std::vector<Found> got = Find(c.text);
    ASSERT_EQ(got.size(), c.links.size());
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(Narrow(got[i].caption), Narrow(c.links[i].caption));
      EXPECT_EQ(Narrow(got[i].target), Narrow(c.links[i].target));
      EXPECT_EQ(got[i].kind, c.links[i].kind);
    }
  }
}

TEST(LinkFinding, NoLinksAnswersFalseAndNegativeLengthMeansToTheEnd) {
  CArrayLinkDefs links;
  int length = -1;
  EXPECT_FALSE(links.LocateLinksInString(L"plain words", length));
  EXPECT_EQ(length, 11);
  EXPECT_EQ(links.GetSize(), 0);
  length = 4;  // only "see " of the text is looked at
  EXPECT_FALSE(links.LocateLinksInString(L"see www.a.com", length));
}

// The work of finding links grows with the text only, whatever brackets and half-made
// anchors it holds.
TEST(LinkFinding, WorkIsLinearInTheLength) {
  const std::wstring pieces[] = {L"a < b > c ", L"<a href=\"", L"\"", L"x@", L"word:", L"www.", L"<a "};
  for (const std::wstring& piece : pieces) {
    SCOPED_TRACE(Narrow(piece));
    long long work[2];
    for (int k = 0; k < 2; ++k) {
      std::wstring text;
      const size_t n = k == 0 ? 20000 : 80000;
      while (text.size() < n) text += piece;
      CArrayLinkDefs links;
      int length = static_cast<int>(text.size());
      const long long before = UILinkScanWork();
      links.LocateLinksInString(text.c_str(), length);
      work[k] = UILinkScanWork() - before;
      EXPECT_LE(work[k], 20LL * length);
    }
    EXPECT_LE(work[1], 5 * work[0]);  // four times the text: about four times the work
  }
}

TEST(LinkDisplay, CaptionsReplaceSourcesAndPositionsFollow) {
  const std::wstring text = L"A <a href=\"www.x.com\">site</a> and mail b@c.de end";
  CArrayLinkDefs links;
  int length = static_cast<int>(text.size());
  ASSERT_TRUE(links.LocateLinksInString(text.c_str(), length));
  ASSERT_EQ(links.GetSize(), 2);
  wchar_t* shown = links.ReplaceLinks(text.c_str(), length);
  ASSERT_NE(shown, nullptr);
  const std::wstring s(shown);
  delete[] shown;
  EXPECT_EQ(Narrow(s), "A site and mail b@c.de end");
  for (int i = 0; i < links.GetSize(); ++i) {
    const QvLinkDef* l = links.GetAt(i);
    EXPECT_EQ(Narrow(s.substr(static_cast<size_t>(l->m_nStart), static_cast<size_t>(l->m_nEnd - l->m_nStart))),
              Narrow(l->m_caption));
  }
}

TEST(LinkDisplay, LocateLinkSearchesFromTheLastRectangleBack) {
  CArrayLinkDefs links;
  QvLinkDef* first = new QvLinkDef;
  first->AddRect({0, 0, 50, 10});
  first->AddRect({0, 10, 20, 20});
  QvLinkDef* second = new QvLinkDef;
  second->AddRect({40, 5, 90, 15});  // overlaps the first's first rectangle
  links.Add(first);
  links.Add(second);
  RECT r = {};
  EXPECT_EQ(links.LocateLink({45, 7}, {0, 0}, &r), second);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(links.LocateLink({5, 15}, {0, 0}, &r), first);
  EXPECT_EQ(r.top, 10);
  EXPECT_EQ(links.LocateLink({105, 7}, {100, 0}, nullptr), first);  // rectangles moved by the offset
  EXPECT_EQ(links.LocateLink({95, 30}, {0, 0}, &r), nullptr);
}

TEST(LinkLooks, AnchorColourSettings) {
  struct Case {
    const wchar_t* text;
    BOOL ok;
    COLORREF color;
  } cases[] = {
      {L"0,0,255", TRUE, RGB(0, 0, 255)},
      {L" 128 , 0 ,128", TRUE, RGB(128, 0, 128)},
      {L"300,999999999999,256", TRUE, RGB(255, 255, 255)},  // too large components are clamped
      {L"1,2", FALSE, 0},
      {L"1,2,3,4", FALSE, 0},
      {L"-1,2,3", FALSE, 0},
      {L"a,b,c", FALSE, 0},
      {L"", FALSE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    COLORREF color = 0x123456;
    EXPECT_EQ(UIParseAnchorColor(c.text, &color), c.ok);
    EXPECT_EQ(color, c.ok ? c.color : 0x123456u);
  }
}

TEST(LinkLooks, LinkFontIsAnUnderlinedCopyInTheLinkColour) {
  testing_support::DibCanvas canvas(20, 20);
  HFONT plain = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  HGDIOBJ original = SelectObject(canvas.dc(), plain);
  CArrayLinkDefs links;
  QvLinkDef fresh, seen;
  fresh.m_target = L"http://fresh.example/";
  seen.m_target = L"HTTP://SEEN.example/";
  UIAddVisitedLink(L"http://seen.example/");
  EXPECT_EQ(links.SelectLinkFont(canvas.dc(), fresh), plain);
  LOGFONTW lf = {};
  GetObjectW(GetCurrentObject(canvas.dc(), OBJ_FONT), sizeof lf, &lf);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_EQ(GetTextColor(canvas.dc()), UIGetLinkColor(FALSE));
  HFONT underlined = static_cast<HFONT>(GetCurrentObject(canvas.dc(), OBJ_FONT));
  // Already underlined: kept as it is; the visited colour for a visited target.
  EXPECT_EQ(links.SelectLinkFont(canvas.dc(), seen), underlined);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), underlined);
  EXPECT_EQ(GetTextColor(canvas.dc()), UIGetLinkColor(TRUE));
  SelectObject(canvas.dc(), plain);
  links.SelectLinkFont(canvas.dc(), fresh);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), underlined);  // made once for the same font
  SelectObject(canvas.dc(), original);
  DeleteObject(plain);
}

// The opener and the consent of the tests record what reaches them.
std::vector<std::wstring> g_opened, g_fallbacks, g_asked;
BOOL g_consent = FALSE;
BOOL RecordOpen(const wchar_t* target, const wchar_t* fallback) {
  g_opened.push_back(target);
  g_fallbacks.push_back(fallback);
  return TRUE;
}
BOOL RecordConsent(const wchar_t* target) {
  g_asked.push_back(target);
  return g_consent;
}

class LinkOpening : public testing::Test {
 protected:
  void SetUp() override {
    g_opened.clear();
    g_fallbacks.clear();
    g_asked.clear();
    m_opener = UISetLinkOpener(RecordOpen);
    m_consent = UISetLocalLinkConsent(RecordConsent);
  }
  void TearDown() override {
    UISetLinkOpener(m_opener);
    UISetLocalLinkConsent(m_consent);
  }
  static QvLinkDef Link(const wchar_t* target, int kind = QvLinkDef::kOrdinary) {
    QvLinkDef l;
    l.m_target = target;
    l.m_nKind = kind;
    return l;
  }
  UILinkOpener m_opener = nullptr;
  UILocalLinkConsent m_consent = nullptr;
};

TEST_F(LinkOpening, OrdinaryLinksOpenAndAreVisited) {
  EXPECT_TRUE(CArrayLinkDefs::OpenLink(Link(L"http://open.example/a")));
  ASSERT_EQ(g_opened.size(), 1u);
  EXPECT_EQ(Narrow(g_opened[0]), "http://open.example/a");
  EXPECT_TRUE(UIIsLinkVisited(L"HTTP://OPEN.EXAMPLE/A"));
  EXPECT_TRUE(g_asked.empty());
  EXPECT_FALSE(CArrayLinkDefs::OpenLink(Link(L"qv://doc/1", QvLinkDef::kInternal)));
  EXPECT_FALSE(CArrayLinkDefs::OpenLink(Link(L"")));
  EXPECT_EQ(g_opened.size(), 1u);
}

TEST_F(LinkOpening, LocalFilesOpenOnlyWithConsent) {
  g_consent = FALSE;
  EXPECT_FALSE(CArrayLinkDefs::OpenLink(Link(L"FILE://C:/My%20Docs/x.bat")));
  ASSERT_EQ(g_asked.size(), 1u);
  EXPECT_EQ(Narrow(g_asked[0]), "FILE://C:/My Docs/x.bat");
  EXPECT_TRUE(g_opened.empty());
  g_consent = TRUE;
  EXPECT_TRUE(CArrayLinkDefs::OpenLink(Link(L"file://C:/My%20Docs/x.bat")));
  ASSERT_EQ(g_opened.size(), 1u);
  EXPECT_EQ(Narrow(g_opened[0]), "file://C:/My Docs/x.bat");
}

// Consent goes by what the target is, whatever its spelling: each text holds one link as a
// host's document would write it (an anchor or a bare address); with the consent refused,
// only web and mail addresses reach the opener.
TEST_F(LinkOpening, OnlyWebAndMailAddressesOpenWithoutConsent) {
  struct Case {
    const wchar_t* text;
    bool opensFreely;
  } const cases[] = {
      {L"<a href=\"http://example.org/a\">web</a>", true},
      {L"<a href=\"HTTPS://Example.org/\">web</a>", true},
      {L"see www.example.org today", true},
      {L"FTP.example.org", true},
      {L"ftp://files.example.org/a.zip", true},
      {L"<a href=\"mailto:ann@example.org\">mail</a>", true},
      {L"write to ann@example.org", true},
      {L"<a href=\"C:\\Windows\\System32\\calc.exe\">calc</a>", false},
      {L"<a href=\"c:/windows/notepad.exe\">pad</a>", false},
      {L"<a href=\"file:C:/tools/run.bat\">bat</a>", false},
      {L"<a href=\"FILE:///C:/windows/notepad.exe\">pad</a>", false},
      {L"<a href=\"File://server/share/x.exe\">x</a>", false},
      {L"<a href=\"file:/C:/x.exe\">x</a>", false},
      {L"<a href=\"\\\\server\\share\\x.exe\">unc</a>", false},
      {L"<a href=\"//server/share/x.exe\">unc</a>", false},
      {L"<a href=\"calc.exe\">calc</a>", false},
      {L"<a href=\"cmd.exe /c:x\">cmd</a>", false},
      {L"<a href=\"shell:startup\">s</a>", false},
      {L"<a href=\"javascript:alert(1)\">js</a>", false},
      {L"<a href=\"search-ms:query=x\">q</a>", false},
      {L"telnet://host.example.org", false},
      {L"vba://macro", false},
      {L"<a href=\"http:///C:/x.exe\">x</a>", false},
      {L"<a href=\"http:\\\\server\\x.exe\">x</a>", false},
      {L"<a href=\" http://example.org\">blank first</a>", false},
      {L"<a href=\"mailto:\">empty mail</a>", false},
  };
  g_consent = FALSE;
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    g_opened.clear();
    g_asked.clear();
    CArrayLinkDefs links;
    int length = -1;
    ASSERT_TRUE(links.LocateLinksInString(c.text, length));
    ASSERT_EQ(links.GetSize(), 1);
    ASSERT_EQ(links.GetAt(0)->m_nKind, QvLinkDef::kOrdinary);
    EXPECT_EQ(CArrayLinkDefs::OpenLink(*links.GetAt(0)), c.opensFreely ? TRUE : FALSE);
    EXPECT_EQ(g_opened.size(), c.opensFreely ? 1u : 0u);
    EXPECT_EQ(g_asked.size(), c.opensFreely ? 0u : 1u);  // refused after asking
  }
  // With consent the others open too, the question naming what opens.
  g_consent = TRUE;
  g_opened.clear();
  g_asked.clear();
  EXPECT_TRUE(CArrayLinkDefs::OpenLink(Link(L"C:\\Windows\\System32\\calc.exe")));
  ASSERT_EQ(g_asked.size(), 1u);
  EXPECT_EQ(Narrow(g_asked[0]), "C:\\Windows\\System32\\calc.exe");
  EXPECT_EQ(g_opened, g_asked);
}

// A browser registered for ".htm" pages for the test's run: the previous registration comes
// back at the end.
class RegisteredBrowser {
 public:
  explicit RegisteredBrowser(const wchar_t* command) {
    HKEY key = NULL;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, L".htm", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS) return;
    DWORD bytes = sizeof m_previous - sizeof(wchar_t);
    m_hadPrevious = RegQueryValueExW(key, NULL, NULL, NULL, reinterpret_cast<BYTE*>(m_previous), &bytes) == ERROR_SUCCESS;
    SetDefault(key, L"QuarnelLinksTestPage");
    RegCloseKey(key);
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, L"QuarnelLinksTestPage\\shell\\open\\command", 0, NULL, 0, KEY_ALL_ACCESS,
                        NULL, &key, NULL) != ERROR_SUCCESS)
      return;
    SetDefault(key, command);
    RegCloseKey(key);
    m_ok = true;
  }
  ~RegisteredBrowser() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"QuarnelLinksTestPage");
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L".htm", 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    if (m_hadPrevious)
      SetDefault(key, m_previous);
    else
      RegDeleteValueW(key, NULL);
    RegCloseKey(key);
  }
  bool ok() const { return m_ok; }

 private:
  static void SetDefault(HKEY key, const wchar_t* value) {
    RegSetValueExW(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
  }
  wchar_t m_previous[512] = {};
  bool m_hadPrevious = false;
  bool m_ok = false;
};

TEST_F(LinkOpening, TheFallbackCommandGetsTheTargetAsOneQuotedArgument) {
  RegisteredBrowser browser(L"\"C:\\Web\\browse.exe\" -page \"%1\"");
  ASSERT_TRUE(browser.ok());
  EXPECT_TRUE(CArrayLinkDefs::OpenLink(Link(L"http://a.example/two words?x=\"y\"")));
  ASSERT_EQ(g_fallbacks.size(), 1u);
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(g_fallbacks[0].c_str(), &argc);
  ASSERT_NE(argv, nullptr);
  ASSERT_EQ(argc, 3);
  EXPECT_EQ(Narrow(argv[0]), "C:\\Web\\browse.exe");
  EXPECT_EQ(Narrow(argv[1]), "-page");
  EXPECT_EQ(Narrow(argv[2]), "http://a.example/two words?x=\"y\"");
  LocalFree(argv);
}

// The browser command keeps the target one argument, whatever blanks, quotes and
// backslashes it holds.
TEST(LinkCommand, TargetIsOneQuotedArgument) {
  const wchar_t* registered[] = {L"\"C:\\Web\\browse.exe\" \"%1\"", L"C:\\Web\\browse.exe %1 -new",
                                 L"\"C:\\Web\\browse.exe\""};
  const wchar_t* targets[] = {L"http://a.b/x y", L"file://C:/a \"b\" & c", L"http://x/\\\\", L"a\\\"b", L""};
  for (const wchar_t* reg : registered) {
    for (const wchar_t* target : targets) {
      SCOPED_TRACE(Narrow(std::wstring(reg) + L" | " + target));
      const std::wstring command = UIBuildLinkCommand(reg, target);
      int argc = 0;
      LPWSTR* argv = CommandLineToArgvW(command.c_str(), &argc);
      ASSERT_NE(argv, nullptr);
      ASSERT_EQ(argc, 2);
      EXPECT_EQ(Narrow(argv[0]), "C:\\Web\\browse.exe");
      EXPECT_EQ(Narrow(argv[1]), Narrow(target));
      LocalFree(argv);
    }
  }
}

}  // namespace
