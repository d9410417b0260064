#include "window/slideanimation.h"

#include <cmath>

SlidePosition slideAnimationStep(double left, qint32 slideStep)
{
    const double moved = left + slideStep * slideUnitsPerTick;
    const bool atLimit = moved <= slideLeftLimit || moved >= slideRightLimit;
    return {moved, atLimit ? -slideStep : slideStep};
}

int slideUnitsToPixels(double units)
{
    return static_cast<int>(std::lround(units * slideClientWidthPixels / slideScaleWidth));
}
