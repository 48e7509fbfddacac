#include "LanguageFont.h"

#include <brevin.h>
#include <vekkel.h>

namespace quarnel {

bool FarEastLogFont(LOGFONTW& lf, HDC dc, bool withKorean) {
  static const struct {
    const char* language;
    BYTE charset;
  } kLanguages[] = {{"ja", SHIFTJIS_CHARSET}, {"zh_CN", GB2312_CHARSET}, {"zh_TW", CHINESEBIG5_CHARSET}, {"ko", HANGUL_CHARSET}};
  for (const auto& l : kLanguages) {
    if (!gOrgInfo.QvLanguageIs(l.language)) continue;
    if (l.charset == HANGUL_CHARSET && !withKorean) return false;
    lf.lfHeight = -MulDiv(9, dc != NULL ? ::GetDeviceCaps(dc, LOGPIXELSY) : 96, 72);
    lf.lfWidth = 0;
    lf.lfEscapement = lf.lfOrientation = 0;
    lf.lfCharSet = l.charset;
    QvString face;
    if (QvFindLabel(kFarEastFaceLabel, face) && !face.IsEmpty())
      lstrcpynW(lf.lfFaceName, face.ToWide().c_str(), LF_FACESIZE);
    return true;
  }
  return false;
}

}  // namespace quarnel
