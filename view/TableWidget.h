// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The one widget of the table: it paints the picture controls, forwards the mouse and the keys to
// the model, and tells screen readers about the table's 13 places (TableAccessible shows them).

#include <QWidget>

#include <array>
#include <optional>

#include "places/TableKeyboard.h"
#include "view/TablePainter.h"

namespace korvel {

class frmSolitaire;

class TableWidget : public QWidget {
  Q_OBJECT

 public:
  explicit TableWidget(frmSolitaire& form, QWidget* parent = nullptr);
  ~TableWidget() override;

  QSize sizeHint() const override;

  // The table as a screen reader reads it: each place's name, where it lies on the screen, and
  // which place the cursor is on and which one holds the held card (-1 for none).
  QString PlaceName(int place);
  QRect PlaceScreenRect(int place);
  int CursorPlace() const { return keyboard_.Place(); }
  int HeldPlace();

 signals:
  // After the first frame has been painted; the start-up probe stops there.
  void firstFramePainted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TableMarks Marks();
  void RepaintMarks(const TableMarks& marks);
  void ScheduleScreenReaderUpdate();
  void TellScreenReader(std::optional<int> alsoNamed = std::nullopt);
  void TellFocus();

  frmSolitaire& form_;
  TableKeyboard keyboard_;
  bool painted_ = false;
  // What a screen reader last heard of each place; only kept while one listens.
  std::array<QString, PlaceCount> names_;
  bool tellPending_ = false;
};

}  // namespace korvel
