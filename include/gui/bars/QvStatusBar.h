// The application status bar of the portable layer. A bar keeps several status models and
// shows the last one activated (a stack); a model is a row of borders, each border one part of
// the platform status-bar control; a border is a row of panes (text, picture, progress) drawn
// side by side inside its part. Panes are laid out by width rules: fixed panes keep the width
// they were made with, elastic panes share the free width in proportion to their widths.
//
// The root classes hold the structure and compute the layout; QvStatusBar and its model,
// border and pane classes bind it to a framework status bar (CGUIStatusBar), whose parts the
// control draws itself (a border with one text pane) or hands to DrawItem (any other border).
#pragma once
#include <framework.h>
#include <fw_statusbar.h>
#include <vekkel.h>

#include "QvGUIContainer.h"
#include "quarnel_api.h"

class QvImageList;
class QvStatusBar;
class QvStatusModel;
class QvStatusBorder;
class QvTextPane;
class QvPicturePane;
class QvProgressPane;
class CGUIPane;
class CGUIStatusBar;

// The frame of a border's part.
enum QvPaneBorder { QvPaneNoBorder = 0, QvPaneRaised = 1, QvPaneSunken = 2 };

// ---------------------------------------------------------------------------------------
// Root classes: structure and layout.

class QUARNEL_API QvRootPane : public QvFirst {
  QV_DECLARE_CLASS(QvRootPane)
 public:
  explicit QvRootPane(bool elastic);

  virtual void MoveAtPosition(unsigned short position);
  virtual unsigned short GetPosition();  // x of the left edge, relative to the border
  virtual unsigned short GetWidth();     // the current width
  virtual unsigned short GetRealWidth() = 0;
  virtual void SetWidth(unsigned short width);  // the current width
  virtual bool IsElastic();
  virtual void Activate(bool active);
  virtual bool IsActive();

  // Bit 0: a text that fits is drawn right-aligned.
  unsigned long m_alignment = 0;

 private:
  bool m_active = true;
  bool m_elastic;
  unsigned short m_width = 0;
  unsigned short m_position = 0;
};

class QUARNEL_API QvRootStatusBorder : public QvFirst {
  QV_DECLARE_CLASS(QvRootStatusBorder)
 public:
  QvRootStatusBorder(QvPaneBorder type, bool left);
  ~QvRootStatusBorder() override;

  virtual QvTextPane* AddTextPane(bool elastic, unsigned char chars) = 0;
  virtual QvPicturePane* AddPicturePane(QvImageList* list) = 0;
  virtual QvProgressPane* AddProgressPane(unsigned char units, bool flag) = 0;
  virtual void SetPosition(unsigned short position);
  virtual unsigned short GetPosition();  // x of the left edge in the bar's client area
  virtual unsigned short GetWidth();
  virtual unsigned short GetRealWidth() = 0;
  virtual void SetWidth(unsigned short width);
  virtual bool IsLeftAligned();
  virtual bool HasElasticPane();
  virtual QvPaneBorder GetBorderType();
  virtual void SetBorderType(QvPaneBorder type);

  void AppendPane(QvRootPane* pane) { m_panes.Add(pane); }
  long GetPaneCount() const { return m_panes.GetSize(); }
  QvRootPane* GetPane(long index) const { return static_cast<QvRootPane*>(m_panes.GetAt(index)); }

 protected:
  QvArrayLPQvFirst m_panes;  // display order; deleted by QvStatusBorder

 private:
  QvPaneBorder m_type;
  bool m_left;
  unsigned short m_width = 0;
  unsigned short m_position = 0;
};

class QUARNEL_API QvRootStatusModel : public QvGUIContainer {
  QV_DECLARE_CLASS(QvRootStatusModel)
 public:
  explicit QvRootStatusModel(QvStatusBar* bar);
  ~QvRootStatusModel() override;

