// CFriendsListDlg: the user and group picker. Walks the host's directory level by level in
// the user list and collects users and groups in the selected list; the chosen set comes
// back as an id-set VARIANT (Pellix CBoid). Template 17001 from the host's resources.
#pragma once
#include <TessvikHost.h>
#include <framework.h>

class CFriendsListDlg : public CDialog {
 public:
  enum { IDD = 17001 };
  // Ids of the template's controls.
  enum {
    IDC_ADD = 17009,
    IDC_REMOVE = 17010,
    IDC_REMOVEALL = 17011,
    IDC_SELECTED = 17012,
    IDC_ADDALL = 17013,
    IDC_SEARCH = 17016,
    IDC_COMBO = 17029,
    IDC_RADIO_DEPARTMENTS = 17030,
    IDC_RADIO_OTHERGROUPS = 17031,
    IDC_RADIO_GROUPS = 17032,
    IDC_RADIO_MOBILE = 1030,
    IDC_USERS = 17033,
  };
  // The directory's answers are taken up to these sizes; a level or member list beyond them
  // is refused whole (FillUserList answers kTooMany) rather than cut short.
  static const DWORD kMaxChildren = 128;
  static const DWORD kMaxMembers = 10240;
  static const HRESULT kTooMany = HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);

  // Row kinds of both lists.
  enum { ROW_UP = 0, ROW_DEPARTMENT = 1, ROW_GROUP = 2, ROW_MOBILE = 3, ROW_USER = 4 };
  // A row's record, owned by the row (item data) and freed with it.
  struct Row {
    DWORD kind;
    DWORD id;      // kinds 0-3
    VARIANT vid;   // kind 4
    BYTE preset;   // 1: came from the initial set and may not be removed
  };
  // Order of the lists: lower kind first; groups by id; equal records are equal.
  static int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM);

  CFriendsListDlg(CWnd* pParent, const VARIANT& initial, int kind, DWORD flags);
  ~CFriendsListDlg() override;

  // The chosen set after IDOK (VT_EMPTY before); the caller owns what it gets.
  VARIANT DetachResult();

  // Fills the user list with the children and members of entry `parent` of the current
  // directory: S_OK, or kTooMany when the directory gives more than the caps allow.
  HRESULT FillUserList(DWORD parent);
  HRESULT LastFillResult() const { return m_lastFill; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  afx_msg void OnSearchChange();
  afx_msg void OnUsersKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnSelectedDblClk(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnSelectedRClick(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnUsersDblClk(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnUsersRClick(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnComboChange();
  afx_msg void OnDestroy();
  afx_msg void OnRadioChange();
  afx_msg LRESULT OnKickIdle(WPARAM, LPARAM);
  afx_msg void OnAdd();
  afx_msg void OnUpdateAdd(CCmdUI* pCmdUI);
  afx_msg void OnAddAll();
  afx_msg void OnUpdateAddAll(CCmdUI* pCmdUI);
  afx_msg void OnRemove();
  afx_msg void OnUpdateRemove(CCmdUI* pCmdUI);
  afx_msg void OnRemoveAll();
  afx_msg void OnUpdateRemoveAll(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

 private:
  Row* RowAt(CListCtrl& list, int index) const;
  int InsertRow(CListCtrl& list, const CString& text, int image, Row* row);
  void DeleteRow(CListCtrl& list, int index);
  void FreeRows(CListCtrl& list);
  bool IsAddable(const Row& row) const;
  bool IsInSelected(const Row& row) const;
  void AddSelectedUsers();
  void RemoveRows(bool onlySelected);
  void ShowContextMenu(CListCtrl& list);
  void ApplyUserListStyle();
  void AddComboTree(DWORD parent, int depth);
  void SelectComboEntry(DWORD id);
  HRESULT FetchChildren(DWORD kind, DWORD parent, HostDirEntry* entries, DWORD* count);
  HRESULT CollectMembers(DWORD parent, bool recursive, VARIANT* ids, DWORD* count, int depth);
  void InitSelectedItems();
  CString UserText(const HostUserDetail& d, bool preset) const;
  int FaceOf(const VARIANT& id);

  VARIANT m_result;
  VARIANT m_initial;
  CListCtrl m_users;
  CComboBox m_combo;
  CListCtrl m_selected;
  CString m_search;
  int m_radio = -1;
  IUserDirectory* m_userDir = NULL;
  IOrgDirectory* m_orgDir = NULL;
  int m_imgGroup = 0, m_imgUp = 0, m_imgMobile = 0;
  DWORD m_dirKind = HOSTDIR_DEPARTMENT;
  int m_kind;
  DWORD m_flags;
  BOOL m_readOnly = FALSE;
  HRESULT m_lastFill = S_OK;
};
