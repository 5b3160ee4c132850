#include "desktop/ui/splitter_wnd.h"

#include <QPainter>

CMySplitterWnd::CMySplitterWnd(int rows, int columns, QWidget* parent)
    : QWidget(parent),
      rows_(rows),
      columns_(columns),
      rowIdeals_(rows, 0),
      columnIdeals_(columns, 0),
      panes_(rows * columns, nullptr) {}

void CMySplitterWnd::SetPane(int row, int column, QWidget* pane) {
  panes_[row * columns_ + column] = pane;
  pane->setParent(this);
  pane->show();
  RecalcLayout();
}

QWidget* CMySplitterWnd::GetPane(int row, int column) const {
  return panes_[row * columns_ + column];
}

void CMySplitterWnd::SetRowInfo(int row, int ideal) { rowIdeals_[row] = ideal; }

void CMySplitterWnd::SetColumnInfo(int column, int ideal) { columnIdeals_[column] = ideal; }

std::vector<std::pair<int, int>> CMySplitterWnd::Tracks(const std::vector<int>& ideals, int length,
                                                        int gap) {
  std::vector<std::pair<int, int>> tracks;
  int offset = 0;
  for (size_t i = 0; i < ideals.size(); ++i) {
    int left = std::max(0, length - offset);
    int size = i + 1 < ideals.size() ? std::min(std::max(0, ideals[i]), left) : left;
    tracks.emplace_back(offset, size);
    offset += size + gap;
  }
  return tracks;
}

void CMySplitterWnd::RecalcLayout() {
  auto rows = Tracks(rowIdeals_, height(), m_cySplitterGap);
  auto columns = Tracks(columnIdeals_, width(), m_cxSplitterGap);
  for (int row = 0; row < rows_; ++row) {
    for (int column = 0; column < columns_; ++column) {
      QWidget* pane = GetPane(row, column);
      if (pane == nullptr) continue;
      QRect place(columns[column].first, rows[row].first, columns[column].second, rows[row].second);
      if (pane->geometry() != place) pane->setGeometry(place);
    }
  }
}

void CMySplitterWnd::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), brush_); }

void CMySplitterWnd::resizeEvent(QResizeEvent*) { RecalcLayout(); }
