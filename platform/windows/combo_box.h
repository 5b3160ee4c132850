#pragma once

#include <QComboBox>
#include <QString>

// A combo box of a dialog template. Like the platform's combo boxes, a drop-down box with an edit
// field (CBS_DROPDOWN) never adds the typed text to its list, and the list of a CBS_SORT box keeps
// its items in alphabetical order, letter case ignored, whenever one is added.
class CComboBox : public QComboBox {
 public:
  CComboBox(unsigned style, QWidget* parent = nullptr);

  // Adds an item (in sorted position for CBS_SORT, else at the end) and returns its index. The
  // selection and the edit text stay as they were: adding to an empty list selects nothing.
  int AddString(const QString& text);

 private:
  bool sorted_;
};
