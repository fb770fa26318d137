#pragma once

#include "cad/cad_link.h"
#include "core/variant.h"
#include "scenario_script.h"

namespace zemvo::scenario {

// Values written in scenario words; a malformed one is a ScenarioError of
// the given line.
int integerWord(const Word& word, int line);
bool flagWord(const Word& word, int line);  // 0 or 1
double numberWord(const Word& word, int line);
// "x,y" or "x,y,z"
CadPoint pointWord(const Word& word, int line);
// A quoted word is a text; "1,2,3" an array of doubles; an integer a 16-bit
// integer (32-bit when it needs more); "true"/"false" a boolean; another
// number a double; any other word a text.
Variant variantWord(const Word& word, int line);

}  // namespace zemvo::scenario
