// The page format: kernel fields and their archive item, the Windows part with its device
// blocks, the page-setup dialog, and the items' hostile-input checks.
#include <QvHourGlass.h>
#include <QvPageFormat.h>
#include <framework.h>
#include <solvane.h>
#include <winspool.h>

#include <stddef.h>
#include <stdlib.h>

#include <functional>
#include <string>
#include <vector>

QV_IMPLEMENT_CLASS(QvRootPageFormat, nullptr)
QV_IMPLEMENT_CLASS(QvPageFormat, QV_RUNTIME_CLASS(QvRootPageFormat))

namespace {

const char kKernelItem[] = "KernelPageFormat";
const char kWindowsItem[] = "WindowsPageFormat";
const QvVersionDescriptor kKernelVersion("V1.0.3", "Qv 4 Kernel Page Format", 1.03);
const QvVersionDescriptor kWindowsVersion("V1.01", "Tavrine V1 Platform Page Format", 1.01);

// Stored lengths beyond 10 metres (in 0.1 mm, or micrometres for margins) are not a page.
const long kMaxBounds = 100000;
const long kMaxMargin = 10000000;

long MulDivOr0(long v, long mul, long div) { return div != 0 ? ::MulDiv(v, mul, div) : 0; }

bool SaneRect(const QvRect& r, long limit) {
  return r.left >= 0 && r.top >= 0 && r.right >= r.left && r.bottom >= r.top && r.right <= limit && r.bottom <= limit;
}
bool SaneMargins(const QvRect& r) {
  return r.left >= 0 && r.top >= 0 && r.right >= 0 && r.bottom >= 0 && r.left <= kMaxMargin && r.top <= kMaxMargin &&
         r.right <= kMaxMargin && r.bottom <= kMaxMargin;
}

// A scope that uses a container item (closing its stream and releasing it at the end).
class ItemUse {
 public:
  explicit ItemUse(QvContainerItem* item) : m_item(item) {}
  ~ItemUse() {
    if (m_item != nullptr) {
      m_item->CloseStream();
      m_item->Release();
    }
  }
  ItemUse(const ItemUse&) = delete;
  ItemUse& operator=(const ItemUse&) = delete;
  QvContainerItem* get() const { return m_item; }

