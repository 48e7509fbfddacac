// The thin portable toolbar: a few command tools on a framework toolbar.
#include <fw_dock.h>

#include "QvStatusBar.h"
#include "QvToolBars.h"
#include "UITrace.h"

QV_IMPLEMENT_CLASS(QvRootToolbarMgr, nullptr)
QV_IMPLEMENT_CLASS(QvToolbarMgr, QV_RUNTIME_CLASS(QvRootToolbarMgr))
QV_IMPLEMENT_CLASS(QvRootToolbar, nullptr)
QV_IMPLEMENT_CLASS(QvToolbar, QV_RUNTIME_CLASS(QvRootToolbar))
QV_IMPLEMENT_CLASS(QvRootTool, nullptr)
QV_IMPLEMENT_CLASS(QvTool, QV_RUNTIME_CLASS(QvRootTool))
QV_IMPLEMENT_CLASS(QvCommandTool, QV_RUNTIME_CLASS(QvTool))

IMPLEMENT_DYNAMIC(CGUIToolbar, CToolBar)

namespace {
UlmLogger s_log("Toolbar");

// The tools of a new context: (command id, image), one button each.
const struct {
  unsigned int id;
  int image;
} kContextTools[] = {{0xE101, 0}, {9, 1}, {10, 2}, {11, 3}, {12, 4}, {13, 5}, {14, 6}};
}  // namespace

bool QvRootToolbarMgr::LoadUserContext(QvVirtualInputStream*) { return true; }
bool QvRootToolbarMgr::SaveUserContext(QvVirtualOutputStream*) { return true; }

QvToolbarMgr::~QvToolbarMgr() { delete m_toolbar; }

bool QvToolbarMgr::LoadUserContext(QvVirtualInputStream*) { return false; }
bool QvToolbarMgr::SaveUserContext(QvVirtualOutputStream*) { return false; }

bool QvToolbarMgr::NewContext(unsigned short bitmapId) {
  CWnd* window = Get_GlobalTemporayAccessforMFCMainWindow();
  if (!window) window = AfxGetMainWnd();
  CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, window);
  if (!frame) {
    UI_TRACE_REFUSED(s_log, "no frame to put the toolbar in");
    return false;
  }
  delete m_toolbar;  // one toolbar per manager
  m_toolbar = new QvToolbar(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 8);
  if (!m_toolbar->IsCreated()) {
    delete m_toolbar;
    m_toolbar = nullptr;
    UI_TRACE_REFUSED(s_log, "the toolbar window could not be made");
    return false;
  }
  CGUIToolbar* bar = m_toolbar->GetGUIToolbar();
  frame->EnableDocking(CBRS_ALIGN_ANY);
  bar->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(bar, 0u, NULL);
  bar->SetBarStyle(bar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
  bar->LoadBitmap(bitmapId);
  bar->SetSizes(CSize(24, 22), CSize(16, 15));
  int index = 0;
  for (const auto& t : kContextTools) {
    QvCommandTool* tool = new QvCommandTool(m_toolbar);
    tool->Init(index++, t.id, 0, t.image);
    m_toolbar->AddTool(*tool);
  }
  return true;
}

QvToolbar::QvToolbar(CWnd* parent, unsigned long style, unsigned int id) : m_bar(new CGUIToolbar(this)) {
  m_bar->Create(parent, style, id);
}

QvToolbar::~QvToolbar() { delete m_bar; }

bool QvToolbar::IsCreated() const { return m_bar->m_hWnd != NULL; }

short QvToolbar::AddTool(QvTool& tool) { return m_bar->AddTool(tool); }

void QvTool::Init(int index, unsigned int id, unsigned int style, int image) {
  m_index = index;
  m_id = id;
  m_style = style;
  m_image = image;
}

bool QvTool::ElasticHeight() { return false; }
bool QvTool::ElasticWidth() { return false; }
bool QvTool::GetNearestMagneticHeights(long, long&, long&) { return false; }
bool QvTool::GetNearestMagneticWidths(long, long&, long&) { return false; }
bool QvTool::GetToolTip(QvString&) { return false; }
bool QvTool::GetHelpMessage(QvString&) { return false; }
long QvTool::GetHeight() { return ItemExtent(true); }
long QvTool::GetWidth() { return ItemExtent(false); }

long QvTool::ItemExtent(bool height) {
  if (!m_toolbar || !m_toolbar->IsCreated()) return 0;
  CRect r;
  m_toolbar->GetGUIToolbar()->GetItemRect(m_index, &r);
  return height ? r.Height() : r.Width();
}

CGUIToolbar::~CGUIToolbar() {
  for (INT_PTR i = m_tools.GetSize(); i-- > 0;) delete static_cast<QvTool*>(m_tools[i]);
}

short CGUIToolbar::AddTool(QvTool& tool) {
  m_tools.Add(&tool);
  if (m_hWnd == NULL) return -1;
  const int count = static_cast<int>(m_tools.GetSize());
  SetButtons(NULL, count);
  short last = -1;
  for (int i = 0; i < count; ++i) {
    QvTool* t = static_cast<QvTool*>(m_tools[i]);
    SetButtonInfo(t->m_index, t->m_id, t->m_style, t->m_image);
    last = static_cast<short>(t->m_index);
  }
  return last;
}
