// UI utilities shared by the library and the host: message boxes that can answer by
// themselves, version numbers, the default GUI font, run-time classes by name, pattern
// brushes and rounding.
#pragma once
#include "quarnel_api.h"

#include <fw_gdi.h>
#include <fw_object.h>
#include <fw_string.h>

#include <QvString.h>

// Blind mode (for unattended runs): message boxes show nothing and give a fixed answer.
// Returns the previous setting.
QUARNEL_API int UISetBlindMode(int on);
// The framework's message box with the text (or the label's text), and its answer. In blind
// mode nothing is shown and the answer follows the buttons: IDOK for MB_OK and MB_OKCANCEL,
// IDIGNORE for MB_ABORTRETRYIGNORE, IDYES for MB_YESNOCANCEL and MB_YESNO, IDCANCEL for
// MB_RETRYCANCEL, IDOK for anything else.
QUARNEL_API int UIMessageBox(const wchar_t* text, UINT type, UINT helpId);
QUARNEL_API int UIMessageBox(UINT labelId, UINT type, UINT helpId);

enum UIWindowsVersion {
  UIWINVER_UNKNOWN = 0,
  UIWINVER_WIN32S = 1,
  UIWINVER_NT3 = 2,     // Windows NT before version 4
  UIWINVER_WIN9X = 4,   // Windows 95, 98, Me
  UIWINVER_NT4UP = 5    // Windows NT 4 or later
};
// The platform; cached once known (an unknown answer is asked again next time).
QUARNEL_API UIWindowsVersion UIGetWindowsVersion();
// major << 16 | minor of the common-controls library when it is loaded and tells its
// version, else 0x40000 (4.0). Cached.
QUARNEL_API DWORD UIGetComCtlVersion();
// The high half of the file version of the framework library "MFC42.DLL" when it is
// loaded, else 0x40000. Cached.
QUARNEL_API DWORD UIGetMFCVersion();

// The default GUI face name: the configuration value "Font" under
// "%QVGENERALCFG%\Font Settings", "Tahoma" when it is not set. Read once.
QUARNEL_API CString GUIDefaultFontFaceName();
QUARNEL_API QvString GUIDefaultFontFaceName_();
// The shared default GUI font, made on first use and kept until unload (callers never free
// it): that face, the height of the configuration value "Size" (-11 when not set), normal
// weight, DEFAULT_CHARSET, draft quality, variable-pitch Swiss family.
QUARNEL_API CFont* UIGetDefaultGUIFont2();
// Its handle, NULL when it could not be made.
QUARNEL_API HFONT UIGetDefaultGUIFont();
// Fills lf with the attributes and face name of the default GUI font.
QUARNEL_API void GetDefaultLogFont(LOGFONTW& lf);

// The run-time class of that name (case-sensitive) in the current module or any module of
// the framework's chain; NULL when none has it.
QUARNEL_API CRuntimeClass* GetRuntimeObject(const char* className);

// The status text of a print preview: the line of the page description (its first line,
// with one %u, for one page; its second, with two, for pages `page` to the last shown) then
// " / " and the document's last page, as "Page 2 / 3" or "Pages 2-3 / 3".
QUARNEL_API CString UIPreviewPageText(const CString& pageDesc, UINT page, UINT pagesShown, UINT lastPage);

// The ends of a horizontal or vertical line drawn with a pen `width` pixels wide, pulled in by
// half the width: a wide pen's round ends reach that far beyond the end points.
QUARNEL_API void PullInLineEnds(POINT& a, POINT& b, int width);

// Rounds half away from zero; values beyond the int range give its nearest end, NaN 0.
QUARNEL_API int RoundToNearestInt(double x);

// Pattern brushes cut from a strip bitmap of 8 x 8 monochrome patterns stacked vertically.
class QUARNEL_API CBrushArray {
 public:
  CBrushArray();
  virtual ~CBrushArray();

  // Loads the strip through the framework's resource search, or from the module.
  void Init(UINT bitmapId);
  void Init(HINSTANCE module, int bitmapId);
  // Pattern brush i, made on first use; NULL for an index out of range or when the brush
  // cannot be made.
  HBRUSH operator[](int i);
  int GetNumBrushes();

  static int m_Count;  // constructions so far

 protected:
  int m_nSerial;
  HBRUSH* m_pBrushes;
  CBitmap m_bitmap;
  BITMAP m_bm;
  int m_nBrushes;

 private:
  CBrushArray(const CBrushArray&) = delete;
  CBrushArray& operator=(const CBrushArray&) = delete;
  void TakeStrip();
  void Release();
};

struct BrushArrayRec {
  int nBrushes;
  CBrushArray brushes;
};

// A new record whose brushes come from the module's strip bitmap; DeletePatterns frees it
// (NULL is ignored).
QUARNEL_API BrushArrayRec* LoadPatterns(HINSTANCE module, int bitmapId);
QUARNEL_API void DeletePatterns(BrushArrayRec* patterns);
