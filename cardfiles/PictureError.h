// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Why a card file could not be read, as the player is told: the file and a French reason, one of
// those below.

#include <stdexcept>
#include <string>

namespace korvel {

// The reason given for a file that is not there (an optional picture may be absent).
inline constexpr const char* MissingPictureReason = "fichier introuvable";

namespace PictureReason {
inline constexpr const char* Missing = MissingPictureReason;
inline constexpr const char* Unreadable = "fichier illisible";
inline constexpr const char* NotGif = "ce n'est pas une image GIF";
inline constexpr const char* TooBig = "fichier trop volumineux";
inline constexpr const char* BadSize = "dimensions invalides";
inline constexpr const char* Truncated = "image incomplète";
inline constexpr const char* Corrupt = "image endommagée";
}  // namespace PictureReason

struct BadPicture {
  std::string File;
  std::string Reason;  // French, for the player
};

class PictureError : public std::runtime_error {
 public:
  explicit PictureError(BadPicture bad) : std::runtime_error(bad.File + " : " + bad.Reason), bad_(std::move(bad)) {}
  const BadPicture& Bad() const { return bad_; }

 private:
  BadPicture bad_;
};

[[noreturn]] inline void FailPicture(const std::string& path, const char* reason)
{
  throw PictureError({path, reason});
}

}  // namespace korvel