  // Keeps the right-aligned borders after the left-aligned ones: a border goes just before
  // the first right-aligned border.
  virtual void AddBorderToArray(QvStatusBorder* border);
  virtual QvStatusBorder* AddBorder(QvPaneBorder type, bool left) = 0;
  virtual QvTextPane* AddTextPane(QvStatusBorder* border, bool elastic, unsigned char chars);
  // A null list is the bar's default image list.
  virtual QvPicturePane* AddPicturePane(QvStatusBorder* border, QvImageList* list);
  virtual QvProgressPane* AddProgressPane(QvStatusBorder* border, unsigned char units, bool flag);
  virtual void ActivateModel(bool show) = 0;
  // Lays the borders and panes out in the width: left-aligned borders from the left,
  // right-aligned ones from the right, elastic panes sharing what the others leave.
  virtual void OnResize(unsigned short width);

  QvStatusBar* GetParentStatusBar() const { return m_bar; }
  long GetBorderCount() const { return m_borders.GetSize(); }
  QvStatusBorder* GetBorder(long index) const;
  long IndexOfBorder(QvStatusBorder* border) const;

 protected:
  unsigned short GetPaneMargin() const;
  unsigned short GetPartSpacing() const;

  QvStatusBar* m_bar;
  QvArrayLPQvFirst m_borders;  // display order; deleted by QvStatusModel
};

class QUARNEL_API QvRootStatusBar : public QvGUIContainer {
  QV_DECLARE_CLASS(QvRootStatusBar)
 public:
  explicit QvRootStatusBar(QvGUIContainer* container);
  ~QvRootStatusBar() override;

  // A new model of this bar, or null when it cannot be made.
  virtual QvStatusModel* AddModel();
  // Deactivates and deletes a model of this bar; another model is left alone.
  virtual void DestroyModel(QvStatusModel* model);
  // Puts the model on top of the stack (again, when it is deeper) and shows it; the model
  // on top stays as it is.
  virtual void ActivateModel(QvStatusModel* model);
  // Takes the model's last entry off the stack; the model on top is shown again.
  virtual void DeactivateModel(QvStatusModel* model);
  virtual bool IsModelOnTop(QvStatusModel* model);
  virtual QvStatusBorder* AddBorder(QvStatusModel* model, QvPaneBorder type, bool left);
  virtual QvTextPane* AddTextPane(QvStatusModel* model, QvStatusBorder* border, bool elastic, unsigned char chars);
  virtual QvPicturePane* AddPicturePane(QvStatusModel* model, QvStatusBorder* border, QvImageList* list);
  virtual QvProgressPane* AddProgressPane(QvStatusModel* model, QvStatusBorder* border, unsigned char units,
                                          bool flag);
  // Lays the model on top out in the models' width, once the bar's width is known.
  virtual void OnResize();
  virtual unsigned short GetWidth() = 0;
  virtual unsigned short GetModelsWidth() = 0;
  virtual unsigned short GetPaneMargin() = 0;
  virtual unsigned short GetPartSpacing() = 0;

  QvImageList* GetDefaultImageList() const { return m_defaultImages; }
  long GetModelCount() const { return m_models.GetSize(); }
  long GetActiveCount() const { return m_active.GetSize(); }
  QvStatusModel* GetActiveAt(long index) const;

 protected:
  QvGUIContainer* m_container;
  QvArrayLPQvFirst m_models;  // owned; deleted by QvStatusBar
  QvArrayLPQvFirst m_active;  // the stack, last on top; not owned
  QvImageList* m_defaultImages;  // owned
};

// ---------------------------------------------------------------------------------------
// The bar, its models and borders.

class QUARNEL_API QvStatusBar : public QvRootStatusBar {
  QV_DECLARE_CLASS(QvStatusBar)
 public:
  explicit QvStatusBar(QvGUIContainer* container);
  // Deletes the models, then the window; the last bar of the process deletes the status font.
  ~QvStatusBar() override;

