// The drawing as a JPEG file, through libjpeg: full colour resolution
// (4:4:4, no chroma subsampling), so thin coloured wires stay sharp.
#pragma once

#include <QImage>
#include <optional>
#include <string>

namespace vemu::view {

inline constexpr int kJpegQuality = 100;

// The picture as JPEG bytes at the given quality (1 to 100); nothing for a
// null picture or when the encoder fails, with the reason in `error`.
std::optional<std::string> EncodeJpeg(const QImage& picture, int quality, std::string* error = nullptr);

// Encodes the picture and writes it to `path` through a temporary file in
// the same folder that replaces any file of that name only when complete:
// a failed export leaves no part of a picture behind. False with the
// reason in `error`.
bool WriteJpegFile(const QImage& picture, const std::string& path, int quality = kJpegQuality,
                   std::string* error = nullptr);

}  // namespace vemu::view
