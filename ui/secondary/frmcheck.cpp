#include "frmcheck.h"

#include "captionfonts.h"
#include "listfont.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int lineRole = Qt::UserRole;

} // namespace

FrmCheck::FrmCheck(const CheckFindings &findings, qsizetype entries, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCheck"));
    setWindowTitle(QStringLiteral("Zerbon - Check Library"));
    // The main window's orange.
    QPalette orange = palette();
    orange.setColor(QPalette::Window, QColor(255, 128, 0));
    orange.setColor(QPalette::WindowText, Qt::black);
    setPalette(orange);
    setAutoFillBackground(true);

    m_findings = new QListWidget(this);
    m_findings->setObjectName(QStringLiteral("lstFindings"));
    m_findings->setAccessibleName(QStringLiteral("Findings"));
    m_findings->setFont(libraryListFont());
    // A finding names paths and columns: it is read whole, over as many rows as it needs.
    m_findings->setWordWrap(true);
    m_findings->setResizeMode(QListView::Adjust);
    m_findings->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    qsizetype errors = 0;
    for (const CheckFinding &finding : findings) {
        errors += finding.kind == CheckFinding::Kind::Error ? 1 : 0;
        const QString place =
            finding.line > 0 ? QStringLiteral("line %1: ").arg(finding.line) : QString();
        auto *item = new QListWidgetItem(place + findingText(finding), m_findings);
        item->setData(lineRole, finding.line);
    }
    auto *count = new QListWidgetItem(findingsCountLine(errors, findings.size() - errors, entries),
                                      m_findings);
    count->setData(lineRole, 0);

    m_goTo = new QPushButton(QStringLiteral("Go to Entry"), this);
    m_goTo->setObjectName(QStringLiteral("cmdGoTo"));
    m_goTo->setDefault(true);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_goTo);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_findings);
    layout->addLayout(buttons);
    resize(720, 360);
    // The buttons' captions in the main window's face, or its stand-in where it is missing.
    setCaptionFont({m_goTo, close}, designCaptionFont(false));

    connect(m_findings, &QListWidget::currentRowChanged, this, &FrmCheck::followSelection);
    connect(m_findings, &QListWidget::itemActivated, this, &FrmCheck::goToEntry);
    connect(m_goTo, &QPushButton::clicked, this, &FrmCheck::goToEntry);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_findings->setCurrentRow(0);
    followSelection();
    m_findings->setFocus();
}

void FrmCheck::followSelection()
{
    const QListWidgetItem *item = m_findings->currentItem();
    m_goTo->setEnabled(item && item->data(lineRole).toInt() > 0);
}

void FrmCheck::goToEntry()
{
    const QListWidgetItem *item = m_findings->currentItem();
    const int line = item ? item->data(lineRole).toInt() : 0;
    if (line <= 0)
        return;
    m_chosenLine = line;
    accept();
}
