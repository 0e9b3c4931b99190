#pragma once
// Single-line text fields (names, booking texts): at most as many characters
// as their column holds, and no control characters — pasted line feeds,
// carriage returns and tabs would be stored in a name otherwise.

#include "core/Eingabe.h"

class QLineEdit;

/// Limits field to maxLength characters and drops control characters from
/// what is typed, pasted or set.
void einzeiligesFeld(QLineEdit* field, int maxLength = Eingabe::Textspalte);
