// UI utilities: blind-mode message boxes, version numbers, run-time classes by name, rounding.
#include "UIUtilities.h"

#include <framework.h>

#include <QvLabels.h>

#include <limits.h>
#include <math.h>
#include <shlwapi.h>

#include <memory>
#include <new>

namespace {

int s_blindMode = 0;
UIWindowsVersion s_windowsVersion = UIWINVER_UNKNOWN;
DWORD s_comCtlVersion = 0xFFFFFFFF;
DWORD s_mfcVersion = 0xFFFFFFFF;

const DWORD kVersion4 = 0x40000;

int BlindAnswer(UINT type) {
  switch (type & 0x0F) {
    case MB_ABORTRETRYIGNORE: return IDIGNORE;
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDCANCEL;
    default: return IDOK;  // MB_OK, MB_OKCANCEL and anything else
  }
}

}  // namespace

int UISetBlindMode(int on) {
  const int previous = s_blindMode;
  s_blindMode = on;
  return previous;
}

int UIMessageBox(const wchar_t* text, UINT type, UINT helpId) {
  if (s_blindMode) return BlindAnswer(type);
  return AfxMessageBox(CString(text != NULL ? text : L""), type, helpId);
}

int UIMessageBox(UINT labelId, UINT type, UINT helpId) {
  if (s_blindMode) return BlindAnswer(type);
  return UIMessageBox(QvGetMyLabel(labelId).ToWide().c_str(), type, helpId);
}

UIWindowsVersion UIGetWindowsVersion() {
  if (s_windowsVersion != UIWINVER_UNKNOWN) return s_windowsVersion;
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof(info);  // 276 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return UIWINVER_UNKNOWN;
#pragma GCC diagnostic pop
  switch (info.dwPlatformId) {
    case VER_PLATFORM_WIN32s: s_windowsVersion = UIWINVER_WIN32S; break;
    case VER_PLATFORM_WIN32_WINDOWS: s_windowsVersion = UIWINVER_WIN9X; break;
    case VER_PLATFORM_WIN32_NT: s_windowsVersion = info.dwMajorVersion < 4 ? UIWINVER_NT3 : UIWINVER_NT4UP; break;
    default: break;
  }
  return s_windowsVersion;
}

DWORD UIGetComCtlVersion() {
  if (s_comCtlVersion != 0xFFFFFFFF) return s_comCtlVersion;
  s_comCtlVersion = kVersion4;
  // Only a library already in the process is asked: loading one would change which the
  // process uses.
  if (HMODULE comctl = GetModuleHandleW(L"COMCTL32.DLL")) {
    DLLGETVERSIONPROC getVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")));
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof(info);  // 20 bytes
    if (getVersion != NULL && SUCCEEDED(getVersion(&info)))
      s_comCtlVersion = (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
  }
  return s_comCtlVersion;
}

DWORD UIGetMFCVersion() {
  if (s_mfcVersion != 0xFFFFFFFF) return s_mfcVersion;
  s_mfcVersion = kVersion4;
  HMODULE mfc = GetModuleHandleW(L"MFC42.DLL");
  wchar_t path[MAX_PATH];
  if (mfc == NULL || GetModuleFileNameW(mfc, path, MAX_PATH) == 0) return s_mfcVersion;
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &handle);
  if (size == 0) return s_mfcVersion;
  std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[size]);
  VS_FIXEDFILEINFO* fixed = NULL;
  UINT fixedSize = 0;
  if (block && GetFileVersionInfoW(path, 0, size, block.get()) &&
      VerQueryValueW(block.get(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) && fixed != NULL &&
      fixedSize >= sizeof(VS_FIXEDFILEINFO))
    s_mfcVersion = fixed->dwFileVersionMS;
  return s_mfcVersion;
}

CRuntimeClass* GetRuntimeObject(const char* className) {
  // The framework's lookup takes the run-time class lock and walks the current module,
  // then every module of the chain.
  return className != NULL ? CRuntimeClass::FromName(className) : NULL;
}

int RoundToNearestInt(double x) {
  if (x != x) return 0;
  if (x >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (x <= static_cast<double>(INT_MIN)) return INT_MIN;
#if defined(__i386__)
  // The x87 unit rounds to the nearest integer, ties to even, in its own rounding mode:
  // truncating instead would switch its control word twice for each conversion, which costs
  // more than the rest of a shape's coordinates. A tie then goes away from zero (the
  // difference is exact). Another rounding mode, set by someone else, takes the path below.
  unsigned short control;
  __asm__("fnstcw %0" : "=m"(control));
  if ((control & 0x0C00) == 0) {
    int nearest;
    __asm__("fistpl %0" : "=m"(nearest) : "t"(x) : "st");
    const double difference = x - nearest;
    if (difference == 0.5 && x > 0) return nearest + 1;
    if (difference == -0.5 && x < 0) return nearest - 1;
    return nearest;
  }
#endif
  // The fraction is exact, so values just below a half are not pushed over it.
  const double whole = trunc(x), fraction = x - whole;
  if (fraction >= 0.5) return static_cast<int>(whole) + 1;
  if (fraction <= -0.5) return static_cast<int>(whole) - 1;
  return static_cast<int>(whole);
}

void PullInLineEnds(POINT& a, POINT& b, int width) {
  if (width <= 1) return;
  const int half = width / 2;
  if (a.y == b.y) {
    const int step = a.x < b.x ? half : -half;
    a.x += step;
    b.x -= step;
  } else {
    const int step = a.y < b.y ? half : -half;
    a.y += step;
    b.y -= step;
  }
}

CString UIPreviewPageText(const CString& pageDesc, UINT page, UINT pagesShown, UINT lastPage) {
  const int nl = pageDesc.Find(_T('\n'));
  const UINT lastShown = page + pagesShown - 1 < lastPage ? page + pagesShown - 1 : lastPage;
  CString pages;
  if (pagesShown > 1 && nl >= 0 && lastShown > page)
    pages.Format(pageDesc.Mid(nl + 1), page, lastShown);
  else
    pages.Format(nl >= 0 ? pageDesc.Left(nl) : pageDesc, page);
  CString text;
  text.Format(_T("%s / %d"), static_cast<LPCTSTR>(pages), static_cast<int>(lastPage));
  return text;
}
