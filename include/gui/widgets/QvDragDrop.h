// Drag and drop and the clipboard of portable views and controls. The same items, format
// tags, private clipboard formats (2300 format records, 2301 drag information) and records as
// the framework side's views use, so a selection dragged between a framework view and a
// portable view is understood on both sides. The roots keep items, formats and positions;
// QvDragSel, QvDragSource and QvDropTarget add the OLE side.
#pragma once
#include <framework.h>
#include <fw_oledata.h>

#include <QvContainers.h>
#include <QvFirst.h>

#include "QvGeometry.h"
#include "UIDragData.h"
#include "quarnel_api.h"

class QvView;
class QvControl;
class QvDragSel;
class QvDragSource;
class QvDropTarget;
class CGUIOleDataSource;
class CGUIOleDropSource;
class CGUIOleDropTarget;

// The action the last portable drag event settled on (none at load).
QUARNEL_API void QvDragSetLastAction(UIDragAction action);
QUARNEL_API UIDragAction QvDragGetLastAction();
// The live drop targets (QvDropTarget*), NULL while there are none.
QUARNEL_API QvArrayLPVoid* Get_lpDropTargets();
QUARNEL_API void Set_lpDropTargets(QvArrayLPVoid* targets);

class QUARNEL_API QvRootDragSel : public QvFirst {
  QV_DECLARE_CLASS(QvRootDragSel)
 public:
  using FormatRecord = UIDragFormatRecord;
  struct ItemRecord {
    DWORD id;
    QvArrayLPVoid formats;  // FormatRecord*, owned
  };

  explicit QvRootDragSel(QvDragSource* source);
  ~QvRootDragSel() override;
  QvRootDragSel(const QvRootDragSel&) = delete;
  QvRootDragSel& operator=(const QvRootDragSel&) = delete;

  virtual int CountItems();
  // The item id at a 0-based index; 0 when there is none.
  virtual DWORD GetDragItem(WORD index);
  // Adds a format to item 1 (a tag already listed is accepted as it is); false when the tag
  // has no clipboard format or the size exceeds kUIDragSizeLimit.
  virtual bool AddFormat(DWORD tag, DWORD size, void* data);
  virtual int CountFormats(DWORD item);
  // The tag at a 0-based index of the item's list; 0 when there is none.
  virtual DWORD GetDragFormat(WORD index, DWORD item);
  // The recorded size of a format, 0 to kUIDragSizeLimit (a larger claim of another side reads
  // as the size of its data); -1 when it is not listed.
  virtual long GetDataSize(DWORD tag, DWORD item);
  // Copies the format's data into buffer (NULL: only its recorded size); -1 when it is not
  // listed or has no data. Never writes more than the recorded size.
  virtual long FetchData(DWORD tag, void* buffer, DWORD item);
  virtual void AddVisualEffectRect(const QvRect& rect) = 0;
  virtual UIDragAction ModifierKeysAtDrag() = 0;
  virtual UIDragAction ModifierKeys() = 0;
  virtual UIDragAction ModifierKeysAtDrop() = 0;
  virtual void SetPositionAtDrag(const QvPoint& point);
  // False when the position was never set.
  virtual bool GetPositionAtDrag(QvPoint& point);
  virtual void SetPosition(const QvPoint& point);
  virtual bool GetPosition(QvPoint& point);
  virtual void SetPositionAtDrop(const QvPoint& point);
  virtual bool GetPositionAtDrop(QvPoint& point);
  // The source; on the target side only for a drag or copy from a live selection of this
  // process whose own data is read (NULL otherwise).
  virtual QvDragSource* GetSourceSite();
  virtual void SetSwapSel(QvDragSel* other);
  virtual QvDragSel* GetSwapSel();
  // What the concrete class does with a format's data; the root has no data.
  virtual bool AddFormatAndData(DWORD tag, DWORD size, void* data);
  virtual long GetSizeAndData(DWORD tag, void* buffer, DWORD size, DWORD item);

 protected:
  ItemRecord* FindItem(DWORD id);
  ItemRecord* ItemOne();
  void AppendFormat(ItemRecord* item, DWORD tag, DWORD size);

