// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "cardfiles/CardPictures.h"

#include <gif_lib.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_set>

#include "Identity.h"
#include "deck/Card.h"
#include "deck/PictureScale.h"

namespace korvel {

PictureError::PictureError(BadPicture bad) : std::runtime_error(bad.File + " : " + bad.Reason), bad_(std::move(bad)) {}

namespace {

constexpr const char* kMissing = MissingPictureReason;
constexpr const char* kUnreadable = "fichier illisible";
constexpr const char* kNotGif = "ce n'est pas une image GIF";
constexpr const char* kTooBig = "fichier trop volumineux";
constexpr const char* kBadSize = "dimensions invalides";
constexpr const char* kTruncated = "image incomplète";
constexpr const char* kCorrupt = "image endommagée";

[[noreturn]] void Fail(const std::string& path, const char* reason) { throw PictureError({path, reason}); }

const char* OpenFailure(int error) { return error == ENOENT || error == ENOTDIR ? kMissing : kUnreadable; }

bool SaneSize(int width, int height)
{
  return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide;
}

// Some writers leave the screen size at zero; the first frame then gives the picture its size.
bool SaneScreen(int width, int height) { return (width == 0 && height == 0) || SaneSize(width, height); }

// A card file opened for reading. The open never blocks (a FIFO in `cards/` would otherwise hold
// the start forever), and only a regular file within the size limit is read.
class CardFile {
 public:
  explicit CardFile(const std::string& path) : fd_(path)
  {
    struct stat st = {};
    if (::fstat(fd_.fd, &st) != 0 || !S_ISREG(st.st_mode)) Fail(path, kUnreadable);
    if (st.st_size > MaxPictureFileBytes) Fail(path, kTooBig);
  }

  // giflib's input: buffered, and never past the size limit, so a file that grows while it is read
  // costs no more than one of the limit's size. Memory stays at the buffer whatever the file holds.
  static int Read(GifFileType* gif, GifByteType* out, int wanted)
  {
    auto* file = static_cast<CardFile*>(gif->UserData);
    int given = 0;
    while (given < wanted) {
      if (file->pos_ == file->end_ && !file->Refill()) {
        file->ranShort_ = true;
        break;
      }
      const std::size_t n = std::min(static_cast<std::size_t>(wanted - given), file->end_ - file->pos_);
      std::memcpy(out + given, file->buffer_.data() + file->pos_, n);
      file->pos_ += n;
      given += static_cast<int>(n);
    }
    return given;
  }

  // The file's first bytes agree with a GIF signature as far as they go (giflib would call a short
  // file of any content cut short).
  bool StartsLikeGif()
  {
    if (pos_ == end_) Refill();
    const std::size_t n = std::min<std::size_t>(end_ - pos_, 6);
    const unsigned char* start = buffer_.data() + pos_;
    return std::memcmp(start, "GIF87a", n) == 0 || std::memcmp(start, "GIF89a", n) == 0;
  }

  // Whether giflib ever asked for more than was there to give.
  bool RanShort() const { return ranShort_; }
  // Why giflib ran short: the file could not be read, or its bytes ended.
  const char* ShortReason() const { return readError_ ? kUnreadable : kTruncated; }
  // Every byte has been read, and nothing went wrong reading them.
  bool Exhausted() const { return pos_ == end_ && ended_ && !readError_; }

 private:
  bool Refill()
  {
    const std::size_t room = static_cast<std::size_t>(MaxPictureFileBytes) - total_;
    for (;;) {
      if (room == 0) return false;
      const ssize_t n = ::read(fd_.fd, buffer_.data(), std::min(buffer_.size(), room));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) readError_ = true;
      if (n == 0) ended_ = true;
      if (n <= 0) return false;
      pos_ = 0;
      end_ = static_cast<std::size_t>(n);
      total_ += end_;
      return true;
    }
  }

  struct Descriptor {
    explicit Descriptor(const std::string& path) : fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))
    {
      if (fd < 0) Fail(path, OpenFailure(errno));
    }
    ~Descriptor() { ::close(fd); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd;
  };

