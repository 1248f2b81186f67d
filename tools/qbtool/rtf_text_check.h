#pragma once

#include <string>

// What is wrong with an RTF text of a library source, and on which line of its file.
struct TRtfProblem {
    int Line = 0;
    std::string Message;
};

// Checks that a file holds one whole RTF document as a library stores it: it begins
// with "{\rtf", its braces balance, nothing but white space follows the closing brace,
// and it is plain ASCII without zero bytes (binary picture data after \binN excepted).
// On success trims the white space after the closing brace and returns true.
bool CheckRtfText(std::string& bytes, TRtfProblem& problem);
