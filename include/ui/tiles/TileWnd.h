// The framework window of a tile control: creates a window of "QvTileControl32" and drives
// it through the control's private messages; adds the 16-pixel master images cut from a
// masked strip, a tooltip text per master and the framework's tooltips over the headers.
// Without a window every call answers -1 unless its comment says otherwise.
#pragma once
#include <fw_wnd.h>

#include "TileControl.h"
#include "quarnel_api.h"

#include <vector>

// What a header's tooltip shows when the active facet's caption fits, and when it was cut:
// 0 nothing, 1 the master's tooltip, 2 the caption, 3 "tooltip (caption)", 4 "caption : tooltip".
struct TCS_TOOLTIPSTYLESTRUCT {
  int nFits;
  int nCut;
};

class QUARNEL_API CTileControl : public CWnd {
  DECLARE_DYNAMIC(CTileControl)

 public:
  CTileControl();
  ~CTileControl() override;

  // A visible tab-stop child; tooltip styles 1 (caption fits) and 4 (caption cut). The new
  // window has a master maximum of 0: call SetNumMasterTiles before adding masters.
  BOOL Create(CWnd* parent, CRect& rect, UINT id);

  // Masters. `image` is an image of the strip (-1: none); the last argument is not used.
  int AddMasterTile(MasterTile& master, int image = -1, int reserved = 0);
  int InsertMasterTile(MasterTile& master, int index, int image = -1, int reserved = 0);
  int SetMasterTile(MasterTile& master, int index, int image = -1, int reserved = 0);
  int RemoveMasterTile(MasterTile& master);
  int RemoveMasterTile(int index);
  int GetMasterTile(MasterTile& master) const;  // a copy of master 0
  int GetMasterCount() const;
  int GetMaxMasterCount() const;
  int GetActiveMasterTile() const;
  int GetActiveMasterTile(MasterTile& master) const;
  int SetActiveMasterTile(MasterTile& master);
  int SetActiveMasterTile(int index);
  int SetNumMasterTiles(int n);
  int FindMasterTile(MasterTile& master) const;
  // 0 for image -1 (nothing sent); a bitmap the window did not take is deleted.
  int SetMasterBitmap(MasterTile& master, int image, int reserved = 0);
  int SetMasterBitmap(int index, int image, int reserved = 0);
  HBITMAP GetMasterBitmap(MasterTile& master, int& owns) const;
  HBITMAP GetMasterBitmap(int index, int& owns) const;
  // FALSE without a window or for a missing master.
  BOOL GetMasterRect(MasterTile& master, CRect& rect) const;
  BOOL GetMasterRect(int index, CRect& rect) const;
  int HitTest(CPoint& point, int& master) const;

  // Facets of a master given by reference or index.
  int AddTile(MasterTile& master, Tile& tile);
  int AddTile(int master, Tile& tile);
  int InsertTile(MasterTile& master, Tile& tile, int index);
  int InsertTile(int master, Tile& tile, int index);
  int RemoveTile(MasterTile& master, Tile& tile);
  int RemoveTile(int master, Tile& tile);
  int RemoveTile(MasterTile& master, int index);
  int RemoveTile(int master, int index);
  int SetTile(MasterTile& master, Tile& tile, int index);
  int SetTile(int master, Tile& tile, int index);
  int GetCount(MasterTile& master) const;
  int GetCount(int master) const;
  int GetMaxCount(MasterTile& master) const;
  int GetMaxCount(int master) const;
  int GetTile(MasterTile& master, Tile& tile, int index) const;
  int GetTile(int master, Tile& tile, int index) const;
  int GetActiveTile(MasterTile& master) const;
  int GetActiveTile(int master) const;
  int GetActiveTile(MasterTile& master, Tile& tile) const;
  int GetActiveTile(int master, Tile& tile) const;
  int SetActiveTile(MasterTile& master, Tile& tile);
  int SetActiveTile(int master, Tile& tile);
  int SetActiveTile(MasterTile& master, int index);
  int SetActiveTile(int master, int index);
  int SetNumTiles(MasterTile& master, int n);
  int SetNumTiles(int master, int n);
  int FindTile(MasterTile& master, Tile& tile) const;
  int FindTile(int master, Tile& tile) const;
  // 0 for image -1; a bitmap the window did not take is deleted.
  int SetBitmap(MasterTile& master, int facet, int image, int reserved = 0);
  int SetBitmap(int master, int facet, int image, int reserved = 0);
  HBITMAP GetBitmap(MasterTile& master, int facet, int& owns) const;
  HBITMAP GetBitmap(int master, int facet, int& owns) const;

  // Without a window: 0xDEADBEEF for the level and styles, 0 for the truncation, FALSE for
  // IsMasterTileEnabled (also for a master that does not exist).
  DWORD GetInteractionLevel() const;
  DWORD SetInteractionLevel(DWORD level);
  int GetTruncation(int master, int& out) const;
  int GetStyles() const;
  int SetStyles(int styles);
  int EnableMasterTile(MasterTile& master, int enable);
  int EnableMasterTile(int index, int enable);
  BOOL IsMasterTileEnabled(int index) const;
  // The previous owner; -1 (as a handle) without a window.
  HWND SetOwner(HWND owner);

  // The strip the master and facet images are cut from (16 pixels wide). The HBITMAP form
  // keeps the handle, deleted later when `owns`; the resource forms load from the module
  // chain and own the result.
  void SetMaskedBitmap(HBITMAP strip, int owns);
  void SetMaskedBitmap(const wchar_t* name);
  void SetMaskedBitmap(UINT id);

  // Tooltips: one text per master, kept as UTF-8. 0 for a master outside the tooltip slots.
  int SetMasterTooltip(MasterTile& master, const wchar_t* text);
  int SetMasterTooltip(int index, const wchar_t* text);
  void GetMasterTooltip(CString& text, MasterTile& master) const;
  void GetMasterTooltip(CString& text, int index) const;
  void GetTooltipStyle(TCS_TOOLTIPSTYLESTRUCT& style) const { style = m_tooltipStyle; }
  void SetTooltipStyle(TCS_TOOLTIPSTYLESTRUCT& style, TCS_TOOLTIPSTYLESTRUCT* old = NULL);
  // The text a header's tooltip shows at a client point; FALSE where none shows.
  BOOL TooltipTextAt(CPoint point, CString& text) const;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
  afx_msg BOOL OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);

 protected:
  void PreSubclassWindow() override;
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  bool HasWindow() const { return m_hWnd != NULL && ::IsWindow(m_hWnd); }
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam, LRESULT none = -1) const;
  int IndexOf(MasterTile& master) const;
  int SendFacet(UINT message, DWORD flags, INT_PTR master, LPARAM lp) const;
  // Cuts image `image` of the strip; the window keeps it or it is deleted.
  int GiveBitmap(UINT setMessage, UINT getMessage, DWORD byFlags, INT_PTR master, int facet, int image);
  void ReleaseStrip();
  void FreeTooltips();

  UINT_PTR m_stripId;  // resource id or name of the strip; 0 when given as a handle
  HBITMAP m_strip;
  int m_ownsStrip;
  std::vector<char*> m_tooltips;  // per master index: NULL or a malloc'ed UTF-8 copy
  TCS_TOOLTIPSTYLESTRUCT m_tooltipStyle;
  std::vector<wchar_t> m_stripName;
};
