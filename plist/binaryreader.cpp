// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/binaryreader.h"

#include "plist/binaryformat.h"
#include "plist/utf8.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <new>
#include <string>
#include <vector>

namespace plist {

using namespace detail;

namespace {

// Shared objects are expanded into the tree, so a small file could otherwise describe an
// exponentially large value. Each object read costs one unit plus its payload bytes; a file may
// spend this many units per byte of its own, plus a fixed allowance for small files.
constexpr std::uint64_t kExpansionPerByte = 8;
constexpr std::uint64_t kExpansionAllowance = std::uint64_t{1} << 18;

struct Malformed {
    std::string reason;
};

[[noreturn]] void fail(std::string reason) { throw Malformed{std::move(reason)}; }

std::string unknownMarker(std::uint8_t head) {
    char text[32];
    std::snprintf(text, sizeof text, "unknown marker 0x%02X", head);
    return text;
}

class BinaryReader {
public:
    explicit BinaryReader(std::string_view bytes) : bytes_(bytes) {}

    Value read() {
        readTrailer();
        inProgress_.assign(objectCount_, false);
        budget_ = kExpansionPerByte * bytes_.size() + kExpansionAllowance;
        return readObject(topObject_, 0);
    }

private:
    // Callers have checked that the bytes lie inside the file.
    std::uint64_t bigEndian(std::uint64_t pos, std::size_t size) const {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value = value << 8 | static_cast<std::uint8_t>(bytes_[pos + i]);
        return value;
    }

    void readTrailer() {
        const std::uint64_t size = bytes_.size();
        if (size < kBinaryMagic.size() + kTrailerSize + 2 || !bytes_.starts_with(kBinaryMagic))
            fail("not a binary property list, or too short to be one");
        const std::uint64_t trailer = size - kTrailerSize;
        offsetSize_ = static_cast<std::uint8_t>(bytes_[trailer + 6]);
        refSize_ = static_cast<std::uint8_t>(bytes_[trailer + 7]);
        objectCount_ = bigEndian(trailer + 8, 8);
        topObject_ = bigEndian(trailer + 16, 8);
        tableOffset_ = bigEndian(trailer + 24, 8);
        if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8)
            fail("trailer gives offset size " + std::to_string(offsetSize_) +
                 " and reference size " + std::to_string(refSize_) + "; both must be 1 to 8");
        if (objectCount_ == 0 || topObject_ >= objectCount_)
            fail("trailer names top object " + std::to_string(topObject_) + " of " +
                 std::to_string(objectCount_));
        if (tableOffset_ <= kBinaryMagic.size() || tableOffset_ > trailer ||
            objectCount_ > (trailer - tableOffset_) / offsetSize_)
            fail("the offset table for " + std::to_string(objectCount_) + " objects at offset " +
                 std::to_string(tableOffset_) + " does not fit in the file");
    }

    std::uint64_t offsetOf(std::uint64_t ref) const {
        const std::uint64_t offset = bigEndian(tableOffset_ + ref * offsetSize_, offsetSize_);
        if (offset < kBinaryMagic.size() || offset >= tableOffset_)
            fail("object " + std::to_string(ref) + " has offset " + std::to_string(offset) +
                 ", outside the object area");
        return offset;
    }

    // A reader positioned inside one object, which may not run into the offset table.
    struct Cursor {
        const BinaryReader& reader;
        std::uint64_t ref;
        std::uint64_t pos;

        [[noreturn]] void error(const std::string& reason) const {
            fail("object " + std::to_string(ref) + ": " + reason);
        }

        void need(std::uint64_t count, std::uint64_t unitSize, const char* what) const {
            if (count > (reader.tableOffset_ - pos) / unitSize)
                error(std::string(what) + " of " + std::to_string(count) +
                      " runs past the object area");
        }

        std::uint64_t take(std::size_t size) {
            need(size, 1, "a field");
            const std::uint64_t value = reader.bigEndian(pos, size);
            pos += size;
            return value;
        }

        std::string_view takeBytes(std::uint64_t count, std::uint64_t unitSize, const char* what) {
            need(count, unitSize, what);
            const auto view = reader.bytes_.substr(pos, count * unitSize);
            pos += count * unitSize;
            return view;
        }
    };

    std::uint64_t readCount(Cursor& cursor, std::uint8_t lowNibble) const {
        if (lowNibble != marker::kExtendedCount)
            return lowNibble;
        const auto sizeMarker = static_cast<std::uint8_t>(cursor.take(1));
        if ((sizeMarker & 0xF0) != marker::kInteger || (sizeMarker & 0x0F) > 3)
            cursor.error("a count must be a 1, 2, 4 or 8 byte integer");
        return cursor.take(std::size_t{1} << (sizeMarker & 0x0F));
    }

    void spend(const Cursor& cursor, std::uint64_t units) {
        if (units >= budget_)
            cursor.error("shared objects expand to far more than the file holds");
        budget_ -= units + 1;
    }

    Value readInteger(Cursor& cursor, std::uint8_t sizeCode) const {
        if (sizeCode > 4)
            cursor.error("integer of 2^" + std::to_string(sizeCode) + " bytes");
        if (sizeCode == 4) {
            const std::uint64_t high = cursor.take(8);
            const std::uint64_t low = cursor.take(8);
            // Unsigned 64-bit values are written this way, with a zero upper half.
            if (high == 0)
                return Value::fromUnsigned(low);
            if (high != ~std::uint64_t{0} || low >> 63 == 0)
                cursor.error("128-bit integer does not fit in 64 bits");
            return Value(static_cast<std::int64_t>(low));
        }
        // 1, 2 and 4 byte integers are unsigned; 8 byte ones are two's complement.
        return Value(static_cast<std::int64_t>(cursor.take(std::size_t{1} << sizeCode)));
    }

