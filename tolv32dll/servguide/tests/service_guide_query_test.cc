// The service-guide query of a rating against the stub library: when it runs, what it
// sends, and what a found or a refused answer leaves in the shipment.
#include <gtest/gtest.h>

#include <string>

#include "testkit/draymap_stub/stub_script.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/records/shipment_record.h"
#include "tolv32dll/servguide/service_guide_query.h"

namespace tolv {
namespace {

namespace h = shipment_header;

class QueryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_.Write("vdx_cvdll.ini", testkit::DraymapSettings(DRAYMAP_STUB_DIR));
    ASSERT_EQ(kOk, library_.Bind(settings_.File("vdx_cvdll.ini")));
    ASSERT_TRUE(AttachServiceGuide(library_, thread_, binding_));
    header_bytes_.fill(' ');
    os::RecordView hd = header();
    hd.SetText(h::kOriginZip, "15000");
    hd.SetText(h::kDestinationZip, "25000");
    hd.SetText(h::kServiceCarrierCode, "C123");
    hd.SetText(h::kServiceGuideResult, "QQ");
    request_.block_a.marker = "D%";
    request_.block_a.values.fill(5.0f);
    request_.block_b.marker = "I%";
    request_.block_b.values.fill(9.0f);
    choice_.origin = 'D';
    choice_.destination = 'D';
    choice_.effective = request_.block_a;
  }
  os::RecordView header() { return os::RecordView(header_bytes_); }
  ServiceGuideStatus Query(char flag = 'Y') {
    return ServiceGuide_Query(binding_, flag, header(), request_, choice_);
  }
  std::string Text(const os::Field& f) { return header().Raw(f); }

  testkit::TempDir settings_;
  testkit::DraymapScript script_;
  ServiceGuideLibrary library_;
  ServiceGuideThread thread_;
  ServiceGuideBinding binding_;
  std::array<std::uint8_t, h::kSize> header_bytes_{};
  ServiceRequest request_;
  ServiceChoice choice_;
};

TEST_F(QueryTest, NoQueryWithoutCarrierOrLibrary) {
  for (const std::string& code : {std::string("0000"), std::string("    "), std::string(4, '\0')}) {
    header().SetRaw(h::kServiceCarrierCode, code);
    EXPECT_EQ(kNoServiceGuideStatus, Query());
  }
  header().SetText(h::kServiceCarrierCode, "C123");
  EXPECT_EQ(kNoServiceGuideStatus, Query('N'));
  ServiceGuideBinding unbound;
  EXPECT_EQ(kNoServiceGuideStatus, ServiceGuide_Query(unbound, 'Y', header(), request_, choice_));
  EXPECT_TRUE(script_.Calls("ServGd_GetServGuideData").empty());
  EXPECT_EQ("QQ", Text(h::kServiceGuideResult));
}

TEST_F(QueryTest, SendsTheLaneTheCarrierAndTheGuideKind) {
  Query();
  header().SetText(h::kServiceGuideKind, "B");
  Query();
  const auto calls = script_.Calls("ServGd_GetServGuideData");
  ASSERT_EQ(2u, calls.size());
  // Status block bytes 0-11 and query record bytes 0-11 as the library saw them.
  EXPECT_EQ("ServGd_GetServGuideData|....UNQC123A|15000 25000 ", calls[0]);
  EXPECT_EQ("ServGd_GetServGuideData|....UNQC123B|15000 25000 ", calls[1]);
}

TEST_F(QueryTest, FoundAnswerGivesResultLettersAndDiscounts) {
  testkit::DraymapAnswers found;
  found.result = "XY";
  found.destination_service = 'I';
  script_.Answer(found);
  ServiceGuideStatus status = Query();
  EXPECT_EQ("1001", std::string(status.data(), 4));
  EXPECT_EQ("XY", Text(h::kServiceGuideResult));
  // The origin keeps the tariff's letter; an indirect end brings in block B's values.
  EXPECT_EQ('D', choice_.origin);
  EXPECT_EQ('I', choice_.destination);
  EXPECT_EQ("D%", choice_.effective.marker);
  EXPECT_EQ(9.0f, choice_.effective.values[0]);
  ServiceGuide_WriteStatus(status, header());
  EXPECT_EQ("    ", Text(h::kStatus));

  // Without a result code the header keeps its own.
  header().SetText(h::kServiceGuideResult, "QQ");
  script_.Answer(testkit::DraymapAnswers{});
  Query();
  EXPECT_EQ("QQ", Text(h::kServiceGuideResult));
}

TEST_F(QueryTest, OtherStatusBlanksTheResultAndEndsInStatus) {
  testkit::DraymapAnswers refused;
  refused.status = "1100";
  refused.result = std::string("XY");  // GCC 12 -O3 misreads a literal's assignment here
  refused.destination_service = 'I';
  script_.Answer(refused);
  ServiceGuideStatus status = Query();
  EXPECT_EQ("  ", Text(h::kServiceGuideResult));
  EXPECT_EQ('D', choice_.destination);
  EXPECT_EQ(5.0f, choice_.effective.values[0]);
  ServiceGuide_WriteStatus(status, header());
  EXPECT_EQ("1100", Text(h::kStatus));
  ServiceGuide_WriteStatus(kNoServiceGuideStatus, header());
  EXPECT_EQ("1100", Text(h::kStatus));
}

}  // namespace
}  // namespace tolv
