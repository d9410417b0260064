#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

// The files of a library folder's type folders as Windows and the display program find them:
// names compared ignoring letter case. Each type folder is listed once, when first asked for,
// so that a library of thousands of drawings costs one listing per type folder.
class LibraryFolderFiles
{
public:
    explicit LibraryFolderFiles(const QString &libraryFolder);
    // It keeps a pointer into its own listings.
    LibraryFolderFiles(const LibraryFolderFiles &) = delete;
    LibraryFolderFiles &operator=(const LibraryFolderFiles &) = delete;

    enum class Presence
    {
        Present,   // under this very name
        OtherCase, // only under a name that differs in letter case
        Missing
    };
    struct Found
    {
        Presence presence = Presence::Missing;
        QString name; // the name it is there under, relative to the library folder ("E/x.bmp")
    };
    // The file name in the type folder typeFolder (empty: the library folder itself).
    Found find(const QString &typeFolder, QStringView name);
    // Every file of the type folder and of the folders spelt like it in other letter case,
    // relative to the library folder ("E/x.bmp"), in no order.
    QStringList filesIn(const QString &typeFolder);

    // What the lines name: the check of each line's drawings marks them, so that the files no
    // line names are known without planning every line again.
    void markNamed(const QString &typeFolder, QStringView name);
    bool isNamed(const QString &relativeName) const;

private:
    // Case-folded file name to the names, relative to the library folder, it stands for.
    using Listing = QHash<QString, QStringList>;
    const Listing &listingOf(const QString &typeFolder);
    const Listing &listingIn(const QString &typeFolder); // listingOf without the last one kept

    QString m_libraryFolder;
    QStringList m_subfolders; // the library folder's own folders, listed on first use
    bool m_subfoldersListed = false;
    QHash<QString, Listing> m_types; // case-folded type folder to its listing
    // The type folder asked for last, as given, and its listing: a line asks up to 40 times.
    QString m_lastType;
    const Listing *m_lastListing = nullptr;
    QSet<QString> m_named; // case-folded, relative to the library folder
};
