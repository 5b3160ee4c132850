#include "platform/device/tool/phone_tool.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <iterator>
#include <optional>

#include "platform/device/sample/phone_sample.h"
#include "platform/device/stores/phone_database.h"
#include "platform/device/stores/phone_environment.h"
#include "platform/device/stores/phone_folder.h"
#include "platform/device/stores/phone_setup.h"
#include "platform/device/tool/phone_summary.h"

namespace {

constexpr char kUsage[] = R"(Usage: phone seed [--contacts N] [--sim N] [--sms N] [--root DIR]
       phone show [--root DIR]
       phone --help

Sets up the emulated phone that Orvanel, Marrowind and Skeldra run against.

  seed         fills an empty phone with sample data: phone contacts with every
               kind of field (Latin, Chinese, Japanese and Korean names, birthdays,
               pictures, ring tones under \Application Data\Sounds), SIM entries,
               and text messages in Inbox and its folders, Sent Items, Drafts and
               Deleted Items
                 --contacts N  phone contacts (default 250)
                 --sim N       SIM entries (default 50; the SIM grows to hold up
                               to 65535)
                 --sms N       text messages (default 1000)
  show         prints what the phone holds: contacts, SIM entries, the messages
               of every folder, and the phone's files
  --root DIR   the phone's folder, instead of PHONE_ROOT

)";

enum class Command { kHelp, kSeed, kShow };

struct CommandLine {
  Command command = Command::kHelp;
  PhoneSampleSizes sizes;
  QString root;
};

QString Usage() { return QString::fromUtf8(kUsage) + QString::fromUtf8(kPhoneEnvironmentUsage); }

// A size option's value: a decimal number from 0 to `largest`.
std::optional<int> SizeValue(const QString& text, int largest) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < 0 || value > largest || !text.front().isDigit()) return std::nullopt;
  return value;
}

// Sets an option of the command; what is wrong with it, or nothing.
QString SetOption(CommandLine& line, const QString& option, const QString& value) {
  struct SizeOption {
    const char* name;
    int* size;
    int largest;
  };
  const SizeOption sizes[] = {
      {"--contacts", &line.sizes.contacts, kMaxSampleItems},
      {"--sim", &line.sizes.simEntries, kMaxSampleSimEntries},
      {"--sms", &line.sizes.messages, kMaxSampleItems},
  };
  const SizeOption* size = std::find_if(std::begin(sizes), std::end(sizes),
                                        [&](const SizeOption& s) { return option == s.name; });
  const bool isRoot = option == QLatin1String("--root");
  if (!isRoot && (line.command != Command::kSeed || size == std::end(sizes))) {
    return QStringLiteral("\"%1\" is not an option of %2")
        .arg(option, line.command == Command::kSeed ? "seed" : "show");
  }
  if (value.isEmpty()) return option + QStringLiteral(" needs a value");
  if (isRoot) {
    line.root = value;
    return {};
  }
  std::optional<int> number = SizeValue(value, size->largest);
  if (!number) {
    return QStringLiteral("%1 takes a number from 0 to %2, not \"%3\"")
        .arg(option)
        .arg(size->largest)
        .arg(value);
  }
  *size->size = *number;
  return {};
}

// The command line; nothing, with the reason in `problem`, when it is wrong.
std::optional<CommandLine> Parse(const QStringList& arguments, QString* problem) {
  CommandLine line;
  const QString command = arguments.value(0);
  if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
      command == QLatin1String("help")) {
    return line;
  }
  if (command == QLatin1String("seed")) {
    line.command = Command::kSeed;
  } else if (command == QLatin1String("show")) {
    line.command = Command::kShow;
  } else {
    *problem = command.isEmpty() ? QStringLiteral("no command given")
                                 : QStringLiteral("unknown command \"%1\"").arg(command);
    return std::nullopt;
  }
  for (qsizetype i = 1; i < arguments.size() && problem->isEmpty(); i += 2) {
    *problem = SetOption(line, arguments[i], arguments.value(i + 1));
  }
  if (!problem->isEmpty()) return std::nullopt;
  return line;
}

// Why the phone of the folder cannot be used, as the tool's error line.
QString ProblemLine(const QString& root) {
  const QString database = root + '/' + kPhoneDatabaseFile;
  QString problem;
  switch (DiagnosePhoneDatabase()) {
    case PhoneDatabaseProblem::kNotWritable:
      problem = root + " cannot be written: the folder or its " + kPhoneDatabaseFile +
                " is read-only, or the folder cannot be made";
      break;
    case PhoneDatabaseProblem::kNotAPhone:
      problem = database + " is not a phone's database";
      break;
    case PhoneDatabaseProblem::kDamaged:
      problem = database + " is damaged";
      break;
    case PhoneDatabaseProblem::kLocked:
      problem = database + " is locked by another program";
      break;
    case PhoneDatabaseProblem::kNone:
      problem = database + " cannot be read";
      break;
  }
  return "phone: " + problem + '\n';
}

int Seed(const PhoneSampleSizes& sizes, QTextStream& out, QTextStream& err) {
  const QString root = PhoneRootPath();
  std::optional<PhoneSummary> before = SummarizePhone();
  if (!before) {
    err << ProblemLine(root);
    return 1;
  }
  if (!before->IsEmpty()) {
    err << "phone: the phone in " << root << " already holds data; seed an empty phone (remove "
        << "the folder, or choose another with --root)\n";
    return 1;
  }
  QElapsedTimer timer;
  timer.start();
  PhoneSetup phone;
  if (!AddSampleData(phone, sizes)) {
    err << "phone: the sample data could not be written into " << root << '\n';
    return 1;
  }
  std::optional<PhoneSummary> after = SummarizePhone();
  out << QStringLiteral("Seeded in %1 s.\n").arg(timer.elapsed() / 1000.0, 0, 'f', 2)
      << (after ? FormatPhoneSummary(*after) : QString());
  return 0;
}

int Show(QTextStream& out, QTextStream& err) {
  const QString root = PhoneRootPath();
  if (!QFileInfo::exists(root + '/' + kPhoneDatabaseFile)) {
    err << "phone: there is no phone in " << root << " yet; \"phone seed\" makes one\n";
    return 1;
  }
  std::optional<PhoneSummary> summary = SummarizePhone();
  if (!summary) {
    err << ProblemLine(root);
    return 1;
  }
  out << FormatPhoneSummary(*summary);
  return 0;
}

}  // namespace

int RunPhoneTool(const QStringList& arguments, QTextStream& out, QTextStream& err) {
  QString problem;
  std::optional<CommandLine> line = Parse(arguments, &problem);
  if (!line) {
    err << "phone: " << problem << "\n\n" << Usage();
    return 2;
  }
  if (line->command == Command::kHelp) {
    out << Usage();
    return 0;
  }
  if (!line->root.isEmpty()) qputenv(kPhoneRootVariable, QFile::encodeName(line->root));
  return line->command == Command::kSeed ? Seed(line->sizes, out, err) : Show(out, err);
}
