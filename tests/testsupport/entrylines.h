#pragma once

#include "entry/entryfields.h"

#include <QByteArray>
#include <QString>

// Entry lines for tests and benchmarks, built from the field table: a row says only the fields
// that differ from a well-formed line (one epoch, Switzerland, an electric locomotive, no
// companions). Each field is filled with spaces to its width; a text longer than its field, or
// one with its own blanks, stands as given, for rows of wrong fields. Over QByteArray the fields
// are raw bytes, filled by bytes: for lines of UTF-8 or of bytes outside the code page.
template <typename Text> struct EntryLineOf
{
    Text label = "Re 4/4";
    Text epoche = "4";
    Text uland = "CH";
    Text gt = "E";
    Text ol = "Y";
    Text olh = "60";
    Text sar = "N";
    Text richtung = "B";
    Text rangier = "N";
    Text wz = "N";
    Text dt = "N";
    Text phasenlaenge = "0";
    Text variations = "N";
    Text drawing = "Re44.bmp";

    Text text() const
    {
        const auto filled = [](const Text &field, const EntryField &column) {
            return field.leftJustified(column.width, ' ');
        };
        namespace F = EntryFields;
        return filled(label, F::label) + filled(epoche, F::epoche) + filled(uland, F::uland) +
               filled(gt, F::gt) + filled(ol, F::ol) + filled(olh, F::olh) + filled(sar, F::sar) +
               filled(richtung, F::richtung) + filled(rangier, F::rangier) + filled(wz, F::wz) +
               filled(dt, F::dt) + filled(phasenlaenge, F::phasenlaenge) +
               filled(variations, F::variations) + drawing;
    }
};

using EntryLine = EntryLineOf<QString>;
using EntryLineBytes = EntryLineOf<QByteArray>;
