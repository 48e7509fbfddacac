// The platform date/time field: a window of the class "QvDateTimeCtrl" drawn by the library,
// a sunken frame holding up to four small numeric edits (CGUIDateTimeEdit) with the
// separators drawn between them and an up-down arrow control at the right that steps the
// focused field.
//
// Items by position: 0 first field, 1 first separator, 2 second field, 3 second separator,
// 4 third field, 5 AM/PM field. The edits have the ids position + 1 (1, 3, 5, 6); the arrows
// have id 100. Which value a field shows follows the mode and the order:
//   date, month-day-year: month, day, year    date, day-month-year: day, month, year
//   date, year-month-day: year, month, day    time: hour, minute, second, AM/PM
// The values: date mode day, month, year (0..99 with two-digit years, where a year below 30
// is 20xx and any other 19xx; 1601..9999 with four-digit years); time mode hour (0..23, or
// 1..12 with the 12-hour clock and the AM/PM flag), minute, second.
//
// Every accepted change of a value is told to the parent with WM_NOTIFY code
// kDateTimeChanged (the portable layer turns it into notification 1800). Typed values out
// of a field's range never reach the values: the field shows its value again. A
// four-digit year field keeps a shorter text while it is typed and takes it when the focus
// leaves (one or two digits as a two-digit year).
#pragma once
#include <framework.h>
#include <vekkel.h>

#include <string>

#include "quarnel_api.h"

class CGUIDateTimeEdit;
class QvControl;

class QUARNEL_API CGUIDateTimeCtrl : public CWnd {
  DECLARE_DYNCREATE(CGUIDateTimeCtrl)
 public:
  enum : int { kDateTimeChanged = -84 };
  enum : unsigned short { kDateMode = 0x8000, kFourDigitYears = 0x4000, kShowSeconds = 0x0001 };
  enum { kArrowsId = 100, kPositions = 6 };
  // Which of the values an edit shows.
  enum Value { kFirstValue = 0, kSecondValue = 1, kThirdValue = 2, kPMFlag = 3, kNoValue = -1 };

  CGUIDateTimeCtrl() = default;
  ~CGUIDateTimeCtrl() override;

  // A new field window (class "QvDateTimeCtrl", registered by the portable start-up).
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // Keeps the mode and year-width bits, takes the others; built again and repainted.
  void SetStyle(unsigned short style);
  unsigned short GetStyle() const { return m_style; }
  // Date mode with the date and the locale's order and year width; false for no date.
  bool SetDate(const QvDate& date);
  // False in time mode or when the values make no date. A two-digit year is pivoted and
  // kept as the full year.
  bool GetDate(QvDate& date);
  // Time mode with the time and the locale's clock.
  void SetTime(const QvTime& time);
  // The 24-hour time; false in date mode.
  bool GetTime(QvTime& time) const;

  bool IsDateMode() const { return (m_style & kDateMode) != 0; }
  bool IsTwelveHourClock() const { return !IsDateMode() && m_order == 0; }
  bool HasSeconds() const { return !IsDateMode() && (m_style & kShowSeconds); }
  bool HasAMPMField() const;

  // The value an item position shows (kNoValue for a separator or a missing field).
  Value ValueAt(int position) const;
  // The range of a value, as the arrows step it and typing checks it.
  void GetRange(Value value, int& minimum, int& maximum) const;
  // Characters of a value's field: 4 for the year of four-digit years, else 2.
  int FieldWidth(Value value) const;
  // The year of a date value: a two-digit one pivoted (below 30: 2000 +, else 1900 +).
  static int FullYear(int year);
  // The edit of a position (0, 2, 4, 5); null when the control has none there.
  CGUIDateTimeEdit* GetFieldEdit(int position) const;
  CGUIDateTimeEdit* GetCurrentEdit() const { return m_current; }
  CSpinButtonCtrl* GetArrows() const { return m_arrows; }
  // The rectangle of an item (client coordinates), as laid out by the last building.
  RECT GetItemRect(int position) const { return m_items[position]; }
  // The AM or PM text shown: the locale's, "AM"/"PM" where the locale has none.
  std::wstring GetHalfDayText(bool pm) const;

  // Paints the frame, the background and the separators into a DC (WM_PAINT, WM_PRINTCLIENT).
  void Paint(HDC dc);

  unsigned short m_style = 0;
  CSpinButtonCtrl* m_arrows = nullptr;  // owned
  CGUIDateTimeEdit* m_fields[4] = {};  // positions 0, 2, 4, 5; owned
  CGUIDateTimeEdit* m_current = nullptr;
  unsigned short m_values[3] = {};  // date: day, month, year; time: hour, minute, second
  unsigned short m_pm = 0;
  unsigned short m_order = 0;  // date: LOCALE_IDATE; time: 1 24-hour clock, 0 12-hour
  unsigned char m_padWithZeros = 1;
  unsigned char m_keepInvalidText = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class CGUIDateTimeEdit;
  // Lays the items out, makes or moves the edits and the arrows; repaints with `repaint`.
  void Build(bool repaint);
  void DeleteFields();
  // The edit becomes the one the arrows serve.
  void MakeCurrent(CGUIDateTimeEdit* edit);
  // The edit after (or before) the current one; null past the ends.
  CGUIDateTimeEdit* Neighbour(CGUIDateTimeEdit* edit, bool previous) const;
  // Tab or Shift+Tab in a field: the next field, or the next tab item of the dialog.
  void TabFrom(CGUIDateTimeEdit* edit, bool previous);
  void OnFocusEntering(HWND previous);
  // Day limited to its month (unless the day is being edited), then the parent told. False
  // when the control went away meanwhile.
  bool ReportChange();
  // The portable control bound to this window, for its text colour; null when none.
  QvControl* PortableControl() const;
  HFONT Font() const;
  // The arrows' range for the current field, and with `position` their position.
  void UpdateArrows(bool position);

  HFONT m_font = NULL;  // borrowed: the one WM_SETFONT gave
  RECT m_items[kPositions] = {};
  std::wstring m_dateSeparator, m_timeSeparator, m_timeFormat;  // of the locale at SetDate/SetTime
};

// One field of the date/time control: a numeric edit (or the AM/PM field) bound to one of
// the control's values.
class QUARNEL_API CGUIDateTimeEdit : public CEdit {
  DECLARE_DYNAMIC(CGUIDateTimeEdit)
 public:
  CGUIDateTimeEdit(CGUIDateTimeCtrl* owner, unsigned short* value) : m_owner(owner), m_value(value) {}

  bool IsAMPM() const { return m_value == &m_owner->m_pm; }
  CGUIDateTimeCtrl::Value GetValueKind() const;
  // Shows the value (padded with zeros while the control pads).
  void ShowValue();
  // The value as the field shows it (the last two digits of a two-digit year).
  int ShownValue() const;

  CGUIDateTimeCtrl* m_owner;
  unsigned short* m_value;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Reads a modified text: a value in range is taken (and told when it changed), another
  // one shown again unless the control keeps invalid texts (or `putBack`).
  void Validate(bool putBack, bool leaving);
};
