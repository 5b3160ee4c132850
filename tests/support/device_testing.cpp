#include "tests/support/device_testing.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "tests/support/working_folder.h"

UrlRecorder::UrlRecorder() {
  for (const char* scheme : {"http", "https"}) {
    QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
  }
}

UrlRecorder::~UrlRecorder() {
  for (const char* scheme : {"http", "https"}) {
    QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
  }
}

void UrlRecorder::Open(const QUrl& url) { urls_ << url.toString(); }

void WriteMarkerProgram(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write("#!/bin/sh\necho started >> \"$(dirname \"$0\")/started\"\n");
  file.close();
  file.setPermissions(file.permissions() | QFile::ExeOwner);
}

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
