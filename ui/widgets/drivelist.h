#pragma once

#include <QComboBox>
#include <QStringList>

// The drive list: the drives of the computer. On Windows the drive letters; elsewhere the
// mounted volumes a user would pick, each volume's root playing the drive's root. The item
// shows the root followed by the volume's name.
class DriveList : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget *parent = nullptr);

    // The roots of the host's drives, in the order the list shows them.
    static QStringList hostDriveRoots();

    // Replaces the listed drives (the host's by default) without running the change handler.
    void setDriveRoots(const QStringList &roots);
    QStringList driveRoots() const;

    // The current drive's root in native form ("C:\", "/", "/media/ann/USB").
    QString drive() const;
    // Makes the drive whose root is root current; runs driveChanged only on a real change.
    void setDrive(const QString &root);

    // The listed drive that holds path (the longest root that is a prefix of it); empty if none.
    QString driveOf(const QString &path) const;

Q_SIGNALS:
    void driveChanged();

private:
    QString m_current;
};
