#include "device/sms/mapi_contents_table.h"

#include "device/sms/mapi_folder.h"

CMapiContentsTable::CMapiContentsTable(std::unique_ptr<IMAPITable> table, CMapiFolder& folder,
                                       int batchSize)
    : table_(std::move(table)), folder_(folder), batchSize_(batchSize) {}

bool CMapiContentsTable::Rewind() {
  batch_.clear();
  cursor_ = 0;
  ended_ = false;
  failed_ = false;
  return SUCCEEDED(table_->SeekRow(BOOKMARK_BEGINNING, 0));
}

CSmsMessage* CMapiContentsTable::NextMessage() {
  if (cursor_ == batch_.size() && !FetchBatch()) return nullptr;
  return batch_[cursor_++].get();
}

bool CMapiContentsTable::FetchBatch() {
  batch_.clear();
  cursor_ = 0;
  if (ended_) return false;
  SRowSet rows;
  if (FAILED(table_->QueryRows(batchSize_, rows))) failed_ = true;
  for (const SRow& row : rows) {
    std::unique_ptr<IMessage> opened;
    const bool hasEntryId = !row.empty() && row.front().ulPropTag == PR_ENTRYID;
    if (!hasEntryId || FAILED(folder_.Interface().OpenEntry(row.front().Value.bin, opened))) {
      failed_ = true;
      break;
    }
    auto message = std::make_unique<CSmsMessage>(std::move(opened), folder_);
    if (!message->Load()) {
      failed_ = true;
      break;
    }
    batch_.push_back(std::move(message));
  }
  if (failed_) batch_.clear();
  ended_ = batch_.empty();
  return !ended_;
}

ULONG CMapiContentsTable::RowCount() {
  if (rowCount_ == 0 && FAILED(table_->GetRowCount(&rowCount_))) rowCount_ = 0;
  return rowCount_;
}
