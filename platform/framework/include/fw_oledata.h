// Data transfer over the system's OLE: per-thread OLE start-up, data sources offered to drags
// and the clipboard, data objects read from a drop or the clipboard, drop sources and drop
// targets bound to windows.
#pragma once
#include "fw_geometry.h"
#include "fw_ole.h"

#include <vector>

class CWnd;

// A drag's effect: DROPEFFECT_NONE, _COPY, _MOVE, _LINK, possibly with _SCROLL.
typedef DWORD DROPEFFECT;

// OLE for the calling thread: OleInitialize on the first call of the thread, counted; each
// successful call is undone by one AfxOleTerm. FALSE (nothing counted) when OLE cannot start
// on the thread, for example because it was entered as a multithreaded apartment.
FW_API BOOL AFXAPI AfxOleInit();
// Undoes one AfxOleInit of the calling thread: the last one flushes a clipboard this thread's
// source still owns (its formats stay readable by others) and uninitialises OLE.
FW_API void AFXAPI AfxOleTerm();
// Whether OLE was started on the calling thread through AfxOleInit.
FW_API BOOL AFXAPI AfxOleIsInitialized();

class COleDropSource;

// Data offered to a drag or the clipboard as an IDataObject. Formats are either cached (the
// medium given now, owned by the source) or rendered when a reader asks (OnRender...).
// Made with one reference; Release it through InternalRelease (or let the clipboard or a
// drag hold it) rather than delete it while others may hold it.
class FW_API COleDataSource : public CCmdTarget {
 public:
  COleDataSource();
  ~COleDataSource() override;

  // The source owns hGlobal from now on (also when the call replaces an earlier entry).
  void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = NULL);
  // The source owns the medium from now on and releases it with ReleaseStgMedium.
  void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
  // Offered now, rendered by OnRenderData/OnRenderGlobalData when a reader asks.
  void DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
  // Drops every format.
  void Empty();
  // Whether a format is offered, cached or delayed.
  BOOL IsOffered(CLIPFORMAT cfFormat) const;

  // Runs the system's drag loop with this data; the effect the target answered, or
  // DROPEFFECT_NONE when the drag was cancelled or could not start. With lpRectStartDrag
  // (screen coordinates), the drag starts only once the mouse leaves it with the button down.
  DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                        LPCRECT lpRectStartDrag = NULL, COleDropSource* pDropSource = NULL);

  // Puts this source on the clipboard (the clipboard holds a reference); throws
  // COleException when it cannot. OLE must be started on the thread.
  void SetClipboard();
  // Renders every delayed format and leaves the data on the clipboard without this source.
  static void PASCAL FlushClipboard();
  // The source of this process on the clipboard; NULL when the clipboard holds another.
  static COleDataSource* PASCAL GetClipboardOwner();

  // Rendering of delayed formats. The default OnRenderData takes TYMED_HGLOBAL requests to
  // OnRenderGlobalData; the defaults of both render nothing (FALSE). *phGlobal may already
  // hold a block the reader gave to be filled.
  virtual BOOL OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium);
  virtual BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal);

 protected:
  BEGIN_INTERFACE_PART(DataObject, IDataObject)
    STDMETHOD(GetData)(LPFORMATETC, LPSTGMEDIUM) override;
    STDMETHOD(GetDataHere)(LPFORMATETC, LPSTGMEDIUM) override;
    STDMETHOD(QueryGetData)(LPFORMATETC) override;
    STDMETHOD(GetCanonicalFormatEtc)(LPFORMATETC, LPFORMATETC) override;
    STDMETHOD(SetData)(LPFORMATETC, LPSTGMEDIUM, BOOL) override;
    STDMETHOD(EnumFormatEtc)(DWORD, LPENUMFORMATETC*) override;
    STDMETHOD(DAdvise)(LPFORMATETC, DWORD, LPADVISESINK, LPDWORD) override;
    STDMETHOD(DUnadvise)(DWORD) override;
    STDMETHOD(EnumDAdvise)(LPENUMSTATDATA*) override;
  END_INTERFACE_PART(DataObject)
  DECLARE_INTERFACE_MAP()

 private:
  struct Entry {
    FORMATETC format;
    STGMEDIUM medium;  // TYMED_NULL: rendered when asked
  };
  Entry* Find(const FORMATETC& format, BOOL bExactTymed);
  Entry& Prepare(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed);
  HRESULT Render(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium);
  std::vector<Entry> m_entries;
};

// Data read from a drop or the clipboard through its IDataObject.
class FW_API COleDataObject {
 public:
  COleDataObject() = default;
  ~COleDataObject();
  COleDataObject(const COleDataObject&) = delete;
  COleDataObject& operator=(const COleDataObject&) = delete;

  // Takes lpDataObject; with bAutoRelease, this object releases it.
  void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
  LPDATAOBJECT Detach();
  void Release();
  // Attaches the clipboard's current data; FALSE when the clipboard cannot be read.
  BOOL AttachClipboard();
  BOOL IsAttached() const { return m_lpDataObject != NULL; }
  LPDATAOBJECT GetIDataObject(BOOL bAddRef) const;

