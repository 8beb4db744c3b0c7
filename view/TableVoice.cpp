// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "view/TableVoice.h"

#include <QAccessible>
#include <QTimer>
#include <QWidget>

#include "table/frmSolitaire.h"

namespace korvel {

TableVoice::TableVoice(QWidget& table, frmSolitaire& form, TableKeyboard& keyboard)
    : table_(table), form_(form), keyboard_(keyboard)
{}

const TableVoice::Words& TableVoice::Worded()
{
  const std::uint64_t version = form_.Controls().Version();
  const PictureControl* cursor = keyboard_.Cursor().Control;
  if (worded_ > 0 && words_.version == version && words_.place == keyboard_.Place() && words_.cursor == cursor &&
      words_.held == keyboard_.Held())
    return words_;
  words_ = {version, keyboard_.Place(), cursor, keyboard_.Held(), NamesOf(keyboard_.Places(), keyboard_.Held()), {}};
  for (int place = 0; place < PlaceCount; ++place) {
    const auto k = static_cast<std::size_t>(place);
    words_.heard[k] = QString::fromStdString(
        place == words_.place ? korvel::PlaceName(keyboard_.Places(), place, words_.held, cursor) : words_.plain[k]);
  }
  ++worded_;
  return words_;
}

QString TableVoice::PlaceName(int place) { return Worded().heard[static_cast<std::size_t>(place)]; }

QString TableVoice::PlaceDescription(int place) const { return place == keyboard_.Place() ? description_ : QString(); }

QString TableVoice::PlaceBraille(int place)
{
  return QString::fromStdString(BrailleLine(PlaceName(place).toStdString(), PlaceDescription(place).toStdString()));
}

std::optional<KeyReport> TableVoice::BeforeKey()
{
  if (!QAccessible::isActive()) return std::nullopt;
  KeyReport report;
  report.HeldBefore = keyboard_.Held();
  report.HeldPlace = report.HeldBefore ? keyboard_.Places().PlaceOfCard(*report.HeldBefore) : -1;
  report.Target = report.HeldBefore ? keyboard_.Cursor().Control : nullptr;
  report.Before = Worded().plain;
  return report;
}

void TableVoice::AfterKey(KeyReport report)
{
  const TablePlaces& places = keyboard_.Places();
  report.Place = keyboard_.Place();
  report.After = Worded().plain;
  report.Won = report.Result == KeyResult::Dropped && places.Won();
  if (report.Result == KeyResult::Summary) report.Summary = TableSummary(places, form_);
  if (report.Result == KeyResult::Refused && report.HeldBefore)
    report.Reason = RefusalReason(places, form_, *report.HeldBefore, report.Target);
  SayCursorPlace(KeyAnnouncement(form_, report, keyboard_.Held()));
}

std::optional<int> TableVoice::DraggedPlace()
{
  const auto& drag = form_.Controls().Dragging();
  if (!drag || !QAccessible::isActive()) return std::nullopt;
  return keyboard_.Places().PlaceOfCard(drag->Source->Index());
}

void TableVoice::ScheduleUpdate()
{
  // Told once the event that changed the table is over, and only while a screen reader listens.
  if (tellPending_ || !QAccessible::isActive()) return;
  tellPending_ = true;
  QTimer::singleShot(0, &table_, [this] {
    tellPending_ = false;
    Tell();
  });
}

void TableVoice::Tell(std::optional<int> alsoNamed)
{
  if (!QAccessible::isActive()) return;
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&table_);
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
  // A screen reader keeps what it has learnt of a place: the held card's place, the one selected,
  // tells it when that changes.
  const std::optional<std::int16_t> held = keyboard_.Held();
  const int heldPlace = held ? keyboard_.Places().PlaceOfCard(*held) : -1;
  if (heldPlace == heldPlace_) return;
  for (const int place : {heldPlace_, heldPlace}) {
    QAccessibleInterface* child = place >= 0 ? table->child(place) : nullptr;
    if (child == nullptr) continue;
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(child, changed);
    QAccessible::updateAccessibility(&event);
  }
  heldPlace_ = heldPlace;
}

void TableVoice::SayCursorPlaceLater(std::string description)
{
  QTimer::singleShot(0, &table_, [this, description = std::move(description)] { SayCursorPlace(description); });
}

void TableVoice::SayCursorPlace(std::string description)
{
  if (!QAccessible::isActive() || !table_.hasFocus()) return;
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&table_);
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
  Tell();
}

}  // namespace korvel
