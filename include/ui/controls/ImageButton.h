// Owner-drawn buttons showing one image of an image list, and the command button that shows
// the image of a command of the command centre.
#pragma once
#include <fw_stdctrls.h>

#include "quarnel_api.h"

class CImageList;

// An owner-drawn button without a caption that shows one image of an image list. The image
// is drawn with DrawImageListInRect and the button's flags (1 centre, 2 shrink to fit), in
// the embossed look while the button is disabled.
class QUARNEL_API CImageButton : public CButton {
  DECLARE_DYNAMIC(CImageButton)

 public:
  explicit CImageButton(DWORD flags = 3);
  ~CImageButton() override;
  // The button window without a caption; always owner-drawn.
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  // The list is not owned; a negative index or a NULL list shows no image.
  void SetImage(CImageList* pImageList, int nIndex);
  CImageList* GetImageList() const { return m_pImageList; }
  int GetImageIndex() const { return m_nImage; }
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  DWORD m_dwFlags;
  CImageList* m_pImageList = NULL;  // not owned
  int m_nImage = -1;
};

// An image button bound to a command: the command's image from the command centre, none
// when the centre does not know the id.
class QUARNEL_API CCmdButton : public CImageButton {
  DECLARE_DYNAMIC(CCmdButton)

 public:
  explicit CCmdButton(UINT nCommand);
  ~CCmdButton() override;
  UINT GetCommand() const { return m_nCommand; }

 protected:
  UINT m_nCommand;
};
