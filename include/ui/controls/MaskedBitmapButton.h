// An owner-drawn push button with an icon or a bitmap beside its caption, a toggle state, a
// default-button frame and an optional colour tab in its top-left corner.
#pragma once
#include <fw_stdctrls.h>
#include <fw_geometry.h>
#include <fw_string.h>

#include "quarnel_api.h"

#include <UIHandles.h>

class QUARNEL_API CMaskedBitmapButton : public CButton {
  DECLARE_DYNAMIC(CMaskedBitmapButton)

 public:
  // `extra` is kept for derived classes.
  explicit CMaskedBitmapButton(int extra = 0);
  ~CMaskedBitmapButton() override;

  // The icon resource at w x h from the module chain. 0 when it cannot be loaded.
  int SetIcon(UINT id, int w, int h);
  // The bitmap resource resized to w x h, drawn as it is. 0 when it cannot be loaded.
  int SetBitmap(UINT id, int w, int h);
  // The same with `transparent` shown as the button face (and as white while disabled).
  int SetMaskedBitmap(UINT id, int w, int h, COLORREF transparent);
  // A small triangle of the colour in the top-left corner.
  void SetColorTab(COLORREF colour);
  // Offsets of the automatic layout (set it again); they return the old value.
  int SetImageOffset(int offset);
  int SetTextOffset(int offset);
  // Explicit positions (-1 = centred on that axis) end the automatic layout; they return the
  // old position.
  CPoint SetImagePos(CPoint pos);
  CPoint SetTextPos(CPoint pos);
  // A toggled button draws pushed without being pressed.
  void SetToggle(int on);
  void Toggle();
  int IsToggled() const { return m_toggled; }
  BOOL HasImage() const { return m_icon || m_bitmap; }
  void DontDrawFocus() { m_drawFocus = 0; }
  // Tells the parent (DM_SETDEFID) that this is its default button; returns the old flag.
  int SetDefaultButton(int on);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

  // The caption cut with an end ellipsis to fit `width` pixels in the DC's font; the text is
  // never written to (the shortening works on a copy with room for the ellipsis).
  static CString FitCaption(HDC dc, LPCTSTR text, int width);

 protected:
  afx_msg void OnSysColorChange();
  afx_msg void OnDestroy();
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void ReleaseImages();
  int BuildImages();
  // Records the image description and builds the images from it.
  int SetImage(int kind, UINT id, int w, int h);
  void Repaint();

  enum ImageKind { kNone = 0, kIcon = 1, kBitmap = 2, kMaskedBitmap = 3 };
  int m_extra;
  int m_toggled = 0;
  int m_kind = kNone;
  UINT m_imageId = 0;
  int m_imageW = 0, m_imageH = 0;
  COLORREF m_transparent = RGB(255, 255, 255);
  int m_autoLayout = 1;
  CPoint m_imagePos = CPoint(-1, -1), m_textPos = CPoint(-1, -1);
  int m_imageOffset = 4, m_textOffset = 8;
  int m_drawFocus = 1;
  uih::OwnedIcon m_icon;
  uih::OwnedBitmap m_bitmap, m_disabledBitmap;
  int m_hasColorTab = 0;
  COLORREF m_tabColour = 0;
  int m_default = 0;
  UINT m_lastAction = 0, m_lastState = 0;

  DECLARE_MESSAGE_MAP()
};
