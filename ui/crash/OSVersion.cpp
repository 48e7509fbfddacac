// The running system for the crash report.
#include "UIOSVersion.h"
#include "UIHandles.h"

#include <stdio.h>
#include <string.h>

#include "RegistryRead.h"

namespace {

typedef LONG(WINAPI* RtlGetVersionFn)(OSVERSIONINFOEXW*);
typedef BOOL(WINAPI* VerifyVersionInfoFn)(OSVERSIONINFOEXA*, DWORD, DWORDLONG);
typedef ULONGLONG(WINAPI* VerSetConditionMaskFn)(ULONGLONG, DWORD, BYTE);

const char kProductOptions[] = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";

// The true version: GetVersionEx answers what the program's manifest allows it to know.
OSVERSIONINFOEXW ReadVersion() {
  OSVERSIONINFOEXW vi;
  memset(&vi, 0, sizeof vi);
  vi.dwOSVersionInfoSize = sizeof vi;
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                                   reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                             : NULL;
  if (rtlGetVersion == NULL || rtlGetVersion(&vi) != 0) {
    memset(&vi, 0, sizeof vi);
    vi.dwOSVersionInfoSize = sizeof vi;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&vi));
#pragma GCC diagnostic pop
  }
  return vi;
}

bool TerminalSuiteByVerify() {
  HMODULE kernel = GetModuleHandleW(L"KERNEL32.DLL");
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (kernel == NULL || ntdll == NULL) return false;
  auto verify = reinterpret_cast<VerifyVersionInfoFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "VerifyVersionInfoA")));
  auto mask = reinterpret_cast<VerSetConditionMaskFn>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "VerSetConditionMask")));
  if (verify == NULL || mask == NULL) return false;
  OSVERSIONINFOEXA vi;
  memset(&vi, 0, sizeof vi);
  vi.dwOSVersionInfoSize = sizeof vi;
  vi.wSuiteMask = VER_SUITE_TERMINAL;
  return verify(&vi, VER_SUITENAME, mask(0, VER_SUITENAME, VER_AND)) != FALSE;
}

bool ProductSuiteHasTerminalServer() {
  std::string suites;
  if (!RegReadStrings(HKEY_LOCAL_MACHINE, kProductOptions, "ProductSuite", &suites)) return false;
  // NUL-separated list.
  for (size_t at = 0; at < suites.size();) {
    size_t end = suites.find('\0', at);
    if (end == std::string::npos) end = suites.size();
    if (suites.compare(at, end - at, "Terminal Server") == 0) return true;
    at = end + 1;
  }
  return false;
}

}  // namespace

COSVersion::COSVersion()
    : m_kind(osOther), m_major(0), m_minor(0), m_build(0), m_server(false),
      m_terminalServer(false), m_architecture(0), m_processorType(0), m_family(0), m_model(0),
      m_stepping(0) {
  OSVERSIONINFOEXW vi = ReadVersion();
  m_major = vi.dwMajorVersion;
  m_minor = vi.dwMinorVersion;
  m_build = vi.dwPlatformId == VER_PLATFORM_WIN32_NT ? vi.dwBuildNumber : LOWORD(vi.dwBuildNumber);
  m_kind = Classify(vi.dwPlatformId, m_major, m_minor, m_build);
  char csd[sizeof vi.szCSDVersion];
  int n = WideCharToMultiByte(CP_UTF8, 0, vi.szCSDVersion, -1, csd, sizeof csd, NULL, NULL);
  m_servicePack = n > 0 ? csd : "";

  if (IsNT()) {
    std::string productType;
    if (RegReadString(HKEY_LOCAL_MACHINE, kProductOptions, "ProductType", &productType))
      m_server = lstrcmpiA(productType.c_str(), "Winnt") != 0;
    if (m_kind == osNT4)
      m_terminalServer = ProductSuiteHasTerminalServer();
    else if (m_kind >= osWin2000 && m_kind != osOther)
      m_terminalServer = TerminalSuiteByVerify();
  }

  SYSTEM_INFO si;
  GetSystemInfo(&si);
  m_architecture = si.wProcessorArchitecture;
  m_processorType = si.dwProcessorType;
  m_family = si.wProcessorLevel;
  m_model = HIBYTE(si.wProcessorRevision);
  m_stepping = LOBYTE(si.wProcessorRevision);
}

COSVersion::OSVersion COSVersion::Classify(DWORD platformId, DWORD major, DWORD minor, DWORD build) {
  switch (platformId) {
    case VER_PLATFORM_WIN32s:
      return osWin32s;
    case VER_PLATFORM_WIN32_WINDOWS:
      if (major == 4 && minor == 0) return osWin95;
      if (major == 4) return osWin98;
      return osOther;
    case VER_PLATFORM_WIN32_NT:
      if (major == 3) return minor == 51 ? osNT351 : minor == 50 ? osNT35 : osNT31;
      if (major == 4) return osNT4;
      if (major == 5) return osWin2000;
      if (major == 6) {
        static const OSVersion six[] = {osVista, osWin7, osWin8, osWin81};
        return minor < 4 ? six[minor] : osWin81;
      }
      if (major >= 10) return build >= 22000 ? osWin11 : osWin10;
      return osOther;
    default:
      return osOther;
  }
}

