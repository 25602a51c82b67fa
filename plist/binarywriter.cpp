// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/binarywriter.h"

#include "plist/binaryformat.h"
#include "plist/cleanedkeys.h"
#include "plist/utf8.h"

#include <bit>
#include <cstdint>
#include <vector>

namespace plist {

using namespace detail;

namespace {

std::uint8_t bytesNeeded(std::uint64_t value) {
    std::uint8_t size = 1;
    while (size < 8 && value >> (8 * size) != 0)
        ++size;
    return size;
}

std::uint64_t countObjects(const Value& value) {
    std::uint64_t count = 1;
    if (const auto* array = value.array()) {
        for (const auto& element : *array)
            count += countObjects(element);
    } else if (const auto* dictionary = value.dictionary()) {
        for (const auto& entry : cleanedEntries(*dictionary, nullptr))
            count += 1 + countObjects(*entry.value);
    }
    return count;
}

// Objects are written without sharing: each value gets its own object, so the layout follows
// the tree and identical input always gives identical bytes. The root is object 0.
class BinaryWriter {
public:
    std::string finish(const Value& root) {
        const std::uint64_t objectCount = countObjects(root);
        refSize_ = bytesNeeded(objectCount - 1);
        offsets_.resize(objectCount);
        out_ = kBinaryMagic;
        write(root);

        const std::uint64_t tableOffset = out_.size();
        const std::uint8_t offsetSize = bytesNeeded(tableOffset);
        for (std::uint64_t offset : offsets_)
            appendBigEndian(offset, offsetSize);
        out_.append(6, '\0');
        out_ += static_cast<char>(offsetSize);
        out_ += static_cast<char>(refSize_);
        appendBigEndian(objectCount, 8);
        appendBigEndian(0, 8);
        appendBigEndian(tableOffset, 8);
        return std::move(out_);
    }

private:
    void appendBigEndian(std::uint64_t value, std::size_t size) {
        for (std::size_t i = size; i-- > 0;)
            out_ += static_cast<char>(value >> (8 * i));
    }

    void appendInteger(std::int64_t value) {
        // Non-negative values take the smallest unsigned width; negative ones need all 8 bytes.
        const std::uint8_t size =
            value < 0 ? 8 : std::bit_ceil(bytesNeeded(static_cast<std::uint64_t>(value)));
        out_ += static_cast<char>(marker::kInteger | std::countr_zero(size));
        appendBigEndian(static_cast<std::uint64_t>(value), size);
    }

    // Apple writes unsigned values above INT64_MAX as 16-byte integers with a zero upper half.
    void appendUnsignedAboveSigned(std::uint64_t value) {
        out_ += static_cast<char>(marker::kInteger | 4);
        appendBigEndian(0, 8);
        appendBigEndian(value, 8);
    }

    void appendHead(std::uint8_t kind, std::uint64_t count) {
        if (count < marker::kExtendedCount) {
            out_ += static_cast<char>(kind | count);
        } else {
            out_ += static_cast<char>(kind | marker::kExtendedCount);
            appendInteger(static_cast<std::int64_t>(count));
        }
    }

    void place(std::uint64_t ref) { offsets_[ref] = out_.size(); }

    void appendString(const std::string& text) {
        if (detail::isAscii(text)) {
            appendHead(marker::kAsciiString, text.size());
            out_ += text;
        } else {
            const std::string units = detail::utf8ToUtf16BigEndian(text);
            appendHead(marker::kUtf16String, units.size() / 2);
            out_ += units;
        }
    }

    std::uint64_t writeString(const std::string& text) {
        const std::uint64_t ref = nextRef_++;
        place(ref);
        appendString(text);
        return ref;
    }

    std::uint64_t write(const Value& value) {
        const std::uint64_t ref = nextRef_++;
        std::vector<std::uint64_t> children;
        if (const auto* array = value.array()) {
            children.reserve(array->size());
            for (const auto& element : *array)
                children.push_back(write(element));
        } else if (const auto* dictionary = value.dictionary()) {
            const auto entries = cleanedEntries(*dictionary, nullptr);
            children.reserve(2 * entries.size());
            for (const auto& entry : entries)
                children.push_back(writeString(entry.key));
            for (const auto& entry : entries)
                children.push_back(write(*entry.value));
        }

        place(ref);
        switch (value.kind()) {
        case Value::Kind::Dictionary:
            appendHead(marker::kDictionary, children.size() / 2);
            break;
        case Value::Kind::Array:
            appendHead(marker::kArray, children.size());
            break;
        case Value::Kind::String:
            appendString(*value.string());
            break;
        case Value::Kind::Real:
            out_ += static_cast<char>(marker::kReal | 3);
            appendBigEndian(std::bit_cast<std::uint64_t>(*value.real()), 8);
            break;
        case Value::Kind::Integer:
            if (const auto integer = value.integer())
                appendInteger(*integer);
            else
                appendUnsignedAboveSigned(*value.unsignedInteger());
            break;
        case Value::Kind::Boolean:
            out_ += static_cast<char>(*value.boolean() ? marker::kTrue : marker::kFalse);
            break;
        case Value::Kind::Data:
            appendHead(marker::kData, value.data()->bytes.size());
            out_.append(value.data()->bytes.begin(), value.data()->bytes.end());
            break;
        case Value::Kind::Date:
            out_ += static_cast<char>(marker::kDate);
            appendBigEndian(std::bit_cast<std::uint64_t>(value.date()->secondsSince2001), 8);
            break;
        }
        for (std::uint64_t child : children)
            appendBigEndian(child, refSize_);
        return ref;
    }

    std::string out_;
    std::vector<std::uint64_t> offsets_;
    std::uint64_t nextRef_ = 0;
    std::uint8_t refSize_ = 1;
};

} // namespace

std::string writeBinary(const Value& root) { return BinaryWriter().finish(root); }

} // namespace plist
