// An OLE item embedded in a document: its object, the storage it lives in, its state and the
// aspect it is drawn with. Only static items (a picture made from data) are created here;
// any item draws itself through the object's view (OleDraw).
#pragma once
#include "fw_dc.h"
#include "fw_object.h"

#include <ole2.h>

class FW_API COleClientItem : public CObject {
 public:
  enum ItemState { emptyState = 0, loadedState = 1, openState = 2, activeState = 3, activeUIState = 4 };

  COleClientItem();
  ~COleClientItem() override;

  // A static item of the data's picture in the format (CF_ENHMETAFILE, CF_METAFILEPICT or
  // CF_DIB), in a temporary storage of its own. FALSE (item unchanged) on failure.
  BOOL CreateStaticFromData(LPDATAOBJECT data, CLIPFORMAT format);
  // Closes and releases the object and its storage; the item is empty again.
  void Release();

  UINT GetItemState() const { return m_nItemState; }
  DVASPECT GetDrawAspect() const { return m_nDrawAspect; }
  void SetDrawAspect(DVASPECT aspect) { m_nDrawAspect = aspect; }
  // Draws the object in the bounds; aspect -1 is the item's own. FALSE when there is no
  // object or it cannot draw.
  BOOL Draw(CDC* dc, LPCRECT bounds, DVASPECT aspect = static_cast<DVASPECT>(-1));

  LPOLEOBJECT m_lpObject;

 protected:
  UINT m_nItemState;
  DVASPECT m_nDrawAspect;
  LPSTORAGE m_lpStorage;

 private:
  COleClientItem(const COleClientItem&) = delete;
  COleClientItem& operator=(const COleClientItem&) = delete;
};
