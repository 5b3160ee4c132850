#include "tests/device/frame/frame_testing.h"

#include "device/frame/device_app.h"
#include "device/frame/device_view.h"
#include "device/resources/device_resources.h"
#include "platform/device/shell/dialog_item.h"

namespace {

std::vector<FrameCommand> Recorders(std::vector<int>* commands, std::initializer_list<int> ids) {
  std::vector<FrameCommand> recorders;
  for (int id : ids)
    recorders.push_back({id, [commands, id](CMainFrame&) { commands->push_back(id); }});
  return recorders;
}

}  // namespace

DeviceProgram SkeldraLikeProgram(std::vector<int>* commands) {
  return {
      .purpose = "Backs up text messages (test program).",
      .style = FormStyle::kSkeldra,
      .resources = &SkeldraResources(),
      .form = {.maker = "Velthorn",
               .name = "Skeldra ",
               .backupTitle = "Backup SMS",
               .backupDescription = "Backup mobile phone SMS and transfer to pc",
               .restoreTitle = "Restore SMS",
               .restoreDescription = "Restore SMS from qrd file to mobile phone  ",
               .exitTitle = "EXIT",
               .link = "NONE"},
      .aboutCaption = "About Tribbok",
      .aboutText = "Skeldra\nVersion 2.1",
      .homePageUrl = "http://www.velthorn.example/",
      .guideUrl = "http://www.velthorn.example/guide/skeldra.html",
      .backupCommand = 32786,
      .restoreCommand = 32787,
      .commands = Recorders(commands, {32786, 32787}),
  };
}

DeviceProgram MarrowindLikeProgram(std::vector<int>* commands) {
  return {
      .purpose = "Backs up contacts (test program).",
      .style = FormStyle::kMarrowind,
      .resources = &MarrowindResources(),
      .form = {.maker = "Velthorn",
               .name = "Marrowind",
               .backupTitle = "Backup Contacts",
               .backupDescription = "Backup all Contacts from\nSIM , Outlook and Mobile ",
               .restoreTitle = "Restore Contacts",
               .restoreDescription = "Restore Contacts to\nMobile from backup file",
               .exitTitle = "EXIT",
               .link = "www.velthorn.example"},
      .aboutCaption = "About Marrowind",
      .aboutText = "Marrowind\nVersion 2.0",
      .homePageUrl = "http://www.velthorn.example/",
      .guideUrl = "http://www.velthorn.example/guide/marrowind.html",
      .backupCommand = 32777,
      .restoreCommand = 32776,
      .commands = Recorders(commands, {32777, 32776}),
  };
}

FrameTest::~FrameTest() { frame_.reset(); }

void FrameTest::Install(FormStyle style) {
  program_ = style == FormStyle::kSkeldra ? SkeldraLikeProgram(&commands_)
                                          : MarrowindLikeProgram(&commands_);
  InstallDeviceProgram(program_);
}

void FrameTest::Start(FormStyle style, const PhoneScreen& screen) {
  SetPhoneScreen(screen);
  program_ = style == FormStyle::kSkeldra ? SkeldraLikeProgram(&commands_)
                                          : MarrowindLikeProgram(&commands_);
  frame_ = InitDeviceInstance(program_);
  ASSERT_NE(frame_, nullptr);
}

QRect FrameTest::Geometry(int id) const {
  QWidget* control = FindDlgItem(frame_->View(), id);
  return control != nullptr ? control->geometry() : QRect();
}
