// Register files: the rows of an interest or dividend register as a
// spreadsheet keeps them, read and saved by the same code for the window's
// import and paste and for orvanta-calc.
//
//   interest: 소득구분코드 (11, 12, 13), 상호(성명), 사업자등록번호(주민번호),
//             이자소득금액, 원천징수세액
//   dividend: 소득구분코드 (21, 22, 23), 배당지급법인명, 사업자등록번호,
//             배당액, 배당가산대상금액, 원천징수세액
//
// Fields are separated by commas (RFC 4180 quoting) or, for text pasted from
// a spreadsheet, by tabs. The text is UTF-8, with an optional BOM at the
// start. A first row is a header when it has the register's number of
// fields and none of its amount fields is empty or reads as a number.
#pragma once

#include "core/files/input_source.h"
#include "core/registers/grid_model.h"
#include "core/registers/regrouping.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The column names of a register file, which its header row and the
// messages use.
std::vector<std::string> Register_File_Columns(RegisterKind kind);

struct ReadFailure {
    int line = 0; // of the file, from 1; 0 when the failure is the file's as a whole
    std::string message;
};

// "3번째 줄: message", or the message alone for the whole file.
std::string Describe(const ReadFailure &failure);

// A data row as typing it into the register's panel would leave the entry
// fields: the name and number as they stand, each amount made whole won as
// the field's grouping makes it, and for a dividend the gross-up and the
// dividend income worked out from those texts (fields 4 and 5).
struct RegisterRow {
    int line = 0;
    std::string code;
    std::vector<std::string> fields;
};

// The checks every row of a register from outside gets, a file's or the
// clipboard's: `cells` holds the code (exactly), the name, the number and the
// amounts in the file's columns. On success `row` holds the code and the
// entry fields as typing leaves them; otherwise the reason, naming the column.
std::optional<std::string> Row_From_Cells(RegisterKind kind, const std::vector<std::string> &cells, RegisterRow &row);

// Why an amount text from outside, blanks around it allowed and empty for
// zero, cannot go into the field named `label`; nullopt when it can. Only the
// forms a spreadsheet writes are taken: "-1,234,567.5", "1234567".
std::optional<std::string> Amount_Failure(std::string_view label, std::string_view text);

// Reads one row at a time and stops at the first that cannot be a row of
// the register, so a bad or endless input is never read further than that.
// Memory stays bounded by one record (and the source by kMaxInputBytes).
class RegisterCsvReader {
public:
    RegisterCsvReader(ByteSource &source, RegisterKind kind, char separator = ',');
    ~RegisterCsvReader();
    RegisterCsvReader(const RegisterCsvReader &) = delete;
    RegisterCsvReader &operator=(const RegisterCsvReader &) = delete;

    // The next data row; nullopt at the end or on a failure.
    std::optional<RegisterRow> Next();
    const std::optional<ReadFailure> &Failure() const { return failure_; }

private:
    class Scanner;
    std::optional<RegisterRow> Fail(int line, std::string message);
    std::optional<std::string> Row_Failure(const std::vector<std::string> &cells, RegisterRow &row) const;
    bool Is_Header(const std::vector<std::string> &cells) const;

    RegisterKind kind_;
    char separator_;
    std::unique_ptr<Scanner> scanner_;
    std::optional<ReadFailure> failure_;
    bool started_ = false;
    bool first_ = true;
};

// The register's data rows in the columns the reader takes, in the order the
// grid shows them, each line ended by CRLF. A file (`header`) starts with a
// UTF-8 BOM, so that spreadsheet programs open it as Unicode, and the header
// row; text for the clipboard has neither. A field holding the separator, a
// quote or a line break is quoted.
std::string Register_File_Text(const GridModel &grid, RegisterKind kind, char separator, bool header);
// One data row alone, as Register_File_Text writes it without a header.
std::string Register_Row_Text(const GridModel &grid, RegisterKind kind, int row, char separator);

// Reads every row and saves each in file order onto `grid` as 저장 saves a
// new row; all or nothing: on a failure (a row that cannot be read, or a
// save that is refused) the grid is left exactly as it was.
std::optional<ReadFailure> Import_Register_Rows(ByteSource &source, RegisterKind kind, GridModel &grid,
                                                char separator = ',');
