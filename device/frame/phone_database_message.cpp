#include "device/frame/phone_database_message.h"

#include "platform/device/stores/phone_folder.h"

namespace {

QString ProblemText(PhoneDatabaseProblem problem) {
  switch (problem) {
    case PhoneDatabaseProblem::kNone:
      break;
    case PhoneDatabaseProblem::kNotWritable:
      return QStringLiteral("Can't write the phone's database:");
    case PhoneDatabaseProblem::kNotAPhone:
      return QStringLiteral("The file is not the phone's database:");
    case PhoneDatabaseProblem::kDamaged:
      return QStringLiteral("The phone's database is damaged:");
    case PhoneDatabaseProblem::kLocked:
      return QStringLiteral("The phone's database is locked by another program:");
  }
  return QString();
}

}  // namespace

QString PhoneDatabaseProblemMessage() {
  return PhoneDatabaseProblemMessage(DiagnosePhoneDatabase());
}

QString PhoneDatabaseProblemMessage(PhoneDatabaseProblem problem) {
  const QString text = ProblemText(problem);
  if (text.isEmpty()) return text;
  return text + PhoneRootPath() + QLatin1Char('/') + QLatin1String(kPhoneDatabaseFile);
}
