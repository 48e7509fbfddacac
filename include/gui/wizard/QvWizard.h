// The portable wizard: a modal QvWizard shows one QvWizardPage at a time beside an optional
// picture strip, above a row of buttons: a fourth button (22) and a check box (23) at the
// left, Back (21), Next or Finish (20) and Cancel (2) at the right. The application derives
// its pages (each made from its own dialog template, an OnInit of its own), adds them in
// order with AddPage before Run, and may chain further pages in while the wizard runs
// (AddPageDynamique). The windows are CGUIWizardDialog and CGUIWizardPageDialog
// (GUIWizardDialog.h).
//
// Pages are not owned by the wizard and should outlive its run; a page deleted earlier leaves
// an empty place that no move goes to (a run does not start with one). Counts and indexes
// are 16-bit; a wizard holds at most 65535 pages.
#pragma once
#include <framework.h>
#include <vekkel.h>

#include <vector>

#include "QvDialog.h"
#include "quarnel_api.h"

class CGUIWizardDialog;
class QvCheckBox;
class QvPushButton;
class QvWizard;

// What a page is told when it is shown (OnActivate) or left (OnDeactivate).
enum QvWizardActivation {
  QvWizardOpening = 0,          // the wizard opens on this page
  QvWizardWithLaterPage = 1,    // Next leaves this page, or Back comes back to it
  QvWizardWithEarlierPage = 2,  // Next comes to this page, or Back leaves it
};

class QUARNEL_API QvWizardPage : public QvDialog {
  QV_DECLARE_CLASS(QvWizardPage)
 public:
  // The button slots and the states a page keeps for them.
  enum : unsigned short { kSlotExtra = 0, kSlotBack = 1, kSlotNext = 2, kSlotCancel = 3, kSlots = 4 };
  enum : unsigned short { kShown = 0, kDisabled = 1, kHidden = 2 };
  // Where a page without a picture starts, and how much wider it is than one with a picture.
  enum { kPlainPageLeft = 6, kPictureWidthGain = 181 };

  explicit QvWizardPage(unsigned short templateId);
  ~QvWizardPage() override;

  virtual void OnActivate(QvWizardActivation activation);
  virtual void OnDeactivate(QvWizardActivation activation);
  virtual bool IsOkToGoNext();     // true
  virtual bool IsOkToGoBack();     // true
  virtual bool IsOkToTerminate();  // the terminate flag
  virtual bool IsOkToCancel();     // true
  // Next goes to `page` (the wizard's page; this page itself: Next is disabled).
  virtual void SetNextPage(QvWizardPage* page);
  // A terminating page shows Finish on Next, which ends the wizard with 1.
  virtual void SetTerminate(bool terminate);
  // Lays `a` out below the control laid out before (see SetLook(QvControl*)) and moves `b` by
  // as much, so that it keeps its place beside `a`. Two nulls forget the pair.
  virtual void SetLook(QvControl* a, QvControl* b);
  // The first control after a reset stays where it is and starts the layout; each next one
  // goes below the one before: a rich-text label of style 1 five pixels lower and 14 in, of
  // another style but 0 twelve lower and 14 in, of style 0 twelve lower, not indented; any
  // other control 3 lower and 31 in. Null resets. The wizard grows to fit.
  virtual void SetLook(QvControl* control);
  // Moves `b` so that its left (0), top (1), right (2) or bottom (3) edge is `a`'s.
  virtual void SetAlign(unsigned short mode, QvControl* a, QvControl* b);
  // Stores the state of the slot (and the text when not empty) and shows it when this page
  // is the wizard's current one.
  virtual void ChangeButton(unsigned short slot, unsigned short state, const QvString& text);
  virtual void ChangeButton(unsigned short slot, unsigned short state);
  virtual bool Next();
  virtual bool Back();
  virtual void Cancel();
  // Freezing disables the four buttons under the wait cursor; thawing shows their states
  // again and gives a button that had the focus its focus back.
  virtual void Freeze(bool freeze);
  // The picture shown beside the page (0: none; the page then takes the strip's place).
  virtual void SetBitmap(unsigned short id);
  virtual QvWizardPage* GetNextPage();
  virtual QvWizardPage* GetBackPage();
  // The wizard's check box: shown or hidden, its check, and its text when not empty.
  virtual void ShowCheckBox(bool show, bool checked, QvString text);
  virtual bool IsChecked();
  // Shows the slot's state and text on the wizard's button, when this page is current.
  virtual void RefreshButton(unsigned short slot);

