// SPDX-License-Identifier: GPL-3.0-or-later
#include "plist/binaryreader.h"

#include "bplist_builder.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace plist {
namespace {

using test::bigEndian;
using test::Bplist;
using test::bytes;

TEST(BinaryReader, ReadsEveryObjectKind) {
    const std::string ff8 = std::string(8, '\xFF');
    const std::string zero8 = std::string(8, '\0');
    struct Row {
        const char* what;
        Bplist file;
        Value expected;
    };
    const Row rows[] = {
        {"1-byte integer", {{bytes({0x10, 0xFF})}}, 255},
        {"2-byte integer", {{bytes({0x11, 0x01, 0x00})}}, 256},
        {"4-byte integer is unsigned", {{bytes({0x12}) + std::string(4, '\xFF')}}, 4294967295},
        {"8-byte integer is signed", {{bytes({0x13}) + ff8}}, -1},
        {"16-byte positive", {{bytes({0x14}) + zero8 + bigEndian(5, 8)}}, 5},
        {"16-byte negative", {{bytes({0x14}) + ff8 + bigEndian(-2, 8)}}, -2},
        {"16-byte unsigned above int64",
         {{bytes({0x14}) + zero8 + ff8}},
         Value::fromUnsigned(std::numeric_limits<std::uint64_t>::max())},
        {"4-byte real", {{bytes({0x22, 0x3F, 0xC0, 0x00, 0x00})}}, 1.5},
        {"8-byte real", {{bytes({0x23}) + bigEndian(test::bits(0.1), 8)}}, 0.1},
        {"date", {{bytes({0x33}) + bigEndian(test::bits(-1.5), 8)}}, Date{-1.5}},
        {"booleans", {{bytes({0xA2, 1, 2}), bytes({0x08}), bytes({0x09})}}, Array{false, true}},
        {"data", {{bytes({0x43, 1, 2, 3})}}, Data{{1, 2, 3}}},
        {"ASCII string", {{bytes({0x53}) + std::string("a\0b", 3)}}, std::string("a\0b", 3)},
        {"extended count",
         {{bytes({0x5F, 0x10, 20}) + std::string(20, 'x')}},
         std::string(20, 'x')},
        {"UTF-16 with a pair", {{bytes({0x63, 0x03, 0xC0, 0xD8, 0x3D, 0xDE, 0x00})}}, "π😀"},
        {"unpaired surrogates",
         {{bytes({0x63, 0xDC, 0x00, 0xD8, 0x00, 0x00, 0x41})}},
         "\uFFFD\uFFFDA"},
        {"set reads as array", {{bytes({0xC2, 1, 1}), bytes({0x10, 3})}}, Array{3, 3}},
        {"dictionary",
         {{bytes({0xD2, 1, 2, 3, 3}), bytes({0x51, 'b'}), bytes({0x51, 'a'}), bytes({0x10, 9})}},
         Dictionary{{"a", 9}, {"b", 9}}},
        {"repeated key keeps the last",
         {{bytes({0xD2, 1, 1, 2, 3}), bytes({0x51, 'k'}), bytes({0x10, 1}), bytes({0x10, 2})}},
         Dictionary{{"k", 2}}},
        {"wide offsets and references", {{bytes({0xA1, 0, 1}), bytes({0x09})}, 2, 2}, Array{true}},
        {"top object not first", {{bytes({0x08}), bytes({0x09})}, 1, 1, 1}, true},
    };
    for (const auto& row : rows) {
        const ReadResult result = readBinary(row.file.build());
        ASSERT_TRUE(result) << row.what << ": " << result.error;
        EXPECT_EQ(*result.value, row.expected) << row.what;
    }
}

Bplist exponential(int levels) {
    Bplist file;
    for (int i = 0; i < levels; ++i)
        file.objects.push_back(bytes({0xA2, i + 1, i + 1}));
    file.objects.push_back(bytes({0x10, 1}));
    return file;
}

TEST(BinaryReader, RefusesHostileFilesWithAReason) {
    const std::string huge = bytes({0x13, 0x7F}) + std::string(7, '\xFF');
    struct Row {
        const char* what;
        std::string file;
    };
    const Row rows[] = {
        {"empty", ""},
        {"other version", "bplist01" + Bplist{{bytes({0x09})}}.build().substr(8)},
        {"offset size 0", Bplist{{bytes({0x09})}, 0}.build()},
        {"reference size 9", Bplist{{bytes({0x09})}, 1, 9}.build()},
        {"top object out of range", Bplist{{bytes({0x09})}, 1, 1, 1}.build()},
        {"no objects", Bplist{{bytes({0x09})}, 1, 1, 0, 0}.build()},
        {"object count past the table", Bplist{{bytes({0x09})}, 1, 1, 0, 1000}.build()},
        {"table offset past the file", Bplist{{bytes({0x09})}, 1, 1, 0, 0, 500}.build()},
        {"table offset in the header", Bplist{{bytes({0x09})}, 1, 1, 0, 0, 3}.build()},
        {"object offset in the table", Bplist{{bytes({0x09})}, 1, 1, 0, 0, 0, {9}}.build()},
        {"object offset in the header", Bplist{{bytes({0x09})}, 1, 1, 0, 0, 0, {2}}.build()},
        {"reference out of range", Bplist{{bytes({0xA1, 5})}}.build()},
        {"array containing itself", Bplist{{bytes({0xA1, 0})}}.build()},
        {"indirect cycle",
         Bplist{{bytes({0xA1, 1}), bytes({0xD1, 2, 0}), bytes({0x51, 'k'})}}.build()},
        {"key is not a string", Bplist{{bytes({0xD1, 1, 1}), bytes({0x10, 1})}}.build()},
        {"UID", Bplist{{bytes({0x80, 1})}}.build()},
        {"null", Bplist{{bytes({0x00})}}.build()},
        {"fill", Bplist{{bytes({0x0F})}}.build()},
        {"unused marker", Bplist{{bytes({0x70})}}.build()},
        {"integer of 32 bytes", Bplist{{bytes({0x15}) + std::string(32, '\0')}}.build()},
        {"128-bit integer too large",
         Bplist{{bytes({0x14}) + bigEndian(1, 8) + bigEndian(0, 8)}}.build()},
        {"128-bit integer too small",
         Bplist{{bytes({0x14}) + std::string(8, '\xFF') + bigEndian(0, 8)}}.build()},
        {"2-byte real", Bplist{{bytes({0x21, 0, 0})}}.build()},
        {"4-byte date", Bplist{{bytes({0x32, 0, 0, 0, 0})}}.build()},
        {"ASCII string with high byte", Bplist{{bytes({0x51, 0xE9})}}.build()},
        {"integer cut short", Bplist{{bytes({0x13, 0, 0})}}.build()},
        {"string past its object area", Bplist{{bytes({0x55, 'a'})}}.build()},
        {"count that is not an integer", Bplist{{bytes({0x5F, 0x23, 0})}}.build()},
        {"huge data count", Bplist{{bytes({0x4F}) + huge}}.build()},
        {"huge UTF-16 count", Bplist{{bytes({0x6F}) + huge}}.build()},
        {"huge array count", Bplist{{bytes({0xAF}) + huge}}.build()},
        {"huge dictionary count", Bplist{{bytes({0xDF}) + huge}}.build()},
        {"shared objects expanding exponentially", exponential(60).build()},
    };
    for (const auto& row : rows) {
        const ReadResult result = readBinary(row.file);
        EXPECT_FALSE(result) << row.what;
        EXPECT_FALSE(result.error.empty()) << row.what;
    }
}

} // namespace
} // namespace plist
