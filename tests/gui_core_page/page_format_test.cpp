// Page formats on the real "PDF" printer: the two archive items round trip, older kernel
// versions load with their defaults, damaged items are refused and change nothing, a
// scaling of 0 counts as 100 %, stored printers that are gone give way to the default one,
// printers are changed by name, the application gets copies of the blocks, and the page
// setup dialog gives its margins back in micrometres.
#include <gtest/gtest.h>

#include <QvPageFormat.h>
#include <framework.h>
#include <solvane.h>

#include <stddef.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "test_support.h"

using testing_support::DialogDriver;

namespace {

CWinApp g_app(_T("PageFormatTest"));

const QvVersionDescriptor kKernel("V1.0.3", "Qv 4 Kernel Page Format", 1.03);
const QvVersionDescriptor kKernel101("V1.01", "Qv 4 Kernel Page Format", 1.01);
const QvVersionDescriptor kWindows("V1.01", "Tavrine V1 Platform Page Format", 1.01);

// The fields of a kernel item, written in their order for the version given.
struct KernelFields {
  long orientation = 1, pageSize = 9;
  QvRect margins{20000, 21000, 22000, 23000};  // left, top, right, bottom
  QvRect physical{0, 0, 2099, 2970};
  unsigned short scaling = 100;
  QvRect printable{50, 50, 2049, 2920};
  long fit = 1;
  unsigned short tall = 2, wide = 3;
  long order = 0;
  unsigned short first = 5;
};

std::string KernelBytes(const KernelFields& f, const QvVersionDescriptor& version, const QvDateTime& when) {
  QvMemoryOutputStream out;
  QvArchiveOut ar(out, version);
  QvDateTime t = when;
  ar.WriteObject(&t);
  ar << f.orientation << f.pageSize << f.margins.top << f.margins.left << f.margins.bottom << f.margins.right;
  ar << f.physical.top << f.physical.left << f.physical.bottom << f.physical.right << f.scaling;
  if (version.IsAtLeast(1.02)) ar << f.printable.top << f.printable.left << f.printable.bottom << f.printable.right;
  if (version.IsAtLeast(1.03)) ar << f.fit << f.tall << f.wide << f.order << f.first;
  return out.GetBytes();
}

std::string WindowsBytes(const QvMemory& names, const QvMemory& mode, const QvDateTime& when) {
  QvMemoryOutputStream out;
  QvArchiveOut ar(out, kWindows);
  QvDateTime t = when;
  ar.WriteObject(&t);
  ar << names << mode;
  return out.GetBytes();
}

void PutItem(QvContainer& c, const char* name, const std::string& bytes) {
  QvContainerItem* item = c.CreateItem(name);
  item->GetOutputStream()->WriteBytes(bytes.data(), bytes.size());
  item->CloseStream();
  item->Release();
}

QvMemory Bytes(HGLOBAL h) {
  QvMemory m;
  if (h != NULL) {
    m.Assign(GlobalLock(h), GlobalSize(h));
    GlobalUnlock(h);
  }
  return m;
}

std::wstring DeviceOf(HGLOBAL names) {
  CPrintDialog pd(FALSE);
  pd.m_pd.hDevNames = names;
  std::wstring device(CStringW(pd.GetDeviceName()).GetString());
  pd.m_pd.hDevNames = NULL;
  return device;
}

HGLOBAL Block(const QvMemory& m) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, m.GetSize());
  memcpy(GlobalLock(h), m.GetData(), m.GetSize());
  GlobalUnlock(h);
  return h;
}

DEVMODE ModeOf(HGLOBAL mode) {
  DEVMODE dm = {};
  memcpy(&dm, GlobalLock(mode), sizeof(dm) < GlobalSize(mode) ? sizeof(dm) : GlobalSize(mode));
  GlobalUnlock(mode);
  return dm;
}

