#include "library/savereport.h"

#include "system/nativepath.h"

#include <QDir>

namespace {

// heading, then one line per item, at most maxLines of them, then how many more there are.
template <class Item, class Line>
QString listed(const QString &heading, const QList<Item> &items, int maxLines, Line line)
{
    QString text = heading;
    const qsizetype shown = std::min<qsizetype>(items.size(), maxLines);
    for (qsizetype i = 0; i < shown; ++i)
        text += QLatin1Char('\r') + line(items[i]);
    if (items.size() > shown)
        text += QLatin1Char('\r') + QStringLiteral("and %1 more").arg(items.size() - shown);
    return text;
}

} // namespace

QString notCopiedMessage(const QList<FileProblem> &problems, int maxLines)
{
    return listed(QStringLiteral("These files and folders could NOT be copied or made:"), problems,
                  maxLines, [](const FileProblem &problem) {
                      return shownPath(problem.path) + QLatin1String(": ") + problem.reason;
                  });
}

QString copiedBeforeMessage(const QStringList &copied, int maxLines)
{
    return listed(QStringLiteral("These drawings were copied into the library folder before:"),
                  QList<QString>(copied), maxLines,
                  [](const QString &path) { return shownPath(path); });
}
