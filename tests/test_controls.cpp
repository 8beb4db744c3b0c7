// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// The windowless picture controls: sizes and frames, stacking, hit-testing and the gestures that
// become clicks, pointer moves and drops.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "table/PictureControls.h"
#include "table/Pixels.h"

using namespace korvel;

namespace {

QImage Picture(int w, int h, QColor colour = Qt::red)
{
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(colour);
  return image;
}

ControlState At(float left, float top, DragMode drag = DragMode::Manual, Frame frame = Frame::None)
{
  ControlState s;
  s.Left = left;
  s.Top = top;
  s.Width = 1000;
  s.Height = 1000;
  s.Drag = drag;
  s.Border = frame;
  return s;
}

TEST(WholeTwips, RoundsHalvesToEven)
{
  EXPECT_EQ(WholeTwips(240.0f), 240);
  EXPECT_EQ(WholeTwips(240.5f), 240);
  EXPECT_EQ(WholeTwips(241.5f), 242);
  EXPECT_EQ(WholeTwips(3204.6f), 3205);
  EXPECT_EQ(WholeTwips(-0.5f), 0);
}

TEST(PictureControl, APictureSizesTheControlWithItsFrameAndClearingKeepsTheSize)
{
  ControlSurface surface;
  struct Case {
    Frame frame;
    float width, height;
  };
  const Case cases[] = {{Frame::None, 1095, 1455}, {Frame::Flat, 1125, 1485}, {Frame::Sunken, 1155, 1515}};
  std::int16_t index = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(FrameTwips(c.frame));
    PictureControl& control = surface.Create(ControlSet::imgPile, index++, At(0, 0, DragMode::Manual, c.frame));
    control.SetPicture(Picture(73, 97));
    EXPECT_EQ(control.Width(), c.width);
    EXPECT_EQ(control.Height(), c.height);
    control.ClearPicture();
    EXPECT_TRUE(control.Picture().isNull());
    EXPECT_EQ(control.Width(), c.width);
    EXPECT_EQ(control.Height(), c.height);
  }
}

TEST(PictureControl, OpaqueOnlyWhenAnOpaquePictureFillsIt)
{
  ControlSurface surface;
  PictureControl& plain = surface.Create(ControlSet::imgBack, 0, At(0, 0));
  EXPECT_FALSE(plain.Opaque());  // no picture: transparent
  plain.SetPicture(Picture(73, 97));
  EXPECT_TRUE(plain.Opaque());
  PictureControl& framed = surface.Create(ControlSet::imgBack, 1, At(0, 0, DragMode::Manual, Frame::Flat));
  framed.SetPicture(Picture(73, 97));
  EXPECT_TRUE(framed.Opaque());
  QImage corners = Picture(73, 97);
  corners.setPixelColor(0, 0, Qt::transparent);
  PictureControl& rounded = surface.Create(ControlSet::imgBack, 2, At(0, 0));
  rounded.SetPicture(corners);
  EXPECT_FALSE(rounded.Opaque());
}

class SurfaceTest : public ::testing::Test {
 protected:
  // Three overlapping controls, created front to back: a (manual), b (automatic), c (manual).
  void SetUp() override
  {
    a = &surface.Create(ControlSet::imgBack, 0, At(0, 0));
    b = &surface.Create(ControlSet::imgPile, 0, At(500, 500, DragMode::Automatic));
    c = &surface.Create(ControlSet::imgKingMove, 0, At(800, 800));
    for (ControlSet set : {ControlSet::imgBack, ControlSet::imgPile, ControlSet::imgKingMove})
      for (ControlEvent event : {ControlEvent::Click, ControlEvent::MouseMove, ControlEvent::DragDrop})
        surface.SetHandler(set, event, [this, set, event](const ControlEventArgs& e) {
          std::string entry = Name(set) + Name(event) + std::to_string(e.Index);
          if (e.Source != nullptr) entry.append("<").append(Name(e.Source->BelongsTo()));
          log.push_back(entry);
        });
  }
  static std::string Name(ControlSet set)
  {
    return set == ControlSet::imgBack ? "a" : set == ControlSet::imgPile ? "b" : "c";
  }
  static std::string Name(ControlEvent event)
  {
    return event == ControlEvent::Click ? ".click" : event == ControlEvent::MouseMove ? ".move" : ".drop";
  }

