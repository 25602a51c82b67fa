#include "platform/keyedtexts.h"

#include <QCoreApplication>
#include <QHash>

namespace platform {

namespace {

struct KeyedText {
    const char* key;
    const char* text;
};

// Translatable through QCoreApplication::translate with the context "Figurello".
const KeyedText kTexts[] = {
    {"DefFun", QT_TRANSLATE_NOOP("Figurello", "Function defined")},
    {"SynErr", QT_TRANSLATE_NOOP("Figurello", "Syntax error")},
    // A syntax error with its reason: "Syntax error: “junk” is not defined". The reasons are
    // keyed "Reason_" and the key the calculation tool gives; %1 is the name it gives.
    {"SynErrWithReason", QT_TRANSLATE_NOOP("Figurello", "%1: %2")},
    {"Reason_UnknownName", QT_TRANSLATE_NOOP("Figurello", "“%1” is not defined")},
    {"Reason_NeedsParenthesis", QT_TRANSLATE_NOOP("Figurello", "“%1” needs “(” right after it")},
    {"Reason_UnexpectedCharacter", QT_TRANSLATE_NOOP("Figurello", "unexpected “%1”")},
    {"Reason_MissingParenthesis", QT_TRANSLATE_NOOP("Figurello", "missing “)”")},
    {"Reason_EndsTooSoon", QT_TRANSLATE_NOOP("Figurello", "the line ends too soon")},
    {"Reason_ArgumentCount", QT_TRANSLATE_NOOP("Figurello", "“%1” takes %2 arguments")},
    {"Reason_ArgumentCount_one", QT_TRANSLATE_NOOP("Figurello", "“%1” takes 1 argument")},
    {"Reason_NestingTooDeep", QT_TRANSLATE_NOOP("Figurello", "nested too deeply")},
    {"Reason_RecursionTooDeep", QT_TRANSLATE_NOOP("Figurello", "recursion too deep")},
    {"Reason_HexTooLarge", QT_TRANSLATE_NOOP("Figurello", "“%1” is larger than 64 bits")},
    {"Reason_ExponentNeedsDigits",
     QT_TRANSLATE_NOOP("Figurello", "an exponent needs digits after its “e”")},
    {"Reason_NameTooLong", QT_TRANSLATE_NOOP("Figurello", "the name is too long")},
    {"Reason_ParameterTwice", QT_TRANSLATE_NOOP("Figurello", "“%1” names two parameters")},
    {"Crash", QT_TRANSLATE_NOOP("Figurello", "The calculation crashed")},
    {"Timeout", QT_TRANSLATE_NOOP("Figurello", "The calculation took too long")},
    {"UpdateProgress", QT_TRANSLATE_NOOP("Figurello", "Updating answers: %1 of %2 (Esc stops)")},
    {"ToolRestarted",
     QT_TRANSLATE_NOOP("Figurello", "The calculation tool stopped and was started again with "
                                    "this worksheet's variables and functions")},
    {"ToolNotStarted",
     QT_TRANSLATE_NOOP("Figurello", "The calculation tool could not be started: %1")},
    {"ToolMissing", QT_TRANSLATE_NOOP("Figurello", "%1 does not exist.")},
    {"ToolNotExecutable", QT_TRANSLATE_NOOP("Figurello", "%1 is not an executable program.")},
    {"BadReply",
     QT_TRANSLATE_NOOP("Figurello", "The calculation tool gave an answer that cannot be read")},
    {"DefVars", QT_TRANSLATE_NOOP("Figurello", "Defined variables:")},
    {"DefFuns", QT_TRANSLATE_NOOP("Figurello", "Defined functions:")},
    {"ConfirmSaveNew",
     QT_TRANSLATE_NOOP("Figurello", "Use this worksheet as the start of every new worksheet?")},
    {"ConfirmSaveNew_detail",
     QT_TRANSLATE_NOOP("Figurello", "New worksheets will start with its text, variables, "
                                    "functions, font and window size.")},
    {"ConfirmSaveNew_ok", QT_TRANSLATE_NOOP("Figurello", "Use as Template")},
    {"ConfirmSaveNew_cancel", QT_TRANSLATE_NOOP("Figurello", "Cancel")},
    {"UnknownFormat",
     QT_TRANSLATE_NOOP("Figurello",
                       "“%1” is not in a format Figurello reads.\n"
                       "Figurello opens worksheets (.figurello), RTF and plain text.")},
    {"NotUtf8", QT_TRANSLATE_NOOP("Figurello", "“%1” is not UTF-8 text, so Figurello cannot "
                                               "open it without garbling it.")},
    {"UnreadCodePage",
     QT_TRANSLATE_NOOP("Figurello", "Some characters are in code page %1, which Figurello "
                                    "cannot read; they show as \uFFFD.")},
    {"NotReadableRtf", QT_TRANSLATE_NOOP("Figurello", "“%1” is not readable RTF:\n%2")},
    {"CannotRead", QT_TRANSLATE_NOOP("Figurello", "Cannot read %1:\n%2")},
    {"CannotWrite", QT_TRANSLATE_NOOP("Figurello", "Cannot write %1:\n%2")},
    {"NotAWorksheet", QT_TRANSLATE_NOOP("Figurello", "“%1” is damaged and cannot be opened:\n%2")},
    {"SaveChanges",
     QT_TRANSLATE_NOOP("Figurello", "Do you want to save the changes made to “%1”?")},
    {"SaveChanges_detail",
     QT_TRANSLATE_NOOP("Figurello", "Your changes will be lost if you don’t save them.")},
    {"CannotKeepClosed",
     QT_TRANSLATE_NOOP("Figurello", "This worksheet cannot be kept for reopening after it is "
                                    "closed:\n%1")},
    {"NoClosedWorksheets", QT_TRANSLATE_NOOP("Figurello", "No Closed Worksheets")},
    {"ClosedWorksheetItem", QT_TRANSLATE_NOOP("Figurello", "%1 — closed %2")},
    {"PdfFilter", QT_TRANSLATE_NOOP("Figurello", "PDF documents (*.pdf)")},
    {"Recovery",
     QT_TRANSLATE_NOOP("Figurello", "Figurello did not close properly. Restore the unsaved "
                                    "worksheets it had open?")},
    {"Recovery_detail",
     QT_TRANSLATE_NOOP("Figurello", "Worksheets you discard can still be reopened from File ▸ "
                                    "Reopen Closed Worksheet.")},
    {"Recovery_title", QT_TRANSLATE_NOOP("Figurello", "Worksheet")},
    {"Recovery_firstLine", QT_TRANSLATE_NOOP("Figurello", "First line")},
    {"Recovery_savedAt", QT_TRANSLATE_NOOP("Figurello", "Last recorded")},
    {"Recovery_restoreAll", QT_TRANSLATE_NOOP("Figurello", "Restore All")},
    {"Recovery_restoreSelected", QT_TRANSLATE_NOOP("Figurello", "Restore Selected")},
    {"Recovery_discard", QT_TRANSLATE_NOOP("Figurello", "Discard")},
    {"Untitled", QT_TRANSLATE_NOOP("Figurello", "Untitled")},
    {"WorksheetFilter",
     QT_TRANSLATE_NOOP("Figurello", "Worksheets (*.figurello);;RTF documents (*.rtf);;"
                                    "Text files (*.txt);;All files (*)")},
    {"SaveFilter", QT_TRANSLATE_NOOP("Figurello", "Worksheets (*.figurello)")},
};

const QHash<QByteArray, const char*>& textTable() {
    static const QHash<QByteArray, const char*> table = [] {
        QHash<QByteArray, const char*> texts;
        for (const KeyedText& entry : kTexts)
            texts.insert(entry.key, entry.text);
        return texts;
    }();
    return table;
}

} // namespace

QString keyedText(const char* key) {
    const char* text = textTable().value(key);
    return text ? QCoreApplication::translate("Figurello", text) : QString::fromUtf8(key);
}

bool hasKeyedText(const char* key) { return textTable().contains(key); }

} // namespace platform
