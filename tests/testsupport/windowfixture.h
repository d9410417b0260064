#pragma once

#include "frmedit.h"
#include "scriptedexchange.h"

#include <QListWidget>
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

    ScriptedExchange *exchange = nullptr;
    std::unique_ptr<FrmEdit> window;
};
