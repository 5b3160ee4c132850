#include "desktop/exchange/vcard/vcard_parser.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "common/ansi_text.h"

namespace {

std::vector<ContactRecord> Cards(const QByteArray& file) {
  std::vector<ContactRecord> cards;
  ReadVCards(file, [&](const ContactRecord& card) { cards.push_back(card); });
  return cards;
}

// One card holding the given lines after its name line "N:Smith;John;;;".
ContactRecord Card(const QByteArray& lines) {
  std::vector<ContactRecord> cards =
      Cards("BEGIN:VCARD\nVERSION:3.0\nFN:John Smith\nN:Smith;John;;;\n" + lines + "END:VCARD\n");
  EXPECT_EQ(cards.size(), 1u);
  return cards.empty() ? ContactRecord() : cards.front();
}

TEST(VCardParserTest, NewRecordIsEmpty) {
  ContactRecord record;
  for (int n = 1; n <= kContactFieldCount; ++n) EXPECT_TRUE(record.Field(n).isEmpty()) << n;
  EXPECT_EQ(record.workAddressSeen + record.homeAddressSeen + record.otherAddressSeen, 0);
}

TEST(VCardParserTest, TheNameComesFromTheNLineWhereverItStands) {
  struct Case {
    QByteArray lines;
    QString last, first, middle, title, suffix, fileAs;
  } cases[] = {
      {"VERSION:3.0\nFN:x\nN:Smith;John;Q;Dr;Jr;extra\n", "Smith", "John", "Q", "Dr", "Jr",
       "Smith,John Q"},
      {"N:Smith;John;;;\nVERSION:2.1\nFN:John Smith\n", "Smith", "John", "", "", "", "Smith,John"},
      {"FN:John Smith\nTEL;TYPE=CELL:1\nn:O\\;Neil\\\\;Ann\\, B\n", "O;Neil\\", "Ann, B", "", "",
       "", "O;Neil\\,Ann, B"},
      {"VERSION:3.0\nFN:John Smith\\, Jr\n", "John Smith, Jr", "", "", "", "", "John Smith, Jr,"},
      {"TITLE:t\n", "", "", "", "", "", ""},
  };
  for (const Case& c : cases) {
    std::vector<ContactRecord> cards = Cards("BEGIN:VCARD\n" + c.lines + "END:VCARD\n");
    ASSERT_EQ(cards.size(), 1u) << c.lines.constData();
    const ContactRecord& card = cards[0];
    EXPECT_EQ(card.lastName, c.last) << c.lines.constData();
    EXPECT_EQ(card.firstName, c.first) << c.lines.constData();
    EXPECT_EQ(card.middleName, c.middle) << c.lines.constData();
    EXPECT_EQ(card.title, c.title) << c.lines.constData();
    EXPECT_EQ(card.suffix, c.suffix) << c.lines.constData();
    EXPECT_EQ(card.fileAs, c.fileAs) << c.lines.constData();
    EXPECT_EQ(card.notes, "") << c.lines.constData();  // VERSION, FN and N are not kept
  }
}

TEST(VCardParserTest, PropertiesSetOrFillTheirColumns) {
  ContactRecord card = Card(
      "TEL;TYPE=CELL:100\ntel;type=cell:101\nNICKNAME:Jo\nTEL;TYPE=PAGER:102\n"
      "TEL;TYPE=WORK:201\nTEL;TYPE=WORK:202\nTEL;TYPE=WORK:203\nTEL;TYPE=WORK;TYPE=FAX:204\n"
      "TEL;TYPE=CAR:205\nTEL;TYPE=HOME:301\nTEL;TYPE=HOME:302\nTEL;TYPE=HOME;TYPE=FAX:303\n"
      "ORG:Acme;Labs\nTITLE:Boss\nX-MSN:m1\nX-YAHOO:m2\nX-GTALK:m3\nX-SKYPE:m4\n"
      "EMAIL;TYPE=INTERNET:a@x\nEMAIL;TYPE=INTERNET:b@x\nEMAIL;TYPE=INTERNET:c@x\n"
      "EMAIL;TYPE=INTERNET:d@x\n");
  EXPECT_EQ(card.mobilePhone, "101");  // the last one wins
  EXPECT_EQ(card.nickName, "Jo");
  EXPECT_EQ(card.pager, "102");
  EXPECT_EQ(card.workTel, "201");
  EXPECT_EQ(card.workTel2, "202");
  EXPECT_EQ(card.workFax, "204");
  EXPECT_EQ(card.carTel, "205");
  EXPECT_EQ(card.homeTel, "301");
  EXPECT_EQ(card.homeTel2, "302");
  EXPECT_EQ(card.homeFax, "303");
  EXPECT_EQ(card.company, "Acme;Labs");
  EXPECT_EQ(card.jobTitle, "Boss");
  EXPECT_EQ(card.im, "m1");
  EXPECT_EQ(card.im2, "m2");
  EXPECT_EQ(card.im3, "m3");
  EXPECT_EQ(card.eMail, "a@x");
  EXPECT_EQ(card.eMail2, "b@x");
  EXPECT_EQ(card.eMail3, "c@x");
  // What finds no free column is kept in the notes, in file order.
  EXPECT_EQ(card.notes, "\r\nTEL;TYPE=WORK:203\r\nX-SKYPE:m4\r\nEMAIL;TYPE=INTERNET:d@x");
}

TEST(VCardParserTest, ValuesKeepTheirColonsAndAreUnescaped) {
  ContactRecord card = Card(
      "BDAY:1990-01-02T00:00:00Z\nURL:http://example.com:8080/a\n"
      "ORG:Smith\\, Jones & Co\\; Ltd\nTITLE:C:\\\\new \\\"x\\\" \\q\\\n"
      "NICKNAME:a\\nb\\Nc\nX-CUSTOM::x\\,y\n");
  EXPECT_EQ(card.birthday, "1990-01-02T00:00:00Z");
  EXPECT_EQ(card.webPage, "http://example.com:8080/a");
  EXPECT_EQ(card.company, "Smith, Jones & Co; Ltd");
  EXPECT_EQ(card.jobTitle, "C:\\new \"x\" \\q\\");  // a backslash that escapes nothing stays
  EXPECT_EQ(card.nickName, "a\r\nb\r\nc");
  EXPECT_EQ(card.notes, "\r\nX-CUSTOM::x,y");
}

TEST(VCardParserTest, GroupedLinesGoToTheColumnOfTheirLabel) {
  ContactRecord card = Card(
      "item1.TEL:555-1234\nitem1.X-ABLabel:COMPANY_MAIN\n"
      "item2.TEL:2\nitem2.X-ABLabel:radio\n"
      "item3.TEL:3\nitem3.X-ABLabel:ASSISTANT\n"
      "ITEM4.X-ABDATE:2001-02-03\nitem4.X-ABLabel:_$!<Anniversary>!$_\n"
      "item5.X-ABRELATEDNAMES:Ann\nitem5.X-ABLabel:_$!<Spouse>!$_\n"
      "item6.X-ABRELATEDNAMES:Kid\nitem6.X-ABLabel:_$!<Child>!$_\n"
      "item7.X-ABRELATEDNAMES:Al\nitem7.X-ABLabel:_$!<Assistant>!$_\n"
      "item8.X-ABRELATEDNAMES:Max\nitem8.X-ABLabel:_$!<Manager>!$_\n"
      "item9.TEL:555-1234\nitem9.X-ABLabel:_$!<Other>!$_\n");
  EXPECT_EQ(card.companyTel, "555-1234");
  EXPECT_EQ(card.radioTel, "2");
  EXPECT_EQ(card.assistantTel, "3");
  EXPECT_EQ(card.anniversary, "2001-02-03");
  EXPECT_EQ(card.spouse, "Ann");
  EXPECT_EQ(card.children, "Kid");
  EXPECT_EQ(card.assistant, "Al");
  EXPECT_EQ(card.manager, "Max");
  EXPECT_EQ(card.notes, "\r\n_$!<Other>!$_:555-1234");
}

TEST(VCardParserTest, EveryGroupedLineKeepsItsPlace) {
  // Only the label line of its own group labels a grouped line.
  ContactRecord card = Card("item1.TEL:7\nTEL;TYPE=CELL:100\nitem2.TEL:8\nitem3.X-ABLabel:RADIO\n");
  EXPECT_EQ(card.mobilePhone, "100");
  EXPECT_EQ(card.radioTel, "");
  EXPECT_EQ(card.notes, "\r\nitem1.TEL:7\r\nitem2.TEL:8\r\nitem3.X-ABLabel:RADIO");
  // A grouped line without a value still takes its label line, so the lines after it keep
  // their meaning.
  card = Card(
      "item1.TEL:\nitem1.X-ABLabel:COMPANY_MAIN\nTEL;TYPE=CELL:100\nitem2.TEL:2\n"
      "item2.X-ABLabel:RADIO\n");
  EXPECT_EQ(card.companyTel, "");
  EXPECT_EQ(card.mobilePhone, "100");
  EXPECT_EQ(card.radioTel, "2");
  EXPECT_EQ(card.notes, "");
  // An empty one stores nothing, so it takes nothing away either.
  card = Card(
      "item1.TEL:555\nitem1.X-ABLabel:COMPANY_MAIN\nitem2.TEL:\nitem2.X-ABLabel:COMPANY_MAIN\n"
      "item3.TEL:\nitem3.X-ABLabel:_$!<Other>!$_\n");
  EXPECT_EQ(card.companyTel, "555");
  EXPECT_EQ(card.notes, "");
  // A grouped line whose label line never comes is kept in the notes.
  EXPECT_EQ(Card("item1.TEL:555\n").notes, "\r\nitem1.TEL:555");
}

TEST(VCardParserTest, AddressesFillTheColumnsOfTheirKindOnce) {
  ContactRecord card = Card(
      "ADR;TYPE=HOME:PO 5;Flat 2;1 Main St\\; Suite 5;Springfield;IL;62701;USA\n"
      "ADR;TYPE=HOME:;;2 Side St;;;;\n"
      "ADR;TYPE=WORK:;;;Paris\n"
      "ADR;TYPE=OTHER:;;Lane;Town;St;9;Land\n"
      "ADR:;;Street;Town;;;\n");
  EXPECT_EQ(card.homeStreet, "1 Main St; Suite 5");
  EXPECT_EQ(card.homeCity, "Springfield");
  EXPECT_EQ(card.homeState, "IL");
  EXPECT_EQ(card.homeZip, "62701");
  EXPECT_EQ(card.homeCountry, "USA");
  EXPECT_EQ(card.workStreet, "");
  EXPECT_EQ(card.workCity, "Paris");
  EXPECT_EQ(card.workCountry, "");
  EXPECT_EQ(card.otherStreet, "Lane");
  EXPECT_EQ(card.otherCountry, "Land");
  EXPECT_EQ(card.homeAddressSeen, 1);
  EXPECT_EQ(card.workAddressSeen, 1);
  EXPECT_EQ(card.otherAddressSeen, 1);
  EXPECT_EQ(card.notes,
            "\r\nHomeAddress:PO 5 Flat 2\r\nHomeAddress:;;2 Side St;;;;"
            "\r\nOtherAddress:;;Street;Town;;;");

  // An empty address counts as the address of its kind.
  card = Card("ADR;TYPE=WORK:\nADR;TYPE=WORK:;;Street\n");
  EXPECT_EQ(card.workStreet, "");
  EXPECT_EQ(card.notes, "\r\nWorkAddress:;;Street");
}

TEST(VCardParserTest, NoteComesFirstAndGivesBackTheFieldsWrittenIntoIt) {
  ContactRecord card =
      Card("X-A:1\nNOTE:own\\nnotes\\n\\nDepartment:Sales\\nFile As:Boss\\, The\\nGove.ID:7\\n8\n");
  EXPECT_EQ(card.notes, "own\r\nnotes\r\nX-A:1");
  EXPECT_EQ(card.department, "Sales");
  EXPECT_EQ(card.fileAs, "Boss, The");
  EXPECT_EQ(card.goveId, "7\r\n8");

  // Only the note's own fields: nothing before them, or the contact's notes and a line break.
  card = Card("NOTE:\\nOffice Loc:B2\\nAccount:9\n");
  EXPECT_EQ(card.notes, "");
  EXPECT_EQ(card.officeLoc, "B2");
  EXPECT_EQ(card.account, "9");
  // Other programs' notes are kept whole.
  card = Card("NOTE:call\\nAccount:9\n");
  EXPECT_EQ(card.notes, "call\r\nAccount:9");
  EXPECT_EQ(card.account, "");
  // A later note goes first.
  EXPECT_EQ(Card("note:a\nNOTE:b\n").notes, "b\r\na");
}

TEST(VCardParserTest, UnlistedLinesAreKeptInTheNotes) {
  ContactRecord card = Card(
      "PHOTO;ENCODING=b;TYPE=JPEG:AAAA\n BBBB\nTEL;TYPE=WORK;TYPE=pref:9\n"
      "NOTE;CHARSET=UTF-8:n\n::lead\nno colon\n\n");
  EXPECT_EQ(card.workTel, "");
  EXPECT_EQ(card.notes,
            "\r\nPHOTO;ENCODING=b;TYPE=JPEG:AAAABBBB\r\nTEL;TYPE=WORK;TYPE=pref:9"
            "\r\nNOTE;CHARSET=UTF-8:n\r\nlead:\r\nno colon:\r\n:");
}

TEST(VCardParserTest, FoldedLinesAreUnfolded) {
  ContactRecord card = Card(
      "NOTE:Met at the confer\n ence.\\nCall b\n\tack\nTITLE:Chief\n  Officer\n"
      "EMAIL;TYPE=INT\n ERNET:a@\n x\n");
  EXPECT_EQ(card.notes, "Met at the conference.\r\nCall back");
  EXPECT_EQ(card.jobTitle, "Chief Officer");
  EXPECT_EQ(card.eMail, "a@x");
}

TEST(VCardParserTest, CardsRunFromBeginToEnd) {
  std::vector<ContactRecord> cards = Cards(
      "junk\nN:Skipped\nBEGIN:VCARD\nN:One\nEND:VCARD\nbetween\n"
      "BEGIN:VCARD\nN:Two\nTITLE:t\nEND:VCARD\n");
  ASSERT_EQ(cards.size(), 2u);
  EXPECT_EQ(cards[0].lastName, "One");
  EXPECT_EQ(cards[0].jobTitle, "");
  EXPECT_EQ(cards[1].lastName, "Two");
  EXPECT_EQ(cards[1].jobTitle, "t");

  // Nothing carries over from one card to the next.
  cards = Cards(
      "BEGIN:VCARD\nN:A\nADR;TYPE=WORK:;;s\nitem1.TEL:1\nFN:F\nEND:VCARD\n"
      "BEGIN:VCARD\nADR;TYPE=WORK:;;t\nEND:VCARD\n");
  ASSERT_EQ(cards.size(), 2u);
  EXPECT_EQ(cards[1].lastName, "");
  EXPECT_EQ(cards[1].workStreet, "t");
  EXPECT_EQ(cards[1].notes, "");

  EXPECT_TRUE(Cards("").empty());
  EXPECT_TRUE(Cards("VERSION:3.0\nN:Smith\n").empty());
}

TEST(VCardParserTest, AByteOrderMarkMakesTheFileUtf8) {
  std::vector<ContactRecord> cards = Cards(
      "\xEF\xBB\xBF"
      "BEGIN:VCARD\nN:\xE5\xBC\xA0;\xE4\xBC\x9F\nEND:VCARD\n");
  ASSERT_EQ(cards.size(), 1u);
  EXPECT_EQ(cards[0].lastName, QString::fromUtf8("张"));
  EXPECT_EQ(cards[0].firstName, QString::fromUtf8("伟"));
}

TEST(VCardParserTest, ACardNeverRunsIntoTheNextOne) {
  // Short cards, and a card without its end.
  std::vector<ContactRecord> cards = Cards(
      "BEGIN:VCARD\nN:A;B\nEND:VCARD\nBEGIN:VCARD\nEND:VCARD\n"
      "BEGIN:VCARD\nN:C;D\nTITLE:t\nBEGIN:VCARD\nN:E\nEND:VCARD\n");
  ASSERT_EQ(cards.size(), 4u);
  EXPECT_EQ(cards[0].lastName, "A");
  EXPECT_EQ(cards[0].firstName, "B");
  EXPECT_EQ(cards[1].lastName, "");
  EXPECT_EQ(cards[2].lastName, "C");
  EXPECT_EQ(cards[2].jobTitle, "t");
  EXPECT_EQ(cards[2].notes, "");
  EXPECT_EQ(cards[3].lastName, "E");

  // A file that ends inside a card still gives that card.
  cards = Cards("BEGIN:VCARD\nV\nF\nN:E;F\nTITLE:t");
  ASSERT_EQ(cards.size(), 1u);
  EXPECT_EQ(cards[0].lastName, "E");
  EXPECT_EQ(cards[0].jobTitle, "t");
  EXPECT_EQ(Cards("BEGIN:VCARD\nV\n").size(), 1u);
}

TEST(VCardParserTest, LinesAreReadAsTextModeCodePage936) {
  QByteArray chinese = WideToAnsi(QString::fromUtf8("张伟"));
  QByteArray nul("ORG:x\0y\r\n", 9);
  ContactRecord card = Cards("BEGIN:VCARD\r\nV\r\nF\r\nN:" + chinese + ";J\xFF\r\nTITLE:a\rb\r\n" +
                             nul + "END:VCARD\r\n")[0];
  EXPECT_EQ(card.lastName, QString::fromUtf8("张伟"));
  EXPECT_EQ(card.firstName, QString("J") + QChar(0xFFFD));
  EXPECT_EQ(card.jobTitle, "a\rb");  // a CR that does not end the line stays
  EXPECT_EQ(card.company, "xy");     // a NUL, which no text holds, is dropped
}

TEST(VCardParserTest, LongLinesAndAnyBytesAreRead) {
  QByteArray longValue(2 * 1024 * 1024, 'a');
  EXPECT_EQ(Card("TITLE:" + longValue + "\n").jobTitle.size(), longValue.size());

  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    QByteArray bytes = "BEGIN:VCARD\nN:x\n";
    int size = std::uniform_int_distribution<int>(0, 600)(random);
    for (int i = 0; i < size; ++i) {
      static const char kAlphabet[] = "\n\r:; ab\0\x80\xFF";
      bytes += kAlphabet[std::uniform_int_distribution<int>(0, sizeof kAlphabet - 2)(random)];
    }
    EXPECT_GE(Cards(bytes).size(), 1u);
  }
}

}  // namespace
