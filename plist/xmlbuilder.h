// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/value.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plist::detail {

// Turns the element events of an already well-formed XML stream into a Value, refusing anything
// the property list DTD does not allow. Kept apart from the XML parser so the structure rules
// live in one place whatever feeds them.
class XmlBuilder {
public:
    // attributes alternates names and values and ends with a null pointer, as SAX parsers give
    // them. Each event answers false once the document cannot be a property list; error() says
    // why.
    bool startElement(std::string_view name, const char* const* attributes);
    bool endElement();
    bool characters(std::string_view text);

    bool started() const { return started_; }
    bool finished() const { return finished_; }
    Value takeValue() { return std::move(result_); }
    const std::string& error() const { return error_; }

private:
    enum class Element { Plist, Dict, Array, Key, String, Real, Integer, True, False, Data, Date };

    struct Frame {
        Element element;
        Value value;                    // the container being filled, or the plist's one child
        bool hasValue = false;          // for Plist: its child has been seen
        std::string text;               // for elements that hold text
        std::optional<std::string> key; // for Dict: the key still waiting for its value
    };

    static std::optional<Element> elementNamed(std::string_view name);
    static std::string_view nameOf(Element element);
    static bool holdsText(Element element);

    bool fail(std::string reason);
    bool checkPlacement(Element element);
    bool checkAttributes(Element element, const char* const* attributes);
    std::optional<Value> leafValue(Frame& frame);
    bool attach(Value value);

    std::vector<Frame> stack_;
    std::size_t containerDepth_ = 0;
    bool started_ = false;
    bool finished_ = false;
    Value result_;
    std::string error_;
};

} // namespace plist::detail
