// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Real mouse events delivered to the table widget, with the buttons held stated explicitly.

#include <QApplication>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QWidget>

#include <cmath>

#include "table/PictureControls.h"

namespace korvel::testing {

class MouseDriver {
 public:
  explicit MouseDriver(QWidget* widget) : widget_(widget) {}

  void Move(QPoint p) { Send(QEvent::MouseMove, p, Qt::NoButton, held_); }
  void Press(QPoint p)
  {
    held_ = Qt::LeftButton;
    Send(QEvent::MouseButtonPress, p, Qt::LeftButton, held_);
  }
  void Release(QPoint p)
  {
    held_ = Qt::NoButton;
    Send(QEvent::MouseButtonRelease, p, Qt::LeftButton, held_);
  }
  void Click(QPoint p)
  {
    Move(p);
    Press(p);
    Release(p);
  }
  // Pointer onto the card, press, a few moves on the way, release over the target.
  void Drag(QPoint from, QPoint to)
  {
    Move(from);
    Press(from);
    for (int step = 1; step <= 4; ++step) Move(from + (to - from) * step / 4);
    Release(to);
  }

  // The pixel at the centre of a twip point.
  static QPoint Pixel(float xTwips, float yTwips)
  {
    return {static_cast<int>(std::floor(xTwips / TwipsPerPixel)), static_cast<int>(std::floor(yTwips / TwipsPerPixel))};
  }

 private:
  void Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons)
  {
    QMouseEvent event(type, QPointF(p), QPointF(widget_->mapToGlobal(p)), button, buttons, Qt::NoModifier,
                      QPointingDevice::primaryPointingDevice());
    QApplication::sendEvent(widget_, &event);
  }

  QWidget* widget_;
  Qt::MouseButtons held_ = Qt::NoButton;
};

}  // namespace korvel::testing
