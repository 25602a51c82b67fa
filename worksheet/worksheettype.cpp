// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/worksheettype.h"

#include "platform/keyedtexts.h"

platform::DocumentType worksheetDocumentType() {
    return {kWorksheetType,
            QStringLiteral("figurello"),
            QStringLiteral("application/x-figurello-worksheet"),
            platform::keyedText("WorksheetFilter"),
            platform::keyedText("SaveFilter"),
            platform::keyedText("ReopenClosedMenu"),
            platform::keyedText("NoClosedWorksheets")};
}
