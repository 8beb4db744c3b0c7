// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "view/TableAccessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <array>
#include <cstdint>

#include "view/TableWidget.h"

namespace korvel {

namespace {

// Where a screen reader takes its braille line from. Up to Qt 6.4 what a key changed travels as
// the place's description, which Orca 43 speaks but does not show: it shows a text the object
// holds, so each place holds its braille line there, what the key changed first. From Qt 6.8 it is
// an announcement, which Orca 48 flashes on the line; a text there would repeat the name.
constexpr bool kBrailleAsText = QT_VERSION < QT_VERSION_CHECK(6, 8, 0);

// One place of the table. It has no QObject of its own: it asks the table widget for everything.
// Each time the place is said, a new object says it (TableWidget::TimesSaid): a screen reader keeps
// quiet about a focus on the object it last spoke of, and one it has never met cannot be that one.
// The last few are kept, out of turn and with nothing to say, for the events still on their way
// to the screen reader; with a ring of objects reused, four quick keys on one place came back to
// the object it had last spoken of, and nothing was said.
constexpr std::size_t kObjectsPerPlace = 4;
class PlaceAccessible : public QAccessibleInterface, public QAccessibleTextInterface {
 public:
  PlaceAccessible(TableWidget* table, int place) : table_(table), place_(place) {}

  bool isValid() const override { return !table_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return table_ ? table_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(table_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override
  {
    if (!InTurn()) return {};
    if (t == QAccessible::Name) return table_->PlaceName(place_);
    if (t == QAccessible::Description) return table_->PlaceDescription(place_);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return table_ ? table_->PlaceScreenRect(place_) : QRect(); }
  // Not a list item: a screen reader treats every list item as transient and, caching nothing of
  // it, asks again for its role, parent and interfaces at every key (some 320 questions, one round
  // trip each). As a client area it asks fewer (198), and speaks twice as soon.
  QAccessible::Role role() const override { return QAccessible::Client; }
  QAccessible::State state() const override
  {
    QAccessible::State state;
    if (!table_) {
      state.invalid = true;
      return state;
    }
    state.focusable = true;
    state.focused = table_->hasFocus() && table_->CursorPlace() == place_;
    // Only the held card's place is selectable, and selected: a screen reader says "not selected"
    // of every selectable place that is not, which tells nothing.
    state.selectable = state.selected = table_->HeldPlace() == place_;
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override
  {
    return kBrailleAsText && type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                                : nullptr;
  }

  // The braille line, as a text that cannot be edited, selected or moved in.
  QString text(int start, int end) const override { return Braille().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(Braille().size()); }
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  QRect characterRect(int) const override { return rect(); }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* start, int* end) const override
  {
    *start = 0;
    *end = characterCount();
    return {};
  }

 private:
  bool InTurn() const
  {
    const QAccessibleInterface* table = parent();
    return table_ && table != nullptr && table->child(place_) == this;
  }
  QString Braille() const { return InTurn() ? table_->PlaceBraille(place_) : QString(); }

  QPointer<TableWidget> table_;
  int place_;
};

class TableAccessible : public QAccessibleWidget {
 public:
  explicit TableAccessible(TableWidget* table) : QAccessibleWidget(table, QAccessible::List) {}
  ~TableAccessible() override
  {
    for (const auto& kept : ids_)
      for (const QAccessible::Id id : kept)
        if (id != 0) QAccessible::deleteAccessibleInterface(id);
  }

  QString text(QAccessible::Text t) const override
  {
    return t == QAccessible::Name ? QStringLiteral("Table de jeu") : QAccessibleWidget::text(t);
  }
  int childCount() const override { return PlaceCount; }
  QAccessibleInterface* child(int index) const override
  {
    if (index < 0 || index >= PlaceCount) return nullptr;
    const auto k = static_cast<std::size_t>(index);
    const std::uint32_t said = Table()->TimesSaid(index);
    QAccessible::Id& id = ids_[k][said % kObjectsPerPlace];
    if (id == 0 || made_[k] != said) {
      // A new object in the place of the oldest: made first, so that its id is not the one freed.
      const QAccessible::Id fresh = QAccessible::registerAccessibleInterface(new PlaceAccessible(Table(), index));
      if (id != 0) QAccessible::deleteAccessibleInterface(id);
      id = fresh;
      made_[k] = said;
    }
    return QAccessible::accessibleInterface(id);
  }
  int indexOfChild(const QAccessibleInterface* child) const override
  {
    for (int place = 0; place < PlaceCount; ++place)
      if (this->child(place) == child) return place;
    return -1;
  }
  QAccessibleInterface* focusChild() const override
  {
    return Table()->hasFocus() ? child(Table()->CursorPlace()) : nullptr;
  }
  QAccessibleInterface* childAt(int x, int y) const override
  {
    for (int place = 0; place < PlaceCount; ++place)
      if (Table()->PlaceScreenRect(place).contains(x, y)) return child(place);
    return nullptr;
  }

 private:
  TableWidget* Table() const { return static_cast<TableWidget*>(widget()); }

  // Each place's last objects (0: none yet), and the time the place was said when it last made one.
  mutable std::array<std::array<QAccessible::Id, kObjectsPerPlace>, PlaceCount> ids_{};
  mutable std::array<std::uint32_t, PlaceCount> made_{};
};

QAccessibleInterface* TableFactory(const QString& className, QObject* object)
{
  if (className == QLatin1String("korvel::TableWidget") && object != nullptr && object->isWidgetType())
    return new TableAccessible(static_cast<TableWidget*>(object));
  return nullptr;
}

}  // namespace

void InstallTableAccessibility()
{
  static const bool installed = [] {
    QAccessible::installFactory(&TableFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace korvel
