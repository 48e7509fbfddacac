// The tile control's dump: its interaction level, or its masters and facets, written to a
// framework dump context.
#include "TileControl.h"

#include <framework.h>
#include <fw_dump.h>

#include <string>

namespace {

// Writes lines at an indent level: every line end is followed by the indent of the level.
class DumpWriter {
 public:
  DumpWriter(const TC_DUMPRECORD& record)
      : m_dc(*record.context), m_eol(record.crlf ? "\r\n" : "\n"), m_level(record.level),
        m_spaces(record.spaces > 0 ? record.spaces : 0) {}
  DumpWriter& operator<<(const char* text) {
    m_dc << text;
    return *this;
  }
  DumpWriter& operator<<(const CString& text) {
    m_dc << static_cast<LPCTSTR>(text);
    return *this;
  }
  DumpWriter& operator<<(int n) {
    m_dc << n;
    return *this;
  }
  void EndLine() {
    m_dc << m_eol;
    if (m_level > 0 && m_spaces > 0) m_dc << std::string(static_cast<size_t>(m_level) * m_spaces, ' ').c_str();
  }
  void Deeper() { ++m_level; }
  void Shallower() { --m_level; }

 private:
  CDumpContext& m_dc;
  const char* m_eol;
  int m_level;
  int m_spaces;
};

void WriteRect(DumpWriter& out, const RECT& r) {
  out << static_cast<int>(r.left) << ", " << static_cast<int>(r.top) << ", " << static_cast<int>(r.right) << ", "
      << static_cast<int>(r.bottom);
}

void WriteBitmap(DumpWriter& out, const char* label, HBITMAP bitmap, int owns) {
  out << label << (bitmap != NULL ? 1 : 0);
  if (bitmap != NULL) out << (owns ? " (owns it)" : " (doesn't own it)");
}

}  // namespace

void TileControl::Dump(const TC_DUMPRECORD* record, int stylesOnly) const {
  if (record == NULL || record->context == NULL) return;
  DumpWriter out(*record);
  if (stylesOnly) {
    // The set bits by name, joined by " | ".
    out << "Styles = ";
    if (m_interaction == TCFI_ALLOWNONE) {
      out << "TCFI_ALLOWNONE";
    } else if (m_interaction == TCFI_ALLOWALL) {
      out << "TCFI_ALLOWALL";
    } else {
      static const struct {
        DWORD bit;
        const char* name;
      } kNames[] = {{TCFI_ALLOWMASTERCHANGE, "TCFI_ALLOWMASTERCHANGE"},
                    {TCFI_ALLOWFACETCHANGE, "TCFI_ALLOWFACETCHANGE"},
                    {TCFI_ALLOWMANIPULATION, "TCFI_ALLOWMANIPULATION"}};
      bool first = true;
      for (const auto& n : kNames) {
        if (!(m_interaction & n.bit)) continue;
        if (!first) out << " | ";
        out << n.name;
        first = false;
      }
    }
    out.EndLine();
    return;
  }
  // Each line after the first starts with a line end and the indent of its level.
  out << "*** Dumping control ***";
  out.EndLine();
  out << "Has active object = " << (ActiveObject() != NULL ? 1 : 0);
  out.EndLine();
  out << "Max # of masters = " << m_maxCount;
  out.EndLine();
  out << "Current # of masters = " << m_count;
  out.EndLine();
  out << "Active master = " << m_active;
  out.EndLine();
  out << "Focused master = " << m_hotMaster;
  out.EndLine();
  out << "Client area = ";
  WriteRect(out, m_clientArea);
  out.Deeper();
  out.EndLine();
  out << "*** Dumping master tiles ***";
  for (int i = 0; m_masters != NULL && i < m_count; ++i) {
    const MasterTile& master = m_masters[i];
    out.EndLine();
    out << "->Master tile#" << i << (i == m_active ? " [Active]" : "");
    out.EndLine();
    int owns = 0;
    HBITMAP bitmap = master.GetBitmap(NULL, &owns);
    WriteBitmap(out, "Has master bitmap = ", bitmap, owns);
    out.EndLine();
    out << "Master rect = ";
    WriteRect(out, MasterRect(i));
    out.EndLine();
    out << "Max # of facets = " << master.GetMaxCount();
    out.EndLine();
    out << "Current # of facets = " << master.GetCount();
    out.EndLine();
    out << "Active facet = " << master.GetActiveTile();
    out.Deeper();
    out.EndLine();
    out << "*** Dumping facets ***";
    for (int j = 0; j < master.GetCount(); ++j) {
      const Tile* facet = master.TileAt(j);
      out.EndLine();
      out << "->Facet#" << j << (j == master.GetActiveTile() ? " [Active]" : "");
      out.EndLine();
      out << "Facet caption = " << facet->GetCaption();
      out.EndLine();
      int facetOwns = 0;
      HBITMAP facetBitmap = facet->GetBitmap(NULL, &facetOwns);
      WriteBitmap(out, "Has facet bitmap = ", facetBitmap, facetOwns);
    }
    out.Shallower();
  }
  out.Shallower();
  out.EndLine();
}
