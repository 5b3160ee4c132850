#pragma once

#include <QString>

#include <cstdint>
#include <span>

// The people of the sample phone (phone_sample.h): who the contacts are, who is on the SIM and
// who sends and receives the messages. Person k is always the same person.

// A small generator of the sample's choices (splitmix64): the same seed gives the same values on
// every machine.
class SampleRandom {
 public:
  explicit SampleRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next();
  // 0 to count - 1.
  int Below(int count) { return static_cast<int>(Next() % static_cast<std::uint64_t>(count)); }
  // A number of `digits` decimal digits, leading zeros kept.
  QString Digits(int digits);
  template <typename T>
  const T& Pick(std::span<const T> items) {
    return items[Below(static_cast<int>(items.size()))];
  }

 private:
  std::uint64_t state_;
};

enum class Script { kLatin, kChinese, kJapanese, kKorean };

struct SamplePerson {
  Script script;
  QString first;
  QString last;
  QString latinFirst;  // the name in Latin letters, for e-mail addresses
  QString latinLast;
  QString mobile;

  // How the phone shows the name: "Anna Smith", "王伟", "佐藤 花子", "김민준".
  QString DisplayName() const;
  // "Smith, Anna" or the displayed name.
  QString FileAs() const;
};

SamplePerson MakeSamplePerson(int k);
