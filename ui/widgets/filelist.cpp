#include "filelist.h"

#include "folderwatch.h"
#include "system/filetest.h"
#include "system/nativepath.h"
#include "window/drawingfiles.h"

#include <QDir>
#include <QEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace {

// Names and folders compare as the system compares them.
#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity nameSensitivity = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity nameSensitivity = Qt::CaseSensitive;
#endif

// How many of the names that look widest are measured exactly.
constexpr qsizetype measuredNames = 8;

} // namespace

FileList::FileList(QWidget *parent) : QListWidget(parent), m_watch(new FolderWatch(this))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is one line of text: laying out a folder of thousands of drawings then costs
    // one size instead of one per name (the widest name is set on the last row, see below).
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!selectedItems().isEmpty())
            Q_EMIT selectionMoved();
    });
    connect(m_watch, &FolderWatch::changed, this, &FileList::refresh);
    setPath(QDir::currentPath());
}

void FileList::setPath(const QString &folder)
{
    const QSignalBlocker blocker(this);
    fill(folder);
    setCurrentRow(-1);
    clearSelection();
    m_path = shownPath(folder);
    m_watch->watch(folder);
}

void FileList::refresh()
{
    const QSignalBlocker blocker(this);
    const QString selected = selectedFileName();
    const QString underCursor = currentItem() ? currentItem()->text() : QString();
    const int scrolled = verticalScrollBar()->value();
    fill(m_path);
    setCurrentRow(-1);
    clearSelection();
    for (int row = 0; row < count(); ++row) {
        const QString name = item(row)->text();
        if (name == underCursor)
            setCurrentRow(row, QItemSelectionModel::NoUpdate);
        if (name == selected)
            item(row)->setSelected(true);
    }
    verticalScrollBar()->setValue(scrolled);
}

void FileList::fill(const QString &folder)
{
    clear();
    const QStringList drawings = drawingsIn(folder);
    addItems(drawings);
    m_listedFolder = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    m_askedFolder.clear();
    m_listed.clear();
    for (const QString &name : drawings)
        m_listed.insert(fileNameKey(name));
    fitRowsToWidestName();
}

bool FileList::holdsFile(const QString &path) const
{
    const QString file = QDir::fromNativeSeparators(path);
    const qsizetype cut = file.lastIndexOf(QLatin1Char('/'));
    const QString name = file.mid(cut + 1);
    // The list holds the drawings ("*.bmp") of one folder, as isOrdinaryFile counts files.
    if (cut < 0 || m_watch->changeWaiting() ||
        !name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive))
        return isOrdinaryFile(path);
    // The 40 names of one selection share their folder: it is cleaned and compared once.
    const QStringView folder = QStringView(file).left(cut + 1);
    if (folder != m_askedFolder) {
        m_askedFolder = folder.toString();
        m_askedFolderListed =
            QDir::cleanPath(m_askedFolder).compare(m_listedFolder, nameSensitivity) == 0;
    }
    return m_askedFolderListed ? m_listed.contains(fileNameKey(name)) : isOrdinaryFile(path);
}

bool FileList::selectFileQuietly(const QString &name)
{
    const QSignalBlocker blocker(this);
    for (int row = 0; row < count(); ++row)
        if (item(row)->text().compare(name, nameSensitivity) == 0) {
            setCurrentRow(row);
            scrollToItem(item(row));
            return true;
        }
    setCurrentRow(-1);
    clearSelection();
    return false;
}

QString FileList::selectedFileName() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.constFirst()->text();
}

void FileList::changeEvent(QEvent *event)
{
    QListWidget::changeEvent(event);
    // The rows' size was measured in the font and style of its time.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitRowsToWidestName();
}

void FileList::fitRowsToWidestName()
{
    // With uniform rows the view takes every row's size from the last one. Measuring every
    // name costs more than reading the folder, so the widths are estimated from the advances
    // of single characters and only the few widest are measured as the view measures them.
    if (count() == 0)
        return;
    QListWidgetItem *last = item(count() - 1);
    last->setData(Qt::SizeHintRole, QVariant()); // measured afresh below
    const QFontMetrics metrics(font());
    std::array<int, 128> asciiAdvance{};
    for (char16_t code = 0; code < asciiAdvance.size(); ++code)
        asciiAdvance[code] = metrics.horizontalAdvance(QChar(code));
    const auto estimate = [&](const QString &name) {
        int width = 0;
        for (const QChar c : name)
            width += c.unicode() < asciiAdvance.size() ? asciiAdvance[c.unicode()]
                                                       : metrics.horizontalAdvance(c);
        return width;
    };
    std::vector<std::pair<int, int>> widths; // estimated width, row
    widths.reserve(count());
    for (int row = 0; row < count(); ++row)
        widths.emplace_back(estimate(item(row)->text()), row);
    const auto widest = widths.begin() + std::min<qsizetype>(measuredNames, widths.size());
    std::partial_sort(widths.begin(), widest, widths.end(), std::greater<>());

    QStyleOptionViewItem option;
    initViewItemOption(&option);
    QSize rowSize;
    for (auto it = widths.begin(); it != widest; ++it)
        rowSize =
            rowSize.expandedTo(itemDelegate()->sizeHint(option, indexFromItem(item(it->second))));
    last->setSizeHint(rowSize);
}
