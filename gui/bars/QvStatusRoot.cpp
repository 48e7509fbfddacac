// The status model's root classes: the stack of models, borders and panes, and the layout.
#include <algorithm>
#include <cmath>

#include "QvStatusBar.h"
#include "StatusImages.h"

QV_IMPLEMENT_CLASS(QvRootPane, nullptr)
QV_IMPLEMENT_CLASS(QvRootStatusBorder, nullptr)
QV_IMPLEMENT_CLASS(QvRootStatusModel, QV_RUNTIME_CLASS(QvGUIContainer))
QV_IMPLEMENT_CLASS(QvRootStatusBar, QV_RUNTIME_CLASS(QvGUIContainer))

namespace {
// Widths and positions are 16-bit: what does not fit stops at the ends instead of wrapping.
unsigned short Clamp16(double value) {
  if (!(value > 0)) return 0;  // negative or not a number
  return value >= 65535.0 ? 65535 : static_cast<unsigned short>(value);
}
}  // namespace

// ---------------------------------------------------------------------------------------
// Panes and borders.

QvRootPane::QvRootPane(bool elastic) : m_elastic(elastic) {}
void QvRootPane::MoveAtPosition(unsigned short position) { m_position = position; }
unsigned short QvRootPane::GetPosition() { return m_position; }
unsigned short QvRootPane::GetWidth() { return m_width; }
void QvRootPane::SetWidth(unsigned short width) { m_width = width; }
bool QvRootPane::IsElastic() { return m_elastic; }
void QvRootPane::Activate(bool active) { m_active = active; }
bool QvRootPane::IsActive() { return m_active; }

QvRootStatusBorder::QvRootStatusBorder(QvPaneBorder type, bool left) : m_type(type), m_left(left) {}
QvRootStatusBorder::~QvRootStatusBorder() = default;
void QvRootStatusBorder::SetPosition(unsigned short position) { m_position = position; }
unsigned short QvRootStatusBorder::GetPosition() { return m_position; }
unsigned short QvRootStatusBorder::GetWidth() { return m_width; }
void QvRootStatusBorder::SetWidth(unsigned short width) { m_width = width; }
bool QvRootStatusBorder::IsLeftAligned() { return m_left; }
QvPaneBorder QvRootStatusBorder::GetBorderType() { return m_type; }
void QvRootStatusBorder::SetBorderType(QvPaneBorder type) { m_type = type; }

bool QvRootStatusBorder::HasElasticPane() {
  for (long i = 0; i < m_panes.GetSize(); ++i)
    if (GetPane(i)->IsElastic()) return true;
  return false;
}

// ---------------------------------------------------------------------------------------
// Models.

QvRootStatusModel::QvRootStatusModel(QvStatusBar* bar) : QvGUIContainer(bar, 0), m_bar(bar) {}
QvRootStatusModel::~QvRootStatusModel() = default;

QvStatusBorder* QvRootStatusModel::GetBorder(long index) const {
  return static_cast<QvStatusBorder*>(m_borders.GetAt(index));
}

long QvRootStatusModel::IndexOfBorder(QvStatusBorder* border) const { return m_borders.Find(border); }

unsigned short QvRootStatusModel::GetPaneMargin() const { return m_bar->GetPaneMargin(); }
unsigned short QvRootStatusModel::GetPartSpacing() const { return m_bar->GetPartSpacing(); }

void QvRootStatusModel::AddBorderToArray(QvStatusBorder* border) {
  for (long i = 0; i < m_borders.GetSize(); ++i) {
    if (!GetBorder(i)->IsLeftAligned()) {
      m_borders.InsertAt(i, border);
      return;
    }
  }
  m_borders.Add(border);
}

QvTextPane* QvRootStatusModel::AddTextPane(QvStatusBorder* border, bool elastic, unsigned char chars) {
  if (!border) return nullptr;
  QvTextPane* pane = border->AddTextPane(elastic, chars);
  if (pane) border->AppendPane(pane);
  return pane;
}

QvPicturePane* QvRootStatusModel::AddPicturePane(QvStatusBorder* border, QvImageList* list) {
  if (!border) return nullptr;
  if (!list) list = m_bar->GetDefaultImageList();
  QvPicturePane* pane = border->AddPicturePane(list);
  if (pane) border->AppendPane(pane);
  return pane;
}

QvProgressPane* QvRootStatusModel::AddProgressPane(QvStatusBorder* border, unsigned char units, bool flag) {
  if (!border) return nullptr;
  QvProgressPane* pane = border->AddProgressPane(units, flag);
  if (pane) border->AppendPane(pane);
  return pane;
}

