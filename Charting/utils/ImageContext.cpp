#include "Charting/utils/ImageContext.h"

#include "Charting/utils/QPainterGraphicsContext.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace charting {
namespace {

struct OpenContext {
    ImageContextHandle handle = 0;
    double scale = 1;
    QImage image;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<QPainterGraphicsContext> context;
};

// The open contexts, innermost last (main thread only).
std::vector<std::unique_ptr<OpenContext>>& openContexts() {
    static std::vector<std::unique_ptr<OpenContext>> stack;
    return stack;
}

OpenContext* find(ImageContextHandle handle) {
    if (handle == 0)
        return nullptr;
    for (auto& c : openContexts())
        if (c->handle == handle)
            return c.get();
    return nullptr;
}

std::optional<QByteArray> encode(const QImage& image, const char* format, int quality) {
    if (image.isNull())
        return std::nullopt;
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (!writer.write(image))
        return std::nullopt;
    return data;
}

} // namespace

double mainScreenScale() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        if (QScreen* screen = QGuiApplication::primaryScreen())
            return screen->devicePixelRatio();
    return 1.0;
}

ImageContextHandle NSUIBeginImageContext(bool opaque, double width, double height, double scale) {
    static ImageContextHandle nextHandle = 1;
    if (scale == 0)
        scale = mainScreenScale();
    const double pw = std::trunc(width * scale), ph = std::trunc(height * scale);
    if (!(pw >= 1) || !(ph >= 1) || pw > 32767 || ph > 32767)
        return 0;
    auto c = std::make_unique<OpenContext>();
    c->image = QImage(int(pw), int(ph),
                      opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    if (c->image.isNull())
        return 0;
    c->image.fill(0);
    c->image.setDevicePixelRatio(scale);
    c->scale = scale;
    c->painter = std::make_unique<QPainter>(&c->image);
    c->context = std::make_unique<QPainterGraphicsContext>(*c->painter);
    c->handle = nextHandle++;
    const ImageContextHandle handle = c->handle;
    openContexts().push_back(std::move(c));
    return handle;
}

GraphicsContext* NSUIImageContextGraphics(ImageContextHandle handle) {
    OpenContext* c = find(handle);
    return c ? c->context.get() : nullptr;
}

std::optional<QImage> NSUIImageFromCurrentImageContext(ImageContextHandle handle) {
    OpenContext* c = find(handle);
    if (!c)
        return std::nullopt;
    QImage copy = c->image.copy();
    copy.setDevicePixelRatio(c->scale);
    return copy;
}

void NSUIEndImageContext(ImageContextHandle handle) {
    auto& stack = openContexts();
    auto it = std::find_if(stack.begin(), stack.end(),
                           [&](const auto& c) { return handle != 0 && c->handle == handle; });
    if (it == stack.end())
        return;
    (*it)->context.reset();
    (*it)->painter->end();
    stack.erase(it);
}

int NSUIOpenImageContextCount() {
    return int(openContexts().size());
}

std::optional<QByteArray> NSUIImagePNGData(const QImage& image) {
    return encode(image, "png", -1);
}

std::optional<QByteArray> NSUIImageJPEGData(const QImage& image, double compressionQuality) {
    const int quality = int(std::lround(std::clamp(compressionQuality, 0.0, 1.0) * 100));
    return encode(image.convertToFormat(QImage::Format_RGB32), "jpeg", quality);
}

bool writeDataAtomically(const QByteArray& data, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace charting
