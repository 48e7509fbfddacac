// The ready-made status layouts, the application status bar and the status message.
#include "QvStatus.h"

QV_IMPLEMENT_CLASS(QvStatus, nullptr)
QV_IMPLEMENT_CLASS(QvStatusMessage, QV_RUNTIME_CLASS(QvStatus))
QV_IMPLEMENT_CLASS(QvStatusStandard, QV_RUNTIME_CLASS(QvStatus))
QV_IMPLEMENT_CLASS(QvStatusTextProgress, QV_RUNTIME_CLASS(QvStatus))
QV_IMPLEMENT_CLASS(QvStatus4Text, QV_RUNTIME_CLASS(QvStatus))
QV_IMPLEMENT_CLASS(QvStatus2TextProgress, QV_RUNTIME_CLASS(QvStatus))
QV_IMPLEMENT_CLASS(QvStatusText2Progress, QV_RUNTIME_CLASS(QvStatus))
QV_IMPLEMENT_CLASS(QvStatusUdgStandard, QV_RUNTIME_CLASS(QvStatus))
QV_IMPLEMENT_CLASS(QvStatusUdgTextProgress, QV_RUNTIME_CLASS(QvStatus))
QV_IMPLEMENT_CLASS(QvStatusUdg2Text, QV_RUNTIME_CLASS(QvStatus))

namespace {
QvStatusBar* s_statusBar = nullptr;
QvStatusMessage* s_statusMessage = nullptr;

const bool kLeft = true, kRight = false;
const long kNoMaximum = 0x7FFFFFFF;

QvString Number(long value) {
  QvString text;
  text.SetNumber(value);
  return text;
}
}  // namespace

QvStatusBar* Get_GlobalStatusBar() { return s_statusBar; }
void Set_GlobalStatusBar(QvStatusBar* bar) { s_statusBar = bar; }
QvStatusMessage* Get_GlobalStatusMsg() { return s_statusMessage; }
void Set_GlobalStatusMsg(QvStatusMessage* message) { s_statusMessage = message; }

void QvCreateApplicationStatusBar() {
  auto* bar = new QvStatusBar(nullptr);
  Set_GlobalStatusBar(bar);
  if (!bar->CreatePlatform(false)) {
    delete bar;
    Set_GlobalStatusBar(nullptr);
    return;
  }
  bar->Show(true);
}

void QvDestroyApplicationStatusBar() {
  delete Get_GlobalStatusBar();
  Set_GlobalStatusBar(nullptr);
}

void QvStatusMsg(const QvString& text) {
  if (Get_GlobalStatusBar() && !Get_GlobalStatusMsg()) Set_GlobalStatusMsg(new QvStatusMessage);
  QvStatusMessage* message = Get_GlobalStatusMsg();
  if (!message) return;
  // A message whose bar went (or that was made without one) moves into the bar there is now.
  if (!message->GetModel() && Get_GlobalStatusBar()) message->MakePanes();
  message->SetText(text);
  QvStatusBar* bar = Get_GlobalStatusBar();
  const bool onTop = bar && message->GetModel() && bar->IsModelOnTop(message->GetModel());
  if (text.IsEmpty()) {
    if (onTop) message->Show(false);
  } else if (!onTop) {
    message->Show(true);
  }
}

// ---------------------------------------------------------------------------------------
// The base of the layouts.

QvStatus::QvStatus() : m_model(Get_GlobalStatusBar() ? Get_GlobalStatusBar()->AddModel() : nullptr) {}

QvStatus::~QvStatus() {
  if (QvStatusBar* bar = Bar()) bar->DestroyModel(m_model);
  m_model = nullptr;
}

QvStatusBar* QvStatus::Bar() const { return m_model ? Get_GlobalStatusBar() : nullptr; }

void QvStatus::Show(bool show) {
  QvStatusBar* bar = Bar();
  if (!bar) return;
  if (show)
    bar->ActivateModel(m_model);
  else
    bar->DeactivateModel(m_model);
}

