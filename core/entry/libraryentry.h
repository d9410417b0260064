#pragma once

#include <QString>

#include <array>

// The attributes of one drawing as the window's controls hold them.
struct LibraryEntry
{
    QString drawingFileName;      // no folder
    QString sourceFolder;         // ends with the separator
    QString labelText;            // as typed
    std::array<bool, 6> epochs{}; // epoch 1 at [0] .. epoch 6 at [5]
    QString countryText;
    QString typeText;
    bool overheadLineYes = false;
    bool overheadLineNo = false;
    bool overheadLineThirdRail = false;
    QString lineHeightText;
    bool pantographAnimation = false;
    bool directionLeft = false;
    bool directionRight = false;
    bool directionBoth = false;
    bool switchingOperation = false;
    bool pushPull = false;
    bool doubleTraction = false;
    QString animationCycleText;
    bool variations = false;
};
