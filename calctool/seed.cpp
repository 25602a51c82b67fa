#include "calctool/seed.h"

#include "plist/reader.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

SeedResult Failure(std::string reason) { return SeedResult{std::nullopt, std::move(reason)}; }

} // namespace

SeedResult ReadSeedArgument(std::string_view argument) {
    std::string fileText;
    std::string_view text = argument;
    if (!argument.empty() && argument.front() == '@') {
        const std::string path(argument.substr(1));
        std::ifstream file(path, std::ios::binary);
        if (!file)
            return Failure("cannot open " + path);
        std::ostringstream contents;
        contents << file.rdbuf();
        if (file.bad())
            return Failure("cannot read " + path);
        fileText = std::move(contents).str();
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
