// The portable controls of dialog children: static texts, edit fields, password fields,
// push buttons, radio buttons, check boxes, group boxes, list boxes, combo boxes, spinners,
// sliders and progress bars. Each is a QvControl bound to one child window through its
// platform control (GUIControls.h); every call goes to that window. A control that is not
// bound changes nothing and answers failure (false, 0, -1, null or an empty text).
//
// Texts cross as UTF-8 on the portable side. Selections, positions and ranges are 32-bit.
//
// Portable notifications (the container translates the children's Windows notifications):
//   200 edit text changed (not while SetText runs; also raised by SetText with notify)
//   201/202 edit focus gained/lost, 203 double click, 204 key down, 205 portable key (key
//   code) or new spinner value (the value), 206 left button released;
//   300 push button, 400 radio button, 500 check box clicked;
//   600/601 list box focus gained/lost, 602 selection changed, 603 double click, 604 key;
//   700 combo selection changed, 701 dropped down, 702 closed up, 703/704 focus gained/lost,
//   725 edit text changed, 735 value of a font, size or zoom list changed; 1200 slider moved.
#pragma once
#include <QvControl.h>
#include <QvDrawingTypes.h>
#include <QvFont.h>
#include <vekkel.h>

#include "quarnel_api.h"

class CGUIEdit;
class CGUIButton;
class CGUIComboBox;
class CGUISpinner;
class QvImage;
class QvImageList;

class QUARNEL_API QvStaticText : public QvControl {
  QV_DECLARE_CREATABLE(QvStaticText)
 public:
  QvStaticText() = default;
};

class QUARNEL_API QvEditText : public QvControl {
  QV_DECLARE_CREATABLE(QvEditText)
 public:
  QvEditText() = default;
  using QvControl::SetText;
  // The text, without the window's own change notification; then, with notify, one
  // notification 200 raised on the control.
  virtual void SetText(const QvString& text, bool notify);
  // Appends the text followed by a line break.
  virtual void AddText(const QvString& text);
  virtual void EnableInput(bool enable);
  virtual long GetMaxCharLimit();
  // -1: the system's maximum.
  virtual void SetMaxCharLimit(long limit);
  virtual unsigned long GetTextLength();
  virtual bool IsMultilineMode();
  virtual void FreezeRedraw(bool freeze);
  // Characters typed or pasted must be in the authorised set (when not empty) and not in
  // the filtered one. Edit fields only: a spinner has its own rules and ignores them.
  virtual void SetAuthorizedChar(const QvString& chars);
  virtual void SetFilteredChar(const QvString& chars);
  virtual void EnableSelection(bool enable);  // no effect
  // Character positions; false when unbound.
  virtual bool GetSelection(long& start, long& end);
  // -1, -1 selects the whole text.
  virtual void SetSelection(long start, long end, bool scroll);
  virtual void ReplaceSelection(const QvString& text);
  virtual void RevealSelection();
  // Nothing selected; the caret stays where the selection ended.
  virtual void ResetSelection();
  virtual void SetCaretPos(long position);
  virtual long GetCaretPos();  // -1 when unbound
  virtual void SetReadOnly(bool readOnly);

 protected:
  CGUIEdit* Edit() const;
};

class QUARNEL_API QvPassEditText : public QvEditText {
  QV_DECLARE_CREATABLE(QvPassEditText)
 public:
  QvPassEditText() = default;
};

class QUARNEL_API QvPushButton : public QvControl {
  QV_DECLARE_CREATABLE(QvPushButton)
 public:
  QvPushButton() = default;
  // Shows the image (not owned) on the button's face; see CGUIButton::SetImage.
  virtual void SetImage(QvImage* image, bool drawFocus);

 protected:
  CGUIButton* Button() const;
};

class QUARNEL_API QvRadioButton : public QvControl {
  QV_DECLARE_CREATABLE(QvRadioButton)
 public:
  QvRadioButton() = default;
  virtual void Check(bool check);
  virtual bool IsChecked();
  virtual void SetReadOnly(bool readOnly);

 protected:
  CGUIButton* Button() const;
};

class QUARNEL_API QvCheckBox : public QvControl {
  QV_DECLARE_CREATABLE(QvCheckBox)
 public:
  QvCheckBox() = default;
  virtual void EnableTriState(bool enable);
  // 0 unchecked, 1 checked, 2 indeterminate; other values are ignored.
  virtual void SetState(QvTriState state);
  virtual QvTriState GetState();  // -1 when unbound
  virtual void SetReadOnly(bool readOnly);

