#include "common/csv.h"

CsvResult Read_Csv(std::string_view text)
{
    CsvResult result;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);

    std::size_t i = 0;
    int line = 1;
    const auto fail = [&](int at, const char *why) {
        result.ok = false;
        result.errorLine = at;
        result.error = why;
        return result;
    };

    while (i < text.size()) {
        CsvRecord record;
        record.line = line;
        std::string field;
        bool endOfRecord = false;
        while (!endOfRecord) {
            if (i < text.size() && text[i] == '"') {
                ++i;
                for (;;) {
                    if (i >= text.size())
                        return fail(record.line, "a quoted field is not closed");
                    const char c = text[i++];
                    if (c == '"') {
                        if (i < text.size() && text[i] == '"') {
                            field += '"';
                            ++i;
                            continue;
                        }
                        break;
                    }
                    if (c == '\n')
                        ++line;
                    field += c;
                }
                if (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r')
                    return fail(record.line, "text after a closing quote");
            } else {
                while (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r') {
                    if (text[i] == '"')
                        return fail(record.line, "a quote inside an unquoted field");
                    field += text[i++];
                }
            }
            record.fields.push_back(std::move(field));
            field.clear();
            if (i >= text.size()) {
                endOfRecord = true;
            } else if (text[i] == ',') {
                ++i;
            } else {
                if (text[i] == '\r')
                    ++i;
                if (i < text.size() && text[i] == '\n')
                    ++i;
                ++line;
                endOfRecord = true;
            }
        }
        const bool blank = record.fields.size() == 1 && record.fields[0].empty();
        if (!blank)
            result.records.push_back(std::move(record));
    }
    return result;
}
