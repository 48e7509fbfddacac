// Opening links: the visited list, the opener (the shell, else the registered browser) and
// the consent asked before a local file is opened.
#include "UILinks.h"

#include "LinkTargetKind.h"
#include "UITrace.h"

#include <shellapi.h>

#include <mutex>

namespace {

UlmLogger s_log("LinkOpen");

std::mutex s_visitedLock;
std::vector<std::wstring>& Visited() {
  static std::vector<std::wstring> visited;
  return visited;
}

bool SameTarget(const std::wstring& a, const wchar_t* b) {
  return ::CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

BOOL ShellOrCommand(const wchar_t* target, const wchar_t* fallbackCommand) {
  const HINSTANCE shell = ::ShellExecuteW(NULL, L"open", target, NULL, NULL, SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(shell) > 32) return TRUE;
  if (fallbackCommand == NULL || *fallbackCommand == 0) {
    UI_TRACE_REFUSED(s_log, "no browser registered for a link the shell refused");
    return FALSE;
  }
  std::wstring command(fallbackCommand);  // CreateProcessW may write into its command line
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi = {};
  if (!::CreateProcessW(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
    UI_TRACE_FAILED(s_log, "CreateProcessW");
    return FALSE;
  }
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return TRUE;
}

BOOL AskUser(const wchar_t* target) {
  std::wstring text = L"This link is not a web or mail address. Open\n";
  text += target;
  text += L" ?";
  return ::MessageBoxW(::GetActiveWindow(), text.c_str(), L"Link", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

UILinkOpener s_opener = &ShellOrCommand;
UILocalLinkConsent s_consent = &AskUser;

std::wstring ReadDefaultValue(HKEY root, const std::wstring& path) {
  HKEY key = NULL;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::wstring();
  wchar_t value[1024] = {};
  DWORD type = 0, bytes = sizeof value - sizeof(wchar_t);
  const LONG read = ::RegQueryValueExW(key, NULL, NULL, &type, reinterpret_cast<BYTE*>(value), &bytes);
  ::RegCloseKey(key);
  if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::wstring();
  value[bytes / sizeof(wchar_t)] = 0;
  return value;
}

// The command of the browser registered for ".htm" files, with the target as its argument.
std::wstring BrowserCommand(const wchar_t* target) {
  const std::wstring type = ReadDefaultValue(HKEY_CLASSES_ROOT, L".htm");
  if (type.empty()) return std::wstring();
  const std::wstring command = ReadDefaultValue(HKEY_CLASSES_ROOT, type + L"\\shell\\open\\command");
  if (command.empty()) return std::wstring();
  return UIBuildLinkCommand(command.c_str(), target);
}

// One argument as CommandLineToArgvW reads it back: quoted, quotes escaped, backslashes
// before a quote doubled.
std::wstring QuotedArgument(const wchar_t* arg) {
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (const wchar_t* p = arg; *p != 0; ++p) {
    if (*p == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(*p == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += *p;
  }
  out.append(backslashes * 2, L'\\');
  out += L'"';
  return out;
}

}  // namespace

void UIAddVisitedLink(const wchar_t* target) {
  if (target == NULL || *target == 0) return;
  std::lock_guard<std::mutex> lock(s_visitedLock);
  for (const std::wstring& v : Visited())
    if (SameTarget(v, target)) return;
  Visited().push_back(target);
}

BOOL UIIsLinkVisited(const wchar_t* target) {
  if (target == NULL) return FALSE;
  std::lock_guard<std::mutex> lock(s_visitedLock);
  for (const std::wstring& v : Visited())
    if (SameTarget(v, target)) return TRUE;
  return FALSE;
}

UILinkOpener UISetLinkOpener(UILinkOpener opener) {
  UILinkOpener previous = s_opener;
  s_opener = opener != NULL ? opener : &ShellOrCommand;
  return previous;
}

UILocalLinkConsent UISetLocalLinkConsent(UILocalLinkConsent consent) {
  UILocalLinkConsent previous = s_consent;
  s_consent = consent != NULL ? consent : &AskUser;
  return previous;
}

std::wstring UIBuildLinkCommand(const wchar_t* registeredCommand, const wchar_t* target) {
  std::wstring command = registeredCommand != NULL ? registeredCommand : L"";
  size_t cut = command.find(L"\"%1\"");
  if (cut == std::wstring::npos) cut = command.find(L"%1");
  if (cut != std::wstring::npos) command.erase(cut);
  while (!command.empty() && (command.back() == L' ' || command.back() == L'\t')) command.pop_back();
  command += L' ';
  command += QuotedArgument(target != NULL ? target : L"");
  return command;
}

BOOL CArrayLinkDefs::OpenLink(const QvLinkDef& link) {
  if (link.m_nKind != QvLinkDef::kOrdinary || link.m_target.empty()) return FALSE;
  UIAddVisitedLink(link.m_target.c_str());
  std::wstring target = link.m_target;
  if (target.size() >= 7 && ::CompareStringOrdinal(target.c_str(), 7, L"file://", 7, TRUE) == CSTR_EQUAL) {
    for (size_t at = target.find(L"%20"); at != std::wstring::npos; at = target.find(L"%20", at + 1))
      target.replace(at, 3, L" ");
  }
  // Decided by what the target is: only web and mail addresses open without a question.
  if (!LinkTargetOpensFreely(target.c_str()) && !s_consent(target.c_str())) return FALSE;
  const std::wstring fallback = BrowserCommand(target.c_str());
  HCURSOR previous = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
  const BOOL opened = s_opener(target.c_str(), fallback.c_str());
  ::SetCursor(previous);
  return opened;
}
