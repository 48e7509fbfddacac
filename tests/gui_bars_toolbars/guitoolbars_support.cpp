// Shared helpers of the portable toolbar tests.
#include <QvStatusBar.h>

#include "guitoolbars_test.h"

std::map<unsigned long, unsigned long> Rights::answers;

unsigned long Rights::Answer(unsigned long id, bool) {
  auto it = answers.find(id);
  return it == answers.end() ? 1 : it->second;
}

bool ToolbarTarget::OnUpdateCommandStatus(QvCommandStatus& status) {
  status.Enable(true);
  status.SetCheck(checked.count(status.GetID()) ? 1 : 0);
  return true;
}

bool ToolbarTarget::OnCommand(QvCommand& command) {
  run.push_back(command.GetID());
  return true;
}

BOOL PortableFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
  if (GUIOnCmdMsg(id, code, extra, info)) return TRUE;
  return CFrameWnd::OnCmdMsg(id, code, extra, info);
}

BOOL PortableFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
  return GUIOnCommand(this, wParam, lParam) ? TRUE : CFrameWnd::OnCommand(wParam, lParam);
}

namespace {
#ifdef UNICODE
const char kCompany[] = "QuarnelToolbarTestsU";
#else
const char kCompany[] = "QuarnelToolbarTestsA";
#endif
}  // namespace

void ToolbarTest::ClearSettings() {
  const std::string key = std::string("Software\\") + kCompany;
  RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
}

void ToolbarTest::SetUp() {
  SetConfigurationNames(kCompany, "Toolbars", "Toolbars");
  ClearSettings();
  // No list of standard shortcuts from an earlier test (its definitions are gone).
  delete Get_GlobalListStandardShortCutCommandDef();
  Set_GlobalListStandardShortCutCommandDef(nullptr);
  Rights::answers = {{SEC_MACROS, 3}, {CMD_MAIL | 0x40000000UL, 2}};
  ASSERT_TRUE(GUIInitialisations(&Rights::Answer).Succeeded());
  ASSERT_NE(GUIGetCommandDefFromID(CMD_OPEN), nullptr);
  QvCommandHandler::SetActiveTarget(&target);
  NewFrame();
  ASSERT_NE(frame, nullptr);
}

void ToolbarTest::NewFrame() {
  Set_GlobalTemporayAccessforMFCMainWindow(nullptr);
  if (frame) frame->DestroyWindow();  // deletes itself
  frame = new PortableFrame;
  if (!frame->Create(NULL, _T("toolbars"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 300))) {
    frame = nullptr;  // a failed creation deletes the object
    return;
  }
  Set_GlobalTemporayAccessforMFCMainWindow(frame);
}

void ToolbarTest::TearDown() {
  Set_GlobalTemporayAccessforMFCMainWindow(nullptr);
  if (frame) frame->DestroyWindow();
  frame = nullptr;
  QvCommandHandler::SetActiveTarget(nullptr);
  GUIRelease();
  ClearSettings();
  FwDeleteTempMaps();
}

std::string ButtonsOf(CToolBar* bar) {
  std::string text;
  const int count = bar->GetCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON b = {};
    bar->SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    std::string item;
    if (b.fsStyle & TBSTYLE_SEP) {
      if (b.dwData == 0) {
        item = "|";
      } else {
        // A run of placeholders of one control.
        int n = 1;
        TBBUTTON next = {};
        while (i + 1 < count && bar->SendMessage(TB_GETBUTTON, i + 1, reinterpret_cast<LPARAM>(&next)) &&
               (next.fsStyle & TBSTYLE_SEP) && next.dwData == b.dwData) {
          ++n;
          ++i;
        }
        item = std::to_string(n) + "[" + std::to_string(b.dwData) + "]";
      }
    } else {
      item = std::to_string(b.idCommand);
      if (b.fsStyle & TBSTYLE_CHECK) item += "c";
      if (!(b.fsState & TBSTATE_ENABLED)) item += "-";
      if (b.fsState & TBSTATE_CHECKED) item += "*";
    }
    text += (text.empty() ? "" : " ") + item;
  }
  return text;
}

std::vector<int> ImagesOf(CToolBar* bar) {
  std::vector<int> images;
  for (int i = 0; i < bar->GetCount(); ++i) {
    TBBUTTON b = {};
    bar->SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    if (!(b.fsStyle & TBSTYLE_SEP)) images.push_back(b.iBitmap);
  }
  return images;
}
