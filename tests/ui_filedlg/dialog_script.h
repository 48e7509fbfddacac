// Runs an open/save dialog modally and acts on it from a thread timer: each step waits until
// its condition holds (checked at every tick, after the queue's posted messages have been
// handled), then acts. The last step is expected to end the dialog. Should the dialog still
// be open long after the last step (or a step never become ready), the run presses Cancel
// and the test fails: a broken dialog never hangs the program.
#pragma once
#include <QvOpenSaveDlg.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace opensave_testing {

struct Step {
  std::function<bool()> ready;  // NULL: at once
  std::function<void()> act;
};

class DialogScript {
 public:
  // withBar: the steps wait for the shortcut bar (an old-style dialog has none).
  explicit DialogScript(CQvOpenSaveDlg& dlg, bool withBar = true) : m_dlg(dlg), m_withBar(withBar) {}

  // The steps run after the bar exists and the dialog is shown.
  INT_PTR Run(std::vector<Step> steps) {
    m_steps = std::move(steps);
    m_next = 0;
    m_ticks = 0;
    m_timedOut = false;
    s_self = this;
    m_timer = ::SetTimer(NULL, 0, 10, &DialogScript::Tick);
    const INT_PTR result = m_dlg.DoModal();
    ::KillTimer(NULL, m_timer);
    s_self = nullptr;
    EXPECT_FALSE(m_timedOut) << "step " << m_next << " of " << m_steps.size() << " never ran or the dialog stayed open";
    EXPECT_EQ(m_next, m_steps.size());
    return result;
  }

