#include "device/frame/device_view_color_labels.h"

#include <algorithm>

#include "device/frame/screen_scaling.h"
#include "platform/windows/window_styles.h"

namespace {

Qt::Alignment TemplateAlignment(unsigned style) {
  switch (style & SS_TYPEMASK) {
    case SS_CENTER:
      return Qt::AlignHCenter | Qt::AlignTop;
    case SS_RIGHT:
      return Qt::AlignRight | Qt::AlignTop;
    default:
      return Qt::AlignLeft | Qt::AlignTop;
  }
}

}  // namespace

std::array<int, 8> CMarrowindView::LabelIds() const {
  const FormControlIds& ids = Style().ids;
  return {ids.maker,           ids.name,      ids.titles[0],
          ids.titles[1],       ids.titles[2], ids.descriptions[0],
          ids.descriptions[1], ids.link};
}

QWidget* CMarrowindView::CreateControl(const ControlTemplate& control) {
  std::array<int, 8> labels = LabelIds();
  if (std::find(labels.begin(), labels.end(), control.id) == labels.end()) return nullptr;
  auto* label = new CColorLabel(this);
  label->setText(control.text);
  label->setAlignment(TemplateAlignment(control.style));
  return label;
}

void CMarrowindView::OnInitialUpdate() {
  CDeviceView::OnInitialUpdate();
  const FormControlIds& ids = Style().ids;
  for (int id : LabelIds()) {
    if (CColorLabel* label = Label(id)) label->SetLabelBkColor(Qt::white);
  }
  auto dress = [this](int id, int size, bool bold) {
    CColorLabel* label = Label(id);
    if (label == nullptr) return;
    label->SetLabelFontSize(ScaleY(size));
    if (bold) label->SetLabelBold(true);
  };
  dress(ids.maker, 12, false);
  dress(ids.name, 20, true);
  for (int id : ids.titles) dress(id, 16, true);
  for (int id : {ids.descriptions[0], ids.descriptions[1], ids.link}) dress(id, 11, false);
}
