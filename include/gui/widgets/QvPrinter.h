// The portable printer: prints a portable view on the printer of a page format, and the one
// printer of the module. QvAddInPreferences is a small record of an add-in's settings.
#pragma once
#include <vekkel.h>

#include "quarnel_api.h"

class QvPageFormat;
class QvView;

class QUARNEL_API QvRootPrinter : public QvFirst {
  QV_DECLARE_CLASS(QvRootPrinter)
 public:
  QvRootPrinter();
  ~QvRootPrinter() override;

  // Neither is owned.
  void SetQvView(QvView* view) { m_view = view; }
  QvView* GetQvView() const { return m_view; }
  void SetPageFormat(QvPageFormat* format) { m_pageFormat = format; }
  QvPageFormat* GetPageFormat() const { return m_pageFormat; }

  virtual QvSuccess Print(long from, long to) = 0;
  virtual QvSuccess PrintSetup() = 0;

 protected:
  QvView* m_view;
  QvPageFormat* m_pageFormat;
};

class QUARNEL_API QvPrinter : public QvRootPrinter {
  QV_DECLARE_CLASS(QvPrinter)
 public:
  QvPrinter();
  ~QvPrinter() override;

  // Pages from to to of the view, under the wait cursor, on the page format's printer (the
  // application's printer while the job runs; none selected afterwards) or, without a page
  // format, on the application's printer. Failure when there is no view window or not every
  // page went to the printer.
  QvSuccess Print(long from, long to) override;
  // The page format's printer becomes the application's; failure without a page format or
  // when its printer cannot be made valid.
  QvSuccess PrintSetup() override;
};

// The module's printer; QvGetGlobalPrinter makes one on first use (left to the host).
QUARNEL_API QvPrinter* Get_GlobalQvPrinter();
QUARNEL_API void Set_GlobalQvPrinter(QvPrinter* printer);
QUARNEL_API QvPrinter* QvGetGlobalPrinter();

class QUARNEL_API QvAddInPreferences : public QvFirst {
  QV_DECLARE_CLASS(QvAddInPreferences)
 public:
  QvAddInPreferences();
  ~QvAddInPreferences() override;

  QvString m_strings[3];
  bool m_flags[3];  // false at construction
};
