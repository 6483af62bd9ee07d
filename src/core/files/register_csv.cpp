#include "core/files/register_csv.h"

#include "core/common/amount.h"
#include "core/common/text.h"
#include "core/common/utf8.h"
#include "core/registers/register_entry.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
const char *kNotUtf8 = "UTF-8 텍스트가 아닙니다. 파일을 UTF-8(CSV UTF-8)로 저장하십시오.";
// No text holds a NUL: the bytes are of another kind of file, or of UTF-16
// text without its byte order mark.
const char *kNul = "NUL 문자(0 바이트)가 있어 텍스트가 아닙니다. 파일을 UTF-8(CSV UTF-8)로 저장하십시오.";

struct Columns {
    std::array<const char *, 6> names;
    int count;
    int firstAmount; // the amount fields run from here to the end
};

const Columns &Columns_Of(RegisterKind kind)
{
    static const Columns interest = {
        {"소득구분코드", "상호(성명)", "사업자등록번호(주민번호)", "이자소득금액", "원천징수세액", nullptr}, 5, 3};
    static const Columns dividend = {
        {"소득구분코드", "배당지급법인명", "사업자등록번호", "배당액", "배당가산대상금액", "원천징수세액"}, 6, 3};
    return kind == RegisterKind::Interest ? interest : dividend;
}

bool Is_Digit(char c) { return c >= '0' && c <= '9'; }

// The forms a spreadsheet writes an amount in: an optional minus, digits
// plain or grouped by threes with commas ("1234567", "1,234,567"), and an
// optional decimal part, a point and digits. An exponent, a plus or a comma
// out of place is refused rather than read as another number than the one
// meant: "1.5e3" is not 1,500 and "1,5" not 15.
bool Spreadsheet_Amount(std::string_view text)
{
    std::size_t i = text.starts_with('-') ? 1 : 0;
    const std::size_t digits = i;
    while (i < text.size() && Is_Digit(text[i]))
        ++i;
    if (i == digits || (i < text.size() && text[i] == ',' && i - digits > 3))
        return false;
    while (i < text.size() && text[i] == ',') {
        if (text.size() - i < 4 || !std::all_of(text.begin() + i + 1, text.begin() + i + 4, Is_Digit))
            return false;
        i += 4;
    }
    if (i < text.size() && text[i] == '.') {
        const std::size_t point = ++i;
        while (i < text.size() && Is_Digit(text[i]))
            ++i;
        if (i == point)
            return false;
    }
    return i == text.size();
}

} // namespace

// Splits the source into records as RFC 4180 does, one at a time.
class RegisterCsvReader::Scanner {
public:
    enum class Status { Record, End, Failure };

    Scanner(ByteSource &source, char separator) : source_(source), separator_(separator) {}

    Status Next(std::vector<std::string> &fields, int &line, std::string &failure)
    {
        for (;;) {
            fields.clear();
            line = line_;
            const Status status = Record(fields, failure);
            if (status != Status::Record)
                return status;
            if (!(fields.size() == 1 && fields[0].empty()))
                return status; // a blank line is no record
        }
    }

    // Called once before the first record: drops a UTF-8 BOM; a UTF-16 one
    // means the wrong encoding.
    bool Start(std::string &failure)
    {
        while (length_ < 3 && Fill()) {
        }
        const std::string_view head(buffer_, length_);
        if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) {
            failure = "UTF-16 파일입니다. 파일을 UTF-8(CSV UTF-8)로 저장하십시오.";
            return false;
        }
        if (head.starts_with(kBom))
            position_ = kBom.size();
        return readError_.empty() || (failure = readError_, false);
    }

