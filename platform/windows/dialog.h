#pragma once

#include <QDialog>
#include <QStringList>

#include "platform/windows/control_host.h"
#include "platform/windows/message_service.h"

class QMenuBar;
class QScrollBar;

// What a scroll bar asks its window to do (OnVScroll).
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_BOTTOM = 7;

// A dialog built from a template. Modal dialogs run through the modal service, so tests can
// drive them; child dialogs (Create) live inside another window.
//
// A template with a menu or WS_VSCROLL gets a frame around its client area: the menu bar above
// it (commands reach OnCommand) and the scroll bar at the right (requests reach OnVScroll, which
// moves the content with ScrollWindow and keeps the position with SetScrollPos). A dialog given a
// title row (SetTitleRow) gets a frame too, the row at its top; without a scroll bar the client
// area fills what the frame's rows leave of the window.
class CDialog : public QDialog, public ControlHost {
 public:
  explicit CDialog(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);

  // Builds the controls, runs OnInitDialog and the dialog; returns the code it ended with.
  int DoModal();
  // Builds the dialog as a child window of `parent` (shown when the caller shows it).
  bool Create(QWidget* parent);
  // Ends a modal run (or hides a modeless dialog) with the result. Ended in OnInitDialog, a modal
  // dialog returns the result without ever showing.
  void EndDialog(int result) {
    ended_ = true;
    done(result);
  }

  // Places and sizes the window.
  void MoveWindow(const QRect& rect);
  // Sizes the window and leaves its place alone: a modal dialog still opens centred on its
  // owner.
  void SetWindowSize(QSize size);
  // Widens the window, within its screen, until its title bar can show the whole caption; the
  // controls move along to stay centred. A title bar elides a caption that does not fit, and a
  // caption can name what the dialog acts on.
  void FitWidthToCaption();

  // The vertical scroll bar of a WS_VSCROLL dialog.
  void SetScrollRange(int minimum, int maximum);
  int GetScrollPos() const { return scrollPosition_; }
  void SetScrollPos(int position);
  int ScrollMinimum() const;
  int ScrollMaximum() const;
  QScrollBar* ScrollBar() const { return scrollBar_; }
  // Moves the content of the client area by dx, dy pixels.
  void ScrollWindow(int dx, int dy);

  // Puts `row` across the top of the window, above the client area, in the place of the title bar
  // that a window manager would draw (the phone draws none). Given before the dialog is built; the
  // dialog owns the row.
  void SetTitleRow(QWidget* row);

  // Lets files be dropped on the dialog (they reach OnDropFiles), or refuses them.
  void DragAcceptFiles(bool accept) { setAcceptDrops(accept); }

  QMenuBar* MenuBar() const { return menuBar_; }
  // The window the controls live in: the dialog itself, or its client area inside the frame.
  QWidget* ClientArea() const;

 protected:
  virtual bool OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void OnCommand(int /*commandId*/) {}
  virtual void OnVScroll(int /*code*/, int /*position*/) {}
  // A turn of the mouse wheel over a scrolling dialog, or over one of its controls that does not
  // have the focus.
  virtual void OnMouseWheel(int /*delta*/) {}
  virtual void OnDropFiles(const QStringList& /*paths*/) {}

  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override { OnCancel(); }
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Places the frame's rows and bar, and the client area, for the window's size. Runs on every
  // resize the window hears of; one not shown yet hears of its size only when it shows, so a
  // dialog that sizes itself before then calls it.
  void LayoutFrame();

 private:
  void Build();
  void BuildFrame(QSize clientSize);
  // The height of the rows above the client area.
  int FrameTop() const;
  void OnScrollAction(int action);
  // The control (a direct child of the client area) that holds `widget`.
  QWidget* ControlOf(QWidget* widget) const;

  QWidget* client_ = nullptr;
  QWidget* titleRow_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  QScrollBar* scrollBar_ = nullptr;
  int scrollPosition_ = 0;
  bool ended_ = false;
};