  CWnd* OnCreatePlatform() override;  // a CGUIWizardPageDialog inside the wizard's window
  // The caption, also the wizard's while this page is shown.
  void SetCaption(const QvString& text) override;
  // Shown: the wizard takes the page's caption, buttons and picture.
  void Show(bool show) override;
  // Makes the page's window from its template as a hidden child of the wizard's window and
  // grows the wizard to its controls. 0, or -1 when the page cannot be made.
  short Run() override;

  unsigned short GetTemplateID() const { return m_templateID; }
  unsigned short GetBitmapID() const { return m_bitmapID; }
  unsigned short GetPageIndex() const { return m_index; }
  unsigned short GetBackIndex() const { return m_backIndex; }
  unsigned short GetNextIndex() const { return m_nextIndex; }
  bool GetTerminate() const { return m_terminate; }
  const QvString& GetPageCaption() const { return m_caption; }
  QvWizard* GetWizard() const { return m_wizard; }
  unsigned short GetButtonState(unsigned short slot) const { return slot < kSlots ? m_buttons[slot].state : static_cast<unsigned short>(kHidden); }
  const QvString& GetButtonText(unsigned short slot) const { return m_buttons[slot < kSlots ? slot : 0].text; }
  bool IsCurrentPage() const;

 private:
  friend class QvWizard;
  struct ButtonRecord {
    unsigned short state = kShown;
    QvString text;
  };
  // Joins the wizard as its page `index` (AddPage, AddPageDynamique).
  void Join(QvWizard* wizard, unsigned short index, unsigned short bitmapId);
  void SetNextSlotText();
  // Grows the wizard's sizes to hold the child's rectangle (page client coordinates).
  void GrowWizard(const RECT& child);

  unsigned short m_templateID;
  unsigned short m_bitmapID = 0;
  unsigned short m_index = 0, m_backIndex = 0, m_nextIndex = 0;
  bool m_terminate = false;
  QvString m_caption;
  QvWizard* m_wizard = nullptr;
  ButtonRecord m_buttons[kSlots];
  // The layout cursor of SetLook: the left of the first control and the bottom of the last.
  int m_cursorX = 0, m_cursorY = 0;
  QvControl* m_lastLaidOut = nullptr;
  // SetLook(a, b): the control laid out last and how far it moved.
  QvControl* m_pairFirst = nullptr;
  int m_pairDx = 0, m_pairDy = 0;
  HWND m_frozenFocus = NULL;  // the focus when Freeze(true) disabled the buttons
};

class QUARNEL_API QvWizard : public QvDialog {
  QV_DECLARE_CLASS(QvWizard)
 public:
  // The library's template and the controls on it.
  enum : unsigned short {
    kTemplate = 259,
    kExtraButton = 22,
    kBackButton = 21,
    kNextButton = 20,
    kCancelButton = 2,
    kCheckBox = 23,
    kHelpID = 302,
  };
  // The sizes the wizard starts from, in pixels: they grow with the pages' controls.
  enum : unsigned short { kDialogHeight = 349, kDialogWidth = 520, kPageHeight = 295, kPageWidth = 325 };
  // Where a page with a picture sits.
  enum { kPageLeft = 187, kPageTop = 8 };
  static const unsigned kMaxPages = 0xFFFF;

