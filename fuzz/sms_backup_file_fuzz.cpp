// Feeds arbitrary bytes to the SMS restore as the records of a backup file: the bytes follow a
// header whose digest matches, so the restore goes past the file check into the records, and
// every record that parses is written into an emulated phone. The phone's store is made afresh
// now and then, so it does not grow without end.
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

#include "device/sms/sms_restore_job.h"
#include "platform/device/phone_folder.h"
#include "platform/device/phone_setup.h"

namespace {

const QTemporaryDir& FuzzFolder() {
  static const QTemporaryDir folder;
  return folder;
}

void FreshStoreNowAndThen() {
  static int runs = 0;
  if (++runs % 200 != 0) return;
  PhoneSetup phone;
  phone.RemoveMessageStore("SMS");
  phone.AddMessageStore("SMS");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qputenv(kPhoneRootVariable, FuzzFolder().filePath("phone").toLocal8Bit());
  QByteArray body(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QByteArray salted = QByteArray::number(16 + body.size()) + "KRVTQ_PemWollaTusk";
  const QString path = FuzzFolder().filePath("input.qrd");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return 0;
  file.write(QCryptographicHash::hash(salted, QCryptographicHash::Md5) + body);
  file.close();

  CSmsRestoreJob job(path);
  if (job.m_session.IsOpened()) RunSmsRestore(job);
  FreshStoreNowAndThen();
  return 0;
}
