// Small helpers the pickers share: ids in VARIANTs, the host's image indexes and texts.
#pragma once
#include <TessvikHost.h>
#include <framework.h>

#include "SehTranslator.h"

#include <vector>

namespace tessvik {

inline VARIANT Number(DWORD n) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_UI4;
  V_UI4(&v) = n;
  return v;
}

// A text id (VT_BSTR).
inline VARIANT TextVariant(const CString& text) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(CStringW(text));
  return v;
}

inline int ImageIndex(IImageService* images, DWORD icon) {
  int index = 0;
  if (images != NULL) images->GetImageIndex(icon, &index, 1);
  return index;
}

inline CString LoadText(UINT id) {
  CString s;
  s.LoadString(id);
  return s;
}

// A text field of a host record, up to its NUL or the field's end.
inline CString FieldText(const char* field, size_t size) {
  size_t n = 0;
  while (n < size && field[n] != 0) ++n;
  return CString(field, static_cast<int>(n));
}

// A picker dialog's message handling: a fault translated inside it ends the dialog with -1,
// so that the call that runs the picker answers its failure, instead of going on to the
// framework's report of an unexpected error with the dialog still open.
template <class Handling>
LRESULT EndingOnFault(CDialog* dialog, Handling handling) {
  try {
    return handling();
  } catch (const CSEHException&) {
    dialog->EndDialog(-1);
    return 0;
  }
}

struct VariantArray {
  std::vector<VARIANT> items;
  explicit VariantArray(size_t n) : items(n) {
    for (VARIANT& v : items) VariantInit(&v);
  }
  ~VariantArray() {
    for (VARIANT& v : items) VariantClear(&v);
  }
  VariantArray(const VariantArray&) = delete;
  VariantArray& operator=(const VariantArray&) = delete;
};

}  // namespace tessvik
