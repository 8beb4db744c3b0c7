// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "cardfaces.h"

#include "canvas.h"
#include "courts.h"
#include "fonts.h"
#include "gifwriter.h"

#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <vector>

#include "deck/CardCodes.h"

namespace korvel::cardgen {

namespace {

constexpr QRgb kFaceWhite = qRgb(255, 255, 255);
constexpr QRgb kBorderGrey = qRgb(72, 72, 72);
constexpr int kCornerRadius = 5;

// Corner index: a rank over a small suit symbol, drawn once and reused turned over for the
// bottom-right corner so both corners match pixel for pixel.
constexpr int kIndexWidth = 13;
constexpr int kIndexHeight = 25;
constexpr QPoint kIndexOrigin(2, 4);
constexpr int kIndexFontPx = 12;
constexpr double kIndexPipHeight = 11;
constexpr int kIndexPipTop = 11;

// Pips: three columns and rows counted in twelfths of the distance between the top and the
// bottom row, as printed cards space them. Rows past the middle are drawn upside down.
constexpr double kPipHeight = 13;
constexpr int kColumnX[] = {23, 36, 49};
constexpr int kTopRowY = 15;
constexpr int kMiddleRowY = 48;

struct Pip {
  int column;  // -1 left, 0 centre, 1 right
  int row;     // 0 top ... 6 middle ... 12 bottom
};

const std::vector<Pip> kPipLayouts[11] = {
    {},
    {},
    /* 2 */ {{0, 0}, {0, 12}},
    /* 3 */ {{0, 0}, {0, 6}, {0, 12}},
    /* 4 */ {{-1, 0}, {1, 0}, {-1, 12}, {1, 12}},
    /* 5 */ {{-1, 0}, {1, 0}, {0, 6}, {-1, 12}, {1, 12}},
    /* 6 */ {{-1, 0}, {1, 0}, {-1, 6}, {1, 6}, {-1, 12}, {1, 12}},
    /* 7 */ {{-1, 0}, {1, 0}, {0, 3}, {-1, 6}, {1, 6}, {-1, 12}, {1, 12}},
    /* 8 */ {{-1, 0}, {1, 0}, {0, 3}, {-1, 6}, {1, 6}, {0, 9}, {-1, 12}, {1, 12}},
    /* 9 */ {{-1, 0}, {1, 0}, {-1, 4}, {1, 4}, {0, 6}, {-1, 8}, {1, 8}, {-1, 12}, {1, 12}},
    /* 10 */ {{-1, 0}, {1, 0}, {0, 2}, {-1, 4}, {1, 4}, {-1, 8}, {1, 8}, {0, 10}, {-1, 12}, {1, 12}},
};

// Court panel, centred on the card.
constexpr QRect kCourtPanel(15, 8, 43, 81);

// Row centre of a pip row; the lower half mirrors the upper one so the card is symmetric
// under a half turn.
int rowY(int row)
{
  if (row > 6) return kCardHeight - 1 - rowY(12 - row);
  return int(std::lround(kTopRowY + row * (kMiddleRowY - kTopRowY) / 6.0));
}

// Draws the picture and its half-turned copy, which lands on the mirrored position.
void drawBothWays(QPainter& p, QPoint topLeft, const QImage& picture)
{
  p.drawImage(topLeft, picture);
  const QSize size = pictureSize(picture);
  const QPoint mirrored(kCardWidth - topLeft.x() - size.width(), kCardHeight - topLeft.y() - size.height());
  p.drawImage(mirrored, picture.mirrored(true, true));
}

// The "1" of a ten, drawn as a plain flagged bar: the font's footed 1 makes "10" too wide for
// the corner.
constexpr int kSlimOneWidth = 3;

void drawSlimOne(QPainter& p, int x, int capTop, int capHeight, const QColor& ink)
{
  p.fillRect(x + 1, capTop, 2, capHeight, ink);
  p.fillRect(x, capTop + 1, 1, 1, ink);
}

void drawRankLabel(QPainter& p, int rank, const QColor& ink, int capTop)
{
  const QFont font = sansFont(kIndexFontPx);
  const QFontMetrics fm(font);
  const QRect cap = fm.boundingRect(QLatin1Char('K'));
  const bool ten = rank == 10;
  const QString text = ten ? QStringLiteral("0") : rankLabel(rank);
  const QRect textInk = fm.boundingRect(text);
  const int width = textInk.width() + (ten ? kSlimOneWidth + 1 : 0);
  int x = (kIndexWidth - width) / 2;
  if (ten) {
    drawSlimOne(p, x, capTop, cap.height(), ink);
    x += kSlimOneWidth + 1;
  }
  p.setFont(font);
  p.setPen(ink);
  p.drawText(x - textInk.left(), capTop - cap.top(), text);
}

QImage cornerIndex(int rank, Suit suit, int scale)
{
  QImage img = scaledCanvas(kIndexWidth, kIndexHeight, scale, Qt::transparent);
  QPainter p(&img);
  drawRankLabel(p, rank, suitInk(suit), 0);
  const QImage pip = suitSprite(suit, kIndexPipHeight, suitInk(suit), scale);
  p.drawImage(QPoint((kIndexWidth - pictureSize(pip).width()) / 2, kIndexPipTop), pip);
  return img;
}

void drawPips(QPainter& p, int rank, Suit suit)
{
  const QImage upright = suitSprite(suit, kPipHeight, suitInk(suit), paintScale(p));
  const QImage turned = upright.mirrored(true, true);
  const int half = pictureSize(upright).width() / 2;
  for (const Pip& pip : kPipLayouts[rank]) {
    const QPoint centre(kColumnX[pip.column + 1], rowY(pip.row));
    p.drawImage(centre - QPoint(half, half), pip.row > 6 ? turned : upright);
  }
}

// The ace of spades traditionally carries the maker's flourish: a large spade with a white
// line inlaid along its body and a ring round it.
void drawAceOfSpades(QPainter& p)
{
  const QPointF centre(kCardWidth / 2.0, kCardHeight / 2.0);
  const QColor ink = suitInk(Suit::Spades);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(ink, 1.0));
  p.drawEllipse(centre, 25.5, 25.5);
  p.restore();

