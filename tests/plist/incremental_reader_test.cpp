// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/xmlreader.h"
#include "plist/xmlwriter.h"

#include "test_support.h"
#include "xml_cases.h"

#include <gtest/gtest.h>

namespace plist {
namespace {

using Status = IncrementalXmlReader::Status;

std::vector<std::string> sampleDocuments() {
    test::RandomValues random(7);
    std::vector<std::string> documents{
        test::wrapped("<string>a&amp;b&#13;π</string>"),
        "<plist><dict><key>k</key><data>AAEC\nAw==</data></dict></plist>",
        "<?xml version=\"1.0\"?><!-- c --><plist><true/></plist>",
    };
    for (int i = 0; i < 5; ++i)
        documents.push_back(writeXml(random.next()));
    return documents;
}

TEST(IncrementalXmlReader, ByteByByteMatchesWholeAndCompletesAtTheClosingTag) {
    for (const auto& document : sampleDocuments()) {
        const std::size_t end = document.rfind("</plist>") + 8;
        IncrementalXmlReader reader;
        for (std::size_t i = 0; i < document.size(); ++i) {
            const Status status = reader.feed(document.substr(i, 1));
            ASSERT_EQ(status, i + 1 < end ? Status::Incomplete : Status::Complete)
                << "byte " << i << " of " << document;
        }
        EXPECT_EQ(reader.endOffset(), end);
        EXPECT_EQ(reader.takeValue(), *readXml(document).value);
    }
}

TEST(IncrementalXmlReader, LeavesFollowingBytesForTheNextDocument) {
    const auto documents = sampleDocuments();
    std::string stream;
    for (const auto& document : documents)
        stream += document;

    for (std::size_t chunkSize : {1u, 7u, 64u, 100000u}) {
        IncrementalXmlReader reader;
        std::size_t consumed = 0; // bytes of the stream already given to a finished document
        std::size_t fedToReader = 0;
        std::vector<Value> values;
        for (std::size_t pos = 0; pos < stream.size();) {
            const std::string_view chunk = std::string_view(stream).substr(pos, chunkSize);
            pos += chunk.size();
            fedToReader += chunk.size();
            Status status = reader.feed(chunk);
            // One chunk may close several documents: hand each one's leftover to a fresh reader.
            while (status == Status::Complete) {
                values.push_back(reader.takeValue());
                consumed += reader.endOffset();
                const std::size_t leftover = fedToReader - reader.endOffset();
                reader.reset();
                fedToReader = leftover;
                status = reader.feed(std::string_view(stream).substr(consumed, leftover));
            }
            ASSERT_EQ(status, Status::Incomplete) << reader.error();
        }
        ASSERT_EQ(values.size(), documents.size()) << "chunk " << chunkSize;
        for (std::size_t i = 0; i < documents.size(); ++i)
            EXPECT_EQ(values[i], *readXml(documents[i]).value);
    }
}

TEST(IncrementalXmlReader, ReportsMalformedInputAsSoonAsItIsSeen) {
    for (const auto& row : test::badXmlDocuments()) {
        SCOPED_TRACE(row.what);
        const std::size_t rootEnd = row.text.rfind("</plist>");
        if (rootEnd != std::string::npos &&
            row.text.find_first_not_of(" \n", rootEnd + 8) != std::string::npos)
            continue; // the reader stops at </plist>; what follows is the next document's
        IncrementalXmlReader reader;
        for (char byte : row.text)
            if (reader.feed(std::string_view(&byte, 1)) != Status::Incomplete)
                break;
        if (row.truncated) {
            EXPECT_EQ(reader.status(), Status::Incomplete);
            continue;
        }
        ASSERT_EQ(reader.status(), Status::Malformed);
        EXPECT_EQ(reader.error(), readXml(row.text).error);
        EXPECT_EQ(reader.feed(test::wrapped("<true/>")), Status::Malformed);
    }

    IncrementalXmlReader early;
    EXPECT_EQ(early.feed("<plist><array><number>"), Status::Malformed);
    EXPECT_NE(early.error().find("number"), std::string::npos);
    early.reset();
    EXPECT_EQ(early.feed("<plist><true/></plist>"), Status::Complete);
    EXPECT_EQ(early.feed("<plist>"), Status::Complete);
    EXPECT_EQ(early.takeValue(), Value(true));
}

} // namespace
} // namespace plist
