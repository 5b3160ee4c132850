#include <QPainter>
#include <QTest>

#include <cstdlib>

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "platform/windows/resources.h"
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

// Whether two colours differ by at most `tolerance` in each channel (JPEG pictures blur a little).
bool Near(QColor a, QColor b, int tolerance = 12) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

// The main window's picture as saved, and where a widget's point lies in it.
class BrowseScreenshotTest : public BrowseTest {
 protected:
  QImage Shot(const QString& name) const { return QImage(SaveScreenshot(frame_, name)); }
  QColor At(const QImage& shot, QWidget* widget, QPoint point) const {
    return shot.pixelColor(widget->mapTo(frame_, point));
  }
};

// Eight cards, four a row, in view order (phone contacts by first name, then SIM contacts), each
// with its portrait or the default picture, on the background of its kind; the clicked one
// selected.
TEST_F(BrowseScreenshotTest, CardViewShowsTheCardsInRowsWithPicturesAndTheSelection) {
  InsertContacts(SampleBook());
  StartApp();
  SetCardAreaWidth(860);
  std::vector<CDlgResult*> cards = Cards()->ShownCards();
  ASSERT_EQ(cards.size(), 8u);
  QTest::mouseClick(cards[1], Qt::LeftButton, {}, QPoint(150, 240));
  QImage shot = Shot("card_view");

  const QPoint places[] = {{20, 20},  {230, 20},  {440, 20},  {650, 20},
                           {20, 290}, {230, 290}, {440, 290}, {650, 290}};
  const QColor backdrops[] = {
      QColor(120, 170, 230), {}, QColor(170, 220, 160), {}, {}, QColor(230, 190, 120), {}, {}};
  const int backgrounds[] = {
      kBitmapCardPhone, kBitmapCardPhoneSelected, kBitmapCardPhone, kBitmapCardPhone,
      kBitmapCardPhone, kBitmapCardPhone,         kBitmapCardSim,   kBitmapCardSim};
  const QPoint backgroundProbe(100, 248);
  for (size_t i = 0; i < cards.size(); ++i) {
    EXPECT_EQ(cards[i]->pos(), places[i]) << i;
    EXPECT_EQ(At(shot, cards[i], backgroundProbe),
              LoadBitmap(backgrounds[i]).pixelColor(backgroundProbe))
        << i;
    if (backdrops[i].isValid()) {
      QPoint corner = cards[i]->m_stPicture->pos() + QPoint(3, 3);
      EXPECT_TRUE(Near(At(shot, cards[i], corner), backdrops[i])) << i;
    }
  }
}

// The list: one row a record in view order, rows alternating white and cyan, the selected one
// in the selection colour.
TEST_F(BrowseScreenshotTest, ListViewShowsTheRowsAndTheSelection) {
  InsertContacts(SampleBook());
  StartApp();
  SearchPane()->OnContactList();
  QTableView* list = List()->m_list;
  list->selectRow(2);
  QImage shot = Shot("list_view");

  ASSERT_EQ(list->model()->rowCount(), 8);
  EXPECT_EQ(list->model()->index(2, 1).data().toString(), "Chloe");
  auto cellColour = [&](int row) {
    QRect cell = list->visualRect(list->model()->index(row, 2));  // Middle Name: left blank
    return At(shot, list->viewport(), cell.topLeft() + QPoint(3, cell.height() / 2));
  };
  EXPECT_EQ(cellColour(0), QColor(0, 255, 255));
  EXPECT_EQ(cellColour(1), QColor(Qt::white));
  EXPECT_EQ(cellColour(2), list->palette().color(QPalette::Active, QPalette::Highlight));
}

}  // namespace
