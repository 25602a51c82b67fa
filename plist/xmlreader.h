// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plist/readresult.h"
#include "plist/value.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace plist {

namespace detail {
class XmlSession;
}

// Reads the XML form strictly: anything that is not well-formed XML or not a property list is an
// error naming the line and column. Documents declaring entities are refused outright. The one
// leniency: whitespace before the document, such as the newline ending a previous one, is skipped.
ReadResult readXml(std::string_view text);

// Reads a document arriving in pieces, as replies do over a pipe. Any split of the input gives
// the same outcome as readXml on the whole of it; the reader reports Complete the moment
// </plist> closes, leaving whatever follows to the next reader.
class IncrementalXmlReader {
public:
    enum class Status { Incomplete, Complete, Malformed };

    IncrementalXmlReader() noexcept;
    ~IncrementalXmlReader();
    IncrementalXmlReader(IncrementalXmlReader&&) noexcept;
    IncrementalXmlReader& operator=(IncrementalXmlReader&&) noexcept;

    // Once Complete or Malformed, further input is ignored until reset().
    Status feed(std::string_view chunk);
    Status status() const;

    // When Complete: the offset, within everything fed since the last reset, just past </plist>.
    std::size_t endOffset() const;

    // When Complete: the document's value, moved out.
    Value takeValue();

    // When Malformed: why, with line and column.
    const std::string& error() const;

    void reset() noexcept;

private:
    std::unique_ptr<detail::XmlSession> session_;
};

} // namespace plist
