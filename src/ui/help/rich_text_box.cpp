#include "ui/help/rich_text_box.h"

#include "ui/platform/designed_colours.h"
#include "gui/help/rich_text.h"

RichTextBox::RichTextBox(QWidget *parent, const QFont &defaultFont) : QTextBrowser(parent)
{
    setReadOnly(true);
    // The documents are pages, written black on white (their headings in
    // dark red and blue), whatever the theme.
    Designed_Field(this, Qt::white);
    setOpenLinks(false);
    document()->setDefaultFont(defaultFont);
}

bool RichTextBox::LoadFile(const QString &path)
{
    const std::optional<RtfDocument> rtf = Read_Rtf_File(path);
    if (!rtf)
        return false;
    Fill_Document(*document(), *rtf);
    plain_ = rtf->Plain_Text();
    moveCursor(QTextCursor::Start);
    return true;
}
