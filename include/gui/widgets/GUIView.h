// CGUIView: the window of a portable drawing view. It owns the device context it draws on, the
// GDI objects made from the drawing attributes and the scroll state, and converts between the
// view's image coordinates (twips or pixels, zoomed, scrolled) and its client pixels.
// CControlView is the same view living as a child of a dialog or another container.
#pragma once
#include <framework.h>
#include <fw_view.h>

#include <UIDrawingCore.h>
#include <UIHandles.h>

#include <vector>

#include "QvRootView.h"
#include "quarnel_api.h"

class QvView;

// Flags of the platform view.
enum : unsigned long {
  GUIVIEW_TWIPS = 0x0001,           // image unit is twips
  GUIVIEW_ZOOMED = 0x0002,          // zoom active
  GUIVIEW_RASTER_DISPLAY = 0x0004,  // the surface is a raster display
  GUIVIEW_PREVIEW = 0x0008,         // drawing a print preview
  GUIVIEW_PRINTING = 0x0010,        // printing
  GUIVIEW_OFFSCREEN = 0x0020,       // drawing to an off-screen or print surface
  GUIVIEW_PALETTE = 0x0100,         // the program's palette is selected
  GUIVIEW_PAINTING = 0x0200,        // painting: rectangles outside the paint box are skipped
  GUIVIEW_UNCLAMPED_PAINT = 0x0400, // the paint rectangle is not clamped to the image
  GUIVIEW_PEN_COLORS = 0x0800,      // the DC's text and background colours are the pen's
  GUIVIEW_SOLID_PEN = 0x1000,       // the current pen is solid
  GUIVIEW_PRINT_FLAGS = GUIVIEW_PREVIEW | GUIVIEW_PRINTING,
};

// The message that carries an image size set from another thread to the view's thread:
// wParam the stop-at-far-edge flag, lParam the address of the QvSize.
enum { WM_QV_SETIMAGESIZE = WM_USER + 0x1001 };

// The device state, coordinate model, attributes, shapes and clipping are the drawing core's,
// shared with the framework's drawing view.
class QUARNEL_API CGUIView : public CView, public CDrawingCore {
  DECLARE_DYNAMIC(CGUIView)
  friend class QvView;

 public:
  CGUIView();
  // Gives the DC its objects back, frees the view's brushes and deletes the portable view.
  ~CGUIView() override;

