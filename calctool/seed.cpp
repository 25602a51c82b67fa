// SPDX-License-Identifier: GPL-3.0-or-later
#include "calctool/seed.h"

#include "plist/reader.h"

#include <fstream>
#include <cstddef>

namespace {

SeedResult Failure(std::string reason) { return SeedResult{std::nullopt, std::move(reason)}; }

} // namespace

SeedResult ReadSeedArgument(std::string_view argument) {
    std::string fileText;
    std::string_view text = argument;
    if (!argument.empty() && argument.front() == '@') {
        const std::string path(argument.substr(1));
        std::ifstream file(path, std::ios::binary | std::ios::ate);
        if (!file)
            return Failure("cannot open " + path);
        // One read of the whole file: a full worksheet's state is read at every tool start.
        const std::streamoff size = file.tellg();
        if (size < 0 || !file.seekg(0))
            return Failure("cannot read " + path);
        fileText.resize(static_cast<std::size_t>(size));
        if (!file.read(fileText.data(), size))
            return Failure("cannot read " + path);
        text = fileText;
    }
    plist::ReadResult read = plist::read(text);
    if (!read)
        return Failure(read.error);
    plist::Dictionary* dictionary = read.value->dictionary();
    if (!dictionary)
        return Failure("the property list is not a dictionary");
    return SeedResult{std::move(*dictionary), {}};
}
