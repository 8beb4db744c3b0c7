// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "table/PictureControls.h"

#include <algorithm>

namespace korvel {

int FrameTwips(Frame frame)
{
  switch (frame) {
    case Frame::Flat: return TwipsPerPixel;
    case Frame::Sunken: return 2 * TwipsPerPixel;
    case Frame::None: break;
  }
  return 0;
}

namespace {

// A picture's size in pixels of the table: a twice-size picture counts at the size it is drawn.
QSize TablePixels(const QImage& picture) { return picture.deviceIndependentSize().toSize(); }

bool FullyOpaque(const QImage& image)
{
  if (image.isNull()) return false;
  // A picture without an alpha channel says so itself (the card back is one); a card face with
  // transparent corners is found out at its first pixel.
  if (!image.hasAlphaChannel()) return true;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(line[x]) != 255) return false;
  }
  return true;
}

}  // namespace

// --- PictureControl ---------------------------------------------------------------------------

PictureControl::PictureControl(ControlSurface& surface, ControlSet set, std::int16_t index, ControlState state)
    : surface_(&surface), set_(set), index_(index), state_(std::move(state))
{
  UpdateOpaque();
}

void PictureControl::Repaint() const
{
  if (state_.Visible) surface_->Repaint(Rect());
}

void PictureControl::Move(float left, float top)
{
  if (left == state_.Left && top == state_.Top) return;
  Repaint();
  state_.Left = left;
  state_.Top = top;
  surface_->CountChange();
  Repaint();
}

void PictureControl::SetVisible(bool visible)
{
  if (visible == state_.Visible) return;
  state_.Visible = visible;
  surface_->CountChange();
  surface_->Repaint(Rect());
}

void PictureControl::SetEnabled(bool enabled)
{
  if (enabled == state_.Enabled) return;
  state_.Enabled = enabled;
  surface_->CountChange();
}

void PictureControl::SetDragMode(DragMode mode)
{
  if (mode == state_.Drag) return;
  state_.Drag = mode;
  surface_->CountChange();
}

void PictureControl::SetPicture(QImage picture)
{
  Repaint();
  const float frame = 2.0f * static_cast<float>(FrameTwips(state_.Border));
  const QSize pixels = TablePixels(picture);
  state_.Width = static_cast<float>(pixels.width() * TwipsPerPixel) + frame;
  state_.Height = static_cast<float>(pixels.height() * TwipsPerPixel) + frame;
  state_.Picture = std::move(picture);
  UpdateOpaque();
  surface_->CountChange();
  Repaint();
}

void PictureControl::ClearPicture()
{
  state_.Picture = QImage();
  UpdateOpaque();
  surface_->CountChange();
  Repaint();
}

void PictureControl::UpdateOpaque()
{
  // A frame is drawn solid, so a control hides what lies behind it when its picture is opaque and
  // fills the space inside the frame.
  const float frame = 2.0f * static_cast<float>(FrameTwips(state_.Border));
  const QSize pixels = TablePixels(state_.Picture);
  const bool fills = static_cast<float>(pixels.width() * TwipsPerPixel) + frame == state_.Width &&
                     static_cast<float>(pixels.height() * TwipsPerPixel) + frame == state_.Height;
  opaque_ = fills && FullyOpaque(state_.Picture);
}

void PictureControl::BringToFront() { surface_->Restack(this, true); }
void PictureControl::SendToBack() { surface_->Restack(this, false); }

// --- ControlSurface ---------------------------------------------------------------------------

PictureControl& ControlSurface::Create(ControlSet set, std::int16_t index, ControlState state)
{
  controls_.push_back(PictureControl(*this, set, index, std::move(state)));
  PictureControl* control = &controls_.back();
  auto& members = bySet_[static_cast<std::size_t>(set)];
  if (members.size() <= static_cast<std::size_t>(index)) members.resize(static_cast<std::size_t>(index) + 1, nullptr);
  members[static_cast<std::size_t>(index)] = control;
  zorder_.insert(zorder_.begin(), control);  // behind everything created before it
  CountChange();
  return *control;
}

PictureControl& ControlSurface::Get(ControlSet set, std::int16_t index)
{
  return *bySet_[static_cast<std::size_t>(set)].at(static_cast<std::size_t>(index));
}

const PictureControl& ControlSurface::Get(ControlSet set, std::int16_t index) const
{
  return *bySet_[static_cast<std::size_t>(set)].at(static_cast<std::size_t>(index));
}

void ControlSurface::Restack(PictureControl* control, bool toFront)
{
  auto it = std::find(zorder_.begin(), zorder_.end(), control);
  if (toFront) {
    if (it + 1 == zorder_.end()) return;
    std::rotate(it, it + 1, zorder_.end());
  } else {
    if (it == zorder_.begin()) return;
    std::rotate(zorder_.begin(), it, it + 1);
  }
  CountChange();
  control->Repaint();
}

PictureControl* ControlSurface::HitTest(float x, float y) const
{
  for (auto it = zorder_.rbegin(); it != zorder_.rend(); ++it) {
    const PictureControl* c = *it;
    if (c->state_.Visible && c->state_.Enabled && c->Rect().Contains(x, y)) return *it;
  }
  return nullptr;
}

void ControlSurface::SetView(const TwipRect& view)
{
  if (view == view_) return;
  view_ = view;
  CountChange();
}

PictureControl* ControlSurface::ControlAt(float x, float y) const
{
  return view_.Contains(x, y) ? HitTest(x, y) : nullptr;
}

void ControlSurface::SetHandler(ControlSet set, ControlEvent event, ControlHandler handler)
{
  handlers_[static_cast<std::size_t>(set)][static_cast<std::size_t>(event)] = std::move(handler);
}

