// A nail strip for framework hosts ("CUIToolNails"): a horizontal strip of labelled tabs
// ("nails") along the top or bottom edge of its parent, as sheet tabs are. Each nail has a
// text, a tooltip, an optional image, item data and a help id; one nail is current, several
// may be selected, nails are reordered by dragging, and two arrow buttons scroll the strip
// when the nails do not fit.
#pragma once
#include "quarnel_api.h"

#include <fw_coll.h>
#include <fw_tooltipctrl.h>
#include <fw_imagelist.h>
#include <fw_object.h>
#include <fw_string.h>
#include <fw_wnd.h>

// Window style: alignment (bits 0x03) and a borrowed image list.
#define NAILS_ALIGN_BOTTOM 1  // at the bottom of the parent, the page above it
#define NAILS_ALIGN_TOP 2     // at the top, the page below it
#define NAILS_ALIGNMASK 0x03
#define NAILS_BORROWIMAGES 0x10

// Notifications beyond NMHDR (NM_CLICK, NM_DBLCLK, NM_RCLICK carry nothing more).
#define NAILN_SELCHANGING (-92)  // NMNAILCHANGING: the parent may refuse
#define NAILN_MOVED (-93)        // NMNAILMOVED
#define NAILN_BEGINDRAG (-94)    // NMNAILDRAG: nonzero answer starts the drag

struct NMNAILCHANGING {
  NMHDR hdr;
  short oldIndex, newIndex;
  int allow;  // 1 on entry; the parent sets 0 to refuse
};
struct NMNAILDRAG {
  NMHDR hdr;
  int index;
};
struct NMNAILMOVED {
  NMHDR hdr;
  int dragged, target, after;
};

class QUARNEL_API CUINailItem : public CObject {
 public:
  CString m_text, m_toolTip;
  int m_imageId = -1;
  void* m_data = NULL;
  unsigned long m_helpId = 0;
  int m_selected = 0;
  int m_width = 0;
  int m_x = 0;
};

class QUARNEL_API CUINailItemList : public CObArray {
 public:
  CUINailItem* At(int i) const { return static_cast<CUINailItem*>(GetAt(i)); }
};

class QUARNEL_API CUIToolNails : public CWnd {
  DECLARE_DYNAMIC(CUIToolNails)
 public:
  CUIToolNails();
  ~CUIToolNails() override;

  // 0 when the class cannot be registered or the window made.
  BOOL Create(CWnd* parent, unsigned long style, unsigned int id);

  // Items. Indexes are 0-based; bad indexes give 0, -1, an empty text or FALSE.
  int AddItem(const wchar_t* text, const wchar_t* toolTip, void* data, int imageId, unsigned long helpId);
  // Before index (a negative index appends); the index of the new nail.
  int InsertItem(const wchar_t* text, const wchar_t* toolTip, int index, void* data, int imageId,
                 unsigned long helpId);
  int SetItemText(int index, const wchar_t* text);
  CString GetItemText(int index) const;
  int SetItemData(int index, void* data);
  void* GetItemData(int index) const;
  int SetImageID(int index, int imageId);
  int GetImageID(int index) const;
  int SetItemHelpID(int index, unsigned long helpId);
  unsigned long GetItemHelpID(int index) const;
  int GetCount() const { return static_cast<int>(m_items.GetSize()); }
  int IsSelected(int index) const;
  // Indexes of the selected nails in order, up to max; the count written.
  int GetSelected(int max, int* indexes) const;
  int GetCurrent() const { return m_current; }
  void DeselectAll();
  // Makes the nail current (-1: none); with notify the parent may refuse first. 1 when done.
  int Select(int index, int notify);
  int DeleteItem(int index);
  // Out-of-range and repeated indexes are ignored; the number deleted.
  int DeleteItem(int count, int* indexes);
  int DeleteSelectedNails();
  // Moves the selected nails, in their order, to the target (after it with `after`).
  void MoveNails(int dragged, int target, int after);

