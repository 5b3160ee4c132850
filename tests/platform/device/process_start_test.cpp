#include "platform/device/process_start.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include "tests/support/working_folder.h"

namespace {

// Writes an executable script that appends a line to "started" in its folder.
void WriteMarkerProgram(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("#!/bin/sh\necho started >> \"$(dirname \"$0\")/started\"\n");
  file.close();
  file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// The lines the marker programs have written, once `count` of them are there (or after 5 s).
int WaitForStarts(const QString& folder, int count) {
  QElapsedTimer timer;
  timer.start();
  int lines = 0;
  while (timer.elapsed() < 5000) {
    lines = static_cast<int>(ReadFileBytes(QDir(folder).filePath("started")).count('\n'));
    if (lines >= count) break;
    QThread::msleep(10);
  }
  return lines;
}

QString PhoneForm(QString path) { return path.replace('/', '\\'); }

TEST(ProcessStartTest, ModuleFileNameIsTheRunningProgramInThePhonesForm) {
  QString name = GetModuleFileName();
  EXPECT_EQ(name, PhoneForm(QCoreApplication::applicationFilePath()));
  EXPECT_FALSE(name.contains('/'));
}

TEST(ProcessStartTest, AnExeNameStartsThePlainExecutableBesideIt) {
  QTemporaryDir folder;
  WriteMarkerProgram(folder.filePath("Skeldra"));
  EXPECT_TRUE(CreateProcess(PhoneForm(folder.filePath("Skeldra.exe"))));
  EXPECT_TRUE(CreateProcess(folder.filePath("Skeldra.exe")));
  EXPECT_EQ(WaitForStarts(folder.path(), 2), 2);
}

TEST(ProcessStartTest, MissingOrNonExecutableProgramsStartNothing) {
  QTemporaryDir folder;
  EXPECT_FALSE(CreateProcess(PhoneForm(folder.filePath("Skeldra.exe"))));
  EXPECT_FALSE(CreateProcess(QString()));
  EXPECT_FALSE(CreateProcess(PhoneForm(folder.path())));  // a folder
  WriteFileBytes(folder.filePath("Marrowind"), "not a program");
  EXPECT_FALSE(CreateProcess(PhoneForm(folder.filePath("Marrowind.exe"))));
}

TEST(ProcessStartTest, ARelativeNameIsTakenFromTheWorkingFolderNotTheSearchPath) {
  TempWorkingFolder folder;
  EXPECT_FALSE(CreateProcess(QStringLiteral("sh.exe")));  // "sh" is on the search path
  WriteMarkerProgram(folder.FilePath("Skeldra"));
  EXPECT_TRUE(CreateProcess(QStringLiteral("Skeldra.exe")));
  EXPECT_EQ(WaitForStarts(folder.Path(), 1), 1);
}

}  // namespace
