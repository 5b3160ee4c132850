#include "platform/windows/form_view.h"

CFormView::CFormView(const DialogTemplate& formTemplate, QWidget* parent)
    : QWidget(parent), ControlHost(formTemplate) {
  setFont(DialogFont(Template().fontName, Template().pointSize));
}

void CFormView::OnInitialUpdate() {
  BuildControls(this);
  UpdateData(false);
}