  Descriptor fd_;
  std::array<unsigned char, 16 * 1024> buffer_;
  std::size_t pos_ = 0, end_ = 0, total_ = 0;
  bool readError_ = false;
  bool ended_ = false;
  bool ranShort_ = false;
};

struct GifCloser {
  void operator()(GifFileType* gif) const
  {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

// The first frame's pixels as colour indices, with its own copy of the palette: giflib frees a
// frame's local colour table as soon as it reads the next frame's descriptor.
struct Frame0 {
  int screenWidth = 0, screenHeight = 0;  // the picture's size
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<GifPixelType> pixels;
  std::vector<QRgb> palette;
  int transparent = -1;
};

// A GIF image's LZW data, decoded block by block as giflib hands the blocks over. Every string in the
// table is a string already written followed by one more byte, so each code is copied from where its
// string was last written rather than walked back link by link.
class LzwDecoder {
 public:
  LzwDecoder(int minimumCodeSize, std::size_t pixels)
      : valid_(minimumCodeSize >= 1 && minimumCodeSize <= 8),
        clear_(valid_ ? 1u << minimumCodeSize : 0),
        firstWidth_(static_cast<unsigned>(minimumCodeSize) + 1),
        count_(pixels),
        // A string is at most 4096 long: room past the end lets the last one be written whole.
        out_(pixels + kMaxCodes)
  {
    Clear();
  }

  bool Valid() const { return valid_; }
  // Every pixel has its colour; what comes after (the end code, padding) is not looked at.
  bool Complete() const { return written_ >= count_; }

  // Decodes a block of compressed bytes; false where the data makes no sense.
  bool Feed(const GifByteType* bytes, std::size_t n)
  {
    for (std::size_t i = 0; i < n && !done_; ++i) {
      bits_ |= static_cast<std::uint32_t>(bytes[i]) << held_;
      held_ += 8;
      while (held_ >= width_ && !done_) {
        const unsigned code = bits_ & ((1u << width_) - 1);
        bits_ >>= width_;
        held_ -= width_;
        if (!Code(code)) return false;
      }
    }
    return true;
  }

  std::vector<GifPixelType> Take()
  {
    out_.resize(count_);
    return std::move(out_);
  }

 private:
  static constexpr unsigned kMaxCodes = 4096;

  void Clear()
  {
    width_ = firstWidth_;
    next_ = clear_ + 2;
    previousLength_ = 0;
  }

  bool Code(unsigned code)
  {
    if (code == clear_) {
      Clear();
      return true;
    }
    if (code == clear_ + 1) {
      done_ = true;
      return true;
    }
    GifPixelType* at = out_.data() + written_;
    const std::size_t previousStart = written_ - previousLength_;
    std::size_t length = 1;
    if (code < clear_) {
      *at = static_cast<GifPixelType>(code);
    } else if (previousLength_ == 0) {
      return false;  // the first code after a clear can only be a colour
    } else if (code < next_) {
      length = length_[code];
      std::memcpy(at, out_.data() + start_[code], length);
    } else if (code == next_) {
      // The string being defined: the previous one, just written, and its own first byte again.
      length = previousLength_ + 1;
      std::memcpy(at, out_.data() + previousStart, previousLength_);
      at[previousLength_] = out_[previousStart];
    } else {
      return false;
    }
    // The previous string and this one's first byte: both lie at the previous string's place.
    if (previousLength_ != 0 && next_ < kMaxCodes) {
      start_[next_] = static_cast<std::uint32_t>(previousStart);
      length_[next_] = static_cast<std::uint16_t>(previousLength_ + 1);
      ++next_;
    }
    // Codes widen once the next one to define no longer fits; with a one-bit code size that is
    // already so after the first code.
    if (next_ >= (1u << width_) && width_ < 12) ++width_;
    written_ += length;
    previousLength_ = length;
    if (written_ >= count_) done_ = true;
    return true;
  }

  bool valid_;
  unsigned clear_;
  unsigned firstWidth_;
  std::size_t count_;
  std::vector<GifPixelType> out_;
  std::size_t written_ = 0;
  bool done_ = false;
  std::uint32_t bits_ = 0;
  unsigned held_ = 0;
  unsigned width_ = 0, next_ = 0;
  std::size_t previousLength_ = 0;  // 0 before the first code and after a clear
  std::array<std::uint32_t, kMaxCodes> start_{};
  std::array<std::uint16_t, kMaxCodes> length_{};
};

class GifReader {
 public:
  explicit GifReader(const std::string& path) : path_(path), file_(path)
  {
    if (!file_.StartsLikeGif()) Fail(kNotGif);
    int error = 0;
    gif_.reset(DGifOpen(&file_, &CardFile::Read, &error));
    if (!gif_) Fail(error == D_GIF_ERR_NOT_GIF_FILE ? kNotGif : file_.ShortReason());
    if (!SaneScreen(gif_->SWidth, gif_->SHeight)) Fail(kBadSize);
  }

  // Reads the whole file: the first frame decoded, every later frame and extension checked to be
  // complete up to the trailer.
  Frame0 FirstFrame()
  {
    Frame0 frame;
    bool haveFrame = false;
    int pendingTransparent = -1;
    for (;;) {
      GifRecordType type = UNDEFINED_RECORD_TYPE;
      if (DGifGetRecordType(gif_.get(), &type) == GIF_ERROR) {
        // The data is all there and only the trailer byte is missing: common viewers show such a
        // file, and so does the game.
        if (haveFrame && file_.Exhausted()) break;
        Fail(Failure());
      }
      if (type == TERMINATE_RECORD_TYPE) break;
      if (type == IMAGE_DESC_RECORD_TYPE) {
        ReadDescriptor();
        if (haveFrame) {
          SkipPixels();
          continue;
        }
        Start(frame, pendingTransparent);
        ReadPixels(frame);
        haveFrame = true;
      } else if (type == EXTENSION_RECORD_TYPE) {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif_.get(), &code, &block) == GIF_ERROR) Fail(Failure());
        if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4 && !haveFrame)
          pendingTransparent = (block[1] & 0x01) != 0 ? block[4] : -1;
        while (block != nullptr)
          if (DGifGetExtensionNext(gif_.get(), &block) == GIF_ERROR) Fail(Failure());
      } else {
        Fail(kCorrupt);
      }
    }
    if (!haveFrame) Fail(kCorrupt);
    // A screen left at 0 x 0 takes the size of what the first frame covers.
    const bool noScreen = gif_->SWidth == 0;
    frame.screenWidth = noScreen ? frame.left + frame.width : gif_->SWidth;
    frame.screenHeight = noScreen ? frame.top + frame.height : gif_->SHeight;
    return frame;
  }

 private:
  [[noreturn]] void Fail(const char* reason) const { korvel::Fail(path_, reason); }

  // Why giflib stopped: bytes that ran short, or data that makes no sense (codes the compressed
  // image cannot hold, a record of no known kind). giflib also calls an impossible code size a
  // failed read, though every byte was there.
  const char* Failure() const
  {
    return gif_->Error == D_GIF_ERR_READ_FAILED && file_.RanShort() ? file_.ShortReason() : kCorrupt;
  }

  void ReadDescriptor()
  {
    if (DGifGetImageDesc(gif_.get()) == GIF_ERROR) Fail(Failure());
    // giflib keeps a record of every frame it has seen, colour table included; only the current
    // one matters here, so a file of many frames costs no more memory than a file of one.
    GifFreeSavedImages(gif_.get());
    gif_->ImageCount = 0;
    const GifImageDesc& desc = gif_->Image;
    if (!SaneSize(desc.Width, desc.Height)) Fail(kBadSize);
    if (gif_->SWidth == 0 && !SaneSize(desc.Left + desc.Width, desc.Top + desc.Height)) Fail(kBadSize);
  }

  void Start(Frame0& frame, int transparent) const
  {
    const GifImageDesc& desc = gif_->Image;
    frame.left = desc.Left;
    frame.top = desc.Top;
    frame.width = desc.Width;
    frame.height = desc.Height;
    frame.transparent = transparent;
    const ColorMapObject* colours = desc.ColorMap != nullptr ? desc.ColorMap : gif_->SColorMap;
    if (colours == nullptr) Fail(kCorrupt);
    for (int i = 0; i < colours->ColorCount; ++i) {
      const GifColorType& c = colours->Colors[i];
      frame.palette.push_back(qRgb(c.Red, c.Green, c.Blue));
    }
  }

  // giflib's own decoder walks each code's whole chain back for every code it reads, and took most
  // of the start-up's card check: the compressed blocks are read through giflib and decoded here.
  void ReadPixels(Frame0& frame) const
  {
    const std::size_t count = static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height);
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif_.get(), &codeSize, &block) == GIF_ERROR) Fail(Failure());
    LzwDecoder lzw(codeSize, count);
    if (!lzw.Valid()) Fail(kCorrupt);
    while (block != nullptr) {
      if (!lzw.Feed(block + 1, block[0])) Fail(kCorrupt);
      if (DGifGetCodeNext(gif_.get(), &block) == GIF_ERROR) Fail(Failure());
    }
    // The blocks ended, or the end code came, before every pixel had its colour.
    if (!lzw.Complete()) Fail(kCorrupt);
    std::vector<GifPixelType> pixels = lzw.Take();
    if (!gif_->Image.Interlace) {
      frame.pixels = std::move(pixels);
      return;
    }
    // Interlaced rows come in four passes: every 8th row from 0, every 8th from 4, every 4th from 2,
    // every 2nd from 1.
    frame.pixels.resize(count);
    constexpr int start[] = {0, 4, 2, 1};
    constexpr int step[] = {8, 8, 4, 2};
    const GifPixelType* in = pixels.data();
    for (int pass = 0; pass < 4; ++pass)
      for (int row = start[pass]; row < frame.height; row += step[pass], in += frame.width)
        std::memcpy(frame.pixels.data() + static_cast<std::size_t>(row) * frame.width, in, frame.width);
  }

  // Later frames only have to be complete: their data is read, not decoded.
  void SkipPixels() const
  {
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif_.get(), &codeSize, &block) == GIF_ERROR) Fail(Failure());
    while (block != nullptr)
      if (DGifGetCodeNext(gif_.get(), &block) == GIF_ERROR) Fail(Failure());
  }

  const std::string& path_;
  CardFile file_;
  std::unique_ptr<GifFileType, GifCloser> gif_;
};

