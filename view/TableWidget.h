// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The one widget of the table: it paints the picture controls, forwards the mouse and the keys to
// the model, and tells screen readers about the table's 13 places (TableAccessible shows them).

#include <QAccessible>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "places/TableKeyboard.h"
#include "view/TablePainter.h"
#include "view/TableVoice.h"

namespace korvel {

class frmSolitaire;

class TableWidget : public QWidget, private QAccessible::ActivationObserver {
  Q_OBJECT

 public:
  explicit TableWidget(frmSolitaire& form, QWidget* parent = nullptr);
  ~TableWidget() override;

  QSize sizeHint() const override;

  // The table as a screen reader reads it: each place's name, what was last said of it beside its
  // name, its braille line, where it lies on the screen, and which place the cursor is on and which
  // one holds the held card (-1 for none).
  QString PlaceName(int place);
  QString PlaceDescription(int place) const;
  // What a braille display shows of the place (BrailleLine).
  QString PlaceBraille(int place);
  QRect PlaceScreenRect(int place);
  int CursorPlace() const { return keyboard_.Place(); }
  int HeldPlace();
  // Each time the cursor's place is said, it is said by a fresh object: a screen reader keeps quiet
  // about an object it has just spoken of. This counts how often a place has been said.
  std::uint32_t TimesSaid(int place) const { return voice_.TimesSaid(place); }
  // How often the places have been worded for a screen reader: once per change of what they say.
  std::uint64_t TimesWorded() const { return voice_.TimesWorded(); }

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
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void accessibilityActiveChanged(bool active) override;
  // Tells the table what of it the pointer can reach: what its window shows of the widget, less
  // what lies off the screens.
  void FollowScreens();
  TableMarks Marks();
  void RepaintMarks(const TableMarks& marks);

  frmSolitaire& form_;
  TableKeyboard keyboard_;
  TableVoice voice_{*this, form_, keyboard_};
  bool painted_ = false;
};

}  // namespace korvel
