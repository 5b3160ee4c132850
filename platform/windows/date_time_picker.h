#pragma once

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QWidget>

#include <optional>

// A date picker that can also hold no date: a check box beside the date clears it ("none").
// It remembers whether the user changed it since the program last set it, so a caller can
// leave a stored value alone that the user never touched.
class DateTimePicker : public QWidget {
 public:
  // `showNone`: with the check box; without it the picker always holds a date.
  explicit DateTimePicker(bool showNone, QWidget* parent = nullptr);

  // The date, or nothing when the check box is cleared.
  std::optional<QDate> GetDate() const;
  // Sets the date (nothing clears the check box); the picker counts as unchanged afterwards.
  void SetDate(std::optional<QDate> date);

  // True once the user changed the date or the check box since the last SetDate.
  bool IsModified() const { return modified_; }

  QCheckBox* NoneBox() const { return noneBox_; }
  QDateEdit* DateEdit() const { return dateEdit_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QCheckBox* noneBox_ = nullptr;
  QDateEdit* dateEdit_ = nullptr;
  bool modified_ = false;
};