// The device names of a printer that is not installed.
const TCHAR kGonePrinter[] = _T("Printer That Left");
QvMemory GonePrinterNames() {
  std::vector<TCHAR> names(sizeof(DEVNAMES) / sizeof(TCHAR) + 9 + 18 + 5, 0);
  DEVNAMES* dn = reinterpret_cast<DEVNAMES*>(names.data());
  dn->wDriverOffset = sizeof(DEVNAMES) / sizeof(TCHAR);
  lstrcpy(names.data() + dn->wDriverOffset, _T("winspool"));
  dn->wDeviceOffset = static_cast<WORD>(dn->wDriverOffset + 9);
  lstrcpy(names.data() + dn->wDeviceOffset, kGonePrinter);
  dn->wOutputOffset = static_cast<WORD>(dn->wDeviceOffset + 18);
  lstrcpy(names.data() + dn->wOutputOffset, _T("LPT9"));
  return QvMemory(names.data(), names.size() * sizeof(TCHAR));
}

QvDateTime Yesterday() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft);
  ULARGE_INTEGER u{{ft.dwLowDateTime, ft.dwHighDateTime}};
  u.QuadPart -= 864000000000ULL;
  ft = FILETIME{u.LowPart, u.HighPart};
  FileTimeToSystemTime(&ft, &st);
  return QvDateTime::FromSystemTime(st, QvZone::Local());
}

TEST(PageFormat, SavedAndLoadedAsItWas) {
  QvPageFormat pf(true);
  ASSERT_NE(pf.GetDevNames(), nullptr) << "no default printer";
  EXPECT_EQ(DeviceOf(pf.GetDevNames()), L"PDF");
  pf.SetMarginRect(QvRect(12700, 25400, 10000, 5000));
  pf.SetFitToPrint(true);
  pf.SetFitTall(2);
  pf.SetFitWide(3);
  pf.SetPageOrder(QvDownThenOver);
  pf.SetFirstPageNumber(7);
  QvContainer doc;
  ASSERT_TRUE(pf.Save(&doc).Succeeded());
  EXPECT_FALSE(pf.IsModified());

  QvPageFormat back(false);
  ASSERT_TRUE(back.Load(&doc).Succeeded());
  // The driver merges the stored mode on loading: the settings are compared, not the bytes.
  EXPECT_TRUE(back == pf);
  EXPECT_TRUE(Bytes(back.GetDevNames()) == Bytes(pf.GetDevNames()));
  const DEVMODE saved = ModeOf(pf.GetDevModeBlock()), loaded = ModeOf(back.GetDevModeBlock());
  EXPECT_EQ(loaded.dmOrientation, saved.dmOrientation);
  EXPECT_EQ(loaded.dmPaperSize, saved.dmPaperSize);
  EXPECT_EQ(loaded.dmScale, saved.dmScale);
  EXPECT_EQ(back.GetMargins(), QvRect(12700, 25400, 10000, 5000));
  EXPECT_EQ(back.GetFirstPageNumber(), 7);
  EXPECT_FALSE(back.IsModified());

  QvContainer empty;
  EXPECT_FALSE(back.Load(&empty).Succeeded());
}

TEST(PageFormat, OlderKernelItemsLoadWithTheirDefaults) {
  KernelFields f;
  QvContainer doc;
  PutItem(doc, "KernelPageFormat", KernelBytes(f, kKernel101, QvDateTime::Now()));
  QvPageFormat pf(false);
  ASSERT_TRUE(pf.Load(&doc).Succeeded());
  QvRect printable;
  pf.GetPrintablePageBounds(&printable);
  EXPECT_EQ(printable, QvRect(0, 0, 0, 0));
  EXPECT_FALSE(pf.GetFitToPrint());
  EXPECT_EQ(pf.GetFitTall(), 1);
  EXPECT_EQ(pf.GetFitWide(), 1);
  EXPECT_EQ(pf.GetPageOrder(), QvOverThenDown);
  EXPECT_EQ(pf.GetFirstPageNumber(), 1);
  // Without a Windows item the margins were hundredths of millimetres.
  EXPECT_EQ(pf.GetMargins(), QvRect(200000, 210000, 220000, 230000));
  EXPECT_EQ(pf.GetOrientation(), QvLandscape);
}

