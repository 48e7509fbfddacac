// The platform controls that serve the portable controls (QvControls.h): framework window
// objects that subclass a dialog child and add what the portable kinds promise: character
// filters and clipboard checks of edit fields, the extra notifications they send their
// parent, read-only check boxes and radio buttons drawn by the button itself, group boxes
// without text drawn as separator lines, the key notification of list boxes, combo boxes
// with per-item images drawn by the combo, and the spinner: an edit field with up-down
// arrows that holds a clamped whole number.
//
// Notifications these windows send their parent beside the system's own (the parent's
// container turns them into portable notifications): WM_COMMAND codes 203 (double click),
// 204 (key down) and 206 (left button released) of an edit field; WM_NOTIFY code -98 with a
// portable key code after the header (edit field, list box); WM_NOTIFY code -79 with the new
// value after the header (spinner).
#pragma once
#include <framework.h>
#include <vekkel.h>

#include <vector>

#include "quarnel_api.h"

class QvImage;

enum {
  kGUINotifyPortableKey = -98,   // WM_NOTIFY: {NMHDR, long portable key code}
  kGUINotifySpinnerValue = -79,  // WM_NOTIFY: {NMHDR, long value}
  kGUIEditDoubleClick = 203,     // WM_COMMAND codes of an edit field
  kGUIEditKeyDown = 204,
  kGUIEditButtonUp = 206,
};

// The record of the WM_NOTIFY codes above.
struct GUINotifyValue {
  NMHDR header;
  long value;
};

class QUARNEL_API CGUIStatic : public CStatic {
  DECLARE_DYNCREATE(CGUIStatic)
 public:
  CGUIStatic() = default;
};

class QUARNEL_API CGUIEdit : public CEdit {
  DECLARE_DYNCREATE(CGUIEdit)
 public:
  CGUIEdit() = default;
  ~CGUIEdit() override;

  // Typed characters and pasted texts must be in the authorised set (when it is not empty)
  // and must not be in the filtered set; backspace and Ctrl characters always pass.
  bool AcceptsChar(wchar_t c) const;
  bool AcceptsText(const wchar_t* text) const;