  // Registers a class (CS_OWNDC | CS_DBLCLKS, arrow, window brush), binds the window and the
  // portable view both ways, creates the window with an empty title, calls the view's create
  // callback and prepares the window's own DC. FALSE when the window cannot be made (the
  // callback is then not called).
  BOOL Create(QvView* view, DWORD style, const RECT& rect, CWnd* parent, UINT id, CCreateContext* context = NULL);
  // The class-name form is refused.
  BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
              CCreateContext* context = NULL) override;
  QvView* GetPortableView() const { return m_view; }
  // Hands the portable view back to the caller: the window forgets it and no longer deletes it.
  QvView* DetachView();
  void OnDraw(CDC*) override {}
  void OnInitialUpdate() override;
  // After the framework's handling, a view made active makes its portable view the active
  // command target (none when the window has no portable view); losing activation changes
  // nothing: the view that becomes active sets its own.
  void OnActivateView(BOOL activate, CView* activated, CView* deactivated) override;

  // Model.
  void SetUnitType(QvImageUnitType type);
  void SetZoomFactor(long num, long den);
  void SetImageSize(QvSize size, int stopAtFarEdge);
  void GetViewRect(QvRect& rect);
  void QvSetOrigin(const QvPoint& origin) { m_origin = POINT{origin.x, origin.y}; }
  QvPoint QvGetOrigin() const { return QvPoint(m_origin.x, m_origin.y); }
  void PrepareConversionFactors();
  unsigned long GetFlags() const { return m_flags; }

  // Scrolling (image units).
  void SetHScroll(unsigned long pos);
  void SetVScroll(unsigned long pos);
  unsigned long GetHScroll() const { return static_cast<unsigned long>(m_scrollPos.x - m_origin.x); }
  unsigned long GetVScroll() const { return static_cast<unsigned long>(m_scrollPos.y - m_origin.y); }
  void SetHScrollIncrement(unsigned long inc) { m_hIncrement = static_cast<long>(inc); }
  void SetVScrollIncrement(unsigned long inc) { m_vIncrement = static_cast<long>(inc); }
  unsigned long GetHScrollIncrement() const { return static_cast<unsigned long>(m_hIncrement); }
  unsigned long GetVScrollIncrement() const { return static_cast<unsigned long>(m_vIncrement); }
  // 1 when the clamped move of either axis is not 0; with doScroll FALSE nothing changes.
  virtual int ScrollBy(const QvSize& delta, int doScroll);
  // Scroll codes: horizontal in the low byte, vertical in the high byte (0xFF none).
  BOOL OnScroll(UINT code, UINT pos, BOOL doScroll = TRUE) override;
  // Scroll-bar units to image units.
  BOOL OnScrollBy(CSize units, BOOL doScroll = TRUE) override;
  void UpdateScrollers(BOOL force);
  // Page and Home/End keys, with Ctrl also the arrows; FALSE for any other key.
  BOOL KeyboardScroll(UINT key);
  QvPoint GetScrollPosition() const { return m_scrollPos; }
  QvPoint GetScrollMaximum() const { return m_scrollMax; }
  QvPoint GetClientOffset() const { return QvPoint(m_scroll.x, m_scroll.y); }
  short GetHScrollDivisor() const { return m_hDivisor; }
  short GetVScrollDivisor() const { return m_vDivisor; }

  // Conversions (rounded half away from zero): the drawing core's ClientToImageX/Y,
  // ImageToClientX/Y and their widths and heights, and these.
  void ClientToImageRect(const RECT& client, QvRect& image) const;
  // FALSE, while painting, as soon as the rectangle is known to miss the paint box. The bottom
  // follows from the rounded height.
  BOOL ImageToClientRect(const QvRect& image, RECT& client) const;
  HRGN ImageRectToClientRgn(const QvRect& image) const;
  void QvClientToImagePoint(QvPoint& p) const;
  void QvImageToClientPoint(QvPoint& p) const;
  void QvImageToScreenPoint(QvPoint& p) const;

  // The DC drawn on. Preparing a DC gives the previous one back first; the window's own DC
  // is prepared again after every other surface. While prepared, the DC's pen and brush are
  // the view's: it selects only what changes. A caller that draws on the DC by itself between
  // the view's shapes takes it through GetDrawingDC.
  BOOL PrepareNewDCForDrawing(HDC dc);
  void UnprepareCurrentDC();
  // The DC drawn on, lent: the view asks it for its pen and brush before every shape from
  // then on, until a DC is prepared again (the holder may select its own objects).
  HDC GetDrawingDC() const { return LendDC(); }

  // Drawing (image coordinates; see QvRootView).
  void QvBeginUse();
  void QvEndUse() {}
  void QvSetPenForeColor(const QvColor& c);
  QvColor QvGetPenForeColor() const;
  void QvSetPenBackColor(const QvColor& c);
  QvColor QvGetPenBackColor() const;
  void QvSetFillForeColor(const QvColor& c);
  QvColor QvGetFillForeColor() const;
  void QvSetFillBackColor(const QvColor& c);
  QvColor QvGetFillBackColor() const;
  void QvSetBackgroundColor(const QvColor& c);
  QvColor QvGetBackgroundColor() const;
  void QvSetLineWidth(unsigned short width);
  unsigned short QvGetLineWidth() const { return static_cast<unsigned short>(m_lineWidth); }
  void QvSetDashLine(QvDashLine dash);
  QvDashLine QvGetDashLine() const { return static_cast<QvDashLine>(m_dash); }
  void QvSetDrawMode(QvDrawMode mode);
  QvDrawMode QvGetDrawMode() const;
  void QvSetFillPattern(QvGUIPattern pattern);
  QvGUIPattern QvGetFillPattern() const { return static_cast<QvGUIPattern>(m_fillPattern + 1); }
  void QvSetFont(const QvFont& font);
  void QvGetFont(QvFont& font) const;
  void QvMoveTo(const QvPoint& p);
  void QvDrawLine(const QvPoint& a, const QvPoint& b);
  void QvDrawRect(const QvRect& r, bool frame, bool fill);
  void QvDrawSelectionRect(const QvRect& r);
  void QvDrawOval(const QvRect& r, bool frame, bool fill);
  void QvDrawSector(const QvRect& r, short start, short sweep, bool frame, bool fill);
  void QvDrawArc(const QvRect& r, short start, short sweep);
  void QvDrawPoly(const QvArrayQvPoint& points, bool closed, bool frame, bool fill);
  void QvDraw3DRect(const QvRect& r, bool raised);
  void QvEraseRect(const QvRect& r);
  void QvInvertRectForSelection(const QvRect& r);
  void QvInvalRect(const QvRect& r, bool erase);
  void QvInvalAll(bool erase);
  void QvUpdateNow();
  void QvBlockMove(const QvRect& r, long dx, long dy);
  void QvDrawImageList(const QvPoint& p, QvImageList* list, unsigned short index);
  void QvDrawImage(const QvRect& r, QvImage* image, QvImageDisplay mode);
  void QvDrawOLEItem(CQvOleClientItem* item, const QvRect& r);
  void QvSetClipRect(const QvRect& r);
  void QvUnionRectToClip(const QvRect& r);
  void QvIntersectionRectToClip(const QvRect& r);
  void QvExcludeRectToClip(const QvRect& r);
  void QvResetClipRect();
  QvClippingRegion* QvGetClipRegion();
  void QvSetClipRegion(QvClippingRegion* region);
  void QvFreeRegion(QvClippingRegion* region);
  QvDevType QvGetTypeView() const { return QvScreenDevice; }

  // Text.
  void QvDrawText(const QvString& text);
  void QvDrawTextInRect(const QvString& text, const QvRect& r, QvVerticalAlign va, QvHorizontalAlign ha, bool flag,
                        short value);
  void QvDrawVertTextInRect(const QvString& text, const QvRect& r, QvVerticalAlign va, QvHorizontalAlign ha,
                            QvVertDrawStyle style);
  void QvGetVertTextRect(QvRect& r, const QvString& text, QvVertDrawStyle style);
  unsigned long QvTextWidth(const QvString& text);
  // The height (image units) of the text laid out in a rectangle `width` image units wide.
  unsigned long QvTextHeight(const QvString& text, unsigned long width, unsigned short unused);
  QvFontInfo QvGetFontInfo();

  // Off-screen drawing.
  QvImage* QvTakeSnapshot(const QvRect& image, const QvRect& target, bool screen, unsigned short bitsPerPixel);
  // The portable view's Draw(image) into a metafile DC scaled to the target size.
  void QvDrawInMetafileDC(const QvRect& image, const QvRect& target, CDC* dc);

  static void SetPrintOldFont(bool value);
  static bool GetPrintOldFont();

  // Printing. Print runs a job of pages first to last (both 0: all, and without a user
  // interface or a range the print dialog chooses) on the application's printer: through the
  // framework's print job with its status dialog, or quietly when the program runs without a
  // user interface. TRUE only when every page went to the printer.
  BOOL Print(long first, long last);
  // The job's printer: without a page range (and neither preview nor direct) the print
  // dialog, otherwise the application's printer, the dialog only when there is none and the
  // program has a user interface. FALSE when the job has no printer DC.
  BOOL DoPreparePrinting(CPrintInfo* info);

  // Commands go to the portable command road first, then to the framework's routing.
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
  // The character a WM_CHAR hands the portable view: the code page's own byte for the typed
  // character; false for control characters (below 32) and for characters the code page does
  // not hold (never another character in their place).
  static bool TypedCharacter(bool unicodeWindow, WPARAM typed, char& c);

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  // A new print dialog with the pages of the job: the view's own page count or one page
  // for the whole image, within the range Print asked for. The global printer's page format
  // follows the printer chosen; character-stream printers are refused.
  BOOL OnPreparePrinting(CPrintInfo* info) override;
  // One page at the surface's resolution, from the paper's edge: PrintOnePage for views with
  // pages of their own, else the whole image. The view is as it was afterwards.
  void OnPrint(CDC* dc, CPrintInfo* info) override;
  // A page's DC is prepared again after StartPage from the Windows 95 platforms on (4 and
  // later), where starting a page resets it; before them once is enough.
  BOOL PrepareDCAfterStartPage() const override { return m_platformVersion >= 4 ? TRUE : FALSE; }
  // The first and last pages of a job (first above last for a backward range), within the
  // view's pages; false when the range asked for lies beyond them.
  bool JobPages(UINT& first, UINT& last) const;
  // "print to" on the command line: a direct job goes to the printer it names (its DC in the
  // dialog). False when that printer's DC cannot be made; true without such a command line.
  static bool PrinterOfCommandLine(CPrintDialog* pd);
  // The printer's device technology (TECHNOLOGY); character-stream printers are refused.
  virtual int PrinterTechnology(HDC printer) const { return ::GetDeviceCaps(printer, TECHNOLOGY); }

  // What drawing on another surface changes in the view, given back afterwards.
  struct SurfaceState {
    CoreState core;  // flags, scroll, zoom, factors, culling, print offset, reference DCs
    QvPoint scrollPos;
    long resolutionX;
    long resolutionY;
    bool ownDC;  // the window's own DC was the one drawn on
    QvColor penFore;
    QvColor penBack;
    QvColor fillFore;
    QvColor fillBack;
    unsigned short lineWidth;
    QvDashLine dash;
    QvDrawMode mode;
    QvGUIPattern pattern;
  };
  SurfaceState SaveSurfaceState() const;
  // With no DC prepared: the fields back, the window's own DC prepared again when it was the
  // one drawn on, then the drawing attributes.
  void RestoreSurfaceState(const SurfaceState& state);
  // The window's own DC becomes the one drawn on.
  void PrepareOwnDC();

  // One line of text laid out in a rectangle.
  struct TextLine {
    int start;
    int length;
    int width;
    int height;
    bool paragraphEnd;
  };
  HDC MeasureDC() const { return m_hAttribDC != NULL ? m_hAttribDC : m_hDC; }
  HFONT CreateFontWithlfEscapement(int escapement);
  void SelectFont(int escapement);
  void DropFonts();
  // Lays text out in `width` pixels measuring on dc; answers the total height.
  static int LayOutText(HDC dc, const wchar_t* text, int len, int width, bool justify, std::vector<TextLine>& lines);
  int ClientScroll(long imageUnits, bool horizontal) const;

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnSetImageSize(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCharMessage(WPARAM wParam, LPARAM lParam);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  // Left and right buttons, double click and moves (the message is the current one).
  afx_msg LRESULT OnMouseButton(WPARAM wParam, LPARAM lParam);
  afx_msg void OnMButtonDown(UINT flags, CPoint point);
  afx_msg LRESULT OnMouseWheelMessage(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  afx_msg void OnSysCommand(UINT id, LPARAM lParam);
  afx_msg BOOL OnQueryNewPalette();
  afx_msg void OnPaletteChanged(CWnd* changing);
  afx_msg void OnFilePrintPreview();

  QvView* m_view;
  QvPoint m_mouseDown;
  QvPoint m_mousePrevious;
  uih::OwnedFont m_font;
  uih::OwnedFont m_font90;
  uih::OwnedFont m_font270;
  long m_imageWidth;
  long m_imageHeight;
  long m_hIncrement;
  long m_vIncrement;
  QvPoint m_scrollPos;
  QvPoint m_scrollMax;
  short m_hDivisor;
  short m_vDivisor;
  // The platform the view runs on (GUIGetWindowsVersion when made). Printing follows it: on
  // Win32s (1) the printer's offset comes from its GETPRINTINGOFFSET escape, and before the
  // Windows 95 platforms (4) a page's DC is prepared once. A derived class may set another
  // platform to take that platform's paths.
  int m_platformVersion;
  unsigned short m_firstPage;
  unsigned short m_lastPage;
  bool m_ownDC;

  DECLARE_MESSAGE_MAP()
};

// The portable view as a child of a dialog or another container: activating it never makes it
// the frame's active view.
static_assert(DrawCoreFlagsMatch(GUIVIEW_TWIPS, GUIVIEW_ZOOMED, GUIVIEW_RASTER_DISPLAY, GUIVIEW_PREVIEW, GUIVIEW_PRINTING, GUIVIEW_PALETTE,
                                 GUIVIEW_PAINTING, GUIVIEW_PEN_COLORS, GUIVIEW_SOLID_PEN),
              "the view's flags are the drawing core's");

class QUARNEL_API CControlView : public CGUIView {
  DECLARE_DYNAMIC(CControlView)

 public:
  CControlView();
  ~CControlView() override;

 protected:
  afx_msg int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
  DECLARE_MESSAGE_MAP()
};
