// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// The table's costs one operation at a time: dealing, hit-testing, painting a frame, the drops and a
// frame of a drag. Times are wall-clock per operation; see README.md beside this file for targets.

#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QRegion>
#include <QTemporaryDir>
#include <QThread>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "TableFixture.h"
#include "deck/Card.h"
#include "places/TableKeyboard.h"
#include "places/TablePlaces.h"
#include "places/Wording.h"
#include "rules/MCardTest.h"
#include "table/Pixels.h"
#include "table/TableDefinition.h"
#include "table/frmSolitaire.h"
#include "view/TableAccessible.h"
#include "view/TablePainter.h"
#include "view/TableWidget.h"

using namespace korvel;
using namespace korvel::testing;

namespace {

constexpr int TableWidthPx = 588;
constexpr int TableHeightPx = 385;

// Columns 1 and 2 of the deal (slots 0, 1 and 7) emptied, their kings' targets enabled.
void EmptyFirstTwoColumns(frmSolitaire& form)
{
  for (const int slot : {0, 1, 7}) {
    form.imgPile(slot).SetVisible(false);
    form.imgBack(slot).SetVisible(false);
  }
  form.imgKingMove(0).SetEnabled(true);
  form.imgKingMove(1).SetEnabled(true);
}

// --- Dealing ----------------------------------------------------------------------------------

// At a ratio of 2 each of the 8 pictures is read twice: the normal file, then its @2x file.
void BM_Form_Load(benchmark::State& state, int ratio)
{
  frmSolitaire form(ProgramFolder());
  form.SetPixelRatio(ratio);
  for (auto _ : state) {
    form.Form_Load();
    benchmark::ClobberMemory();
  }
}
BENCHMARK_CAPTURE(BM_Form_Load, x1, 1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Form_Load, x2, 2)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_mnuGameDeal_Click(benchmark::State& state)
{
  frmSolitaire form(ProgramFolder());
  form.Form_Load();
  for (auto _ : state) {
    form.mnuGameDeal_Click();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_mnuGameDeal_Click)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The start-up read: all 53 card files read and decoded completely, as while the toolkit starts.
void BM_ReadCardFiles(benchmark::State& state)
{
  for (auto _ : state) benchmark::DoNotOptimize(ReadCardFiles(ProgramFolder()));
}
BENCHMARK(BM_ReadCardFiles)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One card file read as play reads it: a plain face, and the same face followed by 500,000
// one-pixel frames, which only the first image's read keeps from costing seconds.
const std::string& ManyFramesFile()
{
  static const QTemporaryDir dir;
  static const std::string path = [] {
    const std::string file = dir.path().toStdString() + "/Kh.gif";
    QFile face(QString::fromStdString(ProgramFolder() + "/cards/Kh.gif"));
    if (!face.open(QIODevice::ReadOnly)) std::abort();
    QByteArray bytes = face.readAll();
    bytes.chop(1);  // the trailer
    // Descriptor of a 1 x 1 frame at 0,0; code size 2; one block of clear, colour 0, end; no more.
    constexpr char frame[] = "\x2C\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0";
    for (int k = 0; k < 500000; ++k) bytes.append(frame, sizeof frame - 1);
    bytes.append('\x3B');
    QFile out(QString::fromStdString(file));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) std::abort();
    return file;
  }();
  return path;
}

void BM_LoadCardPicture(benchmark::State& state, bool manyFrames)
{
  const std::string path = manyFrames ? ManyFramesFile() : ProgramFolder() + "/cards/Kh.gif";
  for (auto _ : state) benchmark::DoNotOptimize(LoadCardPicture(path));
}
BENCHMARK_CAPTURE(BM_LoadCardPicture, Face, false)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_LoadCardPicture, FaceThen500000Frames, true)->Unit(benchmark::kMicrosecond)->UseRealTime();

// --- Hit-testing ------------------------------------------------------------------------------

void BM_HitTest(benchmark::State& state)
{
  frmSolitaire form(ProgramFolder());
  form.Form_Load();
  std::mt19937 random(20240611);
  std::uniform_real_distribution<float> x(0, TableClientWidth), y(0, TableClientHeight);
  std::vector<std::pair<float, float>> points(4096);
  for (auto& p : points) p = {x(random), y(random)};
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [px, py] = points[i++ & (points.size() - 1)];
    benchmark::DoNotOptimize(form.Controls().HitTest(px, py));
  }
}
BENCHMARK(BM_HitTest)->Unit(benchmark::kNanosecond)->UseRealTime();

// --- Painting ---------------------------------------------------------------------------------

