#include "tests/desktop/ui/browse_testing.h"
#include "tests/support/test_images.h"

#include "desktop/store/contact_database.h"
#include "desktop/store/database_connection.h"

void BrowseTest::StartApp() {
  ASSERT_TRUE(App().InitInstance());
  frame_ = App().MainFrame();
  // A known size, whatever the screen.
  frame_->showNormal();
  frame_->resize(1024, 720);
}

CDlgForm* BrowseTest::SearchPane() const { return dynamic_cast<CDlgForm*>(frame_->SearchPane()); }

CButtonForm* BrowseTest::PageBar() const { return dynamic_cast<CButtonForm*>(frame_->PageBar()); }

CResultForm* BrowseTest::Cards() const { return dynamic_cast<CResultForm*>(frame_->ResultView()); }

CResultList* BrowseTest::List() const { return dynamic_cast<CResultList*>(frame_->ResultView()); }

void BrowseTest::PollCards() {
  Cards()->OnTimer();
  PageBar()->OnTimer();
}

void BrowseTest::SetCardAreaWidth(int width) {
  frame_->showNormal();
  frame_->resize(frame_->width() + width - Cards()->ClientWidth(), 700);
  ASSERT_EQ(Cards()->ClientWidth(), width);
}

QByteArray SolidPicture(QColor color, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  return ImageFileBytes(image, "PNG");
}

QColor PixelOf(QWidget* widget, QPoint point) { return widget->grab().toImage().pixelColor(point); }

void InsertManyContacts(int count) {
  DatabaseConnection db(kContactDatabaseFile, DatabaseConnection::Opening::kAnyFile);
  db.Exec(QString::fromLatin1(kCreateContactTable));  // fails harmlessly when it exists
  QString sql = QStringLiteral(
                    "with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
                    "insert into Contact_Table(First_Name, ContactType, SIM_Name) "
                    "select 'F' || substr('0000' || i, -5), 1, 'S' || i from n")
                    .arg(count);
  ASSERT_EQ(db.Exec(sql), SQLITE_OK) << db.ErrorText().toStdString();
}