private:
    static constexpr int kEnd = -1;
    static constexpr int kError = -2;

    bool Fill()
    {
        if (ended_ || !readError_.empty())
            return false;
        if (position_ > 0 && position_ < length_)
            std::memmove(buffer_, buffer_ + position_, length_ - position_);
        length_ -= position_;
        position_ = 0;
        const std::ptrdiff_t got = source_.Read(buffer_ + length_, sizeof buffer_ - length_);
        if (got < 0)
            readError_ = source_.Error();
        else if (got == 0)
            ended_ = true;
        else
            length_ += static_cast<std::size_t>(got);
        return got > 0;
    }

    int Peek()
    {
        if (position_ == length_ && !Fill())
            return readError_.empty() ? kEnd : kError;
        return static_cast<unsigned char>(buffer_[position_]);
    }

    void Skip() { ++position_; }

    Status Record(std::vector<std::string> &fields, std::string &failure)
    {
        const auto fail = [&](const std::string &why) {
            failure = readError_.empty() ? why : readError_;
            return Status::Failure;
        };
        if (Peek() == kEnd)
            return Status::End;
        for (;;) {
            std::string field;
            int c = Peek();
            if (c == '"') {
                Skip();
                for (;;) {
                    c = Peek();
                    if (c < 0)
                        return fail("따옴표로 시작한 필드가 닫히지 않았습니다.");
                    Skip();
                    if (c == '"') {
                        if (Peek() != '"')
                            break;
                        Skip();
                    } else if (c == '\n') {
                        ++line_;
                    }
                    field += static_cast<char>(c);
                }
                c = Peek();
                if (c == kError)
                    return fail({});
                if (c != kEnd && c != separator_ && c != '\n' && c != '\r')
                    return fail("닫는 따옴표 뒤에 글자가 있습니다.");
            } else {
                while ((c = Peek()) >= 0 && c != separator_ && c != '\n' && c != '\r') {
                    if (c == '"')
                        return fail("따옴표로 감싸지 않은 필드 안에 따옴표가 있습니다.");
                    field += static_cast<char>(c);
                    Skip();
                }
                if (c == kError)
                    return fail({});
            }
            fields.push_back(std::move(field));
            if (c == separator_) {
                Skip();
                continue;
            }
            if (c == '\r') {
                Skip();
                if (Peek() == '\n')
                    Skip();
            } else if (c == '\n') {
                Skip();
            }
            if (c != kEnd)
                ++line_;
            return Status::Record;
        }
    }

    ByteSource &source_;
    char separator_;
    char buffer_[65536];
    std::size_t position_ = 0, length_ = 0;
    bool ended_ = false;
    std::string readError_;
    int line_ = 1;
};

namespace {

// Where each column of a register file stands in the grid.
std::vector<int> Grid_Columns(RegisterKind kind)
{
    if (kind == RegisterKind::Interest)
        return {kCodeCol, kNameCol, kNumberCol, 5, 6};
    return {kCodeCol, kNameCol, kNumberCol, 5, 6, 9}; // the gross-up and income are worked out again
}

void Append_Field(std::string &out, std::string_view field, char separator)
{
    if (field.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string_view::npos) {
        out.append(field);
        return;
    }
    out += '"';
    for (const char c : field)
        out.append(c == '"' ? 2 : 1, c);
    out += '"';
}

void Append_Line(std::string &out, const std::vector<std::string_view> &fields, char separator)
{
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0)
            out += separator;
        Append_Field(out, fields[k], separator);
    }
    out += "\r\n";
}

} // namespace

std::string Register_Row_Text(const GridModel &grid, RegisterKind kind, int row, char separator)
{
    std::vector<std::string_view> fields;
    for (const int col : Grid_Columns(kind))
        fields.push_back(grid.Text(row, col));
    std::string out;
    Append_Line(out, fields, separator);
    return out;
}

std::string Register_File_Text(const GridModel &grid, RegisterKind kind, char separator, bool header)
{
    std::string out;
    if (header) {
        out.append(kBom);
        const std::vector<std::string> names = Register_File_Columns(kind);
        Append_Line(out, {names.begin(), names.end()}, separator);
    }
    for (int r = 1; r < grid.Rows(); ++r)
        if (grid.Is_Data(r))
            out += Register_Row_Text(grid, kind, r, separator);
    return out;
}

std::vector<std::string> Register_File_Columns(RegisterKind kind)
{
    const Columns &columns = Columns_Of(kind);
    return {columns.names.begin(), columns.names.begin() + columns.count};
}

std::string Describe(const ReadFailure &failure)
{
    if (failure.line == 0)
        return failure.message;
    return std::to_string(failure.line) + "번째 줄: " + failure.message;
}

RegisterCsvReader::RegisterCsvReader(ByteSource &source, RegisterKind kind, char separator)
    : kind_(kind), separator_(separator), scanner_(std::make_unique<Scanner>(source, separator))
{
}

RegisterCsvReader::~RegisterCsvReader() = default;

std::optional<RegisterRow> RegisterCsvReader::Fail(int line, std::string message)
{
    failure_ = ReadFailure{line, std::move(message)};
    return std::nullopt;
}

bool RegisterCsvReader::Is_Header(const std::vector<std::string> &cells) const
{
    const Columns &columns = Columns_Of(kind_);
    if (static_cast<int>(cells.size()) != columns.count)
        return false;
    for (int k = columns.firstAmount; k < columns.count; ++k) {
        const std::string_view cell = Trim_Blanks(cells[k]);
        if (cell.empty() || Reads_As_Number(cell))
            return false;
    }
    return true;
}

