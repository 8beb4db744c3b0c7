// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "assets.h"

#include "alpha.h"
#include "canvas.h"
#include "cardfaces.h"
#include "fonts.h"
#include "palette.h"
#include "suits.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <cstring>
#include <functional>

#include "assets/MenuBitmaps.h"

namespace korvel::cardgen {

namespace {

// The card back sits on the table's blue; its corners (JPEG has no transparency) are painted
// a blue close to it so the rounding still shows.
const QColor kTableBlue(0, 0, 200);
const QColor kLatticeDark(20, 50, 160);
const QColor kLatticeLight(110, 150, 240);

QImage canvas(int w, int h, const QColor& fill, int scale = 1)
{
  return scaledCanvas(w, h, scale, fill, QImage::Format_RGB32);
}

// "back.jpg" at scale 2 is "back@2x.jpg", the name Qt gives a twice-size picture.
QString scaledName(const char* name, int scale)
{
  QString file = QString::fromLatin1(name);
  if (scale > 1) file.insert(file.lastIndexOf(QLatin1Char('.')), QStringLiteral("@%1x").arg(scale));
  return file;
}

bool save(const QImage& image, const QString& path, const char* format, int quality, QString* error)
{
  QImageWriter writer(path, format);
  if (quality >= 0) writer.setQuality(quality);
  // Baseline JPEG: progressive files are refused by some older decoders.
  writer.setProgressiveScanWrite(false);
  // Straight alpha worked out here, not by the writer, so that every machine writes the same file.
  const bool premultiplied = image.pixelFormat().premultiplied() == QPixelFormat::Premultiplied;
  if (!writer.write(premultiplied ? straightAlpha(image) : image)) {
    *error = QStringLiteral("%1: %2").arg(path, writer.errorString());
    return false;
  }
  return true;
}

// ---- Card back -------------------------------------------------------------------------

// Diagonal lattice of light lines over a deep blue, with a dot in every diamond.
void drawLattice(QPainter& p, const QRect& area)
{
  p.save();
  p.setClipRect(area);
  p.fillRect(area, kLatticeDark);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(kLatticeLight);
  const int step = 6;
  const int span = area.width() + area.height();
  for (int d = -span; d <= span; d += step) {
    p.drawLine(area.left() + d, area.top(), area.left() + d + span, area.top() + span);
    p.drawLine(area.right() - d, area.top(), area.right() - d - span, area.top() + span);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 215, 255));
  for (int y = area.top() + step / 2; y <= area.bottom(); y += step) {
    for (int x = area.left(); x <= area.right(); x += step) p.drawRect(x, y, 0, 0);
  }
  p.restore();
  p.setPen(QColor(0, 20, 110));
  p.setBrush(Qt::NoBrush);
  p.drawRect(area.adjusted(0, 0, -1, -1));
}

QImage cardBack(int scale = 1)
{
  QImage img = canvas(kCardWidth, kCardHeight, kTableBlue, scale);
  QPainter p(&img);
  p.drawImage(0, 0, blankCard(kCardWidth, kCardHeight, 5, qRgb(255, 255, 255), qRgb(72, 72, 72), scale));
  drawLattice(p, QRect(5, 5, kCardWidth - 10, kCardHeight - 10));
  return img;
}

// ---- Small vector cards for the icon and the logo ---------------------------------------

void drawMiniCard(QPainter& p, const QRectF& r, double radius, const QString& label, Suit suit, double pipHeight)
{
  p.setPen(QPen(QColor(60, 60, 60), 1.0));
  p.setBrush(QColor(255, 255, 255));
  p.drawRoundedRect(r, radius, radius);
  drawSuit(p, suit, r.center() + QPointF(0, pipHeight * 0.08), pipHeight, suitInk(suit));
  if (label.isEmpty()) return;
  QFont font = sansFont(std::max(7, int(r.height() / 5)));
  p.setFont(font);
  p.setPen(suitInk(suit));
  const QFontMetrics fm(font);
  p.drawText(QPointF(r.left() + 2, r.top() + 1 + fm.ascent() * 0.8), label);
}

void drawMiniBack(QPainter& p, const QRectF& r, double radius)
{
  p.setPen(QPen(QColor(60, 60, 60), 1.0));
  p.setBrush(QColor(255, 255, 255));
  p.drawRoundedRect(r, radius, radius);
  p.setPen(QPen(kLatticeLight, 1.0));
  p.setBrush(kLatticeDark);
  p.drawRoundedRect(r.adjusted(2, 2, -2, -2), radius / 2, radius / 2);
}

// Turns the painter about `pivot` by `degrees` and runs `draw` in that frame.
void turned(QPainter& p, QPointF pivot, double degrees, const std::function<void()>& draw)
{
  p.save();
  p.translate(pivot);
  p.rotate(degrees);
  p.translate(-pivot);
  draw();
  p.restore();
}

// The icon's design: a card back and the ace of spades fanned about a point below them, drawn
// in the 32-pixel frame of the window icon.
void drawIcon(QPainter& p)
{
  const QPointF pivot(16, 30);
  turned(p, pivot, -16, [&] { drawMiniBack(p, QRectF(7.5, 3.5, 17, 23), 2.5); });
  turned(p, pivot, 12, [&] { drawMiniCard(p, QRectF(8.5, 4.5, 17, 23), 2.5, QString(), Suit::Spades, 14); });
}

// The icon at `size` pixels, scaled from its 32-pixel frame.
QImage icon(int size)
{
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  if (size != 32) p.scale(size / 32.0, size / 32.0);
  drawIcon(p);
  p.end();
  return img;
}

// The same drawing as vectors, for desktops that scale their icons to any size. It says its licence
// after the XML declaration, as every text file of the project does.
bool saveScalableIcon(const QString& path, QString* error)
{
  QBuffer drawn;
  drawn.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&drawn);
  svg.setSize(QSize(32, 32));
  svg.setViewBox(QRect(0, 0, 32, 32));
  svg.setTitle(QStringLiteral("Korvel Solitaire"));
  QPainter p;
  if (!p.begin(&svg)) {
    *error = QStringLiteral("cannot draw %1").arg(path);
    return false;
  }
  p.setRenderHint(QPainter::Antialiasing, true);
  drawIcon(p);
  p.end();
  QByteArray text = drawn.data();
  const qsizetype declaration = text.indexOf('\n') + 1;
  text.insert(declaration,
              "<!-- SPDX-License-Identifier: GPL-3.0-or-later -->\n"
              "<!-- SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers -->\n");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size()) {
    *error = QStringLiteral("cannot write %1").arg(path);
    return false;
  }
  return true;
}