  ControlSurface surface;
  PictureControl *a, *b, *c;
  std::vector<std::string> log;
};

TEST_F(SurfaceTest, HitTestFindsTheFrontmostVisibleEnabledControlOverItsWholeRectangle)
{
  EXPECT_EQ(surface.HitTest(600, 600), a);  // a, b overlap: a is in front
  EXPECT_EQ(surface.HitTest(1200, 1200), b);
  EXPECT_EQ(surface.HitTest(1700, 1700), c);        // c has no picture: still takes the point
  EXPECT_EQ(surface.HitTest(1800, 1800), nullptr);  // right/bottom edges are outside
  a->SetEnabled(false);
  EXPECT_EQ(surface.HitTest(600, 600), b);
  b->SetVisible(false);
  EXPECT_EQ(surface.HitTest(600, 600), nullptr);
  EXPECT_EQ(surface.HitTest(900, 900), c);
}

TEST_F(SurfaceTest, BringToFrontAndSendToBackReorderOneStack)
{
  auto order = [&] {
    std::string s;
    for (const PictureControl* p : surface.BackToFront()) s += Name(p->BelongsTo());
    return s;
  };
  EXPECT_EQ(order(), "cba");
  c->BringToFront();
  EXPECT_EQ(order(), "bac");
  EXPECT_EQ(surface.HitTest(900, 900), c);
  c->SendToBack();
  EXPECT_EQ(order(), "cba");
  a->SendToBack();
  EXPECT_EQ(order(), "acb");
  b->BringToFront();  // already in front: nothing changes
  EXPECT_EQ(order(), "acb");
}

TEST_F(SurfaceTest, PressAndReleaseOnTheSameManualControlIsAClick)
{
  surface.PointerPress(100, 100, LeftButton, 0);
  surface.PointerRelease(120, 130, LeftButton, 0);
  surface.PointerPress(100, 100, LeftButton, 0);
  surface.PointerRelease(1700, 1700, LeftButton, 0);  // released over c: no click anywhere
  surface.PointerPress(100, 100, RightButton, 0);
  surface.PointerRelease(100, 100, RightButton, 0);  // only the left button clicks
  EXPECT_EQ(log, (std::vector<std::string>{"a.move0", "a.click0", "a.move0"}));
}

TEST_F(SurfaceTest, ADragStartsAtThePressAndDropsOnTheControlUnderTheRelease)
{
  surface.PointerMove(1200, 1200, 0, 0);
  surface.PointerPress(1200, 1200, LeftButton, 0);
  ASSERT_TRUE(surface.Dragging().has_value());
  EXPECT_EQ(surface.Dragging()->Source, b);
  surface.PointerMove(1300, 1250, LeftButton, 0);  // drag movements reach no handler
  surface.PointerMove(1700, 1700, LeftButton, 0);
  const TwipRect dragged = surface.DragRect();
  EXPECT_EQ(dragged.Left, 1000);  // the grab point stays under the pointer
  EXPECT_EQ(dragged.Top, 1000);
  EXPECT_EQ(b->Left(), 500);  // the control itself stays where it was
  surface.PointerRelease(1700, 1700, LeftButton, 0);
  EXPECT_FALSE(surface.Dragging().has_value());
  EXPECT_EQ(log, (std::vector<std::string>{"b.move0", "b.move0", "c.drop0<b"}));
}

