// The platform rich-text label: a static control that draws its window text itself in one of
// seven styles and sizes its own height to the wrapped text.
//
//   style  font   colour                drawing
//   0      title  default               word-wrapped in the client rectangle
//   1      body   default               word-wrapped
//   2      bold   default               bullet picture (bitmap 267 of the resource module, left
//                                       half picture, right half mask) at the left, the text
//                                       from (17, 2)
//   3, 4   bold   COLOR_WINDOWTEXT      word-wrapped
//   5      body   default               word-wrapped
//   6      the window's own font, the label's own colour; word-wrapped; never resized
//
// The three fonts are shared by all labels of the process: the first live label makes them from
// the default GUI font, the last one deletes them. The background is not painted: the label
// draws transparently over its parent (set texts show through a hide and show).
#pragma once
#include <framework.h>

#include "quarnel_api.h"

class QvColor;

class QUARNEL_API CGUIRichText : public CStatic {
  DECLARE_DYNCREATE(CGUIRichText)
 public:
  enum : WORD { kTitle = 0, kBody = 1, kBullet = 2, kEmphasis = 3, kEmphasisToo = 4, kPageBody = 5, kOwnColor = 6 };
  enum { kBulletBitmap = 267, kBulletIndent = 17, kBulletTop = 2 };

  CGUIRichText();
  ~CGUIRichText() override;

  // Stores the style, gives the window the style's font (style 6 keeps the window's own) and
  // fits the height. FALSE, with nothing changed, for a style above 6.
  virtual BOOL SetStyle(WORD style);
  virtual WORD GetStyle() const { return m_style; }
  // The window text, then the height fitted to it.
  virtual BOOL SetText(const wchar_t* text);
  // The colour of style 6 (the high byte of each 16-bit channel); repaints at once.
  virtual void SetColor(const QvColor& color);
  // The window's height becomes that of the text wrapped at the client width (style 6 keeps
  // its size). Its position and width stay.
  virtual void AdjustSize();

  COLORREF GetColor() const { return m_color; }
  // The font the style draws with (the window's own for style 6).
  HFONT StyleFont() const;
  // Draws the label into `dc` (client coordinates) as its paint does.
  void Draw(HDC dc);
  // The live labels, which keep the shared fonts.
  static int GetLiveCount();

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void DrawBullet(HDC dc);
  // Invalidates the parent under the label (with its erase) and the label.
  void RepaintBehind();
  WORD m_style = kBody;
  COLORREF m_color = 0;
};
