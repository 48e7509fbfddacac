// The portable printer and the module's printer.
#include "QvPrinter.h"

#include "GUIView.h"
#include "QvHourGlass.h"
#include "QvPageFormat.h"
#include "QvView.h"

QV_IMPLEMENT_CLASS(QvRootPrinter, nullptr)
QV_IMPLEMENT_CLASS(QvPrinter, QV_RUNTIME_CLASS(QvRootPrinter))
QV_IMPLEMENT_CLASS(QvAddInPreferences, nullptr)

namespace {
QvPrinter* s_printer = nullptr;
}  // namespace

QvRootPrinter::QvRootPrinter() : m_view(nullptr), m_pageFormat(nullptr) {}
QvRootPrinter::~QvRootPrinter() {}

QvPrinter::QvPrinter() {}
QvPrinter::~QvPrinter() {}

QvSuccess QvPrinter::Print(long from, long to) {
  CGUIView* window = m_view != nullptr ? m_view->GetPlatformView() : nullptr;
  if (window == nullptr || window->GetSafeHwnd() == NULL) return QvSuccess(false);
  QvHourGlass(QvHourBegin);
  // Only a printer the page format selected is taken back afterwards.
  const bool selected = m_pageFormat != nullptr && m_pageFormat->SetDevMode();
  const bool printed = window->Print(from, to) != FALSE;
  if (selected) QvPageFormat::ResetDevMode();
  QvHourGlass(QvHourEnd);
  return QvSuccess(printed);
}

QvSuccess QvPrinter::PrintSetup() { return QvSuccess(m_pageFormat != nullptr && m_pageFormat->SetDevMode()); }

QvPrinter* Get_GlobalQvPrinter() { return s_printer; }
void Set_GlobalQvPrinter(QvPrinter* printer) { s_printer = printer; }
QvPrinter* QvGetGlobalPrinter() {
  if (s_printer == nullptr) s_printer = new QvPrinter;
  return s_printer;
}

QvAddInPreferences::QvAddInPreferences() : m_flags{false, false, false} {}
QvAddInPreferences::~QvAddInPreferences() {}