// A backing store for a screen of `ratio` device pixels per pixel.
QImage BackingStore(QImage::Format format, int ratio)
{
  QImage image(TableWidthPx * ratio, TableHeightPx * ratio, format);
  image.setDevicePixelRatio(ratio);
  return image;
}

// One whole frame of the dealt table, with a painter opened per frame as a paint event does; at a
// ratio of 2 the table reads its @2x pictures and paints twice as many pixels each way.
void BM_PaintFullFrame(benchmark::State& state, QImage::Format format, int ratio)
{
  frmSolitaire form(ProgramFolder());
  form.SetPixelRatio(ratio);
  form.Form_Load();
  QImage image = BackingStore(format, ratio);
  const QRect area(0, 0, TableWidthPx, TableHeightPx);
  for (auto _ : state) {
    QPainter painter(&image);
    PaintTable(painter, form, area);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK_CAPTURE(BM_PaintFullFrame, ARGB32_Premultiplied, QImage::Format_ARGB32_Premultiplied, 1)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_PaintFullFrame, RGB32, QImage::Format_RGB32, 1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_PaintFullFrame, ARGB32_Premultiplied_x2, QImage::Format_ARGB32_Premultiplied, 2)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_PaintFullFrame, RGB32_x2, QImage::Format_RGB32, 2)->Unit(benchmark::kMicrosecond)->UseRealTime();

// --- Drops ------------------------------------------------------------------------------------

// A king carrying K..A (13 cards) moved between two empty columns, back and forth: every drop
// moves and restacks the same 13 controls.
void BM_DropKingRunOnEmptyColumn(benchmark::State& state)
{
  frmSolitaire form(ProgramFolder());
  form.Form_Load();
  EmptyFirstTwoColumns(form);
  FaceUp(form, 28, "Ks");
  OnEmptyColumn(form, 28, 0);
  BuildRunOn(form, 28, 29, {"Qh", "Jc", "td", "9s", "8h", "7c", "6d", "5s", "4h", "3c", "2d", "As"});
  int column = 0;
  for (auto _ : state) {
    column = 1 - column;
    OnEmptyColumn(form, 28, column);
  }
  if (form.imgPile(40).Top() != KingRowTop + 12 * FanStep) state.SkipWithError("the run did not travel");
}
BENCHMARK(BM_DropKingRunOnEmptyColumn)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A queen carrying Q..A (12 cards) moved between two black kings, back and forth.
void BM_DropQueenRunOnKing(benchmark::State& state)
{
  frmSolitaire form(ProgramFolder());
  form.Form_Load();
  FaceUp(form, 0, "Kc");  // column 1
  FaceUp(form, 7, "Ks");  // column 2
  BuildRunOn(form, 0, 29, {"Qh", "Jc", "td", "9s", "8h", "7c", "6d", "5s", "4h", "3c", "2d", "As"});
  int target = 0;
  for (auto _ : state) {
    target = target == 0 ? 7 : 0;
    OnColumnCard(form, 29, target);
  }
  if (form.imgPile(40).Top() != form.imgPile(target).Top() + 12 * FanStep)
    state.SkipWithError("the run did not travel");
}
BENCHMARK(BM_DropQueenRunOnKing)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A card released over itself: refused, shown again where it was.
void BM_RefusedDrop(benchmark::State& state)
{
  frmSolitaire form(ProgramFolder());
  form.Form_Load();
  for (auto _ : state) OnColumnCard(form, 0, 0);
}
BENCHMARK(BM_RefusedDrop)->Unit(benchmark::kNanosecond)->UseRealTime();

// An ace played from the waste to an empty foundation, which reads its face file (from the page
// cache after the first run); the table is put back as it was so every drop claims the foundation
// afresh. The putting back is timed too: it is a few assignments next to a file read.
void BM_DropAceOnFoundation(benchmark::State& state)
{
  frmSolitaire form(ProgramFolder());
  form.Form_Load();
  FaceUp(form, 51, "As");
  MCardTest::SuitTops = {};
  for (auto _ : state) {
    form.DragCard = 51;
    form.imgSuitPile_DragDrop(0, &form.imgPile(51), 0, 0);
    form.PileSuit[0].clear();
    MCardTest::SuitTops = {};
    form.imgPile(51).SetTop(WasteTop);
    form.imgPile(51).SetVisible(true);
  }
  if (form.imgSuitPile(0).Picture().isNull()) state.SkipWithError("the ace was not played");
}
BENCHMARK(BM_DropAceOnFoundation)->Unit(benchmark::kMicrosecond)->UseRealTime();

// --- The keyboard ----------------------------------------------------------------------------

