// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keyedtexts.h"

#include <QCoreApplication>
#include <QHash>

namespace platform {

namespace {

constexpr char kFrameworkContext[] = "platform";

// The document framework's own texts: opening, saving, closing and recovering documents.
const KeyedText kFrameworkTexts[] = {
    {"CannotRead", QT_TRANSLATE_NOOP("platform", "Cannot read %1:\n%2")},
    {"CannotWrite", QT_TRANSLATE_NOOP("platform", "Cannot write %1:\n%2")},
    {"NotAWorksheet", QT_TRANSLATE_NOOP("platform", "“%1” is damaged and cannot be opened:\n%2")},
    {"SaveChanges", QT_TRANSLATE_NOOP("platform", "Do you want to save the changes made to “%1”?")},
    {"SaveChanges_detail",
     QT_TRANSLATE_NOOP("platform", "Your changes will be lost if you don’t save them.")},
    {"ClosedWorksheetItem", QT_TRANSLATE_NOOP("platform", "%1 — closed %2")},
    {"Recovery_list", QT_TRANSLATE_NOOP("platform", "Unsaved worksheets")},
    {"Recovery_firstLine", QT_TRANSLATE_NOOP("platform", "First line")},
    {"Recovery_savedAt", QT_TRANSLATE_NOOP("platform", "Last recorded")},
    {"Recovery_restoreAll", QT_TRANSLATE_NOOP("platform", "Restore All")},
    {"Recovery_restoreSelected", QT_TRANSLATE_NOOP("platform", "Restore Selected")},
    {"Recovery_discard", QT_TRANSLATE_NOOP("platform", "Discard")},
    {"Untitled", QT_TRANSLATE_NOOP("platform", "Untitled")},
};

struct Entry {
    const char* context;
    const char* text;
};

QHash<QByteArray, Entry>& textTable() {
    static QHash<QByteArray, Entry> table = [] {
        QHash<QByteArray, Entry> texts;
        for (const KeyedText& entry : kFrameworkTexts)
            texts.insert(entry.key, {kFrameworkContext, entry.text});
        return texts;
    }();
    return table;
}

} // namespace

void addKeyedTexts(const char* context, std::span<const KeyedText> texts) {
    QHash<QByteArray, Entry>& table = textTable();
    for (const KeyedText& entry : texts)
        if (!table.contains(entry.key))
            table.insert(entry.key, Entry{context, entry.text});
}

QString keyedText(const char* key) {
    const auto found = textTable().constFind(key);
    return found == textTable().cend() ? QString::fromUtf8(key)
                                       : QCoreApplication::translate(found->context, found->text);
}

QString sourceKeyedText(const char* key) {
    const auto found = textTable().constFind(key);
    return QString::fromUtf8(found == textTable().cend() ? key : found->text);
}

bool hasKeyedText(const char* key) { return textTable().contains(key); }

} // namespace platform
