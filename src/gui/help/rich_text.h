// RTF documents in Qt: the reader's paragraphs and runs as text blocks and
// character formats, for the help windows.
#pragma once

#include "core/help/rtf_reader.h"

#include <QString>

#include <optional>

class QTextDocument;

// Replaces the document's content by the RTF document; text without a font
// size or font of its own keeps the document's default font.
void Fill_Document(QTextDocument &document, const RtfDocument &rtf);

// The RTF document in the file; nullopt when the file is missing, cannot be
// read or is not RTF.
std::optional<RtfDocument> Read_Rtf_File(const QString &path);
