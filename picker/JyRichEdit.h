// CJyRichEdit: a Rich Edit 2.0 control with a cached character and paragraph format, font and
// effect commands, OLE callback and links; CLinkRichEdit: the same with a table of links and
// the addresses they open.
#pragma once
#include <framework.h>
#include <fw_ole.h>
#include <richedit.h>
#include <richole.h>

class CJyRichEdit : public CRichEditCtrl {
  DECLARE_DYNAMIC(CJyRichEdit)
 public:
  CJyRichEdit();
  ~CJyRichEdit() override;

  // A "RICHEDIT20A" window without title.
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
  // Gives the control the OLE callback of this object.
  BOOL InitOle();

  CHARFORMAT& GetCharFormatSelection();
  void SetCharFormat(CHARFORMAT cf);  // to the selection
  // Toggles effect when the selection's mask already covers it, else sets it.
  void OnCharEffect(DWORD dwMask, DWORD dwEffect);
  void OnUpdateCharEffect(CCmdUI* pCmdUI, DWORD dwMask, DWORD dwEffect);
  void SetTextColor(COLORREF colour);  // of the selection
  PARAFORMAT& GetParaFormatSelection();
  void SetParaFormat(PARAFORMAT& pf);

  BOOL IsCharFormatSynced() const { return m_bSyncCharFormat; }
  BOOL IsParaFormatSynced() const { return m_bSyncParaFormat; }

 protected:
  afx_msg void OnFormatFont();
  afx_msg BOOL OnENLink(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg BOOL OnENMsgFilter(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);

  // The text of [cpMin, cpMax), the selection left as it was.
  CString TextOfRange(const CHARRANGE& range);
  // Inserts text at the caret (UTF-16, so that any script shows).
  void InsertText(LPCWSTR text);

  CHARFORMAT m_charformat;
  PARAFORMAT m_paraformat;
  BOOL m_bSyncCharFormat;
  BOOL m_bSyncParaFormat;

  BEGIN_INTERFACE_PART(RichEditOleCallback, IRichEditOleCallback)
    STDMETHOD(GetNewStorage)(LPSTORAGE* ppStg) override;
    STDMETHOD(GetInPlaceContext)(LPOLEINPLACEFRAME*, LPOLEINPLACEUIWINDOW*, LPOLEINPLACEFRAMEINFO) override;
    STDMETHOD(ShowContainerUI)(BOOL) override;
    STDMETHOD(QueryInsertObject)(LPCLSID, LPSTORAGE, LONG) override;
    STDMETHOD(DeleteObject)(LPOLEOBJECT) override;
    STDMETHOD(QueryAcceptData)(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) override;
    STDMETHOD(ContextSensitiveHelp)(BOOL) override;
    STDMETHOD(GetClipboardData)(CHARRANGE*, DWORD, LPDATAOBJECT*) override;
    STDMETHOD(GetDragDropEffect)(BOOL, DWORD, LPDWORD) override;
    STDMETHOD(GetContextMenu)(WORD, LPOLEOBJECT, CHARRANGE*, HMENU*) override;
  END_INTERFACE_PART(RichEditOleCallback)
  DECLARE_INTERFACE_MAP()
  DECLARE_MESSAGE_MAP()
};

class CLinkRichEdit : public CJyRichEdit {
  DECLARE_DYNAMIC(CLinkRichEdit)
 public:
  CLinkRichEdit() = default;

  // Text at the end in colour; the selection stays.
  void AppendText(const CString& text, COLORREF colour);
  // A link at the end that opens url; the selection stays.
  void AppendLink(const CString& text, const CString& url);
  void AppendLink(LPCWSTR text, const CString& url);
  // No links, no text.
  void Clear();
  // Removes the text before cp (UTF-16 units) and the links that start in it; the links
  // after it move along.
  void RemoveLeading(LONG cp);
  LONG TextLength16() const;  // in UTF-16 units

  struct Link {
    LONG cpMin;
    LONG cpMax;
    CString url;
  };
  int GetLinkCount() const { return static_cast<int>(m_links.GetSize()); }
  const Link& GetLink(int i) const { return m_links[i]; }

 protected:
  afx_msg BOOL OnENLink(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnTimer(UINT_PTR nIDEvent);

  void MarkLinks();            // the link effect on every stored range

  CArray<Link, const Link&> m_links;
  DECLARE_MESSAGE_MAP()
};
