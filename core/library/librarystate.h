#pragma once

#include <QLatin1String>

// The texts of the library's state, named once: every reader and writer compares against these.

// libraryMode.
inline constexpr QLatin1String noLibrary("---");      // no library is being worked on
inline constexpr QLatin1String newLibraryMode("NEW"); // created and never saved
inline constexpr QLatin1String updateMode("UPD");     // read from or written to its file

// entryStatus: whether a save copies the entry's drawings.
inline constexpr QLatin1String addedHere("N");    // added in the window: copied by each save
inline constexpr QLatin1String readFromFile("O"); // read from the attributes file: never copied