  QvWizard();
  ~QvWizard() override;

  // Looks up the buttons, shows the first page and makes every page's window. False (the run
  // answering -1) without pages, without the template's buttons, or when a page cannot be
  // made.
  bool OnInit() override;
  // Appends a page before Run (the previous page's Next leads to it); `bitmapId` is its
  // picture, 0 for none. A page already in a wizard, or one past the limit, is refused.
  virtual void AddPage(QvWizardPage* page, unsigned short bitmapId);
  // While the wizard runs: appends a page, makes its window and makes it `after`'s next page
  // and a terminating one.
  virtual void AddPageDynamique(QvWizardPage* after, QvWizardPage* page, unsigned short bitmapId);
  // Next: on a terminating page, ends the wizard with 1 when the page agrees (the window hides
  // while the page is asked, and comes back where it was when the page refuses); otherwise
  // goes to the page's next page when the page agrees. True when the page changed.
  virtual bool Next();
  virtual bool Back();
  // Ends the wizard with 2 when the current page agrees.
  virtual void Cancel();
  virtual void SetTitle(const QvString& title);

  CWnd* OnCreatePlatform() override;  // a CGUIWizardDialog of the template 259
  void SetCaption(const QvString& text) override;
  // The buttons drive the pages; any other control's notification goes to the current page.
  bool OnControlNotification(QvControlNotification& notification) override;

  // Places the pages and the button row, sizes the window to the pages and centres it.
  void ReSize();

  unsigned short GetPageCount() const { return static_cast<unsigned short>(m_pages.size()); }
  unsigned short GetCurrentIndex() const { return m_current; }
  QvWizardPage* GetPage(unsigned short index) const { return index < m_pages.size() ? m_pages[index] : nullptr; }
  QvWizardPage* GetCurrentPage() const { return GetPage(m_current); }
  const QvString& GetTitle() const { return m_title; }
  unsigned short GetDialogWidth() const { return m_dialogWidth; }
  unsigned short GetDialogHeight() const { return m_dialogHeight; }
  unsigned short GetPageWidth() const { return m_pageWidth; }
  unsigned short GetPageHeight() const { return m_pageHeight; }
  // The button of a page's slot (null before OnInit has found it).
  QvPushButton* GetSlotButton(unsigned short slot) const;
  QvCheckBox* GetCheckBox() const { return m_checkBox; }
  // The windows of the present run: the slot's button, the check box (NULL when none). The
  // pages drive these, not the controls, which a container keeps bound to the windows of
  // its first run.
  HWND GetSlotWindow(unsigned short slot) const;
  HWND GetCheckBoxWindow() const;
  CGUIWizardDialog* GetPlatformWizard() const;
  // Where a page is placed: beside the picture strip, or over it when it has no picture.
  RECT PageRect(const QvWizardPage& page) const;

 private:
  friend class QvWizardPage;
  bool Append(QvWizardPage* page, unsigned short bitmapId);
  // A page deleted before the wizard leaves an empty place: moves to it go nowhere.
  void ForgetPage(QvWizardPage* page);
  // Makes the page's window hidden, with a fresh layout; false when it cannot be made.
  bool MakePage(QvWizardPage& page);
  void Grow(unsigned short pageWidth, unsigned short pageHeight, unsigned short dialogWidth);

  std::vector<QvWizardPage*> m_pages;  // not owned
  unsigned short m_current = 0;
  QvString m_title;
  QvPushButton* m_cancel = nullptr;  // the controls are the container's
  QvPushButton* m_extra = nullptr;
  QvPushButton* m_back = nullptr;
  QvPushButton* m_next = nullptr;
  QvCheckBox* m_checkBox = nullptr;
  unsigned short m_dialogHeight = kDialogHeight, m_dialogWidth = kDialogWidth;
  unsigned short m_pageHeight = kPageHeight, m_pageWidth = kPageWidth;
};
