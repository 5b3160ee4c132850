#include "tests/desktop/ui/contact_dialog_testing.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QTest>
#include <QUrl>

#include "desktop/store/contact_database.h"
#include "desktop/ui/zolmark_app.h"
#include "desktop/widgets/control_color.h"

ContactDialogTest::ContactDialogTest() : previousBrush_(BackBrush()) {
  AfxGetApp().m_bDataChanged = false;
  SetBackBrush(QBrush(QColor(200, 222, 243)));  // as the application sets it at start-up
  DatabaseConnection(kContactDatabaseFile, DatabaseConnection::Opening::kAnyFile)
      .Exec(kCreateContactTable);
}

ContactDialogTest::~ContactDialogTest() { SetBackBrush(previousBrush_); }

void ContactDialogTest::SetField(CContactEditor& dialog, int column, const QString& text) {
  dialog.SetDlgItemText(dialog.FieldId(column), text);
}

QString ContactDialogTest::FieldText(const CContactEditor& dialog, int column) {
  return dialog.GetDlgItemText(dialog.FieldId(column));
}

DateTimePicker* ContactDialogTest::Picker(const CContactEditor& dialog, int id) {
  return dynamic_cast<DateTimePicker*>(dialog.GetDlgItem(id));
}

void ContactDialogTest::Click(const CContactEditor& dialog, int id) {
  auto* button = qobject_cast<QAbstractButton*>(dialog.GetDlgItem(id));
  ASSERT_NE(button, nullptr) << id;
  button->click();
}

void ContactDialogTest::ChooseRingTone(const CContactEditor& dialog, int index) {
  auto* list = dialog.Item<QComboBox>(dialog.Ids().ringTone);
  list->setCurrentIndex(index);
  emit list->activated(index);
}

QString ContactDialogTest::SelectedRingTone(const CContactEditor& dialog) {
  return dialog.Item<QComboBox>(dialog.Ids().ringTone)->currentText();
}

void ContactDialogTest::DropFiles(QDialog& dialog, const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data.setUrls(urls);
  QPoint point(50, 50);
  QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&dialog, &enter);
  QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&dialog, &drop);
}

void ContactDialogTest::DoubleClickPicture(const CContactEditor& dialog) {
  QTest::mouseDClick(dialog.GetDlgItem(dialog.Ids().picture), Qt::LeftButton);
}

QString ContactDialogTest::WritePicture(const QString& name, const char* format,
                                        QColor color) const {
  QImage image(48, 64, QImage::Format_RGB32);
  image.fill(color);
  QPainter painter(&image);
  painter.setBrush(Qt::white);
  painter.drawEllipse(12, 12, 24, 30);
  painter.end();
  QString path = folder_.FilePath(name);
  EXPECT_TRUE(image.save(path, format));
  return path;
}

ContactTexts ContactDialogTest::StoredRow(qint64 id) {
  DatabaseConnection db;
  SqlStatement row(db, "select * from Contact_Table where ID = " + QString::number(id));
  ContactTexts texts;
  if (row.Step() != SQLITE_ROW) return texts;
  for (int column = 0; column < kContactColumnCount; ++column) {
    if (column != kColumnPicture) texts[column] = row.ColumnText(column);
  }
  return texts;
}

QByteArray ContactDialogTest::StoredPicture(qint64 id) {
  DatabaseConnection db;
  SqlStatement row(db, "select Picture from Contact_Table where ID = " + QString::number(id));
  return row.Step() == SQLITE_ROW ? row.ColumnBytes(0) : QByteArray();
}

bool ContactDialogTest::IsNull(qint64 id, const QString& column) {
  return CountContactRows(QString("ID = %1 and %2 is null").arg(id).arg(column)) == 1;
}

SampleContact ContactDialogTest::FullPhoneContact() {
  SampleContact contact = SamplePhoneContact("安", "O'Neil");
  for (const EditorField& field : EditorFields()) {
    contact.Set(kContactColumns[field.column],
                QString("%1 \"张\" d'%2").arg(kContactColumns[field.column]).arg(field.column));
  }
  return contact.Set("First_Name", "安")
      .Set("Middle_Name", "B")
      .Set("Last_Name", "O'Neil")
      .Set("Mobile_Phone", "13800001111")
      .Set("SIM_Name", "O'Neil,安 B")
      .Set("Notes", "line one\r\nline \"two\"");
}
