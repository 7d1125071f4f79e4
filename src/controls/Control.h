#pragma once

// The base of the program's owner-drawn controls: a ControlSurface that keeps
// its window (the host) and asks it to paint again after a change.

#include "platform/ControlSurface.h"

namespace lanternfly {

class Control : public ControlSurface {
 public:
  // A control without a host keeps its state and draws only when asked to Paint.
  void Attach(ControlHost* host) override {
    host_ = host;
    if (host_) OnAttach();
  }
  ControlHost* Host() const override { return host_; }

 protected:
  virtual void OnAttach() {}
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
};

}  // namespace lanternfly