 protected:
  CGUIButton* Button() const;
};

class QUARNEL_API QvGroupBox : public QvControl {
  QV_DECLARE_CREATABLE(QvGroupBox)
 public:
  QvGroupBox() = default;
};

class QUARNEL_API QvListBox : public QvControl {
  QV_DECLARE_CREATABLE(QvListBox)
 public:
  QvListBox() = default;
  virtual bool Select(const QvArrayQvString& texts, bool select);
  virtual bool Select(const QvString& text, bool select);
  virtual bool Select(const QvArraySLong& indices, bool select);
  virtual bool Select(long index, bool select);
  virtual bool GetSelected(QvArrayQvString& texts);
  virtual bool GetSelected(QvString& text);
  virtual bool GetSelected(QvArraySLong& indices);
  // The first selected item of a multi-selection list, else the current selection.
  virtual bool GetSelected(long& index);
  virtual void DeselectAll();
  virtual void SelectAll();
  virtual bool IsSelected(const QvString& text);
  virtual bool IsSelected(long index);
  virtual long GetCount();
  virtual long GetSelectedCount();
  virtual void EnableMultipleSel(bool enable);  // no effect: the style is fixed at creation
  virtual bool IsMultipleSelEnabled();
  virtual void Sort(bool sort);
  virtual bool IsSorted();
  // The new index, -1 on error. A sorted list appends in order.
  virtual long AddItem(const QvString& text, long index);
  virtual void AddItem(const QvArrayQvString& texts);
  virtual bool DeleteItem(long index);
  virtual bool DeleteItem(const QvString& text);
  virtual void DeleteAllItems();
  virtual bool FindItem(const void* data, long& index);
  virtual bool FindItem(const QvString& text, long& index);
  virtual bool FindItem(long index, QvString& text);
  virtual void SetItemVisible(const QvString& text);
  virtual void SetItemVisible(long index);
  virtual void SetItemData(long index, void* data);
  virtual void* GetItemData(long index);
  virtual void FreezeRedraw(bool freeze);

 protected:
  bool IsMultiSelection() const;
};

class QUARNEL_API QvComboBox : public QvControl {
  QV_DECLARE_CREATABLE(QvComboBox)
 public:
  QvComboBox() = default;
  virtual bool Select(const QvString& text);
  virtual bool Select(long index);
  virtual bool GetSelected(QvString& text);
  virtual bool GetSelected(long& index);
  virtual void DeselectAll();
  virtual long GetCount();
  virtual long GetSelectedCount();
  virtual void Sort(bool sort);
  virtual bool IsSorted();
  virtual long AddItem(const QvString& text, long index);
  virtual long AddItem(const QvString& text);
  virtual void AddItem(const QvArrayQvString& texts);
  virtual bool DeleteItem(long index);
  virtual bool DeleteItem(const QvString& text);
  virtual void DeleteAllItems();
  // From the last item to the first: the highest index with that data.
  virtual bool FindItem(const void* data, long& index);
  virtual bool FindItem(const QvString& text, long& index);
  virtual bool FindItem(long index, QvString& text);
  // The highest index whose text compares equal for the user interface.
  virtual bool FindItemCaseSens(const QvString& text, long& index);
  virtual void SetItemData(long index, void* data);
  virtual void* GetItemData(long index);
  // Replaces the item's text in place; its data and image stay.
  virtual bool SetItemText(long index, const QvString& text);
  // The images drawn before the item texts (not owned; null: none), also in the selection
  // field with showInField. The fonts list keeps its own images.
  virtual void SetImageList(QvImageList* list, bool showInField);
  virtual bool SetItemImage(long index, short image);
  virtual short GetItemImage(long index);
  virtual void AdjustDroppedWidth();
  virtual void SetReadOnly(bool readOnly);
  void SetDefaultTextColor() override;
  void SetTextColor(QvColor color) override;

 protected:
  CGUIComboBox* Combo() const;
};

class QUARNEL_API QvEditComboBox : public QvComboBox {
  QV_DECLARE_CREATABLE(QvEditComboBox)
 public:
  QvEditComboBox() = default;
  virtual long GetMaxCharLimit();
  // -1: the system's maximum.
  virtual void SetMaxCharLimit(long limit);
  virtual void SetAuthorizedChar(const QvString& chars);
  virtual void SetFilteredChar(const QvString& chars);
};

