#include "desktop/exchange/vcard/vcard_parser.h"

#include <QBuffer>
#include <QStringConverter>

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "common/ansi_text.h"

namespace {

using R = ContactRecord;
using Fields = std::vector<std::pair<QString ContactRecord::*, QString>>;

std::vector<ContactRecord> Cards(QByteArray file) {
  std::vector<ContactRecord> cards;
  QBuffer buffer(&file);
  buffer.open(QIODevice::ReadOnly);
  VCardReader reader(buffer);
  for (ContactRecord card; reader.Next(&card);) cards.push_back(card);
  EXPECT_EQ(reader.Stopped(), VCardReader::Stop::kEnd);
  return cards;
}

// One card holding the given lines after its name line "N:Smith;John;;;".
ContactRecord Card(const QByteArray& lines) {
  std::vector<ContactRecord> cards =
      Cards("BEGIN:VCARD\nVERSION:3.0\nFN:John Smith\nN:Smith;John;;;\n" + lines + "END:VCARD\n");
  EXPECT_EQ(cards.size(), 1u);
  return cards.empty() ? ContactRecord() : cards.front();
}

// Lines of a card and what they give.
struct LinesAndFields {
  QByteArray lines;
  Fields fields;
};

// Checks the given fields of a card; `context` names the case in a failure.
void ExpectFields(const ContactRecord& card, const Fields& expected, const QByteArray& context) {
  for (const auto& [field, value] : expected) {
    int number = 1;
    while (kContactFields[number - 1].member != field) ++number;
    EXPECT_EQ((card.*field).toStdString(), value.toStdString())
        << "field " << number << " of: " << context.constData();
  }
}

TEST(VCardParserTest, NewRecordIsEmpty) {
  ContactRecord record;
  for (int n = 1; n <= kContactFieldCount; ++n) EXPECT_TRUE(record.Field(n).isEmpty()) << n;
  EXPECT_EQ(record.workAddressSeen + record.homeAddressSeen + record.otherAddressSeen, 0);
}

TEST(VCardParserTest, TheNameComesFromTheNLineWhereverItStands) {
  const LinesAndFields cases[] = {
      {"VERSION:3.0\nFN:x\nN:Smith;John;Q;Dr;Jr;extra\n",
       {{&R::lastName, "Smith"},
        {&R::firstName, "John"},
        {&R::middleName, "Q"},
        {&R::title, "Dr"},
        {&R::suffix, "Jr"},
        {&R::fileAs, "Smith,John Q"}}},
      {"N:Smith;John;;;\nVERSION:2.1\nFN:John Smith\n",
       {{&R::lastName, "Smith"}, {&R::firstName, "John"}, {&R::fileAs, "Smith,John"}}},
      {"FN:John Smith\nTEL;TYPE=CELL:1\nn:O\\;Neil\\\\;Ann\\, B\n",
       {{&R::lastName, "O;Neil\\"}, {&R::firstName, "Ann, B"}, {&R::fileAs, "O;Neil\\,Ann, B"}}},
      // No N line: the formatted name.
      {"VERSION:3.0\nFN:John Smith\\, Jr\n",
       {{&R::lastName, "John Smith, Jr"}, {&R::firstName, ""}, {&R::fileAs, "John Smith, Jr,"}}},
      {"TITLE:t\n", {{&R::lastName, ""}, {&R::fileAs, ""}}},
      // vCard 2.1's quoted-printable, in the character set it names, or in UTF-8 or code page
      // 936 without one; "=" at a line's end joins the next line.
      {"N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E5=BC=A0;=E4=BC=9F;;;\n"
       "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E5=BC=A0=E4=BC=9F\n",
       {{&R::lastName, "张"}, {&R::firstName, "伟"}, {&R::fileAs, "张,伟"}}},
      {"FN;ENCODING=QUOTED-PRINTABLE;CHARSET=gb2312:=D5=C5=\n=CE=B0=81=40 J=\nr=3D=\n",
       {{&R::lastName, "张伟丂 Jr="}}},  // 丂 is GBK's, which phones call GB2312
      {"N;QUOTED-PRINTABLE;CHARSET=ISO-8859-1:Caf=E9;=3Dx=zz=\n",
       {{&R::lastName, "Café"}, {&R::firstName, "=x=zz"}}},
      {"N;ENCODING=QUOTED-PRINTABLE:Zo=C3=AB\n", {{&R::lastName, "Zoë"}}},
      {"N;ENCODING=QUOTED-PRINTABLE:=D5=C5\n", {{&R::lastName, "张"}}},
  };
  for (const LinesAndFields& c : cases) {
    std::vector<ContactRecord> cards = Cards("BEGIN:VCARD\n" + c.lines + "END:VCARD\n");
    ASSERT_EQ(cards.size(), 1u) << c.lines.constData();
    ExpectFields(cards[0], c.fields, c.lines);
    EXPECT_EQ(cards[0].notes, "") << c.lines.constData();  // VERSION, FN and N are not kept
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
  ExpectFields(card,
               {{&R::mobilePhone, "100"},  // a second mobile number is kept in the notes
                {&R::nickName, "Jo"},
                {&R::pager, "102"},
                {&R::workTel, "201"},
                {&R::workTel2, "202"},
                {&R::workFax, "204"},
                {&R::carTel, "205"},
                {&R::homeTel, "301"},
                {&R::homeTel2, "302"},
                {&R::homeFax, "303"},
                {&R::company, "Acme;Labs"},
                {&R::jobTitle, "Boss"},
                {&R::im, "m1"},
                {&R::im2, "m2"},
                {&R::im3, "m3"},
                {&R::eMail, "a@x"},
                {&R::eMail2, "b@x"},
                {&R::eMail3, "c@x"},
                // What finds no free column is kept in the notes, in file order.
                {&R::notes,
                 "\r\ntel;type=cell:101\r\nTEL;TYPE=WORK:203\r\nX-SKYPE:m4\r\n"
                 "EMAIL;TYPE=INTERNET:d@x"}},
               "properties");
}

// Parameters are a set of types in any case, spelling and order; the types that name no field
// (VOICE, PREF, INTERNET and any other) are left out. A line whose types name no field takes the
// first field of its kind that is left empty, in the export's order.
TEST(VCardParserTest, OtherProgramsSpellingsOfTypesFillTheSameFields) {
  const LinesAndFields cases[] = {
      {"TEL;TYPE=CELL;TYPE=VOICE;TYPE=pref:1\nEMAIL;TYPE=INTERNET;TYPE=HOME:a@x\n"
       "TEL;TYPE=WORK;TYPE=VOICE:2\nTEL;type=fax;TYPE=Work:3\nTEL;TYPE=HOME,FAX:4\n",
       {{&R::mobilePhone, "1"},
        {&R::eMail, "a@x"},
        {&R::workTel, "2"},
        {&R::workFax, "3"},
        {&R::homeFax, "4"},
        {&R::notes, ""}}},
      {"TEL;CELL;VOICE:1\nTEL;HOME;FAX:2\nTEL;PREF;WORK:3\nEMAIL;INTERNET:a@x\nADR;WORK;PREF:;;s\n",
       {{&R::mobilePhone, "1"},
        {&R::homeFax, "2"},
        {&R::workTel, "3"},
        {&R::eMail, "a@x"},
        {&R::workStreet, "s"},
        {&R::notes, ""}}},
      {"TEL;TYPE=\"cell,voice\";VALUE=uri:tel:+44-1\nTEL;VALUE=uri;PREF=1;TYPE=\"voice,home\":tel:"
       "2\n"
       "ADR;TYPE=home;LABEL=\"1 Main St: back\":;;1 Main St;Town\n",
       {{&R::mobilePhone, "+44-1"},
        {&R::homeTel, "2"},
        {&R::homeStreet, "1 Main St"},
        {&R::homeCity, "Town"},
        {&R::notes, ""}}},
      {"TEL;TYPE=MAIN:1\nTEL;TYPE=CELL:2\nTEL:3\n"
       "EMAIL;TYPE=HOME:c\nEMAIL:a\nEMAIL;type=internet:b\n"
       "URL;TYPE=WORK:u\nX-SKYPE;TYPE=HOME:s\nADR;TYPE=POSTAL:;;o\n",
       {{&R::mobilePhone, "2"},
        {&R::pager, "1"},
        {&R::workTel, "3"},
        {&R::eMail, "a"},
        {&R::eMail2, "b"},
        {&R::eMail3, "c"},
        {&R::webPage, "u"},
        {&R::im, "s"},
        {&R::otherStreet, "o"},
        {&R::notes, ""}}},
      {"URL:u\nURL;TYPE=HOME:v\n", {{&R::webPage, "u"}, {&R::notes, "\r\nURL;TYPE=HOME:v"}}},
      // Dates in the basic form are stored as the program reads them.
      {"BDAY;VALUE=date:19800507\nitem1.X-ABDATE:20010601\nitem1.X-ABLabel:_$!<Anniversary>!$_\n",
       {{&R::birthday, "1980-05-07"}, {&R::anniversary, "2001-06-01"}}},
      {"BDAY:1980050\n", {{&R::birthday, "1980050"}}},
  };
  for (const LinesAndFields& c : cases) ExpectFields(Card(c.lines), c.fields, c.lines);
}

TEST(VCardParserTest, ValuesKeepTheirColonsAndAreUnescaped) {
  ContactRecord card = Card(
      "BDAY:1990-01-02T00:00:00Z\nURL:http://example.com:8080/a\n"
      "ORG:Smith\\, Jones & Co\\; Ltd\nTITLE:C:\\\\new \\\"x\\\" \\q\\\n"
      "NICKNAME:a\\nb\\Nc\nX-CUSTOM::x\\,y\n");
  ExpectFields(card,
               {{&R::birthday, "1990-01-02T00:00:00Z"},
                {&R::webPage, "http://example.com:8080/a"},
                {&R::company, "Smith, Jones & Co; Ltd"},
                {&R::jobTitle, "C:\\new \"x\" \\q\\"},  // a backslash that escapes nothing stays
                {&R::nickName, "a\r\nb\r\nc"},
                {&R::notes, "\r\nX-CUSTOM::x,y"}},
               "values");
}

TEST(VCardParserTest, GroupedLinesGoToTheColumnOfTheirLabel) {
  const LinesAndFields cases[] = {
      {"item1.TEL:555-1234\nitem1.X-ABLabel:COMPANY_MAIN\n"
       "item2.TEL:2\nitem2.X-ABLabel:radio\n"
       "item3.TEL:3\nitem3.X-ABLabel:ASSISTANT\n"
       "ITEM4.X-ABDATE:2001-02-03\nitem4.X-ABLabel:_$!<Anniversary>!$_\n"
       "item5.X-ABRELATEDNAMES:Ann\nitem5.X-ABLabel:_$!<Spouse>!$_\n"
       "item6.X-ABRELATEDNAMES:Kid\nitem6.X-ABLabel:_$!<Child>!$_\n"
       "item7.X-ABRELATEDNAMES:Al\nitem7.X-ABLabel:_$!<Assistant>!$_\n"
       "item8.X-ABRELATEDNAMES:Max\nitem8.X-ABLabel:_$!<Manager>!$_\n"
       "item9.TEL:555-1234\nitem9.X-ABLabel:_$!<Other>!$_\n",
       {{&R::companyTel, "555-1234"},
        {&R::radioTel, "2"},
        {&R::assistantTel, "3"},
        {&R::anniversary, "2001-02-03"},
        {&R::spouse, "Ann"},
        {&R::children, "Kid"},
        {&R::assistant, "Al"},
        {&R::manager, "Max"},
        {&R::notes, "\r\n_$!<Other>!$_:555-1234"}}},
      // Only the label line of its own group labels a grouped line; one without is kept.
      {"item1.TEL:7\nTEL;TYPE=CELL:100\nitem2.TEL:8\nitem3.X-ABLabel:RADIO\n",
       {{&R::mobilePhone, "100"},
        {&R::radioTel, ""},
        {&R::notes, "\r\nitem1.TEL:7\r\nitem2.TEL:8\r\nitem3.X-ABLabel:RADIO"}}},
      // A grouped line without a value still takes its label line, and stores nothing.
      {"item1.TEL:555\nitem1.X-ABLabel:COMPANY_MAIN\nitem2.TEL:\nitem2.X-ABLabel:COMPANY_MAIN\n"
       "item3.TEL:\nitem3.X-ABLabel:_$!<Other>!$_\nTEL;TYPE=CELL:100\n",
       {{&R::companyTel, "555"}, {&R::mobilePhone, "100"}, {&R::notes, ""}}},
      // A second line of a label whose column is taken is kept beside it.
      {"item1.TEL:1\nitem1.X-ABLabel:RADIO\nitem2.TEL:2\nitem2.X-ABLabel:RADIO\n",
       {{&R::radioTel, "1"}, {&R::notes, "\r\nRADIO:2"}}},
  };
  for (const LinesAndFields& c : cases) ExpectFields(Card(c.lines), c.fields, c.lines);
}

TEST(VCardParserTest, AddressesFillTheColumnsOfTheirKindOnce) {
  ContactRecord card = Card(
      "ADR;TYPE=HOME:PO 5;Flat 2;1 Main St\\; Suite 5;Springfield;IL;62701;USA\n"
      "ADR;TYPE=HOME:;;2 Side St;;;;\n"
      "ADR;TYPE=WORK:;;;Paris\n"
      "ADR;TYPE=OTHER:;;Lane;Town;St;9;Land\n"
      "ADR:;;Street;Town;;;\n");
  ExpectFields(card,
               {{&R::homeStreet, "1 Main St; Suite 5"},
                {&R::homeCity, "Springfield"},
                {&R::homeState, "IL"},
                {&R::homeZip, "62701"},
                {&R::homeCountry, "USA"},
                {&R::workStreet, ""},
                {&R::workCity, "Paris"},
                {&R::workCountry, ""},
                {&R::otherStreet, "Lane"},
                {&R::otherCountry, "Land"},
                {&R::notes,
                 "\r\nHomeAddress:PO 5 Flat 2\r\nHomeAddress:;;2 Side St;;;;"
                 "\r\nOtherAddress:;;Street;Town;;;"}},
               "addresses");
  EXPECT_EQ(card.homeAddressSeen + card.workAddressSeen + card.otherAddressSeen, 3);

  // An empty address counts as the address of its kind.
  card = Card("ADR;TYPE=WORK:\nADR;TYPE=WORK:;;Street\n");
  EXPECT_EQ(card.workStreet, "");
  EXPECT_EQ(card.notes, "\r\nWorkAddress:;;Street");
}

TEST(VCardParserTest, NoteComesFirstAndGivesBackTheFieldsWrittenIntoIt) {
  const LinesAndFields cases[] = {
      {"X-A:1\nNOTE:own\\nnotes\\n\\nDepartment:Sales\\nFile As:Boss\\, The\\nGove.ID:7\\n8\n",
       {{&R::notes, "own\r\nnotes\r\nX-A:1"},
        {&R::department, "Sales"},
        {&R::fileAs, "Boss, The"},
        {&R::goveId, "7\r\n8"}}},
      {"NOTE:\\nOffice Loc:B2\\nCustomer's ID:c\\nAccount:9\n",
       {{&R::notes, ""}, {&R::officeLoc, "B2"}, {&R::customerId, "c"}, {&R::account, "9"}}},
      // Other programs' notes are kept whole.
      {"NOTE:call\\nAccount:9\n", {{&R::notes, "call\r\nAccount:9"}, {&R::account, ""}}},
      // Notes that hold labelled lines of their own: ending with the separator, or before it.
      {"NOTE:Meeting notes\\n\\nAccount:5\\n\n",
       {{&R::notes, "Meeting notes\r\n\r\nAccount:5"}, {&R::account, ""}}},
      {"NOTE:todo\\n\\nFile As:boss\\n\n",
       {{&R::notes, "todo\r\n\r\nFile As:boss"}, {&R::fileAs, "Smith,John"}}},
      {"NOTE:a\\n\\nAccount:5\\nmore\\n\\nDepartment:d\\n\\nGove.ID:7\n",
       {{&R::notes, "a\r\n\r\nAccount:5\r\nmore\r\n\r\nDepartment:d"},
        {&R::account, ""},
        {&R::department, ""},
        {&R::goveId, "7"}}},
      // Only a label written after the one before it ends that one's value.
      {"NOTE:\\nAccount:1\\nDepartment:2\\nGove.ID:3\n",
       {{&R::notes, ""}, {&R::account, "1\r\nDepartment:2"}, {&R::goveId, "3"}}},
      // A later note goes first.
      {"note:a\nNOTE:b\n", {{&R::notes, "b\r\na"}}},
  };
  for (const LinesAndFields& c : cases) ExpectFields(Card(c.lines), c.fields, c.lines);
}

TEST(VCardParserTest, UnlistedLinesAreKeptInTheNotes) {
  ContactRecord card = Card(
      "PHOTO;ENCODING=b;TYPE=JPEG:AAAA\n BBBB\nX-A;TYPE=\"a:b\":9\nX-B;X=\"open:c\n"
      "::lead\nno colon\nno;colon\n\n");
  EXPECT_EQ(card.notes,
            "\r\nPHOTO;ENCODING=b;TYPE=JPEG:AAAABBBB\r\nX-A;TYPE=\"a:b\":9\r\nX-B;X=\"open:c"
            "\r\nlead:\r\nno colon:\r\nno;colon:\r\n:");
}

TEST(VCardParserTest, FoldedLinesAreUnfolded) {
  ContactRecord card = Card(
      "NOTE:Met at the confer\n ence.\\nCall b\n\tack\nTITLE:Chief\n  Officer\n"
      "EMAIL;TYPE=INT\n ERNET:a@\n x\n");
  ExpectFields(card,
               {{&R::notes, "Met at the conference.\r\nCall back"},
                {&R::jobTitle, "Chief Officer"},
                {&R::eMail, "a@x"}},
               "folded");
}

TEST(VCardParserTest, CardsRunFromBeginToTheNextBeginOrEnd) {
  std::vector<ContactRecord> cards = Cards(
      "junk\nN:Skipped\nBEGIN:VCARD\nN:A;B\nEND:VCARD\nbetween\nBEGIN:VCARD\nEND:VCARD\n"
      "BEGIN:VCARD\nN:C\nADR;TYPE=WORK:;;s\nitem1.TEL:1\nTITLE:t\n"  // no end
      "BEGIN:VCARD\nN:E\nEND:VCARD\n");
  ASSERT_EQ(cards.size(), 4u);
  ExpectFields(cards[0], {{&R::lastName, "A"}, {&R::firstName, "B"}}, "first");
  ExpectFields(cards[1], {{&R::lastName, ""}}, "empty");
  ExpectFields(cards[2], {{&R::lastName, "C"}, {&R::jobTitle, "t"}}, "without end");
  // Nothing carries over from one card to the next.
  ExpectFields(cards[3], {{&R::lastName, "E"}, {&R::jobTitle, ""}, {&R::notes, ""}}, "next");

  // A file that ends inside a card still gives that card.
  cards = Cards("BEGIN:VCARD\nV\nF\nN:E;F\nTITLE:t");
  ASSERT_EQ(cards.size(), 1u);
  ExpectFields(cards[0], {{&R::lastName, "E"}, {&R::jobTitle, "t"}}, "at the end");

  EXPECT_TRUE(Cards("").empty());
  EXPECT_TRUE(Cards("VERSION:3.0\nN:Smith\n").empty());
}

TEST(VCardParserTest, LinesAreReadAsTextModeInCodePage936) {
  QByteArray chinese = WideToAnsi(QString::fromUtf8("张伟"));
  QByteArray nul("ORG:x\0y\r\n", 9);
  ContactRecord card = Cards("BEGIN:VCARD\r\nV\r\nF\r\nN:" + chinese + ";J\xFF\r\nTITLE:a\rb\r\n" +
                             nul + "END:VCARD\r\n")[0];
  ExpectFields(card,
               {{&R::lastName, QString::fromUtf8("张伟")},
                {&R::firstName, QString("J") + QChar(0xFFFD)},
                {&R::jobTitle, "a\rb"},  // a CR that does not end the line stays
                {&R::company, QString("x") + QChar(0) + "y"}},
               "code page 936");
}

// Cards as address books write them, in UTF-8 with or without a byte-order mark, in UTF-16 with
// one, and in GB18030 (its "ë" takes four bytes), which is no UTF-8 and so is read as code page
// 936.
TEST(VCardParserTest, Utf8Utf16AndGb18030Cards) {
  const QString text = QString::fromUtf8(
      "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Brontë;Zoë;;;\r\n"
      "FN:Zoë Brontë\r\nORG:北京大学\r\nEND:VCARD\r\n");
  const QByteArray utf8 = text.toUtf8();
  const QByteArray gb18030 =
      "BEGIN:VCARD\r\nN:Bront\x81\x30\x8A\x35;Zo\x81\x30\x8A\x35\r\n"
      "ORG:\xB1\xB1\xBE\xA9\xB4\xF3\xD1\xA7\r\nEND:VCARD\r\n";
  const auto bom = QStringConverter::Flag::WriteBom;
  const QByteArray utf16le = QStringEncoder(QStringConverter::Utf16LE, bom)(text);
  const QByteArray utf16be = QStringEncoder(QStringConverter::Utf16BE, bom)(text);
  for (const QByteArray& file : {utf8, "\xEF\xBB\xBF" + utf8, gb18030, utf16le, utf16be}) {
    std::vector<ContactRecord> cards = Cards(file);
    ASSERT_EQ(cards.size(), 1u) << file.constData();
    ExpectFields(cards[0],
                 {{&R::lastName, QString::fromUtf8("Brontë")},
                  {&R::firstName, QString::fromUtf8("Zoë")},
                  {&R::company, QString::fromUtf8("北京大学")}},
                 file);
  }
}

// A card (its lines after "BEGIN:VCARD", "END:VCARD" included) or a line between cards that
// would take more than the bound stops the reading; no line is held whole.
TEST(VCardParserTest, ACardOverTheBoundStopsTheReading) {
  const QByteArray card = "BEGIN:VCARD\nN:A\nEND:VCARD\n";
  auto withName = [](qint64 size) {
    return "BEGIN:VCARD\nN:" + QByteArray(size, 'a') + "\nEND:VCARD\n";  // size + 13 bytes
  };
  const QByteArray over(kMaxVCardCardBytes + 4 * 1024 * 1024, 'a');
  for (const QByteArray& tooLarge :
       {withName(kMaxVCardCardBytes - 12), "x" + over + "\n", "BEGIN:VCARD\nNOTE:" + over}) {
    QByteArray file = card + tooLarge + card;
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    VCardReader reader(buffer);
    ContactRecord read;
    EXPECT_TRUE(reader.Next(&read));
    EXPECT_FALSE(reader.Next(&read));
    EXPECT_EQ(reader.Stopped(), VCardReader::Stop::kTooLarge);
    if (tooLarge.size() > over.size()) {
      EXPECT_LT(buffer.pos(), file.size() - 2 * 1024 * 1024);  // the line was not held whole
    }
  }
  EXPECT_EQ(Cards(withName(kMaxVCardCardBytes - 13)).size(), 1u);
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
