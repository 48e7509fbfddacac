// Drag and drop and the clipboard for drawing views and host windows: a dragged or copied
// selection (UIDragSel) holds items, each with a list of formats named by four-character tags
// that map to clipboard formats; two private formats carry the format list (2300) and the
// drag information (2301) from the source to the target. Hosts derive their own sources,
// selections and targets and override the virtual operations.
#pragma once
#include <fw_oledata.h>
#include <fw_wnd.h>

#include <vector>

#include "UIDragData.h"
#include "quarnel_api.h"

class CUIView;
class UIDragSource;
class UIOleDataSource;
class UIOleDropSource;
class UIOleDropTarget;


// Whether a swap may be asked for with Shift (1 at load); returns the previous permission.
QUARNEL_API int UIDragSetCanSwap(int canSwap);
QUARNEL_API int UIDragCanSwap();
// The action the last drag event settled on.
QUARNEL_API void UIDragSetLastAction(UIDragAction action);
QUARNEL_API UIDragAction UIDragGetLastAction();
// Ctrl+Shift link, Ctrl copy, Shift swap (move when swapping is forbidden), no key move; the
// keys are the current ones when bCurrent, else the MK_ bits of dwKeyState.
QUARNEL_API UIDragAction KeyState2UIDragAction(BOOL bCurrent, DWORD dwKeyState);
// Whether the clipboard holds a format list (2300); the argument is not used.
QUARNEL_API BOOL CheckQvClipboardFormat(DWORD format);

class QUARNEL_API UIDragSel {
 public:
  using FormatRecord = UIDragFormatRecord;
  struct Item {
    DWORD id;
    std::vector<FormatRecord> formats;
  };

  // Source side: offers the format list and drag information through a data source of its own.
  explicit UIDragSel(UIDragSource* site);
  // Target side: reads the items' formats from the data (taking it when bOwns).
  UIDragSel(COleDataObject* data, BOOL bOwns);
  virtual ~UIDragSel();
  UIDragSel(const UIDragSel&) = delete;
  UIDragSel& operator=(const UIDragSel&) = delete;

  virtual void AddVisualEffectRect(const CRect& rect);
  virtual UIDragAction ModifierKeysAtDrag();
  virtual UIDragAction ModifierKeys();
  virtual UIDragAction ModifierKeysAtDrop();
  // The source site; on the target side only for a drag or copy from a live selection of this
  // process (NULL otherwise).
  virtual UIDragSource* GetSourceSite();
  virtual void SetSwapSel(UIDragSel* other);
  virtual int CountItems();
  // The item id at a 0-based index; 0 when there is none.
  virtual DWORD GetDragItem(WORD index);
  // Adds a format to item 1 (a tag already listed is accepted as it is); FALSE when the tag
  // has no clipboard format or the size exceeds kUIDragSizeLimit.
  virtual BOOL AddFormat(DWORD tag, DWORD size, void* data);
  virtual int CountFormats(DWORD item);
  // The tag at a 0-based index of the item's list; 0 when there is none.
  virtual DWORD GetDragFormat(WORD index, DWORD item);
  // The recorded size of a format (bytes, characters for "WST2"), 0 to kUIDragSizeLimit (a
  // larger claim of another side reads as the size of its data); -1 when it is not listed.
  virtual long GetDataSize(DWORD tag, DWORD item);
  // Copies the format's data into buffer (NULL: only its recorded size); -1 when it is not
  // listed or has no data. Never writes more than the recorded size (in the format's units).
  virtual long FetchData(DWORD tag, void* buffer, DWORD item);
  virtual void SetPositionAtDrag(const CPoint& point);
  virtual CPoint GetPositionAtDrag();
  virtual void SetPosition(const CPoint& point);
  virtual CPoint GetPosition();
  virtual void SetPositionAtDrop(const CPoint& point);
  virtual CPoint GetPositionAtDrop();
  virtual BOOL AddFormatAndData(DWORD tag, DWORD size, void* data);
  // Copies at most size units of the format's data (twice size bytes for "WST2") and no more
  // than the data holds; the units copied, or -1 when there is no such data.
  virtual long GetSizeAndData(DWORD tag, void* buffer, DWORD size, DWORD item);

  UIDragSel* GetSwapSel() const { return m_pSwapSel; }
  UIOleDataSource* GetDataSource() const { return m_pDataSource; }
  COleDataObject* GetDataObject() const { return m_pDataObject; }

  // The clipboard format of a tag: the fixed ones, else 2302 plus its position in item 1's
  // list; 0 for a private tag that is not listed.
  CLIPFORMAT Qv2WinFormat(DWORD tag);
  // The clipboard format of a fixed tag; 0 for others.
  static CLIPFORMAT PASCAL GetStandardWinFormat(DWORD tag);
  // The tag of a clipboard format; kTagNone when it has none.
  static DWORD PASCAL Win2QvFormat(CLIPFORMAT format);
  // Registers "Rich Text Format" and "QvTreeList Format" once per process.
  static void PASCAL RegisterDragDropFormats();

  UIDragAction m_actionAtDrag = UIDragMove;
  UIDragAction m_action = UIDragNone;
  UIDragAction m_actionAtDrop = UIDragNone;

