#include "device/frame/device_view_plain_labels.h"

#include <algorithm>

#include "device/frame/logical_font.h"
#include "device/frame/my_static.h"
#include "device/frame/screen_scaling.h"
#include "platform/windows/resources.h"

QWidget* CTribbokView::CreateControl(const ControlTemplate& control) {
  const auto& separators = Style().ids.separators;
  if (std::find(separators.begin(), separators.end(), control.id) == separators.end()) {
    return nullptr;
  }
  return new CMyStatic(this);
}

void CTribbokView::OnInitialUpdate() {
  CDeviceView::OnInitialUpdate();
  const FormControlIds& ids = Style().ids;
  QWidget* maker = GetDlgItem(ids.maker);
  if (maker == nullptr) return;

  // Each font changes the description of the one before a little further.
  QFont normal = WithLogicalHeight(maker->font(), ScaleY(12));
  QFont title = normal;
  title.setWeight(QFont::Bold);
  title = WithLogicalHeight(title, ScaleY(20));
  QFont programName = WithLogicalHeight(WithLogicalWidth(title, ScaleX(10)), ScaleY(24));

  for (int id : {ids.maker, ids.descriptions[0], ids.descriptions[1], ids.link}) {
    if (QWidget* label = GetDlgItem(id)) label->setFont(normal);
  }
  for (int id : ids.titles) {
    if (QWidget* label = GetDlgItem(id)) label->setFont(title);
  }
  if (QWidget* label = GetDlgItem(ids.name)) label->setFont(programName);
  for (int id : ids.separators) {
    if (auto* separator = dynamic_cast<CMyStatic*>(GetDlgItem(id))) {
      separator->SetBitmapId(Style().separatorBitmap);
    }
  }
  SetDlgItemText(ids.link, LoadString(Style().linkString));
}
