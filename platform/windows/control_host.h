#pragma once

#include <QString>
#include <QWidget>

#include "platform/windows/dialog_template.h"

class DataExchange;

// What dialogs and form views built from a template share: their controls, looked up by id, and
// the exchange of values between controls and members.
class ControlHost {
 public:
  explicit ControlHost(const DialogTemplate& dialogTemplate) : template_(dialogTemplate) {}
  virtual ~ControlHost() = default;

  QWidget* GetDlgItem(int id) const { return controls_.Find(id); }
  // The control of an id as a T, which may be a widget class of the program's own; null when it
  // is not one.
  template <typename T>
  T* Item(int id) const {
    return dynamic_cast<T*>(controls_.Find(id));
  }
  QString GetDlgItemText(int id) const { return controls_.Text(id); }
  void SetDlgItemText(int id, const QString& text) { controls_.SetText(id, text); }

  // Runs DoDataExchange: controls to members when saving, members to controls otherwise.
  bool UpdateData(bool saveAndValidate = true);

  const DialogTemplate& Template() const { return template_; }

 protected:
  // Makes the control of an id when the window wants its own kind (a picture button, say);
  // null gives the standard control.
  virtual QWidget* CreateControl(const ControlTemplate& /*control*/) { return nullptr; }
  virtual void DoDataExchange(DataExchange& /*dx*/) {}

  // Creates the controls inside `window`, once.
  void BuildControls(QWidget* window);
  ControlSet& Controls() { return controls_; }

 private:
  DialogTemplate template_;
  ControlSet controls_;
};

// Moves values between a window's controls and the members bound to them, in the direction
// UpdateData() asks for.
class DataExchange {
 public:
  DataExchange(ControlSet& controls, bool saveAndValidate)
      : m_bSaveAndValidate(saveAndValidate), controls_(controls) {}

  // The text of a control and a string member.
  void Text(int id, QString& value);
  // Limits what can be typed into an edit box to `count` characters. Text set by the program
  // is not cut: a longer stored value shows and saves in full.
  void MaxChars(int id, int count);

  const bool m_bSaveAndValidate;

 private:
  ControlSet& controls_;
};
