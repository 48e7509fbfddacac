// The drawing view: a document drawn in image coordinates (twips or pixels), zoomed, scrolled
// and converted to device pixels on the way to whatever DC it draws on.
//
// CUIView holds the coordinate model, the drawing attributes and the drawing interface;
// CMFCUIView draws that interface with GDI. The host derives its view from CMFCUIView,
// overrides OnDraw and calls the Qv... members with image coordinates.
#pragma once
#include "QvDrawTypes.h"
#include "QvFillColors.h"
#include "QvGeometry.h"
#include "UIDrawingCore.h"
#include "UITextLines.h"
#include "quarnel_api.h"

#include <QvString.h>
#include <UIHandles.h>
#include <framework.h>
#include <fw_view.h>

class CPrintDialog;
class CQvOleClientItem;
class QvImage;
class CArrayLinkDefs;
class QvLinkDef;

// Mode flags of a view. The host chooses the first three through the constructor; the
// others are the view's own state.
enum : unsigned long {
  UIVIEW_TWIPS = 0x0001,          // image unit is twips (clear: pixels)
  UIVIEW_ZOOMED = 0x0002,         // zoom ratio differs from 1
  UIVIEW_RASTER_DISPLAY = 0x0004, // the current DC is a raster display
  UIVIEW_PREVIEW = 0x0008,        // print preview on a DC whose attribute DC is the printer
  UIVIEW_PRINTING = 0x0010,       // printing on the printer DC
  UIVIEW_ZOOM_FONTS = 0x0020,     // font sizes follow the zoom ratio although not zoomed
  UIVIEW_PALETTE = 0x0100,        // the shared palette is selected and realised
  UIVIEW_CULLING = 0x0200,        // rectangles outside the culling rectangle are skipped
  UIVIEW_PEN_COLORS = 0x0800,     // the DC's text/background colours are the pen's (else fill's)
  UIVIEW_SOLID_PEN = 0x1000,      // the prepared pen is solid
  UIVIEW_RESIZE_SCROLLS = 0x2000, // resizing recomputes the scroll bars
  UIVIEW_NO_SCROLLBARS = 0x4000,  // no scroll bars
  UIVIEW_HOST_FLAGS = 0x6001,
  UIVIEW_PRINT_FLAGS = UIVIEW_PREVIEW | UIVIEW_PRINTING,
};

// The model lives in the drawing core the portable view shares (flags, zoom, origin, scroll,
// factors, attributes); the conversions between client pixels and image units are its own.
class QUARNEL_API CUIView : public CView, public CDrawingCore {
  DECLARE_DYNAMIC(CUIView)

 public:
  // Keeps style & 0x6001 as the mode flags.
  explicit CUIView(unsigned long style = 0);
  ~CUIView() override;

