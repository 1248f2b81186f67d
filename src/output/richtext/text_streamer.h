#pragma once

class TRichTextControl;
class TTextChunk;

// Moves a text chunk into and out of a rich-text control. A chunk's line is one
// whole RTF document in code page 1252 bytes; only its first line is ever shown.
class TTextStreamer {
public:
    explicit TTextStreamer(TRichTextControl& control) : control_(control) {}

    // Loads line 0 of the chunk into the control at its selection (the whole
    // content when the control is empty). A chunk without lines raises EDataError.
    void LoadInto(TTextChunk& chunk);
    // Appends the control's whole content as RTF, one new line, to the chunk. The
    // caller passes a fresh in-memory chunk so that it ends up with that line alone.
    void SaveFrom(TTextChunk& chunk);

    TTextChunk* Chunk() const { return chunk_; }
    int LineIndex() const { return lineIndex_; }

private:
    TRichTextControl& control_;
    TTextChunk* chunk_ = nullptr; // the chunk last moved, not owned
    int lineIndex_ = 0;
};
