#pragma once

#include "device/frame/device_view.h"

// The main form of the kSkeldra style: plain labels in fonts derived from the maker line's,
// separator lines painted by CMyStatic, and the link line showing the maker's web address
// (string 140) whatever the template says.
class CTribbokView : public CDeviceView {
 public:
  using CDeviceView::CDeviceView;

  void OnInitialUpdate() override;

 protected:
  QWidget* CreateControl(const ControlTemplate& control) override;
};
