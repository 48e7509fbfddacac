// The platform controls that serve the portable controls (QvControls.h): framework window
// objects that subclass a dialog child and add what the portable kinds promise: character
// filters and clipboard checks of edit fields, the extra notifications they send their
// parent, read-only check boxes and radio buttons drawn by the button itself, group boxes
// without text drawn as separator lines, the key notification of list boxes, combo boxes
// with per-item images drawn by the combo and their special kinds (fonts, sizes, zoom,
// patterns, line widths), and the spinner: an edit field with up-down
// arrows that holds a clamped whole number.
//
// Notifications these windows send their parent beside the system's own (the parent's
// container turns them into portable notifications): WM_COMMAND codes 203 (double click),
// 204 (key down) and 206 (left button released) of an edit field; WM_NOTIFY code -98 with a
// portable key code after the header (edit field, list box); WM_NOTIFY code -79 with the new
// value after the header (spinner); WM_NOTIFY code -74 with the new value after the header
// (font, size or zoom of a combo box).
#pragma once
#include <framework.h>
#include <vekkel.h>

#include <vector>

#include "quarnel_api.h"

class QvImage;

enum {
  kGUINotifyPortableKey = -98,   // WM_NOTIFY: {NMHDR, long portable key code}
  kGUINotifySpinnerValue = -79,  // WM_NOTIFY: {NMHDR, long value}
  kGUINotifyComboValue = -74,    // WM_NOTIFY: {NMHDR, long value} of a combo's kind
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

class CZoomEdit;
class CSizesEdit;

// An owner-drawn combo box with optional item images and five special kinds chosen at run
// time: a font-name list (filled from the default printer and the screen) linked to a
// font-size list, a zoom list of percentages, a fill-pattern list and a line-width list.
// A combo is of at most one of the fonts, sizes and zoom kinds. A change of a kind's value
// (font, size, zoom) is told to the parent with WM_NOTIFY kGUINotifyComboValue and the new
// value after the header. Operations of a kind on a combo of another kind change nothing and
// answer false (or 0).
class QUARNEL_API CGUIComboBox : public CComboBox {
  DECLARE_DYNCREATE(CGUIComboBox)
 public:
  enum Flags : unsigned short {
    kFonts = 0x001,
    kSizes = 0x002,
    kZoom = 0x004,
    kPatterns = 0x008,
    kLineWidths = 0x010,
    kSizesFilling = 0x020,   // while the sizes list is filled again
    kZoomFreeValues = 0x080,  // the zoom takes values that are not in its list
    kImagesInField = 0x100,  // item images are drawn in the selection field too
    kOwnsImageList = 0x200,
  };
  // The standard sizes of scalable fonts, and the zoom list of a new zoom combo.
  static const unsigned short kStandardSizes[16];
  static const unsigned short kDefaultZoomValues[9];
  enum { kPatternCount = 20, kLineWidthCount = 9, kEditChildId = 1001 };

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
  // `owns`, the combo deletes the list. The fonts list keeps its own images.
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
  // Makes the window owner-drawn in place (same object, id, parent, rectangle, items,
  // z-order place, edit part); true when it is (or already was).
  bool ConvertToOwnerDraw();

  // Font names: the faces of the default printer, then those of the screen (each once, no
  // vertical "@" faces), with image 1 for a TrueType face and 0 for a device face; then the
  // default GUI face at 9 points is made current. False when the list cannot be made
  // owner-drawn.
  bool FillFonts();
  // Fonts kind: makes the face current (its sizes are listed again in the sizes combo) and
  // puts the size into the sizes combo; false when the face is not listed.
  bool SetFontSelection(const wchar_t* face, int size);
  // Fonts kind: the current face; false (empty) when none.
  bool GetCurrentFontName(std::wstring& face) const;
  // Fonts kind: the size of the linked sizes combo; false without one or without a size.
  bool GetCurrentFontSize(int& size) const;
  // Fonts kind: links a sizes combo (null unlinks the one linked before); the sizes of the
  // current face are listed in it.
  bool LinkSizesCombo(CGUIComboBox* sizes);
  CGUIComboBox* GetLinkedCombo() const { return m_linked; }

