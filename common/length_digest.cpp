#include "common/length_digest.h"

#include "common/md5.h"

std::string LengthDigestText(qint64 length, const char* salt) {
  return std::to_string(static_cast<qint32>(length)) + salt;
}

QByteArray LengthDigest(qint64 length, const char* salt) {
  const std::string text = LengthDigestText(length, salt);
  const Md5Digest digest = Md5Of(text.data(), text.size());
  return QByteArray(reinterpret_cast<const char*>(digest.data()), kLengthDigestSize);
}
