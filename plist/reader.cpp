// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/reader.h"

#include "plist/binaryformat.h"
#include "plist/binaryreader.h"
#include "plist/xmlreader.h"

namespace plist {

ReadResult read(std::string_view bytes) {
    if (bytes.starts_with(detail::kBinaryMagic))
        return readBinary(bytes);
    // Other binary versions would otherwise be reported as an XML syntax error.
    if (bytes.starts_with("bplist"))
        return ReadResult::failure("binary property list version '" +
                                   std::string(bytes.substr(6, 2)) + "' is not supported");
    return readXml(bytes);
}

} // namespace plist