  // Appearance.
  void SetAlignment(unsigned short alignment);
  unsigned short GetAlignment() const { return static_cast<unsigned short>(m_style & NAILS_ALIGNMASK); }
  int IsTop() const { return GetAlignment() == NAILS_ALIGN_TOP; }
  void SetVisible(int visible);
  int IsVisible() const { return m_visible; }
  // 0 when hidden, else the bar height + 4.
  int GetFullBarHeight();
  void EnableMultipleSel(int on) { m_multiSel = on != 0; }
  int IsMultipleSelEnabled() const { return m_multiSel; }
  void EnableDrag(int on) { m_dragEnabled = on != 0; }
  int IsDragEnabled() const { return m_dragEnabled; }
  // Owned unless the style borrows it; a previous owned list is deleted.
  void SetImageList(CImageList* images);
  // An image list that belongs to someone else: from now on the strip never deletes its
  // image list (a previous owned one is deleted here).
  void BorrowImageList(CImageList* images);
  void EnableToolTip(int on);
  int FirstVisible() const { return m_first; }
  // Advances or moves back the first visible nail until the nail shows whole.
  void ScrollIfNeeded(int index);
  // The nail's rectangle in client coordinates (empty for a bad index).
  CRect GetNailRect(int index);
  // The tools registered with the tooltip control so far (each a new registration).
  int ToolRegistrations() const { return m_toolRegistrations; }

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnCaptureChanged(CWnd* wnd);
  afx_msg void OnNcCalcSize(BOOL calcValid, NCCALCSIZE_PARAMS* params);
  afx_msg void OnNcPaint();
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetRedraw(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 protected:
  BOOL CreateStrip(CWnd* parent, unsigned long style, unsigned int id, const wchar_t* className, bool toolTips);
  void Recompute();
  void Paint(CDC& dc, const CRect& update);
  int BarHeight();
  int ButtonsWidth() const;
  bool CanScrollLeft() const { return m_first > 0; }
  bool CanScrollRight();
  bool ScrollButtonsShown();
  int NailAt(CPoint point);
  int ScrollButtonAt(CPoint point);
  void DrawNail(CDC* dc, const CRect& rect, int current);
  void DrawScrollButton(CDC* dc, int button, bool pressed);
  void Scroll(int delta);
  LRESULT Notify(int code, NMHDR* record, size_t size);
  void EndCapture();
  // While nails are dragged: the cursor of one nail or of several.
  void ShowDragCursor();
  void UpdateTools();
  void FixScroll();

  CUINailItemList m_items;
  CImageList* m_pImages;
  int m_redraw;
  int m_dirty;
  int m_first;
  int m_totalWidth;
  unsigned long m_style;
  int m_selectedCount;
  int m_current;
  int m_captureMode, m_captureArg, m_dropTarget, m_dropAfter, m_buttonPressed, m_timer;
  int m_multiSel, m_dragEnabled, m_visible;
  CToolTipCtrl m_toolTip;
  int m_toolTips;
  CFont m_normal, m_bold;
  // The tools as last registered: (first visible, client width, nail count); registered
  // again only when these change.
  int m_toolsFirst, m_toolsWidth, m_toolsCount, m_toolRegistrations;
};

// The nail strip behind the portable nail control ("QvToolNails"): the same strip without
// tooltips, whose nails carry no tooltip text.
class QUARNEL_API CToolNails : public CUIToolNails {
  DECLARE_DYNAMIC(CToolNails)
 public:
  BOOL Create(CWnd* parent, unsigned long style, unsigned int id);
  int AddItem(const wchar_t* text, void* data, int imageId, unsigned long helpId);
  int InsertItem(const wchar_t* text, int index, void* data, int imageId, unsigned long helpId);
};

// As UIDumpNails, for a "QvToolNails" window only.
QUARNEL_API int DumpNails(HWND window, unsigned int action, unsigned long* value, CStringList* texts);

// For a "CUIToolNails" or "QvToolNails" window: action 0 appends every nail's text to the list; 1 selects
// nail *value (with notification); 2 writes the current nail's index; 3 the nail count.
// 0 done, 1 no such window or another action, 3 the strip has no nails.
QUARNEL_API int UIDumpNails(HWND window, unsigned int action, unsigned long* value, CStringList* texts);
