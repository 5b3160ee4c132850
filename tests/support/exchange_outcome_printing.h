#pragma once

#include <ostream>

#include "desktop/exchange/backup/contacts_backup_import.h"
#include "desktop/exchange/csv/csv_import.h"
#include "desktop/exchange/export_outcome.h"
#include "desktop/exchange/vcard/vcard_import.h"

// The outcomes of the imports and exports as a failed expectation shows them.

inline void PrintTo(const ExportOutcome& outcome, std::ostream* os) {
  *os << "{result " << static_cast<int>(outcome.result) << ", fault "
      << static_cast<int>(outcome.fault) << ", unreadable ring tones \""
      << outcome.unreadableRingTones.join("\", \"").toStdString() << "\"}";
}

inline void PrintTo(const BackupImportOutcome& outcome, std::ostream* os) {
  *os << "{result " << static_cast<int>(outcome.result) << ", ring tones unwritable "
      << outcome.ringTones.unwritable << (outcome.ringTones.unusableName ? ", a name unusable" : "")
      << ", fault " << static_cast<int>(outcome.fault) << "}";
}

inline void PrintTo(const CsvImportOutcome& outcome, std::ostream* os) {
  *os << "{" << outcome.succeeded << " in, " << outcome.failed << " failed, read "
      << static_cast<int>(outcome.read) << ", fault " << static_cast<int>(outcome.fault) << "}";
}

inline void PrintTo(const VCardImportOutcome& outcome, std::ostream* os) {
  *os << "{" << outcome.stored << " stored, " << outcome.failed << " failed, result "
      << static_cast<int>(outcome.result) << ", fault " << static_cast<int>(outcome.fault) << "}";
}
