#include "tests/support/working_folder.h"

#include <QDir>
#include <QFile>

#include <ostream>

TempWorkingFolder::TempWorkingFolder() : previous_(QDir::currentPath()) {
  if (!dir_.isValid() || !QDir::setCurrent(dir_.path())) {
    ADD_FAILURE() << "cannot make a temporary working folder";
  }
}

TempWorkingFolder::~TempWorkingFolder() { QDir::setCurrent(previous_); }

TipsRecorder::TipsRecorder() {
  MessageService service = CurrentMessageService();
  service.tips = [this](int icon, const QString& text) {
    tips_.push_back({icon, text});
    return IDCANCEL;
  };
  previous_ = InstallMessageService(service);
}

TipsRecorder::~TipsRecorder() { InstallMessageService(previous_); }

void PrintTo(const TipsRecorder::Tip& tip, std::ostream* os) {
  *os << "{" << tip.icon << ", \"" << tip.text.toStdString() << "\"}";
}

QByteArray ReadFileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

void WriteFileBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    ADD_FAILURE() << "cannot write " << path.toStdString();
  }
}