 protected:
  Item* FindItem(DWORD id);
  Item& ItemOne();
  // The drag information on the target side: read once; NULL when the data has none usable.
  const UIDragInfoRecord* DragInfo();
  // The live source selection of this process that the target's data comes from (its own
  // data in a drag, or a clipboard this process filled); NULL for data from another process,
  // a selection that is gone, or a forged record.
  UIDragSel* SourceSelection();

  UIOleDataSource* m_pDataSource = NULL;  // source side, owned
  COleDataObject* m_pDataObject = NULL;   // target side
  BOOL m_bOwnsDataObject = FALSE;
  DWORD m_positionFlags = 0;  // bit 0 at drag, bit 1 at drop, bit 2 position
  UIDragSource* m_pSite = NULL;
  CPoint m_ptAtDrag, m_pt, m_ptAtDrop;
  std::vector<Item> m_items;
  UIDragSel* m_pSwapSel = NULL;

 private:
  void ReadFormats();
  UIDragInfoRecord m_info = {};
  int m_infoState = 0;  // 0 unread, 1 read, 2 absent or unusable
  BOOL m_bFromClipboard = FALSE;  // read from the clipboard by QueryClipboard
  friend class UIOleDataSource;
  friend class UIDropTarget;
};

class QUARNEL_API UIDragSource {
 public:
  explicit UIDragSource(CWnd* site);
  virtual ~UIDragSource();
  UIDragSource(const UIDragSource&) = delete;
  UIDragSource& operator=(const UIDragSource&) = delete;

  // The cursor shown for an action (0: the system's; 0 for swap means cursor 149).
  virtual void SetUserCursor(UIDragAction action, WORD cursorId);
  // Data the source renders itself for a tag; -1 here (none).
  virtual long GetData(UIDragSel* sel, DWORD tag, void* buffer);
  // Puts a copy of the selection's data on the clipboard, every format rendered now; the
  // selection stays the host's. FALSE when the clipboard could not be set.
  virtual BOOL CopyToClipboard(UIDragSel* sel, BOOL bUnused);

  // Runs the drag; the last action as the target side set it.
  UIDragAction Drag(const CPoint& point, UIDragSel* sel);
  BOOL InitiateDragEvent(const CPoint& point);

  CWnd* GetSiteWnd() const { return m_pSiteWnd; }
  UIOleDropSource* GetOleDropSource() const { return m_pDropSource; }

 protected:
  UIOleDropSource* m_pDropSource;
  CWnd* m_pSiteWnd;
};

class QUARNEL_API UIDropTarget {
 public:
  explicit UIDropTarget(CUIView* view);
  virtual ~UIDropTarget();
  UIDropTarget(const UIDropTarget&) = delete;
  UIDropTarget& operator=(const UIDropTarget&) = delete;

  virtual BOOL IsInDropArea(UIDragSel* sel, const CPoint& point);
  virtual UIDragAction EnterDropArea(UIDragSel* sel);
  virtual UIDragAction DropAreaMove(UIDragSel* sel);
  virtual void LeaveDropArea(UIDragSel* sel);
  virtual UIDragAction Drop(UIDragSel* sel, UIDragAction action);
  virtual void VisualFeedback(UIDragSel* sel, BOOL bOn);
  // A new selection over the clipboard's data, owned by the caller; NULL when it cannot be read.
  virtual UIDragSel* QueryClipboard();

  // Registers every live target on its view's window (once each), latest first; never under
  // application ids 8 and 9.
  static void PASCAL PrepareAllTargetsForDrag();
  // The view's image point of a window point (unchanged without a view).
  CPoint WinToDropPoint(const CPoint& point);

  CUIView* GetView() const { return m_pView; }
  UIOleDropTarget* GetOleDropTarget() const { return m_pOleTarget; }
  BOOL IsRegistered() const { return (m_flags & 1) != 0; }

 protected:
  DWORD m_flags = 0;
  UIOleDropTarget* m_pOleTarget = NULL;
  CUIView* m_pView;
  friend class UIOleDropTarget;
};

// The OLE adapters.
class QUARNEL_API UIOleDropSource : public COleDropSource {
 public:
  UIOleDropSource();
  SCODE GiveFeedback(DROPEFFECT dropEffect) override;
  WORD m_cursorIds[5];  // per action
};

class QUARNEL_API UIOleDropTarget : public COleDropTarget {
 public:
  explicit UIOleDropTarget(UIDropTarget* owner);
  ~UIOleDropTarget() override;
  DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* data, DWORD dwKeyState, CPoint point) override;
  DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* data, DWORD dwKeyState, CPoint point) override;
  void OnDragLeave(CWnd* pWnd) override;
  BOOL OnDrop(CWnd* pWnd, COleDataObject* data, DROPEFFECT dropEffect, CPoint point) override;
  UIDragSel* GetCurrentSel() const { return m_pSel; }

 private:
  friend class UIDropTarget;
  UIDropTarget* m_pOwner;
  UIDragSel* m_pSel = NULL;        // the selection of the drag in progress, owned
  LPDATAOBJECT m_pSelData = NULL;  // the data it was built over (one build per drag)
};

class QUARNEL_API UIOleDataSource : public COleDataSource {
 public:
  explicit UIOleDataSource(UIDragSel* sel);
  ~UIOleDataSource() override;
  BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal) override;
  UIDragSel* m_pSel;
};

