// Ready-made status layouts of the application status bar, and the status message.
//
// The host makes the application status bar once (QvCreateApplicationStatusBar); each layout
// adds one model to it, keeps the panes it made and fills them through named setters.
// Show(true) puts the layout's model on top of the bar, Show(false) takes it off. A layout
// made while there is no application status bar has no model: its setters and Show do
// nothing. Layouts must go before the bar does.
#pragma once
#include <vekkel.h>

#include "QvStatusBar.h"
#include "quarnel_api.h"

class QvStatusMessage;

QUARNEL_API QvStatusBar* Get_GlobalStatusBar();
QUARNEL_API void Set_GlobalStatusBar(QvStatusBar* bar);
QUARNEL_API QvStatusMessage* Get_GlobalStatusMsg();
QUARNEL_API void Set_GlobalStatusMsg(QvStatusMessage* message);

// Makes the application status bar and shows it; none when its window cannot be made.
QUARNEL_API void QvCreateApplicationStatusBar();
QUARNEL_API void QvDestroyApplicationStatusBar();
// Shows a one-line message on top of the bar while the text is not empty; an empty text
// takes it off again. The message layout is made on first use and left to the host; after
// the bar was remade the message moves into the new bar.
QUARNEL_API void QvStatusMsg(const QvString& text);

class QUARNEL_API QvStatus : public QvFirst {
  QV_DECLARE_CLASS(QvStatus)
 public:
  QvStatus();
  ~QvStatus() override;
  void Show(bool show);
  QvStatusModel* GetModel() const { return m_model; }

 protected:
  // The application bar when this layout has a model in it.
  QvStatusBar* Bar() const;
  // A border with its side, through the bar.
  QvStatusBorder* Border(QvPaneBorder type, bool left);
  QvTextPane* Text(QvStatusBorder* border, bool elastic, unsigned char chars);
  QvPicturePane* Picture(QvStatusBorder* border);
  QvProgressPane* Progress(QvStatusBorder* border, unsigned char units);
  // The progress panes of a border: its label, then [min text], progress, [max text].
  struct ProgressGroup {
    QvTextPane* label = nullptr;
    QvTextPane* min = nullptr;
    QvProgressPane* progress = nullptr;
    QvTextPane* max = nullptr;
  };
  ProgressGroup MakeProgress(unsigned char labelChars, bool minMax, unsigned char minChars, unsigned char units,
                             unsigned char maxChars);
  // The three inactive key-state panes at the right (caps lock, num lock, then the mode at
  // the edge).
  void MakeKeyPanes(QvTextPane*& overInsert, QvTextPane*& numLock, QvTextPane*& capsLock);
  static void SetTextOf(QvTextPane* pane, const QvString& text);
  static void SetImageOf(QvPicturePane* pane, short index);
  static void SetMinMaxOf(const ProgressGroup& group, long min, long max);
  static void SetValueOf(const ProgressGroup& group, long value);

  QvStatusModel* m_model;
};

// The message layout follows the application bar: when the bar it lives in is deleted it
// loses its model and panes (its setters do nothing), and QvStatusMsg gives it a new model in
// the bar of the moment.
class QUARNEL_API QvStatusMessage : public QvStatus {
  QV_DECLARE_CLASS(QvStatusMessage)
 public:
  QvStatusMessage();
  void SetText(const QvString& text);

  // The library's (QvStatusMsg and the bar's destructor): a message without a model makes its
  // model and pane in the application bar; one whose model lives in `bar` forgets them.
  void MakePanes();
  void LeaveBar(QvStatusBar* bar);

 private:
  QvTextPane* m_text = nullptr;
};

class QUARNEL_API QvStatusStandard : public QvStatus {
  QV_DECLARE_CLASS(QvStatusStandard)
 public:
  explicit QvStatusStandard(bool wide);
  void SetText1Left(const QvString& text);
  void SetText1Center(const QvString& text);
  void SetText1Right(const QvString& text);
  void SetText2Left(const QvString& text);
  void SetImage2Center(short index);
  void SetText2Right(const QvString& text);
  void SetOverInsertMode(const QvString& text);
  void SetNumLock(const QvString& text);
  void SetCapsLock(const QvString& text);
  void SetInfoImage(short index);            // no pane: nothing
  void SetInfoText(const QvString& text);    // no pane: nothing

