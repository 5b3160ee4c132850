#pragma once

#include <QApplication>
#include <QBrush>

#include <memory>

#include "desktop/store/view_state.h"

class CMainFrame;

// The desktop application: start-up in its fixed order, the background brush of every form and
// dialog, and the view state the windows share (see ViewState).
class CZOLMARKApp : public QApplication, public ViewState {
 public:
  CZOLMARKApp(int& argc, char** argv);
  ~CZOLMARKApp() override;

  // Start-up; true when the main window is shown.
  bool InitInstance();
  // Command 57664: the About box.
  void OnAppAbout();

  CMainFrame* MainFrame() const { return m_pMainWnd.get(); }

  QBrush m_brushBack;

 private:
  std::unique_ptr<CMainFrame> m_pMainWnd;
};

// The application object, as every window reaches it.
CZOLMARKApp& AfxGetApp();

// main() of Brevantor. With "--help" or "-h" among its arguments it prints its usage (what it
// is, its working folder, how to start it) and ends without opening a window or touching a file;
// otherwise it runs the program. The program's exit status.
int RunBrevantor(int argc, char** argv);