TEST_F(SurfaceTest, OnlyTheLeftButtonEndsADrag)
{
  surface.PointerPress(1200, 1200, LeftButton, 0);
  surface.PointerRelease(1700, 1700, RightButton, 0);
  EXPECT_TRUE(surface.Dragging().has_value());
  surface.PointerRelease(1700, 1700, LeftButton, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"b.move0", "c.drop0<b"}));
}

TEST_F(SurfaceTest, ADropOnTheDraggedControlItselfOrOnNothing)
{
  surface.PointerPress(1200, 1200, LeftButton, 0);
  surface.PointerRelease(1210, 1210, LeftButton, 0);
  surface.PointerPress(1200, 1200, LeftButton, 0);
  surface.PointerRelease(5000, 5000, LeftButton, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"b.move0", "b.drop0<b", "b.move0"}));
}

TEST_F(SurfaceTest, ASetWithoutAHandlerIgnoresTheEvent)
{
  surface.SetHandler(ControlSet::imgKingMove, ControlEvent::DragDrop, nullptr);
  EXPECT_FALSE(surface.HasHandler(ControlSet::imgKingMove, ControlEvent::DragDrop));
  surface.PointerPress(1200, 1200, LeftButton, 0);
  surface.PointerRelease(1700, 1700, LeftButton, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"b.move0"}));
}

TEST_F(SurfaceTest, ThePressTellsTheControlUnderAStillPointerFirst)
{
  // The pointer last moved over a; then b came to the front under it without a move.
  surface.PointerMove(600, 600, 0, 0);
  b->BringToFront();
  surface.PointerPress(600, 600, LeftButton, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"a.move0", "b.move0"}));
  EXPECT_EQ(surface.Dragging()->Source, b);
}

TEST_F(SurfaceTest, AGestureWhoseReleaseWentElsewhereEndsWithoutADrop)
{
  surface.PointerPress(1200, 1200, LeftButton, 0);
  surface.PointerMove(1700, 1700, 0, 0);  // button up: the release was lost
  EXPECT_FALSE(surface.Dragging().has_value());
  surface.PointerRelease(1700, 1700, LeftButton, 0);
  surface.PointerPress(100, 100, LeftButton, 0);
  surface.CancelGesture();
  surface.PointerRelease(100, 100, LeftButton, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"b.move0", "c.move0", "a.move0"}));
}

TEST_F(SurfaceTest, HandlersGetCoordinatesRelativeToTheirControl)
{
  ControlEventArgs seen;
  surface.SetHandler(ControlSet::imgKingMove, ControlEvent::MouseMove, [&](const ControlEventArgs& e) { seen = e; });
  surface.PointerMove(1650, 1700, LeftButton | RightButton, 3);
  EXPECT_EQ(seen.X, 850);
  EXPECT_EQ(seen.Y, 900);
  EXPECT_EQ(seen.Button, LeftButton | RightButton);
  EXPECT_EQ(seen.Shift, 3);
}

// The view's edges: a point is in it from 0 up to, not at, its width and height.
TEST_F(SurfaceTest, OnlyPointsInsideTheViewReachAControl)
{
  surface.SetView({0, 0, 300, 200});
  const std::pair<std::pair<float, float>, bool> points[] = {
      {{0, 0}, true},      {{299.5f, 199.5f}, true}, {{-0.5f, 0}, false},
      {{0, -0.5f}, false}, {{300, 100}, false},      {{100, 200}, false},
  };
  for (const auto& [point, reached] : points) {
    log.clear();
    surface.PointerMove(point.first, point.second, 0, 0);
    EXPECT_EQ(log, reached ? std::vector<std::string>{"a.move0"} : std::vector<std::string>{})
        << point.first << ", " << point.second;
  }
}