  // CView and CWnd members: a drawing view is not destroyed through DestroyWindow (answers
  // TRUE and keeps the window) and neither scrolls, prints nor updates by itself.
  BOOL DestroyWindow() override;
  BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE) override;
  BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;
  void OnInitialUpdate() override;

  // The drawing interface, in this order.
  virtual void SetUnitType(QvImageUnitType type);
  virtual void QvSetOrigin(POINT origin);
  virtual void SetZoomFactor(long num, long den);
  virtual void TagSection(POINT, unsigned long, unsigned short, wchar_t const*) {}
  virtual void GetViewRect(RECT* rect) = 0;
  virtual void SetImageSize(CSize size, int redraw) = 0;
  virtual CSize GetImageSize() = 0;
  virtual void SetHScroll(unsigned long pos) = 0;
  virtual void SetVScroll(unsigned long pos) = 0;
  virtual unsigned long GetHScroll() = 0;
  virtual unsigned long GetVScroll() = 0;
  virtual void SetHScrollIncrement(unsigned long inc) = 0;
  virtual void SetVScrollIncrement(unsigned long inc) = 0;
  virtual unsigned long GetHScrollIncrement() = 0;
  virtual unsigned long GetVScrollIncrement() = 0;
  virtual int ScrollBy(CSize by, int redraw) = 0;
  virtual void QvBeginUse() = 0;
  virtual void QvEndUse() = 0;
  virtual void QvMoveTo(POINT p) = 0;
  virtual void QvDrawLine(POINT a, POINT b) = 0;
  virtual void QvDrawRect(RECT const& r, int frame, int fill) = 0;
  virtual void QvDraw3DRect(RECT const& r, int style) = 0;
  virtual void QvDrawSelectionRect(RECT const& r) = 0;
  virtual void QvEraseRect(RECT const& r) = 0;
  virtual void QvInvertRectForSelection(RECT const& r) = 0;
  virtual void QvDrawOval(RECT const& r, int frame, int fill) = 0;
  virtual void QvDrawSector(RECT const& r, short start, short sweep, int frame, int fill) = 0;
  virtual void QvDrawArc(RECT const& r, short start, short sweep) = 0;
  virtual void QvDrawPoly(CArray<POINT, POINT> const& pts, int closed, int frame, int fill) = 0;
  virtual int CallCalcTextLines(wchar_t const* text, QvSize size, bool wrap, TextLineInfoArray& lines) = 0;
  virtual void QvDrawText(wchar_t const* text, int len) = 0;
  virtual void QvDrawTextInRect(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va,
                                QvHorizontalAlign ha, int wrap, short s) = 0;
  virtual void QvDrawTextLinesInRect(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va,
                                     QvHorizontalAlign ha, int wrap, short s, long first, long last) = 0;
  virtual void QvDrawVertTextInRect(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va,
                                    QvHorizontalAlign ha, QvVertDrawStyle style) = 0;
  virtual unsigned long QvTextWidth(wchar_t const* text, int len, bool b) = 0;
  virtual unsigned long QvTextHeight(wchar_t const* text, int len, unsigned long width, unsigned short s) = 0;
  virtual unsigned long QvTextHeightEx(wchar_t const* text, int len, unsigned long width, unsigned short s,
                                       long* lines) = 0;
  virtual void QvGetVertTextRect(RECT& out, wchar_t const* text, int len, QvVertDrawStyle style) = 0;
  virtual void QvBlockMove(RECT const& r, long dx, long dy) = 0;
  virtual void QvDrawImageList(POINT p, CImageList* list, unsigned short index) = 0;
  virtual void QvDrawImage(RECT const& r, CBitmap* bmp, QvImageDisplay mode) = 0;
  virtual void DrawDIB(void* dib, CRect const& r, char const* name) = 0;
  virtual CBitmap* QvTakeSnapshot(RECT const& image, RECT const& target, int screen, unsigned short bits) = 0;
  virtual QvImage* QvTakeSnapshotToQvImage(RECT const& image, RECT const& target, int screen,
                                           unsigned short bits) = 0;
  virtual void QvSetDrawMode(QvDrawMode mode) = 0;
  virtual QvDrawMode QvGetDrawMode() = 0;
  virtual UIFontInfo QvGetFontInfo() = 0;
  virtual void QvSetClipRect(RECT const& r) = 0;
  virtual void QvResetClipRect() = 0;
  virtual CRgn* QvGetClipRegion() = 0;
  virtual void QvSetClipRegion(CRgn* rgn) = 0;
  virtual void QvFreeRegion(CRgn* rgn) = 0;
  virtual void QvUnionRectToClip(RECT& r) = 0;
  virtual void QvIntersectionRectToClip(RECT& r) = 0;
  virtual void QvExcludeRectToClip(RECT& r) = 0;
  virtual void QvInvalRect(RECT const& r, int erase) = 0;
  virtual void QvInvalAll(int erase) = 0;
  virtual void QvUpdateNow() = 0;
  virtual void QvDrawExtraInfos(int, unsigned long) {}
  // 0 when hyperlink display is off; else 1 unless printing or previewing.
  virtual int CanDisplayHyperlinks();
  virtual int DoPreparePrinting(CPrintInfo* info) = 0;
  virtual UIPrintResult Print(long from, long to) = 0;
  virtual void QvClientToImagePoint(POINT& p) = 0;
  virtual void QvImageToClientPoint(POINT& p) = 0;
  virtual void QvImageToScreenPoint(POINT& p) = 0;
  virtual void QvDrawInMetafileDC(RECT const& image, RECT const& target, CDC* dc) = 0;
  virtual void QvDrawOLEItem(CQvOleClientItem* item, RECT const& r) = 0;
  virtual void QvSetPenForeColor(COLORREF c);
  virtual COLORREF QvGetPenForeColor();
  virtual void QvSetPenBackColor(COLORREF c);
  virtual COLORREF QvGetPenBackColor();
  virtual void QvSetFillForeColor(COLORREF c);
  virtual COLORREF QvGetFillForeColor();
  virtual void QvSetFillBackColor(COLORREF c);
  virtual COLORREF QvGetFillBackColor();
  virtual void QvSetBackgroundColor(COLORREF c);
  virtual COLORREF QvGetBackgroundColor();
  virtual void QvSetDashLine(QvDashLine dash);
  virtual QvDashLine QvGetDashLine();
  // 0 and an unchanged width are ignored.
  virtual void QvSetLineWidth(unsigned short width);
  virtual unsigned short QvGetLineWidth();
  virtual void QvSetFillCharacter(QvString fill);
  virtual QvString QvGetFillCharacter();
  // Stores the font only when it differs.
  virtual void QvSetFont(UIFont const& font);
  virtual void QvGetFont(UIFont& font);
  // A value outside QvNoPattern to QvLastPattern is refused.
  virtual void QvSetFillPattern(QvGUIPattern pattern);
  virtual QvGUIPattern QvGetFillPattern();
  virtual QvDevType QvGetTypeView() { return QvScreenDevice; }
  virtual void QvStartDisplayWOB() {}
  virtual void QvEndDisplayWOB() {}
  virtual QvImage* QvTakeSnapshotToQvImageRCT(RECT const& image, RECT const& target, int screen,
                                              unsigned short bits) = 0;
  virtual void DrawRCT(CRect const&) {}
  virtual void OnDrawRCT(CDC*) {}
  virtual int IsInBlindMode() { return 0; }
  virtual void CreatePrintDialog(CPrintInfo*) {}
  virtual int PrintAPage(CDC&, CPrintInfo&, CString&, int&) { return 0; }
  virtual void OnMouseZooming(POINT, int) {}
  virtual void OnMouseDatazoom(POINT, int) {}
  virtual int HasCustomPageManagement() { return 0; }
  virtual long GetNumberOfPages() { return 0; }
  virtual void PrintOnePage(long) {}
  virtual void Draw(CRect const&) {}
  virtual void UpdatePrinterInfoIsNeeded(CPrintDialog*, int) {}

  // Model.
  QvImageUnitType GetUnitType() const { return static_cast<QvImageUnitType>(m_flags & UIVIEW_TWIPS); }
  unsigned long GetModeFlags() const { return m_flags; }
  void PrepareConversionFactors();
  POINT QvGetOrigin() const { return m_origin; }
  void GetZoomFactor(long& num, long& den) const;
  void SetPrintZoomFactor(long num, long den);
  float GetPrintZoom() const { return m_printZoom; }
  // Stores the new value and answers the previous one.
  int SetDisplayHyperlinks(int display);
  static void SetPrintOldFont(int value);
  static int GetPrintOldFont();

  // Conversions between client pixels and image units (rounded half away from zero): the
  // drawing core's ClientToImageX/Y, ImageToClientX/Y and their widths and heights.

  // Conversions between image units and twips, points and pixels (32-bit, truncating).
  long QvXImageToQvUnit(long v);
  long QvYImageToQvUnit(long v);
  long QvXQvUnitToImage(long v);
  long QvYQvUnitToImage(long v);
  void QvImageToQvUnit(POINT& p);
  void QvImageToQvUnit(RECT& r);
  void QvQvUnitToImage(POINT& p);
  void QvQvUnitToImage(RECT& r);
  long QvXImageToPoint(long v);
  long QvYImageToPoint(long v);
  long QvXPointToImage(long v);
  long QvYPointToImage(long v);
  void QvImageToPoint(POINT& p);
  void QvImageToPoint(RECT& r);
  void QvPointToImage(POINT& p);
  void QvPointToImage(RECT& r);
  long QvXImageToPixel(long v);
  long QvYImageToPixel(long v);
  long QvXPixelToImage(long v);
  long QvYPixelToImage(long v);
  void QvImageToPixel(POINT& p);
  void QvImageToPixel(RECT& r);
  void QvPixelToImage(POINT& p);
  void QvPixelToImage(RECT& r);
  long QvXPointToPixel(short v);
  long QvYPointToPixel(short v);

 protected:
  BOOL OnPreparePrinting(CPrintInfo* info) override;
  void OnPrint(CDC* dc, CPrintInfo* info) override;

  float m_printZoom;
  QvString m_fillCharacter;
  UIFont m_font;
  BOOL m_displayHyperlinks;
  unsigned short m_scrollDivisorX;
  unsigned short m_scrollDivisorY;
  RECT m_drawRect;
  int m_resolutionX;
  int m_resolutionY;
};
static_assert(DrawCoreFlagsMatch(UIVIEW_TWIPS, UIVIEW_ZOOMED, UIVIEW_RASTER_DISPLAY, UIVIEW_PREVIEW, UIVIEW_PRINTING, UIVIEW_PALETTE,
                                 UIVIEW_CULLING, UIVIEW_PEN_COLORS, UIVIEW_SOLID_PEN),
              "the view's flags are the drawing core's");