  DWORD m_positionFlags = 0;  // bit 0 at drag, bit 1 at drop, bit 2 position
  QvDragSource* m_pSource;
  QvPoint m_ptAtDrag, m_pt, m_ptAtDrop;
  QvArrayLPVoid m_items;  // ItemRecord*, owned
  QvDragSel* m_pSwapSel = NULL;
};

class QUARNEL_API QvDragSel : public QvRootDragSel {
  QV_DECLARE_CLASS(QvDragSel)
 public:
  // Source side: offers the format list and drag information through a data source of its own.
  explicit QvDragSel(QvDragSource* source);
  // Target side: reads the items' formats from the data (taking it when owns is non-zero).
  QvDragSel(COleDataObject* data, int owns);
  ~QvDragSel() override;

  void AddVisualEffectRect(const QvRect& rect) override;
  UIDragAction ModifierKeysAtDrag() override;
  UIDragAction ModifierKeys() override;
  UIDragAction ModifierKeysAtDrop() override;
  // On the target side, reads the drag information when both coordinates are still 0.
  bool GetPositionAtDrag(QvPoint& point) override;
  QvDragSource* GetSourceSite() override;
  // On the target side the swap also reaches the source selection, when it is a live one of
  // this process; the swapped-in selection's data becomes readable through a data object.
  void SetSwapSel(QvDragSel* other) override;
  // Copies the data as size bytes for every tag (no text conversion).
  bool AddFormatAndData(DWORD tag, DWORD size, void* data) override;
  // Copies at most size bytes and no more than the data holds; the bytes copied, or -1.
  long GetSizeAndData(DWORD tag, void* buffer, DWORD size, DWORD item) override;

  // The clipboard format of a tag: the fixed ones, else 2302 plus its position in item 1's
  // list; 0 for a private tag that is not listed. "WST2" is a private tag here.
  CLIPFORMAT Qv2WinFormat(DWORD tag);
  static CLIPFORMAT GetStandardWinFormat(DWORD tag);
  // The tag of a clipboard format; kTagNone when it has none (CF_UNICODETEXT has none).
  static DWORD Win2QvFormat(CLIPFORMAT format);
  // Registers "Rich Text Format" and "QvTreeList Format" once per process.
  static void RegisterDragDropFormats();

  CGUIOleDataSource* GetDataSource() const { return m_pDataSource; }
  COleDataObject* GetDataObject() const { return m_pDataObject; }

  UIDragAction m_actionAtDrag = UIDragMove;
  UIDragAction m_action = UIDragNone;
  UIDragAction m_actionAtDrop = UIDragNone;

 private:
  void ReadFormats();
  const UIDragInfoRecord* DragInfo();
  QvDragSel* SourceSelection();

  CGUIOleDataSource* m_pDataSource = NULL;  // source side, owned
  COleDataObject* m_pDataObject = NULL;     // target side
  int m_ownsDataObject = 0;
  UIDragInfoRecord m_info = {};
  int m_infoState = 0;  // 0 unread, 1 read, 2 absent or unusable
  bool m_fromClipboard = false;
  friend class CGUIOleDataSource;
  friend class QvDropTarget;
};

class QUARNEL_API QvRootDragSource {
 public:
  explicit QvRootDragSource(QvView* view);
  explicit QvRootDragSource(QvControl* control);
  virtual ~QvRootDragSource();
  QvRootDragSource(const QvRootDragSource&) = delete;
  QvRootDragSource& operator=(const QvRootDragSource&) = delete;

  // Data the source renders itself for a tag; -1 here (none).
  virtual long GetData(QvDragSel* sel, DWORD tag, void* buffer);

  QvView* GetSourceSiteView() const { return m_pView; }
  QvControl* GetSourceSiteControl() const { return m_pControl; }

 protected:
  QvView* m_pView = NULL;
  QvControl* m_pControl = NULL;
};

class QUARNEL_API QvDragSource : public QvRootDragSource {
 public:
  explicit QvDragSource(QvView* view);
  explicit QvDragSource(QvControl* control);
  ~QvDragSource() override;

