// CGridCtrl: the grid's text as a delimited text file, one line per row, lines ending in
// "\r\n". A field holding the separator, a line feed, a carriage return or a leading quote is
// quoted, its quotes doubled; the file is in the ANSI code page, or UTF-8 after a byte-order
// mark when a text has no ANSI form. Files without such fields are what a plain join of the
// texts gives.
#include <framework.h>

#include <limits.h>

#include <string>
#include <vector>

#include "GridCtrl.h"
#include "GridText.h"

namespace {

const char kUtf8Mark[] = "\xEF\xBB\xBF";

bool NeedsQuotes(const std::wstring& field, wchar_t separator) {
  if (!field.empty() && field[0] == L'"') return true;
  return field.find_first_of(std::wstring{separator, L'\n', L'\r'}) != std::wstring::npos;
}

void AppendField(std::wstring& out, const std::wstring& field, wchar_t separator) {
  if (!NeedsQuotes(field, separator)) {
    out += field;
    return;
  }
  out += L'"';
  for (wchar_t c : field) {
    if (c == L'"') out += L'"';
    out += c;
  }
  out += L'"';
}

// Splits delimited text into records of fields. Outside quotes a record ends at "\n" (with a
// "\r" before it dropped); inside quotes everything is text and "" is one quote. Empty lines
// give no record.
std::vector<std::vector<std::wstring>> ParseRecords(const std::wstring& text, wchar_t separator) {
  std::vector<std::vector<std::wstring>> records;
  std::vector<std::wstring> record;
  std::wstring field;
  bool lineHasText = false;  // the current line has a field or a separator
  const size_t n = text.size();
  size_t i = 0;
  auto endLine = [&] {
    if (lineHasText) {
      record.push_back(field);
      records.push_back(std::move(record));
    }
    record.clear();
    field.clear();
    lineHasText = false;
  };
  while (i < n) {
    const wchar_t c = text[i];
    if (c == L'"' && field.empty()) {  // a quoted field (a quote inside plain text is plain text)
      lineHasText = true;
      ++i;
      while (i < n) {
        if (text[i] == L'"') {
          if (i + 1 < n && text[i + 1] == L'"') {
            field += L'"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += text[i++];
      }
      // Whatever follows the closing quote up to the separator or the line end is kept.
      while (i < n && text[i] != separator && text[i] != L'\n' &&
             !(text[i] == L'\r' && i + 1 < n && text[i + 1] == L'\n'))
        field += text[i++];
      continue;
    }
    if (c == separator) {
      lineHasText = true;
      record.push_back(field);
      field.clear();
      ++i;
    } else if (c == L'\n') {
      endLine();
      ++i;
    } else if (c == L'\r' && i + 1 < n && text[i + 1] == L'\n') {
      ++i;
    } else {
      lineHasText = true;
      field += c;
      ++i;
    }
  }
  endLine();
  return records;
}

}  // namespace

BOOL CGridCtrl::Save(LPCTSTR strFileName, TCHAR chSeparator) {
  const wchar_t separator = grid_text::WideOf(CString(chSeparator)).c_str()[0];
  std::wstring text;
  for (int r = 0; r < m_nRows; ++r) {
    for (int c = 0; c < m_nCols; ++c) {
      const std::wstring field = grid_text::WideOf(GetItemText(r, c));
      // A one-column row whose cell is empty would be an empty line, which reads as no row.
      if (m_nCols == 1 && field.empty())
        text += L"\"\"";
      else
        AppendField(text, field, separator);
      if (c + 1 < m_nCols) text += separator;
    }
    text += L"\r\n";
  }
  std::string bytes;
#ifdef _UNICODE
  bool lossless = true;
  bytes = grid_text::BytesFrom(text, CP_ACP, &lossless);
  // ANSI text that began like the UTF-8 mark would read back as UTF-8.
  if (!lossless || bytes.compare(0, 3, kUtf8Mark) == 0) bytes = kUtf8Mark + grid_text::BytesFrom(text, CP_UTF8);
#else
  bytes = grid_text::BytesFrom(text, CP_ACP);
#endif
  CFile file;
  CFileException error;
  if (!file.Open(strFileName, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeBinary,
                 &error)) {
    error.ReportError();
    return FALSE;
  }
  try {
    size_t done = 0;
    while (done < bytes.size()) {
      const UINT chunk = static_cast<UINT>(std::min<size_t>(bytes.size() - done, 1u << 30));
      file.Write(bytes.data() + done, chunk);
      done += chunk;
    }
    file.Close();
  } catch (CFileException* e) {
    e->Delete();
    file.Abort();
    AfxMessageBox(_T("Unable to save grid list"));
    return FALSE;
  }
  return TRUE;
}

BOOL CGridCtrl::LoadText(LPCTSTR strFileName, CString& out) {
  CFile file;
  CFileException error;
  if (!file.Open(strFileName, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &error)) {
    error.ReportError();
    return FALSE;
  }
  std::string bytes;
  try {
    const ULONGLONG length = file.GetLength();
    if (length > static_cast<ULONGLONG>(INT_MAX)) AfxThrowFileException(CFileException::genericException);
    bytes.resize(static_cast<size_t>(length));
    if (length != 0 && file.Read(&bytes[0], static_cast<UINT>(length)) != length)
      AfxThrowFileException(CFileException::endOfFile);
    file.Close();
  } catch (CException* e) {
    e->Delete();
    file.Abort();
    AfxMessageBox(_T("Unable to load grid data"));
    return FALSE;
  }
  std::wstring text;
  if (bytes.compare(0, 3, kUtf8Mark) == 0)
    text = grid_text::WideFrom(bytes.data() + 3, bytes.size() - 3, CP_UTF8);
  else
    text = grid_text::WideFrom(bytes.data(), bytes.size(), CP_ACP);
  out = grid_text::FromWide(text);
  return TRUE;
}

BOOL CGridCtrl::Load(LPCTSTR strFileName, TCHAR chSeparator) {
  if (m_bVirtualMode) return FALSE;
  CString text;
  if (!LoadText(strFileName, text)) return FALSE;  // the grid is left as it was
  const wchar_t separator = grid_text::WideOf(CString(chSeparator)).c_str()[0];
  const std::vector<std::vector<std::wstring>> records = ParseRecords(grid_text::WideOf(text), separator);

  // Drawing and scroll bars wait until the whole file is in: one reset, not one per line.
  const BOOL redraw = m_bAllowDraw;
  SetRedraw(FALSE);
  DeleteAllItems();
  if (!records.empty()) {
    for (const std::wstring& heading : records[0])
      InsertColumn(grid_text::FromWide(heading), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const int firstRow = m_nRows;
    if (records.size() > 1 && m_nCols > 0 && SetRowCount(firstRow + static_cast<int>(records.size() - 1))) {
      // A row is as high as its first field's text, as a row inserted with that heading is.
      const UINT emptyHeight = CapSize(m_cellFixedRowDef.GetHeight());
      int lineHeight = -1;  // of a one-line text in the new cells' font, measured once
      for (size_t i = 1; i < records.size(); ++i) {
        const int row = firstRow + static_cast<int>(i - 1);
        const std::vector<std::wstring>& fields = records[i];
        for (size_t c = 0; c < fields.size() && c < static_cast<size_t>(m_nCols); ++c)
          SetItemText(row, static_cast<int>(c), grid_text::FromWide(fields[c]));
        const std::wstring& first = fields[0];
        UINT height = emptyHeight;
        if (!first.empty()) {
          if (first.find(L'\n') != std::wstring::npos) {
            height = CapSize(GetTextExtent(row, 0, GetItemText(row, 0)).cy);
          } else {
            if (lineHeight < 0) lineHeight = GetTextExtent(row, 0, _T("X")).cy;
            height = CapSize(lineHeight);
          }
        }
        m_rowHeights.Set(row, height);
      }
    }
  }
  AutoSizeColumns(m_nAutoSizeColumnStyle);
  SetRedraw(redraw, TRUE);
  Refresh();
  return TRUE;
}