  // The formats the data offers, one by one.
  void BeginEnumFormats();
  BOOL GetNextFormat(LPFORMATETC lpFormatEtc);

  BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
  // The caller releases the medium with ReleaseStgMedium.
  BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
  // A global block the caller owns and frees with GlobalFree (a copy when the data keeps
  // its own); NULL when the format is not available as global memory. Clipboard data that
  // OLE cannot hand over is read from the clipboard itself.
  HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

  LPDATAOBJECT m_lpDataObject = NULL;
  BOOL m_bAutoRelease = TRUE;
  BOOL m_bClipboard = FALSE;  // attached by AttachClipboard

 private:
  // Global memory of the clipboard read without OLE, for formats the system's OLE clipboard
  // cannot hand over (numbers that are neither predefined nor registered); NULL when absent.
  static HGLOBAL ReadClipboardDirectly(CLIPFORMAT cfFormat);
  LPENUMFORMATETC m_lpEnumerator = NULL;
};

// The drop source of a drag: when to go on, drop or cancel, and the cursor.
class FW_API COleDropSource : public CCmdTarget {
 public:
  COleDropSource();
  ~COleDropSource() override = default;

  // Escape cancels; releasing the button that started the drag drops.
  virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
  // The system's cursors (DRAGDROP_S_USEDEFAULTCURSORS).
  virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
  // Waits, with the button down, until the mouse leaves m_rectStartDrag (screen) or the
  // drag start time passes; FALSE when the button was released or Escape pressed first.
  virtual BOOL OnBeginDrag(CWnd* pWnd);

  CRect m_rectStartDrag;
  DWORD m_dwButtonDrop = 0;    // the button whose release drops (MK_LBUTTON or MK_RBUTTON)
  DWORD m_dwButtonCancel = 0;  // the other button, which cancels when pressed as well

 protected:
  BEGIN_INTERFACE_PART(DropSource, IDropSource)
    STDMETHOD(QueryContinueDrag)(BOOL, DWORD) override;
    STDMETHOD(GiveFeedback)(DWORD) override;
  END_INTERFACE_PART(DropSource)
  DECLARE_INTERFACE_MAP()

  friend class COleDataSource;
};

// A window's drop target. Points given to the handlers are in the window's client
// coordinates; the data object is valid during the call only.
class FW_API COleDropTarget : public CCmdTarget {
 public:
  COleDropTarget();
  ~COleDropTarget() override;

  // Registers this target for the window (OLE must be started on the thread); FALSE when
  // the window is already registered or the system refuses. One window per target.
  BOOL Register(CWnd* pWnd);
  // Revokes the registration; also done by the destructor.
  virtual void Revoke();
  CWnd* GetWindow() const { return m_pWnd; }

  virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual void OnDragLeave(CWnd* pWnd);
  // At a drop, OnDragOver is asked once more for the point; its answer is the effect given to
  // OnDropEx and OnDrop (none: OnDragLeave instead). TRUE when the drop was taken.
  virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
  // Asked first; (DROPEFFECT)-1 hands the drop to OnDrop, any other value is the result.
  virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                              DROPEFFECT dropList, CPoint point);
  // Scrolls a window with scroll bars while the point stays within the inset of its client
  // edges, first after a delay, then at each interval; DROPEFFECT_SCROLL (with the effect
  // the move allows) while scrolling, DROPEFFECT_NONE otherwise.
  virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

  // Auto-scroll settings (pixels and milliseconds).
  int m_nScrollInset = 11;
  UINT m_nScrollDelay = 50;
  UINT m_nScrollInterval = 50;

 protected:
  BEGIN_INTERFACE_PART(DropTarget, IDropTarget)
    STDMETHOD(DragEnter)(LPDATAOBJECT, DWORD, POINTL, LPDWORD) override;
    STDMETHOD(DragOver)(DWORD, POINTL, LPDWORD) override;
    STDMETHOD(DragLeave)() override;
    STDMETHOD(Drop)(LPDATAOBJECT, DWORD, POINTL, LPDWORD) override;
  END_INTERFACE_PART(DropTarget)
  DECLARE_INTERFACE_MAP()

 private:
  CPoint ToClient(POINTL pt) const;
  DROPEFFECT Filter(DROPEFFECT wanted, DWORD allowed) const;
  CWnd* m_pWnd = NULL;
  HWND m_hWnd = NULL;
  COleDataObject m_dataObject;  // the data of the drag in progress
  bool m_bInInset = false;     // the point is within the scroll inset
  DWORD m_dwScrollStart = 0;  // tick count when it entered the inset
  DWORD m_dwLastScroll = 0;
  bool m_bScrolled = false;
};

// Maps key states to the default effect: Ctrl+Shift link, Ctrl copy, otherwise move; the
// result limited to what the source allows.
FW_API DROPEFFECT AFXAPI AfxDefaultDropEffect(DWORD dwKeyState, DWORD dwAllowed);
