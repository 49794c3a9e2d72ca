#include "volume/volume_array.h"

#include <gtest/gtest.h>

namespace kalvora {
namespace {

TEST(VolumeArrayTest, StartsEmptyAndClampsCoordinatesOntoTheEdgeCells) {
    TVolumeArray array(4, 3);
    EXPECT_EQ(array.GetWidth(), 4);
    EXPECT_EQ(array.GetHeight(), 3);
    EXPECT_EQ(array.GetFilled(), 0);
    EXPECT_EQ(array.GetDrawn(), 0);
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(array.GetVolume(x, y), 0.0f);
    }
    array.SetVolume(4, 1, 0.5f);  // column W lands on W - 1
    EXPECT_EQ(array.GetVolume(3, 1), 0.5f);
    array.SetVolume(-7, 99, 0.25f);
    EXPECT_EQ(array.GetVolume(0, 2), 0.25f);
    EXPECT_EQ(array.GetVolume(-1, 5), 0.25f);
    EXPECT_EQ(array.GetVolume(1, 1), 0.0f);
}

TEST(VolumeArrayTest, ResolutionsAreCappedWithTheDialogsWords) {
    EXPECT_FALSE(VolumeResolutionProblem(500, 50));
    EXPECT_FALSE(VolumeResolutionProblem(65536, 2048));  // exactly 2^27 cells
    EXPECT_EQ(VolumeResolutionProblem(65537, 1),
              "In Horizontal Resolution: Value must be no more than 65536.");
    EXPECT_EQ(VolumeResolutionProblem(1, 65537),
              "In Vertical Resolution: Value must be no more than 65536.");
    EXPECT_EQ(VolumeResolutionProblem(65536, 2049),
              "In Vertical Resolution: Horizontal times Vertical Resolution must be no more "
              "than 134217728.");
    EXPECT_EQ(VolumeResolutionProblem(0, 5),
              "In Horizontal Resolution: Value must be positive and more than 0.");
    EXPECT_EQ(VolumeResolutionProblem(5, -1),
              "In Vertical Resolution: Value must be positive and more than 0.");
}

TEST(VolumeArrayDeathTest, ANegativeVolumeIsAProgrammingError) {
    TVolumeArray array(2, 2);
    EXPECT_DEATH(array.SetVolume(0, 0, -1.0f), "volume >= 0.0f");
}

}  // namespace
}  // namespace kalvora
