// SPDX-License-Identifier: GPL-3.0-or-later
// The XML property-list reader, whole and in pieces: any split gives the outcome of reading the
// whole, and what was read is written back in a form that reads back to the same bytes.

#include "fuzzcheck.h"
#include "plist/xmlreader.h"
#include "plist/xmlwriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using Status = plist::IncrementalXmlReader::Status;

// Feeds the input in pieces whose lengths come from the input's own bytes, so the fuzzer
// explores the splits along with the content.
plist::IncrementalXmlReader readInPieces(std::string_view input) {
    plist::IncrementalXmlReader reader;
    std::size_t offset = 0;
    while (offset < input.size() && reader.status() == Status::Incomplete) {
        const std::size_t length = 1 + static_cast<unsigned char>(input[offset]) % 17;
        reader.feed(input.substr(offset, length));
        offset += length;
    }
    return reader;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    plist::ReadResult whole = plist::readXml(input);
    FUZZ_CHECK(whole.value.has_value() == whole.error.empty());

    plist::IncrementalXmlReader pieces = readInPieces(input);
    if (pieces.status() == Status::Complete) {
        // Whatever follows </plist> belongs to the next document, so only the prefix must agree.
        FUZZ_CHECK(pieces.endOffset() <= input.size());
        plist::ReadResult prefix = plist::readXml(input.substr(0, pieces.endOffset()));
        FUZZ_CHECK(prefix.value.has_value());
        FUZZ_CHECK(*prefix.value == pieces.takeValue());
    } else if (pieces.status() == Status::Malformed) {
        FUZZ_CHECK(!whole.value.has_value());
        FUZZ_CHECK(!pieces.error().empty());
    } else {
        FUZZ_CHECK(!whole.value.has_value());
    }

    if (whole.value) {
        const std::string written = plist::writeXml(*whole.value);
        plist::ReadResult reread = plist::readXml(written);
        FUZZ_CHECK(reread.value.has_value());
        FUZZ_CHECK(plist::writeXml(*reread.value) == written);
    }
    return 0;
}
