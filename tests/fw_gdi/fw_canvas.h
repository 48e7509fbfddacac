// The shared test canvas seen through the framework's DC object.
#pragma once
#include <framework.h>

#include "dib_canvas.h"

class FwCanvas : public testing_support::DibCanvas {
 public:
  FwCanvas(int width, int height) : DibCanvas(width, height) { m_cdc.Attach(dc()); }
  ~FwCanvas() { m_cdc.Detach(); }  // the canvas deletes its DC

  CDC& cdc() { return m_cdc; }

 private:
  CDC m_cdc;
};