    Value readObject(std::uint64_t ref, std::size_t depth) {
        Cursor cursor{*this, ref, offsetOf(ref)};
        const auto head = static_cast<std::uint8_t>(cursor.take(1));
        const std::uint8_t low = head & 0x0F;
        switch (head & 0xF0) {
        case 0x00:
            spend(cursor, 0);
            if (head == marker::kFalse || head == marker::kTrue)
                return Value(head == marker::kTrue);
            cursor.error(head == marker::kNull ? "null has no property list value"
                                               : unknownMarker(head));
        case marker::kInteger:
            spend(cursor, 0);
            return readInteger(cursor, low);
        case marker::kReal:
            spend(cursor, 0);
            if (low == 2)
                return Value(static_cast<double>(
                    std::bit_cast<float>(static_cast<std::uint32_t>(cursor.take(4)))));
            if (low == 3)
                return Value(std::bit_cast<double>(cursor.take(8)));
            cursor.error("real of 2^" + std::to_string(low) + " bytes");
        case marker::kDate & 0xF0:
            spend(cursor, 0);
            if (head != marker::kDate)
                cursor.error("date must be an 8 byte real");
            return Value(Date{std::bit_cast<double>(cursor.take(8))});
        case marker::kData: {
            const auto bytes = cursor.takeBytes(readCount(cursor, low), 1, "data");
            spend(cursor, bytes.size());
            return Value(Data{{bytes.begin(), bytes.end()}});
        }
        case marker::kAsciiString: {
            const auto text = cursor.takeBytes(readCount(cursor, low), 1, "string");
            spend(cursor, text.size());
            if (!detail::isAscii(text))
                cursor.error("ASCII string holds a byte above 0x7F");
            return Value(std::string(text));
        }
        case marker::kUtf16String: {
            const auto units = cursor.takeBytes(readCount(cursor, low), 2, "UTF-16 string");
            spend(cursor, units.size());
            return Value(detail::utf16BigEndianToUtf8(units));
        }
        case marker::kUid:
            cursor.error("UID objects belong to keyed archives, which are not property lists");
        case marker::kArray:
        case marker::kSet:
            return readArray(cursor, readCount(cursor, low), depth);
        case marker::kDictionary:
            return readDictionary(cursor, readCount(cursor, low), depth);
        default:
            cursor.error(unknownMarker(head));
        }
    }

    std::uint64_t readRef(Cursor& cursor) const {
        const std::uint64_t ref = cursor.take(refSize_);
        if (ref >= objectCount_)
            cursor.error("refers to object " + std::to_string(ref) + " of only " +
                         std::to_string(objectCount_));
        return ref;
    }

    // Marks a container as open for as long as its children are read, to catch cycles.
    class OpenContainer {
    public:
        OpenContainer(BinaryReader& reader, const Cursor& cursor, std::size_t depth)
            : reader_(reader), ref_(cursor.ref) {
            if (depth >= kMaxNestingDepth)
                cursor.error("containers are nested more than " + std::to_string(kMaxNestingDepth) +
                             " deep");
            if (reader.inProgress_[ref_])
                cursor.error("contains itself");
            reader.inProgress_[ref_] = true;
        }
        ~OpenContainer() { reader_.inProgress_[ref_] = false; }
        OpenContainer(const OpenContainer&) = delete;
        OpenContainer& operator=(const OpenContainer&) = delete;

    private:
        BinaryReader& reader_;
        std::uint64_t ref_;
    };

    Value readArray(Cursor& cursor, std::uint64_t count, std::size_t depth) {
        OpenContainer open(*this, cursor, depth);
        cursor.need(count, refSize_, "array");
        spend(cursor, 0);
        Array array;
        for (std::uint64_t i = 0; i < count; ++i)
            array.push_back(readObject(readRef(cursor), depth + 1));
        return Value(std::move(array));
    }

    Value readDictionary(Cursor& cursor, std::uint64_t count, std::size_t depth) {
        OpenContainer open(*this, cursor, depth);
        cursor.need(count, 2 * refSize_, "dictionary");
        spend(cursor, 0);
        Cursor values{*this, cursor.ref, cursor.pos + count * refSize_};
        Dictionary dictionary;
        for (std::uint64_t i = 0; i < count; ++i) {
            Value key = readObject(readRef(cursor), depth + 1);
            if (!key.isString())
                cursor.error("dictionary key " + std::to_string(i) + " is not a string");
            std::string name = *key.string();
            dictionary.insert_or_assign(std::move(name), readObject(readRef(values), depth + 1));
        }
        return Value(std::move(dictionary));
    }

    std::string_view bytes_;
    std::uint8_t offsetSize_ = 0;
    std::uint8_t refSize_ = 0;
    std::uint64_t objectCount_ = 0;
    std::uint64_t topObject_ = 0;
    std::uint64_t tableOffset_ = 0;
    std::vector<bool> inProgress_;
    std::uint64_t budget_ = 0;
};

} // namespace

ReadResult readBinary(std::string_view bytes) {
    try {
        return ReadResult::success(BinaryReader(bytes).read());
    } catch (const Malformed& malformed) {
        return ReadResult::failure("binary property list: " + malformed.reason);
    } catch (const std::bad_alloc&) {
        return ReadResult::failure("binary property list: out of memory");
    }
}

} // namespace plist
