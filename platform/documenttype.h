// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {

// The application's own kind of document, as the framework needs to know it: the name it is
// read and written under, its files' extension and MIME type, and the words of the Open and
// Save dialogs and of the File menu. The application makes one and hands it to the document
// controller.
struct DocumentType {
    // The name readFromData() and dataOfType() know the type by.
    QString typeName;
    // The extension of its files, without the dot.
    QString suffix;
    QString mimeType;
    // The file dialogs' filters, such as "Worksheets (*.ext)".
    QString openFilter;
    QString saveFilter;
    // The File menu's words for documents closed unsaved: the submenu, and its one item when
    // there are none.
    QString reopenClosedMenu;
    QString noClosedDocuments;

    QString dottedSuffix() const { return QLatin1Char('.') + suffix; }
};

} // namespace platform
