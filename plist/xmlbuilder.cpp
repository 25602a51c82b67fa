// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/xmlbuilder.h"

#include "plist/base64.h"
#include "plist/excerpt.h"
#include "plist/isodate.h"
#include "plist/numbers.h"
#include "plist/readresult.h"

#include <array>
#include <utility>

namespace plist::detail {

std::optional<XmlBuilder::Element> XmlBuilder::elementNamed(std::string_view name) {
    constexpr std::array<std::pair<std::string_view, Element>, 11> kNames{{
        {"plist", Element::Plist},
        {"dict", Element::Dict},
        {"array", Element::Array},
        {"key", Element::Key},
        {"string", Element::String},
        {"real", Element::Real},
        {"integer", Element::Integer},
        {"true", Element::True},
        {"false", Element::False},
        {"data", Element::Data},
        {"date", Element::Date},
    }};
    for (const auto& [candidate, element] : kNames)
        if (candidate == name)
            return element;
    return std::nullopt;
}

std::string_view XmlBuilder::nameOf(Element element) {
    switch (element) {
    case Element::Plist:
        return "<plist>";
    case Element::Dict:
        return "<dict>";
    case Element::Array:
        return "<array>";
    case Element::Key:
        return "<key>";
    case Element::String:
        return "<string>";
    case Element::Real:
        return "<real>";
    case Element::Integer:
        return "<integer>";
    case Element::True:
        return "<true>";
    case Element::False:
        return "<false>";
    case Element::Data:
        return "<data>";
    case Element::Date:
        return "<date>";
    }
    return "<?>";
}

bool XmlBuilder::holdsText(Element element) {
    switch (element) {
    case Element::Key:
    case Element::String:
    case Element::Real:
    case Element::Integer:
    case Element::Data:
    case Element::Date:
        return true;
    default:
        return false;
    }
}

bool XmlBuilder::fail(std::string reason) {
    if (error_.empty())
        error_ = std::move(reason);
    return false;
}

bool XmlBuilder::startElement(std::string_view name, const char* const* attributes) {
    const auto element = elementNamed(name);
    if (!started_) {
        if (element != Element::Plist)
            return fail("the root element is " + excerpt(name) + ", not <plist>");
        started_ = true;
        if (!checkAttributes(Element::Plist, attributes))
            return false;
        stack_.push_back({Element::Plist, Value(), false, {}, {}});
        return true;
    }
    if (!element)
        return fail("unknown element " + excerpt(name));
    if (!checkPlacement(*element) || !checkAttributes(*element, attributes))
        return false;
    if (*element == Element::Dict || *element == Element::Array) {
        if (++containerDepth_ > kMaxNestingDepth)
            return fail("containers are nested more than " + std::to_string(kMaxNestingDepth) +
                        " deep");
    }
    Value initial = *element == Element::Array ? Value(Array{}) : Value();
    stack_.push_back({*element, std::move(initial), false, {}, {}});
    return true;
}

bool XmlBuilder::checkPlacement(Element element) {
    const Frame& parent = stack_.back();
    const std::string name(nameOf(element));
    switch (parent.element) {
    case Element::Plist:
        if (element == Element::Plist || element == Element::Key)
            return fail(name + " cannot stand directly inside <plist>");
        if (parent.hasValue)
            return fail("<plist> holds more than one value");
        return true;
    case Element::Dict:
        if (element == Element::Key) {
            if (parent.key)
                return fail("<key> " + excerpt(*parent.key) + " has no value");
            return true;
        }
        if (element == Element::Plist)
            return fail("<plist> cannot be nested");
        if (!parent.key)
            return fail(name + " in <dict> without a <key> before it");
        return true;
    case Element::Array:
        if (element == Element::Plist || element == Element::Key)
            return fail(name + " cannot stand inside <array>");
        return true;
    default:
        return fail(name + " cannot stand inside " + std::string(nameOf(parent.element)));
    }
}

bool XmlBuilder::checkAttributes(Element element, const char* const* attributes) {
    for (auto attribute = attributes; attribute && *attribute; attribute += 2) {
        const std::string_view name = *attribute;
        if (element == Element::Plist && name == "version")
            continue;
        return fail("unexpected attribute " + excerpt(name) + " on " +
                    std::string(nameOf(element)));
    }
    return true;
}

bool XmlBuilder::characters(std::string_view text) {
    if (stack_.empty())
        return true;
    Frame& frame = stack_.back();
    if (holdsText(frame.element)) {
        frame.text += text;
        return true;
    }
    // Not quoted: expat may hand the text over in pieces, and the reason should not depend on
    // how the input was split.
    if (!trimXmlSpace(text).empty())
        return fail("unexpected text in " + std::string(nameOf(frame.element)));
    return true;
}

std::optional<Value> XmlBuilder::leafValue(Frame& frame) {
    std::string reason;
    switch (frame.element) {
    case Element::String:
        return Value(std::move(frame.text));
    case Element::Real:
        if (auto real = parseReal(frame.text, reason))
            return Value(*real);
        break;
    case Element::Integer:
        if (auto integer = parseInteger(frame.text, reason))
            return integer;
        break;
    case Element::True:
        return Value(true);
    case Element::False:
        return Value(false);
    case Element::Data:
        if (auto bytes = decodeBase64(frame.text, reason))
            return Value(Data{std::move(*bytes)});
        break;
    case Element::Date:
        if (auto seconds = parseIsoDate(trimXmlSpace(frame.text), reason))
            return Value(Date{*seconds});
        break;
    default:
        break;
    }
    fail(std::move(reason));
    return std::nullopt;
}

bool XmlBuilder::endElement() {
    Frame frame = std::move(stack_.back());
    stack_.pop_back();
    switch (frame.element) {
    case Element::Plist:
        if (!frame.hasValue)
            return fail("<plist> holds no value");
        result_ = std::move(frame.value);
        finished_ = true;
        return true;
    case Element::Key:
        stack_.back().key = std::move(frame.text);
        return true;
    case Element::Dict:
        if (frame.key)
            return fail("<key> " + excerpt(*frame.key) + " has no value");
        --containerDepth_;
        return attach(std::move(frame.value));
    case Element::Array:
        --containerDepth_;
        return attach(std::move(frame.value));
    default:
        if (auto value = leafValue(frame))
            return attach(std::move(*value));
        return false;
    }
}

bool XmlBuilder::attach(Value value) {
    Frame& parent = stack_.back();
    switch (parent.element) {
    case Element::Plist:
        parent.value = std::move(value);
        parent.hasValue = true;
        break;
    case Element::Dict:
        // A repeated key keeps its last value, as Apple's reader does.
        parent.value.dictionary()->insert_or_assign(std::move(*parent.key), std::move(value));
        parent.key.reset();
        break;
    default:
        parent.value.array()->push_back(std::move(value));
        break;
    }
    return true;
}

} // namespace plist::detail
