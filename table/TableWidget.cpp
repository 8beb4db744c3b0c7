// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "table/TableWidget.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

#include "table/TableDefinition.h"
#include "table/TablePainter.h"
#include "table/frmSolitaire.h"

namespace korvel {

namespace {

std::int16_t Buttons(Qt::MouseButtons buttons)
{
  return static_cast<std::int16_t>(((buttons & Qt::LeftButton) ? LeftButton : 0) |
                                   ((buttons & Qt::RightButton) ? RightButton : 0) |
                                   ((buttons & Qt::MiddleButton) ? MiddleButton : 0));
}

std::int16_t Shift(Qt::KeyboardModifiers modifiers)
{
  return static_cast<std::int16_t>(((modifiers & Qt::ShiftModifier) ? 1 : 0) |
                                   ((modifiers & Qt::ControlModifier) ? 2 : 0) |
                                   ((modifiers & Qt::AltModifier) ? 4 : 0));
}

struct TwipPoint {
  float x, y;
};

TwipPoint ToTwips(const QMouseEvent* event)
{
  const QPointF p = event->position();
  return {PixelCentreTwips(static_cast<int>(std::floor(p.x()))), PixelCentreTwips(static_cast<int>(std::floor(p.y())))};
}

}  // namespace

TableWidget::TableWidget(frmSolitaire& form, QWidget* parent) : QWidget(parent), form_(form)
{
  // Every pixel is painted by the table itself, and pointer moves matter without a button held.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  // The screen's density decides how sharp the pictures are read; the geometry stays the same.
  form_.SetPixelRatio(devicePixelRatioF());
  form_.Controls().SetRepaintHandlers([this](const TwipRect& area) { update(PixelRect(area)); }, [this] { update(); });
}

TableWidget::~TableWidget() { form_.Controls().SetRepaintHandlers(nullptr, nullptr); }

QSize TableWidget::sizeHint() const
{
  return {static_cast<int>(TableClientWidth) / TwipsPerPixel, static_cast<int>(TableClientHeight) / TwipsPerPixel};
}

void TableWidget::paintEvent(QPaintEvent* event)
{
  // Paint each dirty rectangle on its own: a drag dirties two small areas that may lie far apart.
  QPainter painter(this);
  for (const QRect& area : event->region()) {
    painter.setClipRect(area);
    PaintTable(painter, form_, area);
  }
  if (!painted_) {
    painted_ = true;
    emit firstFramePainted();
  }
}

void TableWidget::mouseMoveEvent(QMouseEvent* event)
{
  const TwipPoint p = ToTwips(event);
  form_.PointerMove(p.x, p.y, Buttons(event->buttons()), Shift(event->modifiers()));
}

void TableWidget::mousePressEvent(QMouseEvent* event)
{
  const TwipPoint p = ToTwips(event);
  form_.PointerPress(p.x, p.y, Buttons(event->button()), Shift(event->modifiers()));
}

void TableWidget::mouseReleaseEvent(QMouseEvent* event)
{
  const TwipPoint p = ToTwips(event);
  form_.PointerRelease(p.x, p.y, Buttons(event->button()), Shift(event->modifiers()));
}

void TableWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
  // A quick second click is another click: turning the stock fast turns two cards.
  mousePressEvent(event);
}

void TableWidget::resizeEvent(QResizeEvent* event)
{
  // The table never lays itself out again; only the next deal's background sees the new height.
  form_.SetClientSize(static_cast<float>(width() * TwipsPerPixel), static_cast<float>(height() * TwipsPerPixel));
  QWidget::resizeEvent(event);
}

}  // namespace korvel