QvStatusBorder* QvStatus::Border(QvPaneBorder type, bool left) { return Bar()->AddBorder(m_model, type, left); }

QvTextPane* QvStatus::Text(QvStatusBorder* border, bool elastic, unsigned char chars) {
  return Bar()->AddTextPane(m_model, border, elastic, chars);
}

QvPicturePane* QvStatus::Picture(QvStatusBorder* border) { return Bar()->AddPicturePane(m_model, border, nullptr); }

QvProgressPane* QvStatus::Progress(QvStatusBorder* border, unsigned char units) {
  return Bar()->AddProgressPane(m_model, border, units, false);
}

QvStatus::ProgressGroup QvStatus::MakeProgress(unsigned char labelChars, bool minMax, unsigned char minChars,
                                               unsigned char units, unsigned char maxChars) {
  ProgressGroup group;
  QvStatusBorder* border = Border(QvPaneSunken, kLeft);
  group.label = Text(border, false, labelChars);
  if (minMax) group.min = Text(border, false, minChars);
  group.progress = Progress(border, units);
  if (minMax) group.max = Text(border, false, maxChars);
  return group;
}

void QvStatus::MakeKeyPanes(QvTextPane*& overInsert, QvTextPane*& numLock, QvTextPane*& capsLock) {
  overInsert = Text(Border(QvPaneSunken, kRight), false, 4);
  numLock = Text(Border(QvPaneSunken, kRight), false, 4);
  capsLock = Text(Border(QvPaneSunken, kRight), false, 4);
  for (QvTextPane* pane : {overInsert, numLock, capsLock})
    if (pane) pane->Activate(false);
}

void QvStatus::SetTextOf(QvTextPane* pane, const QvString& text) {
  if (pane) pane->SetText(text);
}

void QvStatus::SetImageOf(QvPicturePane* pane, short index) {
  if (pane) pane->SetImage(index);
}

void QvStatus::SetMinMaxOf(const ProgressGroup& group, long min, long max) {
  if (group.progress) group.progress->SetRange(min, max);
  if (group.min) group.min->SetText(Number(min));
  if (group.max) group.max->SetText(max == kNoMaximum ? QvString() : Number(max));
}

void QvStatus::SetValueOf(const ProgressGroup& group, long value) {
  if (group.progress) group.progress->SetValue(value);
}

// ---------------------------------------------------------------------------------------
// The layouts.

QvStatusMessage::QvStatusMessage() {
  if (!m_model) return;
  m_text = Text(Border(QvPaneNoBorder, kLeft), true, 80);
}

void QvStatusMessage::MakePanes() {
  if (m_model || !Get_GlobalStatusBar()) return;
  m_model = Get_GlobalStatusBar()->AddModel();
  if (m_model) m_text = Text(Border(QvPaneNoBorder, kLeft), true, 80);
}

void QvStatusMessage::LeaveBar(QvStatusBar* bar) {
  if (!m_model || m_model->GetParentStatusBar() != bar) return;
  m_model = nullptr;
  m_text = nullptr;
}

void QvStatusMessage::SetText(const QvString& text) { SetTextOf(m_text, text); }

QvStatusStandard::QvStatusStandard(bool wide) {
  if (!m_model) return;
  QvStatusBorder* first = Border(QvPaneSunken, kLeft);
  m_text1Left = Text(first, true, wide ? 255 : 15);
  m_text1Center = Text(first, true, 43);
  m_text1Right = Text(first, true, 10);
  if (m_text1Right) m_text1Right->m_alignment = 1;
  QvStatusBorder* second = Border(QvPaneSunken, kLeft);
  m_text2Left = Text(second, true, wide ? 255 : 36);
  if (m_text2Left) m_text2Left->m_alignment = 2;
  m_image2Center = Picture(second);
  m_text2Right = Text(second, true, 20);
  MakeKeyPanes(m_overInsert, m_numLock, m_capsLock);
}

