#pragma once

#include <QObject>
#include <QStringList>
#include <QUrl>

#include "platform/device/phone_screen.h"

// Helpers of the phone programs' window tests.

// Puts the emulated phone on another screen for the life of the object, then back on the
// default screen.
class ScopedPhoneScreen {
 public:
  explicit ScopedPhoneScreen(const PhoneScreen& screen) { SetPhoneScreen(screen); }
  ~ScopedPhoneScreen() { SetPhoneScreen(PhoneScreen()); }
  ScopedPhoneScreen(const ScopedPhoneScreen&) = delete;
  ScopedPhoneScreen& operator=(const ScopedPhoneScreen&) = delete;
};

// Takes every web address the program opens (http and https) instead of the browser.
class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  UrlRecorder();
  ~UrlRecorder() override;

  const QStringList& Urls() const { return urls_; }

 public slots:
  void Open(const QUrl& url);

 private:
  QStringList urls_;
};

// Writes an executable script that appends a line to "started" in its folder, for tests that
// start programs.
void WriteMarkerProgram(const QString& path);
// The lines the marker programs in `folder` have written, once `count` of them are there (or
// after 5 s).
int WaitForStarts(const QString& folder, int count);