// The frame's colour indices turned into premultiplied ARGB pixels, transparent where it has none.
QImage ToPicture(const Frame0& frame, const std::string& path)
{
  QImage image(frame.screenWidth, frame.screenHeight, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) Fail(path, kTooBig);
  // Every index's pixel, worked out once: opaque palette colours, transparent for the transparent
  // index and for indices past the palette.
  std::array<QRgb, 256> pixel{};
  for (std::size_t i = 0; i < frame.palette.size() && i < pixel.size(); ++i)
    if (static_cast<int>(i) != frame.transparent) pixel[i] = frame.palette[i];
  const int x1 = std::min(frame.left + frame.width, frame.screenWidth);
  const int y1 = std::min(frame.top + frame.height, frame.screenHeight);
  // Only a frame that leaves part of the picture uncovered needs the rest made transparent.
  if (frame.left > 0 || frame.top > 0 || x1 < frame.screenWidth || y1 < frame.screenHeight) image.fill(Qt::transparent);
  for (int y = frame.top; y < y1; ++y) {
    QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y)) + frame.left;
    const GifPixelType* src = frame.pixels.data() + static_cast<std::size_t>(y - frame.top) * frame.width;
    for (int x = 0; x < x1 - frame.left; ++x) out[x] = pixel[src[x]];
  }
  return image;
}

}  // namespace

