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
    } rows[] = {
        {"folder", FolderPicture(), 16}, {"door", DoorPicture(), 16}, {"program icon", ProgramIcon(), 32}};
    for (const auto& row : rows) {
        const QSize size(row.size, row.size);
        const QImage once = row.picture.pixmap(size, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage twice = row.picture.pixmap(size, 2.0).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(once.size(), size) << row.name;
        EXPECT_EQ(twice.size(), size * 2) << row.name;
        EXPECT_NE(twice, once.scaled(twice.size())) << row.name << ": every pixel repeated 2 x 2";
    }
}

} // namespace
} // namespace netedit::testing