 private:
  QvContainerItem* m_item;
};

HGLOBAL BlockFrom(const void* data, size_t size) {
  if (size == 0) return NULL;
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (h == NULL) return NULL;
  memcpy(::GlobalLock(h), data, size);
  ::GlobalUnlock(h);
  return h;
}

QvMemory MemoryOf(HGLOBAL h) {
  QvMemory m;
  if (h == NULL) return m;
  const SIZE_T size = ::GlobalSize(h);
  if (const void* p = ::GlobalLock(h)) {
    m.Assign(p, size);
    ::GlobalUnlock(h);
  }
  return m;
}

bool SameBlock(HGLOBAL a, HGLOBAL b) {
  if (a == b) return true;
  if (a == NULL || b == NULL) return false;
  return MemoryOf(a) == MemoryOf(b);
}

std::basic_string<TCHAR> DevName(HGLOBAL names, int which);

// Two device names blocks name the same printer: driver, device and port (the bytes after
// each name's terminator, and the default flag, say nothing about the printer).
bool SameDevNames(HGLOBAL a, HGLOBAL b) {
  if (a == b) return true;
  if (a == NULL || b == NULL) return false;
  if (!AfxIsValidDevNames(a) || !AfxIsValidDevNames(b)) return SameBlock(a, b);
  for (int which = 0; which < 3; ++which)
    if (DevName(a, which) != DevName(b, which)) return false;
  return true;
}

// A text field of a device mode up to its terminator (at most its length); the earlier
// edition's mode holds its names as bytes.
template <class Char>
std::basic_string<TCHAR> FixedText(const Char* field, size_t length) {
  const TCHAR* text = reinterpret_cast<const TCHAR*>(field);
  size_t n = 0;
  while (n < length && text[n] != 0) ++n;
  return std::basic_string<TCHAR>(text, n);
}

// The settings of a device mode: the flag of each field with its place.
struct ModeField {
  DWORD flag;
  size_t offset, size;
};
#define QV_MODE_FIELD(flag, member) {flag, offsetof(DEVMODE, member), sizeof(DEVMODE::member)}
const ModeField kModeFields[] = {
    QV_MODE_FIELD(DM_ORIENTATION, dmOrientation),   QV_MODE_FIELD(DM_PAPERSIZE, dmPaperSize),
    QV_MODE_FIELD(DM_PAPERLENGTH, dmPaperLength),   QV_MODE_FIELD(DM_PAPERWIDTH, dmPaperWidth),
    QV_MODE_FIELD(DM_SCALE, dmScale),               QV_MODE_FIELD(DM_COPIES, dmCopies),
    QV_MODE_FIELD(DM_DEFAULTSOURCE, dmDefaultSource), QV_MODE_FIELD(DM_PRINTQUALITY, dmPrintQuality),
    QV_MODE_FIELD(DM_COLOR, dmColor),               QV_MODE_FIELD(DM_DUPLEX, dmDuplex),
    QV_MODE_FIELD(DM_YRESOLUTION, dmYResolution),   QV_MODE_FIELD(DM_TTOPTION, dmTTOption),
    QV_MODE_FIELD(DM_COLLATE, dmCollate),           QV_MODE_FIELD(DM_LOGPIXELS, dmLogPixels),
    QV_MODE_FIELD(DM_BITSPERPEL, dmBitsPerPel),     QV_MODE_FIELD(DM_PELSWIDTH, dmPelsWidth),
    QV_MODE_FIELD(DM_PELSHEIGHT, dmPelsHeight),     QV_MODE_FIELD(DM_DISPLAYFREQUENCY, dmDisplayFrequency),
    QV_MODE_FIELD(DM_ICMMETHOD, dmICMMethod),       QV_MODE_FIELD(DM_ICMINTENT, dmICMIntent),
    QV_MODE_FIELD(DM_MEDIATYPE, dmMediaType),       QV_MODE_FIELD(DM_DITHERTYPE, dmDitherType),
};
#undef QV_MODE_FIELD

// Two device modes hold the same settings: the device, the fields they set, and the value
// of each field set (the form name up to its terminator). What the driver keeps after the
// public fields, and bytes past a name's terminator, are not settings.
bool SameDevMode(HGLOBAL a, HGLOBAL b) {
  if (a == b) return true;
  if (a == NULL || b == NULL) return false;
  if (!AfxIsValidDevMode(a) || !AfxIsValidDevMode(b)) return SameBlock(a, b);
  const QvMemory ma = MemoryOf(a), mb = MemoryOf(b);
  const DEVMODE* x = reinterpret_cast<const DEVMODE*>(ma.GetData());
  const DEVMODE* y = reinterpret_cast<const DEVMODE*>(mb.GetData());
  if (FixedText(x->dmDeviceName, CCHDEVICENAME) != FixedText(y->dmDeviceName, CCHDEVICENAME) ||
      x->dmFields != y->dmFields)
    return false;
  for (const ModeField& f : kModeFields) {
    if ((x->dmFields & f.flag) == 0) continue;
    const bool inX = f.offset + f.size <= x->dmSize, inY = f.offset + f.size <= y->dmSize;
    if (inX != inY) return false;  // a field set that only one of them holds
    if (!inX) continue;
    if (memcmp(reinterpret_cast<const BYTE*>(x) + f.offset, reinterpret_cast<const BYTE*>(y) + f.offset, f.size) != 0)
      return false;
  }
  return (x->dmFields & DM_FORMNAME) == 0 ||
         FixedText(x->dmFormName, CCHFORMNAME) == FixedText(y->dmFormName, CCHFORMNAME);
}

// One of the names of a sound device names block (0 driver, 1 device, 2 port).
std::basic_string<TCHAR> DevName(HGLOBAL names, int which) {
  if (!AfxIsValidDevNames(names)) return std::basic_string<TCHAR>();
  const DEVNAMES* dn = static_cast<const DEVNAMES*>(::GlobalLock(names));
  const WORD offsets[3] = {dn->wDriverOffset, dn->wDeviceOffset, dn->wOutputOffset};
  std::basic_string<TCHAR> s(reinterpret_cast<const TCHAR*>(dn) + offsets[which]);
  ::GlobalUnlock(names);
  return s;
}

// A device names block of the three names, the driver's first after the header.
HGLOBAL MakeDevNames(const TCHAR* driver, const TCHAR* device, const TCHAR* port) {
  const size_t header = sizeof(DEVNAMES) / sizeof(TCHAR);
  const size_t ld = lstrlen(driver) + 1, lv = lstrlen(device) + 1, lp = lstrlen(port) + 1;
  std::vector<TCHAR> buf(header + ld + lv + lp, 0);
  DEVNAMES* dn = reinterpret_cast<DEVNAMES*>(buf.data());
  dn->wDriverOffset = static_cast<WORD>(header);
  dn->wDeviceOffset = static_cast<WORD>(header + ld);
  dn->wOutputOffset = static_cast<WORD>(header + ld + lv);
  dn->wDefault = 0;
  lstrcpy(buf.data() + dn->wDriverOffset, driver);
  lstrcpy(buf.data() + dn->wDeviceOffset, device);
  lstrcpy(buf.data() + dn->wOutputOffset, port);
  return BlockFrom(buf.data(), buf.size() * sizeof(TCHAR));
}

// The printer is one of this machine's (local or connected), by name.
bool PrinterAvailable(const std::basic_string<TCHAR>& name) {
  if (name.empty()) return false;
  DWORD needed = 0, count = 0;
  ::EnumPrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, NULL, 4, NULL, 0, &needed, &count);
  if (needed == 0) return false;
  std::vector<BYTE> buf(needed);
  if (!::EnumPrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, NULL, 4, buf.data(), needed, &needed, &count))
    return false;
  const PRINTER_INFO_4* info = reinterpret_cast<const PRINTER_INFO_4*>(buf.data());
  for (DWORD i = 0; i < count; ++i)
    if (info[i].pPrinterName != NULL && lstrcmpi(info[i].pPrinterName, name.c_str()) == 0) return true;
  return false;
}

}  // namespace

// --- Kernel ---

QvRootPageFormat::QvRootPageFormat()
    : m_margins(20000, 20000, 20000, 20000),
      m_pageSize(QvNoPageSize),
      m_scaling(100),
      m_orientation(QvPortrait),
      m_modified(true),
      m_fitToPrint(false),
      m_fitTall(1),
      m_fitWide(1),
      m_pageOrder(QvOverThenDown),
      m_firstPageNumber(1) {}

QvRootPageFormat::~QvRootPageFormat() {}

unsigned short QvRootPageFormat::SetFirstPageNumber(unsigned short first) {
  const unsigned short old = m_firstPageNumber;
  m_firstPageNumber = first;
  m_modified = true;
  return old;
}
QvPageOrder QvRootPageFormat::SetPageOrder(QvPageOrder order) {
  const QvPageOrder old = m_pageOrder;
  m_pageOrder = order;
  m_modified = true;
  return old;
}
bool QvRootPageFormat::SetFitToPrint(bool fit) {
  const bool old = m_fitToPrint;
  m_fitToPrint = fit;
  m_modified = true;
  return old;
}
unsigned short QvRootPageFormat::SetFitTall(unsigned short pages) {
  m_fitTall = pages;
  m_modified = true;
  return pages;
}
unsigned short QvRootPageFormat::SetFitWide(unsigned short pages) {
  m_fitWide = pages;
  m_modified = true;
  return pages;
}
unsigned short QvRootPageFormat::SetScaling(unsigned short scaling) {
  const unsigned short old = m_scaling;
  m_scaling = scaling;
  m_modified = true;
  return old;
}
bool QvRootPageFormat::IsModified() { return m_modified; }

