#include "platform/device/shell/phone_dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QSettings>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <cmath>

#include "platform/device/shell/phone_screen.h"
#include "platform/device/shell/phone_style.h"
#include "platform/windows/interactive_services.h"
#include "platform/windows/message_service.h"
#include "platform/windows/modal_service.h"

namespace {

QDialogButtonBox::StandardButtons ButtonsOf(unsigned type) {
  switch (type & 0xF) {
    case MB_OKCANCEL:
      return QDialogButtonBox::Ok | QDialogButtonBox::Cancel;
    case MB_YESNO:
      return QDialogButtonBox::Yes | QDialogButtonBox::No;
    default:
      return QDialogButtonBox::Ok;
  }
}

int AnswerOf(unsigned type, bool accepted) {
  switch (type & 0xF) {
    case MB_OKCANCEL:
      return accepted ? IDOK : IDCANCEL;
    case MB_YESNO:
      return accepted ? IDYES : IDNO;
    default:
      return IDOK;
  }
}

// A read-only text that looks like a label but wraps inside words that are too wide for a line.
QTextEdit* MessageText(const QString& text) {
  auto* message = new QTextEdit();
  message->setPlainText(text);  // outside data (a file name) may be in it: never markup
  message->setReadOnly(true);
  message->setFocusPolicy(Qt::NoFocus);
  message->setFrameShape(QFrame::NoFrame);
  message->viewport()->setAutoFillBackground(false);
  message->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  message->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return message;
}

// The height of the message's text wrapped `width` pixels wide. Measured on a document of its
// own: the message lays its document out lazily, a screenful at a time.
int WrappedTextHeight(const QTextEdit& message, int width) {
  QTextDocument document;
  document.setDefaultFont(message.font());
  document.setDefaultTextOption(message.document()->defaultTextOption());
  document.setDocumentMargin(message.document()->documentMargin());
  document.setPlainText(message.toPlainText());
  document.setTextWidth(width);
  return static_cast<int>(std::ceil(document.size().height()));
}

// The screen's width; as high as the wrapped text and the buttons need, at most the screen's
// height; centred on the screen over the main window (moved as the main window's frame is).
void FitToScreen(QDialog& box, QTextEdit& message, const QDialogButtonBox& buttons) {
  const PhoneScreen& screen = GetPhoneScreen();
  const QMargins margins = box.layout()->contentsMargins();
  const int textHeight =
      WrappedTextHeight(message, screen.width - margins.left() - margins.right());
  const int wanted = margins.top() + textHeight + box.layout()->spacing() +
                     buttons.sizeHint().height() + margins.bottom();
  const int height = std::min(wanted, screen.height);
  box.setFixedSize(screen.width, height);
  if (QWidget* mainWindow = AfxGetMainWnd()) {
    box.move(mainWindow->pos() + QPoint(0, (screen.height - height) / 2));
  }
}

int RunPhoneMessageBox(const QString& text, const QString& caption, unsigned type) {
  QDialog box(AfxGetMainWnd());
  box.setWindowTitle(caption);
  box.setFont(PhoneDialogFont());
  auto* layout = new QVBoxLayout(&box);
  QTextEdit* message = MessageText(text);
  auto* buttons = new QDialogButtonBox(ButtonsOf(type));
  layout->addWidget(message, 1);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  FitToScreen(box, *message, *buttons);
  return AnswerOf(type, box.exec() == QDialog::Accepted);
}

// The dialog's own layout gives the file name and type only what a phone's width leaves beside
// their labels and a column of buttons: the buttons go in a row under them, and the two fields
// take the column the buttons leave. The controls are found by the names the platform's dialog
// gives them; a dialog without them keeps its layout.
void PutTheButtonsUnderTheFields(QFileDialog& dialog) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  auto* name = dialog.findChild<QWidget*>(QStringLiteral("fileNameEdit"));
  auto* type = dialog.findChild<QWidget*>(QStringLiteral("fileTypeCombo"));
  if (grid == nullptr || buttons == nullptr || name == nullptr || type == nullptr) return;
  int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
  for (QWidget* field : {name, type}) {
    const int index = grid->indexOf(field);
    if (index < 0) return;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    grid->removeWidget(field);
    grid->addWidget(field, row, column, 1, grid->columnCount() - column);
  }
  grid->setColumnStretch(column, 1);  // the labels keep their width
  grid->removeWidget(buttons);
  buttons->setOrientation(Qt::Horizontal);
  grid->addWidget(buttons, row + 1, 0, 1, grid->columnCount());
}

void FitFileDialogToScreen(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);  // a desktop's own dialog would not fit
  // Renaming, deleting and making folders ask their questions in the platform's own boxes,
  // which are sized for a desktop; the phone's dialog only picks a file.
  dialog.setOption(QFileDialog::ReadOnly);
  dialog.setViewMode(QFileDialog::List);
  dialog.setFont(PhoneDialogFont());
  PutTheButtonsUnderTheFields(dialog);
  dialog.setSizeGripEnabled(false);
  // The places beside the files would take a third of a phone's width, and the buttons that go
  // back and forth, choose a view or make a folder (which a read-only dialog cannot) most of the
  // folder's line; the folder list and the button to the parent folder remain.
  for (const char* name : {"sidebar", "backButton", "forwardButton", "newFolderButton",
                           "listModeButton", "detailModeButton"}) {
    if (auto* widget = dialog.findChild<QWidget*>(QLatin1String(name))) widget->hide();
  }
  FitToPhoneScreen(&dialog);
}

}  // namespace

void InstallPhoneDialogs() {
  // The platform's file dialog remembers its folders, its view and the width of its side bar in
  // the user's settings, which every program of the computer shares. The phone's dialog, laid out
  // for the phone, keeps what it remembers in settings of the phone programs' own.
  QSettings::setPath(
      QSettings::NativeFormat, QSettings::UserScope,
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/brevantor-phone");
  MessageService service = CurrentMessageService();
  service.messageBox = RunPhoneMessageBox;
  service.fileDialog = [](const FileDialogRequest& request) {
    return RunFileDialogOnScreen(request, FitFileDialogToScreen);
  };
  InstallMessageService(service);
}