  long m_maxCharLimit = 65535;
  QvString m_authorizedChars;  // UTF-8; empty: every character passes
  QvString m_filteredChars;    // UTF-8; empty: none is refused

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class QUARNEL_API CGUIButton : public CButton {
  DECLARE_DYNCREATE(CGUIButton)
 public:
  CGUIButton() = default;

  // Check boxes and radio buttons only: read-only makes the button draw itself (so that
  // neither mouse nor keyboard changes its state) and takes it out of the tab order;
  // switching it off gives back its type and its tab stop. Other buttons are left as they
  // are and stay usable.
  void SetReadOnly(bool readOnly);
  bool IsReadOnly() const { return m_readOnly != 0; }
  // The check state, kept also while the box is read-only: 0, 1 or 2 (indeterminate).
  void SetCheckState(int state);
  int GetCheckState() const;
  // The button type (BS_...) it has when not read-only.
  UINT GetButtonType() const;

  // Push buttons (plain or default) only: a button given an image is made again as an
  // owner-drawn button in the same place, z-order and tab order, and draws the image (not
  // owned) on its face; drawFocus adds a focus rectangle. Other buttons, and a button that
  // already shows an image, ignore the call. A null image on a push button without image
  // leaves it a plain push button.
  void SetImage(QvImage* image, bool drawFocus);
  QvImage* GetImage() const { return m_image; }

  void DrawItem(LPDRAWITEMSTRUCT item) override;

  QvImage* m_image = nullptr;
  BOOL m_drawFocus = FALSE;
  UINT m_imageType = 0;  // the push type (BS_PUSHBUTTON or BS_DEFPUSHBUTTON) before the image
  unsigned char m_readOnly = 0;
  UINT m_savedType = 0;            // the type before it was made owner-drawn
  unsigned char m_savedTabStop = 0;  // whether it had WS_TABSTOP then

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A group box without text, low or narrow, paints a separator line (into printDC, else
  // the window); false otherwise.
  bool PaintSeparator(HDC printDC);
  void DrawImageFace(LPDRAWITEMSTRUCT item);
};

class QUARNEL_API CGUIListBox : public CListBox {
  DECLARE_DYNCREATE(CGUIListBox)
 public:
  CGUIListBox() = default;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class QUARNEL_API CGUIComboBox : public CComboBox {
  DECLARE_DYNCREATE(CGUIComboBox)
 public:
  enum Flags : unsigned short {
    kImagesInField = 0x100,  // item images are drawn in the selection field too
    kOwnsImageList = 0x200,
  };
  CGUIComboBox();
  ~CGUIComboBox() override;

  // Inserts at index (appends for a negative one); the new index, or -1 (CB_ERR) on error.
  int InsertItem(const wchar_t* text, int index);
  // False for an index out of range.
  bool DeleteItem(int index);
  void DeleteAllItems();
  // The text of an item, whatever its length; false (and empty) for a bad index.
  bool GetItemText(int index, std::wstring& text) const;

  // Images drawn before the item texts; a null list removes them. A list makes the combo
  // owner-drawn (once: the window is made again in its place, with its items). With
  // `owns`, the combo deletes the list.
  void SetImageList(CImageList* list, bool showInField, bool owns = false);
  CImageList* GetImageList() const { return m_imageList; }
  // Needs an image list and a valid index; false otherwise.
  bool SetItemImage(int index, int image);
  int GetItemImage(int index) const;  // -1 for none
  // The dropped list as wide as its widest item (with its image and scroll bar).
  void AdjustDroppedWidth();
  // Read-only only changes the painting: items on the button face colour.
  void SetReadOnly(bool readOnly);
  bool IsReadOnly() const { return m_readOnly != 0; }
  // The colour item texts are drawn in; the default is the system's window text colour.
  void SetItemTextColor(COLORREF color);
  void SetDefaultItemTextColor();
  COLORREF GetItemTextColor() const;
  // Makes the window owner-drawn in place (same id, parent, rectangle, items, z-order
  // place); true when it is (or already was).
  bool ConvertToOwnerDraw();

  void DrawItem(LPDRAWITEMSTRUCT item) override;
  void MeasureItem(LPMEASUREITEMSTRUCT item) override;

  unsigned short m_flags = 0;
  long m_maxCharLimit = 0;
  QvString m_authorizedChars;
  QvString m_filteredChars;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int TextHeight() const;
  CImageList* m_imageList = nullptr;
  std::vector<int>* m_itemImages = nullptr;  // one per item, made by the first SetItemImage
  COLORREF m_textColor = 0;
  bool m_textColorSet = false;
  int m_readOnly = 0;
};

class CSpinButtonCtrl;

class QUARNEL_API CGUISpinner : public CEdit {
  DECLARE_DYNCREATE(CGUISpinner)
 public:
  CGUISpinner() = default;
  ~CGUISpinner() override;

  // Makes the arrows beside the edit (the edit gets narrower); false when they cannot be
  // made (the spinner then works without them).
  bool CreateArrows();
  CSpinButtonCtrl* GetArrows() const { return m_arrows; }
  // Lays the edit and the arrows out again from the edit's present rectangle.
  void Relayout();

  void SetStep(double step);
  void SetRange(double minimum, double maximum);
  void SetValue(double value);
  void SetReadOnly(bool readOnly);
  // Reads the text as a whole number, clamps it into the range and, when it changed the
  // value, tells the parent (WM_NOTIFY kGUINotifySpinnerValue).
  void ReadValueFromText();

  long m_maxCharLimit = 0;
  CSpinButtonCtrl* m_arrows = nullptr;  // owned
  double m_step = 1.0;
  double m_minimum = 0.0;
  double m_maximum = 100.0;
  double m_value = 0.0;
  unsigned char m_keepTextOnKillFocus = 0;
  unsigned char m_readOnly = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void UpdateArrows();
  void EnableArrows();
};

class QUARNEL_API CGUISlider : public CSliderCtrl {
  DECLARE_DYNCREATE(CGUISlider)
 public:
  CGUISlider() = default;
};

class QUARNEL_API CGUIProgressBar : public CProgressCtrl {
  DECLARE_DYNCREATE(CGUIProgressBar)
 public:
  CGUIProgressBar() = default;
};

// Sends the parent of `window` WM_NOTIFY with `code` and a value after the header.
QUARNEL_API LRESULT GUINotifyParent(HWND window, int code, long value);
