// The lane-adjustment readers on records built by hand, byte by byte, and on damaged files.
#include "testkit/lanes/lane_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/lanes/adj_records.h"
#include "tolv32dll/lanes/point_lanes.h"
#include "tolv32dll/lanes/text_lane_cache.h"
#include "tolv32dll/lanes/text_lane_file.h"
#include "tolv32dll/lanes/text_lanes.h"

namespace tolv {
namespace {

using testkit::AdjByCodeRecord;
using testkit::AdjByNumber32Record;
using testkit::AdjRecord350;

MemoryFile FileOf(const std::string& text) { return MemoryFile({text.begin(), text.end()}); }

TEST(AdjRecordsTest, RecordsByHand) {
  // 347 bytes: "AB7", minimum 10500 (0x2904), cell 0 11000 (0x2AF8), cell 168 -5.
  std::vector<std::uint8_t> by_code(347, 0);
  by_code[0] = 'A', by_code[1] = 'B', by_code[2] = '7';
  by_code[3] = 0x04, by_code[4] = 0x29, by_code[5] = 0xF8, by_code[6] = 0x2A;
  by_code[3 + 2 * 169] = 0xFB, by_code[4 + 2 * 169] = 0xFF;
  std::vector<std::uint8_t> file = testkit::Concat({std::vector<std::uint8_t>(347, ' '), by_code});
  MemoryFile a(file);
  std::optional<AdjRecord> r = LaneAdj_FindByCode(a, "AB7", 0);
  ASSERT_TRUE(r);
  EXPECT_EQ(347, r->position);
  const os::ByteSpan bytes(r->bytes.data(), r->bytes.size());
  EXPECT_EQ(10500, ValueAt(bytes, 3, 0));
  EXPECT_EQ(11000, ValueAt(bytes, 3, 1));
  EXPECT_EQ(-5, ValueAt(bytes, 3, 169));
  EXPECT_EQ(by_code, AdjByCodeRecord("AB7", 10500, [] {
              std::vector<std::int16_t> v(169, 0);
              v[0] = 11000;
              v[168] = -5;
              return v;
            }()));
  // Scanning from past the record finds nothing; neither does a short last record.
  EXPECT_FALSE(LaneAdj_FindByCode(a, "AB7", 694));
  file.resize(file.size() - 1);
  EXPECT_FALSE(LaneAdj_FindByCode(MemoryFile(file), "AB7", 0));

  // 32 bytes: number 7 (07 00), modes, minimum 500, break values.
  const std::vector<std::uint8_t> y = {
      0x07, 0x00, '2',  '1',  '1', '2', '0', '0', '0', '0', '0', '0', 0xF4, 0x01, 0xF8, 0x2A,
      0xF8, 0x2A, 0x64, 0x00, 0,   0,   0,   0,   0,   0,   0,   0,   0,    0,    0,    0};
  EXPECT_EQ(y, AdjByNumber32Record(7, '2', "112", 500, {11000, 11000, 100}));
  EXPECT_EQ(32, LaneAdj_FindByNumber32(
                    MemoryFile(testkit::Concat({std::vector<std::uint8_t>(32, 0), y})), 7, 0)
                    ->position);

  // 350 bytes: number 300 (2C 01), '+', '*', minimum values 1 and 2, cell 0 = 3.
  std::vector<std::uint8_t> t(350, 0);
  t[0] = 0x2C, t[1] = 0x01, t[2] = '+', t[3] = '*', t[4] = 1, t[6] = 2, t[8] = 3;
  EXPECT_EQ(t, AdjRecord350(300, '+', '*', 1, 2, {3}));
  EXPECT_TRUE(LaneAdj_FindAdjRecord(MemoryFile(t), 300, 0));
  EXPECT_FALSE(LaneAdj_FindAdjRecord(MemoryFile(t), 301, 0));
}

TEST(PointLanesTest, HitsOfTheOriginWhoseRangeHoldsTheDestination) {
  MemoryFile lanes(testkit::LaneByPointFile(
      {{1, 1, 9, 4}, {2, 1, 3, 5}, {2, 4, 6, 6}, {2, 4, 8, 7}, {2, 9, 9, 8}, {3, 5, 5, 9}}));
  LaneState state;
  LoadLanesByPoint(lanes, 2, 5, state);
  ASSERT_EQ(2u, state.number_hits.size());
  EXPECT_EQ(6, state.number_hits[0].number);
  EXPECT_EQ(7, state.number_hits[1].number);
  LaneState none;
  LoadLanesByPoint(lanes, 4, 5, none);
  EXPECT_TRUE(none.number_hits.empty());
  // Hand-built bytes: origin 1, range 2-2, number 7.
  LaneState one;
  LoadLanesByPoint(MemoryFile({0x01, 0x00, 0x02, 0x00, 0x02, 0x00, 0x07, 0x00}), 1, 2, one);
  ASSERT_EQ(1u, one.number_hits.size());
  EXPECT_EQ(7, one.number_hits[0].number);
}

TEST(TextLaneFileTest, SectionsAndTrailer) {
  testkit::TextLaneFileRows rows;
  rows.option_lines = {"* BRKS = 000* 300+ 999*", "* BRKS = 000+ 999*"};
  rows.areas = {{"10000", "19999", {"AAA", "ABC"}}, {"20000", "29999", {"BBB"}}};
  rows.hits = {{"AAA", "BBB", "0101", 'L', '0'}};
  for (bool position : {true, false}) {
    rows.trailer_position = position;
    Result<TextLaneFile> f = ParseTextLaneFile(FileOf(testkit::TextLaneFile(rows)));
    ASSERT_TRUE(f.ok());
    ASSERT_EQ(2u, f->option_lines.size());
    ASSERT_EQ(2u, f->areas.size());
    EXPECT_EQ((std::vector<std::string>{"AAA", "ABC"}), f->areas[0].codes);
    ASSERT_EQ(1u, f->hits.size());
    EXPECT_EQ("AAABBB", f->hits[0].pair);
    EXPECT_EQ("0101", f->hits[0].number);
    EXPECT_EQ('0', f->hits[0].sub_kind);
    EXPECT_EQ(&f->areas[1], FindTextLaneArea(*f, "25000 "));
    EXPECT_EQ(nullptr, FindTextLaneArea(*f, "30000"));

    // The second option line is the second break list; the first stays.
    FactorOptions options;
    ASSERT_EQ(kOk, ApplyTextLaneOptions(*f, options));
    EXPECT_EQ(3, options.brks.count);
    EXPECT_EQ(2, options.brk2.count);
    EXPECT_EQ(0, options.brk2.entries[0].mark);
  }
  // A second line that repeats the first is still the second list.
  FactorOptions same;
  ASSERT_EQ(kOk, ApplyLaneOptionLines({"* BRKS = 000* 500+ 999*", "* BRKS = 000* 500+ 999*"}, same));
  EXPECT_EQ(3, same.brks.count);
  ASSERT_EQ(3, same.brk2.count);
  EXPECT_EQ('5', same.brk2.entries[1].code[0]);
  EXPECT_EQ(0, same.brk2.entries[1].mark);
  // A second line without a list leaves the second list empty.
  FactorOptions none;
  ASSERT_EQ(kOk, ApplyLaneOptionLines({"* BRKS = 000* 999*", "* ONE_LA = YES"}, none));
  EXPECT_EQ(2, none.brks.count);
  EXPECT_EQ(0, none.brk2.count);
  EXPECT_TRUE(none.one_la);
}

TEST(TextLaneFileTest, DamagedFilesAre232) {
  testkit::TextLaneFileRows rows;
  rows.areas = {{"10000", "19999", {"AAA"}}};
  rows.hits = {{"AAA", "AAA", "0101", 'L', ' '}};
  const std::string good = testkit::TextLaneFile(rows);
  EXPECT_EQ(kErrBadlal, ParseTextLaneFile(FileOf("")).error());
  EXPECT_EQ(kErrBadlal, ParseTextLaneFile(FileOf("1000019999AAA\r\n")).error());
  EXPECT_EQ(kErrBadlal, ParseTextLaneFile(FileOf("1000019999AAA\r\n99900000001\r\n")).error());
  EXPECT_EQ(kErrBadlal, ParseTextLaneFile(FileOf("*\r\n999000000x1\r\n")).error());
  // Every cut of a good file reads or fails cleanly.
  for (std::size_t n = 0; n <= good.size(); ++n) {
    Result<TextLaneFile> f = ParseTextLaneFile(FileOf(good.substr(0, n)));
    if (f.ok()) {
      EXPECT_LE(f->hits.size(), 1u);
    }
  }
}

// A view of one version of a file: its image, stamped with the file's inode and a time.
class ImageView : public FileView {
 public:
  ImageView(const std::string& bytes, std::int64_t version) {
    os::ReadBytes read{std::unique_ptr<std::uint8_t[]>(new std::uint8_t[bytes.size() + 1]),
                       bytes.size()};
    std::memcpy(read.data.get(), bytes.data(), bytes.size());
    os::FileStamp stamp;
    stamp.inode = 42;
    stamp.size = static_cast<std::int64_t>(bytes.size());
    stamp.modified_s = version;
    image_ = std::make_shared<const os::FileImage>(std::move(read), stamp);
  }
  std::int64_t Size() const override { return static_cast<std::int64_t>(image_->size()); }
  std::int64_t ReadAt(std::int64_t offset, os::MutableByteSpan out) const override {
    return MemoryFile(std::vector<std::uint8_t>(image_->bytes().begin(), image_->bytes().end()))
        .ReadAt(offset, out);
  }
  os::FileImagePtr Image() const override { return image_; }