// Damaged kernel items: refused, and the page format keeps what it had.
TEST(PageFormat, DamagedKernelItemsAreRefused) {
  const std::string good = KernelBytes(KernelFields(), kKernel, QvDateTime::Now());
  struct Case {
    const char* what;
    std::string bytes;
  };
  std::vector<Case> cases;
  for (size_t cut : {size_t(0), size_t(3), size_t(20), good.size() / 2, good.size() - 1})
    cases.push_back({"truncated", good.substr(0, cut)});
  {
    KernelFields f;
    f.orientation = 7;
    cases.push_back({"orientation 7", KernelBytes(f, kKernel, QvDateTime::Now())});
  }
  {
    KernelFields f;
    f.margins.left = -5;
    cases.push_back({"negative margin", KernelBytes(f, kKernel, QvDateTime::Now())});
  }
  {
    KernelFields f;
    f.physical.right = 0x7FFFFFFF;
    cases.push_back({"huge page", KernelBytes(f, kKernel, QvDateTime::Now())});
  }
  {
    KernelFields f;
    f.printable = QvRect(100, 100, 50, 50);
    cases.push_back({"inverted printable bounds", KernelBytes(f, kKernel, QvDateTime::Now())});
  }
  {
    QvVersionDescriptor other("V1.0.3", "Some Other Format", 1.03);
    cases.push_back({"another format", KernelBytes(KernelFields(), other, QvDateTime::Now())});
  }
  for (const Case& c : cases) {
    QvContainer doc;
    PutItem(doc, "KernelPageFormat", c.bytes);
    QvPageFormat pf(false);
    const QvPageFormat before(pf);
    EXPECT_FALSE(pf.Load(&doc).Succeeded()) << c.what;
    EXPECT_TRUE(pf == before) << c.what;
  }
}

// Damaged Windows items: the device blocks are checked before any use.
TEST(PageFormat, DamagedDeviceBlocksAreRefused) {
  QvPageFormat printer(true);
  ASSERT_NE(printer.GetDevModeBlock(), nullptr);
  const QvMemory names = Bytes(printer.GetDevNames());
  const QvMemory mode = Bytes(printer.GetDevModeBlock());
  auto damagedNames = [&](std::function<void(DEVNAMES*, QvMemory&)> f) {
    QvMemory m = names;
    f(reinterpret_cast<DEVNAMES*>(m.GetData()), m);
    return m;
  };
  auto damagedMode = [&](std::function<void(DEVMODE*, QvMemory&)> f) {
    QvMemory m = mode;
    f(reinterpret_cast<DEVMODE*>(m.GetData()), m);
    return m;
  };
  struct Case {
    const char* what;
    QvMemory names, mode;
  };
  const Case cases[] = {
      {"device offset past the end", damagedNames([](DEVNAMES* d, QvMemory&) { d->wDeviceOffset = 0xFFFF; }), mode},
      {"names cut in the header", damagedNames([](DEVNAMES*, QvMemory& m) { m.SetSize(5); }), mode},
      {"mode longer than its block", names, damagedMode([](DEVMODE* d, QvMemory&) { d->dmDriverExtra = 0x7FFF; })},
      {"mode cut short", names, damagedMode([](DEVMODE*, QvMemory& m) { m.SetSize(30); })},
  };
  for (const Case& c : cases) {
    QvContainer doc;
    PutItem(doc, "KernelPageFormat", KernelBytes(KernelFields(), kKernel, Yesterday()));
    PutItem(doc, "WindowsPageFormat", WindowsBytes(c.names, c.mode, QvDateTime::Now()));
    QvPageFormat pf(true);
    const QvMemory namesBefore = Bytes(pf.GetDevNames()), modeBefore = Bytes(pf.GetDevModeBlock());
    EXPECT_FALSE(pf.Load(&doc).Succeeded()) << c.what;
    EXPECT_TRUE(Bytes(pf.GetDevNames()) == namesBefore) << c.what;
    EXPECT_TRUE(Bytes(pf.GetDevModeBlock()) == modeBefore) << c.what;
    // The same blocks as the printer of a print job.
    HGLOBAL jobNames = Block(c.names), jobMode = Block(c.mode);
    EXPECT_FALSE(pf.FollowPrinter(jobNames, jobMode)) << c.what;
    EXPECT_TRUE(Bytes(pf.GetDevNames()) == namesBefore) << c.what;
    EXPECT_TRUE(Bytes(pf.GetDevModeBlock()) == modeBefore) << c.what;
    GlobalFree(jobNames);
    GlobalFree(jobMode);
  }
}

