#include "Charting/utils/ChartUtils.h"

#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/ImageContext.h"
#include "Charting/utils/TextMeasurer.h"

#include <QCache>

#include <cmath>

namespace charting {

using platform::Point;
using platform::Rect;
using platform::Size;

double roundToNextSignificant(double value) {
    if (value == 0.0 || !std::isfinite(value))
        return value;
    const int d = static_cast<int>(std::ceil(std::log10(std::abs(value))));
    const double magnitude = std::pow(10.0, 1 - d);
    // Below about 1e-307 the scale factor itself overflows: nothing significant is left.
    if (!std::isfinite(magnitude))
        return 0.0;
    const double shifted = std::round(value * magnitude);
    return shifted / magnitude;
}

int decimalPlacesForValue(double value) {
    if (value == 0.0 || !std::isfinite(value))
        return 0;
    // A negative value slipped in by a caller counts by its magnitude (its logarithm would be
    // no number, and turning that into an integer is undefined).
    const double r = roundToNextSignificant(std::abs(value));
    if (r == 0.0 || !std::isfinite(r))
        return 0;
    return static_cast<int>(std::ceil(-std::log10(r))) + 2;
}

long long checkedIndex(double value, long long lowest, long long highest) {
    if (highest < lowest)
        highest = lowest;
    if (std::isnan(value) || value <= static_cast<double>(lowest))
        return lowest;
    if (value >= static_cast<double>(highest))
        return highest;
    return static_cast<long long>(value);
}

void setLineDash(GraphicsContext& context, double phase,
                 const std::optional<std::vector<double>>& lengths) {
    if (lengths)
        context.setLineDash(phase, *lengths);
    else
        context.setLineDash(0, {});
}

// ---- text and image drawing ----

namespace {
// The point moved so that the anchor of a w x h box rotated by the angle lies on it; the box is
// then drawn centred on the returned point.
Point rotatedAnchorPoint(Point point, double w, double h, Point anchor, double angleRadians) {
    if (anchor.x == 0.5 && anchor.y == 0.5)
        return point;
    const double s = std::sin(angleRadians), c = std::cos(angleRadians);
    point.x -= (std::abs(h * s) + std::abs(w * c)) * (anchor.x - 0.5);
    point.y -= (std::abs(h * c) + std::abs(w * s)) * (anchor.y - 0.5);
    return point;
}
} // namespace

void drawTextAnchored(GraphicsContext& context, const QString& text, Point point,
                      const TextAttributes& attributes, Point anchor, double angleRadians) {
    context.saveGState();
    if (angleRadians != 0.0) {
        const Size size = textMeasurer().size(text, attributes);
        const double w = size.width, h = size.height;
        point = rotatedAnchorPoint(point, w, h, anchor, angleRadians);
        context.saveGState();
        context.translateBy(point.x, point.y);
        context.rotateBy(angleRadians);
        context.drawText(text, Point{-w / 2, -h / 2}, attributes);
        context.restoreGState();
    } else {
        if (anchor.x != 0.0 || anchor.y != 0.0) {
            const Size size = textMeasurer().size(text, attributes);
            point.x -= size.width * anchor.x;
            point.y -= size.height * anchor.y;
        }
        context.drawText(text, point, attributes);
    }
    context.restoreGState();
}

void drawTextAligned(GraphicsContext& context, const QString& text, Point point,
                     TextAlignment align, const TextAttributes& attributes, Point anchor,
                     double angleRadians) {
    if (align == TextAlignment::right || align == TextAlignment::center) {
        const double w = textMeasurer().size(text, attributes).width;
        point.x -= align == TextAlignment::right ? w : w / 2;
    }
    if (angleRadians != 0.0) {
        drawTextAnchored(context, text, point, attributes, anchor, angleRadians);
        return;
    }
    context.saveGState();
    context.drawText(text, point, attributes);
    context.restoreGState();
}

void drawMultilineText(GraphicsContext& context, const QString& text, Point point,
                       const TextAttributes& attributes, Size constrainedSize, Point anchor,
                       double angleRadians) {
    const double w = constrainedSize.width, h = constrainedSize.height;
    context.saveGState();
    if (angleRadians != 0.0) {
        point = rotatedAnchorPoint(point, w, h, anchor, angleRadians);
        context.saveGState();
        context.translateBy(point.x, point.y);
        context.rotateBy(angleRadians);
        context.drawText(text, Rect(-w / 2, -h / 2, w, h), attributes);
        context.restoreGState();
    } else {
        if (anchor.x != 0.0 || anchor.y != 0.0) {
            point.x -= anchor.x * w;
            point.y -= anchor.y * h;
        }
        context.drawText(text, Rect(point.x, point.y, w, h), attributes);
    }
    context.restoreGState();
}

namespace {
// Resized copies, by the image's identity and "resized_<w>_<h>".
QCache<QString, QImage>& resizedCopies() {
    static QCache<QString, QImage> cache(256);
    return cache;
}

QString resizedKey(const QImage& image, Size size) {
    return QString::number(image.cacheKey()) + QStringLiteral("/resized_") +
           QString::number(size.width) + QStringLiteral("_") + QString::number(size.height);
}
} // namespace

bool hasResizedImageCopy(const QImage& image, Size size) {
    return resizedCopies().contains(resizedKey(image, size));
}

void drawImageCentred(GraphicsContext& context, const QImage& image, Point point, Size size) {
    const Rect box(point.x - size.width / 2, point.y - size.height / 2, size.width, size.height);
    const QSizeF own = image.deviceIndependentSize();
    context.saveGState();
    if (own.width() == size.width && own.height() == size.height) {
        context.drawImage(image, box);
    } else {
        const QString key = resizedKey(image, size);
        QImage* copy = resizedCopies().object(key);
        if (!copy) {
            const ImageContextHandle h = NSUIBeginImageContext(false, size.width, size.height, 0);
            if (GraphicsContext* g = NSUIImageContextGraphics(h))
                g->drawImage(image, Rect(0, 0, size.width, size.height));
            std::optional<QImage> made = NSUIImageFromCurrentImageContext(h);
            NSUIEndImageContext(h);
            if (made) {
                copy = new QImage(*made);
                resizedCopies().insert(key, copy);
            }
        }
        if (copy)
            context.drawImage(*copy, box);
    }
    context.restoreGState();
}

} // namespace charting
