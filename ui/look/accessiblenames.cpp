#include "accessiblenames.h"

#include <QAbstractButton>
#include <QLabel>

#include <initializer_list>

namespace {

// One row of the window: its caption, the explanation beside the control (if any) and the
// controls the row holds, the first of which the caption is the buddy of.
struct Row
{
    const char *caption;
    const char *explanation;
    std::initializer_list<const char *> controls;
};

const Row rows[] = {
    {"Label7", nullptr, {"chkEPO_1", "chkEPO_2", "chkEPO_3", "chkEPO_4", "chkEPO_5", "chkEPO_6"}},
    {"Label4", nullptr, {"cboUland"}},
    {"Label3", nullptr, {"cboGT"}},
    {"Label8", "Label9", {"chkOL_0", "chkOL_1", "chkOL_2"}},
    {"Label11", "Label12", {"txtPixels"}},
    {"Label13", "Label10", {"chkSAR_0", "chkSAR_1"}},
    {"Label14", "Label2", {"chkLR_0", "chkLR_1", "chkLR_2"}},
    {"Label15", "Label19", {"chkSW_0", "chkSW_1"}},
    {"Label16", "Label20", {"chkPP_0", "chkPP_1"}},
    {"Label17", "Label21", {"chkDT_0", "chkDT_1"}},
    {"Label18", "Label22", {"txtCycle"}},
    {"Label6", nullptr, {"chkVR_0", "chkVR_1"}},
    {"Label24", nullptr, {"txtDescription"}},
    {"Label5", nullptr, {"File1"}},
};

// A caption as it is spoken: without the colon that leads the eye to its control.
QString spoken(const QLabel *label)
{
    QString text = label->text().trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

} // namespace

void nameControlsForScreenReaders(QWidget &client)
{
    const auto child = [&client](const char *name) {
        return client.findChild<QWidget *>(QLatin1String(name));
    };
    const auto label = [&client](const char *name) {
        return client.findChild<QLabel *>(QLatin1String(name));
    };

    for (const Row &row : rows) {
        QLabel *caption = label(row.caption);
        const QLabel *explanation = row.explanation ? label(row.explanation) : nullptr;
        for (const char *name : row.controls) {
            QWidget *control = child(name);
            // A check box says its own caption ("Y", "4") after its row's; a box or list says
            // its row's caption and the explanation beside it.
            if (const auto *box = qobject_cast<QAbstractButton *>(control)) {
                control->setAccessibleName(spoken(caption) + QLatin1String(": ") + box->text());
                if (explanation)
                    control->setAccessibleDescription(explanation->text());
            } else {
                control->setAccessibleName(explanation ? spoken(caption) + QLatin1String(": ") +
                                                             explanation->text()
                                                       : spoken(caption));
            }
        }
        // A screen reader speaks a labelling caption in place of the control's own name: the
        // caption is its control's buddy only where it alone names the control ("LABEL"), not
        // where the name says more ("OL: Y", "OLH: Pixels Above Rails For Electrical Line").
        QWidget *first = child(*row.controls.begin());
        if (first->accessibleName() != spoken(caption))
            continue;
        caption->setBuddy(first);
    }

    // One caption stands over the drive list and the folder list, "Drive\Folder": each list
    // takes its half.
    const QLabel *source = label("Label1");
    child("Drive1")->setAccessibleName(QStringLiteral("Select Drive"));
    child("dirSourceBMP")
        ->setAccessibleName(QStringLiteral("Select Folder containing the Drawings"));
    for (const char *name : {"Drive1", "dirSourceBMP"})
        child(name)->setAccessibleDescription(spoken(source));

    // The status line above the library list names the library it shows.
    label("lblAF")->setBuddy(child("lstLibraryFile"));
    child("lstLibraryFile")->setAccessibleName(QStringLiteral("Source Library Attributes File"));
    child("picView")->setAccessibleName(QStringLiteral("Drawing preview"));

    // The two "Add to Library" buttons, told apart by where they stand.
    child("cmdAdd")->setAccessibleDescription(QStringLiteral("Under the library list"));
    child("Command1")->setAccessibleDescription(QStringLiteral("Under the drawing preview"));
}
