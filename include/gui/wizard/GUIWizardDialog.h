// The windows of the portable wizard (QvWizard.h): CGUIWizardDialog, made from the library's
// template 259, paints the bands round the pages in the wizards' shared background brush and
// the current page's picture in the strip at the left; each page is a CGUIWizardPageDialog,
// a child dialog on the same background whose Enter and Escape reach the wizard's buttons.
#pragma once
#include <GUIDialog.h>
#include <UIHandles.h>
#include <framework.h>

#include <vector>

#include "quarnel_api.h"

class QvWizard;

// The palette entries of a packed DIB's own colour table: as many as the bitmap has (its
// colours used, else 2^bits for 8 bits or fewer), at most 256 and never past the block.
// Empty for a block too short for its header, or a bitmap without a table.
QUARNEL_API std::vector<PALETTEENTRY> DibPaletteEntries(const void* packedDib, size_t size);

class QUARNEL_API CGUIWizardDialog : public CGUIDialog {
  DECLARE_DYNAMIC(CGUIWizardDialog)
 public:
  // The picture strip: the picture is drawn into 175 x 295 pixels at (6, 8).
  enum { kPictureLeft = 6, kPictureTop = 8, kPictureWidth = 175, kPictureHeight = 295, kStripRight = 181 };

  CGUIWizardDialog(UINT nIDTemplate, QvWizard* wizard);
  ~CGUIWizardDialog() override;

  QvWizard* GetWizard() const { return m_wizard; }
  // Loads the bitmap resource `id` (through the framework's resource search) as the picture,
  // freeing the one before; on a palette display, makes its palette from the bitmap's own
  // colours and realises it. 0, or a bitmap that cannot be found, clears the picture.
  void UpdatePalette(unsigned short id);
  unsigned short GetPictureID() const { return m_pictureID; }
  HPALETTE GetPalette() const { return m_palette.Get(); }
  // The bands round the picture and the pages, and the picture, into `dc` (client
  // coordinates): what painting draws, also for WM_PRINTCLIENT.
  void Draw(HDC dc);

  // The background brush shared by the live wizards (COLOR_BTNFACE): the first one that
  // holds it makes it, the last one that lets it go deletes it.
  static HBRUSH BackgroundBrush();
  static void HoldBackground();
  static void ReleaseBackground();
  // The system colours changed: the brush is made again.
  static void RemakeBackground();

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnPaint();
  afx_msg BOOL OnQueryNewPalette();
  afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
  afx_msg void OnSysColorChange();
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnNcDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // Selects and realises the palette into dc; the number of colours that changed.
  UINT RealisePalette(HDC dc, bool background);
  void FreePicture();
  void DrawPicture(HDC dc, int pageHeight);

  QvWizard* m_wizard;
  unsigned short m_pictureID = 0;
  const BITMAPINFOHEADER* m_picture = nullptr;  // locked resource: lives with its module
  size_t m_pictureSize = 0;
  uih::OwnedPalette m_palette;
};

class QUARNEL_API CGUIWizardPageDialog : public CGUIDialog {
  DECLARE_DYNAMIC(CGUIWizardPageDialog)
 public:
  CGUIWizardPageDialog(UINT nIDTemplate, CWnd* wizardWindow, BOOL bDeleteWithPortable);
  // Enter: the wizard's default button, Escape: its Cancel (2), sent to the wizard when the
  // button exists and is enabled; else the dialog's own handling.
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()
};
