#include "core/help/rtf_reader.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <unordered_map>
#include <utility>

namespace {

// Groups nested deeper than this are read as part of the deepest one, so a
// hostile file cannot make the state stack grow without bound.
constexpr std::size_t kMaxDepth = 1000;
constexpr std::int64_t kParamLimit = 2147483647;
constexpr int kMaxHalfPoints = 3276; // Word's largest size, 1638 pt
// Every group and run copies its font's name: a bound keeps that cheap.
// Windows' own face names are shorter still.
constexpr std::size_t kMaxFontName = 128;
constexpr char32_t kReplacement = 0xFFFD;

// Indents and spacing beyond 22 inches are taken as 22 inches.
constexpr int kMaxTwips = 31680;
constexpr std::size_t kMaxTabs = 64;
constexpr std::size_t kMaxColumns = 64;
// Word's widest page, 22 inches, gives some room to a table's cell edges.
constexpr int kMaxCellRight = 3 * kMaxTwips;

enum class Dest : std::uint8_t { Text, Skip, FontTable, ColourTable };

// Everything a group restores when it closes.
struct State {
    Dest dest = Dest::Text;
    RtfStyle style;
    int font = -1; // -1: the document's default font (\deff)
    RtfAlign align = RtfAlign::Left;
    RtfLayout layout;
    int uc = 1; // fallback characters after \u
    // A list item's number or bullet keeps the size of the paragraph's text
    // even where it starts afresh with \plain.
    bool listText = false;
    std::optional<double> listSize;
    bool inTable = false; // \intbl, a paragraph property
};

struct Font {
    std::string name;
    int charset = -1;
    int cpg = 0;
};

enum class Kind : std::uint8_t {
    Unknown,
    SkipDest,
    FontTable,
    ColourTable,
    Codepage, // \ansi, \mac, \pc, \pca: the code page is the value
    AnsiCpg,
    Deff,
    Uc,
    U,
    Bin,
    FontCharset,
    Cpg,
    Red,
    Green,
    Blue,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Size,
    Colour,
    FontChange,
    Plain,
    Align, // the value is an RtfAlign
    Pard,
    Layout, // the value is the member: one of the Layout_Member cases
    LineMultiple,
    TabStop,
    ListText,
    Par,
    InTable,
    RowDefinition,
    CellRight,
    Cell,
    Row,
    Char // the value is the character
};

struct Entry {
    Kind kind = Kind::Unknown;
    int value = 0;
};

constexpr int kLeft = static_cast<int>(RtfAlign::Left);

int &Layout_Member(RtfLayout &layout, int member)
{
    switch (member) {
    case 1:
        return layout.right;
    case 2:
        return layout.first;
    case 3:
        return layout.before;
    case 4:
        return layout.after;
    case 5:
        return layout.line;
    default:
        return layout.left;
    }
}
constexpr std::pair<std::string_view, Entry> kWords[] = {
    {"fonttbl", {Kind::FontTable}},
    {"colortbl", {Kind::ColourTable}},
    {"ansi", {Kind::Codepage, 1252}},
    {"mac", {Kind::Codepage, 10000}},
    {"pc", {Kind::Codepage, 437}},
    {"pca", {Kind::Codepage, 850}},
    {"ansicpg", {Kind::AnsiCpg}},
    {"deff", {Kind::Deff}},
    {"uc", {Kind::Uc}},
    {"u", {Kind::U}},
    {"bin", {Kind::Bin}},
    {"fcharset", {Kind::FontCharset}},
    {"cpg", {Kind::Cpg}},
    {"red", {Kind::Red}},
    {"green", {Kind::Green}},
    {"blue", {Kind::Blue}},
    {"b", {Kind::Bold}},
    {"i", {Kind::Italic}},
    {"ulnone", {Kind::UnderlineNone}},
    {"fs", {Kind::Size}},
    {"cf", {Kind::Colour}},
    {"f", {Kind::FontChange}},
    {"plain", {Kind::Plain}},
    {"pard", {Kind::Pard}},
    {"li", {Kind::Layout, 0}},
    {"lin", {Kind::Layout, 0}},
    {"ri", {Kind::Layout, 1}},
    {"rin", {Kind::Layout, 1}},
    {"fi", {Kind::Layout, 2}},
    {"sb", {Kind::Layout, 3}},
    {"sa", {Kind::Layout, 4}},
    {"sl", {Kind::Layout, 5}},
    {"slmult", {Kind::LineMultiple}},
    {"tx", {Kind::TabStop}},
    {"listtext", {Kind::ListText}},
    {"pntext", {Kind::ListText}},
    {"ql", {Kind::Align, kLeft}},
    {"qc", {Kind::Align, static_cast<int>(RtfAlign::Centre)}},
    {"qr", {Kind::Align, static_cast<int>(RtfAlign::Right)}},
    {"qj", {Kind::Align, static_cast<int>(RtfAlign::Justify)}},
    {"qd", {Kind::Align, static_cast<int>(RtfAlign::Justify)}},
    {"par", {Kind::Par}},
    {"sect", {Kind::Par}},
    {"page", {Kind::Par}},
    {"intbl", {Kind::InTable}},
    {"trowd", {Kind::RowDefinition}},
    {"cellx", {Kind::CellRight}},
    {"cell", {Kind::Cell}},
    {"row", {Kind::Row}},
    // A table inside a cell reads as text of that cell.
    {"nestrow", {Kind::Par}},
    {"line", {Kind::Char, '\n'}},
    {"tab", {Kind::Char, '\t'}},
    {"nestcell", {Kind::Char, '\t'}},
    {"emdash", {Kind::Char, 0x2014}},
    {"endash", {Kind::Char, 0x2013}},
    {"bullet", {Kind::Char, 0x2022}},
    {"lquote", {Kind::Char, 0x2018}},
    {"rquote", {Kind::Char, 0x2019}},
    {"ldblquote", {Kind::Char, 0x201C}},
    {"rdblquote", {Kind::Char, 0x201D}},
    {"emspace", {Kind::Char, 0x2003}},
    {"enspace", {Kind::Char, 0x2002}},
    {"qmspace", {Kind::Char, 0x2005}},
    {"zwj", {Kind::Char, 0x200D}},
    {"zwnj", {Kind::Char, 0x200C}},
    {"zwbo", {Kind::Char, 0x200B}},
    {"ltrmark", {Kind::Char, 0x200E}},
    {"rtlmark", {Kind::Char, 0x200F}},
};

// Destinations whose text is never shown.
constexpr std::string_view kSkipped =
    "stylesheet info pict object header headerl headerr headerf footer footerl footerr footerf "
    "footnote fldinst listtable listoverridetable rsidtbl xmlnstbl generator themedata "
    "colorschememapping latentstyles datastore pgdsctbl filetbl revtbl annotation atnid "
    "atnauthor atrfstart atrfend bkmkstart bkmkend xe tc txe template nonshppict shppict shp "
    "shpinst do falt panose ftnsep ftnsepc ftncn aftnsep aftnsepc aftncn upr private fchars "
    "lchars objdata objclass blipuid picprop author operator title subject keywords comment "
    "doccomm company manager category userprops docvar pn listpicture";

Entry Look_Up(std::string_view word)
{
    static const std::unordered_map<std::string_view, Entry> table = [] {
        std::unordered_map<std::string_view, Entry> t(std::begin(kWords), std::end(kWords));
        for (std::string_view rest = kSkipped; !rest.empty();) {
            const std::size_t end = std::min(rest.find(' '), rest.size());
            t.emplace(rest.substr(0, end), Entry{Kind::SkipDest});
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
        return t;
    }();
    if (word.size() > 32)
        return {};
    if (const auto it = table.find(word); it != table.end())
        return it->second;
    // \ul's many line styles all underline; \ulc is the underline's colour.
    if (word.starts_with("ul") && word != "ulc")
        return {Kind::Underline};
    return {};
}

// Only code pages from this list reach iconv, which keeps the converter
// cache small whatever numbers a file names.
constexpr std::pair<int, const char *> kIconvNames[] = {
    {437, "CP437"},   {850, "CP850"},       {852, "CP852"},    {866, "CP866"},     {874, "CP874"},   {932, "CP932"},
    {936, "CP936"},   {949, "CP949"},       {950, "CP950"},    {1250, "CP1250"},   {1251, "CP1251"}, {1252, "CP1252"},
    {1253, "CP1253"}, {1254, "CP1254"},     {1255, "CP1255"},  {1256, "CP1256"},   {1257, "CP1257"}, {1258, "CP1258"},
    {1361, "JOHAB"},  {10000, "MACINTOSH"}, {51949, "EUC-KR"}, {54936, "GB18030"}, {65001, "UTF-8"}};

const char *Iconv_Name(int codepage)
{
    for (const auto &[cp, name] : kIconvNames)
        if (cp == codepage)
            return name;
    return nullptr;
}

// \fcharset to Windows code page; symbol fonts (2) keep their bytes as
// Western ones. Other character sets follow the document's code page.
constexpr std::pair<int, int> kCharsetCodepages[] = {
    {0, 1252},   {2, 1252},   {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936}, {136, 950}, {161, 1253},
    {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874}, {238, 1250}};

void Append_Utf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Appends what fits of the text, cut at a character's start.
void Append_Bounded(std::string &out, std::string_view utf8, std::size_t limit)
{
    if (out.size() >= limit)
        return;
    std::size_t n = std::min(utf8.size(), limit - out.size());
    if (n < utf8.size())
        while (n > 0 && (static_cast<unsigned char>(utf8[n]) & 0xC0) == 0x80)
            --n;
    out.append(utf8.substr(0, n));
}

bool Is_Letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool Is_Digit(char c) { return c >= '0' && c <= '9'; }

int Hex_Value(char c)
{
    if (Is_Digit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Tabs are text; NUL and the other control bytes are not.
bool Is_Text(unsigned char c) { return c >= 0x20 || c == '\t'; }

std::string Trimmed(const std::string &s)
{
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// One pass over the bytes with an explicit stack of group states, so that
// neither nesting nor length can exhaust the call stack.
class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) { doc_.paragraphs.emplace_back(); }
    ~Reader()
    {
        for (const auto &[codepage, cd] : converters_)
            if (cd != Invalid())
                iconv_close(cd);
    }
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;

    RtfDocument Read(std::size_t start)
    {
        pos_ = start;
        while (pos_ < in_.size() && !done_) {
            const char c = in_[pos_];
            if (c == '\\') {
                Control();
                continue;
            }
            ++pos_;
            if (c == '{')
                Open_Group();
            else if (c == '}')
                Close_Group();
            else if (c != '\r' && c != '\n')
                Text_Byte(static_cast<unsigned char>(c));
        }
        if (!done_)
            Finish();
        return std::move(doc_);
    }

private:
    static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }

    State &Top() { return stack_.back(); }

    void Open_Group()
    {
        Flush_Bytes();
        Flush_Surrogate();
        skip_ = 0;
        if (stack_.empty())
            stack_.emplace_back();
        else if (stack_.size() < kMaxDepth)
            stack_.push_back(stack_.back());
        else
            ++flatDepth_;
    }

    void Close_Group()
    {
        Flush_Bytes();
        Flush_Surrogate();
        skip_ = 0;
        if (flatDepth_ > 0) {
            --flatDepth_;
            return;
        }
        if (stack_.size() <= 1) { // the document's own group: what follows is not read
            Finish();
            return;
        }
        if (Top().dest == Dest::FontTable)
            Commit_Font(); // an entry without its ';'
        else if (Top().dest == Dest::ColourTable && colourSet_)
            Commit_Colour();
        stack_.pop_back();
    }

    void Finish()
    {
        Flush_Bytes();
        Flush_Surrogate();
        if (!stack_.empty())
            Set_Format(doc_.paragraphs.back());
        if (doc_.paragraphs.back().runs.empty()) // the last \par ends the text, it opens no line
            doc_.paragraphs.pop_back();
        // A row cut off before its end still gets a definition.
        if (!doc_.paragraphs.empty() && doc_.paragraphs.back().row == static_cast<int>(doc_.rows.size()))
            doc_.rows.push_back({cellRights_});
        done_ = true;
    }

    // At a backslash.
    void Control()
    {
        const std::size_t size = in_.size();
        if (pos_ + 1 >= size) {
            pos_ = size;
            return;
        }
        const char next = in_[pos_ + 1];
        if (Is_Letter(next)) {
            std::size_t p = pos_ + 1;
            while (p < size && Is_Letter(in_[p]))
                ++p;
            const std::string_view word = in_.substr(pos_ + 1, p - pos_ - 1);
            const bool negative = p + 1 < size && in_[p] == '-' && Is_Digit(in_[p + 1]);
            if (negative)
                ++p;
            bool hasParam = false;
            std::int64_t value = 0;
            for (; p < size && Is_Digit(in_[p]); ++p) {
                hasParam = true;
                if (value < kParamLimit)
                    value = std::min(value * 10 + (in_[p] - '0'), kParamLimit);
            }
            if (p < size && in_[p] == ' ')
                ++p;
            pos_ = p;
            Control_Word(word, hasParam, static_cast<int>(negative ? -value : value));
        } else if (next == '\'') {
            std::size_t p = pos_ + 2;
            int value = 0;
            int digits = 0;
            for (; digits < 2 && p < size && Hex_Value(in_[p]) >= 0; ++p, ++digits)
                value = value * 16 + Hex_Value(in_[p]);
            pos_ = p;
            if (digits == 2)
                Hex_Byte(static_cast<unsigned char>(value));
        } else {
            pos_ += 2;
            Control_Symbol(next);
        }
    }

    // A character of the fallback text after \u is dropped.
    bool Skip_Fallback()
    {
        if (skip_ == 0)
            return false;
        --skip_;
        return true;
    }

    void Text_Byte(unsigned char c)
    {
        if (Skip_Fallback())
            return;
        switch (Top().dest) {
        case Dest::Skip:
            return;
        case Dest::ColourTable:
            if (c == ';')
                Commit_Colour();
            return;
        case Dest::FontTable:
            if (c == ';') {
                Flush_Bytes();
                Commit_Font();
                return;
            }
            if (!fontOpen_)
                return;
            break;
        case Dest::Text:
            break;
        }
        if (Is_Text(c))
            pending_ += static_cast<char>(c);
    }

    void Hex_Byte(unsigned char c)
    {
        if (Skip_Fallback())
            return;
        const Dest dest = Top().dest;
        if ((dest == Dest::Text || (dest == Dest::FontTable && fontOpen_)) && Is_Text(c))
            pending_ += static_cast<char>(c);
    }

    void Control_Symbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Text_Byte(static_cast<unsigned char>(c));
            return;
        case '\r':
        case '\n':
            Control_Word("par", false, 0);
            return;
        default:
            break;
        }
        if (Skip_Fallback())
            return;
        Flush_Bytes();
        if (Top().dest == Dest::Skip)
            return;
        switch (c) {
        case '~':
            Emit_Char(0xA0);
            break;
        case '_':
            Emit_Char(0x2011);
            break;
        case '*':
            Top().dest = Dest::Skip;
            break;
        default:
            break; // \- and the index and formula symbols show nothing
        }
    }

