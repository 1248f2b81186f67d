#pragma once

#include "output/rtf/rtf_write_output.h"

#include <QHash>
#include <QTextListFormat>

#include <array>
#include <optional>
#include <vector>

class QTextBlock;
class TRtfFontTable;

// The lists of a document as \listtable and \listoverridetable: each multi-level
// list (the QTextLists a reader made of one \lsN, or one list Qt made with its
// nested lists) becomes one \list with nine levels and one \lsN. Lists are
// registered as the body meets their paragraphs; the tables are written after.
class TRtfListTable {
public:
    struct TItem {
        int number = 0; // \lsN
        int level = 0;  // \ilvlN
    };
    // The list and level of a list paragraph; `firstIndent` and `leftIndent` (twips)
    // and `font` describe its level when the level is new.
    TItem Register(const QTextBlock& block, int leftIndent, int firstIndent, int font);
    bool IsEmpty() const { return lists_.empty(); }
    void Write(TRtfSink& sink) const;

private:
    struct TLevel {
        QTextListFormat format;
        int leftIndent = 0;
        int firstIndent = 0;
        int font = 0;
    };
    struct TList {
        std::array<std::optional<TLevel>, 9> levels;
    };
    static void WriteLevel(TRtfSink& sink, const std::optional<TLevel>& level, int index,
                           const std::optional<TLevel>& first);

    std::vector<TList> lists_;
    QHash<qint64, int> byKey_; // list key -> index into lists_
    QHash<int, qint64> roots_; // a reader's list id -> the key of its current list
};
