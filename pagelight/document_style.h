// The look of a help page beyond what the Markdown reader gives: code in shaded boxes, tables
// with light rules and a shaded header row, coloured headings, and spacing that grows with zoom.
#pragma once

class QPalette;
class QTextDocument;

namespace pagelight {

// Restyles a freshly loaded document for the colours of `palette`. Wraps each code block in a
// frame of its own, so block positions change: find headings afterwards.
void StyleDocument(QTextDocument* document, const QPalette& palette);

// Sets the space around headings, paragraphs, list items and code boxes for a zoom factor
// (1 = normal size). Pixel margins do not follow the font by themselves.
void SetSpacing(QTextDocument* document, double zoom_factor);

}  // namespace pagelight
