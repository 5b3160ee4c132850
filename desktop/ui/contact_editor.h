#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <span>

#include "desktop/ui/contact_form.h"
#include "desktop/widgets/picture_button.h"
#include "platform/windows/date_time_picker.h"
#include "platform/windows/dialog.h"

class QComboBox;
class QLabel;
struct RenderedPicture;

// The add and the modify dialog are one window with two sets of control ids. This is what they
// share: the template, the 55 edit boxes and their typing limits, the phone and SIM layouts, the
// dates, the ring-tone list, the picture, scrolling, dragging and colours. Each dialog adds how
// it opens and how it stores the contact.

enum class ContactDialogKind { kAdd, kModify };

// One edit box: the column it shows, its label, its id in each dialog and its typing limit.
struct EditorField {
  int column;
  const char* label;  // null for boxes labelled by a control of their own
  int addId;
  int modifyId;
  int limit;
  unsigned style;                       // edit styles beyond the usual ones
  int labelX, editX, y, width, height;  // dialog units
};

// The edit boxes, in the order of the window.
std::span<const EditorField> EditorFields();

// The dialog's other controls.
struct EditorControls {
  int birthday, anniversary, ringTone, picture, save, cancel, deletePicture, simName, simNameLabel,
      namesLabel;
};
inline constexpr EditorControls kAddControls = {1150, 1149, 1158, 1064, 1156,
                                                1157, 1162, 1183, 1181, 1177};
inline constexpr EditorControls kModifyControls = {1152, 1153, 1159, 1040, 1154,
                                                   1155, 1163, 1178, 1180, 1179};

// The size the picture is shown at, in pixels.
inline constexpr QSize kPictureSize(130, 150);

class CContactEditor : public CDialog {
 public:
  static constexpr int kToMobile = 1169;
  static constexpr int kToSimCard = 1170;

  const EditorControls& Ids() const;
  // The edit box of a column.
  int FieldId(int column) const;
  bool IsSimContact() const;
  // The picture the picture control draws; null when it shows the default picture or nothing.
  const QImage& PicturePreview() const { return m_imgPreview; }

  QString m_strPicturePath;  // a newly chosen picture file; empty when none
  QString m_strRingName;     // the selected ring tone's file name, at save time
  int m_bStoredPicture = 0;  // 1 while the record's stored picture is in force

 protected:
  CContactEditor(ContactDialogKind kind, QWidget* parent);

  QWidget* CreateControl(const ControlTemplate& control) override;
  void DoDataExchange(DataExchange& dx) override;
  void OnOK() override {}  // Enter saves nothing
  void OnCommand(int commandId) override;
  void OnVScroll(int code, int position) override;
  void OnMouseWheel(int delta) override;
  void OnDropFiles(const QStringList& paths) override;
  void mousePressEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  // Saves the contact: the save button and the menu's "Save and Exit".
  virtual void OnSave() = 0;

  // Opening: the window's place and size, its scroll range, the buttons, the ring-tone list and
  // the picture.
  void InitEditor();
  // Checks one radio button, unchecks the other and lays the dialog out for that type.
  void SetContactType(int contactType);
  void ApplyContactTypeLayout();
  void FillRingToneList();
  // Selects the entry of a stored ring tone, which is kept as stored unless the user chooses
  // another.
  void SelectStoredRingTone(const QString& ringTone);
  // Stored dates, kept as stored unless the user changes them.
  void SetStoredDates(const QString& birthday, const QString& anniversary);
  // The record's stored picture: bytes that are no picture draw nothing and are not reported; a
  // picture that cannot be drawn is.
  void SetStoredPicture(const QByteArray& bytes);
  // Shows the fields and remembers them, so that a field the user leaves alone is written
  // back exactly as stored.
  void ShowStoredFields();
  void SetSavingEnabled(bool enabled);

  // Saving: reads the fields, then checks that the contact has a name; false (after a message)
  // when it has none. `missingNameMessage` is the dialog's text for a phone contact.
  bool ReadAndCheckFields(const QString& missingNameMessage);
  // False (after a message) when the SIM name is too long.
  bool CheckSimNameLength();
  // Copies a browsed ring-tone file into the ring-tone folder; false (after a message) when the
  // copy fails.
  bool CopyChosenRingTone();
  // The values of a phone contact to store: the fields with the composed name, dates and ring
  // tone.
  ContactTexts PhoneContactValues();
  // Shows the outcome, raises the data-changed flag after a success and ends the dialog.
  void FinishSave(const StoreResult& result, const QString& successText,
                  const QString& fallbackError);

  ContactTexts m_fields;      // the edit boxes' texts, by column
  QByteArray m_pictureBytes;  // the bytes of m_strPicturePath
  QImage m_imgPreview;        // as drawn, at kPictureSize
  ContactDialogKind m_kind;

 private:
  int IdOf(const EditorField& field) const;
  void OnRingToneSelChange(int index);
  void OnBrowsePicture();
  void OnDeletePicture();
  void TakePictureFile(const QString& path);
  // Shows a stored or chosen picture and reports it when it could not be drawn.
  void ShowPicture(const RenderedPicture& picture);
  void ShowPicturePreview();
  QString DateToSave(int pickerId, const QString& stored) const;
  QString RingToneToSave() const;
  DateTimePicker* Picker(int id) const;
  QComboBox* RingToneList() const;

  CPictureButton* m_btnSave = nullptr;
  CPictureButton* m_btnCancel = nullptr;
  CPictureButton* m_btnDeletePicture = nullptr;
  ContactTexts m_storedFields;  // as loaded
  ContactTexts m_shownFields;   // as the edit boxes showed them
  QString m_strStoredBirthday;
  QString m_strStoredAnniversary;
  QString m_strStoredRingTone;
  bool m_bRingToneChosen = false;
};
