// The messaging client's side for the tests and the demo: a module manager that hands out a
// small directory, an image service, a context-menu service and the client's resources.
#pragma once
#include <Tessvik.h>
#include <drevik.h>

#include <string>
#include <vector>

struct FakeEntry {
  DWORD kind, id, parent;
  std::string name;
  std::vector<std::wstring> members;  // user ids
};

struct FakeUser {
  std::wstring id;  // "<uin>.0.1"
  DWORD uin;
  std::string family, given, mobile;
  DWORD presence;
};

// A group as the user directory's group query tells it.
struct FakeGroup {
  std::wstring id;
  DWORD state;  // 1 active
  DWORD hoursOld;
  GUID guid;
  std::string name;
  std::vector<DWORD> members;  // user numbers
  DWORD claimedCount = 0;      // the count the record tells, when not 0
};

// An outside (mobile) contact of the user directory.
struct FakeContact {
  std::wstring id;  // "<number>.0.3"
  std::string name, phone;
};

class FakeHost {
 public:
  FakeHost();
  ~FakeHost();
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;

  // The directory: departments Sales (1) > Sales East (2), Research (3); group Chess (10);
  // mobile group Field team (20); users 101-104 (104 is the user themself); groups g1 (active,
  // 2 hours old), g2 (active, 500 hours old), g3 (expired); contact 0170 (Lovelace).
  void Reset();
  IUnknown* Manager();

  std::vector<FakeEntry> entries;
  std::vector<FakeUser> users;
  std::vector<FakeGroup> groups;  // the organisation root's members
  std::vector<FakeContact> contacts;
  std::vector<std::string> menuCalls;  // what the context-menu service was asked
  std::vector<std::string> calls;      // what the mobile-group side changed or refreshed
  LONG pluginRefs = 0;                 // references the plug-in data objects hold now
  HINSTANCE resources;
  HIMAGELIST icons;
  bool serviceAnswers = true;  // false: the manager has no objects at all
  bool directoryFaults = false;  // the organisation directory's calls write through a bad pointer
  // What the organisation directory does with a list longer than the caller's room:
  // ERROR_MORE_DATA; fill the room and answer S_OK (Cut); or fill the room and tell the
  // whole length in the count (CountAll).
  enum class Overflow { MoreData, Cut, CountAll } overflow = Overflow::MoreData;

  struct Parts;
  Parts* parts;
};

// Id sets in VARIANTs for the tests.
VARIANT UserId(const wchar_t* id);
std::vector<std::wstring> UsersOf(const VARIANT& set);  // user ids, in order
std::vector<DWORD> NumbersOf(const VARIANT& set, int type);
