#include "app/artwork.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace netedit::testing {
namespace {

// On a screen of scale 2 a picture is drawn at twice its pixels, not enlarged from its 1x bitmap.
TEST(Artwork, PicturesAreDrawnAtTheScreensResolution) {
    const struct {
        const char* name;
        QIcon picture;
        int size;
    } rows[] = {{"folder", PictureIcon(Picture::Folder), 16},
                {"door", PictureIcon(Picture::Door), 16},
                {"program icon", ProgramIcon(), 32}};
    for (const auto& row : rows) {
        const QSize size(row.size, row.size);
        const QImage once = row.picture.pixmap(size, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage twice = row.picture.pixmap(size, 2.0).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(once.size(), size) << row.name;
        EXPECT_EQ(twice.size(), size * 2) << row.name;
        EXPECT_NE(twice, once.scaled(twice.size())) << row.name << ": every pixel repeated 2 x 2";
    }
}

// Each shape in its colour where it stands, and a disabled picture greyed.
TEST(Artwork, ShapesStandInTheirColours) {
    const struct {
        const char* what;
        QIcon picture;
        int size;
        QPoint at;
        QColor colour;
    } rows[] = {
        // clang-format off
        {"folder back", PictureIcon(Picture::Folder), 16, {3, 5}, {230, 190, 40}},
        {"folder front", PictureIcon(Picture::Folder), 16, {8, 10}, {255, 225, 90}},
        {"doorway", PictureIcon(Picture::Door), 16, {11, 8}, {40, 40, 40}},
        {"door", PictureIcon(Picture::Door), 16, {5, 12}, {170, 110, 50}},
        {"icon, left", ProgramIcon(), 32, {1, 30}, {30, 40, 70}},
        {"icon, right", ProgramIcon(), 32, {30, 30}, {30, 40, 70}},
        {"icon, middle", ProgramIcon(), 32, {15, 30}, {210, 30, 30}},
        {"icon, bolt's left stroke", ProgramIcon(), 32, {4, 20}, {250, 210, 20}},
        {"icon, bolt's diagonal", ProgramIcon(), 32, {10, 18}, {250, 210, 20}},
        {"icon, bolt's right stroke", ProgramIcon(), 32, {13, 6}, {250, 210, 20}},
        // clang-format on
    };
    for (const auto& row : rows) {
        const QImage image = row.picture.pixmap(QSize(row.size, row.size), 1.0).toImage();
        EXPECT_EQ(image.pixelColor(row.at), row.colour) << row.what;
        EXPECT_NE(row.picture.pixmap(QSize(row.size, row.size), 1.0, QIcon::Disabled).toImage(), image)
            << row.what;
    }
}

} // namespace
} // namespace netedit::testing
