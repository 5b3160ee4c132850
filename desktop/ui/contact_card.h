#pragma once

#include <QByteArray>
#include <QLabel>
#include <QPixmap>
#include <QString>
#include <QTimer>

#include "platform/windows/dialog.h"

// One record as its card shows it.
struct CardRecord {
  QString id;  // `ID` as decimal text
  QString name;
  QString mobile;
  QString workTel;
  QString homeTel;
  QString eMail;
  QString notes;
  int hasPic = 0;
  int contactType = 0;
  QString simName;
  QByteArray picture;  // the stored picture bytes, read only when `hasPic` is 1
};

// A contact card of the card view: one record on a background that tells phone contacts from SIM
// contacts and marks the selected card. A click selects it, a double click modifies the record,
// a right click offers "Modify selected record" and "Delete selected record".
class CDlgResult : public CDialog {
 public:
  explicit CDlgResult(QWidget* parent = nullptr);

  // Shows a record. The picture is decoded here, once. A record without a picture shows the
  // default picture; one whose stored bytes are no picture shows none.
  void Fill(const CardRecord& record);
  // Shows "Paint error!" once when the last Fill decoded a picture it could not draw.
  void ReportPictureFault();

  virtual void OnModify();  // command 32783, double click: the modify dialog of m_strID
  virtual void OnDelete();  // command 32786: the delete dialog of m_strID

  // Selection follow-up: takes or drops the highlight as m_strSelectedID says.
  void OnTimer();

  // Background bitmap of a contact type, selected or not.
  static int BackgroundBitmap(int contactType, bool selected);

  static constexpr int kPictureStatic = 1039;
  static constexpr int kIdStatic = 1161;
  static constexpr int kNameStatic = 1162;
  static constexpr int kMobileStatic = 1163;
  static constexpr int kWorkTelStatic = 1164;
  static constexpr int kHomeTelStatic = 1165;
  static constexpr int kEMailStatic = 1166;
  static constexpr int kNotesStatic = 1167;
  static constexpr int kPictureWidth = 55;
  static constexpr int kPictureHeight = 70;
  // The size the card view gives every card.
  static constexpr int kWidth = 200;
  static constexpr int kHeight = 260;

  bool m_bSelected = false;
  int m_nHasPic = 0;
  int m_nContactType = 0;
  QString m_strSimName;
  QPixmap m_hDefaultPicture;
  QLabel* m_stPicture = nullptr;
  QLabel* m_edName = nullptr;
  QLabel* m_edMobile = nullptr;
  QLabel* m_edWorkTel = nullptr;
  QLabel* m_edHomeTel = nullptr;
  QLabel* m_edEMail = nullptr;
  QLabel* m_edNotes = nullptr;
  QString m_strID;

 protected:
  void DoDataExchange(DataExchange& dx) override;
  bool OnInitDialog() override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void OnLButtonDown();
  void OnRButtonDown(QPoint globalPosition);
  void Select();
  void ShowPicture();
  // The template places each value just after its label for a narrower font than this system's,
  // so a label's text could reach its value ("Home Tel:+86…") and the name's label the picture.
  // Each value starts after its label's text (the name after the picture) and ends inside the
  // card, where its static cuts it with an ellipsis.
  void FitLinesToFont();

  QPixmap m_picture;  // the record's picture at 55 x 70; null when it has none that decodes
  bool m_bPictureFault = false;
  QTimer m_selectionTimer;
};
