// The links of a text: finding them, the displayed text, and the link under a point.
#include "UILinks.h"

#include "LinkScanner.h"

#include <cwchar>
#include <new>

namespace {
thread_local long long t_scanWork = 0;
}  // namespace

long long UILinkScanWork() { return t_scanWork; }

QvLinkDef::QvLinkDef() = default;
QvLinkDef::~QvLinkDef() = default;

CArrayLinkDefs::CArrayLinkDefs() = default;

CArrayLinkDefs::~CArrayLinkDefs() {
  RemoveAll();
}

int CArrayLinkDefs::Add(QvLinkDef* link) {
  m_links.push_back(link);
  return GetSize() - 1;
}

QvLinkDef* CArrayLinkDefs::GetAt(int index) const {
  return index >= 0 && index < GetSize() ? m_links[static_cast<size_t>(index)] : NULL;
}

void CArrayLinkDefs::RemoveAll() {
  for (QvLinkDef* link : m_links) delete link;
  m_links.clear();
}

bool CArrayLinkDefs::LocateLinksInString(const wchar_t* text, int& length) {
  if (text == NULL) return GetSize() > 0;
  if (length < 0) length = static_cast<int>(std::wcslen(text));
  quarnel::LinkScanner scanner(text, length);
  quarnel::FoundLink found;
  for (;;) {
    try {
      if (!scanner.Next(found)) break;
      QvLinkDef* link = new QvLinkDef;
      link->m_nStart = found.start;
      link->m_nEnd = link->m_nSourceEnd = found.sourceEnd;
      link->m_nKind = found.kind;
      link->m_caption.swap(found.caption);
      link->m_target.swap(found.target);
      try {
        Add(link);
      } catch (...) {
        delete link;
        throw;
      }
    } catch (const std::bad_alloc&) {
      // The link is dropped; the scan goes on.
    }
  }
  t_scanWork += scanner.Work();
  return GetSize() > 0;
}

wchar_t* CArrayLinkDefs::ReplaceLinks(const wchar_t* text, int length) {
  if (text == NULL || length < 0) return NULL;
  size_t size = static_cast<size_t>(length);  // enough: captions are added, sources only taken away
  for (const QvLinkDef* link : m_links) size += link->m_caption.size();
  wchar_t* shown = new (std::nothrow) wchar_t[size + 1];
  if (shown == NULL) return NULL;
  int from = 0, out = 0;
  for (QvLinkDef* link : m_links) {
    const int start = link->m_nStart, end = link->m_nSourceEnd;
    if (start < from || end > length || start > end) continue;  // not a link of this text
    std::wmemcpy(shown + out, text + from, static_cast<size_t>(start - from));
    out += start - from;
    link->m_nStart = out;
    std::wmemcpy(shown + out, link->m_caption.data(), link->m_caption.size());
    out += static_cast<int>(link->m_caption.size());
    link->m_nEnd = out;
    from = end;
  }
  std::wmemcpy(shown + out, text + from, static_cast<size_t>(length - from));
  out += length - from;
  shown[out] = 0;
  return shown;
}

QvLinkDef* CArrayLinkDefs::LocateLink(POINT point, POINT offset, RECT* rect) const {
  for (auto link = m_links.rbegin(); link != m_links.rend(); ++link) {
    for (auto r = (*link)->m_rects.rbegin(); r != (*link)->m_rects.rend(); ++r) {
      RECT moved = *r;
      ::OffsetRect(&moved, offset.x, offset.y);
      if (!::PtInRect(&moved, point)) continue;
      if (rect != NULL) *rect = *r;
      return *link;
    }
  }
  return NULL;
}
