#pragma once

#include "checking/checkfinding.h"

#include <QDialog>

class QListWidget;
class QPushButton;

// The findings of Check Library, one per line of the list as "line 3: error: TEXT" (a finding
// of the library folder without its line), the count last, as tessaro-check prints them. "Go
// to Entry" (Enter, a double click) closes the window with the finding's entry chosen; "Close"
// (Escape) closes it with none.
class FrmCheck : public QDialog
{
    Q_OBJECT

public:
    FrmCheck(const CheckFindings &findings, qsizetype entries, QWidget *parent = nullptr);

    // The entry (from 1) whose finding was chosen with Go to Entry; 0 when none was.
    int chosenLine() const { return m_chosenLine; }

private:
    void goToEntry();
    void followSelection();

    QListWidget *m_findings = nullptr;
    QPushButton *m_goTo = nullptr;
    int m_chosenLine = 0;
};
