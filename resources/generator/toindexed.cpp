#include "pictures.h"

#include <QHash>

#include <algorithm>
#include <limits>
#include <vector>

QImage toIndexed(const QImage &picture, int tableSize)
{
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);

    QHash<QRgb, int> frequency;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            ++frequency[source.pixel(x, y)];

    std::vector<std::pair<int, QRgb>> byFrequency;
    byFrequency.reserve(frequency.size());
    for (auto it = frequency.cbegin(); it != frequency.cend(); ++it)
        byFrequency.emplace_back(it.value(), it.key());
    // Most frequent first; ties by colour so that the table does not depend on hashing.
    std::sort(byFrequency.begin(), byFrequency.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });

    QList<QRgb> table;
    for (const auto &[count, colour] : byFrequency) {
        if (table.size() == tableSize)
            break;
        table.append(colour);
    }
    // Unused entries stay black so the stored table has its full size.
    while (table.size() < tableSize)
        table.append(qRgb(0, 0, 0));

    const auto nearest = [&table](QRgb colour) {
        int best = 0;
        int bestDistance = std::numeric_limits<int>::max();
        for (int i = 0; i < table.size(); ++i) {
            const int dr = qRed(colour) - qRed(table[i]);
            const int dg = qGreen(colour) - qGreen(table[i]);
            const int db = qBlue(colour) - qBlue(table[i]);
            const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        return best;
    };

    QImage indexed(source.size(), QImage::Format_Indexed8);
    indexed.setColorTable(table);
    QHash<QRgb, int> mapped;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb colour = source.pixel(x, y);
            auto it = mapped.find(colour);
            if (it == mapped.end())
                it = mapped.insert(colour, nearest(colour));
            indexed.setPixel(x, y, static_cast<uint>(it.value()));
        }
    }
    return indexed;
}