bool QvRootPageFormat::GetPhysicalPageBounds(QvRect* r) {
  *r = QvRect(m_physical.left * 1440 / 254, m_physical.top * 1440 / 254, m_physical.right * 1440 / 254,
              m_physical.bottom * 1440 / 254);
  return true;
}
bool QvRootPageFormat::GetPrintablePageBounds(QvRect* r) {
  *r = QvRect(m_printable.left * 1440 / 254, m_printable.top * 1440 / 254, m_printable.right * 1440 / 254,
              m_printable.bottom * 1440 / 254);
  return true;
}
bool QvRootPageFormat::GetMarginRect(QvRect* r) {
  QvRect t(m_margins.left * 144 / 2540, m_margins.top * 144 / 2540, m_margins.right * 144 / 2540,
           m_margins.bottom * 144 / 2540);
  if (Scale() != 100) {
    t.left = ::MulDiv(t.left, 100, Scale());
    t.top = ::MulDiv(t.top, 100, Scale());
    t.right = ::MulDiv(t.right, 100, Scale());
    t.bottom = ::MulDiv(t.bottom, 100, Scale());
  }
  *r = t;
  return true;
}
bool QvRootPageFormat::GetBodyRect(QvRect* r) {
  r->left = ::MulDiv(m_margins.left * 144 / 2540, 100, Scale());
  r->top = ::MulDiv(m_margins.top * 144 / 2540, 100, Scale());
  r->right = (m_physical.right * 100 - ::MulDiv(m_margins.right, 100, Scale())) * 144 / 2540;
  r->bottom = (m_physical.bottom * 100 - ::MulDiv(m_margins.bottom, 100, Scale())) * 144 / 2540;
  return true;
}
void QvRootPageFormat::SetMarginRect(const QvRect& micrometres) {
  m_margins = micrometres;
  m_modified = true;
}
void QvRootPageFormat::SetMarginRectInTwips(const QvRect& t) {
  auto side = [this](long twips) { return ::MulDiv(twips, Scale(), 100) * 2540 / 144; };
  SetMarginRect(QvRect(side(t.left), side(t.top), side(t.right), side(t.bottom)));
}

bool QvRootPageFormat::operator==(const QvRootPageFormat& o) const {
  return m_orientation == o.m_orientation && m_pageSize == o.m_pageSize && m_margins == o.m_margins &&
         m_physical == o.m_physical && m_printable == o.m_printable && m_scaling == o.m_scaling &&
         m_modified == o.m_modified && m_fitToPrint == o.m_fitToPrint && m_fitTall == o.m_fitTall &&
         m_fitWide == o.m_fitWide && m_pageOrder == o.m_pageOrder && m_firstPageNumber == o.m_firstPageNumber;
}

QvRootPageFormat& QvRootPageFormat::operator=(const QvRootPageFormat& o) {
  m_orientation = o.m_orientation;
  m_pageSize = o.m_pageSize;
  m_margins = o.m_margins;
  m_physical = o.m_physical;
  m_printable = o.m_printable;
  m_scaling = o.m_scaling;
  m_modified = o.m_modified;
  m_fitToPrint = o.m_fitToPrint;
  m_fitTall = o.m_fitTall;
  m_fitWide = o.m_fitWide;
  m_pageOrder = o.m_pageOrder;
  m_firstPageNumber = o.m_firstPageNumber;
  return *this;
}

QvSuccess QvRootPageFormat::Save(QvContainer* container) {
  if (container == nullptr) return QvSuccess(false);
  {
    ItemUse item(container->CreateItem(kKernelItem));
    if (item.get() == nullptr) return QvSuccess(false);
    QvVirtualOutputStream* stream = item.get()->GetOutputStream();
    if (stream == nullptr) return QvSuccess(false);
    QvArchiveOut ar(*stream, kKernelVersion);
    QvDateTime now = QvDateTime::Now();
    ar.WriteObject(&now);
    ar << static_cast<long>(m_orientation) << static_cast<long>(m_pageSize);
    ar << m_margins.top << m_margins.left << m_margins.bottom << m_margins.right;
    ar << m_physical.top << m_physical.left << m_physical.bottom << m_physical.right;
    ar << m_scaling;
    ar << m_printable.top << m_printable.left << m_printable.bottom << m_printable.right;
    ar << static_cast<long>(m_fitToPrint ? 1 : 0) << m_fitTall << m_fitWide << static_cast<long>(m_pageOrder)
       << m_firstPageNumber;
    if (!ar.IsValid()) return QvSuccess(false);
  }
  if (!SavePlatformFormat(container)) return QvSuccess(false);
  m_modified = false;
  return QvSuccess(true);
}