QImage LoadCardPicture(const std::string& path) { return ToPicture(GifReader(path).FirstFrame(), path); }

namespace {

// Twice-size files already found bad in this run; pictures may be read on two threads at once.
std::mutex badTwiceSizeLock;
std::unordered_set<std::string>& BadTwiceSizeFiles()
{
  static std::unordered_set<std::string> bad;
  return bad;
}

bool KnownBadTwiceSize(const std::string& path)
{
  const std::lock_guard<std::mutex> hold(badTwiceSizeLock);
  return BadTwiceSizeFiles().contains(path);
}

void ReportBadTwiceSize(const std::string& path, const std::string& reason)
{
  const std::lock_guard<std::mutex> hold(badTwiceSizeLock);
  if (!BadTwiceSizeFiles().insert(path).second) return;
  std::fprintf(stderr, "%s : %s : %s ; l'image normale est utilisée à sa place.\n", ProductName, path.c_str(),
               reason.c_str());
}

}  // namespace

QImage LoadCardPictureAt(const std::string& path, int scale, QImage read)
{
  // The normal file keeps its every check, and gives the size the twice-size one must have.
  QImage picture = read.isNull() ? LoadCardPicture(path) : std::move(read);
  if (scale < 2) return picture;
  const std::string twicePath = TwiceSizePath(path);
  if (KnownBadTwiceSize(twicePath)) return picture;
  try {
    QImage twice = LoadCardPicture(twicePath);
    if (twice.size() != picture.size() * 2) {
      ReportBadTwiceSize(twicePath, "dimensions invalides (" + std::to_string(picture.width() * 2) + " x " +
                                        std::to_string(picture.height() * 2) + " attendues)");
      return picture;
    }
    twice.setDevicePixelRatio(2);
    return twice;
  } catch (const PictureError& error) {
    if (error.Bad().Reason != MissingPictureReason) ReportBadTwiceSize(twicePath, error.Bad().Reason);
    return picture;
  }
}

