// QvAction: an undoable action that handlers pass up their chain (PostQvAction). A concrete
// action saves and restores its state and does, undoes, redoes and repeats its work; the
// handler at the top of the host's chain keeps it (undo lists are the host's).
//
// Actions are counted references: made with a count of 1, deleted by the Release that
// brings the count to 0.
#pragma once
#include <vekkel.h>

#include "quarnel_api.h"

class QUARNEL_API QvAction : public QvFirst {
  QV_DECLARE_CLASS(QvAction)
 public:
  QvAction();

  virtual bool CanRepeat() const { return m_repeatable; }
  virtual bool CanRedo() const { return !m_done; }
  virtual bool CanUndo() const { return m_done; }
  virtual const QvString& GetActionName() { return m_actionName; }
  virtual unsigned char SaveState() = 0;
  virtual void RestoreState(unsigned char state) = 0;
  virtual bool OnDoit() = 0;
  virtual void OnUndo() = 0;
  virtual void OnRedo() = 0;
  virtual void OnRepeat() = 0;

  // Does the work once; an action already done answers true and does nothing.
  bool Doit();
  void Undo();
  void Redo();
  void Repeat();
  const bool& IsDone() const { return m_done; }
  void SetActionName(const QvString& name) { m_actionName = name; }

  void AddRef() { ++m_refCount; }
  void Release();

  // The number of actions made in the process.
  static unsigned long Get_GlobalCounter();
  static void Set_GlobalCounter(unsigned long counter);

 protected:
  ~QvAction() override;

  bool m_repeatable = false;
  unsigned char m_stateBefore = 0;
  unsigned char m_stateAfter = 0;
  unsigned long m_sequence;  // this action's number in the process-wide count

 private:
  QvAction(const QvAction&) = delete;
  QvAction& operator=(const QvAction&) = delete;

  QvString m_actionName;
  bool m_done = false;
  short m_refCount = 1;
};
