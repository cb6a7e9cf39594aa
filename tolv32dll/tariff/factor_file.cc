#include "tolv32dll/tariff/factor_file.h"

#include <cstring>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/tariff/file_io.h"

namespace tolv {
namespace {

bool IsOptionLine(const char* line) { return line[0] == '*' && line[1] != '\r' && line[1] != '\n'; }

// Reads exactly `want` values from a line into successive cells; false when the line
// holds fewer (a cut file) or a value is corrupt.
template <typename Store>
bool ReadValues(FactorLineCursor& cursor, int want, Store store) {
  for (int i = 0; i < want; ++i) {
    auto value = cursor.Parm_ReadFixed4();
    if (!value) return false;
    store(i, *value);
  }
  return !cursor.bad();
}

// The next data line as a cursor; nullopt at the end of the file.
std::optional<FactorLineCursor> NextCursor(FactorFileReader& reader) {
  const char* line = reader.Parm_NextDataLine();
  if (line == nullptr) return std::nullopt;
  return FactorLineCursor(line);
}

// The second-table values of a 'D' or 'H' block: one per break, over as many lines as
// needed. An 'H' line ends with one more value, stored in the row after its last break.
ErrorNumber ReadBreakRows(FactorFileReader& reader, bool extra_per_line, FactorTables& tables) {
  int row = 0;
  while (row < tables.break_count) {
    auto cursor = NextCursor(reader);
    if (!cursor) return kErrFacred;
    std::array<std::int32_t, kFactorColumns + 1> values;
    int n = 0;
    while (auto value = cursor->Parm_ReadFixed4()) {
      if (n == static_cast<int>(values.size())) return kErrFacred;
      values[n++] = *value;
    }
    if (cursor->bad()) return kErrFacred;
    int breaks = extra_per_line ? n - 1 : n;
    if (breaks <= 0) return kErrFacred;
    breaks = std::min(breaks, tables.break_count - row);
    for (int i = 0; i < breaks; ++i) tables.break_factors[row++][0] = values[i];
    if (extra_per_line) {
      if (row >= kBreakFactorRows) return kErrFacred;
      tables.break_factors[row][0] = values[breaks];
    }
  }
  return kOk;
}

void ClearTables(FactorTables& tables) { tables = FactorTables(); }

}  // namespace

std::string_view FactorTables::ClassCodeText(int i) const {
  if (i < 0 || i >= kMaxClasses) return {};
  const ClassCode& code = class_codes[i];
  return std::string_view(code.data(), strnlen(code.data(), code.size()));
}

const char* FactorFileReader::Parm_NextDataLine() {
  while (!bad_ && File_GetLine(line_, sizeof line_, stream_) != nullptr) {
    std::size_t length = std::strlen(line_);
    if (length == sizeof line_ - 1 && line_[length - 1] != '\n' && !std::feof(stream_)) {
      bad_ = true;  // a line longer than the buffer: its tail would read as another line
      return nullptr;
    }
    if (line_[0] == ' ') return line_;
    if (IsOptionLine(line_)) option_result_ = Parm_ParseOptionLine(line_, options_);
  }
  return nullptr;
}

FactorFileRequest FactorRequestFor(const CurrentTariff& tariff) {
  FactorFileRequest request;
  request.point_type = tariff.point_type;
  request.package_codes = tariff.point_type == '0' && tariff.tariff_kind == 'P';
  request.block_number = tariff.tariff_number;
  if (tariff.tariff_kind == 'P') {
    request.point_type = 'P';  // block layout
    request.block_number = 1;
  }
  return request;
}

ErrorNumber Parm_ReadClassRates(FactorFileReader& reader, const FactorFileRequest& request,
                                FactorTables& tables) {
  const bool second_table = request.point_type == 'D' || request.point_type == 'H';
  while (auto classes = NextCursor(reader)) {
    // One block: its class line, reset, break line, number line and rate lines.
    tables.class_count = 0;
    while (auto code = classes->Parm_ReadClassCode(request.package_codes)) {
      if (tables.class_count == kMaxClasses) return kErrFacred;
      tables.class_codes[tables.class_count++] = *code;
    }
    reader.options().StartBlock();
    auto breaks = NextCursor(reader);
    if (!breaks) return kErrFacred;
    tables.break_count = 0;
    while (auto weight = breaks->Parm_ReadInt()) {
      if (tables.break_count == kMaxBreaks) return kErrFacred;
      tables.weight_breaks[tables.break_count++] = *weight;
    }
    if (breaks->bad()) return kErrFacred;
    auto number_line = NextCursor(reader);
    if (!number_line) return kErrFacred;
    auto number = static_cast<std::int16_t>(number_line->Parm_ReadShort());
    if (tables.block_count < kMaxBlocks) tables.block_numbers[tables.block_count++] = number;
    tables.class_factors = {};
    tables.break_factors = {};
    for (int c = 0; c < tables.class_count; ++c) {
      auto rates = NextCursor(reader);
      if (!rates) return kErrFacred;
      if (!ReadValues(*rates, tables.break_count,
                      [&](int b, std::int32_t v) { tables.class_factors[c][b] = v; })) {
        return kErrFacred;
      }
    }
    if (second_table)
      TOLV_RETURN_IF_ERROR(ReadBreakRows(reader, request.point_type == 'H', tables));
    if (number == request.block_number) break;
  }
  // Without a block of the tariff's number the last block read stands.
  return reader.bad() ? kErrFacred : reader.option_result();
}

ErrorNumber Parm_ReadClassRatesAlt(FactorFileReader& reader, const FactorFileRequest& request,
                                   FactorTables& tables) {
  // Each section stops early at the end of the file, leaving the sections after it empty.
  auto done = [&]() { return reader.bad() ? kErrFacred : reader.option_result(); };
  // A count line; -1 at the end of the file.
  auto count = [&]() -> int {
    auto cursor = NextCursor(reader);
    return cursor ? cursor->Parm_ReadShort() : -1;
  };

  const int blocks = count();
  if (blocks < 0) return done();
  if (blocks > kMaxBlocks) return kErrFacred;
  for (int i = 0; i < blocks; ++i) {
    auto cursor = NextCursor(reader);
    if (!cursor) return done();
    tables.block_numbers[tables.block_count++] =
        static_cast<std::int16_t>(cursor->Parm_ReadShort());
  }
  const int classes = count();
  if (classes < 0) return done();
  if (classes > kMaxClasses) return kErrFacred;
  for (int i = 0; i < classes; ++i) {
    auto cursor = NextCursor(reader);
    if (!cursor) return done();
    auto code = cursor->Parm_ReadClassCode(request.package_codes);
    tables.class_codes[tables.class_count++] = code.value_or(ClassCode{});
  }
  const int breaks = count();
  if (breaks < 0) return done();
  if (breaks > kMaxBreaks) return kErrFacred;
  // Listed highest first: the last break read takes the first place.
  std::array<std::int32_t, kMaxBreaks> listed{};
  int listed_count = 0;
  for (; listed_count < breaks; ++listed_count) {
    auto cursor = NextCursor(reader);
    if (!cursor) break;
    auto weight = cursor->Parm_ReadInt();
    if (cursor->bad()) return kErrFacred;
    listed[listed_count] = weight.value_or(0);
  }
  for (int i = 0; i < listed_count; ++i) tables.weight_breaks[listed_count - 1 - i] = listed[i];
  tables.break_count = static_cast<std::int16_t>(listed_count);
  if (listed_count < breaks) return done();
  // Reads the rows of a grid; false at the end of the file or a value that does not read.
  bool corrupt = false;
  auto read_grid = [&](FactorRow* rows, int columns) -> bool {
    for (int r = 0; r < blocks; ++r) {
      for (int c = 0; c < columns; ++c) {
        auto cursor = NextCursor(reader);
        if (!cursor) return false;
        auto value = cursor->Parm_ReadFixed4();
        corrupt = cursor->bad();
        if (corrupt) return false;
        rows[r][c] = value.value_or(0);
      }
    }
    return true;
  };
  if (read_grid(tables.class_factors.data(), classes)) {
    read_grid(tables.break_factors.data(), breaks);
  }
  return corrupt ? kErrFacred : done();
}

ErrorNumber Parm_LoadFactorFile(std::FILE* stream, const FactorFileRequest& request,
                                FactorOptions& options, FactorTables& tables) {
  ClearTables(tables);
  options.radjf = 1.0f;
  options.no_rbn_addon = false;
  os::StoreF32Le(options.table[kOptRadjf].value.data(), 1.0f);
  options.table[kOptNoRbnAddon].value.fill(0);
  if (stream == nullptr) return kErrFacopn;
  // Each load stands on its own: no result of an earlier load or call carries over.
  FactorFileReader reader(stream, options);
  ErrorNumber result = request.point_type < 'A' ? Parm_ReadClassRatesAlt(reader, request, tables)
                                                : Parm_ReadClassRates(reader, request, tables);
  if (result == kErrFacred) ClearTables(tables);
  return result;
}

}  // namespace tolv
