#pragma once

#include <QDialog>

#include "platform/desktop/control_host.h"
#include "platform/desktop/message_service.h"

// A dialog built from a template. Modal dialogs run through the modal service, so tests can
// drive them; child dialogs (Create) live inside another window.
class CDialog : public QDialog, public ControlHost {
 public:
  explicit CDialog(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);

  // Builds the controls, runs OnInitDialog and the dialog; returns the code it ended with.
  int DoModal();
  // Builds the dialog as a child window of `parent` (shown when the caller shows it).
  bool Create(QWidget* parent);
  // Ends a modal run (or hides a modeless dialog) with the result.
  void EndDialog(int result) { done(result); }

 protected:
  virtual bool OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override { OnCancel(); }

 private:
  void Build();
};
