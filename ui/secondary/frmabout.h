#pragma once

#include "window/slideanimation.h"

#include <QDialog>

#include <memory>

class QKeyEvent;
class QTimer;

namespace Ui {
class FrmAbout;
}

// The about window: the program's title and description over a track band along which a
// railcar drives to and fro, one step per tick of Timer1. Each opening builds a new window, so
// the railcar always starts from its design place at the right border.
class FrmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit FrmAbout(QWidget *parent = nullptr);
    ~FrmAbout() override;

    // The railcar's Left in the window's horizontal units, and its direction (-1 left, +1 right).
    double pictureLeft() const { return m_slide.left; }
    qint32 slideStep() const { return m_slide.slideStep; }

    // Handlers.
    void timer1Tick();
    void cmdOkClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void placePicture();

    std::unique_ptr<Ui::FrmAbout> ui;
    QTimer *m_timer1 = nullptr;
    SlidePosition m_slide;
};
