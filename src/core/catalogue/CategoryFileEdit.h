#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Edits of one product line in a category file's bytes that keep every other byte as it was:
// the category's name line, each line's own line end (CR LF or LF, mixed ones too, none after
// the last line), lines that give no product or that the loader could not read, and bytes that
// are no text at all. Lines are counted as the loader counts them: line 0 is the name, product r
// is line r. A new line brings no line end of its own: it takes one from the file.
namespace CategoryFileEdit {

// Lines after the name line, listed or not.
[[nodiscard]] int productLineCount(QByteArrayView file);

struct Inserted
{
    QByteArray file;
    int row = 0; // the new product's number
};

// Puts line right after the last product the list shows, so that it is shown too: before an
// empty line that ends the list, after the name line when no product is shown. It gets the line
// end of the line it follows; after a last line without one, that line first gets the line end
// the file uses before it (CR LF when there is none) and the new line becomes the last line,
// without a line end as the old last line was.
[[nodiscard]] Inserted insertProduct(QByteArrayView file, QByteArrayView line);

// Product r (1..productLineCount) gets line as its text; its line end stays.
[[nodiscard]] QByteArray replaceProduct(QByteArrayView file, int r, QByteArrayView line);

// Product r (1..productLineCount) goes with its line end; a last line without one takes the
// line end before it along, so the file still ends as it did.
[[nodiscard]] QByteArray removeProduct(QByteArrayView file, int r);

} // namespace CategoryFileEdit
