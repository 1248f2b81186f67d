#pragma once

#include <vector>

class QTextDocument;

// Where the positions of a document went in the copy that is printed.
class TPrintPositions {
public:
    int ToCopy(int position) const;

private:
    friend TPrintPositions PrepareForPrint(QTextDocument& copy);
    struct TEdit {
        int at = 0;     // source position the edit starts at
        int end = 0;    // source position after what it removed
        int before = 0; // the shift of positions before it
        int after = 0;  // the shift of positions after it
    };
    std::vector<TEdit> edits_; // in order of position
};

// Makes a copy of a text into what the page shows: hidden text goes, and each list
// paragraph leaves its list for its marker as text, hanging in the first-line
// indent and followed by a tab to the text's indent, as word processors print it.
TPrintPositions PrepareForPrint(QTextDocument& copy);
