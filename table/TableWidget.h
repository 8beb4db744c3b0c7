// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The one widget of the table: it paints the picture controls and forwards the mouse to them.

#include <QWidget>

namespace korvel {

class frmSolitaire;

class TableWidget : public QWidget {
  Q_OBJECT

 public:
  explicit TableWidget(frmSolitaire& form, QWidget* parent = nullptr);
  ~TableWidget() override;

  QSize sizeHint() const override;
  frmSolitaire& Form() { return form_; }

 signals:
  // After the first frame has been painted; the start-up probe stops there.
  void firstFramePainted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  frmSolitaire& form_;
  bool painted_ = false;
};

}  // namespace korvel
