// The service-guide exports of the built libTolv32.so against the stub library. The
// library binds the service guide once per process, from the vdx_cvdll.ini of the current
// directory, so every case runs in a child process of its own (the parent never calls
// the engine) and hands back what it saw as lines of text.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "testkit/draymap_stub/stub_script.h"
#include "testkit/driver/shipment_request.h"
#include "testkit/driver/test_tariff.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"
#include "tolv32dll/include/tolv32.h"
#include "tolv32dll/records/shipment_record.h"

namespace {

namespace h = tolv::shipment_header;
namespace sr = tolv::shipment_record;

using Lines = std::vector<std::string>;

class ServGdExportsTest : public ::testing::Test {
 protected:
  // Runs body in a child process whose current directory holds settings as vdx_cvdll.ini
  // (no file when empty); returns the lines body gave.
  Lines InChild(const std::string& settings, const std::function<Lines()>& body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
      if (!settings.empty()) work_.Write("vdx_cvdll.ini", settings);
      std::string text;
      if (::chdir(work_.path().c_str()) == 0) {
        for (const std::string& line : body()) text += line + "\n";
      }
      work_.Write("report", text);
      ::_exit(0);  // the parent owns the directories
    }
    int status = 0;
    EXPECT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child ended badly";
    Lines lines;
    std::string text = testkit::ReadFile(work_.File("report")), line;
    for (char c : text) {
      if (c != '\n') {
        line += c;
      } else {
        lines.push_back(line);
        line.clear();
      }
    }
    return lines;
  }

  // One call: its result and the four status characters ("...." untouched).
  static std::string Call(uint8_t (*call)(char*, char*), char* record = nullptr) {
    char status[24] = {'.', '.', '.', '.'};
    std::array<char, 600> own{};
    const uint8_t result = call(status, record != nullptr ? record : own.data());
    return std::to_string(result) + " " + std::string(status, 4);
  }

  testkit::TempDir work_;
  testkit::TempDir data_;
  testkit::DraymapScript script_;
};

TEST_F(ServGdExportsTest, AbsentOrIncompleteLibraryReports0700) {
  auto calls = [] {
    return Lines{Call(ServGd_Initialize), Call(ServGd_GetCarrierTypes),
                 Call(ServGd_GetServGuideData), Call(ServGd_GetCarriers),
                 Call(ServGd_SetCarrierDataPath), std::to_string(ServGd_Terminate())};
  };
  const Lines unavailable = {"0 0700", "0 0700", "0 0700", "0 0700", "0 0700", "1"};
  EXPECT_EQ(InChild("", calls), unavailable);
  EXPECT_EQ(InChild("[Product]\r\nPath=NOT FOUND\r\n", calls), unavailable);
  EXPECT_EQ(InChild(testkit::DraymapSettings(DRAYMAP_STUB_PARTIAL_DIR), calls), unavailable);
  EXPECT_TRUE(script_.Calls().empty()) << "an incomplete library is never called";
  // Missing records are refused before anything else.
  EXPECT_EQ(InChild("",
                    [] {
                      char status[4] = {'.', '.', '.', '.'};
                      return Lines{std::to_string(ServGd_Initialize(nullptr, status)) +
                                   std::to_string(ServGd_GetCarriers(status, nullptr)) + " " +
                                   std::string(status, 4)};
                    }),
            Lines{"00 ...."});
}