// Process-wide drawing resources of the GDI views: the 20 fill patterns (bitmap 260), the 8
// dash patterns (bitmap 259) and the shared palette. Made once by the first view that needs
// them; freed when the library unloads.
struct BrushArrayRec;
QUARNEL_API BOOL UIViewPrepareSharedResources();
QUARNEL_API void UIViewReleaseSharedResources();
QUARNEL_API BrushArrayRec* UIViewFillPatterns();
QUARNEL_API BrushArrayRec* UIViewDashPatterns();
QUARNEL_API CPalette* UIViewPalette();

// The modeless status dialog of the view's print jobs (template 30722: 201 document, 202
// printer, 203 port or file, 204 page); its Cancel stops the job.
class QUARNEL_API CQvPrintingDialog : public CPrintingDialog {
 public:
  explicit CQvPrintingDialog(CWnd* parent) : CPrintingDialog(parent) {}
  // The status dialog of the job in progress, NULL when none is shown.
  static CQvPrintingDialog* GetCurrent();
  static void SetCurrent(CQvPrintingDialog* dialog);

 protected:
  void OnCancel() override;
};

class QUARNEL_API CMFCUIView : public CUIView {
  DECLARE_DYNAMIC(CMFCUIView)

 public:
  explicit CMFCUIView(unsigned long style = 0);
  ~CMFCUIView() override;

