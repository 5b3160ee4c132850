#include "desktop/ui/contact_editor.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include "common/regular_file.h"
#include "common/whole_file_writer.h"
#include "desktop/exchange/backup/ring_tone_folder.h"
#include "desktop/resources/resource_ids.h"
#include "desktop/store/contact_record.h"
#include "desktop/ui/outcome_messages.h"
#include "desktop/ui/zolmark_app.h"
#include "desktop/widgets/control_color.h"
#include "platform/windows/menu.h"
#include "platform/windows/modal_service.h"
#include "platform/windows/picture.h"
#include "platform/windows/resources.h"
#include "platform/windows/window_styles.h"

namespace {

// Copies the chosen file whole into the ring-tone folder: only a regular file is read, and the
// copy is written through no link and never outside the database's folder.
bool CopyRingToneFile(const QString& source, const QString& target) {
  QFile file;
  if (!OpenRegularFile(file, source)) return false;
  const QByteArray bytes = file.readAll();
  return file.error() == QFileDevice::NoError &&
         WriteWholeFile(target, bytes,
                        QFileInfo(QString::fromLatin1(kContactDatabaseFile)).absolutePath());
}

constexpr int kStatic = -1;      // labels nobody looks up
constexpr int kScrollStep = 20;  // pixels per scroll unit
constexpr int kScrollUnits = 40;
constexpr int kRowHeight = 12;
constexpr unsigned kFileDialogFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;

using enum ContactFieldId;

// Edit boxes beside the picture, and in the two columns below it, labelled as their fields.
constexpr EditorField Top(ContactFieldId field, int addId, int modifyId, int limit, int y,
                          int width, unsigned style = 0) {
  return {ColumnOf(field), LabelOf(field), addId, modifyId, limit, style, 124, 188, y,
          width,           kRowHeight};
}
constexpr EditorField Left(ContactFieldId field, int addId, int modifyId, int limit, int y) {
  return {ColumnOf(field), LabelOf(field), addId, modifyId, limit, 0, 8, 62, y, 146, kRowHeight};
}
constexpr EditorField Right(ContactFieldId field, int addId, int modifyId, int limit, int y) {
  return {ColumnOf(field), LabelOf(field), addId, modifyId, limit, 0, 216, 272, y, 146, kRowHeight};
}
// A box labelled otherwise than its field.
constexpr EditorField Relabelled(EditorField box, const char* label) {
  box.label = label;
  return box;
}
// The name boxes in a row right of "First-Middle-Last:", where the SIM name's box also stands.
constexpr EditorField NameBox(int column, int addId, int modifyId, int limit, int x, int width) {
  return {column, nullptr, addId, modifyId, limit, 0, 0, x, 46, width, kRowHeight};
}

// The three address groups: work and home side by side, other below work; each part of an
// address on its row of its group.
constexpr int kGroupX[] = {8, 216, 8};
constexpr int kGroupY[] = {378, 378, 478};
constexpr EditorField Address(ContactFieldId field, int addId, int modifyId) {
  const int part = Index(field) - Index(kWorkStreet), group = part / 5, row = part % 5;
  return {ColumnOf(field),
          LabelOf(field),
          addId,
          modifyId,
          35,
          0,
          kGroupX[group] + 6,
          kGroupX[group] + 68,
          kGroupY[group] + 12 + 16 * row,
          130,
          kRowHeight};
}

const EditorField kFields[] = {
    Top(kTitle, 1065, 1086, 35, 30, 110),
    NameBox(kColumnFirstName, 1080, 1087, 10, 188, 72),
    NameBox(kColumnMiddleName, 1081, 1042, 10, 264, 72),
    NameBox(kColumnLastName, 1079, 1043, 10, 340, 72),
    NameBox(kColumnSimName, 1183, 1178, 30, 188, 150),
    Top(kSuffix, 1090, 1044, 35, 62, 110),
    Relabelled(Top(kNickName, 1091, 1045, 35, 78, 110), "Nick name:"),
    Relabelled(Top(kFileAs, 1104, 1049, 60, 94, 224, ES_READONLY), "File as:"),
    Top(kMobilePhone, 1105, 1075, 25, 110, 110, ES_NUMBER),
    Left(kCompany, 1094, 1046, 35, 132),
    Right(kDepartment, 1102, 1047, 35, 132),
    Left(kJobTitle, 1103, 1048, 35, 148),
    Right(kOfficeLoc, 1144, 1071, 28, 148),
    Left(kCompanyTel, 1111, 1079, 25, 164),
    Right(kWorkTel, 1115, 1080, 25, 164),
    Left(kWorkTel2, 1116, 1081, 25, 180),
    Right(kWorkFax, 1117, 1082, 25, 180),
    Left(kCarTel, 1118, 1083, 25, 196),
    Right(kPager, 1132, 1078, 25, 196),
    Left(kHomeTel, 1124, 1084, 25, 212),
    Right(kHomeTel2, 1125, 1085, 25, 212),
    Left(kHomeFax, 1126, 1090, 25, 228),
    Right(kRadioTel, 1140, 1065, 35, 228),
    Left(kEMail, 1107, 1077, 25, 244),
    Right(kWebPage, 1106, 1076, 25, 244),
    Left(kEMail2, 1138, 1096, 25, 260),
    Right(kEMail3, 1139, 1097, 25, 260),
    Left(kIm, 1130, 1093, 25, 276),
    Right(kIm2, 1133, 1094, 25, 276),
    Left(kIm3, 1137, 1095, 25, 292),
    Relabelled(Right(kCategories, 1148, 1069, 35, 292), "Categories:"),
    Left(kSpouse, 1127, 1091, 25, 308),
    Right(kChildren, 1128, 1092, 25, 308),
    Left(kAssistant, 1141, 1066, 35, 324),
    Right(kAssistantTel, 1145, 1072, 28, 324),
    Left(kManager, 1142, 1067, 35, 340),
    Right(kCustomerId, 1146, 1073, 28, 340),
    Left(kAccount, 1143, 1068, 35, 356),
    Right(kGoveId, 1147, 1074, 28, 356),
    Address(kWorkStreet, 1109, 1050),
    Address(kWorkCity, 1110, 1051),
    Address(kWorkState, 1112, 1052),
    Address(kWorkZip, 1113, 1053),
    Address(kWorkCountry, 1114, 1054),
    Address(kHomeStreet, 1119, 1055),
    Address(kHomeCity, 1120, 1056),
    Address(kHomeState, 1121, 1057),
    Address(kHomeZip, 1122, 1058),
    Address(kHomeCountry, 1060, 1059),
    Address(kOtherStreet, 1129, 1060),
    Address(kOtherCity, 1131, 1061),
    Address(kOtherState, 1134, 1062),
    Address(kOtherZip, 1135, 1063),
    Address(kOtherCountry, 1136, 1064),
    {kColumnNotes, LabelOf(kNotes), 1151, 1070, 200, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
     8, 62, 582, 354, 96},
};
static_assert(std::size(kFields) == 55);

ControlTemplate Label(const char* text, int x, int y, int cx, int id = kStatic) {
  return {id, ControlKind::kStatic, QString::fromLatin1(text), x, y + 2, cx,
          10, WS_VISIBLE | SS_LEFT};
}

void AddFieldControls(std::vector<ControlTemplate>& controls, const EditorField& field, int id) {
  if (field.label != nullptr) {
    controls.push_back(Label(field.label, field.labelX, field.y, field.editX - field.labelX - 2));
  }
  controls.push_back({id, ControlKind::kEdit, QString(), field.editX, field.y, field.width,
                      field.height,
                      WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | field.style});
}

// The dates and the ring tone, right of the other address.
void AddDateAndRingToneControls(std::vector<ControlTemplate>& controls, const EditorControls& ids) {
  controls.push_back(Label(LabelOf(kBirthday), 222, 490, 56));
  controls.push_back({ids.birthday, ControlKind::kDateTimePicker, QString(), 280, 490, 100,
                      kRowHeight, WS_VISIBLE | WS_TABSTOP | DTS_SHOWNONE});
  controls.push_back(Label(LabelOf(kAnniversary), 222, 506, 56));
  controls.push_back({ids.anniversary, ControlKind::kDateTimePicker, QString(), 280, 506, 100,
                      kRowHeight, WS_VISIBLE | WS_TABSTOP | DTS_SHOWNONE});
  controls.push_back(Label("Ring tone:", 222, 522, 56));
  controls.push_back({ids.ringTone, ControlKind::kComboBox, QString(), 280, 522, 134, 100,
                      WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST});
}

DialogTemplate EditorTemplate(ContactDialogKind kind) {
  bool add = kind == ContactDialogKind::kAdd;
  const EditorControls& ids = add ? kAddControls : kModifyControls;
  std::vector<ControlTemplate> controls = {
      {kStatic, ControlKind::kButton, "Work address", 8, 378, 204, 92, WS_VISIBLE | BS_GROUPBOX},
      {kStatic, ControlKind::kButton, "Home address:", 216, 378, 204, 92, WS_VISIBLE | BS_GROUPBOX},
      {kStatic, ControlKind::kButton, "Other address:", 8, 478, 204, 92, WS_VISIBLE | BS_GROUPBOX},
      {ids.picture, ControlKind::kStatic, QString(), 8, 8, 88, 86,
       WS_VISIBLE | SS_BITMAP | SS_NOTIFY},
      {ids.deletePicture, ControlKind::kButton, "Delete Picture", 100, 76, 21, 18,
       WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
      {kStatic, ControlKind::kStatic,
       "(Double click or drag in a picture file to change the Head_Pic.)", 8, 102, 112, 26,
       WS_VISIBLE | SS_LEFT},
      Label("Storage type:", 124, 10, 50),
      {CContactEditor::kToMobile, ControlKind::kButton, "To mobile", 176, 10, 52, 12,
       WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON},
      {CContactEditor::kToSimCard, ControlKind::kButton, "To SIM card", 230, 10, 60, 12,
       WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON},
      {ids.save, ControlKind::kButton, "Save", 356, 4, 23, 20,
       WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
      {ids.cancel, ControlKind::kButton, "Cancel", 388, 4, 23, 20,
       WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
      Label("First-Middle-Last:", 124, 46, 62, ids.namesLabel),
      Label("Name:", 124, 46, 62, ids.simNameLabel),
  };
  controls.back().style &= ~WS_VISIBLE;
  for (const EditorField& field : kFields) {
    if (field.column == kColumnNotes) AddDateAndRingToneControls(controls, ids);
    AddFieldControls(controls, field, add ? field.addId : field.modifyId);
  }
  return {
      .id = add ? 111 : 112,
      .caption = add ? "Add a new record" : "Modify this record",
      .cx = 427,
      .cy = 712,
      .fontName = "MS Shell Dlg",
      .pointSize = 8,
      .controls = std::move(controls),
      .style = WS_VSCROLL | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
      .menuId = add ? kMenuAddDialog : kMenuModifyDialog,
  };
}

void SkinButton(CPictureButton* button, const QString& tooltip) {
  button->SetButtonTooltip(tooltip);
  button->SetDialogLook();
}

QString PictureRefusal(PictureFileResult result) {
  switch (result) {
    case PictureFileResult::kTooLarge:
      return QStringLiteral("The picture file is larger than 16 MB!");
    case PictureFileResult::kEmpty:
    case PictureFileResult::kNotAPicture:
      return QStringLiteral("The file is not a picture!");
    default:
      return QStringLiteral("Can't open the picture!");
  }
}

}  // namespace

std::span<const EditorField> EditorFields() { return kFields; }

CContactEditor::CContactEditor(ContactDialogKind kind, QWidget* parent)
    : CDialog(EditorTemplate(kind), parent ? parent : AfxGetMainWnd()), m_kind(kind) {
  OnCtlColorStaticBlack(this);
}

const EditorControls& CContactEditor::Ids() const {
  return m_kind == ContactDialogKind::kAdd ? kAddControls : kModifyControls;
}

int CContactEditor::IdOf(const EditorField& field) const {
  return m_kind == ContactDialogKind::kAdd ? field.addId : field.modifyId;
}

int CContactEditor::FieldId(int column) const {
  for (const EditorField& field : kFields) {
    if (field.column == column) return IdOf(field);
  }
  return 0;
}

bool CContactEditor::IsSimContact() const {
  auto* simCard = Item<QRadioButton>(kToSimCard);
  return simCard != nullptr && simCard->isChecked();
}

DateTimePicker* CContactEditor::Picker(int id) const {
  return dynamic_cast<DateTimePicker*>(GetDlgItem(id));
}

QComboBox* CContactEditor::RingToneList() const { return Item<QComboBox>(Ids().ringTone); }

QWidget* CContactEditor::CreateControl(const ControlTemplate& control) {
  const struct {
    int id;
    CPictureButton** button;
    void (CContactEditor::*command)();
  } buttons[] = {
      {Ids().save, &m_btnSave, &CContactEditor::OnSave},
      {Ids().cancel, &m_btnCancel, &CContactEditor::OnCancel},
      {Ids().deletePicture, &m_btnDeletePicture, &CContactEditor::OnDeletePicture},
  };
  for (const auto& entry : buttons) {
    if (entry.id != control.id) continue;
    auto command = entry.command;
    *entry.button = CPictureButton::FromTemplate(control, ClientArea(),
                                                 [this, command] { (this->*command)(); });
    return *entry.button;
  }
  return nullptr;
}

void CContactEditor::DoDataExchange(DataExchange& dx) {
  for (const EditorField& field : kFields) {
    int id = IdOf(field);
    dx.Text(id, m_fields[field.column]);
    dx.MaxChars(id, field.limit);
  }
}

void CContactEditor::InitEditor() {
  // Three quarters of the screen, but never narrower than the form where the screen is wide
  // enough for it: the form scrolls up and down only.
  QRect screen = QGuiApplication::primaryScreen()->geometry();
  int width = std::max(3 * screen.width() / 4, std::min(screen.width(), this->width()));
  MoveWindow(QRect(screen.width() / 6, screen.height() / 6, width, 3 * screen.height() / 4));
  SetScrollRange(0, kScrollUnits);

  m_btnSave->SetButtonBitmaps(LoadBitmap(kBitmapYesHover), LoadBitmap(kBitmapYesRest));
  SkinButton(m_btnSave, QStringLiteral("save and exit"));
  m_btnCancel->SetButtonBitmaps(LoadBitmap(kBitmapNoHover), LoadBitmap(kBitmapNoRest));
  SkinButton(m_btnCancel, QStringLiteral("cancel and exit"));
  m_btnDeletePicture->SetButtonIcons(LoadIcon(kIconDeletePicture), LoadIcon(kIconDeletePicture));
  SkinButton(m_btnDeletePicture, QStringLiteral("delete the picture"));

  connect(Item<QRadioButton>(kToMobile), &QAbstractButton::clicked, this,
          [this] { SetContactType(kPhoneContact); });
  connect(Item<QRadioButton>(kToSimCard), &QAbstractButton::clicked, this,
          [this] { SetContactType(kSimContact); });
  connect(RingToneList(), &QComboBox::activated, this,
          [this](int index) { OnRingToneSelChange(index); });
  FillRingToneList();

  QWidget* picture = GetDlgItem(Ids().picture);
  picture->resize(kPictureSize);
  ShowPicturePreview();
}

void CContactEditor::SetContactType(int contactType) {
  Item<QRadioButton>(kToMobile)->setChecked(contactType != kSimContact);
  Item<QRadioButton>(kToSimCard)->setChecked(contactType == kSimContact);
  ApplyContactTypeLayout();
}

void CContactEditor::ApplyContactTypeLayout() {
  bool sim = IsSimContact();
  GetDlgItem(Ids().simNameLabel)->setVisible(sim);
  GetDlgItem(Ids().namesLabel)->setVisible(!sim);
  for (const EditorField& field : kFields) {
    QWidget* edit = GetDlgItem(IdOf(field));
    bool isName = field.column == kColumnFirstName || field.column == kColumnMiddleName ||
                  field.column == kColumnLastName;
    if (field.column == kColumnSimName) {
      edit->setVisible(sim);
    } else if (isName) {
      edit->setVisible(!sim);
    } else if (field.column != kColumnFileAs && field.column != kColumnMobilePhone) {
      edit->setEnabled(!sim);
    }
  }
  for (int id : {Ids().ringTone, Ids().birthday, Ids().anniversary, Ids().picture}) {
    GetDlgItem(id)->setEnabled(!sim);
  }
  DragAcceptFiles(!sim);
}

void CContactEditor::FillRingToneList() {
  QComboBox* list = RingToneList();
  list->clear();
  list->addItem(QString::fromLatin1(kRingToneNone));
  list->addItem(QString::fromLatin1(kRingToneBrowse));
  list->addItems(RingToneFiles(RingToneFolder(QString::fromLatin1(kContactDatabaseFile))));
  list->setCurrentIndex(-1);
}

void CContactEditor::SelectStoredRingTone(const QString& ringTone) {
  m_strStoredRingTone = ringTone;
  QComboBox* list = RingToneList();
  QStringList entries;
  for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
  list->setCurrentIndex(FindRingToneEntry(entries, ringTone));
}

void CContactEditor::OnRingToneSelChange(int index) {
  m_bRingToneChosen = true;
  if (index != kRingToneBrowseEntry) return;
  FileDialogRequest request;
  request.title = QStringLiteral("Open a sound file(*.wma ,*.wav or *.mp3)");
  request.filter = m_kind == ContactDialogKind::kAdd
                       ? QStringLiteral(
                             "Ring Files(*.wma)|*.wma|Ring Files(*.wav)|*.wav|Ring "
                             "Files(*.mp3)|*.mp3|")
                       : QStringLiteral(
                             "Ring Files(*.wma)|*.wma|Ring Files(*.wav)|*.wav|Ring "
                             "File(*.mp3)|*.mp3|");
  request.defaultExtension = QStringLiteral("ring");
  request.flags = kFileDialogFlags;
  std::optional<QString> path = RunFileDialog(request);
  if (!path) {
    update();
    return;
  }
  QComboBox* list = RingToneList();
  if (m_kind == ContactDialogKind::kAdd) FillRingToneList();
  // Each browsed entry keeps the file it came from, so the one selected at save is copied.
  list->addItem(QFileInfo(*path).fileName(), *path);
  list->setCurrentIndex(list->count() - 1);
}

void CContactEditor::SetStoredDates(const QString& birthday, const QString& anniversary) {
  m_strStoredBirthday = birthday;
  m_strStoredAnniversary = anniversary;
  Picker(Ids().birthday)->SetDate(ParseStoredDate(birthday));
  Picker(Ids().anniversary)->SetDate(ParseStoredDate(anniversary));
}

QString CContactEditor::DateToSave(int pickerId, const QString& stored) const {
  DateTimePicker* picker = Picker(pickerId);
  if (!picker->IsModified()) return stored;
  std::optional<QDate> date = picker->GetDate();
  return date ? FormatStoredDate(*date) : QString();
}

QString CContactEditor::RingToneToSave() const {
  return m_bRingToneChosen ? RingTonePhonePath(m_strRingName) : m_strStoredRingTone;
}

void CContactEditor::SetStoredPicture(const QByteArray& bytes) {
  m_bStoredPicture = 1;
  ShowPicture(RenderPicture(bytes, kPictureSize));
}

void CContactEditor::OnBrowsePicture() {
  if (IsSimContact()) return;
  FileDialogRequest request;
  request.title = QStringLiteral("Open a picture(*.bmp or *.jpeg)");
  request.filter = QStringLiteral("Image Files (*.bmp)|*.bmp|Image Files (*.jpg)|*.jpg||");
  request.defaultExtension = QStringLiteral("bmp");
  request.flags = kFileDialogFlags;
  std::optional<QString> path = RunFileDialog(request);
  if (path && !path->isEmpty()) {
    TakePictureFile(*path);
  } else {
    update();
  }
}

void CContactEditor::OnDropFiles(const QStringList& paths) {
  if (!IsSimContact() && !paths.isEmpty()) TakePictureFile(paths.front());
}

void CContactEditor::TakePictureFile(const QString& path) {
  QByteArray bytes;
  PictureFileResult result = ReadPictureFile(path, &bytes);
  if (result != PictureFileResult::kOk) {
    ShowTips(kIconError, PictureRefusal(result));
    return;
  }
  m_strPicturePath = path;
  m_pictureBytes = bytes;
  m_bStoredPicture = 0;
  ShowPicture(RenderPicture(bytes, kPictureSize));
}

void CContactEditor::OnDeletePicture() {
  m_strPicturePath.clear();
  m_pictureBytes.clear();
  m_imgPreview = QImage();
  m_bStoredPicture = 0;
  ShowPicturePreview();
}

void CContactEditor::ShowPicture(const RenderedPicture& picture) {
  m_imgPreview = picture.image;
  ShowPicturePreview();
  if (picture.renderFailed) ShowPaintError();
}

void CContactEditor::ShowPicturePreview() {
  // The default picture stands for none; stored bytes that are no picture draw nothing.
  bool hasPicture = m_bStoredPicture == 1 || !m_strPicturePath.isEmpty();
  QImage shown = hasPicture ? m_imgPreview : LoadBitmap(kBitmapDefaultPicture, kPictureSize);
  Item<QLabel>(Ids().picture)->setPixmap(QPixmap::fromImage(shown));
}

void CContactEditor::ShowStoredFields() {
  m_storedFields = m_fields;
  UpdateData(false);
  UpdateData(true);
  m_shownFields = m_fields;
}

void CContactEditor::SetSavingEnabled(bool enabled) {
  m_btnSave->setEnabled(enabled);
  int saveCommand = m_kind == ContactDialogKind::kAdd ? ID_ADD_SAVE : ID_MODIFY_SAVE;
  for (QAction* menu : MenuBar()->actions()) {
    QAction* save = menu->menu() ? FindCommand(menu->menu(), saveCommand) : nullptr;
    if (save != nullptr) save->setEnabled(enabled);
  }
}

bool CContactEditor::ReadAndCheckFields(const QString& missingNameMessage) {
  UpdateData(true);
  for (const EditorField& field : kFields) {
    // A field the user left alone keeps its stored text, whatever the box made of it.
    if (m_fields[field.column] == m_shownFields[field.column]) {
      m_fields[field.column] = m_storedFields[field.column];
    }
  }
  if (IsSimContact()) {
    if (!m_fields[kColumnSimName].isEmpty()) return true;
    ShowTips(kIconError, QStringLiteral("Please input a Name!"));
    return false;
  }
  if (!m_fields[kColumnFirstName].isEmpty() || !m_fields[kColumnMiddleName].isEmpty() ||
      !m_fields[kColumnLastName].isEmpty()) {
    return true;
  }
  ShowTips(kIconError, missingNameMessage);
  return false;
}

bool CContactEditor::CheckSimNameLength() {
  if (m_fields[kColumnSimName].size() <= 14) return true;
  ShowTips(kIconError, QStringLiteral("The name is too long,reset the name please!"));
  return false;
}

bool CContactEditor::CopyChosenRingTone() {
  QComboBox* list = RingToneList();
  int index = list->currentIndex();
  m_strRingName = index >= kFirstRingToneFile ? list->itemText(index) : QString();
  QString source = index >= kFirstRingToneFile ? list->itemData(index).toString() : QString();
  if (source.isEmpty()) return true;
  QString folder = RingToneFolder(QString::fromLatin1(kContactDatabaseFile));
  QString target = folder + QLatin1Char('/') + m_strRingName;
  // A ring tone of that name already in the folder stays as it is.
  if (QFileInfo::exists(target)) return true;
  if (QDir().mkpath(folder) && CopyRingToneFile(source, target)) return true;
  ShowTips(kIconError, QStringLiteral("Can't copy the ring tone file!"));
  return false;
}

ContactTexts CContactEditor::PhoneContactValues() {
  m_fields[kColumnSimName] = ComposeContactName(
      m_fields[kColumnFirstName], m_fields[kColumnMiddleName], m_fields[kColumnLastName]);
  ContactTexts values = m_fields;
  values[kColumnFileAs] = m_fields[kColumnSimName];
  values[kColumnBirthday] = DateToSave(Ids().birthday, m_strStoredBirthday);
  values[kColumnAnniversary] = DateToSave(Ids().anniversary, m_strStoredAnniversary);
  values[kColumnRingTone] = RingToneToSave();
  return values;
}

void CContactEditor::FinishSave(const StoreResult& result, const QString& successText,
                                const QString& fallbackError) {
  if (result.succeeded) {
    ShowTips(kIconSuccess, successText);
    AfxGetApp().m_bDataChanged = true;
  } else {
    ShowTips(kIconError, result.errorText.isEmpty() ? fallbackError : result.errorText);
  }
  OnCancel();
}

void CContactEditor::OnCommand(int commandId) {
  if (commandId == ID_ADD_SAVE || commandId == ID_MODIFY_SAVE) {
    OnSave();
  } else if (commandId == ID_ADD_CANCEL || commandId == ID_MODIFY_CANCEL) {
    OnCancel();
  }
}

void CContactEditor::OnVScroll(int code, int position) {
  int current = GetScrollPos();
  switch (code) {
    case SB_LINEUP:
    case SB_PAGEUP:
      if (current > ScrollMinimum()) {
        SetScrollPos(current - 1);
        ScrollWindow(0, kScrollStep);
      }
      break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
      if (current < ScrollMaximum()) {
        SetScrollPos(current + 1);
        ScrollWindow(0, -kScrollStep);
      }
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      ScrollWindow(0, (current - position) * kScrollStep);
      SetScrollPos(position);
      break;
    case SB_TOP:
      ScrollWindow(0, (current - ScrollMinimum()) * kScrollStep);
      SetScrollPos(ScrollMinimum());
      break;
    case SB_BOTTOM:
      ScrollWindow(0, (current - ScrollMaximum()) * kScrollStep);
      SetScrollPos(ScrollMaximum());
      break;
  }
}

void CContactEditor::OnMouseWheel(int delta) { OnVScroll(delta < 0 ? SB_LINEDOWN : SB_LINEUP, 0); }

void CContactEditor::mousePressEvent(QMouseEvent* event) {
  CDialog::mousePressEvent(event);
  // The dialog can be dragged by any point of its client area.
  if (event->button() == Qt::LeftButton && windowHandle() != nullptr) {
    windowHandle()->startSystemMove();
  }
}

void CContactEditor::changeEvent(QEvent* event) {
  CDialog::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  // Minimising or restoring the dialog does the same to the main window.
  QWidget* main = AfxGetMainWnd();
  if (main == nullptr) return;
  auto* change = static_cast<QWindowStateChangeEvent*>(event);
  if (isMinimized()) {
    main->showMinimized();
  } else if (change->oldState() & Qt::WindowMinimized) {
    main->setWindowState(main->windowState() & ~Qt::WindowMinimized);
  }
}

bool CContactEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == GetDlgItem(Ids().picture)) {
    // The picture takes its clicks itself: a double click browses for a new one.
    if (event->type() == QEvent::MouseButtonDblClick) {
      OnBrowsePicture();
      return true;
    }
    if (event->type() == QEvent::MouseButtonPress) return true;
  }
  return CDialog::eventFilter(watched, event);
}
