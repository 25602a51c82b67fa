// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Adds the worksheet's own texts ("Syntax error", "Defined variables:", …) to the keyed texts
// the document framework looks up. The application does it before its first worksheet; doing
// it again changes nothing.
void addWorksheetTexts();
