#include "platform/desktop/dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "platform/desktop/modal_service.h"

CDialog::CDialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent), ControlHost(dialogTemplate) {
  setWindowTitle(Template().caption);
  setFont(DialogFont(Template().fontName, Template().pointSize));
}

void CDialog::Build() {
  DialogUnits units(font());
  setFixedSize(units.ToPixelsX(Template().cx), units.ToPixelsY(Template().cy));
  BuildControls(this);
}

int CDialog::DoModal() {
  Build();
  setResult(0);
  OnInitDialog();
  return RunModal(this);
}

bool CDialog::Create(QWidget* parent) {
  setParent(parent, Qt::Widget);
  Build();
  OnInitDialog();
  return true;
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::keyPressEvent(QKeyEvent* event) {
  bool inMultiLineEdit = qobject_cast<QPlainTextEdit*>(focusWidget()) != nullptr;
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !inMultiLineEdit) {
    OnOK();
  } else if (event->key() == Qt::Key_Escape) {
    OnCancel();
  } else {
    QDialog::keyPressEvent(event);
  }
}

void CDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  OnCancel();
}