bool COSVersion::IsNT() const {
  return (m_kind >= osNT31 && m_kind <= osWin2000) || m_kind >= osVista;
}

std::string COSVersion::NameOf(OSVersion kind, bool server, bool terminalServer) {
  const char* family;
  switch (kind) {
    case osWin95: return "Windows 95";
    case osWin98: return "Windows 98";
    case osNT31: case osNT35: case osNT351: case osNT4: family = "Windows NT"; break;
    case osWin2000: family = "Windows 2000"; break;
    case osVista: family = "Windows Vista"; break;
    case osWin7: family = "Windows 7"; break;
    case osWin8: family = "Windows 8"; break;
    case osWin81: family = "Windows 8.1"; break;
    case osWin10: family = "Windows 10"; break;
    case osWin11: family = "Windows 11"; break;
    default: return "Unknown Windows";
  }
  char text[96];
  snprintf(text, sizeof text, "%s %s %s", family, server ? "Server" : "Workstation",
           terminalServer ? "(Terminal Server)" : "");
  return text;
}

std::string COSVersion::GetSystemName() const { return NameOf(m_kind, m_server, m_terminalServer); }

std::string COSVersion::GetProcessorName() const {
  switch (m_architecture) {
    case PROCESSOR_ARCHITECTURE_INTEL:
      if (m_processorType == PROCESSOR_INTEL_486) return "486";
      if (m_processorType == PROCESSOR_INTEL_PENTIUM || m_family >= 5) return "Pentium";
      return "x86";
    case PROCESSOR_ARCHITECTURE_AMD64:
      return "x64";
    case PROCESSOR_ARCHITECTURE_ALPHA:
      switch (m_family) {
        case 21064: return "Alpha 21064";
        case 21066: return "Alpha 21066";
        case 21164: return "Alpha 21164";
        default: return "Alpha";
      }
    case PROCESSOR_ARCHITECTURE_PPC:
      switch (m_family) {
        case 1: return "PowerPC 601";
        case 3: return "PowerPC 603";
        case 4: return "PowerPC 604";
        case 6: return "PowerPC 603+";
        case 9: return "PowerPC 604+";
        case 20: return "PowerPC 620";
        default: return "PowerPC";
      }
    case PROCESSOR_ARCHITECTURE_MIPS:
      return "MIPS";
    default:
      return "x86";
  }
}

ULONGLONG COSVersion::GetTotalPhysicalKb() const {
  MEMORYSTATUSEX ms;
  ms.dwLength = sizeof ms;
  return GlobalMemoryStatusEx(&ms) ? ms.ullTotalPhys / 1024 : 0;
}

ULONGLONG COSVersion::GetAvailPhysicalKb() const {
  MEMORYSTATUSEX ms;
  ms.dwLength = sizeof ms;
  return GlobalMemoryStatusEx(&ms) ? ms.ullAvailPhys / 1024 : 0;
}

ULONGLONG COSVersion::GetFreeSpaceKb(const wchar_t* directory) {
  ULARGE_INTEGER avail;
  if (!GetDiskFreeSpaceExW(directory, &avail, NULL, NULL)) return 0;
  return avail.QuadPart / 1024;
}

std::string COSVersion::GetDisplayAdapter() const {
  std::string name;
  if (IsNT()) {
    // "\Device\Video0" names the adapter's key as a kernel path under \Registry\Machine.
    std::string device;
    if (!RegReadString(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0", &device))
      return name;
    static const char kMachine[] = "\\Registry\\Machine\\";
    if (device.size() <= sizeof kMachine - 1 ||
        _strnicmp(device.c_str(), kMachine, sizeof kMachine - 1) != 0)
      return name;
    RegReadString(HKEY_LOCAL_MACHINE, device.c_str() + sizeof kMachine - 1,
                  "HardwareInformation.AdapterString", &name);
  } else {
    // Windows 9x: the first display class entry.
    char key[96];
    snprintf(key, sizeof key, "System\\CurrentControlSet\\Services\\Class\\Display\\%04u", 0u);
    RegReadString(HKEY_LOCAL_MACHINE, key, "DriverDesc", &name);
  }
  return name;
}

void COSVersion::GetDisplayMode(DWORD* width, DWORD* height, DWORD* colors) const {
  *width = *height = *colors = 0;
  const uih::OwnedDC dc = uih::CreateDeviceDC(L"DISPLAY", NULL, NULL, NULL);
  if (!dc) return;
  *width = GetDeviceCaps(dc.Get(), HORZRES);
  *height = GetDeviceCaps(dc.Get(), VERTRES);
  *colors = static_cast<DWORD>(GetDeviceCaps(dc.Get(), NUMCOLORS));
}

std::string UIGroupDigits(ULONGLONG value) {
  char digits[32];
  snprintf(digits, sizeof digits, "%llu", value);
  std::string out;
  size_t n = strlen(digits);
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += '.';
    out += digits[i];
  }
  return out;
}
