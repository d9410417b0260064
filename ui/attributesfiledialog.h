#pragma once

#include "modalexchange.h"

// The open dialog for an existing attributes file, as Open and the HTML command show it:
// initial name "*.txt" in the process's current folder.
FileDialogRequest existingAttributesFileRequest();
