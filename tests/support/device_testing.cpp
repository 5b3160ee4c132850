#include "tests/support/device_testing.h"

#include <QDesktopServices>

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
