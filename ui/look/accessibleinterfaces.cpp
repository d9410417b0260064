#include "accessibleinterfaces.h"

#include "accessiblecombobox.h"
#include "accessibletextbox.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>

namespace {

// Asked for each class of the object from the most derived up, before Qt's own factory: a box
// gets the program's interface where Qt would give it its own.
QAccessibleInterface *programInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLineEdit")) {
        // As Qt's own factory: a spin box reads its line edit itself.
        auto *box = qobject_cast<QLineEdit *>(object);
        if (box && box->objectName() != QLatin1String("qt_spinbox_lineedit"))
            return newAccessibleTextBox(box);
    } else if (className == QLatin1String("QComboBox")) {
        // A list-only combo box (the drive list) keeps Qt's interface: there a screen reader
        // hears the shown item through the name Qt gives it on Unix desktops.
        auto *combo = qobject_cast<QComboBox *>(object);
        if (combo && combo->isEditable())
            return newAccessibleComboBox(combo);
    }
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    QAccessible::installFactory(programInterface);
}
