// The portable text view: plain text shown and edited in a rich edit control. QvRootTextView
// lays out the text interface; QvTextView fills it through its window, CGUITextView
// (GUITextView.h). Texts cross the interface as UTF-8; positions and lengths are characters
// of the control (a line break inside the control is one character, "\r").
#pragma once
#include <QvGUIContainer.h>
#include <vekkel.h>

#include "quarnel_api.h"

class CGUITextView;
class QvModifier;

// Values of the style word.
enum : unsigned short {
  QVTEXT_READONLY = 1,       // no input
  QVTEXT_FIXED_PITCH = 2,    // fixed-pitch font (else variable pitch)
  QVTEXT_NO_HSCROLL = 4,     // lines wrap: no horizontal scrolling
};

class QUARNEL_API QvRootTextView : public QvGUIContainer {
  QV_DECLARE_CLASS(QvRootTextView)
 public:
  QvRootTextView(QvCommandHandler* parent, unsigned short style);
  ~QvRootTextView() override;

  unsigned short GetStyle() const { return m_style; }

  // Called once the window and its edit control exist.
  virtual void OnInit() {}
  // Replaces the selection by the text (inserts at the caret).
  virtual void SetText(const QvString& text) = 0;
  // Adds the text at the end (after a line break with newLine); with keepSelection the
  // selection is where it was, else the caret follows the text.
  virtual void AppendText(const QvString& text, bool newLine, bool keepSelection) = 0;
  // The whole text, line breaks as "\r\n"; answers its length in characters.
  virtual long GetText(QvString& text) = 0;
  // The characters [start, end) (start < 0: the selection), read from the control at any
  // length; the range is also copied to the clipboard. Answers the length in characters;
  // 0 with an empty string when the range is empty or starts past the end.
  virtual long ExtractText(QvString& text, long start, long end) = 0;
  // The first match at or after start, searching forward; -1 when none.
  virtual long SearchText(const QvString& text, bool matchCase, bool wholeWord, long start) = 0;
  virtual long GetTextLength() = 0;
  // True when the selection is not empty.
  virtual bool GetSelection(long& start, long& end) = 0;
  // start < 0: the caret at the end; else start within the text and end not before it.
  virtual void SetSelection(long start, long end) = 0;
  virtual void EnableInput(bool enable) = 0;
  // Off: the view stops drawing; on: drawing again with an immediate full repaint.
  virtual void FreezeRedraw(bool freeze) = 0;
  virtual bool CanUndo() = 0;
  // False when nothing can be undone.
  virtual bool Undo() = 0;
  virtual bool Cut() = 0;
  virtual bool Copy() = 0;
  virtual bool CanPaste() = 0;
  virtual bool Paste() = 0;
  virtual bool Clear() = 0;
  virtual void onRightMouseDown(const QvModifier&) {}

 protected:
  unsigned short m_style;
};

class QUARNEL_API QvTextView : public QvRootTextView {
  QV_DECLARE_CLASS(QvTextView)
  friend class CGUITextView;

 public:
  QvTextView(QvCommandHandler* parent, unsigned short style);
  ~QvTextView() override;

  void SetCreateCBack(void (*callback)()) { m_createCallback = callback; }
  void (*GetCreateCBack() const)() { return m_createCallback; }
  CGUITextView* GetPlatformView() const { return m_platformView; }

  void SetText(const QvString& text) override;
  void AppendText(const QvString& text, bool newLine, bool keepSelection) override;
  long GetText(QvString& text) override;
  long ExtractText(QvString& text, long start, long end) override;
  long SearchText(const QvString& text, bool matchCase, bool wholeWord, long start) override;
  long GetTextLength() override;
  bool GetSelection(long& start, long& end) override;
  void SetSelection(long start, long end) override;
  void EnableInput(bool enable) override;
  void FreezeRedraw(bool freeze) override;
  bool CanUndo() override;
  bool Undo() override;
  bool Cut() override;
  bool Copy() override;
  bool CanPaste() override;
  bool Paste() override;
  bool Clear() override;

 private:
  // The edit control, or NULL before the window has made it.
  HWND Edit() const;
  void (*m_createCallback)() = nullptr;
  CGUITextView* m_platformView = nullptr;
};
