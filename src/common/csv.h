// Comma-separated values as spreadsheets write them (RFC 4180): fields in
// double quotes may hold commas, line breaks and doubled quotes; records end
// with CRLF or LF. A UTF-8 byte order mark at the start is dropped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CsvRecord {
    int line = 0; // where the record starts, from 1
    std::vector<std::string> fields;
};

struct CsvResult {
    std::vector<CsvRecord> records; // blank lines give no record
    bool ok = true;
    int errorLine = 0; // when !ok: the line of the record that cannot be read
    std::string error;
};

CsvResult Read_Csv(std::string_view text);
