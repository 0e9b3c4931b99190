#pragma once
// The notes box: RTF of the notes shown in and read back from a QTextEdit,
// through the runs of the RTF codec.

#include "core/Rtf.h"

class QTextDocument;
class QTextEdit;

namespace RtfText {

/// Replaces the content of doc with the runs of rtfDoc.
void fill(QTextDocument* doc, const Rtf::Document& rtfDoc);
/// The runs of doc (bold, italic, underline, size, colour, font).
Rtf::Document read(const QTextDocument* doc);

/// Shows stored notes (RTF or plain text) in the box.
void setRtf(QTextEdit* edit, const QString& rtf);
/// The box's content as RTF for storing.
QString rtf(const QTextEdit* edit);

} // namespace RtfText
