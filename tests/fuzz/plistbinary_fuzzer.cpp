// SPDX-License-Identifier: GPL-3.0-or-later
// The binary property-list reader on untrusted bytes; what it accepts writes back in a form that
// reads back to the same bytes.

#include "fuzzcheck.h"
#include "plist/binaryreader.h"
#include "plist/binarywriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    plist::ReadResult read = plist::readBinary(input);
    FUZZ_CHECK(read.value.has_value() == read.error.empty());
    if (read.value) {
        const std::string written = plist::writeBinary(*read.value);
        plist::ReadResult reread = plist::readBinary(written);
        FUZZ_CHECK(reread.value.has_value());
        FUZZ_CHECK(plist::writeBinary(*reread.value) == written);
    }
    return 0;
}