// A Windows item older than the kernel item: the kernel's settings go into the device mode.
TEST(PageFormat, OlderWindowsItemTakesTheKernelSettings) {
  QvPageFormat printer(true);
  KernelFields f;
  f.orientation = QvLandscape;
  QvContainer doc;
  PutItem(doc, "KernelPageFormat", KernelBytes(f, kKernel, QvDateTime::Now()));
  PutItem(doc, "WindowsPageFormat",
          WindowsBytes(Bytes(printer.GetDevNames()), Bytes(printer.GetDevModeBlock()), Yesterday()));
  QvPageFormat pf(true);
  ASSERT_TRUE(pf.Load(&doc).Succeeded());
  EXPECT_EQ(ModeOf(pf.GetDevModeBlock()).dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(pf.GetOrientation(), QvLandscape);
}

// A sound kernel item with a platform item that does not load: nothing of either is taken.
TEST(PageFormat, LoadingIsAllOrNothing) {
  QvPageFormat printer(true);
  ASSERT_NE(printer.GetDevModeBlock(), nullptr);
  const std::string windows =
      WindowsBytes(Bytes(printer.GetDevNames()), Bytes(printer.GetDevModeBlock()), QvDateTime::Now());
  KernelFields f;  // every field differs from a fresh page format's
  f.margins = QvRect(1000, 2000, 3000, 4000);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"platform item empty", std::string()},
      {"platform item cut in its time", windows.substr(0, 12)},
      {"platform item cut in its blocks", windows.substr(0, windows.size() / 2)},
      {"platform item one byte short", windows.substr(0, windows.size() - 1)},
  };
  for (const auto& c : cases) {
    QvContainer doc;
    PutItem(doc, "KernelPageFormat", KernelBytes(f, kKernel, Yesterday()));
    PutItem(doc, "WindowsPageFormat", c.bytes);
    QvPageFormat pf(true);
    pf.SetMarginRect(QvRect(11, 12, 13, 14));
    const QvPageFormat before(pf);
    EXPECT_FALSE(pf.Load(&doc).Succeeded()) << c.what;
    EXPECT_TRUE(pf == before) << c.what;
    EXPECT_EQ(pf.GetMargins(), QvRect(11, 12, 13, 14)) << c.what;
    EXPECT_EQ(pf.GetFirstPageNumber(), 1) << c.what;
    EXPECT_FALSE(pf.GetFitToPrint()) << c.what;
    EXPECT_TRUE(pf.IsModified()) << c.what;
  }
}

// Formats compare by their settings: a save and load, or bytes that follow a name's
// terminator, make no difference; a setting does.
TEST(PageFormat, FormatsCompareBySettings) {
  QvPageFormat pf(true);
  ASSERT_NE(pf.GetDevModeBlock(), nullptr);
  pf.SetMarginRect(QvRect(12700, 25400, 10000, 5000));
  QvContainer doc;
  ASSERT_TRUE(pf.Save(&doc).Succeeded());
  QvPageFormat back(false);
  ASSERT_TRUE(back.Load(&doc).Succeeded());
  EXPECT_TRUE(back == pf);

  auto scribble = [](HGLOBAL block, size_t offset, size_t bytes) {
    BYTE* p = static_cast<BYTE*>(GlobalLock(block));
    for (size_t i = 0; i < bytes; ++i) p[offset + i] = static_cast<BYTE>(0xA5 + i);
    GlobalUnlock(block);
  };
  const DEVMODE dm = ModeOf(pf.GetDevModeBlock());
  const size_t deviceEnd = (lstrlen(reinterpret_cast<LPCTSTR>(dm.dmDeviceName)) + 1) * sizeof(TCHAR);
  const size_t formEnd = (lstrlen(reinterpret_cast<LPCTSTR>(dm.dmFormName)) + 1) * sizeof(TCHAR);
  ASSERT_LT(deviceEnd + 4, sizeof(dm.dmDeviceName));
  ASSERT_LT(formEnd + 4, sizeof(dm.dmFormName));
  QvPageFormat copy(pf);
  scribble(copy.GetDevModeBlock(), offsetof(DEVMODE, dmDeviceName) + deviceEnd, 4);
  scribble(copy.GetDevModeBlock(), offsetof(DEVMODE, dmFormName) + formEnd, 4);
  EXPECT_TRUE(copy == pf);
  EXPECT_FALSE(Bytes(copy.GetDevModeBlock()) == Bytes(pf.GetDevModeBlock()));

  const struct {
    const char* what;
    std::function<void(DEVMODE&)> change;
  } settings[] = {
      {"orientation", [](DEVMODE& d) { d.dmOrientation = d.dmOrientation == 1 ? 2 : 1; }},
      {"paper", [](DEVMODE& d) { d.dmPaperSize = d.dmPaperSize == 1 ? 9 : 1; }},
      {"fields", [](DEVMODE& d) { d.dmFields ^= DM_COLLATE; }},
      {"device", [](DEVMODE& d) { d.dmDeviceName[0] = 'X'; }},
  };
  for (const auto& c : settings) {
    QvPageFormat other(pf);
    DEVMODE* d = static_cast<DEVMODE*>(GlobalLock(other.GetDevModeBlock()));
    c.change(*d);
    GlobalUnlock(other.GetDevModeBlock());
    EXPECT_FALSE(other == pf) << c.what;
  }
}

