#include "platform/device/stores/pocket_outlook.h"

#include <thread>

#include "platform/device/stores/phone_setup.h"
#include "tests/support/phone_test.h"

namespace {

constexpr CEPROPID kFirstName = 0x82001F;
constexpr CEPROPID kLastName = 0x84001F;
constexpr CEPROPID kRingTone = 0xA8001F;
constexpr CEPROPID kBirthday = 0xF00040;

class PocketOutlookTest : public PhoneTest {
 protected:
  // The application object, logged on, as a contacts job opens it.
  std::unique_ptr<IPOutlookApp2> LogOn() {
    std::unique_ptr<IPOutlookApp2> app;
    EXPECT_EQ(CoInitializeEx(COINIT_MULTITHREADED), S_OK);
    EXPECT_EQ(CoCreateInstance(CLSID_Application, app), S_OK);
    if (app) {
      EXPECT_EQ(app->Logon(0), S_OK);
    }
    return app;
  }

  std::unique_ptr<IPOutlookItemCollection> Items(IPOutlookApp2& app) {
    std::unique_ptr<IFolder> folder;
    std::unique_ptr<IPOutlookItemCollection> items;
    EXPECT_EQ(app.GetDefaultFolder(olFolderContacts, folder), S_OK);
    if (folder) {
      EXPECT_EQ(folder->get_Items(items), S_OK);
    }
    return items;
  }

  CEOID OidAt(IPOutlookItemCollection& items, int index) {
    std::unique_ptr<IContact> contact;
    CEOID oid = 0;
    EXPECT_EQ(items.Item(index, contact), S_OK);
    if (contact) {
      EXPECT_EQ(contact->get_Oid(&oid), S_OK);
    }
    return oid;
  }

