// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/worksheetfile.h"

#include "plist/reader.h"
#include "plist/xmlwriter.h"

namespace {

const char kText[] = "text";
const char kVariables[] = "variables";
const char kFunctions[] = "functions";
const char kFontName[] = "fontName";
const char kFontSize[] = "fontSize";
const char kWindowFrame[] = "windowFrame";
const char kVariableUnits[] = "variableUnits";

const plist::Value* entry(const plist::Dictionary& root, const char* key) {
    auto found = root.find(key);
    return found == root.end() ? nullptr : &found->second;
}

std::optional<std::string> stringEntry(const plist::Dictionary& root, const char* key) {
    const plist::Value* value = entry(root, key);
    const std::string* text = value ? value->string() : nullptr;
    return text ? std::optional<std::string>(*text) : std::nullopt;
}

std::optional<plist::Dictionary> dictionaryEntry(const plist::Dictionary& root, const char* key) {
    const plist::Value* value = entry(root, key);
    const plist::Dictionary* dictionary = value ? value->dictionary() : nullptr;
    return dictionary ? std::optional<plist::Dictionary>(*dictionary) : std::nullopt;
}

} // namespace

WorksheetReadResult parseWorksheetFile(std::string_view bytes) {
    plist::ReadResult read = plist::read(bytes);
    if (!read)
        return {std::nullopt, read.error};
    const plist::Dictionary* root = read.value->dictionary();
    if (!root)
        return {std::nullopt, "the property list is not a dictionary"};

    WorksheetFile file;
    file.text = stringEntry(*root, kText);
    file.variables = dictionaryEntry(*root, kVariables);
    file.functions = dictionaryEntry(*root, kFunctions);
    file.fontName = stringEntry(*root, kFontName);
    if (const plist::Value* size = entry(*root, kFontSize))
        file.fontSize = size->real();
    file.windowFrame = stringEntry(*root, kWindowFrame);
    file.variableUnits = dictionaryEntry(*root, kVariableUnits);
    return {std::move(file), {}};
}

std::string serializeWorksheetFile(const WorksheetFile& file) {
    plist::Dictionary root;
    if (file.text)
        root.emplace(kText, plist::Value(*file.text));
    if (file.variables)
        root.emplace(kVariables, plist::Value(*file.variables));
    if (file.functions)
        root.emplace(kFunctions, plist::Value(*file.functions));
    if (file.fontName)
        root.emplace(kFontName, plist::Value(*file.fontName));
    if (file.fontSize)
        root.emplace(kFontSize, plist::Value(*file.fontSize));
    if (file.windowFrame)
        root.emplace(kWindowFrame, plist::Value(*file.windowFrame));
    // Written only when a variable has a unit, so a worksheet of plain numbers stays as it was.
    if (file.variableUnits && !file.variableUnits->empty())
        root.emplace(kVariableUnits, plist::Value(*file.variableUnits));
    return plist::writeXml(plist::Value(std::move(root)));
}
