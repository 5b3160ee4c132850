#include "tests/support/backup_digest.h"

#include <algorithm>
#include <utility>

#include "common/md5.h"

QByteArray WithDigest(QByteArray bytes, QByteArrayView digest) {
  std::copy_n(digest.data(), std::min(bytes.size(), digest.size()), bytes.data());
  return bytes;
}

QByteArray WithContactsDigest(QByteArray bytes) {
  const QByteArray text = QByteArray::number(static_cast<int>(bytes.size())) + "KRVTQ_MaloBexin";
  const Md5Digest digest = Md5Of(text.constData(), text.size());
  return WithDigest(std::move(bytes),
                    QByteArrayView(reinterpret_cast<const char*>(digest.data()), digest.size()));
}
