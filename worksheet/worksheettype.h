// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/documenttype.h"

#include <QString>

// The name a worksheet is read and written under.
inline const QString kWorksheetType = QStringLiteral("Figurello worksheet");

// The worksheet as the document framework knows it: its type, `.figurello` files of type
// application/x-figurello-worksheet, and the file dialogs' filters.
platform::DocumentType worksheetDocumentType();
