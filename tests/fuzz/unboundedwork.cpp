// SPDX-License-Identifier: GPL-3.0-or-later
#include "unboundedwork.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 24> kBuiltins = {
    "sin", "cos",   "tan",   "asin", "acos", "atan",  "sqrt",  "exp",
    "log", "log10", "log2",  "abs",  "fabs", "ceil",  "floor", "round",
    "rad", "deg",   "atan2", "max",  "min",  "hypot", "if",    "\xE2\x88\x9A",
};

// Anything that may belong to a name, non-ASCII bytes included, as the grammar may accept them.
bool isNameByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 || byte == '_' || (byte >= '0' && byte <= '9') ||
           (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

} // namespace

bool MayBranchRecursively(std::string_view body) {
    int calls = 0;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '(')
            continue;
        std::size_t start = i;
        while (start > 0 && isNameByte(body[start - 1]))
            --start;
        while (start < i && body[start] >= '0' && body[start] <= '9')
            ++start; // "2f(x)" multiplies 2 by a call of f
        const std::string_view name = body.substr(start, i - start);
        const bool builtin = std::find(kBuiltins.begin(), kBuiltins.end(), name) != kBuiltins.end();
        if (!name.empty() && !builtin && ++calls > 1)
            return true;
    }
    return false;
}

std::string_view DefinitionBody(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || line.substr(0, equals).find('(') == line.npos)
        return {};
    return line.substr(equals + 1);
}
