#include <framework.h>

#include "SGridCtrl.h"

DrawItemInfo::DrawItemInfo(const CString& text, int icon, int indent)
    : m_text(text), m_icon(icon), m_indent(indent < 0 ? 0 : indent) {}

DrawItemInfo::~DrawItemInfo() {}

CString DrawItemInfo::GetText() const { return m_text; }

BOOL DrawItemInfo::HasIcon() const { return m_icon != -1; }

int DrawItemInfo::GetIcon() const { return m_text.IsEmpty() ? -1 : m_icon; }

void DrawItemInfo::SetIcon(int icon) { m_icon = icon; }

int DrawItemInfo::SetIndent(int indent) {
  m_indent = indent < 0 ? 0 : indent;
  return m_indent;
}

int DrawItemInfo::GetIndent() const { return m_indent; }