  bool CreatePlatform(bool flag) override;
  CWnd* OnCreatePlatform() override;
  // Shows or hides the bar in its frame (the frame lays out later).
  void Show(bool show) override;
  void OnResize() override;
  unsigned short GetWidth() override { return m_width; }
  // The width less the bar's height (room for the corner); 0 while the bar is not laid out.
  unsigned short GetModelsWidth() override;
  unsigned short GetPaneMargin() override { return 6; }
  unsigned short GetPartSpacing() override;

  void SetWidth(unsigned short width) { m_width = width; }
  QvStatusModel* GetModelOnTop() const;
  CGUIStatusBar* GetStatusBarWindow() const;

 private:
  unsigned short m_width = 0;
  bool m_usesFont = false;
};

class QUARNEL_API QvStatusModel : public QvRootStatusModel {
  QV_DECLARE_CLASS(QvStatusModel)
 public:
  // Measures the average character width of the bar window's font.
  explicit QvStatusModel(QvStatusBar* bar);
  ~QvStatusModel() override;

  bool CreatePlatform(bool flag) override;  // true, no window
  void Show(bool show) override;            // nothing
  QvStatusBorder* AddBorder(QvPaneBorder type, bool left) override;
  // true: the borders become the parts of the bar; false: the parts are withdrawn.
  void ActivateModel(bool show) override;

  unsigned short GetCharUnit() const { return m_charUnit; }

 private:
  unsigned short m_charUnit = 0;
};

class QUARNEL_API QvStatusBorder : public QvRootStatusBorder {
  QV_DECLARE_CLASS(QvStatusBorder)
 public:
  QvStatusBorder(QvPaneBorder type, bool left);
  ~QvStatusBorder() override;

  // chars characters of the model's font wide.
  QvTextPane* AddTextPane(bool elastic, unsigned char chars) override;
  // As wide as an image of the list and 2 pixels.
  QvPicturePane* AddPicturePane(QvImageList* list) override;
  // units * 10 pixels wide; its control is a child of the bar window.
  QvProgressPane* AddProgressPane(unsigned char units, bool flag) override;
  unsigned short GetRealWidth() override { return GetWidth(); }

  void SetModel(QvStatusModel* model) { m_model = model; }
  QvStatusModel* GetModel() const { return m_model; }
  // A border with exactly one pane, a text pane: the control draws its part.
  bool IsPlainText();
  // The SBT_ drawing type of the border's frame.
  UINT GetPartStyle();

 private:
  QvStatusModel* m_model = nullptr;
};

// ---------------------------------------------------------------------------------------
// Panes.

class QUARNEL_API QvPane : public QvRootPane {
  QV_DECLARE_CLASS(QvPane)
 public:
  explicit QvPane(bool elastic);
  ~QvPane() override;

  unsigned short GetWidth() override { return m_definedWidth; }  // as asked for
  unsigned short GetRealWidth() override { return QvRootPane::GetWidth(); }  // as laid out
  virtual void SetDefinedWidth(unsigned short width) { m_definedWidth = width; }

  void SetBorder(QvStatusBorder* border) { m_border = border; }
  QvStatusBorder* GetBorder() const { return m_border; }
  CGUIPane* GetPlatformPane() const { return m_platform; }
  // The pane's model is the one the bar shows.
  bool IsShown() const;
  // The pane's place in the bar's client area (full height); empty when not shown.
  CRect GetPaneRect() const;

 protected:
  // Invalidates the pane's place (no erase); paints it at once when now.
  void Refresh(bool now);

  CGUIPane* m_platform = nullptr;  // owned
  QvStatusBorder* m_border = nullptr;
  unsigned short m_definedWidth = 0;
};

class QUARNEL_API QvTextPane : public QvPane {
  QV_DECLARE_CLASS(QvTextPane)
 public:
  QvTextPane(bool elastic, unsigned char chars);
  // Keeps the text; a shown pane goes to the screen: the part's text for a plain text part,
  // else the pane is invalidated and painted with the bar's next paint.
  void SetText(const QvString& text);
  const QvString& GetText() const;
};