  const double height = 43;
  const QImage big = suitSprite(Suit::Spades, height, ink, paintScale(p));
  const QSize size = pictureSize(big);
  p.drawImage(QPoint((kCardWidth - size.width()) / 2, (kCardHeight - size.height()) / 2), big);

  // Inlay: the flanks of a smaller spade, traced in white down to where the lobes turn.
  const double inner = height * 0.62;
  QTransform t;
  t.translate(centre.x(), centre.y() - 2.5);
  t.scale(inner * suitAspect(Suit::Spades) / 100.0, inner / 100.0);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setClipRect(QRectF(0, 0, kCardWidth, t.map(QPointF(0, 24)).y()));
  p.setPen(QPen(QColor(255, 255, 255), 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(t.map(suitPath(Suit::Spades)));
  p.restore();
}

void drawAce(QPainter& p, Suit suit)
{
  if (suit == Suit::Spades) {
    drawAceOfSpades(p);
    return;
  }
  const QImage big = suitSprite(suit, suit == Suit::Diamonds ? 35 : 31, suitInk(suit), paintScale(p));
  const QSize size = pictureSize(big);
  p.drawImage(QPoint((kCardWidth - size.width()) / 2, (kCardHeight - size.height()) / 2), big);
}

bool insideRoundedRect(int x, int y, int w, int h, int r)
{
  const double cx = x + 0.5, cy = y + 0.5;
  const double dx = std::max({r - cx, cx - (w - r), 0.0});
  const double dy = std::max({r - cy, cy - (h - r), 0.0});
  return dx * dx + dy * dy <= double(r) * r;
}

}  // namespace

QString cardCode(int rank, Suit suit)
{
  return QString(QLatin1Char(korvel::RankLetters[static_cast<std::size_t>(rank - 1)])) + QLatin1Char(suitLetter(suit));
}

QString rankLabel(int rank)
{
  switch (rank) {
    case kAce: return QStringLiteral("A");
    case kJack: return QStringLiteral("J");
    case kQueen: return QStringLiteral("Q");
    case kKing: return QStringLiteral("K");
    default: return QString::number(rank);
  }
}

QImage blankCard(int width, int height, int radius, QRgb face, QRgb border, int scale)
{
  // Decided per device pixel; the ring is `scale` device pixels wide, one pixel of the card.
  const int w = width * scale;
  const int h = height * scale;
  const int r = radius * scale;
  QImage img(w, h, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && insideRoundedRect(x, y, w, h, r); };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (!inside(x, y)) continue;
      bool edge = false;
      for (int k = 1; k <= scale && !edge; ++k)
        edge = !inside(x - k, y) || !inside(x + k, y) || !inside(x, y - k) || !inside(x, y + k);
      img.setPixel(x, y, edge ? border : face);
    }
  }
  img.setDevicePixelRatio(scale);
  return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage cardFace(int rank, Suit suit, int scale)
{
  QImage card = blankCard(kCardWidth, kCardHeight, kCornerRadius, kFaceWhite, kBorderGrey, scale);
  QPainter p(&card);
  if (rank == kAce)
    drawAce(p, suit);
  else if (rank >= kJack)
    p.drawImage(kCourtPanel.topLeft(), courtPanel(rank, suit, kCourtPanel.size(), scale));
  else
    drawPips(p, rank, suit);
  drawBothWays(p, kIndexOrigin, cornerIndex(rank, suit, scale));
  return card;
}

QImage emptyStockPicture(int scale)
{
  QImage img = scaledCanvas(kCardWidth, kCardHeight, scale, Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QColor light(225, 235, 255);

  // Outline where the stock used to be.
  p.setPen(QPen(light, 2.0));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(2, 2, kCardWidth - 4, kCardHeight - 4), 5, 5);

  // A circular arrow: a click here turns the waste over into a new stock. The arc runs
  // counter-clockwise from 100 degrees round to 40, where the head sits.
  const QPointF centre(kCardWidth / 2.0, kCardHeight / 2.0);
  const double r = 15;
  const double endDegrees = 40;
  p.setPen(QPen(light, 4.0, Qt::SolidLine, Qt::FlatCap));
  p.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 100 * 16, int((360 - 100 + endDegrees) * 16));
  const double a = qDegreesToRadians(endDegrees);
  const QPointF outward(std::cos(a), -std::sin(a));
  const QPointF forward(-std::sin(a), -std::cos(a));
  const QPointF end = centre + r * outward;
  QPolygonF head;
  head << end + 9.0 * forward << end + 7.5 * outward - 2.0 * forward << end - 7.5 * outward - 2.0 * forward;
  p.setPen(Qt::NoPen);
  p.setBrush(light);
  p.drawPolygon(head);
  return img;
}

bool writeCardFaces(const QString& dir, QString* error)
{
  if (!QDir().mkpath(dir)) {
    *error = QStringLiteral("cannot create %1").arg(dir);
    return false;
  }
  const QDir out(dir);
  // Named as the game reads them, and "@2x" before the extension for the twice-size ones.
  const QString extension = QString::fromLatin1(korvel::CardPictureExtension);
  for (const int scale : {1, 2}) {
    const QString suffix = scale == 1 ? extension : QStringLiteral("@2x") + extension;
    for (Suit suit : kAllSuits) {
      for (int rank = kAce; rank <= kKing; ++rank) {
        if (!writeGif(cardFace(rank, suit, scale), out.filePath(cardCode(rank, suit) + suffix), error)) return false;
      }
    }
    const QString emptyStock = QString::fromLatin1(korvel::EmptyStockName);
    if (!writeGif(emptyStockPicture(scale), out.filePath(emptyStock + suffix), error)) return false;
  }
  return true;
}

}  // namespace korvel::cardgen