    void Skip_Binary(int count)
    {
        if (count > 0)
            pos_ += std::min<std::size_t>(static_cast<std::size_t>(count), in_.size() - pos_);
    }

    void Control_Word(std::string_view word, bool hasParam, int param)
    {
        const Entry entry = Look_Up(word);
        if (Skip_Fallback()) {
            if (entry.kind == Kind::Bin)
                Skip_Binary(param);
            return;
        }
        Flush_Bytes();
        State &s = Top();
        if (entry.kind == Kind::Bin) {
            Skip_Binary(param);
            return;
        }
        if (s.dest == Dest::Skip)
            return;
        if (entry.kind == Kind::SkipDest) {
            s.dest = Dest::Skip;
            return;
        }
        const bool on = !hasParam || param != 0;
        if (s.dest == Dest::FontTable) {
            switch (entry.kind) {
            case Kind::FontChange:
                Commit_Font();
                fontOpen_ = true;
                fontId_ = param;
                font_ = Font{};
                break;
            case Kind::FontCharset:
                font_.charset = param;
                break;
            case Kind::Cpg:
                font_.cpg = param;
                break;
            case Kind::Uc:
                s.uc = std::max(param, 0);
                break;
            case Kind::U:
                if (fontOpen_)
                    Emit_Unicode(param);
                skip_ = s.uc;
                break;
            default:
                break;
            }
            return;
        }
        if (s.dest == Dest::ColourTable) {
            const int component = std::clamp(param, 0, 255);
            switch (entry.kind) {
            case Kind::Red:
                red_ = component;
                break;
            case Kind::Green:
                green_ = component;
                break;
            case Kind::Blue:
                blue_ = component;
                break;
            default:
                return;
            }
            colourSet_ = true;
            return;
        }
        switch (entry.kind) {
        case Kind::FontTable:
            s.dest = Dest::FontTable;
            fontOpen_ = false;
            break;
        case Kind::ColourTable:
            s.dest = Dest::ColourTable;
            colours_.clear();
            colourSet_ = false;
            red_ = green_ = blue_ = 0;
            break;
        case Kind::Codepage:
            ansiCodepage_ = entry.value;
            break;
        case Kind::AnsiCpg:
            ansiCodepage_ = param;
            break;
        case Kind::Deff:
            defaultFont_ = param;
            break;
        case Kind::Uc:
            s.uc = hasParam ? std::max(param, 0) : 1;
            break;
        case Kind::U:
            Emit_Unicode(param);
            skip_ = s.uc;
            break;
        case Kind::Bold:
            s.style.bold = on;
            break;
        case Kind::Italic:
            s.style.italic = on;
            break;
        case Kind::Underline:
            s.style.underline = on;
            break;
        case Kind::UnderlineNone:
            s.style.underline = false;
            break;
        case Kind::Size:
            s.style.size = hasParam && param > 0 ? std::optional(std::min(param, kMaxHalfPoints) / 2.0) : std::nullopt;
            break;
        case Kind::Colour:
            s.style.colour = param >= 0 && static_cast<std::size_t>(param) < colours_.size()
                                 ? colours_[static_cast<std::size_t>(param)]
                                 : std::nullopt;
            break;
        case Kind::FontChange:
            s.font = std::max(param, -1);
            s.style.font = Font_Name(s.font);
            break;
        case Kind::Plain:
            s.style = RtfStyle{};
            s.font = -1;
            if (s.listText)
                s.style.size = s.listSize;
            break;
        case Kind::Align:
            s.align = static_cast<RtfAlign>(entry.value);
            break;
        case Kind::Pard:
            s.align = RtfAlign::Left;
            s.layout = RtfLayout{};
            s.inTable = false;
            break;
        case Kind::InTable:
            s.inTable = on;
            break;
        case Kind::RowDefinition:
            cellRights_.clear();
            break;
        case Kind::CellRight:
            if (cellRights_.size() < kMaxColumns)
                cellRights_.push_back(std::clamp(param, 0, kMaxCellRight));
            break;
        case Kind::Cell:
            End_Paragraph(true);
            column_ = std::min(column_ + 1, static_cast<int>(kMaxColumns) - 1);
            break;
        case Kind::Row:
            End_Row();
            break;
        case Kind::Layout:
            Layout_Member(s.layout, entry.value) = std::clamp(param, -kMaxTwips, kMaxTwips);
            break;
        case Kind::LineMultiple:
            s.layout.lineMultiple = on;
            break;
        case Kind::TabStop:
            if (s.layout.tabs.size() < kMaxTabs)
                s.layout.tabs.push_back(std::clamp(param, 0, kMaxTwips));
            break;
        case Kind::ListText:
            s.listText = true;
            s.listSize = s.style.size;
            break;
        case Kind::Par:
            End_Paragraph(s.inTable);
            break;
        case Kind::Char:
            Emit_Char(static_cast<char32_t>(entry.value));
            break;
        default:
            break;
        }
    }

