#include "encode/gs1.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "encode/carried_text.h"
#include "encode/code128_tables.h"
#include "encode/segments.h"

namespace sw::gs1 {
namespace {

constexpr Length P = Length::kPredefined, F = Length::kFixed, V = Length::kVariable;
constexpr Charset N = Charset::kNumeric, X = Charset::kCset82, CX = Charset::kCountryThenX82;
constexpr Check M = Check::kMod10, NC = Check::kNone;
constexpr Date ND = Date::kNone, D0 = Date::kYymmd0, DT = Date::kYymmddhhmm;

// The AIs of logistics and trade labels, from the GS1 General Specifications (section 3). The length
// kind follows the table of AI prefixes whose length is predefined (00-04, 11-20, 31-36, 41): a fixed
// length elsewhere (402, 422, 7003, 8005) still takes a separator.
constexpr std::array<AiRow, kAiRowCount> kAiRows = {{
    /* 0*/ {"00", P, 18, 18, N, M, ND, false},   // SSCC
    {"01", P, 14, 14, N, M, ND, false},          // GTIN
    {"02", P, 14, 14, N, M, ND, false},          // GTIN of contained trade items
    {"10", V, 1, 20, X, NC, ND, false},          // batch or lot
    {"11", P, 6, 6, N, NC, D0, false},           // production date
    /* 5*/ {"12", P, 6, 6, N, NC, D0, false},    // due date
    {"13", P, 6, 6, N, NC, D0, false},           // packaging date
    {"15", P, 6, 6, N, NC, D0, false},           // best before
    {"16", P, 6, 6, N, NC, D0, false},           // sell by
    {"17", P, 6, 6, N, NC, D0, false},           // expiry
    /*10*/ {"20", P, 2, 2, N, NC, ND, false},    // variant
    {"21", V, 1, 20, X, NC, ND, false},          // serial number
    {"22", V, 1, 20, X, NC, ND, false},          // consumer product variant
    {"30", V, 1, 8, N, NC, ND, false},           // variable count
    {"37", V, 1, 8, N, NC, ND, false},           // count of trade items
    /*15*/ {"240", V, 1, 30, X, NC, ND, false},  // additional product identification
    {"241", V, 1, 30, X, NC, ND, false},         // customer part number
    {"250", V, 1, 30, X, NC, ND, false},         // secondary serial number
    {"251", V, 1, 30, X, NC, ND, false},         // reference to source entity
    {"310", P, 6, 6, N, NC, ND, true},           // net weight, kg
    /*20*/ {"311", P, 6, 6, N, NC, ND, true},    // length, m
    {"312", P, 6, 6, N, NC, ND, true},           // width, m
    {"313", P, 6, 6, N, NC, ND, true},           // depth, m
    {"314", P, 6, 6, N, NC, ND, true},           // area, m2
    {"315", P, 6, 6, N, NC, ND, true},           // net volume, l
    /*25*/ {"316", P, 6, 6, N, NC, ND, true},    // net volume, m3
    {"320", P, 6, 6, N, NC, ND, true},           // net weight, lb
    {"321", P, 6, 6, N, NC, ND, true},           // length, in
    {"322", P, 6, 6, N, NC, ND, true},           // length, ft
    {"323", P, 6, 6, N, NC, ND, true},           // length, yd
    /*30*/ {"324", P, 6, 6, N, NC, ND, true},    // width, in
    {"325", P, 6, 6, N, NC, ND, true},           // width, ft
    {"326", P, 6, 6, N, NC, ND, true},           // width, yd
    {"327", P, 6, 6, N, NC, ND, true},           // depth, in
    {"328", P, 6, 6, N, NC, ND, true},           // depth, ft
    /*35*/ {"329", P, 6, 6, N, NC, ND, true},    // depth, yd
    {"330", P, 6, 6, N, NC, ND, true},           // gross weight, kg
    {"331", P, 6, 6, N, NC, ND, true},           // length (logistics), m
    {"332", P, 6, 6, N, NC, ND, true},           // width (logistics), m
    {"333", P, 6, 6, N, NC, ND, true},           // depth (logistics), m
    /*40*/ {"334", P, 6, 6, N, NC, ND, true},    // area (logistics), m2
    {"335", P, 6, 6, N, NC, ND, true},           // gross volume, l
    {"336", P, 6, 6, N, NC, ND, true},           // gross volume, m3
    {"337", P, 6, 6, N, NC, ND, true},           // kilograms per square metre
    {"400", V, 1, 30, X, NC, ND, false},         // customer's purchase order number
    /*45*/ {"401", V, 1, 30, X, NC, ND, false},  // GINC
    {"402", F, 17, 17, N, M, ND, false},         // GSIN
    {"403", V, 1, 30, X, NC, ND, false},         // routing code
    {"410", P, 13, 13, N, M, ND, false},         // ship to GLN
    {"411", P, 13, 13, N, M, ND, false},         // bill to GLN
    /*50*/ {"412", P, 13, 13, N, M, ND, false},  // purchased from GLN
    {"413", P, 13, 13, N, M, ND, false},         // ship for GLN
    {"414", P, 13, 13, N, M, ND, false},         // physical location GLN
    {"415", P, 13, 13, N, M, ND, false},         // invoicing party GLN
    {"416", P, 13, 13, N, M, ND, false},         // production or service location GLN
    /*55*/ {"417", P, 13, 13, N, M, ND, false},  // party GLN
    {"420", V, 1, 20, X, NC, ND, false},         // ship to postal code
    {"421", V, 4, 12, CX, NC, ND, false},        // ship to postal code with country code
    {"422", F, 3, 3, N, NC, ND, false},          // country of origin
    {"7003", F, 10, 10, N, NC, DT, false},       // expiration date and time
    /*60*/ {"8005", F, 6, 6, N, NC, ND, false},  // price per unit of measure
    {"90", V, 1, 30, X, NC, ND, false},          // mutually agreed between partners
    {"91", V, 1, 90, X, NC, ND, false},          // company internal
    {"92", V, 1, 90, X, NC, ND, false},         {"93", V, 1, 90, X, NC, ND, false},
    /*65*/ {"94", V, 1, 90, X, NC, ND, false},  {"95", V, 1, 90, X, NC, ND, false},
    {"96", V, 1, 90, X, NC, ND, false},         {"97", V, 1, 90, X, NC, ND, false},
    {"98", V, 1, 90, X, NC, ND, false},
    /*70*/ {"99", V, 1, 90, X, NC, ND, false},
}};
static_assert(kAiRows.size() == kAiRowCount && kAiRows[kAiRowCount - 1].ai == "99");

// The GS1 AI encodable character set 82: digits, letters and !"%&'()*+,-./:;<=>?_ (no space).
constexpr bool IsCset82(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '!' || c == '"' ||
         (c >= '%' && c <= '/') || (c >= ':' && c <= '?') || c == '_';
}

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (!code128::IsDigit(c)) return false;
  }
  return !text.empty();
}

