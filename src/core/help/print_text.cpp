#include "core/help/print_text.h"

#include <algorithm>

namespace {

constexpr int kTabWidth = 4;

bool Is_Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the UTF-8 character that starts at `i`.
std::size_t Char_Length(std::string_view s, std::size_t i)
{
    std::size_t end = i + 1;
    while (end < s.size() && Is_Continuation(static_cast<unsigned char>(s[end])))
        ++end;
    return end - i;
}

std::string Expand_Tabs(std::string_view line)
{
    std::string out;
    out.reserve(line.size());
    for (char c : line) {
        if (c == '\t')
            out.append(kTabWidth, ' ');
        else if (c != '\r')
            out.push_back(c);
    }
    return out;
}

// The longest prefix of `word` that fits, at least one character so that
// every pass makes progress.
std::size_t Fitting_Prefix(std::string_view word, double width, Printer &printer)
{
    std::size_t fit = Char_Length(word, 0);
    for (std::size_t end = fit; end < word.size();) {
        const std::size_t next = end + Char_Length(word, end);
        if (printer.Text_Width(std::string(word.substr(0, next))) > width)
            break;
        fit = end = next;
    }
    return fit;
}

} // namespace

std::vector<std::string> Wrap_Line(std::string_view raw, double width, Printer &printer)
{
    const std::string text = Expand_Tabs(raw);
    std::vector<std::string> lines;
    std::string_view rest = text;
    while (!rest.empty()) {
        if (printer.Text_Width(std::string(rest)) <= width) {
            lines.emplace_back(rest);
            break;
        }
        // The last blank that leaves a line that fits.
        std::size_t cut = std::string_view::npos;
        for (std::size_t blank = rest.find(' ', 1); blank != std::string_view::npos;
             blank = rest.find(' ', blank + 1)) {
            if (printer.Text_Width(std::string(rest.substr(0, blank))) > width)
                break;
            cut = blank;
        }
        if (cut == std::string_view::npos)
            cut = Fitting_Prefix(rest, width, printer);
        lines.emplace_back(rest.substr(0, cut));
        rest.remove_prefix(cut);
        // A line continued after a break does not start with the blanks.
        while (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
    }
    if (lines.empty())
        lines.emplace_back();
    return lines;
}

std::optional<std::string> Print_Text(std::string_view text, Printer &printer)
{
    try {
        const double width = std::max(printer.Page_Width() - 2 * kTextMargin, 1.0);
        const double bottom = printer.Page_Height() - kTextMargin;
        const double height = printer.Text_Height();
        double y = kTextMargin;
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos)
                end = text.size();
            for (const std::string &line : Wrap_Line(text.substr(start, end - start), width, printer)) {
                if (y + height > bottom && y > kTextMargin) {
                    printer.New_Page();
                    y = kTextMargin;
                }
                printer.CurrentX = kTextMargin;
                printer.CurrentY = y;
                if (!line.empty())
                    printer.Print(line);
                y += height;
            }
            start = end + 1;
        }
        printer.End_Doc();
        return std::nullopt;
    } catch (const PrintFailure &failure) {
        printer.Kill_Doc();
        return failure.what();
    }
}
