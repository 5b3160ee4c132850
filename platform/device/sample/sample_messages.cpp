#include "platform/device/sample/sample_messages.h"

#include "platform/device/sample/sample_people.h"
#include "platform/device/stores/file_time.h"

namespace {

constexpr ULONG MSGFLAG_READ = 0x1;
constexpr ULONG MSGFLAG_UNSENT = 0x8;

// The folders of 20 messages in a row: the inbox ten, its three subfolders four, Sent Items four,
// Drafts and Deleted Items one each.
constexpr int kFolderWheel[20] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 3, 4, 4, 4, 4, 5, 6};

// %1 a first name, %2 a time of day, %3 a number.
constexpr const char* kTexts[] = {
    "Hi %1, are we still on for dinner at %2?",
    "到了吗？我%2在门口等你。",
    "Running late, be there by %2.",
    "Your verification code is %3. It expires in 10 minutes.",
    "【快递】您的包裹已到达小区驿站，取件码%3，请于%2前领取。",
    "Happy birthday %1! 🎂 Hope you have a wonderful day.",
    "明天的会议改到%2，地点三楼会议室。",
    "OK",
    "Thanks!",
    "Can you call me back when you get this?",
    "会議は%2からです。資料をお願いします。",
    "내일 %2에 만나요!",
    "Flight CA%3 is delayed, new departure %2. Sorry!\nWill text when I land.",
    "Shopping list:\n- milk\n- eggs\n- 面包\n- tea (the green one)",
    // One long message: the parentheses say that its two lines are meant to join.
    ("Meet me at the north entrance of People's Square, next to the café with the red awning. "
     "If you can't find it, call me on my mobile, I'll keep it on. See you at %2, %1!"),
};

// Drafts have no delivery time, so their texts tell them apart: %3 differs for each.
constexpr const char* kDraftTexts[] = {
    "Remind %1 about invoice %3",
    "草稿：报销单%3还没交，记得%2前提醒%1。",
    "Dear %1, about order %3: ",
};

// The invitation sent to a few people at once.
constexpr char kInvitationText[] = "Party at ours on Saturday from 7, bring a friend! 🎉";

// Numbers that send messages but are no one's contact.
constexpr const char* kServiceNumbers[] = {"10086", "95588", "+86 21 5555 0134", "1069 0000 8888"};

const PhoneRecipient kMe = {QStringLiteral("Me"), QStringLiteral("+86 137 0000 0000"), MAPI_TO};

// 2024-06-01 04:00 UTC, when the newest message came.
constexpr std::uint64_t kNewest = 133'616'448'000'000'000ull;
constexpr std::uint64_t kSecond = 10'000'000ull;
constexpr std::uint64_t kHour = 3600 * kSecond;

// Messages that belong together, by their place in each hundred: an inbox message received in the
// same second as the one before it, from someone else; one text sent to three people at one
// instant (three sent messages); and a draft written again an hour after the draft 20 before it.
constexpr int kGroupCycle = 100;
constexpr int kSameSecond = 1;
constexpr int kInvitation = 14;
constexpr int kInvited = 3;
constexpr int kDraftAgain = 38;
constexpr int kDraftAgainOf = 18;

// The sample person at the centre of message i.
int PersonOf(int i, int people) {
  return SampleRandom(0xA5A50000ull + static_cast<std::uint64_t>(i)).Below(people);
}

