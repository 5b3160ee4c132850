#pragma once

#include <QDialog>
#include <QMenu>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/windows/message_service.h"
#include "platform/windows/modal_service.h"

// Answers every tips box, message box, file dialog, modal dialog and pop-up menu of the program
// from a script, in order, so GUI tests never block. Anything the script did not expect fails
// the test; so does a script step still waiting when the object goes away.
class ScriptedServices {
 public:
  ScriptedServices();
  ~ScriptedServices();
  ScriptedServices(const ScriptedServices&) = delete;
  ScriptedServices& operator=(const ScriptedServices&) = delete;

  ScriptedServices& ExpectTips(int icon, const QString& text, int answer = IDCANCEL);
  ScriptedServices& ExpectMessageBox(const QString& text, const QString& caption, int answer);
  // A file dialog with this title, answered with a path or cancelled (nullopt).
  ScriptedServices& ExpectFileDialog(const QString& title, std::optional<QString> answer);
  // A modal dialog: `work` may inspect and drive it and returns its result.
  ScriptedServices& ExpectDialog(std::function<int(QDialog*)> work);
  // A pop-up menu: `choose` returns the command id picked (0: none).
  ScriptedServices& ExpectMenu(std::function<int(QMenu*)> choose);

  const FileDialogRequest& LastFileDialog() const { return lastFileDialog_; }
  bool Done() const { return steps_.empty(); }
  // Runs the event loop until every step has come (from a timer or a worker), for at most 10 s;
  // whether they all came.
  bool WaitUntilDone() const;

 private:
  enum class Kind { kTips, kMessageBox, kFileDialog, kDialog, kMenu };
  struct Step {
    Kind kind = Kind::kTips;
    int icon = 0;
    QString text = {};
    QString caption = {};
    int answer = 0;
    std::optional<QString> path = {};
    std::function<int(QDialog*)> work = {};
    std::function<int(QMenu*)> choose = {};
  };

  // The next step, when it is of the kind asked; records a failure otherwise.
  std::optional<Step> Next(Kind kind, const std::string& what);

  std::deque<Step> steps_;
  FileDialogRequest lastFileDialog_;
  MessageService previousMessages_;
  ModalService previousModal_;
};

// Works the modal windows that code under test shows on screen itself (the on-screen message
// boxes and file dialogs): whenever one is up, the next step gets it and must end that showing.
// A window shown with no step left is closed and fails the test; so does a step left over.
class ModalSteps {
 public:
  explicit ModalSteps(std::deque<std::function<void(QWidget* window)>> steps);
  ~ModalSteps();

 private:
  void Poll();

  std::deque<std::function<void(QWidget* window)>> steps_;
  QTimer timer_;
};

// Saves a picture of the widget as <name>.png in $TEST_OUTPUT_DIR, by default the build's
// test-output folder, and returns the path.
QString SaveScreenshot(QWidget* widget, const QString& name);
