#pragma once

#include <array>

#include "platform/device/stores/mapi_types.h"
#include "platform/device/stores/phone_setup.h"

// The text messages of the sample phone (phone_sample.h) and the folders they lie in.

// A folder of the store "SMS": a special folder (`parent` -1, `specialTag` its entry-id
// property), or a subfolder of the folder at index `parent` of kSampleFolders.
struct SampleFolder {
  int parent;
  ULONG specialTag;
  const char* name;  // of a subfolder
  bool outgoing;     // the phone's own messages: sent or still to send
};

inline constexpr std::array<SampleFolder, 7> kSampleFolders = {{
    {-1, PR_CE_IPM_INBOX_ENTRYID, nullptr, false},
    {0, 0, "家人", false},
    {0, 0, "Work", false},
    {2, 0, "Projects", false},  // Inbox\Work\Projects
    {-1, PR_IPM_SENTMAIL_ENTRYID, nullptr, true},
    {-1, PR_CE_IPM_DRAFTS_ENTRYID, nullptr, true},
    {-1, PR_IPM_WASTEBASKET_ENTRYID, nullptr, false},
}};
inline constexpr int kSampleDraftsFolder = 5;

// The index in kSampleFolders of message i's folder: half the messages are in the inbox, a fifth
// are sent, the rest in the others.
int SampleMessageFolder(int i);

// Message i of the folder kSampleFolders[folder]. Its people are among the first `people` sample
// persons (at least one). Message i was delivered 6.5 to 8.5 minutes before message i - 1, except
// in the groups that come once in every hundred messages: two inbox messages of one second from
// different senders, one text sent to three people at one instant (three sent messages of one
// time) and two identical drafts written an hour apart. Drafts have no delivery time.
PhoneMessage MakeSampleMessage(int i, int folder, int people);