  // The system dialog of the running dialog.
  HWND Common() const { return m_dlg.GetCommonDialog(); }
  bool Ready() const {
    HWND common = Common();
    return CQvOpenSaveDlg::g_pCurrentOSDlg == &m_dlg && common != NULL && ::IsWindowVisible(common) &&
           (!m_withBar || m_dlg.GetTileControl().m_hWnd != NULL);
  }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogScript* self = s_self;
    if (self == nullptr) return;
    ++self->m_ticks;
    if (self->m_ticks > 1000) {  // ten seconds of ticks
      self->m_timedOut = true;
      ::KillTimer(NULL, self->m_timer);
      if (HWND common = self->Common()) ::PostMessage(common, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    if (!self->Ready() || self->m_next >= self->m_steps.size()) return;
    Step& step = self->m_steps[self->m_next];
    if (step.ready && !step.ready()) return;
    ++self->m_next;
    step.act();
  }

  static inline DialogScript* s_self = nullptr;
  CQvOpenSaveDlg& m_dlg;
  bool m_withBar;
  std::vector<Step> m_steps;
  size_t m_next = 0;
  int m_ticks = 0;
  bool m_timedOut = false;
  UINT_PTR m_timer = 0;
};

// Actions on the running system dialog.
inline std::wstring TextOf(HWND wnd) {
  const int n = ::GetWindowTextLengthW(wnd);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  ::GetWindowTextW(wnd, &text[0], n + 1);
  text.resize(static_cast<size_t>(n));
  return text;
}
inline std::wstring EditText(HWND common) { return TextOf(::GetDlgItem(common, edt1)); }
inline void SetEditText(HWND common, const std::wstring& text) { ::SetDlgItemTextW(common, edt1, text.c_str()); }
// A click on OK as the mouse makes it: posted button messages.
inline void PostClick(HWND wnd, int x = 2, int y = 2) {
  ::PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ::PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
inline void PostOK(HWND common) { PostClick(::GetDlgItem(common, IDOK)); }
inline void PostCancel(HWND common) { ::PostMessageW(common, WM_COMMAND, IDCANCEL, 0); }
// Enter pressed in the edit box: a posted key.
inline void PostEnter(HWND common) {
  HWND box = ::GetDlgItem(common, edt1);
  HWND inner = ::FindWindowExW(box, NULL, L"Edit", NULL);
  HWND target = inner != NULL ? inner : box;
  ::PostMessageW(target, WM_KEYDOWN, VK_RETURN, 1);
  ::PostMessageW(target, WM_KEYUP, VK_RETURN, 0xC0000001);
}
inline HWND FileList(HWND common) {
  HWND view = ::FindWindowExW(common, NULL, L"SHELLDLL_DefView", NULL);
  return view != NULL ? ::FindWindowExW(view, NULL, L"SysListView32", NULL) : NULL;
}
// Selects the first item of the file list, as a click would: the system tells the dialog.
inline void SelectFirstFile(HWND common) {
  HWND list = FileList(common);
  LVITEMW item = {};
  item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
}

// (The system dialog answers in the edition's character set.)
inline std::wstring FolderOf(HWND common) {
#ifdef UNICODE
  wchar_t path[1024] = L"";
  ::SendMessageW(common, CDM_GETFOLDERPATH, 1024, reinterpret_cast<LPARAM>(path));
  return path;
#else
  char path[1024] = "";
  ::SendMessageA(common, CDM_GETFOLDERPATH, sizeof(path), reinterpret_cast<LPARAM>(path));
  return CStringW(path).GetString();
#endif
}
// The folder a dialog opens in: it runs, is read and is cancelled.
inline std::wstring OpenedFolder(CQvOpenSaveDlg& dlg) {
  DialogScript script(dlg);
  std::wstring opened;
  EXPECT_EQ(script.Run({{nullptr,
                         [&] {
                           opened = FolderOf(script.Common());
                           PostCancel(script.Common());
                         }}}),
            IDCANCEL);
  return opened;
}

struct Search {
  HWND besides;
  HWND found;
};
inline BOOL CALLBACK FindOtherDialog(HWND wnd, LPARAM lp) {
  Search* s = reinterpret_cast<Search*>(lp);
  wchar_t kind[16] = L"";
  ::GetClassNameW(wnd, kind, 16);
  if (wnd != s->besides && wcscmp(kind, L"#32770") == 0 && ::IsWindowVisible(wnd)) s->found = wnd;
  return s->found == NULL;
}

// The text of this thread's message box other than the running file dialog, which is then
// answered with OK; empty when there is none.
inline std::wstring MessageBoxText(HWND besides) {
  Search search = {besides, NULL};
  ::EnumThreadWindows(::GetCurrentThreadId(), FindOtherDialog, reinterpret_cast<LPARAM>(&search));
  if (search.found == NULL) return L"";
  std::wstring text;
  for (HWND child = ::GetWindow(search.found, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t kind[16] = L"";
    ::GetClassNameW(child, kind, 16);
    if (wcscmp(kind, L"Static") == 0) text += TextOf(child);
  }
  ::PostMessageW(search.found, WM_COMMAND, IDOK, 0);
  return text.empty() ? L"(no text)" : text;
}

// The steps of a check that may tell the user something: the check runs in the first step; a
// message box it shows is read into told and closed by the second, which runs either while
// the box shows or once the check has returned; the third cancels the dialog.
inline std::vector<Step> StepsOfACheck(DialogScript& script, std::function<void()> check, std::wstring& told) {
  auto checked = std::make_shared<bool>(false);
  return {{nullptr,
           [check, checked] {
             check();
             *checked = true;
           }},
          {[&script, &told, checked] {
             if (*checked) return true;
             told = MessageBoxText(script.Common());
             return !told.empty();
           },
           [] {}},
          {[checked] { return *checked; }, [&script] { PostCancel(script.Common()); }}};
}

// A fresh folder under the temporary folder, removed with what it holds.
class TempFolder {
 public:
  explicit TempFolder(const wchar_t* stem) {
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    m_path = std::wstring(base) + stem + L"_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
             std::to_wstring(++counter);
    ::CreateDirectoryW(m_path.c_str(), NULL);
    wchar_t current[MAX_PATH] = L"";
    if (::GetCurrentDirectoryW(MAX_PATH, current) > 0) m_current = current;
  }
  // A dialog that ran in the folder left it the process's current folder, which cannot be
  // removed: the current folder of the folder's making comes back first.
  ~TempFolder() {
    if (!m_current.empty()) ::SetCurrentDirectoryW(m_current.c_str());
    Remove(m_path);
  }
  const std::wstring& path() const { return m_path; }
  std::wstring Folder(const std::wstring& relative) const {
    std::wstring at = m_path;
    size_t start = 0;
    while (start <= relative.size()) {
      size_t end = relative.find(L'\\', start);
      if (end == std::wstring::npos) end = relative.size();
      at += L"\\" + relative.substr(start, end - start);
      ::CreateDirectoryW(at.c_str(), NULL);
      start = end + 1;
    }
    return at;
  }
  std::wstring File(const std::wstring& relative) const {
    const std::wstring at = m_path + L"\\" + relative;
    HANDLE h = ::CreateFileW(at.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    return at;
  }

 private:
  static void Remove(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE found = ::FindFirstFileW((path + L"\\*").c_str(), &data);
    if (found != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring child = path + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          Remove(child);
        else
          ::DeleteFileW(child.c_str());
      } while (::FindNextFileW(found, &data));
      ::FindClose(found);
    }
    ::RemoveDirectoryW(path.c_str());
  }
  std::wstring m_path;
  std::wstring m_current;  // the process's current folder when the folder was made
};

// Gives the dialog's protected members to the tests.
class TestDlg : public CQvOpenSaveDlg {
 public:
  using CQvOpenSaveDlg::CQvOpenSaveDlg;
  using CQvOpenSaveDlg::IsValidFileSpec;
  using CQvOpenSaveDlg::m_bFileMustExist;
  using CQvOpenSaveDlg::m_bPathMustExist;
};

}  // namespace opensave_testing