  PhoneSetup setup_;
};

TEST_F(PocketOutlookTest, ContactsAreListedInFolderOrderWithTheirProperties) {
  const CEOID ann = setup_.AddContact({.texts = {{kFirstName, "Ann"}, {kLastName, "Lee"}},
                                       .dates = {{kBirthday, MakeDate(1980, 7, 5)}}});
  const CEOID bob = setup_.AddContact({.texts = {{kFirstName, QString::fromUtf8("张三")}}});
  ASSERT_NE(ann, 0);
  ASSERT_NE(bob, 0);

  auto app = LogOn();
  auto items = Items(*app);
  int count = -1;
  ASSERT_EQ(items->get_Count(&count), S_OK);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(OidAt(*items, 1), ann);
  EXPECT_EQ(OidAt(*items, 2), bob);
  std::unique_ptr<IContact> none;
  EXPECT_EQ(items->Item(0, none), E_INVALIDARG);
  EXPECT_EQ(items->Item(3, none), E_INVALIDARG);

  std::unique_ptr<IItem> item;
  ASSERT_EQ(app->GetItemFromOidEx(ann, item), S_OK);
  std::vector<CEPROPVAL> values;
  ASSERT_EQ(item->GetProps({kLastName, 0x83001F, kBirthday, PIMPR_PICTURE}, values), S_OK);
  ASSERT_EQ(values.size(), 4u);
  EXPECT_EQ(values[0].propid, kLastName);
  EXPECT_EQ(values[0].wFlags & CEDB_PROPNOTFOUND, 0);
  EXPECT_EQ(values[0].val.lpwstr, "Lee");
  EXPECT_EQ(values[1].propid, 0x83001Fu);
  EXPECT_EQ(values[1].wFlags & CEDB_PROPNOTFOUND, CEDB_PROPNOTFOUND);
  EXPECT_EQ(values[2].val.filetime, MakeDate(1980, 7, 5));
  EXPECT_EQ(values[3].wFlags & CEDB_PROPNOTFOUND, CEDB_PROPNOTFOUND);  // streams only
  EXPECT_EQ(app->GetItemFromOidEx(bob + 100, item), E_NOT_FOUND);
}

TEST_F(PocketOutlookTest, PositionsFollowContactsDeletedWhileTheFolderIsWalked) {
  std::vector<CEOID> oids;
  for (int i = 0; i < 4; ++i) oids.push_back(setup_.AddContact({}));
  auto app = LogOn();
  auto items = Items(*app);
  auto otherProgram = LogOn();
  auto Delete = [](IPOutlookApp2& by, CEOID oid) {
    std::unique_ptr<IItem> item;
    ASSERT_EQ(by.GetItemFromOidEx(oid, item), S_OK);
    ASSERT_EQ(item->Delete(), S_OK);
  };
  EXPECT_EQ(OidAt(*items, 2), oids[1]);
  Delete(*otherProgram, oids[0]);
  EXPECT_EQ(OidAt(*items, 3), oids[3]);
  Delete(*app, oids[1]);
  std::unique_ptr<IContact> none;
  EXPECT_EQ(items->Item(3, none), E_INVALIDARG);
}

TEST_F(PocketOutlookTest, NewContactIsStoredBySaveWithItsPicture) {
  auto app = LogOn();
  std::unique_ptr<IItem> item;
  ASSERT_EQ(app->CreateItem(olContactItem, item), S_OK);
  EXPECT_EQ(item->SetProps({{kFirstName, 0, {.lpwstr = "Ann"}}}), S_OK);
  EXPECT_EQ(item->SetProps({{kBirthday, 0, {.filetime = MakeDate(1999, 12, 31)}}}), S_OK);
  EXPECT_EQ(item->SetProps({{PIMPR_PICTURE, 0, {}}}), E_INVALIDARG);
  std::unique_ptr<IStream> stream;
  ASSERT_EQ(item->OpenProperty(PIMPR_PICTURE, GENERIC_READ | GENERIC_WRITE, stream), S_OK);
  ULONG written = 0;
  EXPECT_EQ(stream->Write("\x89PNG", 4, &written), S_OK);
  EXPECT_EQ(written, 4u);
  EXPECT_TRUE(setup_.Contacts().empty());  // nothing stored before Save

  std::vector<CEPROPVAL> values;
  ASSERT_EQ(item->GetProps({kFirstName}, values), S_OK);
  EXPECT_EQ(values[0].val.lpwstr, "Ann");  // unsaved changes are seen
  ASSERT_EQ(item->Save(), S_OK);
  EXPECT_NE(item->Oid(), 0);

  const std::vector<PhoneContact> contacts = setup_.Contacts();
  ASSERT_EQ(contacts.size(), 1u);
  EXPECT_EQ(contacts[0].oid, item->Oid());
  EXPECT_EQ(contacts[0].texts, (std::map<CEPROPID, QString>{{kFirstName, "Ann"}}));
  EXPECT_EQ(contacts[0].dates.at(kBirthday), MakeDate(1999, 12, 31));
  EXPECT_EQ(contacts[0].picture, "\x89PNG");

  std::unique_ptr<IItem> unsaved;
  ASSERT_EQ(app->CreateItem(olContactItem, unsaved), S_OK);
  unsaved.reset();
  EXPECT_EQ(setup_.Contacts().size(), 1u);
}

TEST_F(PocketOutlookTest, PictureStreamSeeksReadsAndRefusesWrites) {
  const CEOID withPicture = setup_.AddContact({.picture = QByteArray("0123456789")});
  const CEOID without = setup_.AddContact({.texts = {{kFirstName, "Bob"}}});
  auto app = LogOn();
  std::unique_ptr<IItem> item;
  std::unique_ptr<IStream> stream;
  ASSERT_EQ(app->GetItemFromOidEx(without, item), S_OK);
  EXPECT_EQ(item->OpenProperty(PIMPR_PICTURE, GENERIC_READ, stream), E_NOT_FOUND);
  EXPECT_EQ(item->OpenProperty(kFirstName, GENERIC_READ, stream), E_INVALIDARG);

  ASSERT_EQ(app->GetItemFromOidEx(withPicture, item), S_OK);
  ASSERT_EQ(item->OpenProperty(PIMPR_PICTURE, GENERIC_READ, stream), S_OK);
  quint64 size = 0;
  ASSERT_EQ(stream->Seek(0, STREAM_SEEK_END, &size), S_OK);
  EXPECT_EQ(size, 10u);
  EXPECT_EQ(stream->Seek(-11, STREAM_SEEK_CUR, &size), STG_E_INVALIDFUNCTION);
  ASSERT_EQ(stream->Seek(0, STREAM_SEEK_SET, nullptr), S_OK);
  char buffer[16] = {};
  ULONG read = 0;
  ASSERT_EQ(stream->Read(buffer, 16, &read), S_OK);
  EXPECT_EQ(QByteArray(buffer, static_cast<int>(read)), "0123456789");
  ASSERT_EQ(stream->Read(buffer, 16, &read), S_OK);
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(stream->Write("x", 1, nullptr), STG_E_ACCESSDENIED);
}

TEST_F(PocketOutlookTest, SavedItemChangesAndDeletion) {
  const CEOID ann = setup_.AddContact(
      {.texts = {{kFirstName, "Ann"}, {kRingTone, "\\Sounds\\a.wav"}}, .picture = "old"});
  auto app = LogOn();
  std::unique_ptr<IItem> item;
  ASSERT_EQ(app->GetItemFromOidEx(ann, item), S_OK);
  ASSERT_EQ(item->SetProps({{kFirstName, 0, {.lpwstr = "Anne"}}}), S_OK);
  std::unique_ptr<IStream> stream;
  ASSERT_EQ(item->OpenProperty(PIMPR_PICTURE, GENERIC_WRITE, stream), S_OK);
  ASSERT_EQ(stream->Write("new!", 4, nullptr), S_OK);
  ASSERT_EQ(item->Save(), S_OK);
  EXPECT_EQ(item->Oid(), ann);
  std::vector<PhoneContact> contacts = setup_.Contacts();
  ASSERT_EQ(contacts.size(), 1u);
  EXPECT_EQ(contacts[0].texts.at(kFirstName), "Anne");
  EXPECT_EQ(contacts[0].texts.at(kRingTone), "\\Sounds\\a.wav");
  EXPECT_EQ(contacts[0].picture, "new!");

  EXPECT_EQ(item->Delete(), S_OK);
  EXPECT_TRUE(setup_.Contacts().empty());
  EXPECT_EQ(item->Delete(), E_FAIL);
  std::vector<CEPROPVAL> values;
  EXPECT_EQ(item->GetProps({kFirstName}, values), E_FAIL);
  EXPECT_EQ(item->Save(), E_FAIL);

  // Object ids are never handed out again.
  const CEOID next = setup_.AddContact({});
  EXPECT_GT(next, ann);
}

TEST_F(PocketOutlookTest, MissingContactStoreAndFailingOpenCalls) {
  std::unique_ptr<IPOutlookApp2> app;
  struct CLSID other = CLSID_Application;
  other.Data1 ^= 1;
  EXPECT_EQ(CoCreateInstance(other, app), REGDB_E_CLASSNOTREG);

  ASSERT_TRUE(setup_.SetContactStorePresent(false));
  EXPECT_EQ(CoCreateInstance(CLSID_Application, app), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(app, nullptr);
  ASSERT_TRUE(setup_.SetContactStorePresent(true));

  ASSERT_TRUE(setup_.FailCall(PhoneCall::kCoInitializeEx));
  ASSERT_TRUE(setup_.FailCall(PhoneCall::kLogon));
  EXPECT_TRUE(FAILED(CoInitializeEx(COINIT_MULTITHREADED)));
  ASSERT_EQ(CoCreateInstance(CLSID_Application, app), S_OK);
  EXPECT_TRUE(FAILED(app->Logon(0)));
  std::unique_ptr<IFolder> folder;
  EXPECT_TRUE(FAILED(app->GetDefaultFolder(olFolderContacts, folder)));  // not logged on

  ASSERT_TRUE(setup_.ClearFailures());
  ASSERT_EQ(app->Logon(0), S_OK);
  EXPECT_EQ(app->GetDefaultFolder(9, folder), E_INVALIDARG);
  std::unique_ptr<IItem> item;
  EXPECT_EQ(app->CreateItem(1, item), E_INVALIDARG);
}

TEST_F(PocketOutlookTest, CallsFailForOneSubjectOrAfterSomeSuccessesOrJustOnce) {
  for (int i = 0; i < 3; ++i) setup_.AddContact({.texts = {{kFirstName, QString::number(i)}}});
  auto app = LogOn();
  auto items = Items(*app);
  const CEOID second = OidAt(*items, 2);
  ASSERT_TRUE(setup_.FailCall(PhoneCall::kItemGetProps, second));
  ASSERT_TRUE(setup_.FailCall(PhoneCall::kItem, 3));
  ASSERT_TRUE(setup_.FailCall(PhoneCall::kItemSave, std::nullopt, 1));

  std::unique_ptr<IItem> item;
  std::vector<CEPROPVAL> values;
  ASSERT_EQ(app->GetItemFromOidEx(OidAt(*items, 1), item), S_OK);
  EXPECT_EQ(item->GetProps({kFirstName}, values), S_OK);
  ASSERT_EQ(app->GetItemFromOidEx(second, item), S_OK);
  EXPECT_EQ(item->GetProps({kFirstName}, values), E_FAIL);
  std::unique_ptr<IContact> contact;
  EXPECT_EQ(items->Item(3, contact), E_FAIL);

  ASSERT_EQ(app->CreateItem(olContactItem, item), S_OK);
  EXPECT_EQ(item->Save(), S_OK);
  ASSERT_EQ(app->CreateItem(olContactItem, item), S_OK);
  EXPECT_EQ(item->Save(), E_FAIL);
  EXPECT_EQ(setup_.Contacts().size(), 4u);

  ASSERT_TRUE(setup_.FailCall(PhoneCall::kGetCount));
  int count = 0;
  EXPECT_EQ(items->get_Count(&count), E_FAIL);

  ASSERT_TRUE(setup_.FailCallOnce(PhoneCall::kItemSetProps, 0));
  const std::vector<CEPROPVAL> name = {{kFirstName, 0, {"Ann", {}}}};
  EXPECT_EQ(item->SetProps(name), E_FAIL);
  EXPECT_EQ(item->SetProps(name), S_OK);
}

TEST_F(PocketOutlookTest, ObjectsMadeOnOneThreadWorkOnAnother) {
  setup_.AddContact({.texts = {{kFirstName, "Ann"}}, .picture = "pic"});
  auto app = LogOn();
  auto items = Items(*app);
  QString firstName;
  QByteArray picture;
  std::thread worker([&] {
    std::unique_ptr<IContact> contact;
    CEOID oid = 0;
    std::unique_ptr<IItem> item;
    std::vector<CEPROPVAL> values;
    std::unique_ptr<IStream> stream;
    if (items->Item(1, contact) != S_OK || contact->get_Oid(&oid) != S_OK ||
        app->GetItemFromOidEx(oid, item) != S_OK || item->GetProps({kFirstName}, values) != S_OK ||
        item->OpenProperty(PIMPR_PICTURE, GENERIC_READ, stream) != S_OK) {
      return;
    }
    firstName = values[0].val.lpwstr;
    char bytes[8];
    ULONG read = 0;
    stream->Read(bytes, sizeof bytes, &read);
    picture = QByteArray(bytes, static_cast<int>(read));
    std::unique_ptr<IItem> created;
    if (app->CreateItem(olContactItem, created) == S_OK) created->Save();
  });
  worker.join();
  EXPECT_EQ(firstName, "Ann");
  EXPECT_EQ(picture, "pic");
  EXPECT_EQ(setup_.Contacts().size(), 2u);
}

}  // namespace
