#include "platform/device/shell/process_start.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "tests/support/device_testing.h"
#include "tests/support/working_folder.h"

namespace {

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
