#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/ImageContext.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace charting;
using platform::Rect;

TEST(ImageContext, BitmapHasTheScaledPixelSizeAndTheImageThePointSize) {
    const ImageContextHandle h = NSUIBeginImageContext(false, 100, 50, 2);
    ASSERT_NE(h, 0u);
    GraphicsContext* g = NSUIImageContextGraphics(h);
    ASSERT_NE(g, nullptr);
    g->setFillColor(Qt::red);
    g->fillRect(Rect(0, 0, 10, 10)); // points: 20 x 20 pixels
    std::optional<QImage> image = NSUIImageFromCurrentImageContext(h);
    NSUIEndImageContext(h);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), QSize(200, 100));
    EXPECT_EQ(image->deviceIndependentSize(), QSizeF(100, 50));
    EXPECT_EQ(image->pixelColor(19, 19), QColor(Qt::red));
    EXPECT_EQ(image->pixelColor(21, 5).alpha(), 0);
    EXPECT_EQ(NSUIOpenImageContextCount(), 0);
}

TEST(ImageContext, AContextThatDidNotOpenNeverActsOnTheEnclosingOne) {
    NSUIEndImageContext(0); // nothing open: nothing happens
    const ImageContextHandle outer = NSUIBeginImageContext(true, 20, 20, 1);
    ASSERT_NE(outer, 0u);
    const ImageContextHandle failed = NSUIBeginImageContext(false, 0.4, 20, 1);
    EXPECT_EQ(failed, 0u);
    EXPECT_FALSE(NSUIImageFromCurrentImageContext(failed));
    EXPECT_EQ(NSUIImageContextGraphics(failed), nullptr);
    NSUIEndImageContext(failed);
    EXPECT_EQ(NSUIOpenImageContextCount(), 1); // the outer one is still open
    EXPECT_TRUE(NSUIImageFromCurrentImageContext(outer));

    // Nested contexts close independently, and a handle acts once.
    const ImageContextHandle inner = NSUIBeginImageContext(false, 5, 5, 1);
    NSUIEndImageContext(inner);
    NSUIEndImageContext(inner);
    EXPECT_EQ(NSUIOpenImageContextCount(), 1);
    NSUIEndImageContext(outer);
    EXPECT_EQ(NSUIOpenImageContextCount(), 0);
    EXPECT_FALSE(NSUIImageFromCurrentImageContext(outer));
}

TEST(ImageContext, ScaleZeroTakesTheMainScreensScale) {
    const ImageContextHandle h = NSUIBeginImageContext(false, 100, 50, 0);
    std::optional<QImage> image = NSUIImageFromCurrentImageContext(h);
    NSUIEndImageContext(h);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), int(100 * mainScreenScale()));
    EXPECT_EQ(image->deviceIndependentSize(), QSizeF(100, 50));
}

TEST(ImageExport, PngAndJpegReadBack) {
    ASSERT_TRUE(QImageWriter::supportedImageFormats().contains("jpeg"));
    const ImageContextHandle h = NSUIBeginImageContext(true, 40, 30, 1);
    GraphicsContext* g = NSUIImageContextGraphics(h);
    g->setFillColor(QColor(0, 0, 255));
    g->fillRect(Rect(0, 0, 40, 30));
    g->setFillColor(QColor(255, 0, 0));
    g->fillRect(Rect(0, 0, 20, 30));
    QImage image = *NSUIImageFromCurrentImageContext(h);
    NSUIEndImageContext(h);

    std::optional<QByteArray> png = NSUIImagePNGData(image);
    ASSERT_TRUE(png);
    QImage fromPng = QImage::fromData(*png, "PNG");
    EXPECT_EQ(fromPng.size(), QSize(40, 30));
    EXPECT_EQ(fromPng.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(fromPng.pixelColor(35, 5), QColor(0, 0, 255));

    std::optional<QByteArray> best = NSUIImageJPEGData(image, 1.0);
    std::optional<QByteArray> worst = NSUIImageJPEGData(image, 0.0);
    ASSERT_TRUE(best && worst);
    EXPECT_LT(worst->size(), best->size());
    QImage fromJpeg = QImage::fromData(*best, "JPEG");
    EXPECT_EQ(fromJpeg.size(), QSize(40, 30));
    EXPECT_GT(fromJpeg.pixelColor(5, 5).red(), 240);
    EXPECT_LT(fromJpeg.pixelColor(5, 5).blue(), 15);

    EXPECT_FALSE(NSUIImagePNGData(QImage()));
    EXPECT_FALSE(NSUIImageJPEGData(QImage(), 0.5));

    QTemporaryDir dir;
    const QString path = dir.filePath("chart.png");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    ASSERT_TRUE(writeDataAtomically(*png, path));
    EXPECT_EQ(QImage(path).pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"chart.png"});
    EXPECT_FALSE(writeDataAtomically(*png, dir.filePath("missing/chart.png")));
}
