#pragma once

#include "device/frame/color_label.h"
#include "device/frame/device_view.h"

// The main form with colour labels, Marrowind's and Orvanel's (the kMarrowind style): its eight
// labels are CColorLabel controls on white, in character heights scaled for the screen. The class
// keeps the design's name of the form the two programs share.
class CMarrowindView : public CDeviceView {
 public:
  using CDeviceView::CDeviceView;

  void OnInitialUpdate() override;

  CColorLabel* Label(int id) const { return dynamic_cast<CColorLabel*>(GetDlgItem(id)); }

 protected:
  QWidget* CreateControl(const ControlTemplate& control) override;

 private:
  // The label ids, in the order the form keeps them.
  std::array<int, 8> LabelIds() const;
};