void QvStatusStandard::SetText1Left(const QvString& text) { SetTextOf(m_text1Left, text); }
void QvStatusStandard::SetText1Center(const QvString& text) { SetTextOf(m_text1Center, text); }
void QvStatusStandard::SetText1Right(const QvString& text) { SetTextOf(m_text1Right, text); }
void QvStatusStandard::SetText2Left(const QvString& text) { SetTextOf(m_text2Left, text); }
void QvStatusStandard::SetImage2Center(short index) { SetImageOf(m_image2Center, index); }
void QvStatusStandard::SetText2Right(const QvString& text) { SetTextOf(m_text2Right, text); }
void QvStatusStandard::SetOverInsertMode(const QvString& text) { SetTextOf(m_overInsert, text); }
void QvStatusStandard::SetNumLock(const QvString& text) { SetTextOf(m_numLock, text); }
void QvStatusStandard::SetCapsLock(const QvString& text) { SetTextOf(m_capsLock, text); }
void QvStatusStandard::SetInfoImage(short) {}
void QvStatusStandard::SetInfoText(const QvString&) {}

QvStatusTextProgress::QvStatusTextProgress(bool minMax) {
  if (!m_model) return;
  m_text = Text(Border(QvPaneSunken, kLeft), true, 60);
  m_progress = MakeProgress(13, minMax, 3, 10, 6);
  Text(Border(QvPaneNoBorder, kLeft), true, 5);
}

void QvStatusTextProgress::SetText(const QvString& text) { SetTextOf(m_text, text); }
void QvStatusTextProgress::SetProgressText(const QvString& text) { SetTextOf(m_progress.label, text); }
void QvStatusTextProgress::SetProgressMinMax(long min, long max) { SetMinMaxOf(m_progress, min, max); }
void QvStatusTextProgress::SetProgressValue(long value) { SetValueOf(m_progress, value); }

QvStatus4Text::QvStatus4Text() {
  if (!m_model) return;
  m_texts[0] = Text(Border(QvPaneNoBorder, kLeft), true, 20);
  for (int i = 1; i < 4; ++i) m_texts[i] = Text(Border(QvPaneSunken, kLeft), true, 30);
}

void QvStatus4Text::SetText1(const QvString& text) { SetTextOf(m_texts[0], text); }
void QvStatus4Text::SetText2(const QvString& text) { SetTextOf(m_texts[1], text); }
void QvStatus4Text::SetText3(const QvString& text) { SetTextOf(m_texts[2], text); }
void QvStatus4Text::SetText4(const QvString& text) { SetTextOf(m_texts[3], text); }

QvStatus2TextProgress::QvStatus2TextProgress(bool minMax) {
  if (!m_model) return;
  m_text1 = Text(Border(QvPaneSunken, kLeft), true, 20);
  m_text2 = Text(Border(QvPaneSunken, kLeft), false, 30);
  m_progress = MakeProgress(13, minMax, 3, 10, 6);
  Text(Border(QvPaneNoBorder, kLeft), true, 10);
}

void QvStatus2TextProgress::SetText1(const QvString& text) { SetTextOf(m_text1, text); }
void QvStatus2TextProgress::SetText2(const QvString& text) { SetTextOf(m_text2, text); }
void QvStatus2TextProgress::SetProgressText(const QvString& text) { SetTextOf(m_progress.label, text); }
void QvStatus2TextProgress::SetProgressMinMax(long min, long max) { SetMinMaxOf(m_progress, min, max); }
void QvStatus2TextProgress::SetProgressValue(long value) { SetValueOf(m_progress, value); }

QvStatusText2Progress::QvStatusText2Progress(bool minMax, bool value1, bool value2)
    : m_value1(value1), m_value2(value2) {
  if (!m_model) return;
  m_text = Text(Border(QvPaneSunken, kLeft), true, 60);
  m_progress1 = MakeProgress(12, minMax, value1 ? 8 : 3, 8, 9);
  m_progress2 = MakeProgress(12, minMax, value2 ? 8 : 3, 8, 6);
  Text(Border(QvPaneNoBorder, kLeft), true, 1);
}