QString Fill(const char* text, const SamplePerson& person, SampleRandom& random, int i) {
  const QString time = QString::asprintf("%d:%02d", 7 + random.Below(14), 5 * random.Below(12));
  return QString::fromUtf8(text)
      .replace(QLatin1String("%1"), person.first)
      .replace(QLatin1String("%2"), time)
      .replace(QLatin1String("%3"), QString::number(100'000 + i));
}

PhoneRecipient Recipient(const SamplePerson& person) {
  return {person.DisplayName(), person.mobile, MAPI_TO};
}

// A message the phone sent or is to send: to one person, now and then to a few.
void MakeOutgoing(PhoneMessage& message, bool draft, const SamplePerson& person,
                  SampleRandom& random, int people) {
  message.flags = draft ? MSGFLAG_UNSENT : MSGFLAG_READ;
  message.senderEmailAddress = QString();
  message.senderName = QString();
  message.recipients = {Recipient(person)};
  while (random.Below(6) == 0) {
    message.recipients.push_back(Recipient(MakeSamplePerson(random.Below(people))));
  }
}

void SetSender(PhoneMessage& message, const SamplePerson& person) {
  message.senderEmailAddress = '"' + person.DisplayName() + "\" <" + person.mobile + '>';
  message.senderName = person.DisplayName();
}

// A message the phone received: from a person or a service, a few of them sent to a group.
void MakeIncoming(PhoneMessage& message, const SamplePerson& person, SampleRandom& random,
                  int people) {
  message.flags = random.Below(7) == 0 ? 0 : MSGFLAG_READ;
  if (random.Below(5) == 0) {
    const QString number = QString::fromUtf8(random.Pick<const char*>(kServiceNumbers));
    message.senderEmailAddress = number;
    message.senderName = number;
  } else {
    SetSender(message, person);
  }
  if (random.Below(15) == 0) {
    message.recipients = {kMe, Recipient(MakeSamplePerson(random.Below(people)))};
  }
}

// Message i as it comes alone, about sample person `person`.
PhoneMessage MakeOneMessage(int i, int folder, int people, int person) {
  SampleRandom random(0x5A5A0000ull + static_cast<std::uint64_t>(i));
  const SamplePerson who = MakeSamplePerson(person);
  const bool draft = folder == kSampleDraftsFolder;
  const bool outgoing = kSampleFolders[folder].outgoing;
  PhoneMessage message;
  const char* text =
      draft ? random.Pick<const char*>(kDraftTexts) : random.Pick<const char*>(kTexts);
  message.subject = Fill(text, who, random, i);
  message.size = static_cast<ULONG>(message.subject->size() * 2);
  const std::uint64_t time =
      kNewest - (450 * static_cast<std::uint64_t>(i) + random.Below(60)) * kSecond;
  message.deliveryTime = MakeFileTime(draft ? 0 : time);
  message.lastModificationTime = MakeFileTime(outgoing ? time : time + 30 * kSecond);
  if (outgoing) {
    MakeOutgoing(message, draft, who, random, people);
  } else {
    MakeIncoming(message, who, random, people);
  }
  return message;
}

PhoneMessage MakeSameSecondMessage(int i, int folder, int people) {
  const int before = PersonOf(i - 1, people);
  const PhoneMessage first = MakeOneMessage(i - 1, SampleMessageFolder(i - 1), people, before);
  const int person = (before + 1) % people;
  PhoneMessage message = MakeOneMessage(i, folder, people, person);
  SetSender(message, MakeSamplePerson(person));
  message.deliveryTime = first.deliveryTime;
  message.lastModificationTime = first.lastModificationTime;
  return message;
}

PhoneMessage MakeInvitation(int i, int folder, int people, int invited) {
  const int first = i - invited;
  const int person = (PersonOf(first, people) + invited) % people;
  PhoneMessage message = MakeOneMessage(first, folder, people, person);
  message.subject = QString::fromUtf8(kInvitationText);
  message.size = static_cast<ULONG>(message.subject->size() * 2);
  message.recipients = {Recipient(MakeSamplePerson(person))};
  return message;
}

}  // namespace

int SampleMessageFolder(int i) { return kFolderWheel[i % 20]; }

PhoneMessage MakeSampleMessage(int i, int folder, int people) {
  const int place = i % kGroupCycle;
  if (place == kSameSecond) return MakeSameSecondMessage(i, folder, people);
  if (place >= kInvitation && place < kInvitation + kInvited) {
    return MakeInvitation(i, folder, people, place - kInvitation);
  }
  if (place == kDraftAgain) {
    PhoneMessage message = MakeSampleMessage(i - (kDraftAgain - kDraftAgainOf), folder, people);
    message.lastModificationTime =
        MakeFileTime(FileTimeValue(*message.lastModificationTime) + kHour);
    return message;
  }
  return MakeOneMessage(i, folder, people, PersonOf(i, people));
}
