#pragma once

#include <QMainWindow>

class CCommandBar;
class CDeviceView;

// The main window of a phone program: the screen's size, the main form above the soft-key bar
// (menu bar 128 of the installed program), scrolled up and down when it is higher than the room
// above the bar. Every command of the bar, its menu and the form's
// buttons comes to OnCommand: the program's own commands (DeviceProgram::commands) first, then
// the frame's: exit, About and the two web pages.
class CMainFrame : public QMainWindow {
 public:
  CMainFrame();

  // Creates the soft-key bar and the main form; false when the bar or its menu cannot be made.
  bool OnCreate();

  void OnCommand(int commandId);
  // Closes the main window, which ends the program.
  void OnExit();
  // The About box, re-laid out for the screen's orientation while it is up.
  void OnAppAbout();
  // Opens a web page with the shell; its result is not looked at.
  void OnOpenWebPage(const QString& address);

  CCommandBar* CommandBar() const { return m_wndCommandBar; }
  CDeviceView* View() const { return m_pView; }

 protected:
  bool event(QEvent* event) override;

 private:
  CCommandBar* m_wndCommandBar = nullptr;
  CDeviceView* m_pView = nullptr;
};