int Number(std::string_view two_digits) { return (two_digits[0] - '0') * 10 + (two_digits[1] - '0'); }

bool IsDateAt(std::string_view digits, bool day_zero_allowed) {
  const int year = Number(digits.substr(0, 2)), month = Number(digits.substr(2, 2));
  const int day = Number(digits.substr(4, 2));
  if (month < 1 || month > 12) return false;
  if (day == 0) return day_zero_allowed;
  constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  // Every year the two digits can name in the GS1 century window (minus 49 to plus 50 years) that is a
  // multiple of four is a leap year, while that window holds no 2100.
  if (month == 2 && day == 29) return year % 4 == 0;
  return day <= kDays[month - 1];
}

// "(AI)" + middle + ..., GBK.
std::string About(std::string_view ai) {
  std::string text(1, '(');
  text.append(ai).append(1, ')');
  return text;
}

Failure<Gs1Error> Fail(Gs1Error code, std::string message) { return {code, std::move(message)}; }

// "GS1-128 的内容应为括号中的应用标识符加数据，例如 (01)09501101530003(10)AB12"
constexpr std::string_view kNotElementStringsText =
    "GS1-128 \xb5\xc4\xc4\xda\xc8\xdd\xd3\xa6\xce\xaa\xc0\xa8\xba\xc5\xd6\xd0\xb5\xc4\xd3\xa6\xd3\xc3\xb1\xea"
    "\xca\xb6\xb7\xfb\xbc\xd3\xca\xfd\xbe\xdd\xa3\xac\xc0\xfd\xc8\xe7 (01)09501101530003(10)AB12";
// " 不是已知的应用标识符": is not a known application identifier.
constexpr std::string_view kUnknownAiText =
    " \xb2\xbb\xca\xc7\xd2\xd1\xd6\xaa\xb5\xc4\xd3\xa6\xd3\xc3\xb1\xea\xca\xb6\xb7\xfb";
