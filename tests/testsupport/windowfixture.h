#pragma once

#include "frmedit.h"
#include "scriptedexchange.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <memory>

// The texts of a list's items, in order.
inline QStringList itemTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

// A main window whose modal exchanges are scripted, with its controls found by name.
struct WindowFixture
{
    WindowFixture()
    {
        auto scripted = std::make_unique<ScriptedExchange>();
        exchange = scripted.get();
        window = std::make_unique<FrmEdit>(std::move(scripted));
    }

    template <class T = QWidget> T *child(const QString &name) const
    {
        T *found = window->findChild<T *>(name);
        if (!found)
            qWarning("no control named %s", qPrintable(name));
        return found;
    }

    QAction *action(const QString &name) const { return child<QAction>(name); }

    // The controls the tests use most.
    QListWidget *libraryList() const
    {
        return child<QListWidget>(QStringLiteral("lstLibraryFile"));
    }
    QLabel *libraryCaption() const { return child<QLabel>(QStringLiteral("lblAF")); }
    QPushButton *addButton() const { return child<QPushButton>(QStringLiteral("cmdAdd")); }
    QPushButton *eraseButton() const { return child<QPushButton>(QStringLiteral("cmdUndo")); }
    QLineEdit *labelBox() const { return child<QLineEdit>(QStringLiteral("txtDescription")); }
    QLineEdit *heightBox() const { return child<QLineEdit>(QStringLiteral("txtPixels")); }
    QLineEdit *cycleBox() const { return child<QLineEdit>(QStringLiteral("txtCycle")); }
    QLabel *preview() const { return child<QLabel>(QStringLiteral("picView")); }

    ScriptedExchange *exchange = nullptr;
    std::unique_ptr<FrmEdit> window;
};