// Loads a document whose stored mode is the default printer's as `change` leaves it, stored
// for that printer or, when `gone`, for a printer that is not installed (the kernel item is
// older); answers the loaded page format's device and mode.
DEVMODE LoadedWithStoredMode(bool gone, const std::function<void(DEVMODE&)>& change, std::wstring& device) {
  QvPageFormat printer(true);
  EXPECT_NE(printer.GetDevModeBlock(), nullptr);
  QvMemory mode = Bytes(printer.GetDevModeBlock());
  DEVMODE* dm = reinterpret_cast<DEVMODE*>(mode.GetData());
  if (gone) lstrcpyn(reinterpret_cast<LPTSTR>(dm->dmDeviceName), kGonePrinter, CCHDEVICENAME);
  change(*dm);
  QvContainer doc;
  PutItem(doc, "KernelPageFormat", KernelBytes(KernelFields(), kKernel, Yesterday()));
  PutItem(doc, "WindowsPageFormat",
          WindowsBytes(gone ? GonePrinterNames() : Bytes(printer.GetDevNames()), mode, QvDateTime::Now()));
  QvPageFormat pf(false);
  EXPECT_TRUE(pf.Load(&doc).Succeeded());
  device = DeviceOf(pf.GetDevNames());
  return ModeOf(pf.GetDevModeBlock());
}

// A stored printer that is gone gives way to the default printer; the orientation stays.
TEST(PageFormat, GonePrinterReplacedByTheDefaultKeepingItsSettings) {
  std::wstring device;
  const DEVMODE now = LoadedWithStoredMode(
      true,
      [](DEVMODE& dm) {
        dm.dmOrientation = DMORIENT_LANDSCAPE;
        dm.dmFields |= DM_ORIENTATION;
      },
      device);
  EXPECT_EQ(device, L"PDF");
  EXPECT_EQ(now.dmOrientation, DMORIENT_LANDSCAPE);
}

// A stored printer that is gone: the settings of its mode that the default printer's driver
// takes are carried over, not only orientation and paper.
TEST(PageFormat, GonePrinterSettingsCarryOver) {
  const DEVMODE fresh = ModeOf(QvPageFormat(true).GetDevModeBlock());
  const short colour = fresh.dmColor == DMCOLOR_COLOR ? DMCOLOR_MONOCHROME : DMCOLOR_COLOR;
  std::wstring device;
  const DEVMODE now = LoadedWithStoredMode(
      true,
      [colour](DEVMODE& dm) {
        dm.dmFields |= DM_COLOR | DM_PRINTQUALITY | DM_YRESOLUTION;
        dm.dmColor = colour;
        dm.dmPrintQuality = 300;
        dm.dmYResolution = 300;
      },
      device);
  ASSERT_EQ(device, L"PDF");
  EXPECT_EQ(now.dmColor, colour);
  EXPECT_EQ(now.dmPrintQuality, 300);
  EXPECT_EQ(now.dmYResolution, 300);
}

