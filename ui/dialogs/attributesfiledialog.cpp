#include "attributesfiledialog.h"

#include "system/nativepath.h"

#include <QDir>

FileDialogRequest existingAttributesFileRequest()
{
    FileDialogRequest request;
    request.purpose = FileDialogRequest::Purpose::Open;
    request.title = QStringLiteral("Get an Existing Source Library Attribute File");
    request.filter = QStringLiteral("Source File (*.txt)|*.txt");
    request.initialName = QStringLiteral("*.txt");
    request.initialFolder = shownPath(QDir::currentPath());
    return request;
}

std::optional<QString> chooseAttributesFile(ModalExchange &exchange,
                                            const FileDialogRequest &request)
{
    std::optional<QString> chosen = exchange.fileDialog(request);
    if (chosen && *chosen == QLatin1String("*.txt"))
        chosen.reset();
    return chosen;
}
