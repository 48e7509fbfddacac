// Run-time classes of the named collections and the hash of text keys.
#include "fw_coll.h"

IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_SERIAL(CStringList, CObject, 0)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_SERIAL(CMapWordToOb, CObject, 0)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)

namespace fwcoll {

// FNV-1a over the characters.
template <typename C>
static UINT Fnv(const C* s) {
  UINT h = 2166136261u;
  for (; *s; ++s) {
    h ^= static_cast<UINT>(static_cast<typename std::make_unsigned<C>::type>(*s));
    h *= 16777619u;
  }
  return h;
}

UINT HashString(const char* s) { return Fnv(s); }
UINT HashString(const wchar_t* s) { return Fnv(s); }

}  // namespace fwcoll
