#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>

namespace charting {

class GraphicsContext;

// Off-screen drawing into a bitmap, nested like the platform's image contexts. Opening one
// returns its handle (0 when it could not be opened: a pixel width or height below 1); taking
// the picture and closing act only on the context that handle opened, never on an enclosing one.
using ImageContextHandle = std::uint64_t;

// The main screen's backing scale, or 1 without a screen.
double mainScreenScale();

// Opens a bitmap of (width x scale) x (height x scale) pixels (scale 0: the main screen's) in
// which one unit is one point; y grows downwards. Not opaque: it starts transparent.
ImageContextHandle NSUIBeginImageContext(bool opaque, double width, double height, double scale);
// The graphics context to draw into, or nullptr when the handle is not open.
GraphicsContext* NSUIImageContextGraphics(ImageContextHandle handle);
// The picture drawn so far, its size in points the pixel size divided by the scale.
std::optional<QImage> NSUIImageFromCurrentImageContext(ImageContextHandle handle);
void NSUIEndImageContext(ImageContextHandle handle);
// Number of contexts open now.
int NSUIOpenImageContextCount();

// PNG or JPEG (quality 0...1) encodings of an image; none for a null image or a failed encoding.
std::optional<QByteArray> NSUIImagePNGData(const QImage& image);
std::optional<QByteArray> NSUIImageJPEGData(const QImage& image, double compressionQuality);

// Writes the data to the file through a temporary file that replaces it only when complete.
bool writeDataAtomically(const QByteArray& data, const QString& path);

} // namespace charting
