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

std::optional<QString> RunFileDialogOnScreen(const FileDialogRequest& request) {
  QFileDialog dialog(OwnerWindow(), request.title);
  std::vector<NameFilter> filters = ParseFilter(request.filter);
  QStringList names;
  for (const NameFilter& filter : filters) names << filter.text;
  dialog.setNameFilters(names);
  if (request.save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!(request.flags & OFN_OVERWRITEPROMPT)) {
      dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
  } else {
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  dialog.selectFile(request.fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  qsizetype chosen = names.indexOf(dialog.selectedNameFilter());
  QString pattern = chosen >= 0 ? filters[chosen].pattern : QString();
  return WithExtension(dialog.selectedFiles().front(), pattern, request.defaultExtension);
}

}  // namespace

void InstallInteractiveServices() {
  MessageService service = CurrentMessageService();
  service.messageBox = RunMessageBox;
  service.fileDialog = RunFileDialogOnScreen;
  InstallMessageService(service);
}