std::optional<std::string> RegisterCsvReader::Row_Failure(const std::vector<std::string> &cells,
                                                          RegisterRow &row) const
{
    const Columns &columns = Columns_Of(kind_);
    if (static_cast<int>(cells.size()) != columns.count) {
        std::string why = "필드가 " + std::to_string(cells.size()) + "개입니다. 한 줄은 " +
                          std::to_string(columns.count) + "개 필드(";
        for (int k = 0; k < columns.count; ++k)
            why.append(k ? ", " : "").append(columns.names[k]);
        return why + (separator_ == '\t' ? ")로 이루어지며 탭으로 구분합니다." : ")로 이루어지며 쉼표로 구분합니다.");
    }
    std::vector<std::string> trimmed = cells;
    trimmed[0] = Trim_Blanks(cells[0]);
    return Row_From_Cells(kind_, trimmed, row);
}

std::optional<std::string> Amount_Failure(std::string_view label, std::string_view text)
{
    const std::string_view amount = Trim_Blanks(text);
    if (amount.empty())
        return std::nullopt;
    const NumberStatus status = Spreadsheet_Amount(amount) ? Parse_Number(amount).status : NumberStatus::NotNumber;
    if (status == NumberStatus::NotNumber)
        return std::string(label) + " " + Quote_Excerpt(amount) + "은(는) 숫자가 아닙니다.";
    if (status == NumberStatus::Overflow)
        return std::string(label) + " " + Quote_Excerpt(amount) + ": " + kAmountTooLargeMessage;
    return std::nullopt;
}

std::optional<std::string> Row_From_Cells(RegisterKind kind, const std::vector<std::string> &cells, RegisterRow &row)
{
    const Columns &columns = Columns_Of(kind);
    const RegisterLayout &layout = Layout_Of(kind);
    row.code = cells.at(0);
    if (!Is_Register_Code(layout, row.code)) {
        std::string why = std::string(columns.names[0]) + " " + Quote_Excerpt(row.code) + "은(는) ";
        for (const char *code : layout.codes)
            why.append(code).append(code == layout.codes.back() ? "" : ", ");
        return why + " 중 하나가 아닙니다.";
    }
    row.fields.clear();
    for (int k = 1; k < columns.firstAmount; ++k) {
        if (Has_Control_Character(cells[k]))
            return std::string(columns.names[k]) + " " + Quote_Excerpt(cells[k]) +
                   "에 제어 문자(탭, 줄바꿈 등)가 있습니다.";
        row.fields.push_back(cells[k]);
    }
    for (int k = columns.firstAmount; k < columns.count; ++k) {
        if (std::optional<std::string> why = Amount_Failure(columns.names[k], cells[k]))
            return why;
        // What the field shows once the text is in it: whole won, grouped.
        row.fields.push_back(Format_Amount(Trim_Blanks(cells[k]), 0).text);
    }
    if (kind == RegisterKind::Dividend) {
        const GrossUp g = BD_Calc(row.fields[2], row.fields[3]);
        if (g.overflow)
            return std::string(kAmountTooLargeMessage);
        row.fields.insert(row.fields.begin() + 4, {g.grossUp, g.income});
    }
    return std::nullopt;
}

std::optional<RegisterRow> RegisterCsvReader::Next()
{
    if (failure_)
        return std::nullopt;
    std::string failure;
    if (!started_) {
        started_ = true;
        if (!scanner_->Start(failure))
            return Fail(1, failure);
    }
    std::vector<std::string> cells;
    for (;;) {
        int line = 0;
        switch (scanner_->Next(cells, line, failure)) {
        case Scanner::Status::End:
            return std::nullopt;
        case Scanner::Status::Failure:
            return Fail(line, failure);
        case Scanner::Status::Record:
            break;
        }
        for (const std::string &cell : cells) {
            if (cell.find('\0') != std::string::npos)
                return Fail(line, kNul);
            if (!Valid_Utf8(cell))
                return Fail(line, kNotUtf8);
            if (cell.find(kBom) != std::string::npos)
                return Fail(line, "BOM(바이트 순서 표시)은 파일 맨 앞에만 올 수 있습니다.");
        }
        const bool first = first_;
        first_ = false;
        if (first && Is_Header(cells))
            continue;
        RegisterRow row;
        row.line = line;
        if (std::optional<std::string> why = Row_Failure(cells, row))
            return Fail(line, std::move(*why));
        return row;
    }
}

std::optional<ReadFailure> Import_Register_Rows(ByteSource &source, RegisterKind kind, GridModel &grid,
                                                char separator)
{
    RegisterCsvReader reader(source, kind, separator);
    GridModel work = grid;
    while (std::optional<RegisterRow> row = reader.Next()) {
        const SaveResult saved = Save_Row(work, 0, Entry_Cells(work, row->code, row->fields));
        if (const char *refusal = Refusal_Message(saved, Layout_Of(kind)))
            return ReadFailure{row->line, refusal};
    }
    if (reader.Failure())
        return reader.Failure();
    grid = std::move(work);
    return std::nullopt;
}