// icon.png is the window icon as the program has always carried it: 32 x 32 in 256 colours. The
// others (icon-16.png ... icon-256.png, and icon.svg) keep every colour; they serve the desktop's
// panels, menus and software centres and high-density screens.
bool saveIcons(const QDir& out, QString* error)
{
  if (!save(toIndexed(icon(32), 255), out.filePath(QStringLiteral("icon.png")), "png", -1, error)) return false;
  if (!saveScalableIcon(out.filePath(QStringLiteral("icon.svg")), error)) return false;
  for (const int size : {16, 24, 48, 64, 128, 256}) {
    if (!save(icon(size), out.filePath(QStringLiteral("icon-%1.png").arg(size)), "png", -1, error)) return false;
  }
  return true;
}

QImage logo(int scale = 1)
{
  QImage img = canvas(75, 99, Qt::black, scale);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  QLinearGradient felt(0, 0, 0, 99);
  felt.setColorAt(0, QColor(20, 120, 60));
  felt.setColorAt(1, QColor(0, 60, 30));
  p.fillRect(QRect(0, 0, 75, 99), felt);
  p.setPen(QPen(QColor(230, 190, 60), 2.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1, 1, 73, 97));

  // A fanned hand: three cards turned about a point below the hand, the ace of spades on top.
  const QPointF pivot(37.5, 101);
  const QRectF card(25.5, 19.5, 24, 36);
  struct Held {
    double degrees;
    const char* label;
    Suit suit;
  };
  const Held hand[] = {
      {-16, "K", Suit::Hearts}, {-5, "Q", Suit::Clubs}, {6, "J", Suit::Diamonds}, {17, "A", Suit::Spades}};
  for (const Held& h : hand)
    turned(p, pivot, h.degrees,
           [&] { drawMiniCard(p, card, 3, QString::fromLatin1(h.label), h.suit, h.suit == Suit::Spades ? 16 : 11); });

  // The name under the hand.
  const QFont font = serifFont(13);
  p.setFont(font);
  p.setPen(QColor(0, 30, 10));
  p.drawText(QRect(1, 76, 75, 18), Qt::AlignCenter, QStringLiteral("Korvel"));
  p.setPen(QColor(250, 215, 90));
  p.drawText(QRect(0, 75, 75, 18), Qt::AlignCenter, QStringLiteral("Korvel"));
  return img;
}

