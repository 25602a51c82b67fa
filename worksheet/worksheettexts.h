#pragma once

// Adds the worksheet's own texts ("Syntax error", "Defined variables:", …) to the keyed texts
// the document framework looks up. The shared WorksheetSettings does it when it is made; doing
// it again changes nothing.
void addWorksheetTexts();
