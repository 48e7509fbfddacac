// Pellix: id sets, the own user number, limited users and face images.
//
// User ids are texts "<user number>.0.<server>" carried in VARIANTs (VT_BSTR); group,
// department and mobile-group ids are numbers (VT_UI4). An id set travels as a VARIANT
// holding a one-dimensional SAFEARRAY of VARIANTs: pairs of entry type (VT_I4) and id.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <vector>

#ifdef PELLIX_BUILD
#define PELLIX_API __declspec(dllexport)
#else
#define PELLIX_API __declspec(dllimport)
#endif

// Entry types of an id set.
enum BoidType {
  BOID_USER = 1,        // a user, by VARIANT id
  BOID_USER_ALT = 2,    // a user known by another directory
  BOID_CONTACT = 3,     // an outside contact
  BOID_GROUP = 5,
  BOID_MOBILEGROUP = 6,
  BOID_DEPARTMENT = 7,
};

// A set of typed ids with a fixed capacity; entries keep their order, duplicates are refused.
class PELLIX_API CBoid {
 public:
  explicit CBoid(int capacity = 1024);
  ~CBoid();
  CBoid(const CBoid&) = delete;
  CBoid& operator=(const CBoid&) = delete;

  // Adds one entry: FALSE when the set is full, the type unknown, the id of the wrong kind
  // for the type, or the entry already there. Users beyond `limit` users are refused.
  BOOL Add(int type, const VARIANT& id, DWORD limit = 0x7FFFFFFF);
  BOOL Add(int type, DWORD id);
  // Replaces the content with the set in v. FALSE (and the set left empty) when v is not an
  // id set; entries that cannot be added are skipped.
  BOOL Input(const VARIANT& v, DWORD limit = 0x7FFFFFFF);
  // The whole set as a new VARIANT (the caller clears it).
  BOOL Output(VARIANT* v) const;
  void RemoveAll();

  int GetCount() const { return static_cast<int>(m_entries.size()); }
  int GetCapacity() const { return m_capacity; }
  int GetType(int i) const;
  // The id of entry i (VT_EMPTY when out of range); not a copy.
  const VARIANT& GetId(int i) const;
  DWORD GetNumber(int i) const;  // the number of a group-kind entry, 0 otherwise
  BOOL Contains(int type, const VARIANT& id) const;

 private:
  struct Entry {
    int type;
    VARIANT id;
  };
  int m_capacity;
  std::vector<Entry> m_entries;
};

// The user number in a user id text ("123.0.1" -> 123); 0 when the id is not one.
PELLIX_API DWORD PxUserNumberOf(const VARIANT& id);

// The own user number (0 until set). SetSelfUin answers TRUE when it changed.
PELLIX_API BOOL SetSelfUin(DWORD uin);
PELLIX_API DWORD GetSelfUin();

// Users whose numbers are limited: not offered in pickers and filtered out of results.
PELLIX_API void SetLimitUsers(const DWORD* uins, int count);
PELLIX_API BOOL IsLimitUser(DWORD uin);
// The set in `in` without its limited users, written to *out (an out parameter: its old
// content is not freed). `context` names the caller; GUID_NULL is refused. E_INVALIDARG
// for a missing out or a value that is not an id set.
PELLIX_API HRESULT FilterLimitUser(const VARIANT& in, VARIANT* out, const GUID& context);

// The face image of a presence value in the host's shared small-icon list.
PELLIX_API int GetFaceImage(DWORD presence);

// Opens a web address or a link text in the browser, shown with `show` (an SW_ value).
// While an observer is set (a client that shows no browser, such as a test), the text goes
// to it instead and its answer is returned. FALSE for a NULL or empty text.
typedef BOOL(CALLBACK* PxNavigateObserver)(LPCSTR text, int show);
PELLIX_API BOOL NavigateURL(LPCSTR text, int show);
PELLIX_API PxNavigateObserver PxSetNavigateObserver(PxNavigateObserver observer);

// The active-group option: groups younger than the age limit count as recent.
struct CAGOption {
  DWORD cbSize;
  DWORD dwAgeLimitHours;
};
// The current option (72 hours until set); FALSE for a missing or too small record.
PELLIX_API BOOL GetAGOption(CAGOption* option);
PELLIX_API void SetAGOption(DWORD ageLimitHours);

// The server's time for a local time (seconds since 1970): the local time plus the offset
// the client learnt from the server (0 until set).
PELLIX_API __int64 LocalTimeToServerTime(__int64 local);
PELLIX_API void SetServerTimeOffset(__int64 seconds);