 private:
  os::FileImagePtr image_;
};

TEST(TextLaneFileTest, KeptParseFollowsTheFileImage) {
  testkit::TextLaneFileRows rows;
  rows.areas = {{"10000", "19999", {"AAA"}}};
  rows.hits = {{"AAA", "AAA", "0101", 'L', ' '}};
  const std::string first = testkit::TextLaneFile(rows);
  rows.hits[0].number = "0202";
  const std::string second = testkit::TextLaneFile(rows);
  ASSERT_EQ(first.size(), second.size());

  std::shared_ptr<const ParsedTextLanes> a, b;
  const ImageView version_1(first, 1);
  ASSERT_EQ(kOk, ParseTextLaneView(version_1, &a));
  EXPECT_EQ("0101", a->file.hits.at(0).number);
  ASSERT_EQ(kOk, ParseTextLaneView(version_1, &b));
  EXPECT_EQ(a, b) << "the same image: the kept parse";
  // The same size with other bytes is another version of the file.
  const ImageView version_2(second, 2);
  ASSERT_EQ(kOk, ParseTextLaneView(version_2, &b));
  EXPECT_EQ("0202", b->file.hits.at(0).number);
  // A damaged file keeps its error while it stays as it is.
  const ImageView damaged("1000019999AAA\r\n", 3);
  EXPECT_EQ(kErrBadlal, ParseTextLaneView(damaged, &a));
  EXPECT_EQ(kErrBadlal, ParseTextLaneView(damaged, &b));
  EXPECT_EQ(a, b);
  EXPECT_EQ(kErrBadlal, ParseTextLaneView(FileOf(""), &a));
  // Without an image, every parse is its own.
  ASSERT_EQ(kOk, ParseTextLaneView(FileOf(first), &a));
  ASSERT_EQ(kOk, ParseTextLaneView(FileOf(first), &b));
  EXPECT_NE(a, b);
  EXPECT_EQ("0101", b->file.hits.at(0).number);
}

class TextLaneHitsTest : public ::testing::Test {
 protected:
  TextLaneFile File(int hit_count, char kind = 'L', char sub_kind = ' ') {
    testkit::TextLaneFileRows rows;
    rows.areas = {{"10000", "19999", {"BBB", "AAA"}}, {"20000", "29999", {"CCC"}}};
    for (int i = 0; i < hit_count; ++i) {
      char number[16];
      std::snprintf(number, sizeof number, "%03d0", 900 - i);
      rows.hits.push_back({i % 2 ? "BBB" : "AAA", "CCC", number, kind, sub_kind});
    }
    std::stable_sort(rows.hits.begin(), rows.hits.end(),
                     [](const auto& a, const auto& b) { return a.origin < b.origin; });
    Result<TextLaneFile> f = ParseTextLaneFile(FileOf(testkit::TextLaneFile(rows)));
    EXPECT_TRUE(f.ok());
    return *f;
  }
  TextLaneTerms terms_{LaneKind::kL, '0', 'A', "15000", "25000"};
  LaneState state_;
};

TEST_F(TextLaneHitsTest, FourteenHitsAreKeptInCodeOrderAndAFifteenthIs235) {
  ASSERT_EQ(kOk, LoadTextLaneHits(File(14), terms_, state_));
  ASSERT_EQ(14u, state_.code_hits.size());
  EXPECT_EQ("887", state_.code_hits.front().code);
  EXPECT_EQ("900", state_.code_hits.back().code);
  EXPECT_EQ((std::vector<std::string>{"AAA", "BBB"}), state_.origin_areas);
  EXPECT_EQ(kErrLahcnt, LoadTextLaneHits(File(15), terms_, state_));
  // A lane whose ZIP has no area line has no hits.
  terms_.destination_zip = "35000";
  ASSERT_EQ(kOk, LoadTextLaneHits(File(3), terms_, state_));
  EXPECT_TRUE(state_.code_hits.empty());
}

TEST_F(TextLaneHitsTest, NumberHitsByMethodLetter) {
  // 'K' keeps sub-kinds "0" and the rate record's kind letter, numbers read in 3 places.
  terms_.method_letter = 'K';
  ASSERT_EQ(kOk, LoadTextLaneHits(File(2, 'L', 'A'), terms_, state_));
  ASSERT_EQ(2u, state_.number_hits.size());
  EXPECT_EQ(900, state_.number_hits[0].number);
  EXPECT_EQ('A', state_.number_hits[0].kind);
  ASSERT_EQ(kOk, LoadTextLaneHits(File(2, 'L', 'B'), terms_, state_));
  EXPECT_TRUE(state_.number_hits.empty());
  // 'I' reads all 4 places; kind T sorts the numbers highest first.
  terms_.method_letter = 'I';
  ASSERT_EQ(kOk, LoadTextLaneHits(File(2), terms_, state_));
  EXPECT_EQ(9000, state_.number_hits[0].number);
  terms_ = {LaneKind::kT, '0', 'A', "15000", "25000"};
  ASSERT_EQ(kOk, LoadTextLaneHits(File(3), terms_, state_));
  ASSERT_EQ(3u, state_.number_hits.size());
  EXPECT_EQ(9000, state_.number_hits[0].number);
  EXPECT_EQ(8980, state_.number_hits[2].number);
}

}  // namespace
}  // namespace tolv