// The nine of spades moved between the ten of hearts (column 1) and the ten of diamonds (column 2),
// back and forth: once by the mouse's gesture (onto the card, press, the pointer's moves on the way
// as the toolkit reports them, one every 5 pixels, release over the other ten), once by keys (take,
// go to the other column, put). The keys must cost no more.
void NineOnTheTens(frmSolitaire& form)
{
  form.Form_Load();
  FaceUp(form, 0, "th");
  FaceUp(form, 7, "td");
  FaceUp(form, 28, "9s");
  OnColumnCard(form, 28, 0);
}

void BM_MoveCardByMouse(benchmark::State& state)
{
  frmSolitaire form(ProgramFolder());
  NineOnTheTens(form);
  int target = 0;
  for (auto _ : state) {
    target = target == 0 ? 7 : 0;
    const auto [x0, y0] = CentreOf(form.imgPile(28));
    const auto [x1, y1] = CentreOf(form.imgPile(target));
    form.PointerMove(x0, y0, 0);
    form.PointerPress(x0, y0);
    const int steps = static_cast<int>(std::abs(x1 - x0) / (5 * TwipsPerPixel));
    for (int k = 1; k <= steps; ++k)
      form.PointerMove(x0 + (x1 - x0) * k / steps, y0 + (y1 - y0) * k / steps, LeftButton);
    form.PointerRelease(x1, y1);
  }
  if (form.imgPile(28).Left() != form.imgPile(target).Left()) state.SkipWithError("the card did not travel");
}
BENCHMARK(BM_MoveCardByMouse)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_MoveCardByKeys(benchmark::State& state)
{
  frmSolitaire form(ProgramFolder());
  NineOnTheTens(form);
  TableKeyboard keys(form);
  keys.Press({TableKey::Column, 0});
  int column = 0;
  for (auto _ : state) {
    column = 1 - column;
    keys.Press({TableKey::Act});
    keys.Press({TableKey::Column, column});
    keys.Press({TableKey::Act});
  }
  if (form.imgPile(28).Left() != form.imgPile(column == 0 ? 0 : 7).Left())
    state.SkipWithError("the card did not travel");
}
BENCHMARK(BM_MoveCardByKeys)->Unit(benchmark::kMicrosecond)->UseRealTime();

// What a screen reader is told: the 13 places' names of a table in play, read from its controls.
void BM_PlaceNames(benchmark::State& state)
{
  frmSolitaire form(ProgramFolder());
  form.Form_Load();
  FaceUp(form, 0, "Kc");
  BuildRunOn(form, 0, 29, {"Qh", "Jc", "td", "9s", "8h", "7c", "6d", "5s", "4h", "3c", "2d"});
  form.imgBack_Click(51);
  for (auto _ : state) {
    const TablePlaces places(form);
    for (int place = 0; place < PlaceCount; ++place) benchmark::DoNotOptimize(PlaceName(places, place));
  }
}
BENCHMARK(BM_PlaceNames)->Unit(benchmark::kMicrosecond)->UseRealTime();

