#include "desktop/ui/result_list.h"

#include <QHeaderView>

#include "desktop/resources/resource_ids.h"
#include "desktop/ui/record_commands.h"
#include "desktop/ui/zolmark_app.h"
#include "desktop/widgets/control_color.h"
#include "platform/windows/menu.h"
#include "platform/windows/message_service.h"
#include "platform/windows/modal_service.h"
#include "platform/windows/window_styles.h"

namespace {

constexpr int kPollPeriodMs = 10;

const DialogTemplate kListViewTemplate = {
    .id = 108,
    .cx = 287,
    .cy = 206,
    .fontName = "MS Shell Dlg",
    .pointSize = 8,
    .controls = {
        {CResultList::kList, ControlKind::kListView, "", 7, 7, 273, 192,
         WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT},
    }};

// Column widths in pixels; the ID column is hidden.
constexpr int kColumnWidths[ResultRowModel::kColumnCount] = {0,   80,  90,  80, 120,
                                                             120, 120, 120, 120};

}  // namespace

CResultList::CResultList(QWidget* parent) : CFormView(kListViewTemplate, parent) {
  OnCtlColorBackBrush(this);
  m_model = new ResultRowModel(this);
  m_pollTimer.setInterval(kPollPeriodMs);
  connect(&m_pollTimer, &QTimer::timeout, this, [this] { OnTimer(); });
}

QWidget* CResultList::CreateControl(const ControlTemplate& control) {
  if (control.id != kList) return nullptr;
  auto* list = new QTableView(this);
  list->setModel(m_model);
  list->setShowGrid(false);
  list->setWordWrap(false);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->verticalHeader()->hide();
  // Rows of one height let the list place any of its rows without measuring the others.
  list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
  list->horizontalHeader()->setHighlightSections(false);
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(list, &QWidget::customContextMenuRequested, this,
          [this](QPoint position) { OnRClickList(position); });
  connect(list, &QAbstractItemView::doubleClicked, this, [this] { OnDblClkList(); });
  return list;
}

void CResultList::OnInitialUpdate() {
  CFormView::OnInitialUpdate();
  m_list = Item<QTableView>(kList);
  m_list->setGeometry(rect());
  InitColumns();
  FillList();
  m_pollTimer.start();
}

void CResultList::InitColumns() {
  m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_list->setShowGrid(true);
  for (int column = 0; column < ResultRowModel::kColumnCount; ++column) {
    m_list->setColumnWidth(column, kColumnWidths[column]);
  }
  m_list->setColumnHidden(ResultRowModel::kIdColumn, true);
}

void CResultList::FillList() {
  const CZOLMARKApp& app = AfxGetApp();
  ReportFault(m_model->Load(app.m_nViewMode, app.m_strKeyword));
  m_list->scrollToTop();
}

void CResultList::ReportFault(DatabaseFault fault) {
  if (fault != DatabaseFault::kNone) ShowTips(kIconError, DatabaseFaultText(fault));
}

void CResultList::OnTimer() {
  // A handler below a modal run may still be using its row: the flags wait until it returns.
  if (IsModalActive()) return;
  ReportFault(m_model->TakeRowsFault());
  CZOLMARKApp& app = AfxGetApp();
  if (app.m_bDataChanged) {
    app.m_bDataChanged = false;
    FillList();
  } else if (app.m_bSearchChanged) {
    FillList();
    app.m_bSearchChanged = false;
  }
}

std::optional<int> CResultList::SelectedRow() const {
  QModelIndexList rows = m_list->selectionModel()->selectedRows();
  if (rows.isEmpty()) return std::nullopt;
  return std::min_element(
             rows.begin(), rows.end(),
             [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); })
      ->row();
}

void CResultList::OnSelectedRow(void (CResultList::*handler)(const QString&, const QString&)) {
  std::optional<int> row = SelectedRow();
  if (!row) return;
  QStringList texts = m_model->RowTexts(*row);
  (this->*handler)(texts[ResultRowModel::kIdColumn], texts[ResultRowModel::kSimNameColumn]);
}

void CResultList::OnDblClkList() { OnSelectedRow(&CResultList::OnModifySelected); }

void CResultList::OnRClickList(QPoint position) {
  std::unique_ptr<QMenu> menu = LoadPopupMenu(kMenuList);
  if (menu == nullptr) return;
  // Modify and delete are grayed unless a row is selected.
  bool selected = SelectedRow().has_value();
  FindCommand(menu.get(), ID_LIST_MODIFY)->setEnabled(selected);
  FindCommand(menu.get(), ID_LIST_DELETE)->setEnabled(selected);
  switch (TrackPopupMenu(menu.get(), m_list->viewport()->mapToGlobal(position))) {
    case ID_LIST_ADD:
      OnAddRecord();
      break;
    case ID_LIST_MODIFY:
      OnSelectedRow(&CResultList::OnModifySelected);
      break;
    case ID_LIST_DELETE:
      OnSelectedRow(&CResultList::OnDeleteSelected);
      break;
  }
}

void CResultList::resizeEvent(QResizeEvent* event) {
  CFormView::resizeEvent(event);
  if (m_list != nullptr) m_list->setGeometry(rect());
}

void CResultList::OnAddRecord() { OpenAddDialog(); }

void CResultList::OnModifySelected(const QString& id, const QString& name) {
  OpenModifyDialog(id, name);
}

void CResultList::OnDeleteSelected(const QString& id, const QString& name) {
  OpenDeleteDialog(id, name);
}