// " 后面缺少数据": has no data after it.
constexpr std::string_view kEmptyDataText = " \xba\xf3\xc3\xe6\xc8\xb1\xc9\xd9\xca\xfd\xbe\xdd";
// " 的数据应为 " / " 的数据最多 " / " 的数据至少 " N " 位，现为 " M " 位": its data should be exactly /
// at most / at least N characters, it has M.
constexpr std::string_view kExactlyText = " \xb5\xc4\xca\xfd\xbe\xdd\xd3\xa6\xce\xaa ";
constexpr std::string_view kAtMostText = " \xb5\xc4\xca\xfd\xbe\xdd\xd7\xee\xb6\xe0 ";
constexpr std::string_view kAtLeastText = " \xb5\xc4\xca\xfd\xbe\xdd\xd6\xc1\xc9\xd9 ";
constexpr std::string_view kHasText = " \xce\xbb\xa3\xac\xcf\xd6\xce\xaa ";
constexpr std::string_view kCharactersText = " \xce\xbb";
// " 的数据只能是数字，不能有“" c "”": its data may only be digits, not c.
constexpr std::string_view kDigitsOnlyText =
    " \xb5\xc4\xca\xfd\xbe\xdd\xd6\xbb\xc4\xdc\xca\xc7\xca\xfd\xd7\xd6\xa3\xac\xb2\xbb\xc4\xdc\xd3\xd0\xa1"
    "\xb0";
constexpr std::string_view kCloseQuoteText = "\xa1\xb1";
// " 的数据不能有“" c "”，GS1 只允许字母、数字和 !"%&'()*+,-./:;<=>?_": its data may not hold c; GS1
// allows only letters, digits and those marks.
constexpr std::string_view kNotInSetText = " \xb5\xc4\xca\xfd\xbe\xdd\xb2\xbb\xc4\xdc\xd3\xd0\xa1\xb0";
constexpr std::string_view kSetAllowsText =
    "\xa1\xb1\xa3\xacGS1 \xd6\xbb\xd4\xca\xd0\xed\xd7\xd6\xc4\xb8\xa1\xa2\xca\xfd\xd7\xd6\xba\xcd "
    "!\"%&'()*+,-./:;<=>?_";
// " 的校验位应为 " d "，现为 " e: its check digit should be d, it is e.
constexpr std::string_view kCheckDigitText = " \xb5\xc4\xd0\xa3\xd1\xe9\xce\xbb\xd3\xa6\xce\xaa ";
constexpr std::string_view kItIsText = "\xa3\xac\xcf\xd6\xce\xaa ";
// " 的日期 " data " 不是有效的年月日（YYMMDD）" (or "年月日时分（YYMMDDHHMM）"): its date is no valid
// year, month and day (and hour and minute).
constexpr std::string_view kDateText = " \xb5\xc4\xc8\xd5\xc6\xda ";
constexpr std::string_view kNotADateText =
    " \xb2\xbb\xca\xc7\xd3\xd0\xd0\xa7\xb5\xc4\xc4\xea\xd4\xc2\xc8\xd5\xa3\xa8YYMMDD\xa3\xa9";
constexpr std::string_view kNotADateTimeText =
    " \xb2\xbb\xca\xc7\xd3\xd0\xd0\xa7\xb5\xc4\xc4\xea\xd4\xc2\xc8\xd5\xca\xb1\xb7\xd6\xa3\xa8YYMMDDHHMM\xa3"
    "\xa9";

// The first character of `data` outside the row's set, or npos.
std::size_t FirstBadCharacter(std::string_view data, Charset charset) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    const auto c = static_cast<unsigned char>(data[i]);
    const bool numeric = charset == Charset::kNumeric || (charset == Charset::kCountryThenX82 && i < 3);
    if (numeric ? !code128::IsDigit(data[i]) : !IsCset82(c)) return i;
  }
  return std::string_view::npos;
}

