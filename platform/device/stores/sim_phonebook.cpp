#include "platform/device/stores/sim_phonebook.h"

#include <algorithm>

#include "platform/device/stores/phone_database.h"
#include "platform/device/stores/phone_faults.h"
#include "platform/device/stores/phone_schema.h"
#include "platform/device/stores/sim_rows.h"

namespace {

QString TextOf(const char16_t (&text)[kSimTextLength + 1]) {
  const auto end = std::find(std::begin(text), std::end(text) - 1, u'\0');
  return QString(reinterpret_cast<const QChar*>(text), end - std::begin(text));
}

void SetText(char16_t (&text)[kSimTextLength + 1], const QString& value) {
  qsizetype length = std::min<qsizetype>(value.size(), kSimTextLength);
  if (length < value.size() && value.at(length - 1).isHighSurrogate()) --length;
  std::fill(std::begin(text), std::end(text), u'\0');
  std::copy_n(value.utf16(), length, text);
}

// The checks every phonebook call makes first: a handle, the SIM's own storage, no fault.
HRESULT CheckCall(const HSIM& sim, DWORD storage, PhoneCall call, qint64 subject) {
  if (!sim) return E_INVALIDARG;
  if (CallFails(sim->Database(), call, subject)) return E_FAIL;
  return storage == SIM_PBSTORAGE_SIM ? S_OK : E_INVALIDARG;
}

}  // namespace

QString SimEntry::Number() const { return TextOf(number); }
QString SimEntry::Name() const { return TextOf(name); }
void SimEntry::SetNumber(const QString& text) { SetText(number, text); }
void SimEntry::SetName(const QString& text) { SetText(name, text); }

HRESULT SimInitialize(HSIM& sim) {
  std::shared_ptr<PhoneDatabase> db = PhoneDatabase::Open();
  if (!db || CallFails(*db, PhoneCall::kSimInitialize) || db->Setting(kSimPresentSetting, 0) == 0) {
    return E_FAIL;
  }
  sim = std::make_unique<SimHandle>(std::move(db));
  return S_OK;
}

HRESULT SimDeinitialize(HSIM& sim) {
  if (!sim) return E_INVALIDARG;
  sim.reset();
  return S_OK;
}

HRESULT SimGetPhonebookStatus(const HSIM& sim, DWORD storage, DWORD* used, DWORD* total) {
  HRESULT hr = CheckCall(sim, storage, PhoneCall::kSimGetPhonebookStatus, 0);
  if (FAILED(hr)) return hr;
  std::optional<SimRange> range = LoadSimRange(sim->Database());
  if (!range) return E_FAIL;
  std::optional<DWORD> count = CountSimEntries(sim->Database(), *range);
  if (!count) return E_FAIL;
  *used = *count;
  *total = range->highest - range->lowest + 1;
  return S_OK;
}

HRESULT SimGetDevCaps(const HSIM& sim, DWORD capsType, SIMCAPS* caps) {
  HRESULT hr = CheckCall(sim, SIM_PBSTORAGE_SIM, PhoneCall::kSimGetDevCaps, 0);
  if (FAILED(hr)) return hr;
  if (capsType != SIM_CAPSTYPE_PBINDEXRANGE) return E_INVALIDARG;
  std::optional<SimRange> range = LoadSimRange(sim->Database());
  if (!range) return E_FAIL;
  caps->dwMinPBIndex = range->lowest;
  caps->dwMaxPBIndex = range->highest;
  return S_OK;
}

HRESULT SimReadPhonebookEntry(const HSIM& sim, DWORD storage, DWORD index, SimEntry* entry) {
  HRESULT hr = CheckCall(sim, storage, PhoneCall::kSimReadPhonebookEntry, index);
  if (FAILED(hr)) return hr;
  if (entry->size != kSimEntrySize) return E_INVALIDARG;
  std::optional<SimRange> range = LoadSimRange(sim->Database());
  if (!range) return E_FAIL;
  if (!range->Contains(index)) return E_NOT_FOUND;
  SimEntry read;
  std::optional<bool> found = ReadSimEntry(sim->Database(), index, &read);
  if (!found) return E_FAIL;
  if (!*found) return E_NOT_FOUND;
  *entry = read;
  return S_OK;
}

HRESULT SimWritePhonebookEntry(const HSIM& sim, DWORD storage, DWORD index, const SimEntry& entry) {
  HRESULT hr = CheckCall(sim, storage, PhoneCall::kSimWritePhonebookEntry, index);
  if (FAILED(hr)) return hr;
  if (entry.size != kSimEntrySize) return E_INVALIDARG;
  std::optional<SimRange> range = LoadSimRange(sim->Database());
  if (!range) return E_FAIL;
  if (!range->Contains(index)) return E_INVALIDARG;
  PhoneTransaction transaction(sim->Database());
  if (!transaction.IsActive()) return BeginFailure(transaction);
  return WriteSimEntry(sim->Database(), index, entry) && transaction.Commit() ? S_OK : E_FAIL;
}

HRESULT SimDeletePhonebookEntry(const HSIM& sim, DWORD storage, DWORD index) {
  HRESULT hr = CheckCall(sim, storage, PhoneCall::kSimDeletePhonebookEntry, index);
  if (FAILED(hr)) return hr;
  PhoneTransaction transaction(sim->Database());
  if (!transaction.IsActive()) return BeginFailure(transaction);
  const bool deleted = DeleteSimEntry(sim->Database(), index);
  if (!transaction.Commit()) return E_FAIL;
  return deleted ? S_OK : E_NOT_FOUND;
}
