#pragma once

#include <QObject>
#include <QRect>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <vector>

#include "platform/device/shell/phone_screen.h"

class QWidget;

// Helpers of the phone programs' window tests.

// Puts the emulated phone on another screen for the life of the object (or leaves it where it
// is, for a test that turns it later), then back on the screen it was on before.
class ScopedPhoneScreen {
 public:
  ScopedPhoneScreen() : previous_(GetPhoneScreen()) {}
  explicit ScopedPhoneScreen(const PhoneScreen& screen) : ScopedPhoneScreen() {
    SetPhoneScreen(screen);
  }
  ~ScopedPhoneScreen() { SetPhoneScreen(previous_); }
  ScopedPhoneScreen(const ScopedPhoneScreen&) = delete;
  ScopedPhoneScreen& operator=(const ScopedPhoneScreen&) = delete;

 private:
  const PhoneScreen previous_;
};

// Checks what a picture of a phone program's main window shows: the screen's size, the form's
// white in the top-left corner, the soft-key bar's blue along the bottom, and something painted
// (an image, a line, text: a pixel that is not white) inside each of `drawn`, rectangles in the
// window's coordinates.
void ExpectMainWindowPicture(QWidget* window, const PhoneScreen& screen,
                             const std::vector<QRect>& drawn);

// For each phone folder whose database a phone program cannot use (a text file, another
// program's SQLite database and one with a broken header in place of phone.db, a damaged phone
// database, a phone folder that cannot be made), each in its own folder below `folder`: points
// PHONE_ROOT at it, runs `commands` with the message each command must give (the reason, then the
// path of phone.db), and checks that phone.db is as it was.
void ForEachUnusablePhone(const QString& folder,
                          const std::function<void(const QString& message)>& commands);

// Where a control of the window stands, in the window's coordinates.
QRect RectInWindow(const QWidget* control, const QWidget* window);

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
