// The per-thread list of handle maps whose temporary objects are cleaned together.
#include "handle_map.h"
#include "fw_gdi.h"

#include <algorithm>

namespace {

struct ThreadMaps {
  std::vector<fw::TempMapOwner*> maps;
};

ThreadMaps& Maps() {
  thread_local ThreadMaps* maps = nullptr;
  return fw::ThreadObject(maps);
}

}  // namespace

void fw::RegisterThreadTempMap(TempMapOwner* map) { Maps().maps.push_back(map); }

void fw::UnregisterThreadTempMap(TempMapOwner* map) {
  auto& v = Maps().maps;
  v.erase(std::remove(v.begin(), v.end(), map), v.end());
}

void fw::DeleteThreadTempMaps() {
  // Copy: cleaning one map may create another map's first entry on this thread.
  std::vector<TempMapOwner*> maps = Maps().maps;
  for (TempMapOwner* m : maps) m->DeleteTemp();
}

void AFXAPI FwDeleteTempMaps() { fw::DeleteThreadTempMaps(); }
