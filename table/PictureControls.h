// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Windowless picture controls, modelled without any widget: geometry in twips, visibility, enabled
// state, drag mode, frame, picture and one stacking order for the whole table, with hit-testing and
// the gestures (press, move, release) that become clicks, pointer moves, drags and drops.

#include <QImage>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "table/Twips.h"

namespace korvel {

enum class DragMode : std::uint8_t { Manual, Automatic };
enum class Frame : std::uint8_t { None, Flat, Sunken };
enum class ControlSet : std::uint8_t { imgPile, imgBack, imgKingMove, imgSuitPile, imgEnd };
enum class ControlEvent : std::uint8_t { Click, MouseMove, DragDrop };
inline constexpr int ControlSetCount = 5;
inline constexpr int ControlEventCount = 3;

// Mouse buttons and modifier keys as the handlers receive them.
inline constexpr std::int16_t LeftButton = 1;
inline constexpr std::int16_t RightButton = 2;
inline constexpr std::int16_t MiddleButton = 4;

// Frame thickness on each side: flat is one black pixel, sunken a two-pixel 3-D edge.
int FrameTwips(Frame frame);

struct TwipRect {
  float Left = 0, Top = 0, Width = 0, Height = 0;
  bool Contains(float x, float y) const { return x >= Left && x < Left + Width && y >= Top && y < Top + Height; }
  friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

class ControlSurface;

// Stored state of a control as the window creates it.
struct ControlState {
  float Left = 0, Top = 0, Width = 0, Height = 0;
  bool Visible = true;
  bool Enabled = true;
  DragMode Drag = DragMode::Manual;
  Frame Border = Frame::None;
  QImage Picture;  // stored with the window; its size is already part of Width and Height
};

class PictureControl {
 public:
  ControlSet BelongsTo() const { return set_; }
  std::int16_t Index() const { return index_; }

  float Left() const { return state_.Left; }
  float Top() const { return state_.Top; }
  float Width() const { return state_.Width; }
  float Height() const { return state_.Height; }
  TwipRect Rect() const { return {state_.Left, state_.Top, state_.Width, state_.Height}; }
  void SetLeft(float left) { Move(left, state_.Top); }
  void SetTop(float top) { Move(state_.Left, top); }
  void Move(float left, float top);

  bool Visible() const { return state_.Visible; }
  void SetVisible(bool visible);
  bool Enabled() const { return state_.Enabled; }
  void SetEnabled(bool enabled);
  DragMode Drag() const { return state_.Drag; }
  void SetDragMode(DragMode mode);
  Frame Border() const { return state_.Border; }

  const QImage& Picture() const { return state_.Picture; }
  // The control takes the picture's size plus its frame; clearing the picture keeps the size. A
  // picture with a devicePixelRatio of 2 is drawn sharper, not larger: it counts at half its size.
  void SetPicture(QImage picture);
  void ClearPicture();
  // The picture fills the whole control without transparency, so nothing behind it shows.
  bool Opaque() const { return opaque_; }

  void BringToFront();
  void SendToBack();

 private:
  friend class ControlSurface;
  PictureControl(ControlSurface& surface, ControlSet set, std::int16_t index, ControlState state);
  void Repaint() const;
  void UpdateOpaque();

  ControlSurface* surface_;
  ControlSet set_;
  std::int16_t index_;
  ControlState state_;
  bool opaque_ = false;
};

struct ControlEventArgs {
  std::int16_t Index = 0;
  std::int16_t Button = 0;
  std::int16_t Shift = 0;
  float X = 0, Y = 0;                      // pointer, relative to the control that receives the event
  const PictureControl* Source = nullptr;  // the dragged control, for a drop
};
using ControlHandler = std::function<void(const ControlEventArgs&)>;

class ControlSurface {
 public:
  ControlSurface() = default;
  ControlSurface(const ControlSurface&) = delete;
  ControlSurface& operator=(const ControlSurface&) = delete;

  // Creation order is stacking order: each new control goes behind all earlier ones.
  PictureControl& Create(ControlSet set, std::int16_t index, ControlState state);
  PictureControl& Get(ControlSet set, std::int16_t index);
  const PictureControl& Get(ControlSet set, std::int16_t index) const;
  // The members of a set, by index.
  const std::vector<PictureControl*>& Members(ControlSet set) const { return bySet_[static_cast<std::size_t>(set)]; }

