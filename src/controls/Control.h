#pragma once

// The base of the program's owner-drawn controls: a ControlSurface that keeps
// its window (the host) and asks it to paint again after a change.

#include "platform/ControlSurface.h"

namespace lanternfly {

// Pixels drawn up for 96 DPI, at `dpi`.
inline int ScaledTo(int dpi, int pixels) { return (pixels * dpi + 48) / 96; }

class Control : public ControlSurface {
 public:
  // A control without a host keeps its state and draws only when asked to Paint.
  void Attach(ControlHost* host) override {
    host_ = host;
    if (host_) OnAttach();
  }
  ControlHost* Host() const override { return host_; }

  // The pixels per inch the control draws at: its fixed pixel sizes are
  // drawn up for 96 and scale to this.
  void SetDpi(int dpi) {
    dpi_ = dpi;
    Redraw();
  }
  int Dpi() const { return dpi_; }

 protected:
  virtual void OnAttach() {}
  int Scaled(int pixels) const { return ScaledTo(dpi_, pixels); }
  void Redraw() {
    if (host_) host_->Invalidate();
  }
  // The control's enabled state changed in code: its window follows.
  void EnabledChanged(bool enabled) {
    if (host_) host_->SetWindowEnabled(enabled);
    Redraw();
  }

 private:
  ControlHost* host_ = nullptr;
  int dpi_ = 96;
};

}  // namespace lanternfly
