// The page format of a report document: a platform-neutral kernel (paper, orientation,
// margins, scaling, fitting, page order, first page number) and its Windows part, which
// holds the printer's device names and device mode and keeps both halves consistent. Both
// halves are saved into the document's container as the items "KernelPageFormat" and
// "WindowsPageFormat" and loaded back; stored data that does not hold together is refused
// and leaves the page format as it was.
#pragma once
#include <vekkel.h>

#include <tuple>

#include "QvGeometry.h"
#include "quarnel_api.h"

enum QvPageOrientation { QvPortrait = 0, QvLandscape = 1 };
enum QvPageSize { QvNoPageSize = 0, QvA4PageSize = 9, QvLastPageSize = 68 };
enum QvPageOrder { QvDownThenOver = 0, QvOverThenDown = 1 };

class QUARNEL_API QvRootPageFormat : public QvFirst {
  QV_DECLARE_CLASS(QvRootPageFormat)

 public:
  QvRootPageFormat();
  ~QvRootPageFormat() override;

  // Setters store the value, set modified and answer the old value (fit tall and wide: the
  // new one).
  virtual unsigned short SetFirstPageNumber(unsigned short first);
  virtual QvPageOrder SetPageOrder(QvPageOrder order);
  virtual bool SetFitToPrint(bool fit);
  virtual unsigned short SetFitTall(unsigned short pages);
  virtual unsigned short SetFitWide(unsigned short pages);
  virtual unsigned short SetScaling(unsigned short scaling);
  virtual QvSuccess PageSetupDlgW(bool useLocale) = 0;
  virtual QvSuccess Validate() = 0;
  virtual bool IsModified();
  virtual QvSuccess SavePlatformFormat(QvContainer* container) = 0;
  virtual QvSuccess LoadPlatformFormat(QvContainer* container, const QvDateTime& kernelTime) = 0;

  // Bounds in twips.
  bool GetPhysicalPageBounds(QvRect* r);
  bool GetPrintablePageBounds(QvRect* r);
  // Margins in twips at full size (divided by the scaling).
  bool GetMarginRect(QvRect* r);
  // The page less its margins, in twips.
  bool GetBodyRect(QvRect* r);
  // Margins in micrometres, or in twips at full size.
  void SetMarginRect(const QvRect& micrometres);
  void SetMarginRectInTwips(const QvRect& twips);
  const QvRect& GetMargins() const { return m_margins; }

  bool GetFitToPrint() const { return m_fitToPrint; }
  unsigned short GetFitTall() const { return m_fitTall; }
  unsigned short GetFitWide() const { return m_fitWide; }
  unsigned short GetScaling() const { return m_scaling; }
  unsigned short GetFirstPageNumber() const { return m_firstPageNumber; }
  QvPageOrder GetPageOrder() const { return m_pageOrder; }
  QvPageOrientation GetOrientation() const { return m_orientation; }
  QvPageSize GetPageSize() const { return m_pageSize; }

  bool operator==(const QvRootPageFormat& other) const;
  QvRootPageFormat& operator=(const QvRootPageFormat& other);

  // The kernel item, then the platform part; both succeeding clears modified. Loading is all
  // or nothing: a failure of either item leaves the page format as it was.
  QvSuccess Save(QvContainer* container);
  QvSuccess Load(QvContainer* container);

 protected:
  // Every kernel field, to keep and put back as one.
  typedef std::tuple<QvRect, QvRect, QvRect, QvPageSize, unsigned short, QvPageOrientation, bool, bool, unsigned short,
                     unsigned short, QvPageOrder, unsigned short>
      KernelValues;
  typedef std::tuple<QvRect&, QvRect&, QvRect&, QvPageSize&, unsigned short&, QvPageOrientation&, bool&, bool&,
                     unsigned short&, unsigned short&, QvPageOrder&, unsigned short&>
      KernelRefs;
  KernelRefs KernelFields();

  // The scaling to compute with: a stored 0 counts as 100 %.
  long Scale() const { return m_scaling != 0 ? m_scaling : 100; }

  QvRect m_physical;   // 0.1 mm
  QvRect m_printable;  // 0.1 mm
  QvRect m_margins;    // micrometres at the current scaling
  QvPageSize m_pageSize;
  unsigned short m_scaling;
  QvPageOrientation m_orientation;
  bool m_modified;
  bool m_fitToPrint;
  unsigned short m_fitTall;
  unsigned short m_fitWide;
  QvPageOrder m_pageOrder;
  unsigned short m_firstPageNumber;
};

class QUARNEL_API QvPageFormat : public QvRootPageFormat {
  QV_DECLARE_CLASS(QvPageFormat)

 public:
  QvPageFormat();
  // With the flag and a default printer, that printer's format; otherwise A4 portrait.
  explicit QvPageFormat(bool useDefaultPrinter);
  QvPageFormat(const QvPageFormat& other);
  QvPageFormat& operator=(const QvPageFormat& other);
  ~QvPageFormat() override;

  // Same kernel settings and the same printer settings: driver, device and port names, and
  // the fields the device modes set (not their raw bytes).
  bool operator==(const QvPageFormat& other) const;

  virtual bool SetDevMode();
  // The application's printer selection cleared.
  static void ResetDevMode();
  static QvPageSize Win2QvPageSizeID(short id);
  static short Qv2WinPageSizeID(QvPageSize id);

  unsigned short SetScaling(unsigned short scaling) override;
  // The page-setup dialog, its margins in millimetres or inches: by the user locale with
  // useLocale, else by the measurement units of the report preferences
  // (QvGetReportMeasurementUnits). Failure on cancel, or when there is no printer.
  QvSuccess PageSetupDlgW(bool useLocale) override;
  QvSuccess Validate() override;
  QvSuccess SavePlatformFormat(QvContainer* container) override;
  QvSuccess LoadPlatformFormat(QvContainer* container, const QvDateTime& kernelTime) override;

  // Both blocks rebuilt for the named printer; failure (blocks unchanged) when it cannot be
  // opened or read.
  QvSuccess ChangePrinter(const QvString& printer);
  // The printer a print job went to: copies of its blocks (the job's are the application's)
  // replace the page format's when they differ, and the kernel follows them. False, and
  // nothing changed, for blocks that are not sound.
  bool FollowPrinter(HGLOBAL devNames, HGLOBAL devMode);
  bool PrinterSupportsScaling();
  void UseApplyScaling();
  void PlatformToKernel();
  void KernelToPlatform();

  HGLOBAL GetDevNames() const { return m_devNames; }
  HGLOBAL GetDevModeBlock() const { return m_devMode; }

 private:
  void SetA4Defaults();
  void FreeBlocks();
  bool TakeDefaultPrinter();
  // The driver merges a device mode (the page format's own when null) into a new one that
  // becomes the page format's (DM_IN_BUFFER | DM_OUT_BUFFER); false, nothing changed, when
  // the printer cannot be opened.
  bool MergeDevMode(HGLOBAL from = NULL);
  // The settings of an older device mode carried into the current printer's mode.
  void TransferDevMode(HGLOBAL oldMode);

  HGLOBAL m_devNames = NULL;
  HGLOBAL m_devMode = NULL;
};