  // Registers a class with CS_DBLCLKS | CS_OWNDC, the arrow cursor and the window brush, and
  // creates the view with it; the two names are ignored.
  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL) override;
  // Shared resources, the window DC (owned) and the measuring DC; then CView's.
  void OnInitialUpdate() override;
  // The framework's window destruction: the window goes (the model's answers TRUE and keeps it).
  BOOL DestroyWindow() override;

  // DC life. While prepared, the DC's pen and brush are the view's: it selects only what
  // changes. A caller that draws on the DC by itself between the view's shapes takes it
  // through GetCurrentDC.
  BOOL PrepareNewDCForDrawing(HDC dc, bool owned);
  void UnprepareCurrentDC();
  void SetDefaultDrawingAttributes();
  // The DC drawn on, lent: the view asks it for its pen and brush before every shape from
  // then on, until a DC is prepared again (the holder may select its own objects).
  HDC GetCurrentDC() const { return LendDC(); }
  HDC GetAttributeDC() const { return m_hAttribDC; }
  // Reference DC (printer or metafile) that supplies resolution and font selection; NULL for
  // none. The caller keeps it alive while it is set.
  void SetAttributeDC(HDC dc) { m_hAttribDC = dc; }
  // DC whose colour count decides grey output while printing or previewing.
  void SetColorReferenceDC(HDC dc) { m_hColorRefDC = dc; }
  void SetModeFlags(unsigned long set, unsigned long clear) { m_flags = (m_flags | set) & ~clear; }
  void SetCullingRect(RECT const& r) { m_cullRect = r; }

  // Conversions to client space.
  void QvClientToImagePoint(POINT& p) override;
  void QvImageToClientPoint(POINT& p) override;
  void QvImageToScreenPoint(POINT& p) override;
  void ClientToImageRect(RECT in, RECT& out);
  // Whether the rectangle is visible; the bottom follows from the rounded height.
  BOOL ImageToClientRect(RECT in, RECT& out);
  HRGN ImageRectToClientRgn(RECT r);

  void SetZoomFactor(long num, long den) override;

  // Drawing.
  void QvBeginUse() override;
  void QvEndUse() override {}
  void QvMoveTo(POINT p) override;
  void QvDrawLine(POINT a, POINT b) override;
  void QvDrawRect(RECT const& r, int frame, int fill) override;
  void QvDraw3DRect(RECT const& r, int style) override;
  void QvDrawSelectionRect(RECT const& r) override;
  void QvEraseRect(RECT const& r) override;
  void QvInvertRectForSelection(RECT const& r) override;
  void QvDrawOval(RECT const& r, int frame, int fill) override;
  void QvDrawSector(RECT const& r, short start, short sweep, int frame, int fill) override;
  void QvDrawArc(RECT const& r, short start, short sweep) override;
  void QvDrawPoly(CArray<POINT, POINT> const& pts, int closed, int frame, int fill) override;
  void QvBlockMove(RECT const& r, long dx, long dy) override;
  void QvSetDrawMode(QvDrawMode mode) override;
  QvDrawMode QvGetDrawMode() override;
  void QvSetClipRect(RECT const& r) override;
  void QvResetClipRect() override;
  CRgn* QvGetClipRegion() override;
  void QvSetClipRegion(CRgn* rgn) override;
  void QvFreeRegion(CRgn* rgn) override;
  void QvUnionRectToClip(RECT& r) override;
  void QvIntersectionRectToClip(RECT& r) override;
  void QvExcludeRectToClip(RECT& r) override;
  void QvInvalRect(RECT const& r, int erase) override;
  void QvInvalAll(int erase) override;
  void QvUpdateNow() override;

  // The view as a window: image size, scroll positions (image units), scroll bars, scrolling
  // by bar, key and wheel.
  void GetViewRect(RECT* rect) override;
  // Nothing happens when the size is unchanged and flag equals the stored 0x2000 style bit.
  void SetImageSize(CSize size, int flag) override;
  CSize GetImageSize() override { return m_imageSize; }
  void SetHScroll(unsigned long pos) override;
  void SetVScroll(unsigned long pos) override;
  unsigned long GetHScroll() override { return m_docScroll.x - m_origin.x; }
  unsigned long GetVScroll() override { return m_docScroll.y - m_origin.y; }
  void SetHScrollIncrement(unsigned long inc) override { m_hScrollIncrement = inc; }
  void SetVScrollIncrement(unsigned long inc) override { m_vScrollIncrement = inc; }
  unsigned long GetHScrollIncrement() override { return m_hScrollIncrement; }
  unsigned long GetVScrollIncrement() override { return m_vScrollIncrement; }
  // Moves the document position by `by` (image units) within the scroll range; with doScroll
  // also the bars, the client scroll and the window contents. TRUE when anything moved.
  int ScrollBy(CSize by, int doScroll) override;
  // Scroll codes: horizontal in the low byte, vertical in the high byte (0xFF: none).
  BOOL OnScroll(UINT code, UINT pos, BOOL doScroll = TRUE) override;
  BOOL OnScrollBy(CSize size, BOOL doScroll = TRUE) override;
  void UpdateScrollers(BOOL force);
  // Prior, Next, Home, End, and with Ctrl the arrows; FALSE for any other key.
  BOOL KeyboardScroll(UINT key);
  POINT GetDocumentScroll() const { return m_docScroll; }
  SIZE GetScrollRange() const { return m_scrollRange; }
  POINT GetClientScroll() const { return m_scroll; }

  // Text.
  int CallCalcTextLines(wchar_t const* text, QvSize size, bool wrap, TextLineInfoArray& lines) override;
  // Lays text[0, len) out in size (image units) on dc, measuring with its current font.
  int CalcTextLines(HDC dc, wchar_t const* text, int len, SIZE size, int wrap, TextLineInfoArray& lines);
  void QvDrawText(wchar_t const* text, int len) override;
  void QvDrawTextInRect(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va, QvHorizontalAlign ha,
                        int wrap, short s) override;
  void QvDrawTextLinesInRect(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va,
                             QvHorizontalAlign ha, int wrap, short s, long first, long last) override;
  void QvDrawVertTextInRect(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va, QvHorizontalAlign ha,
                            QvVertDrawStyle style) override;
  unsigned long QvTextWidth(wchar_t const* text, int len, bool withDrawingDC) override;
  unsigned long QvTextHeight(wchar_t const* text, int len, unsigned long width, unsigned short s) override;
  unsigned long QvTextHeightEx(wchar_t const* text, int len, unsigned long width, unsigned short s,
                               long* lineCount) override;
  void QvGetVertTextRect(RECT& out, wchar_t const* text, int len, QvVertDrawStyle style) override;
  UIFontInfo QvGetFontInfo() override;
  // The link of the text laid out in r whose drawn rectangle holds p (image coordinates); it is
  // copied to link. False when none.
  bool QvGetLinkAtPoint(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va, QvHorizontalAlign ha,
                        int wrap, POINT& p, QvLinkDef& link);
  // False when b is true; otherwise opens the link and answers true.
  bool OnClickOnLink(QvLinkDef const& link, POINT p, bool b);
  // Clears links and adds the links found in the (UTF-8) text; true when there are any.
  bool LocateLinksInString(char const* text, int len, CArrayLinkDefs& links);
  void EnableHyperlinksScan(int on) { m_hyperlinkScan = on; }
  void SetOptimForActiveXMetafile(int on) { m_optimActiveXMetafile = on; }
  // The process-wide array that receives the links of the last text drawn while the scan is
  // enabled.
  static CArrayLinkDefs* GetGlobalArrayLink();

  // Images and OLE items (in image coordinates), snapshots of the document into bitmaps and
  // portable images, and its rendering into a metafile DC.
  // The list's image at the point, scaled with the zoom.
  void QvDrawImageList(POINT p, CImageList* list, unsigned short index) override;
  // The bitmap in the rectangle by the display mode (QvImageDisplayMode of the portable
  // images; any other mode draws at natural size from the top-left corner).
  void QvDrawImage(RECT const& r, CBitmap* bmp, QvImageDisplay mode) override;
  // The packed DIB (a global memory handle; every read bounded by its size) stretched to the
  // rectangle; the name is not used.
  void DrawDIB(void* dib, CRect const& r, char const* name) override;
  // The item in the rectangle with its own aspect; nothing while it is active in place.
  void QvDrawOLEItem(CQvOleClientItem* item, RECT const& r) override;
  // OnDraw (on the bitmap's DC) renders `image` into a new bitmap of `target`'s size: a DIB
  // section of bitsPerPixel bits when that is given and differs from the reference device
  // (the screen when screenCompatible, else a memory DC), else a screen-compatible colour
  // bitmap. The view's state and window DC are as before afterwards. NULL on failure.
  CBitmap* QvTakeSnapshot(RECT const& image, RECT const& target, int screenCompatible,
                          unsigned short bitsPerPixel) override;
  // The same drawn by OnDraw(NULL) (or OnDrawRCT(NULL)) into a new QvImage; a scale within
  // 1 % of 1 draws fonts at exactly 100 %.
  QvImage* QvTakeSnapshotToQvImage(RECT const& image, RECT const& target, int screenCompatible,
                                   unsigned short bitsPerPixel) override;
  QvImage* QvTakeSnapshotToQvImageRCT(RECT const& image, RECT const& target, int screenCompatible,
                                      unsigned short bitsPerPixel) override;
  // OnDraw renders the frame (image coordinates) into the metafile DC, whose target extent is
  // target.right x target.bottom (see SetOptimForActiveXMetafile for the frame taken in
  // hundredths of a millimetre).
  void QvDrawInMetafileDC(RECT const& frame, RECT const& target, CDC* dc) override;

  // The view's model (zoom, origin, scroll, factors, resolution, attributes, font, drawing
  // and culling rectangles, attribute DC), saved and restored member by member.
  struct SavedState {
    unsigned long flags;
    POINT origin;
    long zoomNum, zoomDen;
    float printZoom, twipsPerPixelX, twipsPerPixelY, zoomRatio;
    COLORREF penFore, penBack, fillFore, fillBack, background;
    QvDashLine dash;
    unsigned lineWidth;
    QvString fillCharacter;
    UIFont font;
    int fillPattern;
    POINT scroll;
    BOOL displayHyperlinks;
    unsigned short scrollDivisorX, scrollDivisorY;
    RECT drawRect;
    int resolutionX, resolutionY;
    float factorX, factorY;
    RECT cullRect;
    HDC attribDC;
  };
  void RawSave(SavedState& state, bool save);

  // Attribute setters that keep the DC and the GDI objects in step.
  void QvSetPenForeColor(COLORREF c) override;
  void QvSetPenBackColor(COLORREF c) override;
  void QvSetFillForeColor(COLORREF c) override;
  void QvSetFillBackColor(COLORREF c) override;
  void QvSetBackgroundColor(COLORREF c) override;
  COLORREF QvGetBackgroundColor() override;
  void QvSetDashLine(QvDashLine dash) override;
  void QvSetLineWidth(unsigned short width) override;
  void QvSetFont(UIFont const& font) override;

  // Printing: the print job of Print (dialogs, status dialog, pages, copies, collation) and
  // the framework's printing hooks; the page is rendered at the printer's resolution.
  void CreatePrintDialog(CPrintInfo* info) override;
  int DoPreparePrinting(CPrintInfo* info) override;
  UIPrintResult Print(long from, long to) override;
  int PrintAPage(CDC& dc, CPrintInfo& info, CString& pageFormat, int& aborted) override;

 protected:
  BOOL OnPreparePrinting(CPrintInfo* info) override;
  void OnPrint(CDC* dc, CPrintInfo* info) override;

  void DropPreparedFonts();

  // Text: fonts, layout and drawing.
  HFONT CreateFontWithlfEscapement(int escapement, bool forMeasuring);
  void EnsureMeasureDC();
  void PrepareFont(int angle);
  HDC OutputDC() const { return m_hAttribDC != NULL ? m_hAttribDC : m_hDC; }
  void DrawTextInRectHelper(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va, QvHorizontalAlign ha,
                            int wrap, short s, bool draw, CArrayLinkDefs* links, long first, long last);
  // The layout of the print-old-font switch: measured and drawn on the drawing side.
  void QvDrawTextInRect41(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va, QvHorizontalAlign ha,
                          int wrap, short s);
  void PadStringWith(wchar_t const* text, int len, QvString const& fill, RECT const& clientRect, int x, int y);
  // Document position in image units to client pixels on one axis.
  int DocToClient(long v, bool horizontal) const;
  CArrayLinkDefs* CurrentLinkArray();

  // Rendering into other targets: how the document is drawn, the snapshot they share, and the
  // return to the window afterwards.
  enum RenderCall { kRenderOnDrawDC, kRenderOnDrawNull, kRenderOnDrawRCTNull };
  CBitmap* RenderSnapshot(RECT const& image, RECT const& target, int screenCompatible, unsigned short bitsPerPixel,
                          RenderCall call, bool exactScale);
  // Image units per device pixel of the last DC: its twips per pixel in twips units, else 1.
  double ImageUnitsPerPixel() const;
  void EndRendering(SavedState& state, bool hadWindowDC);

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnMButtonDown(UINT flags, CPoint point);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnDefaultHandling(WPARAM wParam, LPARAM lParam);
  // ID_FILE_PRINT_PREVIEW: the view's pages in the library's print preview.
  afx_msg void OnFilePrintPreview();

  afx_msg BOOL OnQueryNewPalette();
  afx_msg void OnPaletteChanged(CWnd* pFocusWnd);

  uih::OwnedDC m_hMeasureDC;
  uih::BorrowedFont m_hSavedFont;
  uih::OwnedFont m_hTextFont;
  uih::BorrowedFont m_hMeasureSavedFont;
  uih::OwnedFont m_hMeasureFont;
  uih::OwnedFont m_hVertFont90;
  uih::OwnedFont m_hVertFont270;
  CSize m_imageSize;
  unsigned long m_hScrollIncrement;
  unsigned long m_vScrollIncrement;
  POINT m_docScroll;
  SIZE m_scrollRange;
  BYTE m_ownsDC;
  unsigned short m_firstPage;
  unsigned short m_lastPage;
  uih::BorrowedDC m_hScreenDC;
  DWORD m_collation;
  BOOL m_hyperlinkScan;
  BOOL m_optimActiveXMetafile;

  DECLARE_MESSAGE_MAP()
};