 private:
  QvTextPane* m_text1Left = nullptr;
  QvTextPane* m_text1Center = nullptr;
  QvTextPane* m_text1Right = nullptr;
  QvTextPane* m_text2Left = nullptr;
  QvPicturePane* m_image2Center = nullptr;
  QvTextPane* m_text2Right = nullptr;
  QvTextPane* m_overInsert = nullptr;
  QvTextPane* m_numLock = nullptr;
  QvTextPane* m_capsLock = nullptr;
};

class QUARNEL_API QvStatusTextProgress : public QvStatus {
  QV_DECLARE_CLASS(QvStatusTextProgress)
 public:
  explicit QvStatusTextProgress(bool minMax);
  void SetText(const QvString& text);
  void SetProgressText(const QvString& text);
  void SetProgressMinMax(long min, long max);
  void SetProgressValue(long value);

 private:
  QvTextPane* m_text = nullptr;
  ProgressGroup m_progress;
};

class QUARNEL_API QvStatus4Text : public QvStatus {
  QV_DECLARE_CLASS(QvStatus4Text)
 public:
  QvStatus4Text();
  void SetText1(const QvString& text);
  void SetText2(const QvString& text);
  void SetText3(const QvString& text);
  void SetText4(const QvString& text);

 private:
  QvTextPane* m_texts[4] = {nullptr, nullptr, nullptr, nullptr};
};

class QUARNEL_API QvStatus2TextProgress : public QvStatus {
  QV_DECLARE_CLASS(QvStatus2TextProgress)
 public:
  explicit QvStatus2TextProgress(bool minMax);
  void SetText1(const QvString& text);
  void SetText2(const QvString& text);
  void SetProgressText(const QvString& text);
  void SetProgressMinMax(long min, long max);
  void SetProgressValue(long value);

 private:
  QvTextPane* m_text1 = nullptr;
  QvTextPane* m_text2 = nullptr;
  ProgressGroup m_progress;
};

class QUARNEL_API QvStatusText2Progress : public QvStatus {
  QV_DECLARE_CLASS(QvStatusText2Progress)
 public:
  // value1 / value2: the min text of that progress shows its value (and is wider).
  QvStatusText2Progress(bool minMax, bool value1, bool value2);
  void SetText(const QvString& text);
  void SetProgress1Text(const QvString& text);
  void SetProgress1MinMax(long min, long max);
  void SetProgress1Value(long value);
  void SetProgress2Text(const QvString& text);
  void SetProgress2MinMax(long min, long max);
  void SetProgress2Value(long value);

 private:
  bool m_value1, m_value2;
  QvTextPane* m_text = nullptr;
  ProgressGroup m_progress1, m_progress2;
};

class QUARNEL_API QvStatusUdgStandard : public QvStatus {
  QV_DECLARE_CLASS(QvStatusUdgStandard)
 public:
  QvStatusUdgStandard();
  void SetText1(const QvString& text);
  void SetImage2(short index);
  void SetText2(const QvString& text);
  void SetInfoImage(short index);
  void SetOverInsertMode(const QvString& text);
  void SetNumLock(const QvString& text);
  void SetCapsLock(const QvString& text);

 private:
  QvTextPane* m_text1 = nullptr;
  QvPicturePane* m_image2 = nullptr;
  QvTextPane* m_text2 = nullptr;
  QvPicturePane* m_infoImage = nullptr;
  QvTextPane* m_overInsert = nullptr;
  QvTextPane* m_numLock = nullptr;
  QvTextPane* m_capsLock = nullptr;
};

class QUARNEL_API QvStatusUdgTextProgress : public QvStatus {
  QV_DECLARE_CLASS(QvStatusUdgTextProgress)
 public:
  explicit QvStatusUdgTextProgress(bool minMax);
  void SetText(const QvString& text);
  void SetProgressText(const QvString& text);
  void SetProgressMinMax(long min, long max);
  void SetProgressValue(long value);
  void SetInfoImage(short index);

 private:
  QvTextPane* m_text = nullptr;
  ProgressGroup m_progress;
  QvPicturePane* m_infoImage = nullptr;
};

class QUARNEL_API QvStatusUdg2Text : public QvStatus {
  QV_DECLARE_CLASS(QvStatusUdg2Text)
 public:
  QvStatusUdg2Text();
  void SetText1(const QvString& text);
  void SetText2(const QvString& text);
  void SetInfoImage(short index);

 private:
  QvTextPane* m_text1 = nullptr;
  QvTextPane* m_text2 = nullptr;
  QvPicturePane* m_infoImage = nullptr;
};
