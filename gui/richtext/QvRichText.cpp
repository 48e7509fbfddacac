// The portable rich-text label, its platform class and the containers' lookup of it.
#include "QvRichText.h"

#include <QvColor.h>
#include <QvGUIContainer.h>

#include "GUIRichText.h"

QV_IMPLEMENT_CREATABLE(QvRichText, QV_RUNTIME_CLASS(QvControl))
QV_CLASSINIT(QvRichText)

QV_CONTROL_KIND(QvRichText, CGUIRichText)

CGUIRichText* QvRichText::Label() const {
  return GetPlatformWindow() ? dynamic_cast<CGUIRichText*>(GetPlatformControl()) : nullptr;
}

void QvRichText::SetStyle(unsigned short style) {
  if (CGUIRichText* label = Label()) label->SetStyle(style);
}

unsigned short QvRichText::GetStyle() {
  CGUIRichText* label = Label();
  return label ? label->GetStyle() : 0;
}

void QvRichText::SetColor(const QvColor& color) {
  if (CGUIRichText* label = Label()) label->SetColor(color);
}

void QvRichText::SetText(const QvString& text) {
  CGUIRichText* label = Label();
  if (!label) return;
  HWND window = label->m_hWnd;
  const bool visible = ::IsWindowVisible(window) != FALSE;
  if (visible) ::ShowWindow(window, SW_HIDE);
  label->SetText(text.ToWide().c_str());
  if (visible) ::ShowWindow(window, SW_SHOW);
  ::UpdateWindow(window);
}
