#pragma once

#include <QtGlobal>

// The railcar of the about window drives along its track band in the window's horizontal units:
// the client area is slideScaleWidth units across (5730 twips, 382 pixels). Each tick moves it
// slideUnitsPerTick units in the direction of slideStep (-1 left, +1 right); after the move it
// turns when it has reached or passed a limit, out of sight on either side.

inline constexpr double slideScaleWidth = 5380.766;
inline constexpr int slideClientWidthTwips = 5730;
inline constexpr int slideClientWidthPixels = 382;
inline constexpr double slideUnitsPerTick = 40.0;
inline constexpr double slideLeftLimit = -23600.0;
inline constexpr double slideRightLimit = 6000.0;
// The design place of the railcar, 5580 twips from the left: only its first 10 pixels show.
inline constexpr double slideStartLeft = 5580.0 * slideScaleWidth / slideClientWidthTwips;
inline constexpr qint32 slideStartStep = -1;

struct SlidePosition
{
    double left = slideStartLeft; // in horizontal units of the window
    qint32 slideStep = slideStartStep;

    friend bool operator==(const SlidePosition &, const SlidePosition &) = default;
};

// One tick: move, then turn at the limits.
SlidePosition slideAnimationStep(double left, qint32 slideStep);

// The pixel column of a left edge given in horizontal units, to the nearest pixel.
int slideUnitsToPixels(double units);