QImage banner(int scale = 1)
{
  QImage img = canvas(238, 32, Qt::black, scale);
  QPainter p(&img);
  const QRect all(0, 0, 238, 32);
  QLinearGradient g(0, 0, 238, 0);
  g.setColorAt(0, QColor(0, 0, 120));
  g.setColorAt(0.55, QColor(20, 80, 200));
  g.setColorAt(1, QColor(0, 150, 220));
  p.fillRect(all, g);
  QLinearGradient gloss(0, 0, 0, 32);
  gloss.setColorAt(0, QColor(255, 255, 255, 60));
  gloss.setColorAt(0.5, QColor(255, 255, 255, 0));
  p.fillRect(all, gloss);

  const QString title = QStringLiteral("Korvel Solitaire");
  const QFont font = serifFont(20);
  const QFontMetrics fm(font);
  const int width = fm.horizontalAdvance(title);
  const int x = (238 - width) / 2;
  const int baseline = 16 + fm.capHeight() / 2;
  p.setFont(font);
  p.setPen(QColor(0, 0, 40));
  p.drawText(x + 1, baseline + 1, title);
  p.setPen(QColor(255, 240, 170));
  p.drawText(x, baseline, title);

  p.setRenderHint(QPainter::Antialiasing, true);
  const double side = (238 - width) / 4.0;
  drawSuit(p, Suit::Spades, QPointF(side, 16), 13, QColor(255, 255, 255));
  drawSuit(p, Suit::Hearts, QPointF(238 - side, 16), 13, QColor(255, 90, 90));
  return img;
}

// ---- Menu bitmaps ----------------------------------------------------------------------
// Drawn without antialiasing: the program keys out the background colour, and blended rims
// would leave a halo of almost-background pixels.

const QColor kOutline(50, 50, 50);
const QColor kPaper(250, 250, 250);

void box(QPainter& p, const QRect& r, const QColor& fill, const QColor& edge = kOutline)
{
  p.fillRect(r, edge);
  p.fillRect(r.adjusted(1, 1, -1, -1), fill);
}

// Sets the pixels marked 'X' in `rows`, a small bitmap drawn to the pixel.
void pixelArt(QPainter& p, QPoint origin, std::initializer_list<const char*> rows, const QColor& colour)
{
  int y = origin.y();
  for (const char* row : rows) {
    for (int x = 0; row[x] != '\0'; ++x) {
      if (row[x] == 'X') p.fillRect(QRect(origin.x() + x, y, 1, 1), colour);
    }
    ++y;
  }
}

void drawDeal(QPainter& p)
{
  box(p, QRect(1, 3, 9, 12), QColor(40, 80, 200));
  p.fillRect(QRect(3, 5, 5, 8), QColor(100, 140, 235));
  box(p, QRect(6, 1, 9, 12), kPaper);
  pixelArt(p, QPoint(7, 4), {".XX.XX.", "XXXXXXX", "XXXXXXX", ".XXXXX.", "..XXX..", "...X..."}, suitInk(Suit::Hearts));
  // A little sparkle for "fresh".
  const QColor gold(250, 190, 0);
  p.fillRect(QRect(2, 0, 1, 3), gold);
  p.fillRect(QRect(1, 1, 3, 1), gold);
}

