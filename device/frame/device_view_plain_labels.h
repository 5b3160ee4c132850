#pragma once

#include "device/frame/device_view.h"

// The main form with plain labels, Skeldra's (the kSkeldra style): labels in fonts derived from
// the maker line's, separator lines painted by CMyStatic, and the link line showing the maker's
// web address (string 140) whatever the template says. The class keeps the design's name of
// Skeldra's form.
class CTribbokView : public CDeviceView {
 public:
  using CDeviceView::CDeviceView;

  void OnInitialUpdate() override;

 protected:
  QWidget* CreateControl(const ControlTemplate& control) override;
};
