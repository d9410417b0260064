#pragma once

#include "modalexchange.h"

#include <optional>

// The open dialog for an existing attributes file, as Open and the HTML command show it:
// initial name "*.txt" in the process's current folder.
FileDialogRequest existingAttributesFileRequest();

// Shows the dialog; the chosen file, or nullopt when the user cancelled or the dialog gave back
// the bare pattern "*.txt", which names no file.
std::optional<QString> chooseAttributesFile(ModalExchange &exchange,
                                            const FileDialogRequest &request);