TEST(PixelRect, CoversThePixelsWhoseCentresLieInside)
{
  // Pixel p's centre is at 15p + 7 twips; a pixel is in where its centre is at or past the left.
  EXPECT_EQ(PixelRect({22, 22, 15, 15}), QRect(1, 1, 1, 1));
  EXPECT_EQ(PixelRect({22.5f, 7, 15, 15.5f}), QRect(2, 0, 1, 2));
  EXPECT_EQ(PixelRect({-8, 0, 30, 15}), QRect(-1, 0, 2, 1));
}

TEST_F(SurfaceTest, ChangesAskForARepaintOfWhatTheyTouch)
{
  std::vector<TwipRect> repainted;
  surface.SetRepaintHandlers([&](const TwipRect& r) { repainted.push_back(r); }, nullptr);
  // A drag's outline shows from the press, where the dragged control lies.
  surface.PointerMove(1200, 1200, 0, 0);
  surface.PointerPress(1200, 1200, LeftButton, 0);
  ASSERT_EQ(repainted.size(), 1u);
  EXPECT_EQ(repainted[0].Left, 500);
  EXPECT_EQ(repainted[0].Width, 1000);
  surface.CancelGesture();
  repainted.clear();
  b->SetEnabled(false);  // invisible to the eye: no repaint
  EXPECT_TRUE(repainted.empty());
  b->Move(2000, 2000);
  ASSERT_EQ(repainted.size(), 2u);
  EXPECT_EQ(repainted[0].Left, 500);
  EXPECT_EQ(repainted[1].Left, 2000);
  repainted.clear();
  c->SetVisible(false);
  c->Move(0, 0);  // hidden: moving it shows nothing
  EXPECT_EQ(repainted.size(), 1u);
}

// Input from elsewhere (the keyboard) reaches a control only where the pointer could: a hidden or
// disabled one hears nothing, and says so.
TEST_F(SurfaceTest, OtherInputReachesOnlyVisibleEnabledControls)
{
  for (const bool hide : {true, false}) {
    b->SetVisible(!hide);
    b->SetEnabled(hide);
    EXPECT_FALSE(surface.MoveOnto(*b)) << hide;
    EXPECT_FALSE(surface.ClickOn(*b)) << hide;
    EXPECT_FALSE(surface.DropOn(*b, *a)) << hide;
    EXPECT_FALSE(ControlSurface::Draggable(*b)) << hide;
  }
  EXPECT_TRUE(log.empty());
  b->SetVisible(true);
  b->SetEnabled(true);
  EXPECT_TRUE(surface.MoveOnto(*b) && surface.ClickOn(*b) && surface.DropOn(*b, *a));
  EXPECT_TRUE(ControlSurface::Draggable(*b));
  EXPECT_FALSE(ControlSurface::Draggable(*a)) << "a manual control is clicked, not dragged";
  EXPECT_EQ(log, (std::vector<std::string>{"b.move0", "b.click0", "b.drop0<a"}));
}

// What is read off the controls holds until the surface's version moves: every change moves it, a
// change to the same value does not.
TEST_F(SurfaceTest, EveryChangeMovesTheVersion)
{
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"Move", [this] { b->Move(10, 20); }},
      {"SetVisible", [this] { b->SetVisible(false); }},
      {"SetEnabled", [this] { b->SetEnabled(false); }},
      {"SetDragMode", [this] { b->SetDragMode(DragMode::Manual); }},
      {"SetPicture", [this] { b->SetPicture(Picture(2, 2)); }},
      {"ClearPicture", [this] { b->ClearPicture(); }},
      {"BringToFront", [this] { b->BringToFront(); }},
      {"SendToBack", [this] { b->SendToBack(); }},
  };
  for (const auto& [name, change] : changes) {
    const std::uint64_t before = surface.Version();
    change();
    EXPECT_NE(surface.Version(), before) << name;
    const std::uint64_t after = surface.Version();
    if (std::string_view(name) != "SetPicture" && std::string_view(name) != "ClearPicture") change();
    EXPECT_EQ(surface.Version(), after) << name << " again";
  }
}

}  // namespace