    // Output.

    void Emit(std::string_view utf8)
    {
        if (utf8.empty())
            return;
        const State &s = Top();
        if (s.dest == Dest::FontTable) {
            if (fontOpen_)
                Append_Bounded(font_.name, utf8, kMaxFontName);
            return;
        }
        if (s.dest != Dest::Text)
            return;
        // Text without a font of its own is in the default font.
        RtfStyle style = s.style;
        if (s.font < 0)
            style.font = Font_Name(defaultFont_);
        std::vector<RtfRun> &runs = doc_.paragraphs.back().runs;
        if (!runs.empty() && runs.back().style == style)
            runs.back().text += utf8;
        else
            runs.push_back({std::string(utf8), std::move(style)});
    }

    void Emit_Char(char32_t c)
    {
        Flush_Surrogate();
        std::string utf8;
        Append_Utf8(utf8, c);
        Emit(utf8);
    }

    void Flush_Surrogate()
    {
        if (highSurrogate_ == 0)
            return;
        highSurrogate_ = 0;
        Emit_Char(kReplacement);
    }

    // \uN: N is a signed 16-bit number, a surrogate pair two of them.
    void Emit_Unicode(int n)
    {
        char32_t c = kReplacement;
        if (n >= -32768 && n < 0)
            c = static_cast<char32_t>(n + 65536);
        else if (n >= 0 && n <= 0x10FFFF)
            c = static_cast<char32_t>(n);
        if (c >= 0xD800 && c < 0xDC00) {
            Flush_Surrogate();
            highSurrogate_ = c;
            return;
        }
        if (c >= 0xDC00 && c < 0xE000) {
            if (highSurrogate_ == 0) {
                Emit_Char(kReplacement);
                return;
            }
            c = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (c - 0xDC00);
            highSurrogate_ = 0;
        }
        if (c < 0x20 && c != '\t')
            return;
        Emit_Char(c);
    }

