#pragma once

#include <array>
#include <memory>

#include "device/frame/form_style.h"
#include "device/frame/image_button.h"
#include "device/frame/scaled_images.h"
#include "platform/windows/form_view.h"

// The main form of a phone program (template 101 of the installed program), on white: the maker
// line and the program's name, then three rows, each an owner-drawn image button with its title
// (and, for the first two, a description) between separator lines, and the link line at the
// bottom. Every size change lays it out again for the screen; the button images are loaded
// again whenever the screen's height has changed (72-pixel images from 800 pixels up, 64 below).
// The form is at least as high as its content, down to the link line, so that the main frame
// can scroll it on a screen too low to show it whole.
//
// The buttons send the program's backupCommand and restoreCommand to the main frame; the third
// closes the main window. The two styles' labels are made by the subclasses: plain labels by
// CTribbokView (device_view_plain_labels.h), colour labels by CMarrowindView
// (device_view_color_labels.h).
class CDeviceView : public CFormView {
 public:
  explicit CDeviceView(QWidget* parent = nullptr);

  CImageButton* Button(int index) const { return m_buttons.at(index); }
  const CImageList* ButtonImages(int index) const { return m_imageLists.at(index).get(); }
  int LastScreenHeight() const { return m_nLastScreenHeight; }

  // Builds the form's controls and lays them out; subclasses then dress the labels.
  void OnInitialUpdate() override;
  // Places every control for the current screen.
  void OnSize();

 protected:
  const FormStyleTraits& Style() const { return style_; }
  void resizeEvent(QResizeEvent* event) override;

 private:
  void LoadButtonImages(int screenHeight);
  void OnButtonClicked(int index);

  const FormStyleTraits& style_;
  int m_nLastScreenHeight = 0;
  std::array<CImageButton*, 3> m_buttons{};
  std::array<std::unique_ptr<CImageList>, 3> m_imageLists;
};
