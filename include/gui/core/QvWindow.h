// Portable top-level windows: QvRootWindow and QvWindow are the containers whose platform
// window is a frame of the window framework (CGUIFrameWnd or CGUIMDIFrameWnd, GUIFrameWnd.h).
// A portable window dies with its frame: the frame's WM_DESTROY runs OnTerminate, which
// deletes the window object.
//
// Positions and sizes travel as a QvRect holding x, y, width and height (in its left, top,
// right and bottom fields), the position in the client coordinates of the parent window for
// a child window and in screen coordinates otherwise: what GetWindowPosAndSize answers,
// SetWindowPosAndSize takes back unchanged.
#pragma once
#include <framework.h>
#include <vekkel.h>

#include "QvGUIContainer.h"
#include "QvGeometry.h"
#include "quarnel_api.h"

enum QvWindowState { QvWindowNormal = 0, QvWindowMinimised = 1, QvWindowMaximised = 2 };

class QUARNEL_API QvRootWindow : public QvGUIContainer {
  QV_DECLARE_CLASS(QvRootWindow)
 public:
  explicit QvRootWindow(QvCommandHandler* parent);
  ~QvRootWindow() override;

  // Deletes the window object: the frame calls it when its window is destroyed.
  void OnTerminate() override;

  // The scaling reference: (-1, -1, -1, -1) until set; the library only keeps it.
  static void SetScalingReference(const QvRect& reference);
  static const QvRect& GetScalingReference();
};

class QUARNEL_API QvWindow : public QvRootWindow {
  QV_DECLARE_CLASS(QvWindow)
 public:
  explicit QvWindow(QvCommandHandler* parent);
  ~QvWindow() override;

  // A frame is activated (ActivateFrame(-1)); any other window is brought to the top.
  virtual void BringToFront();
  // Sends WM_CLOSE to the window; always success.
  virtual QvSuccess Close();
  // The window's rectangle (see the top of this file); false without a window.
  virtual bool GetWindowPosAndSize(QvRect& rect);
  // Moves and sizes the window to (x, y, width, height) without changing the Z order. An x
  // or y of -1 keeps the present position on that axis, a width or height of -1 the present
  // one. False without a window, for another negative size, or when the move fails.
  virtual bool SetWindowPosAndSize(const QvRect& rect);
  // 2 maximised, else 1 minimised, else 0; the rectangle is not touched.
  virtual QvWindowState GetWindowState(QvRect& rect);
  // 0 restores, 1 minimises, 2 maximises; any other value goes to ShowWindow as it is.
  virtual bool SetWindowState(QvWindowState state);

  // Destroys the platform window; a portable frame's destruction deletes this object, so
  // nothing of it is touched afterwards.
  void DestroyPlatform() override;
};
