// Links in text: HTML-style anchors written into a text and bare addresses, found, shown by
// their captions, located under the mouse, drawn in the browser's anchor colours and opened.
#pragma once
#include "quarnel_api.h"
#include "UIHandles.h"

#include <string>
#include <vector>

// One link of a text.
class QUARNEL_API QvLinkDef {
 public:
  enum { kOrdinary = 1, kInternal = 2 };  // opened through the shell / a "qv://" target left to the host

  QvLinkDef();
  virtual ~QvLinkDef();

  // Where the link stands on screen; rectangles are added as it is drawn.
  void AddRect(const RECT& rect) { m_rects.push_back(rect); }
  void ClearRects() { m_rects.clear(); }

  int m_nStart = 0;       // first character (in the source text until ReplaceLinks, then displayed)
  int m_nEnd = 0;         // end in the displayed text
  int m_nSourceEnd = 0;   // end in the source text
  int m_nKind = kOrdinary;
  std::vector<RECT> m_rects;
  std::wstring m_caption;
  std::wstring m_target;
};

// The links of one text, in the order they stand.
class QUARNEL_API CArrayLinkDefs {
 public:
  CArrayLinkDefs();
  virtual ~CArrayLinkDefs();
  CArrayLinkDefs(const CArrayLinkDefs&) = delete;
  CArrayLinkDefs& operator=(const CArrayLinkDefs&) = delete;

  int Add(QvLinkDef* link);  // takes ownership; the index
  QvLinkDef* GetAt(int index) const;
  int GetSize() const { return static_cast<int>(m_links.size()); }
  virtual void RemoveAll();

  // Appends the links found in `text` (`length` characters; a negative length: up to the
  // terminating zero, and `length` is set to it). TRUE when the array holds any link.
  bool LocateLinksInString(const wchar_t* text, int& length);
  // The displayed text (new[], the caller delete[]s it): each link's source replaced by its
  // caption; the links' start and end become positions in the displayed text. NULL when
  // memory runs out.
  wchar_t* ReplaceLinks(const wchar_t* text, int length);
  // The link one of whose rectangles, moved by `offset`, holds `point`; searched from the
  // last link and rectangle back. The rectangle found goes to `rect` when given.
  QvLinkDef* LocateLink(POINT point, POINT offset, RECT* rect) const;

  // Selects an underlined form of the DC's font and the link's colour (visited or not);
  // returns the font selected before, for the caller to select back.
  HFONT SelectLinkFont(HDC dc, const QvLinkDef& link);

  // Opens an ordinary link: remembers it as visited and hands it to the link opener. Web
  // ("http://", "https://", "ftp://") and mail ("mailto:") addresses open at once; any other
  // target (a file in any spelling, a drive or network path, a program, an unknown scheme)
  // opens only when the local-link consent agrees. FALSE when not opened.
  static BOOL OpenLink(const QvLinkDef& link);

 private:
  std::vector<QvLinkDef*> m_links;
  uih::OwnedFont m_linkFont;  // the underlined font made for the last font seen
  LOGFONTW m_linkFontSource = {};
};

// What finding links costs: the characters the scanner looked at, counted across the calls
// of this thread (for checking that the work grows with the length of the text only).
QUARNEL_API long long UILinkScanWork();

// Visited links of the process, compared without regard to case.
QUARNEL_API void UIAddVisitedLink(const wchar_t* target);
QUARNEL_API BOOL UIIsLinkVisited(const wchar_t* target);

// The anchor colours (read once per process from the browser's settings).
QUARNEL_API COLORREF UIGetLinkColor(BOOL visited);
// Parses a "red,green,blue" setting; components above 255 count as 255. FALSE for text that
// is not three numbers.
QUARNEL_API BOOL UIParseAnchorColor(const wchar_t* text, COLORREF* color);

// Starts a link: `target` for the shell; when the shell refuses, `fallbackCommand` (the
// browser's command line with the target quoted, empty when none is registered) is started.
typedef BOOL (*UILinkOpener)(const wchar_t* target, const wchar_t* fallbackCommand);
// Asked before a target that is not a web or mail address is opened; TRUE lets it open.
typedef BOOL (*UILocalLinkConsent)(const wchar_t* target);
// Replace the opener or the consent (NULL: the library's own); each returns the one before.
QUARNEL_API UILinkOpener UISetLinkOpener(UILinkOpener opener);
QUARNEL_API UILocalLinkConsent UISetLocalLinkConsent(UILocalLinkConsent consent);
// The command line of a registered browser command (its "%1" cut away) with `target` as one
// quoted argument.
QUARNEL_API std::wstring UIBuildLinkCommand(const wchar_t* registeredCommand, const wchar_t* target);
