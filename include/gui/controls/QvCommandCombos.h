// The command adaptors of the combo boxes on toolbars. A command whose definition names one
// of these classes (registered by name) is made of that class by the command centre; the host
// sets the portable combo box that the class drives (one per class) when it builds the
// toolbar control, and reaches the combo box through the command. While no combo box is set,
// every operation does nothing and answers false, 0, -1 or null (GetLineStyle answers 2).
//
// The line combo box translates the portable border line types into the positions of the
// line-width list ("1/20 pt", "1 pt", "2 pt", "3 pt", "1 pt", "1 pt", "1 pt", "2x1 pt",
// "2x1 pt"):
//   type   2  3  4  5  6  7  8  9  10
//   style  0  4  5  6  1  2  3  8  7
#pragma once
#include <QvCommandCenter.h>
#include <vekkel.h>

#include "QvControls.h"
#include "quarnel_api.h"

class CGUILineComboBox;

// A border line type of the portable layer (2 to 10 have a line sample).
enum QvBorderLineType : int {};
// A position in the line combo box's list (-1: none selected).
enum CCQvLineStyle : int {};

class QUARNEL_API QvCommandForZoomComboBox : public QvCommand {
  QV_DECLARE_CREATABLE(QvCommandForZoomComboBox)
 public:
  QvCommandForZoomComboBox() = default;
  virtual bool SetZoomValues(const QvArrayUShort& values, bool allowOthers);
  virtual void SetZoomRange(unsigned short minimum, unsigned short maximum);
  virtual bool SetZoom(unsigned short zoom);
  virtual unsigned short GetZoom();

  static QvZoomComboBox* Get_ZoomComboBox();
  static void Set_ZoomComboBox(QvZoomComboBox* combo);
};

class QUARNEL_API QvCommandForFontsComboBox : public QvCommand {
  QV_DECLARE_CREATABLE(QvCommandForFontsComboBox)
 public:
  QvCommandForFontsComboBox() = default;
  virtual bool SetFont(const QvFont& font);
  virtual bool GetFont(QvFont& font);
  virtual bool GetFontName(QvString& name);
  virtual bool GetFontSize(unsigned short& size);
  virtual bool LinkASizesCombo(QvEditComboBox* sizes);

  static QvFontsComboBox* Get_FontsComboBox();
  static void Set_FontsComboBox(QvFontsComboBox* combo);
};

// The list operations of an edit combo box, for the adaptors of the sizes and drill-depth
// boxes (each has a combo box of its own).
class QUARNEL_API QvCommandForEditComboBox : public QvCommand {
 public:
  virtual bool Select(const QvString& text);
  virtual bool Select(long index);
  virtual bool GetSelected(QvString& text);
  virtual bool GetSelected(long& index);
  virtual void DeselectAll();
  virtual long GetCount();
  virtual long GetSelectedCount();
  virtual void Sort(bool sort);
  virtual bool IsSorted();
  virtual long AddItem(const QvString& text, long index);
  virtual long AddItem(const QvString& text);
  virtual void AddItem(const QvArrayQvString& texts);
  virtual bool DeleteItem(long index);
  virtual bool DeleteItem(const QvString& text);
  virtual void DeleteAllItems();
  virtual bool FindItem(const QvString& text, long& index);
  virtual bool FindItem(long index, QvString& text);
  virtual bool SetItemData(long index, void* data);
  virtual void* GetItemData(long index);
  virtual bool SetItemText(long index, const QvString& text);

 protected:
  QvCommandForEditComboBox() = default;
  // The combo box of the adaptor's class; null when none is set.
  virtual QvEditComboBox* Combo() const = 0;
};

class QUARNEL_API QvCommandForSizesComboBox : public QvCommandForEditComboBox {
  QV_DECLARE_CREATABLE(QvCommandForSizesComboBox)
 public:
  QvCommandForSizesComboBox() = default;
  static QvEditComboBox* Get_ComboBox();
  static void Set_ComboBox(QvEditComboBox* combo);

 protected:
  QvEditComboBox* Combo() const override { return Get_ComboBox(); }
};

class QUARNEL_API QvCommandForDrillDepthComboBox : public QvCommandForEditComboBox {
  QV_DECLARE_CREATABLE(QvCommandForDrillDepthComboBox)
 public:
  QvCommandForDrillDepthComboBox() = default;
  static QvEditComboBox* Get_ComboBox();
  static void Set_ComboBox(QvEditComboBox* combo);

 protected:
  QvEditComboBox* Combo() const override { return Get_ComboBox(); }
};

// The line combo box of the portable layer: border line types in, list positions to the
// platform.
class QUARNEL_API QvLineComboBox : public QvFirst {
  QV_DECLARE_CLASS(QvLineComboBox)
 public:
  // The type's position (a type outside the table is taken as the position itself).
  void SetLineStyle(QvBorderLineType type);
  // The type of the selected position; 2 for position 0, for none and for any position
  // outside the list.
  QvBorderLineType GetLineStyle();

  static CCQvLineStyle StyleOfType(QvBorderLineType type);
  static QvBorderLineType TypeOfStyle(CCQvLineStyle style);

 protected:
  QvLineComboBox() = default;
  virtual void PlateformSetLineStyle(CCQvLineStyle style) = 0;
  virtual CCQvLineStyle PlateformGetLineStyle() = 0;
};

// The line combo box on its platform window: the style is the position in the window's
// line-width list, which is filled on first use.
class QUARNEL_API QvWINLineComboBox : public QvLineComboBox {
  QV_DECLARE_CREATABLE(QvWINLineComboBox)
 public:
  QvWINLineComboBox() = default;
  void SetGUIComboBox(CGUILineComboBox* combo) { m_combo = combo; }
  CGUILineComboBox* GetGUIComboBox() const { return m_combo; }

 protected:
  void PlateformSetLineStyle(CCQvLineStyle style) override;
  // -1 without a window or a selection.
  CCQvLineStyle PlateformGetLineStyle() override;

 private:
  CGUILineComboBox* m_combo = nullptr;  // not owned
};

class QUARNEL_API QvCommandForLineComboBox : public QvCommand {
  QV_DECLARE_CREATABLE(QvCommandForLineComboBox)
 public:
  QvCommandForLineComboBox() = default;
  void SetLineStyle(QvBorderLineType type);
  QvBorderLineType GetLineStyle();

  static QvLineComboBox* Get_ComboBox();
  static void Set_ComboBox(QvLineComboBox* combo);
};

// The adaptor of a command that drives a text editor (as a formula bar): the host's editor
// class implements it; it is not made by name.
class QUARNEL_API QvCommandForEditor : public QvCommand {
 public:
  virtual void SetText(const QvString& text) = 0;
  virtual bool GetText(QvString& text) = 0;
  virtual void SetSelection(long start, long end) = 0;
  virtual bool GetSelection(long& start, long& end) = 0;
  virtual void ReplaceSelection(const QvString& text) = 0;
  virtual void Enable(bool enable) = 0;
  virtual void SetFocus() = 0;

 protected:
  QvCommandForEditor() = default;
};
