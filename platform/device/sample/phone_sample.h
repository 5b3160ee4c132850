#pragma once

class PhoneSetup;

// Sample data for the emulated phone, so that the phone programs can be tried, and measured, on
// a phone that looks used:
// - phone contacts: Latin, Chinese, Japanese and Korean names; every kind of field the store
//   keeps turns up (a few contacts have them all, most have what people usually fill in);
//   birthdays and anniversaries; pictures (small bitmaps) on every tenth contact; ring tones,
//   files under "\Application Data\Sounds" in the phone's folder, on every sixth; companies'
//   numbers without a person's name, on every twentieth, a few of them saved twice;
// - SIM entries: names and numbers, at the indexes from 1 up;
// - text messages in the store "SMS": Inbox and its subfolders (one of them nested), Sent Items,
//   Drafts and Deleted Items, each with its sender, recipients, times and flags; in every hundred
//   messages, two received in one second from different people, one text sent to three people
//   at one instant, and two identical drafts (which have no delivery time).
// The same sizes always give the same phone.

struct PhoneSampleSizes {
  int contacts = 250;
  int simEntries = 50;
  int messages = 1000;
};

// Each size may be 0 to this; the SIM holds at most 65535 entries.
inline constexpr int kMaxSampleItems = 1'000'000;
inline constexpr int kMaxSampleSimEntries = 0xFFFF;

// Adds the sample to the phone: writes the ring-tone files, then puts everything else into the
// stores in one transaction (100,000 items take seconds, not minutes). More SIM entries than a
// fresh SIM holds (250) give the SIM the indexes 1 to simEntries. The phone should be empty:
// contacts and messages are added to what it holds, SIM entries replace those at their indexes.
// False when a size is out of range or a write fails; the stores are then left as they were.
bool AddSampleData(PhoneSetup& phone, const PhoneSampleSizes& sizes);
