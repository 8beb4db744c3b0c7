// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "palette.h"

#include "alpha.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace korvel::cardgen {

namespace {

struct Entry {
  QRgb rgb;
  long count;
};
using Box = std::vector<Entry>;

int channel(QRgb rgb, int c) { return c == 0 ? qRed(rgb) : c == 1 ? qGreen(rgb) : qBlue(rgb); }

// The channel along which the box is most spread out, and that spread.
std::pair<int, int> widestChannel(const Box& box)
{
  int best = 0;
  int bestRange = -1;
  for (int c = 0; c < 3; ++c) {
    const auto [lo, hi] = std::minmax_element(
        box.begin(), box.end(), [c](const Entry& a, const Entry& b) { return channel(a.rgb, c) < channel(b.rgb, c); });
    const int range = channel(hi->rgb, c) - channel(lo->rgb, c);
    if (range > bestRange) {
      best = c;
      bestRange = range;
    }
  }
  return {best, bestRange};
}

QRgb average(const Box& box)
{
  std::array<long, 3> sum{};
  long total = 0;
  for (const Entry& e : box) {
    for (int c = 0; c < 3; ++c) sum[c] += channel(e.rgb, c) * e.count;
    total += e.count;
  }
  return qRgb(int((sum[0] + total / 2) / total), int((sum[1] + total / 2) / total), int((sum[2] + total / 2) / total));
}

// Splits the box at the pixel-weighted median of its widest channel.
std::pair<Box, Box> split(Box box, int c)
{
  std::sort(box.begin(), box.end(), [c](const Entry& a, const Entry& b) {
    const int ca = channel(a.rgb, c), cb = channel(b.rgb, c);
    return ca != cb ? ca < cb : a.rgb < b.rgb;
  });
  long total = 0;
  for (const Entry& e : box) total += e.count;
  long seen = 0;
  size_t cut = 1;
  for (; cut < box.size() - 1; ++cut) {
    seen += box[cut - 1].count;
    if (seen * 2 >= total) break;
  }
  return {Box(box.begin(), box.begin() + long(cut)), Box(box.begin() + long(cut), box.end())};
}

std::vector<QRgb> medianCut(Box all, int maxColours)
{
  std::vector<Box> boxes{std::move(all)};
  while (int(boxes.size()) < maxColours) {
    int pick = -1;
    int pickRange = 0;
    for (int i = 0; i < int(boxes.size()); ++i) {
      if (boxes[i].size() < 2) continue;
      const int range = widestChannel(boxes[i]).second;
      if (range > pickRange) {
        pick = i;
        pickRange = range;
      }
    }
    if (pick < 0) break;
    // Before the box is moved away: argument order is up to the compiler.
    const int widest = widestChannel(boxes[pick]).first;
    auto [a, b] = split(std::move(boxes[pick]), widest);
    boxes[pick] = std::move(a);
    boxes.push_back(std::move(b));
  }
  std::vector<QRgb> colours;
  for (const Box& box : boxes) colours.push_back(average(box));
  return colours;
}

int nearest(const std::vector<QRgb>& palette, QRgb rgb)
{
  int best = 0;
  int bestDistance = INT32_MAX;
  for (int i = 0; i < int(palette.size()); ++i) {
    const int dr = qRed(rgb) - qRed(palette[i]);
    const int dg = qGreen(rgb) - qGreen(palette[i]);
    const int db = qBlue(rgb) - qBlue(palette[i]);
    const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

bool isTransparent(QRgb pixel) { return qAlpha(pixel) < 128; }

QRgb opaque(QRgb pixel) { return pixel | 0xff000000u; }

}  // namespace

QImage toIndexed(const QImage& image, int maxColours)
{
  const QImage src = straightAlpha(image);
  std::map<QRgb, long> counts;
  bool hasTransparent = false;
  for (int y = 0; y < src.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    for (int x = 0; x < src.width(); ++x) {
      if (isTransparent(line[x]))
        hasTransparent = true;
      else
        ++counts[opaque(line[x])];
    }
  }

  std::vector<QRgb> palette;
  if (int(counts.size()) <= maxColours) {
    for (const auto& [rgb, count] : counts) palette.push_back(rgb);
  } else {
    Box all;
    for (const auto& [rgb, count] : counts) all.push_back({rgb, count});
    palette = medianCut(std::move(all), maxColours);
  }

  std::map<QRgb, int> indexOf;
  for (const auto& [rgb, count] : counts) indexOf[rgb] = nearest(palette, rgb);

  QList<QRgb> table(palette.begin(), palette.end());
  const int clear = int(table.size());
  if (hasTransparent || table.isEmpty()) table.append(qRgba(0, 0, 0, 0));

  QImage out(src.size(), QImage::Format_Indexed8);
  out.setColorTable(table);
  for (int y = 0; y < src.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    uchar* dst = out.scanLine(y);
    for (int x = 0; x < src.width(); ++x) dst[x] = uchar(isTransparent(line[x]) ? clear : indexOf[opaque(line[x])]);
  }
  return out;
}

int transparentIndex(const QImage& indexed)
{
  const QList<QRgb> table = indexed.colorTable();
  for (int i = 0; i < int(table.size()); ++i) {
    if (qAlpha(table[i]) == 0) return i;
  }
  return -1;
}

}  // namespace korvel::cardgen
