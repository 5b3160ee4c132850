#include "platform/windows/dialog_template.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "platform/windows/combo_box.h"
#include "platform/windows/date_time_picker.h"
#include "platform/windows/ellipsis_static.h"
#include "platform/windows/multi_line_edit.h"
#include "platform/windows/resources.h"
#include "platform/windows/tab_control.h"
#include "platform/windows/window_styles.h"

namespace {

struct FontFace {
  const char* family;
  bool italic;
};

// The Windows fonts the program's templates name, by what is installed on Debian with the
// suite's packages. WenQuanYi Micro Hei covers Latin and Chinese text alike; the handwriting
// face becomes an italic serif.
FontFace MapFontFamily(const QString& family) {
  if (family == QLatin1String("Lucida Handwriting")) return {"DejaVu Serif", true};
  return {"WenQuanYi Micro Hei", false};
}

// Statics show "&" as the mark of an access key, "&&" as one ampersand.
QString StaticText(const QString& text) {
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

QWidget* CreateButton(const ControlTemplate& control, QWidget* parent) {
  switch (control.style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
      return new QCheckBox(control.text, parent);
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return new QRadioButton(control.text, parent);
    case BS_GROUPBOX:
      return new QGroupBox(StaticText(control.text), parent);
    default: {
      auto* button = new QPushButton(control.text, parent);
      button->setDefault((control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
      button->setAutoDefault(false);
      return button;
    }
  }
}

QWidget* CreateStatic(const ControlTemplate& control, QWidget* parent) {
  auto* label = control.style & SS_ENDELLIPSIS ? new EllipsisStatic(parent) : new QLabel(parent);
  switch (control.style & SS_TYPEMASK) {
    case SS_ICON:
      label->setPixmap(LoadIcon(control.imageId).pixmap(IconSize(control.imageId)));
      break;
    case SS_BITMAP:
      label->setPixmap(QPixmap::fromImage(LoadBitmap(control.imageId)));
      break;
    default: {
      // A static shows its text as it is: outside data (file names, database errors) reaches
      // statics, and none of it is markup.
      label->setTextFormat(Qt::PlainText);
      label->setText(StaticText(control.text));
      label->setWordWrap(true);
      Qt::Alignment horizontal = (control.style & SS_TYPEMASK) == SS_CENTER  ? Qt::AlignHCenter
                                 : (control.style & SS_TYPEMASK) == SS_RIGHT ? Qt::AlignRight
                                                                             : Qt::AlignLeft;
      label->setAlignment(horizontal | Qt::AlignTop);
      break;
    }
  }
  return label;
}

// An edit box with ES_NUMBER refuses typed characters other than digits. Text the program puts
// in, or the user pastes, is not filtered.
class DigitsOnlyTyping : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    QString text = static_cast<QKeyEvent*>(event)->text();
    return !text.isEmpty() && text.at(0).isPrint() && !text.at(0).isDigit();
  }
};

QWidget* CreateEdit(const ControlTemplate& control, QWidget* parent) {
  if (control.style & ES_MULTILINE) {
    auto* edit = new MultiLineEdit(control.text, parent);
    edit->setReadOnly(control.style & ES_READONLY);
    return edit;
  }
  auto* edit = new QLineEdit(control.text, parent);
  edit->setReadOnly(control.style & ES_READONLY);
  if (control.style & ES_PASSWORD) edit->setEchoMode(QLineEdit::Password);
  if (control.style & ES_NUMBER) edit->installEventFilter(new DigitsOnlyTyping(edit));
  return edit;
}

QWidget* CreateListView(QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->header()->setStretchLastSection(false);
  return list;
}

// Radio buttons are exclusive within a group: from a button with WS_GROUP to the next one.
void JoinRadioGroup(QAbstractButton* radio, unsigned style, QButtonGroup** current) {
  if ((style & WS_GROUP) || *current == nullptr) *current = new QButtonGroup(radio->parent());
  (*current)->addButton(radio);
}

}  // namespace

QFont DialogFont(const QString& family, int pointSize) {
  FontFace face = MapFontFamily(family);
  QFont font(QString::fromLatin1(face.family));
  font.setItalic(face.italic);
  font.setPixelSize((pointSize * 96 + 36) / 72);
  return font;
}

DialogUnits::DialogUnits(const QFont& font) {
  QFontMetrics metrics(font);
  // The average width of the letters, rounded as the dialog manager rounds it.
  int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  baseX_ = (letters / 26 + 1) / 2;
  baseY_ = metrics.height();
}

QRect DialogUnits::ToPixels(int x, int y, int cx, int cy) const {
  return QRect(ToPixelsX(x), ToPixelsY(y), ToPixelsX(cx), ToPixelsY(cy));
}

QWidget* CreateStandardControl(const ControlTemplate& control, QWidget* parent) {
  switch (control.kind) {
    case ControlKind::kButton:
      return CreateButton(control, parent);
    case ControlKind::kStatic:
      return CreateStatic(control, parent);
    case ControlKind::kEdit:
      return CreateEdit(control, parent);
    case ControlKind::kComboBox:
      return new CComboBox(control.style, parent);
    case ControlKind::kListBox:
      return new QListWidget(parent);
    case ControlKind::kListView:
      return CreateListView(parent);
    case ControlKind::kDateTimePicker:
      if (control.style & DTS_SHOWNONE) return new DateTimePicker(true, parent);
      return new QDateEdit(parent);
    case ControlKind::kTabControl:
      return new CTabCtrl(parent);
    case ControlKind::kProgressBar: {
      auto* bar = new QProgressBar(parent);
      bar->setTextVisible(false);
      return bar;
    }
  }
  return new QWidget(parent);
}

void ControlSet::Build(QWidget* parent, const DialogTemplate& dialog, const Factory& factory) {
  DialogUnits units(parent->font());
  QButtonGroup* radioGroup = nullptr;
  for (const ControlTemplate& control : dialog.controls) {
    QWidget* widget = factory ? factory(control, parent) : nullptr;
    if (widget == nullptr) widget = CreateStandardControl(control, parent);
    QRect rect = units.ToPixels(control.x, control.y, control.cx, control.cy);
    if (control.kind == ControlKind::kComboBox) {
      // A combo box's template height includes its dropped-down list.
      rect.setHeight(std::min(rect.height(), widget->sizeHint().height()));
    }
    widget->setGeometry(rect);
    widget->setEnabled(!(control.style & WS_DISABLED));
    widget->setVisible(control.style & WS_VISIBLE);
    if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
      JoinRadioGroup(radio, control.style, &radioGroup);
    }
    widgets_[control.id] = widget;
    templates_[control.id] = control;
  }
  built_ = true;
}

QWidget* ControlSet::Find(int id) const {
  auto found = widgets_.find(id);
  return found != widgets_.end() ? found->second : nullptr;
}

const ControlTemplate* ControlSet::TemplateOf(int id) const {
  auto found = templates_.find(id);
  return found != templates_.end() ? &found->second : nullptr;
}

QString ControlSet::Text(int id) const {
  QWidget* widget = Find(id);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
  if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) return edit->toPlainText();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText();
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
  return widget ? widget->windowTitle() : QString();
}

void ControlSet::SetText(int id, const QString& text) {
  QWidget* widget = Find(id);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    // A typing limit never cuts what the program puts in.
    if (text.size() > edit->maxLength()) edit->setMaxLength(static_cast<int>(text.size()));
    edit->setText(text);
    edit->setCursorPosition(0);
  } else if (auto* plainEdit = qobject_cast<QPlainTextEdit*>(widget)) {
    plainEdit->setPlainText(text);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(text);
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    combo->setCurrentText(text);
  } else if (widget != nullptr) {
    widget->setWindowTitle(text);
  }
}
