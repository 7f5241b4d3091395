#include <gtest/gtest.h>

#include "report/gifimage.h"

using namespace velmo;

// The report's pictures are compiled into the program: each must load at the pixel
// size the page layout stretches it from.
TEST(Artwork, EveryEmbeddedPictureLoadsAtItsSize) {
    struct Case { const char* name; int w, h; };
    const Case cases[] = {{"Orvane_LOGO2", 953, 63}, {"Orvane_FOOTER", 2250, 150},
                          {"SIDE_MOUNT", 574, 841},  {"TOP_MOUNT", 583, 850},
                          {"ANALYSIS", 1128, 2358},  {"FMANALYSIS", 236, 662}};
    for (const auto& c : cases) {
        QImage img = LoadGifResource(c.name);
        ASSERT_FALSE(img.isNull()) << c.name;
        EXPECT_EQ(c.w, img.width()) << c.name;
        EXPECT_EQ(c.h, img.height()) << c.name;
    }
    EXPECT_TRUE(LoadGifResource("NO_SUCH_PICTURE").isNull());
}
