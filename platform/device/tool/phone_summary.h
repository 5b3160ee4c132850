#pragma once

#include <QString>

#include <optional>
#include <vector>

// What the emulated phone of PHONE_ROOT holds, counted: contacts, SIM entries, the messages of
// every folder of every message store, and the files of the phone's own file system.

struct PhoneFolderCount {
  QString name;
  int depth = 0;  // 0 for a store's special folders, 1 for their subfolders, ...
  qint64 messages = 0;
};

struct PhoneStoreCount {
  QString name;
  std::vector<PhoneFolderCount> folders;  // the special folders in the store's order, each
                                          // followed by its subfolders, depth first
};

struct PhoneFileSize {
  QString phonePath;  // "\Application Data\Sounds\Chime.wav"
  qint64 bytes = 0;
};

struct PhoneSummary {
  QString root;                      // the phone folder
  std::optional<qint64> contacts;    // nothing: the phone has no contact store
  std::optional<qint64> simEntries;  // nothing: the phone has no SIM
  int simLowestIndex = 0;
  int simHighestIndex = 0;
  std::vector<PhoneStoreCount> stores;
  std::vector<PhoneFileSize> files;  // in path order; the phone's database is not among them

  // True when there are no contacts, SIM entries or messages.
  bool IsEmpty() const;
};

// The phone as it is now; nothing when its database cannot be opened or read.
std::optional<PhoneSummary> SummarizePhone();

// The summary as lines of text for a person to read; each folder is indented by its depth, up to
// 30 levels.
QString FormatPhoneSummary(const PhoneSummary& summary);