  // The stacking order, from the back to the front.
  const std::vector<PictureControl*>& BackToFront() const { return zorder_; }

  // Counts every change of any control's state or place in the stack: what was read off the
  // controls still holds while it stays the same.
  std::uint64_t Version() const { return version_; }

  // The frontmost visible, enabled control containing the point, over its whole rectangle.
  PictureControl* HitTest(float x, float y) const;

  // The part of the table the pointer can reach: what the window shows of it, less what lies off
  // every screen. The pointer outside it is over no control, whatever lies there (a narrowed window
  // hides foundations, a long column runs past the bottom edge, a window pushed half off the desktop
  // hides a column). Unbounded until a view sets it. A new view is a change like any other: what
  // was read of what the mouse reaches holds no longer.
  void SetView(const TwipRect& view);
  const TwipRect& View() const { return view_; }

  void SetHandler(ControlSet set, ControlEvent event, ControlHandler handler);
  bool HasHandler(ControlSet set, ControlEvent event) const;

  // Gestures, in twips. A left press on an automatic-drag control starts a drag at once; on a manual
  // one it becomes a click if released over the same control. While a gesture lasts, pointer moves go
  // to the pressed control (a drag's moves reach no handler) and other presses are ignored.
  void PointerMove(float x, float y, std::int16_t buttons, std::int16_t shift);
  void PointerPress(float x, float y, std::int16_t button, std::int16_t shift);
  void PointerRelease(float x, float y, std::int16_t button, std::int16_t shift);
  // Drops any gesture in progress without a click or drop (the table changed or lost the mouse).
  void CancelGesture();
  bool GestureUnderWay() const { return gesture_ != Gesture::None; }

  // The events a gesture raises, raised on a control named by other input (the keyboard): the
  // pointer entering it, a click on it, a drop on it of `source`. As under the pointer, a control
  // that is hidden or disabled hears nothing; each returns whether the control heard it.
  bool MoveOnto(PictureControl& control);
  bool ClickOn(PictureControl& control);
  bool DropOn(PictureControl& target, const PictureControl& source);
  // Whether a press on the control would start a drag of it.
  static bool Draggable(const PictureControl& control);

  struct DragState {
    const PictureControl* Source;
    float GrabX, GrabY;  // where the pointer holds the control, relative to its origin
    float X, Y;          // the pointer now
  };
  const std::optional<DragState>& Dragging() const { return drag_; }
  // Where the dragged control's image follows the pointer.
  TwipRect DragRect() const;

  // The view's two ways to hear that the look changed: `area` with every area a change touched,
  // `all` when everything did (a new background). Either may be null.
  void SetRepaintHandlers(std::function<void(const TwipRect&)> area, std::function<void()> all);
  void Repaint(const TwipRect& area) const
  {
    if (repaint_) repaint_(area);
  }
  void RepaintAll() const;
  // Whether a view is told about repaints (none in tests and benchmarks of the model alone).
  bool HasView() const { return static_cast<bool>(repaint_); }

 private:
  friend class PictureControl;
  void Restack(PictureControl* control, bool toFront);
  void CountChange() { ++version_; }
  PictureControl* ControlAt(float x, float y) const;
  void Dispatch(PictureControl* control, ControlEvent event, ControlEventArgs args) const;

  std::deque<PictureControl> controls_;
  std::array<std::vector<PictureControl*>, ControlSetCount> bySet_;
  std::vector<PictureControl*> zorder_;
  std::array<std::array<ControlHandler, ControlEventCount>, ControlSetCount> handlers_;

  enum class Gesture : std::uint8_t { None, Pressed, Dragging };
  Gesture gesture_ = Gesture::None;
  PictureControl* pressed_ = nullptr;  // capture of a click gesture; null over the bare table
  TwipRect view_{0, 0, std::numeric_limits<float>::max(), std::numeric_limits<float>::max()};
  std::optional<DragState> drag_;
  std::function<void(const TwipRect&)> repaint_;
  std::function<void()> repaintAll_;
  std::uint64_t version_ = 0;
};

}  // namespace korvel