QvSuccess QvRootPageFormat::Load(QvContainer* container) {
  if (container == nullptr) return QvSuccess(false);
  QvDateTime saved;
  {
    ItemUse item(container->FindItem(kKernelItem));
    if (item.get() == nullptr) return QvSuccess(false);
    QvVirtualInputStream* stream = item.get()->GetInputStream();
    if (stream == nullptr) return QvSuccess(false);
    QvArchiveIn ar(*stream, &kKernelVersion);
    if (!ar.IsValid()) return QvSuccess(false);
    QvFirst* time = ar.ReadObject(QV_RUNTIME_CLASS(QvDateTime));
    if (time == nullptr) return QvSuccess(false);
    saved = *static_cast<QvDateTime*>(time);
    delete time;
    // Read whole into a copy: a damaged item changes nothing.
    long orientation = 0, pageSize = 0, fit = 0, order = 1;
    QvRect margins, physical, printable;
    unsigned short scaling = 100, fitTall = 1, fitWide = 1, first = 1;
    ar >> orientation >> pageSize;
    ar >> margins.top >> margins.left >> margins.bottom >> margins.right;
    ar >> physical.top >> physical.left >> physical.bottom >> physical.right;
    ar >> scaling;
    if (ar.GetVersion().IsAtLeast(1.02)) ar >> printable.top >> printable.left >> printable.bottom >> printable.right;
    if (ar.GetVersion().IsAtLeast(1.03)) ar >> fit >> fitTall >> fitWide >> order >> first;
    if (!ar.IsValid() || (orientation != QvPortrait && orientation != QvLandscape) || !SaneMargins(margins) ||
        !SaneRect(physical, kMaxBounds) || !SaneRect(printable, kMaxBounds))
      return QvSuccess(false);
    // The platform part reads the kernel fields, so they are set before it runs; a platform
    // item that fails puts them back (it changes nothing itself when it fails): loading is
    // all or nothing.
    const KernelValues before = KernelFields();
    m_orientation = static_cast<QvPageOrientation>(orientation);
    m_pageSize = QvPageFormat::Win2QvPageSizeID(static_cast<short>(pageSize >= 0 && pageSize <= 0x7FFF ? pageSize : 0));
    m_margins = margins;
    m_physical = physical;
    m_printable = printable;
    m_scaling = scaling;
    m_fitToPrint = fit != 0;
    m_fitTall = fitTall;
    m_fitWide = fitWide;
    m_pageOrder = static_cast<QvPageOrder>(order);
    m_firstPageNumber = first;
    if (!LoadPlatformFormat(container, saved)) {
      KernelFields() = before;
      return QvSuccess(false);
    }
  }
  m_modified = false;
  return QvSuccess(true);
}

QvRootPageFormat::KernelRefs QvRootPageFormat::KernelFields() {
  return KernelRefs(m_physical, m_printable, m_margins, m_pageSize, m_scaling, m_orientation, m_modified, m_fitToPrint,
                    m_fitTall, m_fitWide, m_pageOrder, m_firstPageNumber);
}

// --- Windows part ---

QvPageFormat::QvPageFormat() : QvPageFormat(true) {}

QvPageFormat::QvPageFormat(bool useDefaultPrinter) {
  if (useDefaultPrinter && TakeDefaultPrinter()) {
    PlatformToKernel();
  } else {
    SetA4Defaults();
  }
}

QvPageFormat::QvPageFormat(const QvPageFormat& other) : QvRootPageFormat() {
  QvRootPageFormat::operator=(other);
  m_devNames = AfxCopyGlobal(other.m_devNames);
  m_devMode = AfxCopyGlobal(other.m_devMode);
}

QvPageFormat& QvPageFormat::operator=(const QvPageFormat& other) {
  if (this == &other) return *this;
  QvRootPageFormat::operator=(other);
  FreeBlocks();
  m_devNames = AfxCopyGlobal(other.m_devNames);
  m_devMode = AfxCopyGlobal(other.m_devMode);
  return *this;
}

QvPageFormat::~QvPageFormat() { FreeBlocks(); }

bool QvPageFormat::operator==(const QvPageFormat& other) const {
  return QvRootPageFormat::operator==(other) && SameDevNames(m_devNames, other.m_devNames) &&
         SameDevMode(m_devMode, other.m_devMode);
}

void QvPageFormat::SetA4Defaults() {
  m_physical = QvRect(0, 0, 2099, 2970);
  m_printable = QvRect(100, 100, 1999, 2870);
  m_orientation = QvPortrait;
  m_scaling = 100;
  m_pageSize = QvA4PageSize;
}

void QvPageFormat::FreeBlocks() {
  if (m_devNames != NULL) ::GlobalFree(m_devNames);
  if (m_devMode != NULL) ::GlobalFree(m_devMode);
  m_devNames = m_devMode = NULL;
}

// The default printer's blocks become the page format's; the application keeps its own
// selection.
bool QvPageFormat::TakeDefaultPrinter() {
  CWinApp* app = AfxGetApp();
  if (app == NULL) return false;
  HGLOBAL oldNames = app->m_hDevNames, oldMode = app->m_hDevMode;
  app->SelectPrinter(NULL, NULL, FALSE);
  PRINTDLG pd;
  memset(&pd, 0, sizeof(pd));
  const bool ok = app->GetPrinterDeviceDefaults(&pd) != FALSE;
  app->SelectPrinter(oldNames, oldMode, FALSE);
  if (!ok) return false;
  FreeBlocks();
  m_devNames = pd.hDevNames;
  m_devMode = pd.hDevMode;
  return true;
}

QvPageSize QvPageFormat::Win2QvPageSizeID(short id) {
  return id >= 1 && id <= QvLastPageSize ? static_cast<QvPageSize>(id) : QvNoPageSize;
}
short QvPageFormat::Qv2WinPageSizeID(QvPageSize id) {
  return id >= 1 && id <= QvLastPageSize ? static_cast<short>(id) : 0;
}