void drawExit(QPainter& p)
{
  // A door frame, the door swung open, and an arrow walking out.
  box(p, QRect(1, 1, 9, 14), QColor(30, 30, 30), QColor(110, 70, 30));
  QPolygon leaf;
  leaf << QPoint(2, 2) << QPoint(6, 4) << QPoint(6, 15) << QPoint(2, 14);
  p.setPen(QColor(90, 50, 20));
  p.setBrush(QColor(170, 110, 50));
  p.drawPolygon(leaf);
  p.fillRect(QRect(5, 9, 1, 1), QColor(240, 200, 60));
  const QColor red(210, 20, 20);
  p.fillRect(QRect(8, 7, 4, 3), red);
  QPolygon head;
  head << QPoint(11, 4) << QPoint(15, 8) << QPoint(11, 12);
  p.setPen(red);
  p.setBrush(red);
  p.drawPolygon(head);
}

void drawAbout(QPainter& p)
{
  p.setPen(QColor(0, 40, 130));
  p.setBrush(QColor(30, 90, 210));
  p.drawEllipse(QRect(1, 1, 18, 18));
  const QColor white(255, 255, 255);
  p.fillRect(QRect(9, 4, 3, 3), white);
  p.fillRect(QRect(8, 8, 4, 2), white);
  p.fillRect(QRect(9, 10, 3, 5), white);
  p.fillRect(QRect(8, 15, 5, 2), white);
}

void drawDownload(QPainter& p)
{
  // The tray.
  const QColor grey(110, 110, 120);
  p.fillRect(QRect(2, 18, 17, 2), grey);
  p.fillRect(QRect(2, 13, 2, 5), grey);
  p.fillRect(QRect(17, 13, 2, 5), grey);
  // The arrow coming down into it.
  const QColor green(20, 160, 40), dark(0, 90, 20);
  QPolygon arrow;
  arrow << QPoint(8, 1) << QPoint(12, 1) << QPoint(12, 8) << QPoint(16, 8) << QPoint(10, 15) << QPoint(4, 8)
        << QPoint(8, 8);
  p.setPen(dark);
  p.setBrush(green);
  p.drawPolygon(arrow);
}

void drawGlobe(QPainter& p)
{
  p.setPen(QColor(0, 50, 140));
  p.setBrush(QColor(40, 120, 225));
  p.drawEllipse(QRect(1, 1, 13, 13));
  // Land masses.
  const QColor land(40, 170, 60);
  p.setPen(land);
  p.setBrush(land);
  p.drawPolygon(QPolygon({QPoint(4, 3), QPoint(7, 3), QPoint(8, 5), QPoint(6, 7), QPoint(5, 10), QPoint(3, 7)}));
  p.drawPolygon(QPolygon({QPoint(9, 7), QPoint(12, 6), QPoint(12, 9), QPoint(10, 12), QPoint(9, 10)}));
  // Meridian and equator.
  p.setPen(QColor(170, 210, 250));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRect(5, 1, 5, 13));
  p.drawLine(2, 8, 13, 8);
}

void drawMail(QPainter& p)
{
  box(p, QRect(1, 3, 14, 10), QColor(255, 244, 200), QColor(90, 80, 60));
  p.setPen(QColor(90, 80, 60));
  p.drawLine(2, 4, 7, 9);
  p.drawLine(8, 9, 13, 4);
  p.drawLine(2, 11, 5, 8);
  p.drawLine(13, 11, 10, 8);
}

void bubble(QPainter& p, const QRect& r, const QColor& fill, const QColor& edge, const QPolygon& tail)
{
  p.setPen(edge);
  p.setBrush(fill);
  p.drawPolygon(tail);
  p.drawRoundedRect(r, 3, 3);
  // Cover the seam between the tail and the bubble.
  p.setPen(fill);
  p.drawLine(tail.point(0) + QPoint(1, -1), tail.point(1) + QPoint(-1, -1));
  p.setPen(edge.lighter(140));
  for (int y = r.top() + 3; y < r.bottom() - 1; y += 3) p.drawLine(r.left() + 3, y, r.right() - 3, y);
}

