// A drop source that stands in for a hand on the mouse: each time the drag loop asks, it
// moves the cursor to the next point of its path (the system's drag loop follows the
// cursor), then drops. Base is the OLE drop source class to derive from.
#pragma once
#include <windows.h>

#include <vector>

template <class Base>
class ScriptedDrop : public Base {
 public:
  std::vector<POINT> path;
  size_t step = 0;
  SCODE QueryContinueDrag(BOOL, DWORD) override {
    if (step < path.size()) {
      ::SetCursorPos(path[step].x, path[step].y);
      ++step;
      return S_OK;
    }
    return DRAGDROP_S_DROP;
  }
};

// A drag source site of either side (Source) whose OLE drop source is scripted: its drags
// follow `script`'s path.
template <class Source, class OleSource>
class ScriptedDragSite : public Source {
 public:
  template <class Site>
  explicit ScriptedDragSite(Site* site) : Source(site) {
    this->m_pDropSource->InternalRelease();
    script = new ScriptedDrop<OleSource>;
    this->m_pDropSource = script;
  }
  ScriptedDrop<OleSource>* script;
};
