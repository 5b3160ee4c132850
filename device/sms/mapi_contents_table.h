#pragma once

#include <QtGlobal>

#include <memory>
#include <vector>

#include "device/sms/sms_message.h"
#include "platform/device/stores/mapi_table.h"

class CMapiFolder;

// The messages of a folder, handed out in table order. They are opened and loaded a batch at a
// time (10 rows unless the folder asks for another size); a message stays valid until the next
// batch is fetched or the table is rewound.
//
// The table ends at its last row, and also early when a batch cannot be fetched or one of its
// messages cannot be opened or read: then no further message is handed out and Failed() tells
// the caller that the messages it got are not the whole folder.
class CMapiContentsTable {
 public:
  static constexpr int kDefaultBatchSize = 10;

  CMapiContentsTable(std::unique_ptr<IMAPITable> table, CMapiFolder& folder,
                     int batchSize = kDefaultBatchSize);

  // Back to the first row, dropping the current batch; false when the store refuses.
  bool Rewind();
  // The next message; null at the end of the table.
  CSmsMessage* NextMessage();
  bool Failed() const { return failed_; }
  // The number of rows, asked once and remembered (0 when it cannot be had).
  ULONG RowCount();

 private:
  bool FetchBatch();

  std::unique_ptr<IMAPITable> table_;
  CMapiFolder& folder_;
  int batchSize_;
  ULONG rowCount_ = 0;
  std::vector<std::unique_ptr<CSmsMessage>> batch_;
  std::size_t cursor_ = 0;
  bool ended_ = false;
  bool failed_ = false;
};
