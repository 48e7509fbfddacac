// A framework window that logs its messages to the recorder, with default processing
// marked as such.
#pragma once
#include <framework.h>

#include "recorder.h"

class RecordingWnd : public CWnd {
 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    testing_support::Recorder().Record(m_hWnd, message, wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
  }
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    testing_support::MessageRecorder::DefaultScope scope(testing_support::Recorder());
    return CWnd::DefWindowProc(message, wParam, lParam);
  }
};
