#include "common/ansi_text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace {

constexpr char16_t kReplacementCharacter = 0xFFFD;
// Code page 936 maps the single byte 0x80 to the euro sign; GB18030 leaves it undefined.
constexpr unsigned char kCp936EuroByte = 0x80;
constexpr char16_t kEuroSign = 0x20AC;

// One converter per direction and thread: opening a converter costs far more than converting
// a short string, and imports convert millions of them.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool IsValid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as it can; returns false when it stopped at a sequence it cannot convert
  // (EILSEQ) or an incomplete one at the end (EINVAL). `in`/`out` advance past what was done.
  bool Convert(char** in, size_t* inLeft, char** out, size_t* outLeft, int* error) {
    size_t rc = iconv(cd_, in, inLeft, out, outLeft);
    if (rc == static_cast<size_t>(-1)) {
      *error = errno;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial shift state
      return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

Converter& Decoder() {
  thread_local Converter converter("UTF-16LE", "GB18030");
  return converter;
}

Converter& Encoder() {
  thread_local Converter converter("GB18030", "UTF-16LE");
  return converter;
}

bool IsAscii(QStringView text) {
  for (QChar c : text) {
    if (c.unicode() >= 0x80) return false;
  }
  return true;
}

// Converts `run` to GB18030 at `*out`, which has room for it.
void EncodeRun(Converter& encoder, QStringView run, char** out, size_t* outLeft) {
  char* in = reinterpret_cast<char*>(const_cast<QChar*>(run.data()));
  size_t inLeft = static_cast<size_t>(run.size()) * sizeof(char16_t);
  while (inLeft > 0) {
    int error = 0;
    if (encoder.Convert(&in, &inLeft, out, outLeft, &error)) break;
    // Only a lone surrogate cannot be encoded: write "?" for it, as the ANSI conversion of
    // the platform does for characters it cannot represent.
    *(*out)++ = '?';
    --*outLeft;
    size_t skip = inLeft < sizeof(char16_t) ? inLeft : sizeof(char16_t);
    in += skip;
    inLeft -= skip;
  }
}

}  // namespace

bool IsAsciiText(QByteArrayView bytes) {
  for (char byte : bytes) {
    if (static_cast<unsigned char>(byte) >= 0x80) return false;
  }
  return true;
}

QString AnsiToWide(const char* data, qsizetype size) {
  if (size <= 0) return QString();
  if (IsAsciiText(QByteArrayView(data, size))) return QString::fromLatin1(data, size);

  // Every GB18030 sequence of n bytes yields at most n UTF-16 units.
  std::vector<char16_t> buffer(static_cast<size_t>(size));
  char* in = const_cast<char*>(data);
  size_t inLeft = static_cast<size_t>(size);
  char* out = reinterpret_cast<char*>(buffer.data());
  size_t outLeft = buffer.size() * sizeof(char16_t);
  Converter& decoder = Decoder();
  if (!decoder.IsValid()) return QString::fromLatin1(data, size);

  auto put = [&](char16_t unit) {
    *reinterpret_cast<char16_t*>(out) = unit;
    out += sizeof(char16_t);
    outLeft -= sizeof(char16_t);
  };
  while (inLeft > 0) {
    int error = 0;
    if (decoder.Convert(&in, &inLeft, &out, &outLeft, &error)) break;
    if (error == EILSEQ && static_cast<unsigned char>(*in) == kCp936EuroByte) {
      put(kEuroSign);
      ++in;
      --inLeft;
    } else if (error == EILSEQ) {
      put(kReplacementCharacter);
      ++in;
      --inLeft;
    } else {  // EINVAL: the text ends inside a multibyte sequence
      put(kReplacementCharacter);
      break;
    }
  }
  qsizetype units = (reinterpret_cast<char16_t*>(out) - buffer.data());
  return QString(reinterpret_cast<const QChar*>(buffer.data()), units);
}

QString AnsiToWide(const QByteArray& bytes) { return AnsiToWide(bytes.constData(), bytes.size()); }

void AppendAnsi(QStringView text, QByteArray* ansi) {
  if (text.isEmpty()) return;
  const qsizetype start = ansi->size();
  if (IsAscii(text)) {
    ansi->resize(start + text.size());
    std::transform(text.begin(), text.end(), ansi->data() + start,
                   [](QChar c) { return static_cast<char>(c.unicode()); });
    return;
  }
  Converter& encoder = Encoder();
  if (!encoder.IsValid()) {
    ansi->append(text.toLatin1());
    return;
  }
  // A UTF-16 unit becomes at most four GB18030 bytes.
  ansi->resize(start + text.size() * 4);
  char* out = ansi->data() + start;
  size_t outLeft = static_cast<size_t>(text.size() * 4);
  // GB18030 writes the euro sign as A2 E3, which code page 936 readers reject: it is the one
  // character the two encode differently, so the text between euro signs goes through the
  // converter and each euro sign becomes code page 936's 0x80.
  QStringView rest(text);
  for (;;) {
    qsizetype euro = rest.indexOf(QChar(kEuroSign));
    EncodeRun(encoder, euro < 0 ? rest : rest.first(euro), &out, &outLeft);
    if (euro < 0) break;
    *out++ = static_cast<char>(kCp936EuroByte);
    --outLeft;
    rest = rest.sliced(euro + 1);
  }
  ansi->truncate(out - ansi->constData());
}

QByteArray WideToAnsi(const QString& text) {
  QByteArray ansi;
  AppendAnsi(text, &ansi);
  return ansi;
}
