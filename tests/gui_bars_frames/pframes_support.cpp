// Shared pieces of the portable frame tests.
#include "pframes_test.h"

namespace {
unsigned long AllowAll(unsigned long, bool) { return 1; }
}  // namespace

bool TestWindow::OnCommand(QvCommand& command) {
  if (!answers.count(command.GetID())) return QvWindow::OnCommand(command);
  executed.push_back(command.GetID());
  return true;
}

bool TestWindow::OnUpdateCommandStatus(QvCommandStatus& status) {
  auto it = answers.find(status.GetID());
  if (it == answers.end()) return QvWindow::OnUpdateCommandStatus(status);
  status.Enable(it->second.enable);
  status.SetCheck(it->second.check);
  return true;
}

BEGIN_MESSAGE_MAP(SdiFrame, CGUIFrameWnd)
  ON_COMMAND(kOwn, &SdiFrame::OnOwn)
  ON_COMMAND(kFrameOnly, &SdiFrame::OnFrameOnly)
  ON_UPDATE_COMMAND_UI(kOwn, &SdiFrame::OnUpdateOwn)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(MdiFrame, CGUIMDIFrameWnd)
  ON_COMMAND(kOwn, &MdiFrame::OnOwn)
  ON_COMMAND(kFrameOnly, &MdiFrame::OnFrameOnly)
  ON_UPDATE_COMMAND_UI(kOwn, &MdiFrame::OnUpdateOwn)
END_MESSAGE_MAP()

const char* KindName(FrameKind kind) { return kind == kSdi ? "single-document frame" : "multiple-document frame"; }

CFrameWnd* MakeFrame(FrameKind kind, HWND parent, const RECT& rect) {
  CFrameWnd* frame = kind == kSdi ? static_cast<CFrameWnd*>(new SdiFrame) : new MdiFrame;
  const DWORD style = parent ? WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU : WS_OVERLAPPEDWINDOW;
  // A frame whose window cannot be made deletes itself.
  if (!frame->Create(NULL, _T("portable frame"), style, rect, CWnd::FromHandle(parent))) return nullptr;
  return frame;
}

FrameHandlers& HandlersOf(CFrameWnd* frame) {
  if (SdiFrame* sdi = dynamic_cast<SdiFrame*>(frame)) return sdi->handlers;
  return dynamic_cast<MdiFrame*>(frame)->handlers;
}

void Bind(QvGUIContainer* container, CFrameWnd* frame) {
  container->SetMFCCWnd(frame);
  GUISetQvGUIContainer(frame, container);
}

void FrameTest::SetUp() {
  ASSERT_TRUE(GUIInitialisations(&AllowAll).Succeeded());
  ASSERT_NE(GUIGetCommandDefFromID(kOpen), nullptr);
  Set_GlobalMapCmdToEffectiveCmd(new QvMapUShortUShort);
}

void FrameTest::TearDown() {
  QvCommandHandler::SetActiveTarget(nullptr);
  delete Get_GlobalMapCmdToEffectiveCmd();
  Set_GlobalMapCmdToEffectiveCmd(nullptr);
  GUIRelease();
}
