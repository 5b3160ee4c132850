#include "platform/windows/combo_box.h"

#include "platform/windows/window_styles.h"

CComboBox::CComboBox(unsigned style, QWidget* parent)
    : QComboBox(parent), sorted_(style & CBS_SORT) {
  setEditable((style & 0x3) == CBS_DROPDOWN);
  setInsertPolicy(QComboBox::NoInsert);
}

int CComboBox::AddString(const QString& text) {
  int index = count();
  if (sorted_) {
    index = 0;
    while (index < count() && itemText(index).compare(text, Qt::CaseInsensitive) <= 0) ++index;
  }
  int selected = currentIndex();
  QString editText = currentText();
  insertItem(index, text);
  // A list that was empty selects its first item by itself.
  if (selected < 0) {
    setCurrentIndex(-1);
    if (isEditable()) setEditText(editText);
  }
  return index;
}