void drawForum(QPainter& p)
{
  bubble(p, QRect(1, 1, 17, 11), QColor(255, 226, 110), QColor(140, 100, 0),
         QPolygon({QPoint(4, 12), QPoint(8, 12), QPoint(3, 16)}));
  bubble(p, QRect(9, 9, 17, 11), QColor(170, 210, 255), QColor(30, 70, 150),
         QPolygon({QPoint(19, 20), QPoint(23, 20), QPoint(25, 24)}));
}

void drawTranslate(QPainter& p)
{
  // A Latin letter and a CJK sign for "writing", each on its own card.
  box(p, QRect(0, 0, 9, 9), kPaper);
  pixelArt(p, QPoint(2, 1), {"..X..", ".X.X.", ".X.X.", "X...X", "XXXXX", "X...X"}, QColor(20, 20, 20));
  box(p, QRect(7, 7, 9, 9), QColor(255, 220, 80));
  pixelArt(p, QPoint(9, 8), {"..X..", "XXXXX", ".X.X.", "..X..", ".X.X.", "X...X"}, QColor(160, 20, 20));
}

// How each bitmap of the game's menu table is drawn, by its file name.
struct MenuDrawing {
  const char* file;
  void (*draw)(QPainter&);
};

const MenuDrawing kMenuDrawings[] = {
    {"menu_deal.bmp", drawDeal},     {"menu_exit.bmp", drawExit},     {"menu_about.bmp", drawAbout},
    {"menu_tele.bmp", drawDownload}, {"menu_netserv.bmp", drawGlobe}, {"menu_mail.bmp", drawMail},
    {"menu_forum.bmp", drawForum},   {"menu_tra.bmp", drawTranslate},
};

// The bitmap at its size, on its transparent colour, drawn at `scale`; null for a bitmap this tool
// cannot draw.
QImage menuPicture(const korvel::MenuBitmap& m, int scale = 1)
{
  const auto drawing = std::find_if(std::begin(kMenuDrawings), std::end(kMenuDrawings),
                                    [&m](const MenuDrawing& d) { return std::strcmp(d.file, m.File) == 0; });
  if (drawing == std::end(kMenuDrawings)) return {};
  QImage img = canvas(m.Width, m.Height, QColor(m.Transparent.Red, m.Transparent.Green, m.Transparent.Blue), scale);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  drawing->draw(p);
  return img;
}

// Saves every bitmap of the menu table at `scale`.
bool saveMenuPictures(const QDir& out, int scale, QString* error)
{
  for (const korvel::MenuBitmap& m : korvel::MenuBitmaps) {
    const QImage img = menuPicture(m, scale);
    if (img.isNull()) {
      *error = QStringLiteral("no drawing for %1").arg(QString::fromLatin1(m.File));
      return false;
    }
    if (!save(img, out.filePath(scaledName(m.File, scale)), "bmp", -1, error)) return false;
  }
  return true;
}

// The same pictures drawn at twice their size, for high-density screens.
bool writeTwiceSize(const QDir& out, QString* error)
{
  constexpr int kScale = 2;
  if (!save(cardBack(kScale), out.filePath(scaledName("back.jpg", kScale)), "jpeg", 90, error) ||
      !save(logo(kScale), out.filePath(scaledName("logo.jpg", kScale)), "jpeg", 90, error) ||
      !save(banner(kScale), out.filePath(scaledName("banner.jpg", kScale)), "jpeg", 90, error))
    return false;
  return saveMenuPictures(out, kScale, error);
}

}  // namespace

bool writeAssets(const QString& dir, QString* error)
{
  if (!QDir().mkpath(dir)) {
    *error = QStringLiteral("cannot create %1").arg(dir);
    return false;
  }
  const QDir out(dir);
  if (!save(cardBack(), out.filePath(QStringLiteral("back.jpg")), "jpeg", 90, error) || !saveIcons(out, error) ||
      !save(logo(), out.filePath(QStringLiteral("logo.jpg")), "jpeg", 90, error) ||
      !save(banner(), out.filePath(QStringLiteral("banner.jpg")), "jpeg", 90, error))
    return false;
  return saveMenuPictures(out, 1, error) && writeTwiceSize(out, error);
}

}  // namespace korvel::cardgen
