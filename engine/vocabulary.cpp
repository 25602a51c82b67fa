// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/vocabulary.h"

#include "engine/program.h"

#include <atomic>

namespace {

// A worksheet that reads ever new texts against the same names must not grow without bound;
// starting over costs only the parses made afresh.
constexpr std::size_t kMaxKeptParses = 4096;

} // namespace

Vocabulary::Vocabulary() {
    static std::atomic<std::uint64_t> serials{0};
    mSerial = ++serials;
}
Vocabulary::~Vocabulary() = default;

Ref<Vocabulary> Vocabulary::extended(NameKind kind, std::string_view name) {
    Ref<Vocabulary>& extension = mExtensions[{kind, std::string(name)}];
    if (!extension)
        extension = new Vocabulary();
    return extension;
}

Ref<const Program> Vocabulary::find(std::string_view text, ParseMode mode) const {
    const Parses& kept = parses(mode);
    auto hit = kept.find(text);
    return hit == kept.end() ? nullptr : hit->second;
}

void Vocabulary::keep(std::string_view text, ParseMode mode, Ref<const Program> program) {
    Parses& kept = parses(mode);
    if (kept.size() >= kMaxKeptParses) {
        kept.clear();
        ++mGeneration;
    }
    kept.emplace(std::string(text), std::move(program));
}