// A stored mode of an installed printer, newer than the kernel: the driver's fresh mode takes
// its settings (paper, orientation, colour, scale).
TEST(PageFormat, StoredModeOfAnInstalledPrinterIsTakenWhole) {
  QvPageFormat printer(true);
  ASSERT_NE(printer.GetDevModeBlock(), nullptr);
  const bool scales = printer.PrinterSupportsScaling();
  const DEVMODE fresh = ModeOf(printer.GetDevModeBlock());
  const short paper = fresh.dmPaperSize == DMPAPER_LETTER ? DMPAPER_A4 : DMPAPER_LETTER;
  const short orientation = fresh.dmOrientation == DMORIENT_PORTRAIT ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  const short colour = fresh.dmColor == DMCOLOR_COLOR ? DMCOLOR_MONOCHROME : DMCOLOR_COLOR;
  std::wstring device;
  const DEVMODE now = LoadedWithStoredMode(
      false,
      [&](DEVMODE& dm) {
        dm.dmFields |= DM_PAPERSIZE | DM_ORIENTATION | DM_COLOR | DM_SCALE;
        dm.dmPaperSize = paper;
        dm.dmOrientation = orientation;
        dm.dmColor = colour;
        dm.dmScale = 50;
      },
      device);
  EXPECT_EQ(device, L"PDF");
  EXPECT_EQ(now.dmPaperSize, paper);
  EXPECT_EQ(now.dmOrientation, orientation);
  EXPECT_EQ(now.dmColor, colour);
  EXPECT_EQ(now.dmScale, scales ? 50 : fresh.dmScale);
}

// A stored paper of the user's own size (length and width, no paper id) keeps its figures.
TEST(PageFormat, StoredUserPaperSizeKeepsItsFigures) {
  std::wstring device;
  const DEVMODE now = LoadedWithStoredMode(
      false,
      [](DEVMODE& dm) {
        dm.dmFields = (dm.dmFields & ~DM_PAPERSIZE) | DM_PAPERLENGTH | DM_PAPERWIDTH;
        dm.dmPaperSize = 0;
        dm.dmPaperLength = 1500;
        dm.dmPaperWidth = 1000;
      },
      device);
  EXPECT_EQ(now.dmFields & (DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH),
            static_cast<DWORD>(DM_PAPERLENGTH | DM_PAPERWIDTH));
  EXPECT_EQ(now.dmPaperLength, 1500);
  EXPECT_EQ(now.dmPaperWidth, 1000);
}

// The page-setup dialog measures by the user locale, or else by the report preferences.
TEST(PageFormat, PageSetupUnitsFollowLocaleOrPreferences) {
  TCHAR measure[4] = {0};
  GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, 4);
  const bool localeInches = lstrcmp(measure, _T("1")) == 0;
  const struct {
    bool useLocale;
    unsigned short units;  // of the report preferences: 1 metric
    bool inches;
  } cases[] = {
      {false, 1, false},
      {false, 0, true},
      {true, static_cast<unsigned short>(localeInches ? 1 : 0), localeInches},
  };
  const unsigned short unitsBefore = QvGetReportMeasurementUnits();
  for (const auto& c : cases) {
    QvSetReportMeasurementUnits(c.units);
    QvPageFormat pf(true);
    pf.SetMarginRect(QvRect(20000, 10000, 20000, 10000));
    const int kTopMargin = 0x484;
    DialogDriver driver({{kTopMargin, [](HWND dlg) { DialogDriver::Press(dlg, IDOK); }}});
    ASSERT_TRUE(pf.PageSetupDlgW(c.useLocale).Succeeded());
    EXPECT_EQ(driver.done(), 1u);
    // Thousandths of an inch lose what a micrometre figure does not fill.
    auto back = [&c](long um) { return c.inches ? um * 10 / 254 * 254 / 10 : um / 10 * 10; };
    EXPECT_EQ(pf.GetMargins(), QvRect(back(20000), back(10000), back(20000), back(10000)))
        << c.useLocale << " " << c.units;
  }
  QvSetReportMeasurementUnits(unitsBefore);
}

