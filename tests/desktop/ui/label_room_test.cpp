#include <QGroupBox>
#include <QLabel>

#include <functional>

#include <gtest/gtest.h>

#include "desktop/ui/add_dialog.h"
#include "desktop/ui/delete_dialog.h"
#include "desktop/ui/exchange/csv_export_dialog.h"
#include "desktop/ui/exchange/csv_import_config_dialog.h"
#include "tests/desktop/ui/browse_testing.h"
#include "tests/support/sample_contacts.h"

namespace {

// The room a label's text keeps from the control after it on its line.
constexpr int kRoom = 3;

// The one-line labels of a window whose text, in the font it is drawn with, runs into a control
// to its right: a template laid out for another font than this system's.
QStringList CrowdedLabels(QWidget* window) {
  QStringList crowded;
  for (auto* label : window->findChildren<QLabel*>()) {
    QFontMetrics metrics(label->font());
    if (label->text().isEmpty() || !label->isVisibleTo(window) ||
        label->height() >= 2 * metrics.lineSpacing()) {
      continue;
    }
    QRect text(label->pos(),
               QSize(metrics.horizontalAdvance(label->text()) + kRoom, label->height()));
    for (auto* next : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (next->x() > label->x() && next->isVisibleTo(window) && !qobject_cast<QGroupBox*>(next) &&
          text.intersects(next->geometry())) {
        crowded << label->text();
      }
    }
  }
  return crowded;
}

class LabelRoomTest : public BrowseTest {
 protected:
  // Runs a modal dialog and checks `part` of it while it is up.
  void CheckModal(CDialog& dialog, const std::function<QWidget*()>& part) {
    script_.ExpectDialog([&](QDialog*) {
      EXPECT_EQ(CrowdedLabels(part()), QStringList()) << part()->metaObject()->className();
      return IDCANCEL;
    });
    dialog.DoModal();
  }
};

TEST_F(LabelRoomTest, NoLabelRunsIntoTheControlBesideIt) {
  InsertContacts({SamplePhoneContact("Ann", "Smith", "+86 138 0013 0001")});
  StartApp();
  for (QWidget* window : {static_cast<QWidget*>(Cards()->ShownCards()[0]),
                          static_cast<QWidget*>(SearchPane()), static_cast<QWidget*>(PageBar())}) {
    EXPECT_EQ(CrowdedLabels(window), QStringList()) << window->metaObject()->className();
  }
  CAddDialog add;  // the modify dialog is built from the same template
  CheckModal(add, [&] { return &add; });
  CDeleteDialog erase;
  CheckModal(erase, [&] { return &erase; });

  WriteFileBytes("in.csv", "First,Last\r\n");
  CDlgCSVImportConfig csvImport("in.csv");
  CheckModal(csvImport, [&] { return &csvImport; });
  CheckModal(csvImport, [&] { return &csvImport.FirstPage(); });
  CheckModal(csvImport, [&] { return &csvImport.SecondPage(); });
  CDlgCSVExportConfig csvExport;  // the vCard export dialog shows the same pages
  CheckModal(csvExport, [&] { return &csvExport; });
  CheckModal(csvExport, [&] { return &csvExport.Pages().FirstPage(); });
  CheckModal(csvExport, [&] { return &csvExport.Pages().SecondPage(); });
}

}  // namespace
