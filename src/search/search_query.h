#pragma once

#include <string>
#include <string_view>

// Turns what a user typed into a full-text match expression in which none of the
// user's characters acts as query syntax. Words separated by blanks must all occur;
// text between double quotes is one phrase (an unclosed quote runs to the end); a
// word or phrase ending in "*" matches as a prefix. Every word and phrase is quoted,
// so that operators (AND, OR, NOT, NEAR), parentheses, minus signs, colons and
// stars elsewhere are ordinary characters. Words without a letter or digit are
// dropped. Returns an empty string when nothing is left to search for.
std::string MatchExpression(std::string_view typed);