bool ControlSurface::HasHandler(ControlSet set, ControlEvent event) const
{
  return static_cast<bool>(handlers_[static_cast<std::size_t>(set)][static_cast<std::size_t>(event)]);
}

void ControlSurface::Dispatch(PictureControl* control, ControlEvent event, ControlEventArgs args) const
{
  const auto& handler = handlers_[static_cast<std::size_t>(control->set_)][static_cast<std::size_t>(event)];
  if (!handler) return;
  args.Index = control->index_;
  args.X -= control->state_.Left;
  args.Y -= control->state_.Top;
  handler(args);
}

TwipRect ControlSurface::DragRect() const
{
  if (!drag_) return {};
  const TwipRect r = drag_->Source->Rect();
  return {drag_->X - drag_->GrabX, drag_->Y - drag_->GrabY, r.Width, r.Height};
}

void ControlSurface::SetRepaintHandlers(std::function<void(const TwipRect&)> area, std::function<void()> all)
{
  repaint_ = std::move(area);
  repaintAll_ = std::move(all);
}

void ControlSurface::RepaintAll() const
{
  if (repaintAll_) repaintAll_();
}

void ControlSurface::PointerMove(float x, float y, std::int16_t buttons, std::int16_t shift)
{
  // The button is up yet a gesture is still open: its release went elsewhere (a modal window took
  // the mouse), so it ends here without a click or drop.
  if (gesture_ != Gesture::None && (buttons & LeftButton) == 0) CancelGesture();
  switch (gesture_) {
    case Gesture::Dragging: {
      // One rectangle over the old and new places: one simple clip paints faster than two.
      const TwipRect before = DragRect();
      drag_->X = x;
      drag_->Y = y;
      const TwipRect after = DragRect();
      const float left = std::min(before.Left, after.Left);
      const float top = std::min(before.Top, after.Top);
      Repaint({left, top, std::max(before.Left + before.Width, after.Left + after.Width) - left,
               std::max(before.Top + before.Height, after.Top + after.Height) - top});
      return;
    }
    case Gesture::Pressed:
      if (pressed_ != nullptr) Dispatch(pressed_, ControlEvent::MouseMove, {0, buttons, shift, x, y, nullptr});
      return;
    case Gesture::None:
      if (PictureControl* c = ControlAt(x, y)) Dispatch(c, ControlEvent::MouseMove, {0, buttons, shift, x, y, nullptr});
      return;
  }
}

void ControlSurface::PointerPress(float x, float y, std::int16_t button, std::int16_t shift)
{
  if (gesture_ != Gesture::None || button != LeftButton) return;
  // A card may have appeared under a pointer that has not moved since (a deal, a turned card):
  // the control pressed hears about the pointer first, so it is the one dragged.
  if (PictureControl* c = ControlAt(x, y)) Dispatch(c, ControlEvent::MouseMove, {0, button, shift, x, y, nullptr});
  PictureControl* c = ControlAt(x, y);
  if (c != nullptr && c->state_.Drag == DragMode::Automatic) {
    gesture_ = Gesture::Dragging;
    drag_ = DragState{c, x - c->state_.Left, y - c->state_.Top, x, y};
    Repaint(DragRect());
    return;
  }
  gesture_ = Gesture::Pressed;
  pressed_ = c;
}

void ControlSurface::PointerRelease(float x, float y, std::int16_t button, std::int16_t shift)
{
  if (button != LeftButton) return;
  if (gesture_ == Gesture::Dragging) {
    const DragState drag = *drag_;
    CancelGesture();
    if (PictureControl* target = ControlAt(x, y))
      Dispatch(target, ControlEvent::DragDrop, {0, button, shift, x, y, drag.Source});
    return;
  }
  if (gesture_ == Gesture::Pressed) {
    PictureControl* pressed = pressed_;
    CancelGesture();
    if (pressed != nullptr && ControlAt(x, y) == pressed)
      Dispatch(pressed, ControlEvent::Click, {0, button, shift, x, y, nullptr});
  }
}

namespace {

bool TakesInput(const PictureControl& control) { return control.Visible() && control.Enabled(); }

// Where other input points at a control: its centre, as the handlers measure it.
ControlEventArgs AtCentre(const PictureControl& control)
{
  return {0, LeftButton, 0, control.Left() + control.Width() / 2, control.Top() + control.Height() / 2, nullptr};
}

}  // namespace

bool ControlSurface::MoveOnto(PictureControl& control)
{
  if (!TakesInput(control)) return false;
  ControlEventArgs args = AtCentre(control);
  args.Button = 0;
  Dispatch(&control, ControlEvent::MouseMove, args);
  return true;
}

bool ControlSurface::ClickOn(PictureControl& control)
{
  if (!TakesInput(control)) return false;
  Dispatch(&control, ControlEvent::Click, AtCentre(control));
  return true;
}

bool ControlSurface::DropOn(PictureControl& target, const PictureControl& source)
{
  if (!TakesInput(target)) return false;
  ControlEventArgs args = AtCentre(target);
  args.Source = &source;
  Dispatch(&target, ControlEvent::DragDrop, args);
  return true;
}

bool ControlSurface::Draggable(const PictureControl& control)
{
  return TakesInput(control) && control.Drag() == DragMode::Automatic;
}

void ControlSurface::CancelGesture()
{
  if (gesture_ == Gesture::Dragging) Repaint(DragRect());
  gesture_ = Gesture::None;
  pressed_ = nullptr;
  drag_.reset();
}

}  // namespace korvel
