// The running system as the crash report describes it: Windows kind and version, processor,
// memory, free disk space and display adapter.
#pragma once
#include "quarnel_api.h"

#include <windows.h>

#include <string>

class QUARNEL_API COSVersion {
 public:
  enum OSVersion {
    osWin32s = 0,
    osWin95 = 1,
    osWin98 = 2,
    osNT31 = 3,
    osNT35 = 4,
    osNT351 = 5,
    osNT4 = 6,
    osWin2000 = 7,  // every 5.x version
    osOther = 8,
    osVista = 9,    // 6.0
    osWin7 = 10,    // 6.1
    osWin8 = 11,    // 6.2
    osWin81 = 12,   // 6.3
    osWin10 = 13,   // 10.x before build 22000
    osWin11 = 14,   // 10.x from build 22000
  };

  // Reads everything at once; later calls only return what was read.
  COSVersion();

  OSVersion GetOSVersion() const { return m_kind; }
  DWORD GetMajor() const { return m_major; }
  DWORD GetMinor() const { return m_minor; }
  DWORD GetBuild() const { return m_build; }
  bool IsServer() const { return m_server; }
  bool IsTerminalServer() const { return m_terminalServer; }
  // The service-pack text as the system gives it (may start with blanks; empty when none).
  const std::string& GetServicePack() const { return m_servicePack; }
  bool IsNT() const;
  bool Is9x() const { return m_kind == osWin95 || m_kind == osWin98; }
  // "Windows 2000 Server (Terminal Server)", "Windows 95", "Windows 10 Workstation ", ...
  std::string GetSystemName() const;

  // Processor name ("x86", "Pentium", "Alpha 21164", ...) and its family, model and stepping.
  std::string GetProcessorName() const;
  DWORD GetProcessorFamily() const { return m_family; }
  DWORD GetProcessorModel() const { return m_model; }
  DWORD GetProcessorStepping() const { return m_stepping; }

  // Physical memory in kilobytes.
  ULONGLONG GetTotalPhysicalKb() const;
  ULONGLONG GetAvailPhysicalKb() const;
  // Free space for the caller in kilobytes on the volume of a directory; 0 when unknown.
  static ULONGLONG GetFreeSpaceKb(const wchar_t* directory);

  // The display adapter's name (UTF-8, empty when unknown) and the screen of "DISPLAY";
  // the colour count is 0xFFFFFFFF for true colour.
  std::string GetDisplayAdapter() const;
  void GetDisplayMode(DWORD* width, DWORD* height, DWORD* colors) const;

  // Classifies a version as the system would report it.
  static OSVersion Classify(DWORD platformId, DWORD major, DWORD minor, DWORD build);
  // Names an NT kind with its server and terminal-server flags (the part after "Windows").
  static std::string NameOf(OSVersion kind, bool server, bool terminalServer);

 private:
  OSVersion m_kind;
  DWORD m_major, m_minor, m_build;
  bool m_server, m_terminalServer;
  std::string m_servicePack;
  WORD m_architecture;
  DWORD m_processorType, m_family, m_model, m_stepping;
};

// Groups the digits of a number by three with full stops: 1234567 gives "1.234.567".
QUARNEL_API std::string UIGroupDigits(ULONGLONG value);