// A stored scaling of 0 computes as 100 %.
TEST(PageFormat, ScalingZeroCountsAsFull) {
  KernelFields f;
  QvContainer full, zero;
  PutItem(full, "KernelPageFormat", KernelBytes(f, kKernel, QvDateTime::Now()));
  f.scaling = 0;
  PutItem(zero, "KernelPageFormat", KernelBytes(f, kKernel, QvDateTime::Now()));
  QvPageFormat a(false), b(false);
  ASSERT_TRUE(a.Load(&full).Succeeded());
  ASSERT_TRUE(b.Load(&zero).Succeeded());
  QvRect bodyA, bodyB, marginsA, marginsB;
  a.GetBodyRect(&bodyA);
  b.GetBodyRect(&bodyB);
  a.GetMarginRect(&marginsA);
  b.GetMarginRect(&marginsB);
  EXPECT_EQ(bodyA, bodyB);
  EXPECT_EQ(marginsA, marginsB);
  b.UseApplyScaling();
  QvRect page;
  b.GetPhysicalPageBounds(&page);
  EXPECT_GT(page.right, 0);
  EXPECT_EQ(b.SetScaling(50), 0);
}

TEST(PageFormat, ChangePrinterCopiesTheWholeModeOrChangesNothing) {
  QvPageFormat pf(false);
  ASSERT_TRUE(pf.ChangePrinter(QvString("PDF")).Succeeded());
  EXPECT_EQ(DeviceOf(pf.GetDevNames()), L"PDF");
  const DEVMODE dm = ModeOf(pf.GetDevModeBlock());
  EXPECT_EQ(GlobalSize(pf.GetDevModeBlock()), static_cast<SIZE_T>(dm.dmSize + dm.dmDriverExtra));
  EXPECT_TRUE(AfxIsValidDevMode(pf.GetDevModeBlock()));
  const QvMemory before = Bytes(pf.GetDevNames());
  EXPECT_FALSE(pf.ChangePrinter(QvString("No Such Printer")).Succeeded());
  EXPECT_TRUE(Bytes(pf.GetDevNames()) == before);
}

TEST(PageFormat, TheApplicationGetsCopiesOfTheBlocks) {
  g_app.SelectPrinter(NULL, NULL);
  {
    QvPageFormat pf(true);
    ASSERT_TRUE(pf.SetDevMode());
    EXPECT_NE(g_app.m_hDevNames, pf.GetDevNames());
    EXPECT_NE(g_app.m_hDevMode, pf.GetDevModeBlock());
    EXPECT_TRUE(Bytes(g_app.m_hDevNames) == Bytes(pf.GetDevNames()));
  }
  // The page format is gone; the application's printer is still whole.
  EXPECT_TRUE(AfxIsValidDevNames(g_app.m_hDevNames));
  EXPECT_TRUE(AfxIsValidDevMode(g_app.m_hDevMode));
  QvPageFormat::ResetDevMode();
  EXPECT_EQ(g_app.m_hDevNames, nullptr);
  EXPECT_EQ(g_app.m_hDevMode, nullptr);
}

TEST(PageFormat, PageSetupGivesTheMarginsBackInMicrometres) {
  QvPageFormat pf(true);
  pf.SetMarginRect(QvRect(25400, 12700, 20000, 10000));
  const int kTopMargin = 0x484;
  DialogDriver driver({{kTopMargin, [](HWND dlg) { DialogDriver::Press(dlg, IDOK); }}});
  ASSERT_TRUE(pf.PageSetupDlgW(true).Succeeded());
  EXPECT_EQ(driver.done(), 1u);
  // The dialog shows hundredths of millimetres or thousandths of inches, by the locale.
  TCHAR measure[4] = {0};
  GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, 4);
  const bool inches = lstrcmp(measure, _T("1")) == 0;
  auto back = [inches](long um) { return inches ? um * 10 / 254 * 254 / 10 : um / 10 * 10; };
  EXPECT_EQ(pf.GetMargins(), QvRect(back(25400), back(12700), back(20000), back(10000)));

  DialogDriver cancel({{kTopMargin, [](HWND dlg) { DialogDriver::Press(dlg, IDCANCEL); }}});
  EXPECT_FALSE(pf.PageSetupDlgW(true).Succeeded());
}

}  // namespace
