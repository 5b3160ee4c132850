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