std::optional<BadPicture> CheckCardPicture(const std::string& path)
{
  try {
    GifReader(path).FirstFrame();  // what can fail; colouring only turns its indices into pixels
  } catch (const PictureError& error) {
    return error.Bad();
  }
  return std::nullopt;
}

struct StartUpCardReads::Decoded {
  Frame0 frame;
};

StartUpCardReads::StartUpCardReads() = default;
StartUpCardReads::~StartUpCardReads() = default;
StartUpCardReads::StartUpCardReads(StartUpCardReads&&) noexcept = default;
StartUpCardReads& StartUpCardReads::operator=(StartUpCardReads&&) noexcept = default;

QImage StartUpCardReads::Take(const std::string& path)
{
  const auto it = decoded_.find(path);
  if (it == decoded_.end()) return {};
  const std::unique_ptr<Decoded> decoded = std::move(it->second);
  decoded_.erase(it);
  return ToPicture(decoded->frame, path);
}

StartUpCardReads ReadCardFiles(std::string_view programFolder)
{
  StartUpCardReads reads;
  reads.folder_ = std::string(programFolder);
  std::string path(programFolder);
  path += "/cards/";
  const std::size_t folderLength = path.size();
  for (const std::string& name : CardPictureNames()) {
    path.resize(folderLength);
    path += name;
    try {
      auto decoded = std::make_unique<StartUpCardReads::Decoded>();
      decoded->frame = GifReader(path).FirstFrame();
      reads.decoded_.emplace(path, std::move(decoded));
    } catch (const PictureError& error) {
      reads.bad_.push_back(error.Bad());
    }
  }
  return reads;
}

std::string PictureErrorText(const std::vector<BadPicture>& bad)
{
  // A missing folder makes all 53 files bad: name a dozen, count the rest.
  constexpr std::size_t kListed = 12;
  std::string text = bad.size() == 1 ? "Impossible de lire l'image de carte suivante :\n\n"
                                     : "Impossible de lire les images de cartes suivantes :\n\n";
  for (std::size_t i = 0; i < bad.size() && i < kListed; ++i) text += bad[i].File + " : " + bad[i].Reason + "\n";
  if (const std::size_t more = bad.size() > kListed ? bad.size() - kListed : 0; more > 0)
    text += "... et " + std::to_string(more) + (more == 1 ? " autre fichier.\n" : " autres fichiers.\n");
  text += "\nLe jeu ";
  text += ProductName;
  text += " doit se fermer.";
  return text;
}

}  // namespace korvel