  virtual bool InitiateDragEvent(const QvPoint& point);
  // Runs the drag; the last action as the target side set it.
  virtual UIDragAction Drag(const QvPoint& point, QvDragSel* sel);
  // The cursor shown for an action (0: the system's; 0 for swap means cursor 264).
  virtual void SetUserCursor(UIDragAction action, WORD cursorId);
  // Puts a copy of the selection's data on the clipboard, every format rendered now; the
  // selection stays the caller's.
  virtual void CopyToClipboard(QvDragSel* sel, bool unused);

  CGUIOleDropSource* GetOleDropSource() const { return m_pDropSource; }

 protected:
  CGUIOleDropSource* m_pDropSource;
};

class QUARNEL_API QvRootDropTarget {
 public:
  explicit QvRootDropTarget(QvView* view) : m_pView(view) {}
  explicit QvRootDropTarget(QvControl* control) : m_pControl(control) {}
  virtual ~QvRootDropTarget() = default;
  QvRootDropTarget(const QvRootDropTarget&) = delete;
  QvRootDropTarget& operator=(const QvRootDropTarget&) = delete;

  QvView* GetSiteView() const { return m_pView; }
  QvControl* GetSiteControl() const { return m_pControl; }

 protected:
  QvView* m_pView = NULL;
  QvControl* m_pControl = NULL;
};

class QUARNEL_API QvDropTarget : public QvRootDropTarget {
 public:
  explicit QvDropTarget(QvView* view);
  explicit QvDropTarget(QvControl* control);
  ~QvDropTarget() override;

  virtual bool IsInDropArea(QvDragSel* sel, const QvPoint& point);
  virtual UIDragAction EnterDropArea(QvDragSel* sel);
  virtual UIDragAction DropAreaMove(QvDragSel* sel);
  virtual void LeaveDropArea(QvDragSel* sel);
  virtual void VisualFeedback(QvDragSel* sel, bool on);
  virtual UIDragAction Drop(QvDragSel* sel, UIDragAction action);
  // A new selection over the clipboard's data, owned by the caller; NULL when it cannot be read.
  virtual QvDragSel* QueryClipboard();

  // Registers every live target whose site has a window (once each).
  static void PrepareAllTargetsForDrag();
  // The site view's image point of a window point (a control site keeps the window point).
  QvPoint WinToDropPoint(const QvPoint& point);

  CGUIOleDropTarget* GetOleDropTarget() const { return m_pOleTarget; }
  bool IsRegistered() const { return (m_flags & 1) != 0; }

 protected:
  CWnd* SiteWnd() const;
  DWORD m_flags = 0;
  CGUIOleDropTarget* m_pOleTarget = NULL;
  friend class CGUIOleDropTarget;
};

// The OLE adapters.
class QUARNEL_API CGUIOleDropSource : public COleDropSource {
 public:
  CGUIOleDropSource();
  SCODE GiveFeedback(DROPEFFECT dropEffect) override;
  WORD m_cursorIds[5];  // per action
};

class QUARNEL_API CGUIOleDropTarget : public COleDropTarget {
 public:
  explicit CGUIOleDropTarget(QvDropTarget* owner);
  ~CGUIOleDropTarget() override;
  DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* data, DWORD dwKeyState, CPoint point) override;
  DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* data, DWORD dwKeyState, CPoint point) override;
  void OnDragLeave(CWnd* pWnd) override;
  BOOL OnDrop(CWnd* pWnd, COleDataObject* data, DROPEFFECT dropEffect, CPoint point) override;
  QvDragSel* GetCurrentSel() const { return m_pSel; }

 private:
  friend class QvDropTarget;
  QvDropTarget* m_pOwner;
  QvDragSel* m_pSel = NULL;        // the selection of the drag in progress, owned
  LPDATAOBJECT m_pSelData = NULL;  // the data it was built over (one build per drag)
};

class QUARNEL_API CGUIOleDataSource : public COleDataSource {
 public:
  explicit CGUIOleDataSource(QvDragSel* sel);
  ~CGUIOleDataSource() override;
  BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal) override;
  QvDragSel* m_pSel;
};
