// The status text over a volume diagram: time, frequency, and the cell under the pointer in
// decibels.
#include "shell/volume_position_text.h"

#include <gtest/gtest.h>

namespace kalvora {
namespace {

class VolumePositionTextTest : public ::testing::Test {
  protected:
    VolumePositionTextTest() {
        geometry_.SetClient({0, 0, 100, 101});
        geometry_.SetSampleCount(1000);
        for (std::int32_t x = 0; x < 10; ++x)
            for (std::int32_t y = 0; y < 10; ++y)
                single_->SetVolume(x, y, 0.001f);  // -60 dB, stored in single precision
        single_->SetVolume(5, 9, 0.5f);
        single_->SetVolume(6, 9, 0.0f);
        single_->SetFilled(10);
    }

    std::string At(int x, int y) const {
        return VolumePositionText(geometry_, 1000, TVolumeArrays{1, single_.get()}, settings_, 1000,
                                  x, y);
    }

    TWaveViewGeometry geometry_;
    TVoldViewProps settings_;
    std::unique_ptr<TVolumeArray> single_ = TVolumeArray::Create(10, 10);
};

TEST_F(VolumePositionTextTest, CellsAreShownInDecibels) {
    // Bottom row, first column: 20 Hz at the bottom edge.
    EXPECT_EQ(At(5, 100), "(0.05000 s, 20.00 Hz ): -60 dB");
    // Half a factor is 20·log10(0.5) = -6.0206 dB, cut to three decimals.
    EXPECT_EQ(At(55, 100), "(0.55000 s, 20.00 Hz ): -6.02 dB");
    EXPECT_EQ(At(65, 100), "(0.65000 s, 20.00 Hz ): 0");  // silence
}

TEST_F(VolumePositionTextTest, ColumnsNotYetComputedAddNoValue) {
    single_->SetFilled(3);
    EXPECT_EQ(At(55, 100), "(0.55000 s, 20.00 Hz )");
}

}  // namespace
}  // namespace kalvora
