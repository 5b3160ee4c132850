#pragma once

#include <QWidget>

#include "platform/windows/control_host.h"

// A pane laid out from a dialog template, living inside the main window.
class CFormView : public QWidget, public ControlHost {
 public:
  explicit CFormView(const DialogTemplate& formTemplate, QWidget* parent = nullptr);

  // Builds the controls (once) and fills the form; may run more than once.
  virtual void OnInitialUpdate();
};