class QUARNEL_API QvPicturePane : public QvPane {
  QV_DECLARE_CLASS(QvPicturePane)
 public:
  explicit QvPicturePane(QvImageList* list);
  // -1: no image.
  void SetImage(short index);
  short GetImage() const;
  QvImageList* GetImageList() const;
};

class QUARNEL_API QvProgressPane : public QvPane {
  QV_DECLARE_CLASS(QvProgressPane)
 public:
  QvProgressPane();
  explicit QvProgressPane(unsigned char units);
  void SetRange(long min, long max);
  virtual void SetValue(long value);
  CProgressCtrl* GetControl() const;
  // Makes the control window: visible, empty, a child of the parent (id 0).
  bool CreateControl(CWnd* parent);
};

// A progress pane that shows activity, not a value: each SetValue advances the pulse.
class QUARNEL_API QvTimeProgressPane : public QvProgressPane {
  QV_DECLARE_CLASS(QvTimeProgressPane)
 public:
  explicit QvTimeProgressPane(unsigned char units);
  void SetValue(long value) override;
};

// ---------------------------------------------------------------------------------------
// Platform side.

class QUARNEL_API CGUIPane : public CObject {
  DECLARE_DYNAMIC(CGUIPane)
 public:
  CGUIPane() = default;
  ~CGUIPane() override = default;
};

class QUARNEL_API CGUITextPane : public CGUIPane {
  DECLARE_DYNAMIC(CGUITextPane)
 public:
  QvString m_text;
};

class QUARNEL_API CGUIImagePane : public CGUIPane {
  DECLARE_DYNAMIC(CGUIImagePane)
 public:
  explicit CGUIImagePane(QvImageList* list) : m_list(list) {}
  QvImageList* m_list;  // not owned
  short m_index = -1;
};

class QUARNEL_API CGUIProgressPane : public CGUIPane {
  DECLARE_DYNAMIC(CGUIProgressPane)
 public:
  CGUIProgressPane();
  ~CGUIProgressPane() override;
  CProgressCtrl* m_control;  // owned

 protected:
  explicit CGUIProgressPane(CProgressCtrl* control) : m_control(control) {}
};

// Fills its client area with a shade of red that pulses a step at each paint; all such
// controls share one pulse.
class QUARNEL_API CTimeProgressCtrl : public CProgressCtrl {
  DECLARE_DYNAMIC(CTimeProgressCtrl)
 public:
  CTimeProgressCtrl() = default;
  // The pulse's red level as last painted.
  static int GetPulseColor();

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()
};

class QUARNEL_API CGUITimeProgressPane : public CGUIProgressPane {
  DECLARE_DYNAMIC(CGUITimeProgressPane)
 public:
  CGUITimeProgressPane();
};

class QUARNEL_API CGUIStatusBar : public CStatusBar {
  DECLARE_DYNAMIC(CGUIStatusBar)
 public:
  explicit CGUIStatusBar(QvStatusBar* bar) : m_bar(bar) {}
  QvStatusBar* GetQvStatusBar() const { return m_bar; }
  // Paints the panes of an owner-drawn part (its item data is the border).
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  // The height the frame's last layout gave the bar, else the window's.
  int GetHeight() const;
  // The parts belong to the models: idle update leaves them alone.
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

 protected:
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  // The parts are the models': the control alone sees the size.
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

 private:
  QvStatusBar* m_bar;
  int m_laidOutHeight = -1;
};

// The font of pane texts, shared by every bar window of the process while one exists; NULL
// when none.
QUARNEL_API HFONT GUIGetStatusFont();

// The window a bar without a container goes into, in place of the thread's main window
// while it is set (for example while the main window is being made).
QUARNEL_API CWnd* Get_GlobalTemporayAccessforMFCMainWindow();
QUARNEL_API void Set_GlobalTemporayAccessforMFCMainWindow(CWnd* window);