std::optional<Failure<Gs1Error>> CheckField(const Field& field) {
  const AiRow& row = *field.row;
  const std::string_view data = field.data;
  const std::string ai = About(field.ai);
  if (data.empty()) return Fail(Gs1Error::kEmptyData, ai + std::string(kEmptyDataText));
  if (const std::size_t bad = FirstBadCharacter(data, row.charset); bad != std::string_view::npos) {
    std::size_t length = 0;
    const std::string shown = code128::ReadableCharacterAt(data, bad, length);
    const bool digits_only = row.charset == Charset::kNumeric || bad < 3;
    return Fail(Gs1Error::kBadCharacter, ai + std::string(digits_only ? kDigitsOnlyText : kNotInSetText) +
                                             shown +
                                             std::string(digits_only ? kCloseQuoteText : kSetAllowsText));
  }
  if (data.size() < row.min_length || data.size() > row.max_length) {
    const std::string_view rule = row.min_length == row.max_length ? kExactlyText
                                  : data.size() > row.max_length   ? kAtMostText
                                                                   : kAtLeastText;
    const int expected = data.size() > row.max_length ? row.max_length : row.min_length;
    return Fail(Gs1Error::kWrongLength, ai + std::string(rule) + std::to_string(expected) +
                                            std::string(kHasText) + std::to_string(data.size()) +
                                            std::string(kCharactersText));
  }
  if (row.check == Check::kMod10) {
    const int expected = CheckDigitOf(data.substr(0, data.size() - 1));
    if (data.back() - '0' != expected) {
      return Fail(Gs1Error::kWrongCheckDigit, ai + std::string(kCheckDigitText) + std::to_string(expected) +
                                                  std::string(kItIsText) + data.back());
    }
  }
  if (row.date != Date::kNone) {
    bool valid = IsDateAt(data, row.date == Date::kYymmd0);
    if (row.date == Date::kYymmddhhmm)
      valid = valid && Number(data.substr(6, 2)) < 24 && Number(data.substr(8, 2)) < 60;
    if (!valid) {
      return Fail(Gs1Error::kBadDate,
                  ai + std::string(kDateText) + std::string(data) +
                      std::string(row.date == Date::kYymmddhhmm ? kNotADateTimeText : kNotADateText));
    }
  }
  return std::nullopt;
}

}  // namespace

const std::array<AiRow, kAiRowCount>& AiTable() { return kAiRows; }

const AiRow* FindAi(std::string_view ai) {
  if (!AllDigits(ai)) return nullptr;
  for (const AiRow& row : kAiRows) {
    if (row.decimal ? ai.size() == 4 && ai.substr(0, 3) == row.ai && ai[3] <= '5' : ai == row.ai) return &row;
  }
  return nullptr;
}

int CheckDigitOf(std::string_view digits) {
  // Weights 3 and 1 alternate from the digit next to the check digit.
  int sum = 0;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    sum += (digits[digits.size() - 1 - i] - '0') * (i % 2 == 0 ? 3 : 1);
  }
  return (10 - sum % 10) % 10;
}

Fields ParseElementStrings(std::string_view content) {
  std::vector<Field> fields;
  std::size_t at = 0;
  if (content.empty() || content[0] != '(')
    return Fail(Gs1Error::kNotElementStrings, std::string(kNotElementStringsText));
  while (at < content.size()) {
    // `at` is on a '(': the AI runs to the ')', its data to the next '(' or the end.
    const std::size_t close = content.find(')', at);
    if (close == std::string_view::npos)
      return Fail(Gs1Error::kNotElementStrings, std::string(kNotElementStringsText));
    Field field;
    field.ai = std::string(content.substr(at + 1, close - at - 1));
    field.row = FindAi(field.ai);
    if (field.row == nullptr)
      return Fail(Gs1Error::kUnknownAi, About(field.ai) + std::string(kUnknownAiText));
    const std::size_t next = std::min(content.find('(', close), content.size());
    field.data = std::string(content.substr(close + 1, next - close - 1));
    if (std::optional<Failure<Gs1Error>> fault = CheckField(field)) return *std::move(fault);
    fields.push_back(std::move(field));
    at = next;
  }
  return fields;
}

code128::SymbolSequence BuildSymbols(const std::vector<Field>& fields) {
  // Fields of predefined length run on into the next one; any other field that is not the last ends with
  // an FNC1, the separator a scanner cuts the element strings at.
  std::vector<std::string> segments = {std::string(code128::kFnc1Segment)};
  std::string run;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    run += fields[i].ai + fields[i].data;
    const bool last = i + 1 == fields.size();
    if (last || fields[i].row->length != Length::kPredefined) {
      for (std::string& segment : code128::SplitIntoSegments(run).list)
        segments.push_back(std::move(segment));
      if (!last) segments.emplace_back(code128::kFnc1Segment);
      run.clear();
    }
  }
  return code128::BuildSymbols(segments);
}

Widths WidthsOf(std::string_view content) {
  Fields fields = ParseElementStrings(content);
  if (!fields.ok()) return fields.failure();
  return code128::WidthString(BuildSymbols(fields.value()));
}

}  // namespace sw::gs1
