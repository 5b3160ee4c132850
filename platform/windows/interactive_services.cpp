#include "platform/windows/interactive_services.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>

#include "platform/windows/message_service.h"
#include "platform/windows/modal_service.h"

namespace {

// The window a box or dialog opens over: the active one, else the program's main window (without
// a window manager no window is ever active, and a box without a parent sits in the middle of
// the screen).
QWidget* OwnerWindow() {
  QWidget* active = QApplication::activeWindow();
  return active != nullptr ? active : AfxGetMainWnd();
}

int RunMessageBox(const QString& text, const QString& caption, unsigned type) {
  QMessageBox box(OwnerWindow());
  box.setWindowTitle(caption);
  box.setTextFormat(Qt::PlainText);  // the text may hold outside data, never markup
  box.setText(text);
  switch (type & 0xF0) {
    case MB_ICONERROR:
      box.setIcon(QMessageBox::Critical);
      break;
    case MB_ICONQUESTION:
      box.setIcon(QMessageBox::Question);
      break;
    case MB_ICONWARNING:
      box.setIcon(QMessageBox::Warning);
      break;
    case MB_ICONINFORMATION:
      box.setIcon(QMessageBox::Information);
      break;
  }
  switch (type & 0xF) {
    case MB_OKCANCEL:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case MB_YESNO:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    default:
      box.setStandardButtons(QMessageBox::Ok);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Ok:
      return IDOK;
    case QMessageBox::Yes:
      return IDYES;
    case QMessageBox::No:
      return IDNO;
    default:
      return IDCANCEL;
  }
}

struct NameFilter {
  QString text;     // as Qt shows it, patterns in parentheses
  QString pattern;  // "*.cbk" or "*.a;*.b"
};

// "Contacts files (*.cbk)|*.cbk|CSV files (*.csv)|*.csv|" as Qt name filters.
std::vector<NameFilter> ParseFilter(const QString& filter) {
  QStringList parts = filter.split(QLatin1Char('|'));
  std::vector<NameFilter> filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i + 1].isEmpty()) continue;  // "...|*.jpg||" ends with an empty pair
    QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
    QString text = parts[i].contains(QLatin1Char('('))
                       ? parts[i]
                       : parts[i] + QLatin1String(" (") + patterns + QLatin1Char(')');
    filters.push_back({text, parts[i + 1]});
  }
  return filters;
}

// A name typed without an extension gets the one of the chosen filter ("*.cbk"), or else the
// default extension when that is a plain extension.
QString WithExtension(const QString& path, const QString& pattern, const QString& fallback) {
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  static const QRegularExpression kSingleExtension(QStringLiteral("^\\*\\.([^*?;. ]+)$"));
  QRegularExpressionMatch match = kSingleExtension.match(pattern);
  if (match.hasMatch()) return path + QLatin1Char('.') + match.captured(1);
  static const QRegularExpression kPlainExtension(QStringLiteral("^[^*?;. ]+$"));
  if (kPlainExtension.match(fallback).hasMatch()) return path + QLatin1Char('.') + fallback;
  return path;
}

// Whether the chosen path will do; asks or tells the user through the message service when not.
bool AcceptChosenPath(const QString& path, const FileDialogRequest& request) {
  QFileInfo file(path);
  if (!request.save && !file.isFile()) {
    ShowMessageBox(
        file.fileName() + QStringLiteral("\nFile not found.\nPlease verify the correct file name "
                                         "was given."),
        request.title, MB_OK | MB_ICONWARNING);
    return false;
  }
  if (request.save && (request.flags & OFN_OVERWRITEPROMPT) && file.exists()) {
    return ShowMessageBox(
               file.fileName() + QStringLiteral(" already exists.\nDo you want to replace it?"),
               request.title, MB_YESNO | MB_ICONWARNING) == IDYES;
  }
  return true;
}

}  // namespace

std::optional<QString> RunFileDialogOnScreen(const FileDialogRequest& request,
                                             const std::function<void(QFileDialog&)>& prepare) {
  QFileDialog dialog(OwnerWindow(), request.title);
  std::vector<NameFilter> filters = ParseFilter(request.filter);
  QStringList names;
  for (const NameFilter& filter : filters) names << filter.text;
  dialog.setNameFilters(names);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // The dialog would check the name as typed; the name that counts has its extension added, so
  // the checks come after (AcceptChosenPath), and their questions go through the message service.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.selectFile(request.fileName);
  if (prepare) prepare(dialog);
  while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    qsizetype chosen = names.indexOf(dialog.selectedNameFilter());
    QString pattern = chosen >= 0 ? filters[chosen].pattern : QString();
    QString path = WithExtension(dialog.selectedFiles().front(), pattern, request.defaultExtension);
    if (!AcceptChosenPath(path, request)) continue;
    // The platform's dialog opens in the folder it was last shown, which a path typed in full
    // does not change: the next dialog opens where this file is.
    dialog.setDirectory(QFileInfo(path).absolutePath());
    return path;
  }
  return std::nullopt;
}

void InstallInteractiveServices() {
  MessageService service = CurrentMessageService();
  service.messageBox = RunMessageBox;
  service.fileDialog = [](const FileDialogRequest& request) {
    return RunFileDialogOnScreen(request);
  };
  InstallMessageService(service);
}