    // A paragraph takes the formatting in effect where it ends.
    void Set_Format(RtfParagraph &paragraph)
    {
        paragraph.align = Top().align;
        paragraph.layout = Top().layout;
    }

    // Ends the open paragraph; one in a table belongs to the current cell
    // of the row being read.
    void End_Paragraph(bool inCell)
    {
        Flush_Surrogate();
        RtfParagraph &paragraph = doc_.paragraphs.back();
        Set_Format(paragraph);
        if (inCell) {
            paragraph.row = static_cast<int>(doc_.rows.size());
            paragraph.column = column_;
        }
        doc_.paragraphs.emplace_back();
    }

    // The row being read gets its definition, and the next row starts.
    void End_Row()
    {
        if (doc_.paragraphs.size() < 2 ||
            doc_.paragraphs[doc_.paragraphs.size() - 2].row != static_cast<int>(doc_.rows.size()))
            return; // a row without cells
        doc_.rows.push_back({cellRights_});
        column_ = 0;
    }

    // Bytes of text are gathered and decoded together: a double-byte
    // character arrives as two \'hh escapes.
    void Flush_Bytes()
    {
        if (pending_.empty())
            return;
        Flush_Surrogate();
        std::string utf8;
        Decode(Codepage(), utf8);
        pending_.clear();
        Emit(utf8);
    }

