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

#include "places/Announcements.h"
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
        ScheduleScreenReaderUpdate();
      },
      [this] {
        update();
        ScheduleScreenReaderUpdate();
      });
  // A new deal puts the cursor on the stock: a screen reader says so, once the deal (from the menu
  // or F2) is over.
  keyboard_.AfterDeal = [this] {
    if (QAccessible::isActive()) SayCursorPlaceLater(NewDealAnnouncement);
  };
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
  std::optional<int> dragged;
  if (const auto& drag = form_.Controls().Dragging(); drag && QAccessible::isActive())
    dragged = keyboard_.Places().PlaceOfCard(drag->Source->Index());
  const TwipPoint p = ToTwips(event);
  form_.PointerRelease(p.x, p.y, Buttons(event->button()), Shift(event->modifiers()));
  if (dragged) TellScreenReader(*dragged);
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
  // What a screen reader is told is worked out only while one listens.
  const bool told = QAccessible::isActive();
  KeyReport report;
  if (told) {
    report.HeldBefore = keyboard_.Held();
    report.HeldPlace = report.HeldBefore ? keyboard_.Places().PlaceOfCard(*report.HeldBefore) : -1;
    report.Before = NamesOf(keyboard_.Places(), report.HeldBefore);
  }
  report.Result = keyboard_.Press(*command, Buttons(QGuiApplication::mouseButtons()));
  if (report.Result == KeyResult::None) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (const TableMarks after = Marks(); after != before) {
    RepaintMarks(before);
    RepaintMarks(after);
  }
  if (!told) return;
  report.Place = keyboard_.Place();
  report.After = NamesOf(keyboard_.Places(), keyboard_.Held());
  report.Won = report.Result == KeyResult::Dropped && keyboard_.Places().Won();
  if (report.Result == KeyResult::Summary) report.Summary = TableSummary(keyboard_.Places(), form_);
  if (report.Result == KeyResult::Refused && report.HeldBefore)
    report.Reason = RefusalReason(keyboard_.Places(), form_, *report.HeldBefore, report.Place);
  SayCursorPlace(KeyAnnouncement(form_, report, keyboard_.Held()));
}

void TableWidget::focusInEvent(QFocusEvent* /*event*/)
{
  // QWidget's own would only repaint: the table looks the same with or without the focus.
  // Said after the focus event Qt sends for the table itself, or a screen reader would keep that one.
  if (QAccessible::isActive()) SayCursorPlaceLater({});
}

void TableWidget::accessibilityActiveChanged(bool active)
{
  if (active && hasFocus()) SayCursorPlaceLater({});
}

void TableWidget::FollowScreens()
{
  QRect reach = rect();
  if (const QScreen* screen = this->screen(); screen != nullptr && isVisible()) {
    const QRect desktop = screen->virtualGeometry();
    reach &= QRect(mapFromGlobal(desktop.topLeft()), desktop.size());
  }
  form_.Controls().SetView(
      {static_cast<float>(reach.left() * TwipsPerPixel), static_cast<float>(reach.top() * TwipsPerPixel),
       static_cast<float>(reach.width() * TwipsPerPixel), static_cast<float>(reach.height() * TwipsPerPixel)});
}

void TableWidget::showEvent(QShowEvent* event)
{
  // The window moves as a whole: its moves and changes of screen are heard from it.
  window()->installEventFilter(this);
  FollowScreens();
  QWidget::showEvent(event);
}

bool TableWidget::eventFilter(QObject* watched, QEvent* event)
{
  if (watched == window() && (event->type() == QEvent::Move || event->type() == QEvent::ScreenChangeInternal))
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

QString TableWidget::PlaceName(int place)
{
  const PictureControl* cursor = place == keyboard_.Place() ? keyboard_.Cursor().Control : nullptr;
  return QString::fromStdString(keyboard_.Places().Name(place, keyboard_.Held(), cursor));
}

QString TableWidget::PlaceDescription(int place) const { return place == keyboard_.Place() ? description_ : QString(); }

QRect TableWidget::PlaceScreenRect(int place)
{
  const QRect local = PixelRect(keyboard_.Places().Area(place));
  return QRect(mapToGlobal(local.topLeft()), local.size());
}

int TableWidget::HeldPlace()
{
  const std::optional<std::int16_t> held = keyboard_.Held();
  return held ? keyboard_.Places().PlaceOfCard(*held) : -1;
}

void TableWidget::ScheduleScreenReaderUpdate()
{
  // Told once the event that changed the table is over, and only while a screen reader listens.
  if (tellPending_ || !QAccessible::isActive()) return;
  tellPending_ = true;
  QTimer::singleShot(0, this, [this] {
    tellPending_ = false;
    TellScreenReader();
  });
}

void TableWidget::TellScreenReader(std::optional<int> alsoNamed)
{
  if (!QAccessible::isActive()) return;
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(this);
  if (table == nullptr) return;
  for (int place = 0; place < PlaceCount; ++place) {
    QString name = PlaceName(place);
    const bool changed = name != names_[static_cast<std::size_t>(place)];
    names_[static_cast<std::size_t>(place)] = std::move(name);
    QAccessibleInterface* child = table->child(place);
    if (child == nullptr || (!changed && alsoNamed != place)) continue;
    QAccessibleEvent event(child, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
  }
}

void TableWidget::SayCursorPlaceLater(std::string description)
{
  QTimer::singleShot(0, this, [this, description = std::move(description)] { SayCursorPlace(description); });
}

void TableWidget::SayCursorPlace(std::string description)
{
  if (!QAccessible::isActive() || !hasFocus()) return;
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(this);
  if (table == nullptr) return;
  const int place = keyboard_.Place();
  const QString said = QString::fromStdString(description);
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
  // From Qt 6.8 it is announced instead (below): Orca 48 keeps an object's description for a
  // while, and would say what that object last said, a turn or two ago.
  description_ = said;
#endif
  // The place is said by a fresh object (see TimesSaid): the focus moves onto it.
  ++said_[static_cast<std::size_t>(place)];
  QAccessibleInterface* child = table->child(place);
  if (child == nullptr) return;
  names_[static_cast<std::size_t>(place)] = PlaceName(place);
  QAccessibleEvent event(child, QAccessible::Focus);
  QAccessible::updateAccessibility(&event);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  if (!said.isEmpty()) {
    QAccessibleAnnouncementEvent announcement(child, said);
    QAccessible::updateAccessibility(&announcement);
  }
#endif
  TellScreenReader();
}

}  // namespace korvel
