// Undoable actions.
#include "QvAction.h"

QV_IMPLEMENT_CLASS(QvAction, nullptr)

namespace {
unsigned long s_globalCounter = 0;
}

QvAction::QvAction() : m_sequence(++s_globalCounter) {}

QvAction::~QvAction() {}

bool QvAction::Doit() {
  if (m_done) return true;
  m_stateBefore = SaveState();
  bool done = OnDoit();
  m_stateAfter = SaveState();
  m_done = done;
  return done;
}

void QvAction::Undo() {
  if (!CanUndo()) return;
  OnUndo();
  RestoreState(m_stateBefore);
  m_done = false;
}

void QvAction::Redo() {
  if (!CanRedo()) return;
  OnRedo();
  RestoreState(m_stateAfter);
  m_done = true;
}

void QvAction::Repeat() {
  if (CanRepeat()) OnRepeat();
}

void QvAction::Release() {
  if (--m_refCount <= 0) delete this;
}

unsigned long QvAction::Get_GlobalCounter() { return s_globalCounter; }
void QvAction::Set_GlobalCounter(unsigned long counter) { s_globalCounter = counter; }
