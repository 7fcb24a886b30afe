// Where the parts of the settings window are, in its pixels: the two
// sliders of the Windows dialog on the left, its preview frame on the
// right, OK and Cancel below the preview.
#pragma once

namespace settings_layout {

constexpr int kWidth = 560;
constexpr int kHeight = 300;

// The sliders' tracks: a value v of 0..100 puts the thumb's centre at
// kTrackLeft + v * kTrackWidth / 100.
constexpr int kTrackLeft = 32;
constexpr int kTrackWidth = 300;
constexpr int kPlantSizeTrackY = 70;
constexpr int kGrowthRateTrackY = 170;
constexpr int kThumbHalfWidth = 6;
constexpr int kThumbHalfHeight = 12;

// The preview pane: the size of the Windows dialog's preview.
constexpr int kPreviewLeft = 384;
constexpr int kPreviewTop = 44;
constexpr int kPreviewWidth = 152;
constexpr int kPreviewHeight = 112;

// Buttons: left, top, width, height.
constexpr int kButtonTop = 252;
constexpr int kButtonWidth = 76;
constexpr int kButtonHeight = 28;
constexpr int kOkLeft = 376;
constexpr int kCancelLeft = 468;

}  // namespace settings_layout
