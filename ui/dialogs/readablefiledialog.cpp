#include "readablefiledialog.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>

#include <algorithm>

namespace {
// In characters of the dialog's font: a name of some forty characters beside the other
// columns and the side bar, and a good screenful of rows.
constexpr int readableColumns = 120;
constexpr int readableLines = 30;
} // namespace

void makeColumnsReadable(QFileDialog &dialog)
{
    // The detail view of Qt's own dialog; a native dialog has none and sizes itself.
    if (auto *details = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        QHeaderView *header = details->header();
        // The other columns were sized for sample texts ("128.88 GB") that are narrower than
        // what the dialog shows ("469 bytes"); sized to their contents, they are never cut.
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    const QFontMetrics metrics(dialog.font());
    QSize size = dialog.sizeHint().expandedTo(
        QSize(readableColumns * metrics.averageCharWidth(), readableLines * metrics.lineSpacing()));
    if (const QScreen *screen = dialog.screen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    dialog.resize(size);
}
