#include "desktop/ui/contact_card.h"

#include <QTest>

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "desktop/store/database_connection.h"
#include "platform/windows/ellipsis_static.h"
#include "platform/windows/menu.h"
#include "platform/windows/resources.h"
#include "tests/desktop/ui/browse_testing.h"
#include "tests/support/sample_contacts.h"

namespace {

// A point of a card where only its background shows.
const QPoint kBackgroundProbe(100, 248);

QColor BitmapPixel(int bitmapId, QPoint point) { return LoadBitmap(bitmapId).pixelColor(point); }

// The middle of a card's picture, as drawn.
QColor PictureMiddle(CDlgResult* card) {
  return PixelOf(card, card->m_stPicture->geometry().center());
}

class ContactCardTest : public BrowseTest {};

TEST_F(ContactCardTest, BackgroundsTellTheTypeAndTheLastClickedCard) {
  InsertContacts({SamplePhoneContact("Pat", "Phone"), SampleSimContact("Sim", "123")});
  StartApp();
  std::vector<CDlgResult*> cards = Cards()->ShownCards();
  ASSERT_EQ(cards.size(), 2u);
  CDlgResult* phone = cards[0];
  CDlgResult* sim = cards[1];
  EXPECT_EQ(PixelOf(phone, kBackgroundProbe), BitmapPixel(kBitmapCardPhone, kBackgroundProbe));
  EXPECT_EQ(PixelOf(sim, kBackgroundProbe), BitmapPixel(kBitmapCardSim, kBackgroundProbe));

  QTest::mouseClick(phone, Qt::LeftButton, {}, QPoint(150, 240));
  EXPECT_EQ(App().m_strSelectedID, phone->m_strID);
  EXPECT_EQ(PixelOf(phone, kBackgroundProbe),
            BitmapPixel(kBitmapCardPhoneSelected, kBackgroundProbe));

  QTest::mouseClick(sim, Qt::LeftButton, {}, QPoint(150, 240));
  EXPECT_EQ(App().m_strSelectedID, sim->m_strID);
  EXPECT_TRUE(sim->m_bSelected);
  EXPECT_TRUE(phone->m_bSelected);  // until its timer notices
  EXPECT_TRUE(QTest::qWaitFor([phone] { return !phone->m_bSelected; }));
  EXPECT_EQ(PixelOf(phone, kBackgroundProbe), BitmapPixel(kBitmapCardPhone, kBackgroundProbe));
  EXPECT_EQ(PixelOf(sim, kBackgroundProbe), BitmapPixel(kBitmapCardSimSelected, kBackgroundProbe));
}

TEST_F(ContactCardTest, TheSelectedRecordIsSelectedAgainAfterAReload) {
  InsertNumberedContacts(3);
  StartApp();
  QString id = Cards()->ShownCards()[2]->m_strID;
  QTest::mouseClick(Cards()->ShownCards()[2], Qt::LeftButton, {}, QPoint(20, 240));
  App().m_bDataChanged = true;
  PollCards();
  for (CDlgResult* card : Cards()->ShownCards()) {
    card->OnTimer();
    EXPECT_EQ(card->m_bSelected, card->m_strID == id);
  }
}

TEST_F(ContactCardTest, PicturesShowAt55By70AndCardsWithoutOneShowTheDefault) {
  SampleContact red = SamplePhoneContact("Red", "Picture");
  red.picture = SolidPicture(Qt::red);
  InsertContacts({red, SamplePhoneContact("No", "Picture")});
  StartApp();
  std::vector<CDlgResult*> cards = Cards()->ShownCards();
  ASSERT_EQ(cards.size(), 2u);
  for (CDlgResult* card : cards) EXPECT_EQ(card->m_stPicture->size(), QSize(55, 70));
  EXPECT_EQ(cards[1]->m_edName->text(), "Red  Picture");
  EXPECT_EQ(PictureMiddle(cards[1]), QColor(Qt::red));
  QColor defaultMiddle = cards[0]->m_hDefaultPicture.toImage().pixelColor(27, 35);
  EXPECT_EQ(PictureMiddle(cards[0]), defaultMiddle);
}

TEST_F(ContactCardTest, PictureBytesThatAreNoPictureDrawNothingAndReportNothing) {
  SampleContact broken = SamplePhoneContact("Broken", "Picture");
  broken.picture = "these bytes are no picture";
  InsertContacts({broken, SamplePhoneContact("Empty", "Blob")});
  // Marked as having a picture, but nothing stored.
  DatabaseConnection().Exec("update Contact_Table set hasPic = 1 where First_Name = 'Empty'");
  StartApp();
  for (CDlgResult* card : Cards()->ShownCards()) {
    card->repaint();
    EXPECT_TRUE(card->m_stPicture->pixmap().isNull());
    QPoint middle = card->m_stPicture->geometry().center();
    EXPECT_EQ(PixelOf(card, middle), BitmapPixel(kBitmapCardPhone, middle));
  }
}

// The template's labels would reach their values in this system's fonts ("Home Tel:+86"): each
// value starts clear of its label's text, the name beside the picture, and every value ends
// inside the card, cut with an ellipsis when it is longer.
TEST_F(ContactCardTest, ValuesStandClearOfTheirLabelsAndLongOnesEndInAnEllipsis) {
  SampleContact silva = SamplePhoneContact("Hui", "Silva3", "+86 138 0013 0001");
  silva.Set("Work_Tel", "+86 10 8888 0001 ext 123 and the switchboard")
      .Set("Home_Tel", "+86 21 5555 0001")
      .Set("E_Mail", "hui.silva.with.a.long.address@example-company.com")
      .Set("Notes",
           "Met at the conference in Shanghai, likes tea and long walks; call after six "
           "in the evening, or leave a message with the assistant.");
  InsertContacts({silva});
  StartApp();
  CDlgResult* card = Cards()->ShownCards()[0];
  SaveScreenshot(card, "contact_card_long_values");

  const QRect picture = card->m_stPicture->geometry();
  EXPECT_GT(card->GetDlgItem(1005)->x(), picture.right());  // "Name:"
  EXPECT_GT(card->m_edName->x(), picture.right());
  struct Line {
    int label;
    QLabel* value;
    bool cut;
  };
  const Line lines[] = {{1006, card->m_edMobile, false},
                        {1007, card->m_edWorkTel, true},
                        {1160, card->m_edHomeTel, false},
                        {1008, card->m_edEMail, true},
                        {-1, card->m_edNotes, true}};
  for (const Line& line : lines) {
    auto* label = card->Item<QLabel>(line.label);
    int textEnd = label->x() + QFontMetrics(label->font()).horizontalAdvance(label->text());
    EXPECT_GE(line.value->x() - textEnd, 3) << label->text().toStdString();
    EXPECT_LE(line.value->geometry().right(), 192) << label->text().toStdString();
    QString shown = dynamic_cast<EllipsisStatic*>(line.value)->ShownLines().join(' ');
    EXPECT_EQ(shown.endsWith(QChar(0x2026)), line.cut) << shown.toStdString();
  }
}

// A card that records its record commands.
class RecordingCard : public CDlgResult {
 public:
  using CDlgResult::CDlgResult;
  void OnModify() override { commands << "modify " + m_strID + " " + m_strSimName; }
  void OnDelete() override { commands << "delete " + m_strID + " " + m_strSimName; }
  QStringList commands;
};

TEST_F(ContactCardTest, DoubleClickModifiesAndTheMenuModifiesOrDeletes) {
  QWidget host;
  RecordingCard card(&host);
  card.Create(&host);
  CardRecord record;
  record.id = "42";
  record.simName = "Lee,Ann";
  record.contactType = 1;
  card.Fill(record);
  host.resize(300, 300);
  host.show();
  card.show();

  QTest::mouseClick(&card, Qt::LeftButton, {}, QPoint(100, 200));
  QTest::mouseDClick(&card, Qt::LeftButton, {}, QPoint(100, 200));
  EXPECT_EQ(App().m_strSelectedID, "42");
  for (int command : {ID_CARD_MODIFY, ID_CARD_DELETE, 0}) {
    script_.ExpectMenu([command](QMenu* menu) {
      EXPECT_EQ(menu->actions().size(), 2);
      EXPECT_EQ(FindCommand(menu, ID_CARD_MODIFY)->text(), "Modify selected record");
      EXPECT_EQ(FindCommand(menu, ID_CARD_DELETE)->text(), "Delete selected record");
      return command;
    });
    QTest::mouseClick(&card, Qt::RightButton, {}, QPoint(100, 200));
  }
  EXPECT_EQ(card.commands,
            QStringList({"modify 42 Lee,Ann", "modify 42 Lee,Ann", "delete 42 Lee,Ann"}));
}

}  // namespace