bool QvPageFormat::MergeDevMode(HGLOBAL from) {
  if (from == NULL) from = m_devMode;
  if (!AfxIsValidDevMode(from)) return false;
  std::basic_string<TCHAR> device = DevName(m_devNames, 1);
  HANDLE printer = NULL;
  if (device.empty() || !::OpenPrinter(const_cast<LPTSTR>(device.c_str()), &printer, NULL)) return false;
  bool ok = false;
  const LONG size = ::DocumentProperties(NULL, printer, const_cast<LPTSTR>(device.c_str()), NULL, NULL, 0);
  if (size > 0) {
    std::vector<BYTE> out(static_cast<size_t>(size));
    DEVMODE* in = static_cast<DEVMODE*>(::GlobalLock(from));
    ok = ::DocumentProperties(NULL, printer, const_cast<LPTSTR>(device.c_str()), reinterpret_cast<DEVMODE*>(out.data()),
                              in, DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK;
    ::GlobalUnlock(from);
    if (ok) {
      HGLOBAL merged = BlockFrom(out.data(), out.size());
      if (merged != NULL) {
        if (m_devMode != NULL) ::GlobalFree(m_devMode);
        m_devMode = merged;
      }
    }
  }
  ::ClosePrinter(printer);
  return ok;
}

// The settings of an older mode carried into the mode of the current printer, as far as its
// driver takes them. The driver merges after each step; what it refuses stays its own.
void QvPageFormat::TransferDevMode(HGLOBAL oldBlock) {
  if (!AfxIsValidDevMode(oldBlock) || !AfxIsValidDevMode(m_devMode)) return;
  std::basic_string<TCHAR> device = DevName(m_devNames, 1);
  HANDLE printer = NULL;
  if (device.empty() || !::OpenPrinter(const_cast<LPTSTR>(device.c_str()), &printer, NULL)) return;
  const LONG driverSize = ::DocumentProperties(NULL, printer, const_cast<LPTSTR>(device.c_str()), NULL, NULL, 0);
  ::ClosePrinter(printer);
  if (driverSize <= 0) return;

  const QvMemory oldBytes = MemoryOf(oldBlock);
  std::vector<BYTE> oldCopy(oldBytes.GetSize() > sizeof(DEVMODE) ? oldBytes.GetSize() : sizeof(DEVMODE), 0);
  memcpy(oldCopy.data(), oldBytes.GetData(), oldBytes.GetSize());
  const DEVMODE& old = *reinterpret_cast<const DEVMODE*>(oldCopy.data());
  auto has = [&old](size_t end) { return end <= old.dmSize; };  // a field the old mode holds
  auto edit = [this](const std::function<void(DEVMODE&)>& change) {
    DEVMODE* dm = static_cast<DEVMODE*>(::GlobalLock(m_devMode));
    if (dm == NULL) return;
    change(*dm);
    ::GlobalUnlock(m_devMode);
  };
  auto current = [this]() {
    DEVMODE dm = {};
    const QvMemory m = MemoryOf(m_devMode);
    memcpy(&dm, m.GetData(), m.GetSize() < sizeof(dm) ? m.GetSize() : sizeof(dm));
    return dm;
  };

  if (current().dmDeviceName[0] == 0) MergeDevMode(oldBlock);

  const bool scales = PrinterSupportsScaling();
  const bool userSize =
      (old.dmFields & DM_PAPERSIZE) == 0 || old.dmPaperSize == 0 || old.dmPaperSize == DMPAPER_USER;
  DWORD fields = old.dmFields & (DM_ORIENTATION | DM_PAPERSIZE | DM_DEFAULTSOURCE | DM_PRINTQUALITY | DM_COLOR |
                                 DM_DUPLEX | DM_YRESOLUTION | DM_TTOPTION | DM_FORMNAME | DM_MEDIATYPE | DM_DITHERTYPE);
  if (scales) fields |= DM_SCALE;
  if (userSize) fields |= old.dmFields & (DM_PAPERLENGTH | DM_PAPERWIDTH);
  edit([&](DEVMODE& dm) {
    const size_t room = dm.dmSize;
    dm.dmFields = fields;
    if (fields & DM_ORIENTATION) dm.dmOrientation = old.dmOrientation;
    if (fields & DM_PAPERSIZE) dm.dmPaperSize = old.dmPaperSize;
    if (fields & DM_PAPERLENGTH) dm.dmPaperLength = old.dmPaperLength;
    if (fields & DM_PAPERWIDTH) dm.dmPaperWidth = old.dmPaperWidth;
    if (scales && (old.dmFields & DM_SCALE)) dm.dmScale = old.dmScale;
    if (fields & DM_DEFAULTSOURCE) dm.dmDefaultSource = old.dmDefaultSource;
    if (fields & DM_PRINTQUALITY) dm.dmPrintQuality = old.dmPrintQuality;
    if (fields & DM_COLOR) dm.dmColor = old.dmColor;
    if (fields & DM_DUPLEX) dm.dmDuplex = old.dmDuplex;
    if (fields & DM_YRESOLUTION) dm.dmYResolution = old.dmYResolution;
    if (fields & DM_TTOPTION) dm.dmTTOption = old.dmTTOption;
    if (fields & DM_FORMNAME) memcpy(dm.dmFormName, old.dmFormName, sizeof(dm.dmFormName));
    const size_t mediaEnd = offsetof(DEVMODE, dmMediaType) + sizeof(dm.dmMediaType);
    const size_t ditherEnd = offsetof(DEVMODE, dmDitherType) + sizeof(dm.dmDitherType);
    if (fields & DM_MEDIATYPE) {
      if (has(mediaEnd) && mediaEnd <= room) dm.dmMediaType = old.dmMediaType;
      else dm.dmFields &= ~DM_MEDIATYPE;
    }
    if (fields & DM_DITHERTYPE) {
      if (has(ditherEnd) && ditherEnd <= room) dm.dmDitherType = old.dmDitherType;
      else dm.dmFields &= ~DM_DITHERTYPE;
    }
  });
  MergeDevMode();

  // The same paper id may be another size on this driver: the old size in figures.
  if (!userSize) {
    const DEVMODE now = current();
    if (old.dmPaperLength > 0 && old.dmPaperWidth > 0 && now.dmPaperLength > 0 && now.dmPaperWidth > 0 &&
        (abs(now.dmPaperLength - old.dmPaperLength) > 5 || abs(now.dmPaperWidth - old.dmPaperWidth) > 5)) {
      edit([&](DEVMODE& dm) {
        dm.dmFields = (dm.dmFields & ~DM_PAPERSIZE) | DM_PAPERLENGTH | DM_PAPERWIDTH;
        dm.dmPaperLength = old.dmPaperLength;
        dm.dmPaperWidth = old.dmPaperWidth;
      });
      MergeDevMode();
    }
  }
  // A paper the driver did not take by figures: by its id again.
  if ((old.dmFields & DM_PAPERSIZE) != 0 && current().dmPaperSize != old.dmPaperSize) {
    edit([&](DEVMODE& dm) {
      dm.dmFields = (dm.dmFields | DM_PAPERSIZE) & ~(DM_PAPERLENGTH | DM_PAPERWIDTH);
      dm.dmPaperSize = old.dmPaperSize;
      dm.dmPaperLength = old.dmPaperLength;
      dm.dmPaperWidth = old.dmPaperWidth;
    });
    MergeDevMode();
  }
  const DEVMODE now = current();
  if ((now.dmFields & DM_ORIENTATION) != 0 && (old.dmFields & DM_ORIENTATION) != 0 &&
      now.dmOrientation != old.dmOrientation) {
    edit([&](DEVMODE& dm) { dm.dmOrientation = old.dmOrientation; });
    MergeDevMode();
  }
}

bool QvPageFormat::FollowPrinter(HGLOBAL names, HGLOBAL mode) {
  if (!AfxIsValidDevNames(names) || !AfxIsValidDevMode(mode)) return false;
  if (SameBlock(names, m_devNames) && SameBlock(mode, m_devMode)) return true;
  HGLOBAL ownNames = AfxCopyGlobal(names), ownMode = AfxCopyGlobal(mode);
  if (ownNames == NULL || ownMode == NULL) {
    if (ownNames != NULL) ::GlobalFree(ownNames);
    if (ownMode != NULL) ::GlobalFree(ownMode);
    return false;
  }
  FreeBlocks();
  m_devNames = ownNames;
  m_devMode = ownMode;
  PlatformToKernel();
  return true;
}

bool QvPageFormat::PrinterSupportsScaling() {
  if (!AfxIsValidDevNames(m_devNames)) return false;
  const DWORD fields = static_cast<DWORD>(
      ::DeviceCapabilities(DevName(m_devNames, 1).c_str(), DevName(m_devNames, 2).c_str(), DC_FIELDS, NULL, NULL));
  return fields != static_cast<DWORD>(-1) && (fields & DM_SCALE) != 0;
}

void QvPageFormat::UseApplyScaling() {
  m_physical = QvRect(MulDivOr0(m_physical.left, 100, Scale()), MulDivOr0(m_physical.top, 100, Scale()),
                      MulDivOr0(m_physical.right, 100, Scale()), MulDivOr0(m_physical.bottom, 100, Scale()));
}

void QvPageFormat::PlatformToKernel() {
  HDC dc = AfxCreateDC(m_devNames, m_devMode);
  if (dc == NULL) return;
  const int horz = ::GetDeviceCaps(dc, HORZRES), vert = ::GetDeviceCaps(dc, VERTRES);
  int width = ::GetDeviceCaps(dc, PHYSICALWIDTH), height = ::GetDeviceCaps(dc, PHYSICALHEIGHT);
  const int offX = ::GetDeviceCaps(dc, PHYSICALOFFSETX), offY = ::GetDeviceCaps(dc, PHYSICALOFFSETY);
  if (width < horz) width = horz;
  if (height < vert) height = vert;
  const int dpiX = ::GetDeviceCaps(dc, LOGPIXELSX), dpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
  ::DeleteDC(dc);
  if (dpiX <= 0 || dpiY <= 0) return;
  m_physical = QvRect(0, 0, ::MulDiv(width, 254, dpiX), ::MulDiv(height, 254, dpiY));
  const long left = ::MulDiv(offX, 254, dpiX), top = ::MulDiv(offY, 254, dpiY);
  m_printable = QvRect(left, top, left + ::MulDiv(horz, 254, dpiX), top + ::MulDiv(vert, 254, dpiY));
  const DEVMODE* dm = static_cast<const DEVMODE*>(::GlobalLock(m_devMode));
  if (dm != NULL) {
    if (PrinterSupportsScaling()) {
      m_scaling = dm->dmScale > 0 ? static_cast<unsigned short>(dm->dmScale) : 100;
    } else {
      UseApplyScaling();
      m_printable = QvRect(MulDivOr0(m_printable.left, 100, Scale()), MulDivOr0(m_printable.top, 100, Scale()),
                           MulDivOr0(m_printable.right, 100, Scale()), MulDivOr0(m_printable.bottom, 100, Scale()));
    }
    m_pageSize = Win2QvPageSizeID(dm->dmPaperSize);
    m_orientation = dm->dmOrientation == DMORIENT_PORTRAIT ? QvPortrait : QvLandscape;
    ::GlobalUnlock(m_devMode);
  }
  m_modified = true;
}

void QvPageFormat::KernelToPlatform() {
  if (!AfxIsValidDevMode(m_devMode)) return;
  const bool driverScales = PrinterSupportsScaling();
  DEVMODE* dm = static_cast<DEVMODE*>(::GlobalLock(m_devMode));
  if (driverScales) {
    dm->dmScale = static_cast<short>(Scale());
    dm->dmPaperLength = static_cast<short>(m_physical.bottom - m_physical.top);
    dm->dmPaperWidth = static_cast<short>(m_physical.right - m_physical.left);
  } else {
    dm->dmPaperLength = static_cast<short>(::MulDiv(m_physical.bottom - m_physical.top, Scale(), 100));
    dm->dmPaperWidth = static_cast<short>(::MulDiv(m_physical.right - m_physical.left, Scale(), 100));
    dm->dmScale = 100;
  }
  dm->dmPaperSize = Qv2WinPageSizeID(m_pageSize);
  dm->dmOrientation = m_orientation == QvLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  dm->dmFields = (dm->dmPaperSize == 0 || dm->dmPaperSize == 256) ? 0x1D : 0x13;
  ::GlobalUnlock(m_devMode);
  MergeDevMode();
  PlatformToKernel();
}

unsigned short QvPageFormat::SetScaling(unsigned short s) {
  const unsigned short old = m_scaling;
  QvWebParameters* web = GetQvWebParameters();
  if ((web == nullptr || !web->IsWebMode()) && AfxIsValidDevMode(m_devMode)) {
    QvRootPageFormat::SetScaling(s);
    const bool driverScales = PrinterSupportsScaling();
    DEVMODE* dm = static_cast<DEVMODE*>(::GlobalLock(m_devMode));
    dm->dmScale = static_cast<short>(driverScales ? Scale() : 100);
    ::GlobalUnlock(m_devMode);
    MergeDevMode();
    PlatformToKernel();
  } else {
    // Full-size bounds, then the new scaling (0 counts as 100 on both sides).
    const long from = Scale();
    QvRootPageFormat::SetScaling(s);
    const long to = Scale();
    auto rescale = [&](QvRect& r) {
      r = QvRect(::MulDiv(r.left, from, to), ::MulDiv(r.top, from, to), ::MulDiv(r.right, from, to),
                 ::MulDiv(r.bottom, from, to));
    };
    rescale(m_physical);
    rescale(m_printable);
  }
  return old;
}

QvSuccess QvPageFormat::Validate() {
  if (m_devNames == NULL || m_devMode == NULL) {
    if (!TakeDefaultPrinter()) return QvSuccess(false);
    KernelToPlatform();
    return QvSuccess(true);
  }
  if (PrinterAvailable(DevName(m_devNames, 1))) {
    HDC dc = AfxCreateDC(m_devNames, m_devMode);
    if (dc != NULL) {
      ::DeleteDC(dc);
      return QvSuccess(true);
    }
  }
  // The stored printer is gone: the default one, with what of the stored settings it takes.
  HGLOBAL oldMode = AfxCopyGlobal(m_devMode);
  const unsigned short scaling = m_scaling;
  if (!TakeDefaultPrinter()) {
    if (oldMode != NULL) ::GlobalFree(oldMode);
    return QvSuccess(false);
  }
  TransferDevMode(oldMode);
  if (oldMode != NULL) ::GlobalFree(oldMode);
  SetScaling(scaling);
  PlatformToKernel();
  return QvSuccess(true);
}

bool QvPageFormat::SetDevMode() {
  if (!Validate()) return false;
  CWinApp* app = AfxGetApp();
  if (app == NULL) return false;
  // The application gets copies: the page format keeps (and frees) its own blocks.
  app->SelectPrinter(AfxCopyGlobal(m_devNames), AfxCopyGlobal(m_devMode), TRUE);
  return true;
}

void QvPageFormat::ResetDevMode() {
  if (CWinApp* app = AfxGetApp()) app->SelectPrinter(NULL, NULL, TRUE);
}

QvSuccess QvPageFormat::ChangePrinter(const QvString& name) {
  CString printerName(ucs2string::FromUtf8(name.c_str()).c_str());
  HANDLE printer = NULL;
  if (printerName.IsEmpty() || !::OpenPrinter(const_cast<LPTSTR>(static_cast<LPCTSTR>(printerName)), &printer, NULL))
    return QvSuccess(false);
  DWORD needed = 0;
  ::GetPrinter(printer, 2, NULL, 0, &needed);
  std::vector<BYTE> buf(needed);
  bool ok = needed != 0 && ::GetPrinter(printer, 2, buf.data(), needed, &needed);
  ::ClosePrinter(printer);
  const PRINTER_INFO_2* info = reinterpret_cast<const PRINTER_INFO_2*>(buf.data());
  if (!ok || info->pDevMode == NULL) return QvSuccess(false);
  // The printer's mode as long as it says it is, its driver's extra bytes included.
  HGLOBAL mode = BlockFrom(info->pDevMode, info->pDevMode->dmSize + info->pDevMode->dmDriverExtra);
  HGLOBAL names = MakeDevNames(info->pDriverName != NULL ? info->pDriverName : _T(""), info->pPrinterName,
                               info->pPortName != NULL ? info->pPortName : _T(""));
  if (mode == NULL || names == NULL) {
    if (mode != NULL) ::GlobalFree(mode);
    if (names != NULL) ::GlobalFree(names);
    return QvSuccess(false);
  }
  FreeBlocks();
  m_devNames = names;
  m_devMode = mode;
  return QvSuccess(true);
}

QvSuccess QvPageFormat::SavePlatformFormat(QvContainer* container) {
  ItemUse item(container->CreateItem(kWindowsItem));
  if (item.get() == nullptr) return QvSuccess(false);
  QvVirtualOutputStream* stream = item.get()->GetOutputStream();
  if (stream == nullptr) return QvSuccess(false);
  QvArchiveOut ar(*stream, kWindowsVersion);
  QvDateTime now = QvDateTime::Now();
  ar.WriteObject(&now);
  ar << MemoryOf(m_devNames) << MemoryOf(m_devMode);
  return QvSuccess(ar.IsValid());
}

QvSuccess QvPageFormat::LoadPlatformFormat(QvContainer* container, const QvDateTime& kernelTime) {
  QvDateTime saved;
  QvMemory names, mode;
  {
    ItemUse item(container->FindItem(kWindowsItem));
    if (item.get() == nullptr) {
      // A document from before the Windows part: margins in hundredths of millimetres.
      m_margins = QvRect(m_margins.left * 10, m_margins.top * 10, m_margins.right * 10, m_margins.bottom * 10);
      if (m_devMode != NULL) KernelToPlatform();
      return QvSuccess(true);
    }
    QvVirtualInputStream* stream = item.get()->GetInputStream();
    if (stream == nullptr) return QvSuccess(false);
    QvArchiveIn ar(*stream, &kWindowsVersion);
    QvFirst* time = ar.IsValid() ? ar.ReadObject(QV_RUNTIME_CLASS(QvDateTime)) : nullptr;
    if (time == nullptr) return QvSuccess(false);
    saved = *static_cast<QvDateTime*>(time);
    delete time;
    ar >> names >> mode;
    if (!ar.IsValid()) return QvSuccess(false);
  }
  if (saved < kernelTime) {
    if (m_devMode != NULL) KernelToPlatform();
    return QvSuccess(true);
  }
  // Stored blocks are checked before anything uses them: sizes and offsets must fit.
  HGLOBAL newNames = names.IsEmpty() ? NULL : BlockFrom(names.GetData(), names.GetSize());
  HGLOBAL newMode = mode.IsEmpty() ? NULL : BlockFrom(mode.GetData(), mode.GetSize());
  if ((newNames != NULL && !AfxIsValidDevNames(newNames)) || (newMode != NULL && !AfxIsValidDevMode(newMode))) {
    if (newNames != NULL) ::GlobalFree(newNames);
    if (newMode != NULL) ::GlobalFree(newMode);
    return QvSuccess(false);
  }
  if (newNames != NULL) {
    if (m_devNames != NULL) ::GlobalFree(m_devNames);
    m_devNames = newNames;
  }
  if (newMode != NULL) {
    if (m_devMode != NULL) ::GlobalFree(m_devMode);
    m_devMode = newMode;
    if (PrinterAvailable(DevName(m_devNames, 1))) {
      // A fresh mode of the driver's own, the stored one merged into it and its settings
      // carried over; a stored scale the driver did not take is set again.
      HGLOBAL stored = AfxCopyGlobal(m_devMode);
      MergeDevMode(stored);
      TransferDevMode(stored);
      const DEVMODE* was = static_cast<const DEVMODE*>(::GlobalLock(stored));
      const bool storedScale = was != NULL && (was->dmFields & DM_SCALE) != 0;
      const short scale = was != NULL ? was->dmScale : 0;
      if (was != NULL) ::GlobalUnlock(stored);
      DEVMODE* dm = storedScale ? static_cast<DEVMODE*>(::GlobalLock(m_devMode)) : NULL;
      if (dm != NULL) {
        const bool differs = dm->dmScale != scale;
        if (differs) {
          dm->dmScale = scale;
          dm->dmFields |= DM_SCALE;
        }
        ::GlobalUnlock(m_devMode);
        if (differs) MergeDevMode();
      }
      if (stored != NULL) ::GlobalFree(stored);
    } else if (Validate()) {
      KernelToPlatform();
    }
  }
  if (m_printable.IsRectEmpty() && Validate()) PlatformToKernel();
  return QvSuccess(true);
}

QvSuccess QvPageFormat::PageSetupDlgW(bool useLocale) {
  QvHourGlass(QvHourBegin);
  // Metric by the user locale (unless it measures in U.S. units), or by the user's report
  // preferences.
  bool metric;
  if (useLocale) {
    TCHAR measure[4] = {0};
    ::GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, 4);
    metric = lstrcmp(measure, _T("1")) != 0;
  } else {
    metric = QvGetReportMeasurementUnits() == 1;
  }
  if (!Validate()) {
    QvHourGlass(QvHourEnd);
    if (CWinApp* app = AfxGetApp()) {
      CPrintDialog setup(TRUE, PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_NOSELECTION);
      app->DoPrintDialog(&setup);
    }
    return QvSuccess(false);
  }
  PAGESETUPDLG psd;
  memset(&psd, 0, sizeof(psd));
  psd.lStructSize = sizeof(psd);
  CWnd* owner = AfxGetMainWnd();
  psd.hwndOwner = owner != NULL ? owner->GetSafeHwnd() : NULL;
  psd.hDevMode = m_devMode;
  psd.hDevNames = m_devNames;
  auto toDialog = [metric](long um) { return metric ? um / 10 : um * 10 / 254; };
  psd.rtMargin = RECT{toDialog(m_margins.left), toDialog(m_margins.top), toDialog(m_margins.right),
                      toDialog(m_margins.bottom)};
  psd.Flags = PSD_MARGINS | (metric ? PSD_INHUNDREDTHSOFMILLIMETERS : PSD_INTHOUSANDTHSOFINCHES);
  const bool ok = ::PageSetupDlg(&psd) != FALSE;
  if (ok) {
    // Blocks the dialog replaced are freed once (the dialog may have freed them itself).
    if (psd.hDevNames != m_devNames && m_devNames != NULL && ::GlobalFlags(m_devNames) != GMEM_INVALID_HANDLE)
      ::GlobalFree(m_devNames);
    if (psd.hDevMode != m_devMode && m_devMode != NULL && ::GlobalFlags(m_devMode) != GMEM_INVALID_HANDLE)
      ::GlobalFree(m_devMode);
    m_devNames = psd.hDevNames;
    m_devMode = psd.hDevMode;
    PlatformToKernel();
    auto fromDialog = [metric](long v) { return metric ? v * 10 : v * 254 / 10; };
    SetMarginRect(QvRect(fromDialog(psd.rtMargin.left), fromDialog(psd.rtMargin.top), fromDialog(psd.rtMargin.right),
                         fromDialog(psd.rtMargin.bottom)));
  }
  QvHourGlass(QvHourEnd);
  return QvSuccess(ok);
}