    void Decode(int codepage, std::string &out)
    {
        if (std::all_of(pending_.begin(), pending_.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            out = pending_;
            return;
        }
        const iconv_t cd = Converter(codepage);
        if (cd == Invalid()) { // no converter installed: read the bytes as Latin-1
            for (const char c : pending_)
                Append_Utf8(out, static_cast<unsigned char>(c));
            return;
        }
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char *in = pending_.data();
        std::size_t inLeft = pending_.size();
        char buffer[1024];
        while (inLeft > 0) {
            char *outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
            const bool progress = outPtr != buffer;
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (result != static_cast<std::size_t>(-1))
                break;
            if (errno == E2BIG && progress)
                continue;
            Append_Utf8(out, kReplacement);
            if (errno != EILSEQ) // a sequence cut short at the end, or no way forward
                break;
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }

    iconv_t Converter(int codepage)
    {
        if (!Iconv_Name(codepage))
            codepage = 1252;
        for (const auto &[cp, cd] : converters_)
            if (cp == codepage)
                return cd;
        const iconv_t cd = iconv_open("UTF-8", Iconv_Name(codepage));
        converters_.emplace_back(codepage, cd);
        return cd;
    }

    int Font_Codepage(const Font &font) const
    {
        if (font.cpg > 0)
            return font.cpg;
        for (const auto &[charset, codepage] : kCharsetCodepages)
            if (charset == font.charset)
                return codepage;
        return ansiCodepage_;
    }

    // The code page of the text being read: the font being defined in the
    // font table, else the current font's, else the document's.
    int Codepage()
    {
        if (Top().dest == Dest::FontTable)
            return fontOpen_ ? Font_Codepage(font_) : ansiCodepage_;
        const int font = Top().font >= 0 ? Top().font : defaultFont_;
        const auto it = fonts_.find(font);
        return it == fonts_.end() ? ansiCodepage_ : Font_Codepage(it->second);
    }

    std::string Font_Name(int font) const
    {
        const auto it = fonts_.find(font);
        return it == fonts_.end() ? std::string() : it->second.name;
    }

    void Commit_Font()
    {
        if (!fontOpen_)
            return;
        font_.name = Trimmed(font_.name);
        fonts_[fontId_] = std::move(font_);
        font_ = Font{};
        fontOpen_ = false;
    }

    void Commit_Colour()
    {
        if (colourSet_)
            colours_.emplace_back(static_cast<std::uint32_t>(red_ << 16 | green_ << 8 | blue_));
        else
            colours_.emplace_back(std::nullopt);
        colourSet_ = false;
        red_ = green_ = blue_ = 0;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    bool done_ = false;
    std::vector<State> stack_;
    std::size_t flatDepth_ = 0; // groups opened beyond kMaxDepth
    std::int64_t skip_ = 0;     // fallback characters still to drop
    std::string pending_;       // text bytes not yet decoded
    char32_t highSurrogate_ = 0;

    int ansiCodepage_ = 1252;
    int defaultFont_ = -1;
    std::unordered_map<int, Font> fonts_;
    bool fontOpen_ = false; // a font table entry is being read
    int fontId_ = 0;
    Font font_;

    std::vector<std::optional<std::uint32_t>> colours_;
    bool colourSet_ = false;
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;

    std::vector<int> cellRights_; // the definition of the row being read
    int column_ = 0;              // its current cell

    std::vector<std::pair<int, iconv_t>> converters_;
    RtfDocument doc_;
};

} // namespace

std::string RtfDocument::Plain_Text() const
{
    std::string text;
    for (std::size_t p = 0; p < paragraphs.size(); ++p) {
        if (p > 0) {
            const RtfParagraph &before = paragraphs[p - 1], &now = paragraphs[p];
            const bool nextCell = now.row >= 0 && now.row == before.row && now.column != before.column;
            text += nextCell ? '\t' : '\n';
        }
        for (const RtfRun &run : paragraphs[p].runs)
            text += run.text;
    }
    return text;
}

std::optional<RtfDocument> Read_Rtf(std::string_view bytes)
{
    std::size_t start = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (start < bytes.size() &&
           (bytes[start] == ' ' || bytes[start] == '\t' || bytes[start] == '\r' || bytes[start] == '\n'))
        ++start;
    if (!bytes.substr(start).starts_with("{\\rtf"))
        return std::nullopt;
    return Reader(bytes).Read(start);
}
