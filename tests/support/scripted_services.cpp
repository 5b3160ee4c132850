#include "tests/support/scripted_services.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

ScriptedServices::ScriptedServices() {
  MessageService messages;
  messages.tips = [this](int icon, const QString& text) {
    std::optional<Step> step = Next(Kind::kTips, "tips box \"" + text.toStdString() + "\"");
    if (!step) return IDCANCEL;
    EXPECT_EQ(icon, step->icon) << text.toStdString();
    EXPECT_EQ(text.toStdString(), step->text.toStdString());
    return step->answer;
  };
  messages.messageBox = [this](const QString& text, const QString& caption, unsigned) {
    std::optional<Step> step =
        Next(Kind::kMessageBox, "message box \"" + text.toStdString() + "\"");
    if (!step) return IDCANCEL;
    EXPECT_EQ(text.toStdString(), step->text.toStdString());
    EXPECT_EQ(caption.toStdString(), step->caption.toStdString());
    return step->answer;
  };
  messages.fileDialog = [this](const FileDialogRequest& request) -> std::optional<QString> {
    lastFileDialog_ = request;
    std::optional<Step> step =
        Next(Kind::kFileDialog, "file dialog \"" + request.title.toStdString() + "\"");
    if (!step) return std::nullopt;
    EXPECT_EQ(request.title.toStdString(), step->text.toStdString());
    return step->path;
  };
  previousMessages_ = InstallMessageService(messages);

  ModalService modal;
  modal.runDialog = [this](QDialog* dialog) {
    std::optional<Step> step =
        Next(Kind::kDialog, "dialog \"" + dialog->windowTitle().toStdString() + "\"");
    return step ? step->work(dialog) : IDCANCEL;
  };
  modal.trackMenu = [this](QMenu* menu, QPoint) {
    std::optional<Step> step = Next(Kind::kMenu, "pop-up menu");
    return step ? step->choose(menu) : 0;
  };
  previousModal_ = InstallModalService(modal);
}

ScriptedServices::~ScriptedServices() {
  InstallMessageService(previousMessages_);
  InstallModalService(previousModal_);
  EXPECT_TRUE(steps_.empty()) << steps_.size() << " scripted step(s) never came, the first: \""
                              << steps_.front().text.toStdString() << "\"";
}

bool ScriptedServices::WaitUntilDone() const {
  return QTest::qWaitFor([this] { return Done(); }, 10'000);
}

std::optional<ScriptedServices::Step> ScriptedServices::Next(Kind kind, const std::string& what) {
  if (steps_.empty() || steps_.front().kind != kind) {
    ADD_FAILURE() << "unexpected " << what;
    return std::nullopt;
  }
  Step step = steps_.front();
  steps_.pop_front();
  return step;
}

ScriptedServices& ScriptedServices::ExpectTips(int icon, const QString& text, int answer) {
  steps_.push_back({.kind = Kind::kTips, .icon = icon, .text = text, .answer = answer});
  return *this;
}

ScriptedServices& ScriptedServices::ExpectMessageBox(const QString& text, const QString& caption,
                                                     int answer) {
  steps_.push_back({.kind = Kind::kMessageBox, .text = text, .caption = caption, .answer = answer});
  return *this;
}

ScriptedServices& ScriptedServices::ExpectFileDialog(const QString& title,
                                                     std::optional<QString> answer) {
  steps_.push_back({.kind = Kind::kFileDialog, .text = title, .path = std::move(answer)});
  return *this;
}

ScriptedServices& ScriptedServices::ExpectDialog(std::function<int(QDialog*)> work) {
  steps_.push_back({.kind = Kind::kDialog, .text = "a dialog", .work = std::move(work)});
  return *this;
}

ScriptedServices& ScriptedServices::ExpectMenu(std::function<int(QMenu*)> choose) {
  steps_.push_back({.kind = Kind::kMenu, .text = "a pop-up menu", .choose = std::move(choose)});
  return *this;
}

ModalSteps::ModalSteps(std::deque<std::function<void(QWidget* window)>> steps)
    : steps_(std::move(steps)) {
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start(10);
}

ModalSteps::~ModalSteps() {
  EXPECT_TRUE(steps_.empty()) << steps_.size() << " window(s) never came";
}

void ModalSteps::Poll() {
  QWidget* window = QApplication::activeModalWidget();
  if (window == nullptr || !window->isVisible()) return;
  if (steps_.empty()) {
    ADD_FAILURE() << "unexpected window \"" << window->windowTitle().toStdString() << "\"";
    window->close();
    return;
  }
  std::function<void(QWidget*)> step = std::move(steps_.front());
  steps_.pop_front();
  step(window);
}

QString SaveScreenshot(QWidget* widget, const QString& name) {
  QString folder = qEnvironmentVariable("TEST_OUTPUT_DIR", QStringLiteral(SCREENSHOT_DIR));
  QDir().mkpath(folder);
  QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
  widget->grab().save(path);
  return path;
}
