#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <vector>

// Dialog templates: a dialog or form as a table of controls placed in dialog units, turned into
// Qt widgets at the pixel positions the dialog font gives.

// The window classes templates use.
enum class ControlKind {
  kButton,  // push button, check box, radio button or group box, by its style
  kStatic,  // text, icon or bitmap, by its style
  kEdit,
  kComboBox,
  kListBox,
  kListView,        // report list
  kDateTimePicker,  // DTS_SHOWNONE gives a DateTimePicker that can hold no date
  kProgressBar,
  kTabControl,  // CTabCtrl: tabs only; pages are windows the dialog places inside it
};

struct ControlTemplate {
  int id;
  ControlKind kind;
  QString text;
  int x, y, cx, cy;    // dialog units
  unsigned style = 0;  // window_styles.h; WS_VISIBLE must be set for a visible control
  int imageId = 0;     // icon or bitmap resource of an icon or bitmap static
};

// Fields with a default may be left out: a form or page has no caption, and a template may get its
// controls after it is made.
struct DialogTemplate {
  int id;
  QString caption{};
  int cx, cy;  // dialog units
  QString fontName;
  int pointSize;
  std::vector<ControlTemplate> controls{};
  // WS_VSCROLL: the client area scrolls under a vertical scroll bar (the dialog's OnVScroll
  // moves it); WS_MINIMIZEBOX and WS_MAXIMIZEBOX: title-bar boxes, and a window that can be
  // maximised is not of fixed size.
  unsigned style = 0;
  int menuId = 0;  // a menu bar above the client area, from this menu resource
};

// The font a template names, mapped to one that is installed here. Windows fonts that Linux
// lacks map to close equivalents in this one place; sizes are fixed at 96 dots per inch so
// layouts are the same on every screen.
QFont DialogFont(const QString& family, int pointSize);

// Dialog units of a font: horizontal units are a quarter of the font's average character
// width, vertical units an eighth of its height.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);
  int ToPixelsX(int units) const { return units * baseX_ / 4; }
  int ToPixelsY(int units) const { return units * baseY_ / 8; }
  QRect ToPixels(int x, int y, int cx, int cy) const;

 private:
  int baseX_;
  int baseY_;
};

// The controls of one dialog or form, by id.
class ControlSet {
 public:
  using Factory = std::function<QWidget*(const ControlTemplate&, QWidget* parent)>;

  // Creates every control of the template as a child of `parent`, in template order (later
  // controls lie above earlier ones). `factory` may create a control of its own for an id and
  // returns null to get the standard one.
  void Build(QWidget* parent, const DialogTemplate& dialog, const Factory& factory);

  QWidget* Find(int id) const;
  const ControlTemplate* TemplateOf(int id) const;
  bool IsBuilt() const { return built_; }

  QString Text(int id) const;
  void SetText(int id, const QString& text);

 private:
  std::map<int, QWidget*> widgets_;
  std::map<int, ControlTemplate> templates_;
  bool built_ = false;
};

// The standard widget for a control template.
QWidget* CreateStandardControl(const ControlTemplate& control, QWidget* parent);
