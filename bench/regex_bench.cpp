// Runs the regular-expression engine with the SMS program's sender and recipient patterns over
// large texts and prints one line per case: the case, the text size, the seconds the search
// took, megabytes per second, whether it matched, and the peak resident memory of the process
// so far.

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "device/sms/regex_pattern.h"

namespace {

const char kSenderPattern[] = "\"((\\w|\\W)*)\" <((\\w|\\W)*)>";
const char kRecipientPattern[] = "\"((\\w|\\W)*)\" <((\\w|\\W)*)> (\\d*)";
constexpr int kMegabyte = 1024 * 1024;

// Bytes of every value but the double quote, as in names and addresses of code page 936.
std::string RandomBytes(std::mt19937& random, int count) {
  std::string bytes(count, '\0');
  for (char& byte : bytes) {
    do {
      byte = static_cast<char>(random() % 256);
    } while (byte == '"');
  }
  return bytes;
}

long PeakResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void Run(const char* name, const char* pattern, const std::string& text) {
  CRegexPattern regex;
  if (!regex.Compile(pattern, -1, 0)) {
    std::printf("%-28s pattern did not compile\n", name);
    return;
  }
  const auto start = std::chrono::steady_clock::now();
  const RegexMatchResult result = regex.Search(text, -1);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-28s %9zu bytes %8.3f s %8.1f MB/s  %-9s peak RSS %ld KB\n", name, text.size(),
              seconds, text.size() / double(kMegabyte) / seconds,
              result.IsMatched() ? "matched" : "no match", PeakResidentKilobytes());
}

}  // namespace

int main() {
  std::mt19937 random(20100307);
  const int half = kMegabyte / 2;
  // The greedy groups run over the whole line and give back to the last quote-blank-bracket.
  const std::string sender =
      "\"" + RandomBytes(random, half - 3) + "\" <" + RandomBytes(random, half - 2) + ">";
  const std::string recipient = sender + " 1";
  std::string noQuote = RandomBytes(random, kMegabyte);
  Run("sender, 1 MB line", kSenderPattern, sender);
  Run("recipient, 1 MB line", kRecipientPattern, recipient);
  Run("sender, 1 MB without quote", kSenderPattern, noQuote);
  // The worst case of a backup-file line (at most 1023 bytes): every quote starts an attempt
  // and every quote-blank-bracket makes the address group run to the end and back.
  std::string hostile;
  while (hostile.size() + 3 <= 1023) hostile += "\" <";
  Run("sender, hostile 1023 bytes", kSenderPattern, hostile);

  std::string lines;
  while (lines.size() < static_cast<std::size_t>(kMegabyte)) {
    lines += "\"Han Meimei\" <+86139" + std::to_string(10000000 + random() % 89999999) + ">\n";
  }
  CRegexPattern regex;
  regex.Compile(kSenderPattern, -1, 0);
  int matched = 0;
  const auto start = std::chrono::steady_clock::now();
  for (std::size_t at = 0; at < lines.size();) {
    const std::size_t end = lines.find('\n', at);
    matched += regex.Search(std::string_view(lines).substr(at, end - at), -1).IsMatched();
    at = end + 1;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("sender, %d short lines %8.3f s %10.0f lines/s\n", matched, seconds,
              matched / seconds);
  return 0;
}
