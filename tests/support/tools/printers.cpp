// printers.exe <name>: lists the printers of the Wine prefix and checks that <name> is among them
// and gives a device context. Wine enters the system's printers into the prefix only when a
// process first asks the spooler for them, so ./run runs this once before the tests print.
// Exit code 0 when the printer is there and usable, 1 otherwise.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <vector>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    fwprintf(stderr, L"usage: printers <printer name>\n");
    return 2;
  }
  const wchar_t* wanted = argv[1];
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, count = 0;
  EnumPrintersW(flags, NULL, 4, NULL, 0, &needed, &count);
  std::vector<BYTE> buffer(needed);
  if (needed == 0 || !EnumPrintersW(flags, NULL, 4, buffer.data(), needed, &needed, &count)) {
    fwprintf(stderr, L"the spooler lists no printers (error %lu)\n", GetLastError());
    return 1;
  }
  bool found = false;
  const PRINTER_INFO_4W* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    wprintf(L"%ls\n", printers[i].pPrinterName);
    if (wcscmp(printers[i].pPrinterName, wanted) == 0) found = true;
  }
  if (!found) {
    fwprintf(stderr, L"no printer \"%ls\" in this prefix\n", wanted);
    return 1;
  }
  HDC dc = CreateDCW(L"WINSPOOL", wanted, NULL, NULL);
  if (dc == NULL) {
    fwprintf(stderr, L"printer \"%ls\" is listed but gives no device context (error %lu)\n", wanted, GetLastError());
    return 1;
  }
  wprintf(L"%ls: %d x %d dpi\n", wanted, GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY));
  DeleteDC(dc);
  return 0;
}