  // Zoom kind (refused for the fonts and sizes kinds): the values as "n%" in the given
  // order, 100 current when listed (else the first value); the range from the smallest to
  // the largest value; with allowOthers typed values in the range are taken too.
  bool SetZoomValues(const unsigned short* values, int count, bool allowOthers);
  // Ignored unless maximum > minimum on a zoom combo.
  void SetZoomRange(unsigned short minimum, unsigned short maximum);
  void GetZoomRange(unsigned short& minimum, unsigned short& maximum) const;
  // Selects the listed value, else shows it in the edit field; makes it current.
  bool SetZoom(unsigned short zoom);
  unsigned short GetZoom() const;  // 0 for a combo of another kind

  // A typed zoom text: blanks removed, one trailing "%" dropped, digits only; a value not
  // listed is taken only with free values in the range. True when taken (told to the
  // parent when it changed the zoom).
  bool TakeZoomText(const std::wstring& text);
  // A typed size text of a sizes combo: digits only, 3 to 128, other than the current size;
  // a size not listed only for a TrueType face. True when taken (and told).
  bool TakeSizeText(const std::wstring& text);

  // The fill patterns: 20 items, item i drawn with pattern brush i.
  bool FillPatterns();
  // The colours of the pattern swatches; the window is repainted now.
  void SetPatternColors(COLORREF background, COLORREF foreground);
  // The line widths ("1/20 pt" to "2x1 pt", nine samples), filled on first use, then `style`
  // (a list position) selected.
  bool FillLineWidths(int style);

  // The kind's value: fonts the current item, sizes the size, zoom the percentage, line
  // widths the width of the widest label.
  long GetCurrentValue() const { return m_value; }

  void DrawItem(LPDRAWITEMSTRUCT item) override;
  void MeasureItem(LPMEASUREITEMSTRUCT item) override;
  // The kinds' handling of the combo's own notifications (selection and edit changes); the
  // framework's reflection for everything else.
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  unsigned short m_flags = 0;
  long m_maxCharLimit = 0;
  QvString m_authorizedChars;
  QvString m_filteredChars;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class CZoomEdit;
  friend class CSizesEdit;
  int TextHeight() const;
  // A new value of the kind, told to the parent when `notify` and it changed.
  void SetValue(long value, bool notify);
  // Fonts kind: the current face changed to item `index`.
  void FontChanged(int index);
  // Fonts kind: the sizes of the current face into the linked sizes combo.
  void FillSizes();
  void Unlink();
  void DeleteEditPart();
  void SubclassEditPart();
  void DrawPatternSwatch(HDC dc, RECT& label, int index);
  void DrawLineSample(HDC dc, const RECT& rc, int index, bool selected);

  CImageList* m_imageList = nullptr;
  std::vector<int>* m_itemImages = nullptr;  // one per item, made by the first SetItemImage
  COLORREF m_textColor = 0;
  bool m_textColorSet = false;
  int m_readOnly = 0;
  long m_value = 0;
  unsigned short m_zoomMin = 0;
  unsigned short m_zoomMax = 0;
  CGUIComboBox* m_linked = nullptr;  // fonts: its sizes combo; sizes: its fonts combo
  CEdit* m_editPart = nullptr;       // a CZoomEdit or CSizesEdit on the edit child, owned
  COLORREF m_patternText = 0;
  COLORREF m_patternBack = 0;
};

// The edit child of a zoom combo: only digits, "%", "-", "." and the clipboard keys; a
// paste of anything but digits and "%" is refused, a pasted text is taken as a zoom (a
// refused one gives way to the current zoom); on losing the focus it shows the current zoom.
class QUARNEL_API CZoomEdit : public CEdit {
  DECLARE_DYNCREATE(CZoomEdit)
 public:
  CZoomEdit() = default;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The edit child of a sizes combo: only digits, "-", "." and the clipboard keys; a paste must
// be digits only and is taken as a size.
class QUARNEL_API CSizesEdit : public CEdit {
  DECLARE_DYNCREATE(CSizesEdit)
 public:
  CSizesEdit() = default;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
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