void QvRootStatusModel::OnResize(unsigned short width) {
  const long margin = GetPaneMargin(), spacing = GetPartSpacing();
  long x = spacing / 2;
  long right = static_cast<long>(width) - spacing / 2;

  long total = 0, elasticTotal = 0, panes = 0, elastics = 0;
  bool anyRight = false;
  const long borders = m_borders.GetSize();
  for (long b = 0; b < borders; ++b) {
    QvStatusBorder* border = GetBorder(b);
    anyRight |= !border->IsLeftAligned();
    for (long i = 0; i < border->GetPaneCount(); ++i) {
      QvRootPane* pane = border->GetPane(i);
      total += pane->GetWidth();
      ++panes;
      if (pane->IsElastic()) {
        elasticTotal += pane->GetWidth();
        ++elastics;
      }
    }
  }
  const long used = total + margin * panes + margin * borders + spacing * borders + (anyRight ? spacing : 0);
  // Elastic panes share the free width in proportion to their widths; with nothing to
  // share out (no elastic width) they keep theirs. They shrink to nothing at worst.
  const bool share = elastics > 0 && elasticTotal > 0;
  double ratio = 1.0;
  if (share) ratio = std::max(0.0, static_cast<double>(right - x - used) / static_cast<double>(elasticTotal) + 1.0);

  for (long b = 0; b < borders; ++b) {
    QvStatusBorder* border = GetBorder(b);
    long p = margin / 2;
    for (long i = 0; i < border->GetPaneCount(); ++i) {
      QvRootPane* pane = border->GetPane(i);
      // (A share that is a whole number in exact arithmetic stays whole despite rounding.)
      if (pane->IsElastic())
        pane->SetWidth(share ? Clamp16(std::trunc(pane->GetWidth() * ratio + 1e-7)) : pane->GetWidth());
      pane->MoveAtPosition(Clamp16(p));
      p += pane->GetRealWidth() + margin;
    }
    border->SetWidth(Clamp16(p + margin / 2));
    if (border->IsLeftAligned()) {
      border->SetPosition(Clamp16(x));
      x += border->GetRealWidth() + spacing;
    }
  }
  for (long b = borders - 1; b >= 0; --b) {
    QvStatusBorder* border = GetBorder(b);
    if (border->IsLeftAligned()) continue;
    right -= border->GetRealWidth();
    border->SetPosition(Clamp16(right));
    right -= spacing;
  }
}

// ---------------------------------------------------------------------------------------
// The bar's models and stack.

QvRootStatusBar::QvRootStatusBar(QvGUIContainer* container)
    : QvGUIContainer(container, 0), m_container(container), m_defaultImages(StatusMakeDefaultImages()) {}

QvRootStatusBar::~QvRootStatusBar() { StatusDeleteImages(m_defaultImages); }

QvStatusModel* QvRootStatusBar::GetActiveAt(long index) const {
  return static_cast<QvStatusModel*>(m_active.GetAt(index));
}

QvStatusModel* QvRootStatusBar::AddModel() {
  auto* model = new QvStatusModel(static_cast<QvStatusBar*>(this));
  if (!model->CreatePlatform(false)) {
    delete model;
    return nullptr;
  }
  m_models.Add(model);
  return model;
}

void QvRootStatusBar::DestroyModel(QvStatusModel* model) {
  const long at = m_models.Find(model);
  if (!model || at < 0) return;
  DeactivateModel(model);
  // Every entry of the model leaves the stack with it.
  for (long i = m_active.GetSize() - 1; i >= 0; --i)
    if (m_active.GetAt(i) == model) m_active.RemoveAt(i);
  m_models.RemoveAt(at);
  delete model;
}

bool QvRootStatusBar::IsModelOnTop(QvStatusModel* model) {
  return m_active.GetSize() > 0 && m_active.GetAt(m_active.GetSize() - 1) == model;
}

void QvRootStatusBar::ActivateModel(QvStatusModel* model) {
  if (!model) return;
  if (m_active.GetSize() > 0) {
    QvStatusModel* top = GetActiveAt(m_active.GetSize() - 1);
    if (top == model) return;
    top->ActivateModel(false);
  }
  m_active.Add(model);
  if (GetWidth() != 0) model->OnResize(GetModelsWidth());
  model->ActivateModel(true);
}

void QvRootStatusBar::DeactivateModel(QvStatusModel* model) {
  long at = -1;
  for (long i = m_active.GetSize() - 1; i >= 0 && at < 0; --i)
    if (m_active.GetAt(i) == model) at = i;
  if (at < 0) return;
  if (at == m_active.GetSize() - 1) model->ActivateModel(false);
  m_active.RemoveAt(at);
  if (m_active.GetSize() > 0) GetActiveAt(m_active.GetSize() - 1)->ActivateModel(true);
}

QvStatusBorder* QvRootStatusBar::AddBorder(QvStatusModel* model, QvPaneBorder type, bool left) {
  if (!model) return nullptr;
  QvStatusBorder* border = model->AddBorder(type, left);
  if (border) model->AddBorderToArray(border);
  return border;
}

QvTextPane* QvRootStatusBar::AddTextPane(QvStatusModel* model, QvStatusBorder* border, bool elastic,
                                         unsigned char chars) {
  return model ? model->AddTextPane(border, elastic, chars) : nullptr;
}

QvPicturePane* QvRootStatusBar::AddPicturePane(QvStatusModel* model, QvStatusBorder* border, QvImageList* list) {
  return model ? model->AddPicturePane(border, list) : nullptr;
}

QvProgressPane* QvRootStatusBar::AddProgressPane(QvStatusModel* model, QvStatusBorder* border, unsigned char units,
                                                 bool flag) {
  return model ? model->AddProgressPane(border, units, flag) : nullptr;
}

void QvRootStatusBar::OnResize() {
  // Before the bar has a width there is nothing to lay out in.
  if (GetWidth() == 0 || m_active.GetSize() == 0) return;
  GetActiveAt(m_active.GetSize() - 1)->OnResize(GetModelsWidth());
}
