// Drag data as another side or another process might offer it, for the tests of both sides'
// drag and drop: blocks put on the clipboard as given, format lists and drag information
// records that claim what they do not hold, and copies of a live selection's records in a
// plain data source.
#pragma once
#include <fw_oledata.h>
#include <gtest/gtest.h>

#include <UIDragData.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "child_process.h"

namespace testing_support {

// A movable block holding the bytes as given.
inline HGLOBAL GlobalCopy(const void* data, size_t size) {
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, size);
  memcpy(::GlobalLock(h), data, size);
  ::GlobalUnlock(h);
  return h;
}

// Puts the bytes as given on the open clipboard.
inline void SetClipboardBytes(CLIPFORMAT format, const void* data, size_t size) {
  ::SetClipboardData(format, GlobalCopy(data, size));
}

// A four-character tag as text.
inline std::string TagText(DWORD tag) {
  return std::string{char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag)};
}

// The tags of a selection's item 1, in order.
template <class Sel>
std::vector<std::string> Tags(Sel& sel) {
  std::vector<std::string> tags;
  for (int i = 0; i < sel.CountFormats(1); ++i) tags.push_back(TagText(sel.GetDragFormat(WORD(i), 1)));
  return tags;
}

// Fetches a format into `read`, `capacity` units all set to `mark` before: at least `least`
// and at most `most` units come, and the unit after them keeps its mark.
template <class Sel, class Unit>
void ExpectBoundedFetch(Sel& sel, DWORD tag, size_t capacity, long least, long most, Unit mark,
                        std::vector<Unit>* read) {
  read->assign(capacity, mark);
  long got = sel.FetchData(tag, read->data(), 1);
  ASSERT_GE(got, least);
  EXPECT_LE(got, most);
  EXPECT_EQ(mark, (*read)[got]);
}

// Fills a plain data source with a copy of a live selection's format list, drag information
// and text: data that names a live selection without being its data.
inline void CopyRecordsOf(COleDataSource* live, COleDataSource& forged) {
  COleDataObject own;
  own.Attach(static_cast<LPDATAOBJECT>(live->GetInterface(&IID_IDataObject)), FALSE);
  forged.CacheGlobalData(kFormatRecords, own.GetGlobalData(kFormatRecords));
  forged.CacheGlobalData(kFormatDragInfo, own.GetGlobalData(kFormatDragInfo));
  forged.CacheGlobalData(CF_TEXT, own.GetGlobalData(CF_TEXT));
}

// A child process of this program that forges the clipboard: its DISABLED_HostileClipboardChild
// tests run with the address of a live selection of this process to name.
class HostileClipboardChild {
 public:
  explicit HostileClipboardChild(const void* selection) {
    char address[32];
    snprintf(address, sizeof address, "%lx", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(selection)));
    ::SetEnvironmentVariableA(kSelection, address);
  }
  ~HostileClipboardChild() {
    ::SetEnvironmentVariableA(kSelection, NULL);
    ::SetEnvironmentVariableA(kShortInfo, NULL);
  }
  HostileClipboardChild(const HostileClipboardChild&) = delete;
  HostileClipboardChild& operator=(const HostileClipboardChild&) = delete;

  // Runs the child, its drag information cut short or whole; its exit code.
  int Run(bool shortInfo) {
    ::SetEnvironmentVariableA(kShortInfo, shortInfo ? "1" : NULL);
    return RunThisProgram(L"--gtest_also_run_disabled_tests --gtest_filter=DISABLED_HostileClipboardChild.*");
  }

  // In the child: puts the format records as given on the open clipboard, and a drag
  // information record that names the parent's selection, has position (3, 4), action 99 and
  // claims a thousand formats (only 10 of its bytes when cut short); false without a parent.
  static bool SetRecords(const DWORD* records, size_t bytes) {
    const char* address = getenv(kSelection);
    if (address == NULL) return false;
    SetClipboardBytes(kFormatRecords, records, bytes);
    UIDragInfoRecord info = {static_cast<DWORD>(strtoul(address, NULL, 16)), 0x1234, 3, 4, 99, 1000};
    SetClipboardBytes(kFormatDragInfo, &info, getenv(kShortInfo) != NULL ? 10 : sizeof info);
    return true;
  }

 private:
  static constexpr const char* kSelection = "FORGED_DRAG_SELECTION";
  static constexpr const char* kShortInfo = "FORGED_DRAG_SHORT_INFO";
};

}  // namespace testing_support