void QvStatusText2Progress::SetText(const QvString& text) { SetTextOf(m_text, text); }
void QvStatusText2Progress::SetProgress1Text(const QvString& text) { SetTextOf(m_progress1.label, text); }
void QvStatusText2Progress::SetProgress1MinMax(long min, long max) { SetMinMaxOf(m_progress1, min, max); }
void QvStatusText2Progress::SetProgress2Text(const QvString& text) { SetTextOf(m_progress2.label, text); }
void QvStatusText2Progress::SetProgress2MinMax(long min, long max) { SetMinMaxOf(m_progress2, min, max); }

void QvStatusText2Progress::SetProgress1Value(long value) {
  SetValueOf(m_progress1, value);
  if (m_value1) SetTextOf(m_progress1.min, Number(value));
}

void QvStatusText2Progress::SetProgress2Value(long value) {
  SetValueOf(m_progress2, value);
  if (m_value2) SetTextOf(m_progress2.min, Number(value));
}

QvStatusUdgStandard::QvStatusUdgStandard() {
  if (!m_model) return;
  m_text1 = Text(Border(QvPaneNoBorder, kLeft), true, 80);
  QvStatusBorder* second = Border(QvPaneSunken, kLeft);
  m_image2 = Picture(second);
  m_text2 = Text(second, true, 15);
  m_infoImage = Picture(Border(QvPaneSunken, kRight));
  MakeKeyPanes(m_overInsert, m_numLock, m_capsLock);
}

void QvStatusUdgStandard::SetText1(const QvString& text) { SetTextOf(m_text1, text); }
void QvStatusUdgStandard::SetImage2(short index) { SetImageOf(m_image2, index); }
void QvStatusUdgStandard::SetText2(const QvString& text) { SetTextOf(m_text2, text); }
void QvStatusUdgStandard::SetInfoImage(short index) { SetImageOf(m_infoImage, index); }
void QvStatusUdgStandard::SetOverInsertMode(const QvString& text) { SetTextOf(m_overInsert, text); }
void QvStatusUdgStandard::SetNumLock(const QvString& text) { SetTextOf(m_numLock, text); }
void QvStatusUdgStandard::SetCapsLock(const QvString& text) { SetTextOf(m_capsLock, text); }

QvStatusUdgTextProgress::QvStatusUdgTextProgress(bool minMax) {
  if (!m_model) return;
  m_text = Text(Border(QvPaneSunken, kLeft), true, 80);
  m_progress = MakeProgress(35, minMax, 3, 10, 6);
  Text(Border(QvPaneNoBorder, kLeft), true, 10);
  m_infoImage = Picture(Border(QvPaneSunken, kRight));
}

void QvStatusUdgTextProgress::SetText(const QvString& text) { SetTextOf(m_text, text); }
void QvStatusUdgTextProgress::SetProgressText(const QvString& text) { SetTextOf(m_progress.label, text); }
void QvStatusUdgTextProgress::SetProgressMinMax(long min, long max) { SetMinMaxOf(m_progress, min, max); }
void QvStatusUdgTextProgress::SetProgressValue(long value) { SetValueOf(m_progress, value); }
void QvStatusUdgTextProgress::SetInfoImage(short index) { SetImageOf(m_infoImage, index); }

QvStatusUdg2Text::QvStatusUdg2Text() {
  if (!m_model) return;
  m_text1 = Text(Border(QvPaneSunken, kLeft), true, 80);
  m_text2 = Text(Border(QvPaneSunken, kLeft), true, 80);
  Text(Border(QvPaneNoBorder, kLeft), true, 10);
  m_infoImage = Picture(Border(QvPaneSunken, kRight));
}

void QvStatusUdg2Text::SetText1(const QvString& text) { SetTextOf(m_text1, text); }
void QvStatusUdg2Text::SetText2(const QvString& text) { SetTextOf(m_text2, text); }
void QvStatusUdg2Text::SetInfoImage(short index) { SetImageOf(m_infoImage, index); }
