// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "view/TableWidget.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <cmath>

#include "table/Pixels.h"
#include "table/TableDefinition.h"
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

TableWidget::TableWidget(frmSolitaire& form, QWidget* parent) : QWidget(parent), form_(form), keyboard_(form)
{
  // Every pixel is painted by the table itself, and pointer moves matter without a button held.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  // The table takes the keys: the whole game can be played from the keyboard.
  setFocusPolicy(Qt::StrongFocus);
  // The screen's density decides how sharp the pictures are read; the geometry stays the same.
  form_.SetPixelRatio(devicePixelRatioF());
  form_.Controls().SetRepaintHandlers(
      [this](const TwipRect& area) {
        update(PixelRect(area));
        voice_.ScheduleUpdate();
      },
      [this] {
        update();
        voice_.ScheduleUpdate();
      });
  // A new deal puts the cursor on the stock: a screen reader says so, once the deal (from the menu
  // or F2) is over.
  connect(&form_, &frmSolitaire::dealt, this, [this] {
    if (QAccessible::isActive()) voice_.SayCursorPlaceLater(NewDealAnnouncement);
  });
  // The bridge to the desktop's screen readers may come up after the window has the focus.
  QAccessible::installActivationObserver(this);
}

TableWidget::~TableWidget()
{
  QAccessible::removeActivationObserver(this);
  form_.Controls().SetRepaintHandlers(nullptr, nullptr);
}

QSize TableWidget::sizeHint() const
{
  return {static_cast<int>(TableClientWidth) / TwipsPerPixel, static_cast<int>(TableClientHeight) / TwipsPerPixel};
}

void TableWidget::paintEvent(QPaintEvent* event)
{
  // Paint each dirty rectangle on its own: a drag dirties two small areas that may lie far apart.
  QPainter painter(this);
  const TableMarks marks = Marks();
  for (const QRect& area : event->region()) {
    painter.setClipRect(area);
    PaintTable(painter, form_, area, marks);
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

TableMarks TableWidget::Marks() { return {keyboard_.CursorArea(), keyboard_.HeldArea()}; }

void TableWidget::RepaintMarks(const TableMarks& marks)
{
  for (const std::optional<TwipRect>& r : {marks.Cursor, marks.Held})
    if (r) update(PixelRect(MarkedArea(*r)));
}

void TableWidget::mousePressEvent(QMouseEvent* event)
{
  // The mouse takes over: the keyboard's frame goes and nothing is held any more.
  if (keyboard_.Shown() || keyboard_.Held()) RepaintMarks(Marks());
  keyboard_.PointerPressed();
  const TwipPoint p = ToTwips(event);
  form_.PointerPress(p.x, p.y, Buttons(event->button()), Shift(event->modifiers()));
}

void TableWidget::mouseReleaseEvent(QMouseEvent* event)
{
  // A drop touches the dragged card's place even when it is refused and nothing changes.
  const std::optional<int> dragged = voice_.DraggedPlace();
  const TwipPoint p = ToTwips(event);
  form_.PointerRelease(p.x, p.y, Buttons(event->button()), Shift(event->modifiers()));
  if (dragged) voice_.Tell(*dragged);
}

void TableWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
  // A quick second click is another click: turning the stock fast turns two cards.
  mousePressEvent(event);
}

void TableWidget::keyPressEvent(QKeyEvent* event)
{
  const std::optional<KeyCommand> command = CommandForKey(event->key(), static_cast<int>(event->modifiers()));
  if (!command) {
    QWidget::keyPressEvent(event);
    return;
  }
  const TableMarks before = Marks();
  std::optional<KeyReport> report = voice_.BeforeKey();
  const KeyResult result = keyboard_.Press(*command, Buttons(QGuiApplication::mouseButtons()));
  if (result == KeyResult::None) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (const TableMarks after = Marks(); after != before) {
    RepaintMarks(before);
    RepaintMarks(after);
  }
  if (!report) return;
  report->Result = result;
  voice_.AfterKey(std::move(*report));
}

void TableWidget::focusInEvent(QFocusEvent* /*event*/)
{
  // QWidget's own would only repaint: the table looks the same with or without the focus.
  // Said after the focus event Qt sends for the table itself, or a screen reader would keep that one.
  if (QAccessible::isActive()) voice_.SayCursorPlaceLater({});
}

void TableWidget::accessibilityActiveChanged(bool active)
{
  if (active && hasFocus()) voice_.SayCursorPlaceLater({});
}

void TableWidget::FollowScreens()
{
  // Only what the window shows: a window made smaller than the table, down to its menu bar, hides
  // the rest, though the table keeps its size.
  QRect reach = rect() & QRect(mapFrom(window(), QPoint(0, 0)), window()->size());
  if (const QScreen* screen = this->screen(); screen != nullptr && isVisible()) {
    const QRect desktop = screen->virtualGeometry();
    reach &= QRect(mapFromGlobal(desktop.topLeft()), desktop.size());
  }
  form_.Controls().SetView(
      {static_cast<float>(reach.left() * TwipsPerPixel), static_cast<float>(reach.top() * TwipsPerPixel),
       static_cast<float>(reach.width() * TwipsPerPixel), static_cast<float>(reach.height() * TwipsPerPixel)});
}

void TableWidget::moveEvent(QMoveEvent* event)
{
  // Laid out again in its window, the table may show less or more of itself.
  FollowScreens();
  QWidget::moveEvent(event);
}

void TableWidget::showEvent(QShowEvent* event)
{
  // The window moves and shrinks as a whole: its moves, sizes and changes of screen are heard from it.
  window()->installEventFilter(this);
  FollowScreens();
  QWidget::showEvent(event);
}

bool TableWidget::eventFilter(QObject* watched, QEvent* event)
{
  if (watched == window() && (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                              event->type() == QEvent::ScreenChangeInternal))
    FollowScreens();
  return QWidget::eventFilter(watched, event);
}

bool TableWidget::focusNextPrevChild(bool /*next*/)
{
  // Tab and Shift+Tab move the cursor over the table; the focus stays here.
  return false;
}

void TableWidget::resizeEvent(QResizeEvent* event)
{
  // The table never lays itself out again; only the next deal's background sees the new height.
  form_.SetClientSize(static_cast<float>(width() * TwipsPerPixel), static_cast<float>(height() * TwipsPerPixel));
  FollowScreens();
  QWidget::resizeEvent(event);
}

// --- What a screen reader hears ---------------------------------------------------------------

QString TableWidget::PlaceName(int place) { return voice_.PlaceName(place); }

QString TableWidget::PlaceDescription(int place) const { return voice_.PlaceDescription(place); }

QString TableWidget::PlaceBraille(int place) { return voice_.PlaceBraille(place); }

QRect TableWidget::PlaceScreenRect(int place)
{
  // A magnifier follows the focused place: the cursor's card there, with those it would take.
  const QRect local = PixelRect(place == keyboard_.Place() ? keyboard_.CursorRect() : keyboard_.Places().Area(place));
  return QRect(mapToGlobal(local.topLeft()), local.size());
}

int TableWidget::HeldPlace()
{
  const std::optional<std::int16_t> held = keyboard_.Held();
  return held ? keyboard_.Places().PlaceOfCard(*held) : -1;
}

}  // namespace korvel
