#pragma once

class QTextDocument;

// Keeps the paragraphs from the one holding `from` to the one holding `to` on one
// page: each is kept together and kept with the next, except that the last is not
// tied to what follows. A range longer than a page starts on a fresh page and runs
// on. Paragraphs in table cells count too, so a table inside the range moves with it.
void KeepOnOnePage(QTextDocument& doc, int from, int to);

// Printing's pagination of an assembled document: every text that ends in an end
// mark is kept on one page (a text without a mark is kept with the one after it),
// and the end marks are removed. Returns how many texts were kept together.
int KeepMarkedTextsOnOnePage(QTextDocument& doc);
