// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/xmlwriter.h"

#include "plist/base64.h"
#include "plist/cleanedkeys.h"
#include "plist/isodate.h"
#include "plist/numbers.h"
#include "plist/utf8.h"

#include <charconv>

namespace plist {

namespace {

constexpr std::string_view kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                     "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                                     "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                                     "<plist version=\"1.0\">\n";

bool allowedInXml(char32_t c) {
    if (c < 0x20)
        return c == '\t' || c == '\n' || c == '\r';
    return c != 0xFFFE && c != 0xFFFF;
}

// Printable ASCII other than the markup characters goes out as it is, a run at a time; anything
// else is decoded and escaped or replaced.
bool standsForItself(char byte) {
    const auto c = static_cast<unsigned char>(byte);
    return (c >= 0x20 && c < 0x80 && c != '&' && c != '<' && c != '>') || c == '\t' || c == '\n';
}

void appendEscaped(std::string& out, std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t plainEnd = pos;
        while (plainEnd < text.size() && standsForItself(text[plainEnd]))
            ++plainEnd;
        out.append(text, pos, plainEnd - pos);
        pos = plainEnd;
        if (pos == text.size())
            break;
        const char32_t c = detail::decodeUtf8(text, pos);
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\r':
            // A raw carriage return would come back as a line feed: parsers normalise line ends.
            out += "&#13;";
            break;
        default:
            detail::appendUtf8(out, allowedInXml(c) ? c : detail::kReplacementCharacter);
        }
    }
}

void indent(std::string& out, std::size_t depth) { out.append(depth, '\t'); }

void openElement(std::string& out, std::size_t depth, std::string_view name) {
    indent(out, depth);
    out += '<';
    out += name;
    out += '>';
}

void closeElement(std::string& out, std::string_view name) {
    out += "</";
    out += name;
    out += ">\n";
}

void element(std::string& out, std::size_t depth, std::string_view name,
             std::string_view escapedText) {
    openElement(out, depth, name);
    out += escapedText;
    closeElement(out, name);
}

void textElement(std::string& out, std::size_t depth, std::string_view name,
                 std::string_view text) {
    openElement(out, depth, name);
    appendEscaped(out, text);
    closeElement(out, name);
}

class XmlWriter {
public:
    std::string finish(const Value& root) {
        out_ = kHeader;
        write(root, 0);
        out_ += "</plist>\n";
        return std::move(out_);
    }

private:
    void indent(std::size_t depth) { plist::indent(out_, depth); }
    void element(std::size_t depth, std::string_view name, std::string_view escapedText) {
        plist::element(out_, depth, name, escapedText);
    }
    void textElement(std::size_t depth, std::string_view name, std::string_view text) {
        plist::textElement(out_, depth, name, text);
    }

    void write(const Value& value, std::size_t depth) {
        switch (value.kind()) {
        case Value::Kind::Dictionary:
            writeDictionary(*value.dictionary(), depth);
            break;
        case Value::Kind::Array:
            writeArray(*value.array(), depth);
            break;
        case Value::Kind::String:
            textElement(depth, "string", *value.string());
            break;
        case Value::Kind::Real:
            element(depth, "real", detail::formatReal(*value.real()));
            break;
        case Value::Kind::Integer:
            element(depth, "integer",
                    value.integer() ? std::to_string(*value.integer())
                                    : std::to_string(*value.unsignedInteger()));
            break;
        case Value::Kind::Boolean:
            indent(depth);
            out_ += *value.boolean() ? "<true/>\n" : "<false/>\n";
            break;
        case Value::Kind::Data:
            writeData(*value.data(), depth);
            break;
        case Value::Kind::Date:
            element(depth, "date", detail::formatIsoDate(value.date()->secondsSince2001));
            break;
        }
    }

    void writeDictionary(const Dictionary& dictionary, std::size_t depth) {
        indent(depth);
        if (dictionary.empty()) {
            out_ += "<dict/>\n";
            return;
        }
        out_ += "<dict>\n";
        for (const auto& entry : detail::cleanedEntries(dictionary, allowedInXml)) {
            textElement(depth + 1, "key", entry.key);
            write(*entry.value, depth + 1);
        }
        indent(depth);
        out_ += "</dict>\n";
    }

    void writeArray(const Array& array, std::size_t depth) {
        indent(depth);
        if (array.empty()) {
            out_ += "<array/>\n";
            return;
        }
        out_ += "<array>\n";
        for (const auto& value : array)
            write(value, depth + 1);
        indent(depth);
        out_ += "</array>\n";
    }

    // Apple keeps base64 lines within 76 columns, counting a tab as 8, but never under 16
    // characters however deep the nesting.
    void writeData(const Data& data, std::size_t depth) {
        constexpr std::size_t kLineWidth = 76, kTabWidth = 8, kMinimumLine = 16;
        const std::size_t lineLength = depth * kTabWidth + kMinimumLine >= kLineWidth
                                           ? kMinimumLine
                                           : kLineWidth - depth * kTabWidth;
        indent(depth);
        out_ += "<data>\n";
        detail::appendBase64Lines(out_, data.bytes, lineLength, std::string(depth, '\t'));
        indent(depth);
        out_ += "</data>\n";
    }

    std::string out_;
};

} // namespace

std::string writeXml(const Value& root) { return XmlWriter().finish(root); }

XmlDictionaryWriter::XmlDictionaryWriter() {
    // Room for a few entries, so that a small dictionary is written without growing.
    mOut.reserve(512);
    mOut = kHeader;
}

void XmlDictionaryWriter::addKey(std::string_view key) {
    if (mEntries++ == 0)
        mOut += "<dict>\n";
    textElement(mOut, 1, "key", key);
}

void XmlDictionaryWriter::addInteger(std::string_view key, std::int64_t value) {
    addKey(key);
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    element(mOut, 1, "integer", std::string_view(digits, std::size_t(end - digits)));
}

void XmlDictionaryWriter::addReal(std::string_view key, double value) {
    addKey(key);
    element(mOut, 1, "real", detail::formatReal(value));
}

void XmlDictionaryWriter::addString(std::string_view key, std::string_view value) {
    addKey(key);
    textElement(mOut, 1, "string", value);
}

std::string XmlDictionaryWriter::finish() {
    mOut += mEntries == 0 ? "<dict/>\n" : "</dict>\n";
    mOut += "</plist>\n";
    return std::move(mOut);
}

} // namespace plist
