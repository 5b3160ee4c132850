#include "platform/windows/control_host.h"

#include <QLineEdit>

#include <algorithm>

#include "platform/windows/multi_line_edit.h"

bool ControlHost::UpdateData(bool saveAndValidate) {
  DataExchange dx(controls_, saveAndValidate);
  DoDataExchange(dx);
  return true;
}

void ControlHost::BuildControls(QWidget* window) {
  if (controls_.IsBuilt()) return;
  controls_.Build(window, template_, [this](const ControlTemplate& control, QWidget*) {
    return CreateControl(control);
  });
}

void DataExchange::Text(int id, QString& value) {
  if (m_bSaveAndValidate) {
    value = controls_.Text(id);
  } else {
    controls_.SetText(id, value);
  }
}

void DataExchange::MaxChars(int id, int count) {
  if (m_bSaveAndValidate) return;
  QWidget* widget = controls_.Find(id);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    // QLineEdit cuts its text to its limit, so the limit never goes below what it holds. A new
    // limit also puts the cursor at the end, where a long value would show only its tail.
    int cursor = edit->cursorPosition();
    edit->setMaxLength(std::max<int>(count, static_cast<int>(edit->text().size())));
    edit->setCursorPosition(cursor);
  } else if (auto* multiLineEdit = dynamic_cast<MultiLineEdit*>(widget)) {
    multiLineEdit->SetTypingLimit(count);
  }
}
