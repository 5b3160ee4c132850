#include "platform/windows/date_time_picker.h"

#include <QSignalBlocker>

DateTimePicker::DateTimePicker(bool showNone, QWidget* parent) : QWidget(parent) {
  dateEdit_ = new QDateEdit(QDate::currentDate(), this);
  dateEdit_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  dateEdit_->setCalendarPopup(true);
  connect(dateEdit_, &QDateEdit::dateChanged, this, [this] { modified_ = true; });
  if (showNone) {
    noneBox_ = new QCheckBox(this);
    noneBox_->setChecked(true);
    connect(noneBox_, &QCheckBox::toggled, this, [this](bool checked) {
      dateEdit_->setEnabled(checked);
      modified_ = true;
    });
  }
}

std::optional<QDate> DateTimePicker::GetDate() const {
  if (noneBox_ != nullptr && !noneBox_->isChecked()) return std::nullopt;
  return dateEdit_->date();
}

void DateTimePicker::SetDate(std::optional<QDate> date) {
  QSignalBlocker blockDate(dateEdit_);
  if (date) dateEdit_->setDate(*date);
  if (noneBox_ != nullptr) {
    QSignalBlocker blockBox(noneBox_);
    noneBox_->setChecked(date.has_value());
  }
  dateEdit_->setEnabled(noneBox_ == nullptr || noneBox_->isChecked());
  modified_ = false;
}

void DateTimePicker::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  int boxWidth = noneBox_ != nullptr ? noneBox_->sizeHint().width() : 0;
  if (noneBox_ != nullptr) noneBox_->setGeometry(0, 0, boxWidth, height());
  dateEdit_->setGeometry(boxWidth, 0, width() - boxWidth, height());
}