// All a screen reader is told of one key, as the widget works it out while one listens: the
// names before, the key (the nine of spades put from one ten onto the other), the names after, and
// what to say.
void BM_KeyAnnouncement(benchmark::State& state)
{
  frmSolitaire form(ProgramFolder());
  NineOnTheTens(form);
  TableKeyboard keys(form);
  keys.Press({TableKey::Column, 0});
  keys.Press({TableKey::Act});
  int column = 0;
  std::size_t said = 0;
  for (auto _ : state) {
    column = 1 - column;
    KeyReport report;
    report.HeldBefore = keys.Held();
    report.HeldPlace = keys.Places().PlaceOfCard(*report.HeldBefore);
    report.Before = NamesOf(keys.Places(), report.HeldBefore);
    keys.Press({TableKey::Column, column});
    report.Result = keys.Press({TableKey::Act});
    report.Place = keys.Place();
    report.After = NamesOf(keys.Places(), keys.Held());
    said += KeyAnnouncement(form, report, keys.Held()).size();
    keys.Press({TableKey::Act});  // taken again, for the next put
  }
  if (said == 0) state.SkipWithError("nothing was said");
}
BENCHMARK(BM_KeyAnnouncement)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One key through the real widget while a screen reader's bus listens: the key, its repaint, what
// it tells and names, and the naming once the event is over. Keys in turn: to a ten, Space (the nine taken),
// to the other ten, Space (the nine put). Needs the accessibility bus:
//   tests/with_screen_reader_bus.sh build/bench_table --benchmark_filter=KeyHeard
void BM_KeyHeard(benchmark::State& state)
{
  InstallTableAccessibility();
  frmSolitaire form(ProgramFolder());
  NineOnTheTens(form);
  TableWidget widget(form);
  widget.resize(widget.sizeHint());
  widget.show();
  widget.setFocus();
  // The bridge joins the bus by an answer that comes through the event loop.
  for (int wait = 0; wait < 5000 && !QAccessible::isActive(); ++wait) {
    QCoreApplication::processEvents();
    QThread::msleep(1);
  }
  if (!QAccessible::isActive()) {
    state.SkipWithError("no accessibility bus: run under tests/with_screen_reader_bus.sh");
    return;
  }
  const Qt::Key keys[] = {Qt::Key_1, Qt::Key_Space, Qt::Key_2, Qt::Key_Space,
                          Qt::Key_2, Qt::Key_Space, Qt::Key_1, Qt::Key_Space};
  std::size_t k = 0;
  const std::uint64_t worded = widget.TimesWorded();
  for (auto _ : state) {
    QKeyEvent press(QEvent::KeyPress, keys[k++ % std::size(keys)], Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &press);
    QCoreApplication::processEvents();
  }
  state.counters["worded"] =
      benchmark::Counter(static_cast<double>(widget.TimesWorded() - worded), benchmark::Counter::kAvgIterations);
  if (form.imgPile(28).Left() != form.imgPile(0).Left() && form.imgPile(28).Left() != form.imgPile(7).Left())
    state.SkipWithError("the nine did not travel");
}
BENCHMARK(BM_KeyHeard)->Unit(benchmark::kMicrosecond)->UseRealTime();

// --- A frame of a drag ------------------------------------------------------------------------

// A card held by the pointer: each iteration moves the pointer a few pixels, as one mouse event
// does, and repaints only what the move made dirty (one rectangle over the card's old and new
// places), clipped as the widget's paint event is.
void BM_DragFrame(benchmark::State& state, QImage::Format format, int ratio)
{
  frmSolitaire form(ProgramFolder());
  form.SetPixelRatio(ratio);
  form.Form_Load();
  QRegion dirty;
  form.Controls().SetRepaintHandlers([&dirty](const TwipRect& area) { dirty += PixelRect(area); },
                                     [&dirty] { dirty += QRect(0, 0, TableWidthPx, TableHeightPx); });

  // Grab the last column's face-up card at its centre.
  const PictureControl& card = form.imgPile(27);
  const float grabX = card.Left() + card.Width() / 2;
  const float grabY = card.Top() + card.Height() / 2;
  form.PointerMove(grabX, grabY, 0);
  form.PointerPress(grabX, grabY);
  if (!form.Controls().Dragging()) {
    state.SkipWithError("no drag started");
    return;
  }

  // The pointer circles over the table in steps of about 5 pixels.
  std::vector<std::pair<float, float>> path;
  constexpr int Steps = 256;
  for (int k = 0; k < Steps; ++k) {
    const double a = 2 * std::numbers::pi * k / Steps;
    path.emplace_back(static_cast<float>(TableClientWidth / 2 + 3600 * std::cos(a)),
                      static_cast<float>(TableClientHeight / 2 + 1900 * std::sin(a)));
  }

  QImage image = BackingStore(format, ratio);
  {
    QPainter painter(&image);
    PaintTable(painter, form, QRect(0, 0, TableWidthPx, TableHeightPx));
  }
  std::size_t i = 0;
  double pixels = 0;
  for (auto _ : state) {
    dirty = QRegion();
    const auto& [x, y] = path[i++ % Steps];
    form.PointerMove(x, y, LeftButton);
    QPainter painter(&image);
    painter.setClipRegion(dirty);
    PaintTable(painter, form, dirty.boundingRect());
    painter.end();
    pixels += static_cast<double>(dirty.boundingRect().width()) * dirty.boundingRect().height();
  }
  state.counters["dirty_px"] = benchmark::Counter(pixels / static_cast<double>(state.iterations()));
  form.Controls().SetRepaintHandlers(nullptr, nullptr);
}
BENCHMARK_CAPTURE(BM_DragFrame, ARGB32_Premultiplied, QImage::Format_ARGB32_Premultiplied, 1)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_DragFrame, RGB32, QImage::Format_RGB32, 1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_DragFrame, ARGB32_Premultiplied_x2, QImage::Format_ARGB32_Premultiplied, 2)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_DragFrame, RGB32_x2, QImage::Format_RGB32, 2)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
  // Headless unless the caller chose a platform on purpose.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  QApplication app(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
