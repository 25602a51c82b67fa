// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The page of every unit the engine knows, in Markdown, as docs/units.md holds it.

#include <string>

std::string UnitsPage();
