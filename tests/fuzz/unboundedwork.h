// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// True when a function body calls user functions at more than one place. Such a body can branch
// at every level of a recursion, and the work then doubles with each level: no bug, but a line the
// tool's time-out exists for, so the engine targets leave those inputs out. A body with one call
// recurses at most as deep as the engine's scope bound.
bool MayBranchRecursively(std::string_view body);

// The body when the line is a function definition, otherwise empty.
std::string_view DefinitionBody(std::string_view line);
