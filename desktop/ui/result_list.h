#pragma once

#include <QTableView>
#include <QTimer>

#include <optional>

#include "desktop/ui/result_row_model.h"
#include "platform/windows/form_view.h"

// The list view: every record of the current view mode as one row of a report list, without
// pages. Like the card view it learns of changes by polling the shared flags every 10 ms.
class CResultList : public CFormView {
 public:
  explicit CResultList(QWidget* parent = nullptr);

  void OnInitialUpdate() override;

  // Full-row selection, grid lines and the nine columns.
  void InitColumns();
  // Reads the rows of the current view mode.
  void FillList();
  // The flag poll.
  void OnTimer();

  // The record dialogs open here, the modify and delete dialogs on the selected row's ID and
  // SIM_Name; until they exist, the commands do nothing.
  virtual void OnAddRecord();                                             // command 32779
  virtual void OnModifySelected(const QString& id, const QString& name);  // 32780, double click
  virtual void OnDeleteSelected(const QString& id, const QString& name);  // command 32781

  // The first selected row, if any.
  std::optional<int> SelectedRow() const;

  static constexpr int kList = 1021;

  QTableView* m_list = nullptr;
  ResultRowModel* Model() const { return m_model; }

 protected:
  QWidget* CreateControl(const ControlTemplate& control) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void OnRClickList(QPoint position);
  void OnDblClkList();
  // Tells the user of a fault met reading the rows, if any.
  void ReportFault(DatabaseFault fault);
  // Runs a modify or delete handler on the selected row; nothing happens without one.
  void OnSelectedRow(void (CResultList::*handler)(const QString& id, const QString& name));

  ResultRowModel* m_model = nullptr;
  QTimer m_pollTimer;
};