TEST_F(ServGdExportsTest, PresentLibraryServesEachThreadWithOrWithoutInitialisation) {
  const std::string dir = DRAYMAP_STUB_DIR;
  testkit::WriteTestTariff(data_);
  const std::string data = data_.path();
  Lines seen = InChild(testkit::DraymapSettings(dir), [&] {
    Lines out;
    // No Tolv_InitializeTolv yet: the call gets an engine of its own.
    out.push_back(Call(ServGd_GetCarrierTypes));
    std::array<char, 600> record{};
    out.push_back(Call(ServGd_Initialize, record.data()));
    out.push_back(std::string(record.data() + 17) + "|" + std::string(record.data() + 300, 10));
    testkit::DraymapAnswers refusing;
    refusing.call_status = "0999";
    script_.Answer(refusing);
    out.push_back(Call(ServGd_GetTerminals));
    script_.Answer({});
    // An ended engine and a new one keep the thread's initialisation.
    out.push_back(std::to_string(Tolv_InitializeTolv(data.c_str())) +
                  std::to_string(Tolv_EndTolv()));
    out.push_back(Call(ServGd_GetTermToTermDays));
    out.push_back(std::to_string(Tolv_InitializeTolv(data.c_str())));
    out.push_back(Call(ServGd_GetCarriers));
    Tolv_EndTolv();
    std::thread other([&] { out.push_back(Call(ServGd_SetCarrierDataPath)); });
    other.join();
    return out;
  });
  EXPECT_EQ(seen, (Lines{"1 1001", "1 1001", dir + "|STUB-READY", "0 0999", "00", "1 1001", "0",
                         "1 1001", "1 1001"}));
  // Each thread initialised the library once; the thread that ended terminated it.
  EXPECT_EQ(script_.Calls("ServGd_Initialize").size(), 2u);
  EXPECT_EQ(script_.Calls("ServGd_Terminate").size(), 1u);
  EXPECT_EQ(script_.Calls("ServGd_GetCarriers").size(), 1u);
  EXPECT_EQ(script_.Calls("ServGd_GetTerminals").size(), 1u);
}

// A rating of the test tariff with the given service carrier: header and the rest.
std::string Rate(const std::string& carrier) {
  testkit::ShipmentRequest q;
  q.tariff_name = "TESTTR01";
  q.lines = {{"100", "300"}, {"50", "150"}};
  std::array<std::uint8_t, 2160> r = testkit::ShipmentRequestBytes(q);
  std::copy(carrier.begin(), carrier.end(),
            r.begin() + sr::kHeader.offset + h::kServiceCarrierCode.offset);
  Tolv_RateShipment(reinterpret_cast<char*>(r.data()));
  return std::string(r.begin(), r.end());
}

std::string HeaderText(const std::string& record, const os::Field& f) {
  return record.substr(sr::kHeader.offset + f.offset, f.width);
}

TEST_F(ServGdExportsTest, RatingAsksTheGuideWhenTheRequestNamesACarrier) {
  testkit::WriteTestTariff(data_);
  const std::string data = data_.path();
  const std::size_t rest = sr::kHeader.offset + h::kSize;
  Lines seen = InChild(testkit::DraymapSettings(DRAYMAP_STUB_DIR), [&] {
    Lines out;
    if (Tolv_InitializeTolv(data.c_str()) != 0) return Lines{"no engine"};
    const std::string plain = Rate("0000");
    out.push_back(HeaderText(plain, h::kStatus) + "|" + HeaderText(plain, h::kServiceGuideResult));

    // The guide's answer, then the charges beside those of the rating that asked nothing.
    auto asked = [&](const testkit::DraymapAnswers& answers) {
      script_.Answer(answers);
      const std::string guided = Rate("C123");
      out.push_back(HeaderText(guided, h::kStatus) + "|" +
                    HeaderText(guided, h::kServiceGuideResult));
      out.push_back(guided.substr(rest) == plain.substr(rest) ? "same charges" : "charges differ");
    };
    testkit::DraymapAnswers found;
    found.result = "XY";
    asked(found);
    testkit::DraymapAnswers refused;
    refused.status = "1100";
    refused.result = "XY";
    asked(refused);
    Tolv_EndTolv();
    return out;
  });
  EXPECT_EQ(seen, (Lines{"    |  ", "    |XY", "same charges", "1100|  ", "same charges"}));
  // The carrier "0000" asks nothing; each named carrier asks once, for the lane.
  const Lines asked = script_.Calls("ServGd_GetServGuideData");
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], "ServGd_GetServGuideData|....UNQC123A|15000 25000 ");
}

}  // namespace
