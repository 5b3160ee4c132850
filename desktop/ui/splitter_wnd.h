#pragma once

#include <QBrush>
#include <QWidget>

#include <vector>

// A static splitter: panes in fixed rows and columns with gaps between them, painted with the
// splitter's own brush. Its bars cannot be dragged and show no sizing cursor. Every row and
// column but the last has an ideal size; the last takes what is left.
class CMySplitterWnd : public QWidget {
 public:
  CMySplitterWnd(int rows, int columns, QWidget* parent = nullptr);

  // Puts `pane` (re-parented to the splitter) into a cell, replacing nothing: free the old pane
  // first.
  void SetPane(int row, int column, QWidget* pane);
  QWidget* GetPane(int row, int column) const;

  void SetRowInfo(int row, int ideal);
  void SetColumnInfo(int column, int ideal);
  void RecalcLayout();

  int m_cxSplitterGap = 7;
  int m_cySplitterGap = 7;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // The bars do not move.
  void mousePressEvent(QMouseEvent*) override {}
  void mouseMoveEvent(QMouseEvent*) override {}

 private:
  // Offsets and sizes of `count` tracks along `length`.
  static std::vector<std::pair<int, int>> Tracks(const std::vector<int>& ideals, int length,
                                                 int gap);

  int rows_;
  int columns_;
  std::vector<int> rowIdeals_;
  std::vector<int> columnIdeals_;
  std::vector<QWidget*> panes_;
  QBrush brush_{QColor(97, 122, 227)};
};
