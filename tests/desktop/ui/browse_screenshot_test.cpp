#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/desktop/ui/browse_testing.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/test_images.h"

namespace {

// A small portrait as a JPEG file: a coloured backdrop with a head and shoulders.
QByteArray Portrait(QColor backdrop, QColor clothes) {
  QImage image(90, 120, QImage::Format_RGB32);
  image.fill(backdrop);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(clothes);
  painter.drawEllipse(QRect(5, 80, 80, 80));
  painter.setBrush(QColor(240, 200, 165));
  painter.drawEllipse(QRect(25, 25, 40, 50));
  painter.end();
  return ImageFileBytes(image, "JPG", 85);
}

std::vector<SampleContact> SampleBook() {
  auto phone = [](const QString& first, const QString& last, const QString& mobile,
                  const QString& mail) {
    return SamplePhoneContact(first, last, mobile).Set("E_Mail", mail).Set("Work_Tel", "010-8888");
  };
  std::vector<SampleContact> book = {
      phone("Alice", "Walker", "13800000001", "alice@example.com"),
      phone("伟", "张", "13912345678", "zhangwei@example.cn").Set("Notes", "大学同学"),
      phone("Bruno", "Costa", "+55 11 9999", "bruno@example.org").Set("Middle_Name", "M."),
      phone("芳", "王", "13600001111", "wangfang@example.cn"),
      phone("Chloe", "Martin", "06 12 34 56", "chloe@example.fr").Set("Home_Tel", "01 45 00"),
      phone("Dmitri", "Ivanov", "+7 900 000", "dmitri@example.ru"),
      SampleSimContact("李娜", "13711112222"),
      SampleSimContact("Office", "021-5555"),
  };
  book[0].picture = Portrait(QColor(120, 170, 230), QColor(40, 70, 140));
  book[1].picture = Portrait(QColor(230, 190, 120), QColor(150, 40, 40));
  book[4].picture = Portrait(QColor(170, 220, 160), QColor(60, 120, 60));
  return book;
}

class BrowseScreenshotTest : public BrowseTest {};

TEST_F(BrowseScreenshotTest, CardViewAndListView) {
  InsertContacts(SampleBook());
  StartApp();
  frame_->showNormal();
  frame_->resize(1120, 760);
  QTest::qWait(30);
  QTest::mouseClick(Cards()->ShownCards()[1], Qt::LeftButton, {}, QPoint(150, 240));
  SaveScreenshot(frame_, "card_view");

  SearchPane()->OnContactList();
  List()->m_list->selectRow(2);
  QTest::qWait(30);
  SaveScreenshot(frame_, "list_view");
}

}  // namespace
