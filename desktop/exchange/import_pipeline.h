#pragma once

#include <QByteArrayView>

#include <functional>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "desktop/exchange/progress_sink.h"
#include "desktop/exchange/read_ahead.h"
#include "desktop/store/contact_replacer.h"
#include "desktop/store/contact_row_statement.h"

// How every import stores the records of a file: a batch at a time, read ahead of the database
// (see read_ahead.h), each record replacing the rows of its composed name under one transaction
// (see ContactReplacer), committed once the file is read whole. A format brings its reader, which
// fills a batch, and its binder, which sets a record's values on its insert; it makes its own
// outcome of the run.

// A record bound to the insert that stores it, and the composed name (ANSI bytes) whose rows it
// replaces. Without an insert the record holds nothing to store: it is neither stored nor
// counted.
struct BoundRecord {
  ContactRowInsert* insert = nullptr;
  QByteArrayView name;
};

// Every import's insert writes ContactType and SIM_Name first, then the values of its format.
inline constexpr int kImportTypePosition = 0;
inline constexpr int kImportNamePosition = 1;
inline std::vector<const char*> ImportInsertColumns(std::span<const char* const> values) {
  std::vector<const char*> columns = {"ContactType", "SIM_Name"};
  columns.insert(columns.end(), values.begin(), values.end());
  return columns;
}

// How the records of an import went.
struct ImportRun {
  int stored = 0;
  int failed = 0;
  // False when the file could not be read to its end: then nothing of it is in and the counts
  // tell nothing.
  bool whole = true;
  // False once nothing is in: the database took no record, gave the transaction up or could not
  // commit it. Then every record counts as failed.
  bool storing = true;

  void LoseStored() {
    failed += stored;
    stored = 0;
    storing = false;
  }
};

// What an import does once the database has given its transaction up.
enum class AfterGivingUp {
  kCountTheRest,  // reads on, counting each record as failed
  kStop,          // reads no further
};

template <typename Batch>
struct ImportSteps {
  // Fills the batch it is given with the next records (see ReadAhead), on the reading thread.
  std::function<void(Batch&)> read;
  std::function<BoundRecord(const Batch&, int record)> bind;
  AfterGivingUp afterGivingUp = AfterGivingUp::kCountTheRest;
  ProgressMeter* progress = nullptr;  // set to the number of records met so far
};

// Stores the records of `first`, which is read, and of the batches that follow it through
// `replacer`'s transaction, or only counts them as failed when `replacer` is null (the database
// takes none; a reader leaves out the records that hold nothing). A record the database refuses
// counts as failed and the others still go in. A file not read whole is rolled back. What went in
// is not committed yet: see CommitImport.
template <typename Batch>
ImportRun StoreRecords(ContactReplacer* replacer, Batch first, const ImportSteps<Batch>& steps) {
  ImportRun run{.storing = replacer != nullptr};
  std::optional<ReadAhead<Batch>> ahead;
  if (first.End() == BatchEnd::kMore) ahead.emplace(steps.read);
  int met = 0;
  for (Batch batch = std::move(first);; batch = ahead->Next(std::move(batch))) {
    if (batch.End() == BatchEnd::kUnread) {
      if (run.storing) replacer->Rollback();
      return {.whole = false, .storing = false};
    }
    for (int record = 0; record < batch.Size(); ++record) {
      if (steps.progress != nullptr) steps.progress->SetPosition(++met);
      if (!run.storing) {
        ++run.failed;
        continue;
      }
      BoundRecord bound = steps.bind(batch, record);
      if (bound.insert == nullptr) continue;
      if (replacer->Replace(bound.name, *bound.insert)) {
        ++run.stored;
        continue;
      }
      ++run.failed;
      // Disk full or an I/O error can make the database give the whole transaction up.
      if (replacer->Stopped()) {
        run.LoseStored();
        if (steps.afterGivingUp == AfterGivingUp::kStop) return run;
      }
    }
    if (batch.End() == BatchEnd::kLast) return run;
  }
}

// Commits what the run stored; when the database cannot, nothing is in.
inline void CommitImport(ContactReplacer& replacer, ImportRun* run) {
  if (run->storing && !replacer.Commit()) run->LoseStored();
}
