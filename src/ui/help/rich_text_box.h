// The rich-text viewer: a read-only view that loads an RTF file, replacing
// its whole content, and gives the document's plain text.
#pragma once

#include <QTextBrowser>

#include <string>

class RichTextBox : public QTextBrowser {
public:
    // Text that a document does not format shows in this font.
    RichTextBox(QWidget *parent, const QFont &defaultFont);

    // False, the content left as it was, when the file is missing, cannot
    // be read or is not an RTF document.
    bool LoadFile(const QString &path);

    // The loaded document's text without its formatting (UTF-8).
    const std::string &Plain_Text() const { return plain_; }

private:
    std::string plain_;
};
