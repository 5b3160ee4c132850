#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "platform/windows/message_service.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

// A fresh, empty working folder for one test: the desktop program works relative to its working
// folder, so each test runs in its own and leaves nothing behind.
class TempWorkingFolder {
 public:
  TempWorkingFolder();
  ~TempWorkingFolder();
  TempWorkingFolder(const TempWorkingFolder&) = delete;
  TempWorkingFolder& operator=(const TempWorkingFolder&) = delete;

  QString Path() const { return dir_.path(); }
  QString FilePath(const QString& name) const { return dir_.filePath(name); }

 private:
  QString previous_;
  QTemporaryDir dir_;
};

// Records every tips box shown while it exists and answers it with its button (IDCANCEL).
class TipsRecorder {
 public:
  struct Tip {
    int icon;
    QString text;
    bool operator==(const Tip&) const = default;
  };

  TipsRecorder();
  ~TipsRecorder();

  const std::vector<Tip>& Tips() const { return tips_; }
  void Clear() { tips_.clear(); }

 private:
  std::vector<Tip> tips_;
  MessageService previous_;
};

void PrintTo(const TipsRecorder::Tip& tip, std::ostream* os);

// Fixture: every test in a fresh working folder with tips boxes recorded.
class WorkingFolderTest : public ::testing::Test {
 protected:
  TempWorkingFolder folder_;
  TipsRecorder tips_;
};

QByteArray ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& bytes);