// The font-name list: the faces of the default printer and of the screen, marked as
// TrueType or device faces, linked to a sizes list that shows the current face's sizes.
class QUARNEL_API QvFontsComboBox : public QvEditComboBox {
  QV_DECLARE_CREATABLE(QvFontsComboBox)
 public:
  QvFontsComboBox() = default;
  // Fills the list; the default GUI face at 9 points is current.
  void OnPlatformControlSet() override;
  // False when the face is not listed.
  virtual bool SetFont(const QvFont& font);
  // Face and size (the size from the sizes list, when linked); false without a current face.
  virtual bool GetFont(QvFont& font);
  virtual bool GetFontName(QvString& name);
  // False without a sizes list or a size in it.
  virtual bool GetFontSize(unsigned short& size);
  // Null unlinks.
  virtual bool LinkASizesCombo(QvEditComboBox* sizes);

 protected:
  CGUIComboBox* Fonts() const;
};

// The zoom list: percentages "n%"; a typed value is taken when listed or, with free values,
// inside the range.
class QUARNEL_API QvZoomComboBox : public QvEditComboBox {
  QV_DECLARE_CREATABLE(QvZoomComboBox)
 public:
  QvZoomComboBox() = default;
  // 10, 25, 50, 75, 100, 150, 200, 300 and 400 per cent, free values allowed; 100 current.
  void OnPlatformControlSet() override;
  virtual bool SetZoomValues(const QvArrayUShort& values, bool allowOthers);
  // Ignored unless maximum > minimum.
  virtual void SetZoomRange(unsigned short minimum, unsigned short maximum);
  virtual bool SetZoom(unsigned short zoom);
  virtual unsigned short GetZoom();  // 0 when unbound
};

// The fill-pattern list: one item per pattern of the shared fill-pattern brushes, each drawn
// as a swatch in two colours before its name. Pattern p is item p - 1; 0 is no pattern.
class QUARNEL_API QvPatternComboBox : public QvEditComboBox {
  QV_DECLARE_CREATABLE(QvPatternComboBox)
 public:
  QvPatternComboBox() = default;
  // Fills the list; the swatches in the window text colour on the window colour.
  void OnPlatformControlSet() override;
  // Selects pattern p (0 selects nothing); false when unbound or p is not listed.
  virtual bool SetPattern(const QvGUIPattern& pattern);
  // The selected pattern; 0 and false when nothing is selected or unbound.
  virtual bool GetPattern(QvGUIPattern& pattern);
  // The swatches' colours (first: the background, second: the pattern's own); repaints now.
  virtual void SetColors(const QvColor& first, const QvColor& second);

 protected:
  CGUIComboBox* Patterns() const;
};

class QUARNEL_API QvSpinner : public QvEditText {
  QV_DECLARE_CREATABLE(QvSpinner)
 public:
  QvSpinner() = default;
  // Makes the arrows beside the edit.
  void OnPlatformControlSet() override;
  void SetReadOnly(bool readOnly) override;
  // The spinner keeps its own input rules: these change nothing.
  void SetAuthorizedChar(const QvString& chars) override;
  void SetFilteredChar(const QvString& chars) override;
  virtual void SetStep(double step);
  virtual double GetStep();
  virtual void SetRange(double minimum, double maximum);
  virtual bool GetRange(long& minimum, long& maximum);
  virtual bool GetRange(double& minimum, double& maximum);
  virtual void SetValue(double value);
  virtual bool GetValue(long& value);
  virtual bool GetValue(double& value);
  virtual bool IsRealInput();            // false: whole numbers
  virtual void SetRealInput(bool real);  // no effect
  // Keeps an out-of-range text when the focus leaves (the value is still clamped).
  virtual void DisableOnKillFocus();
  virtual void Redraw();

 protected:
  CGUISpinner* Spinner() const;
};

class QUARNEL_API QvSlider : public QvControl {
  QV_DECLARE_CREATABLE(QvSlider)
 public:
  QvSlider() = default;
  virtual void SetStep(unsigned long step);
  virtual unsigned long GetStep();  // 0
  virtual void SetRange(long minimum, long maximum);
  virtual bool GetRange(long& minimum, long& maximum);
  virtual void SetValue(long value);
  virtual long GetValue();
};

class QUARNEL_API QvProgressBar : public QvControl {
  QV_DECLARE_CREATABLE(QvProgressBar)
 public:
  QvProgressBar() = default;
  virtual void SetRange(long minimum, long maximum);
  virtual bool GetRange(long& minimum, long& maximum);
  virtual void SetValue(long value);
  virtual long GetValue();
};
