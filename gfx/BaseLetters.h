#pragma once

// The unaccented letters that stand for an accented Latin letter of Windows-1252 ("o" for ö,
// "ss" for ß, "AE" for Æ), for a font that lacks the letter itself; nullptr for any other
// character.
const char* BaseLetters(char c);
