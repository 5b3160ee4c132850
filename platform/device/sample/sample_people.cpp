#include "platform/device/sample/sample_people.h"

namespace {

// A name in its own script and in Latin letters.
struct NamePart {
  const char* text;
  const char* latin;
};

constexpr NamePart kLatinFirst[] = {
    {"Anna", "anna"}, {"Ben", "ben"},     {"Chloé", "chloe"},   {"David", "david"},
    {"Emma", "emma"}, {"Felix", "felix"}, {"Grace", "grace"},   {"Henry", "henry"},
    {"Isla", "isla"}, {"Jack", "jack"},   {"Kate", "kate"},     {"Liam", "liam"},
    {"Mia", "mia"},   {"Noah", "noah"},   {"Olivia", "olivia"}, {"Paul", "paul"},
    {"Rosa", "rosa"}, {"Sam", "sam"},     {"Tara", "tara"},     {"Victor", "victor"},
};
constexpr NamePart kLatinLast[] = {
    {"Smith", "smith"},    {"Jones", "jones"},   {"García", "garcia"},
    {"Müller", "mueller"}, {"Rossi", "rossi"},   {"Dubois", "dubois"},
    {"Novak", "novak"},    {"Silva", "silva"},   {"Kowalski", "kowalski"},
    {"O'Brien", "obrien"}, {"Nguyen", "nguyen"}, {"Andersson", "andersson"},
    {"Brown", "brown"},    {"Wilson", "wilson"}, {"Taylor", "taylor"},
    {"Martin", "martin"},  {"Walker", "walker"}, {"Young", "young"},
};
constexpr NamePart kChineseLast[] = {
    {"王", "wang"}, {"李", "li"},   {"张", "zhang"}, {"刘", "liu"},
    {"陈", "chen"}, {"杨", "yang"}, {"黄", "huang"}, {"赵", "zhao"},
    {"吴", "wu"},   {"周", "zhou"}, {"徐", "xu"},    {"欧阳", "ouyang"},
};
constexpr NamePart kChineseFirst[] = {
    {"伟", "wei"},  {"芳", "fang"}, {"娜", "na"},    {"秀英", "xiuying"},  {"敏", "min"},
    {"静", "jing"}, {"丽", "li"},   {"强", "qiang"}, {"磊", "lei"},        {"军", "jun"},
    {"洋", "yang"}, {"艳", "yan"},  {"杰", "jie"},   {"晓明", "xiaoming"}, {"涛", "tao"},
};
constexpr NamePart kJapaneseLast[] = {
    {"佐藤", "sato"},   {"鈴木", "suzuki"},   {"高橋", "takahashi"},
    {"田中", "tanaka"}, {"渡辺", "watanabe"}, {"伊藤", "ito"},
};
constexpr NamePart kJapaneseFirst[] = {
    {"太郎", "taro"},   {"花子", "hanako"}, {"健", "ken"},
    {"美咲", "misaki"}, {"翔", "sho"},      {"さくら", "sakura"},
};
constexpr NamePart kKoreanLast[] = {
    {"김", "kim"}, {"이", "lee"}, {"박", "park"}, {"최", "choi"}, {"정", "jung"}, {"강", "kang"},
};
constexpr NamePart kKoreanFirst[] = {
    {"민준", "minjun"}, {"서연", "seoyeon"}, {"도윤", "doyun"},
    {"지우", "jiwoo"},  {"하준", "hajun"},   {"서윤", "seoyun"},
};

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QString MobileNumber(Script script, SampleRandom& random) {
  switch (script) {
    case Script::kChinese:
      return "+86 13" + random.Digits(1) + " " + random.Digits(4) + " " + random.Digits(4);
    case Script::kJapanese:
      return "+81 90-" + random.Digits(4) + "-" + random.Digits(4);
    case Script::kKorean:
      return "+82 10-" + random.Digits(4) + "-" + random.Digits(4);
    case Script::kLatin:
      break;
  }
  return "+44 7700 9" + random.Digits(5);
}

}  // namespace

std::uint64_t SampleRandom::Next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

QString SampleRandom::Digits(int digits) {
  QString text;
  for (int i = 0; i < digits; ++i) text += QChar(u'0' + Below(10));
  return text;
}

QString SamplePerson::DisplayName() const {
  switch (script) {
    case Script::kLatin:
      return first + ' ' + last;
    case Script::kJapanese:
      return last + ' ' + first;
    default:
      return last + first;
  }
}

QString SamplePerson::FileAs() const {
  return script == Script::kLatin ? last + ", " + first : DisplayName();
}

SamplePerson MakeSamplePerson(int k) {
  SampleRandom random(0x5EED0000ull + static_cast<std::uint64_t>(k));
  // Half the people write Latin letters, three in ten Chinese, one each Japanese and Korean.
  static constexpr Script kScripts[] = {
      Script::kLatin,   Script::kLatin,   Script::kLatin,   Script::kLatin,    Script::kLatin,
      Script::kChinese, Script::kChinese, Script::kChinese, Script::kJapanese, Script::kKorean};
  const Script script = kScripts[k % 10];
  std::span<const NamePart> firsts = kLatinFirst;
  std::span<const NamePart> lasts = kLatinLast;
  if (script == Script::kChinese) {
    firsts = kChineseFirst;
    lasts = kChineseLast;
  } else if (script == Script::kJapanese) {
    firsts = kJapaneseFirst;
    lasts = kJapaneseLast;
  } else if (script == Script::kKorean) {
    firsts = kKoreanFirst;
    lasts = kKoreanLast;
  }
  const NamePart& first = random.Pick(firsts);
  const NamePart& last = random.Pick(lasts);
  return {script,           Text(first.text),
          Text(last.text),  Text(first.latin),
          Text(last.latin), MobileNumber(script, random)};
}
