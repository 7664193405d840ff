// Where the main window's controls sit, in pixels of the 800 by 600 window.
// The background bitmaps are drawn to match these places.
#pragma once

#include <QRect>

namespace wl::Layout {

inline constexpr int kWidth = 800;
inline constexpr int kHeight = 600;

// Chrome, menu labels, toolbar and status line.
inline constexpr QRect sysTitleBar{0, 0, 728, 28};
inline constexpr QRect cbMin{730, 4, 22, 20};
inline constexpr QRect cbSize{752, 4, 22, 20};
inline constexpr QRect cbClose{774, 4, 22, 20};
inline constexpr QRect labMnu[4] = {
    {10, 32, 38, 18}, {52, 32, 38, 18}, {94, 32, 30, 18}, {130, 32, 38, 18}};
inline constexpr QRect ToolBarImage(int i) {
  return {8 + i * 80, 54, 76, 36};
}
inline constexpr QRect labStatus{10, 577, 780, 18};

// The page tree beside every page, and the page area.
inline constexpr QRect WLtree{9, 99, 194, 470};
inline constexpr QRect WLmainBG{210, 98, 582, 472};
inline constexpr QRect WLtextCont{211, 99, 580, 470};

// The orbital selector page. The lists are tall enough for the eight lines of
// an f subshell's m list (the average and m = -3 to 3) without scrolling.
inline constexpr QRect osListN{226, 132, 130, 120};
inline constexpr QRect osListL{370, 132, 190, 120};
inline constexpr QRect osListM{574, 132, 200, 120};
inline constexpr QRect osListOrbs{226, 282, 200, 24};
inline constexpr QRect osRadius{226, 348, 110, 24};
inline constexpr QRect osThreshold{370, 348, 110, 24};
inline constexpr QRect osViewMode[2] = {{226, 414, 124, 40}, {358, 414, 124, 40}};
inline constexpr QRect osCalc{574, 480, 200, 56};
// The nuclear charge with its element, and the real or complex form, right of
// the name box and the spin buttons.
inline constexpr QRect osCharge{574, 282, 90, 24};
inline constexpr QRect labChargeName{672, 282, 102, 24};
inline constexpr QRect osForm[2] = {{574, 348, 98, 24}, {676, 348, 98, 24}};
// Hybrids, under the view mode's notes: the set, its member and shell; the
// custom combination chosen is written in the free space above Calculate.
inline constexpr QRect osHybrid{226, 534, 130, 24};
inline constexpr QRect osHybridMember{370, 534, 86, 24};
inline constexpr QRect osHybridShell{466, 534, 86, 24};
inline constexpr QRect labCombination{574, 386, 200, 64};

// The orbital viewer page.
inline constexpr QRect eeMainView{214, 102, 375, 375};
inline constexpr QRect eeNanoView{600, 102, 128, 128};
inline constexpr QRect eeSwap{736, 102, 50, 60};
inline constexpr QRect eeMainMode[2] = {{736, 166, 50, 30}, {736, 200, 50, 30}};
inline constexpr QRect eeAxes{600, 240, 127, 127};
inline constexpr QRect eeTrackBall{733, 240, 56, 56};
inline constexpr QRect eeAutoRotate{600, 398, 92, 36};
inline constexpr QRect eeFurtherOptions{696, 398, 92, 36};
// Five 3D modes under the main view: Ortho, Perspective, Anaglyph, Volume, Surface.
inline constexpr int k3DModes = 5;
inline constexpr QRect ee3Dmodes(int i) {
  return {214 + i * 75, 484, 72, 36};
}
// The phase toggle, in the column of the rotate button.
inline constexpr QRect eePhase{600, 440, 92, 36};
// The Graphs window's button, beside the phase toggle.
inline constexpr QRect eeGraphs{696, 440, 92, 36};
inline constexpr QRect eeTDir(int i) {
  return {214 + i * 44, 528, 40, 36};
}
inline constexpr QRect eeShowTrans{352, 528, 136, 36};
// The slider thumb: its left edge moves from 495 to 680.
inline constexpr int kSliderMin = 495;
inline constexpr int kSliderMax = 680;
inline constexpr QRect eeTSlider{587, 531, 16, 30};
// Where the slice lies, under the slider's "Slice position" caption, right of
// the thumb's track and as wide as the page leaves.
inline constexpr QRect labSlicePosition{697, 553, 95, 14};

}  // namespace wl::Layout
