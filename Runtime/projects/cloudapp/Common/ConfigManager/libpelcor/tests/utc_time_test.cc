// UTC calendar time and the deployment times of the DbConfig text, tested
// directly (the library takes the current time, which no test controls).
#include "utc_time.h"

#include <gtest/gtest.h>

#include <string>

#include "db_config_text.h"
#include "json_document.h"
#include "json_file.h"
#include "platform/unicode.h"

namespace {

std::string Text(const UtcTime& time) { return platform::Utf16ToUtf8(DeployTimeText(time)); }

TEST(UtcTimeTest, SecondsSinceTheEpochGiveTheCalendarTime) {
  EXPECT_EQ(Text(UtcTimeFromUnixSeconds(0)), "1970-1-1 0:0:0");
  EXPECT_EQ(Text(UtcTimeFromUnixSeconds(-1)), "1969-12-31 23:59:59");
  EXPECT_EQ(Text(UtcTimeFromUnixSeconds(951782400)), "2000-2-29 0:0:0");
  EXPECT_EQ(Text(UtcTimeFromUnixSeconds(951868799)), "2000-2-29 23:59:59");
  EXPECT_EQ(Text(UtcTimeFromUnixSeconds(1709251199)), "2024-2-29 23:59:59");
  EXPECT_EQ(Text(UtcTimeFromUnixSeconds(4107542399)), "2100-2-28 23:59:59");
  EXPECT_EQ(Text(UtcTimeFromUnixSeconds(4107542400)), "2100-3-1 0:0:0");
  EXPECT_EQ(Text(UtcTimeFromUnixSeconds(-62135596800)), "1-1-1 0:0:0");
}

TEST(UtcTimeTest, TenYearsAfterTheTwentyNinthOfFebruary) {
  const UtcTime leap_day = UtcTimeFromUnixSeconds(1709251199);
  EXPECT_EQ(Text(YearsLater(leap_day, 10)), "2034-2-28 23:59:59");
  EXPECT_EQ(Text(YearsLater(leap_day, 8)), "2032-2-29 23:59:59");
  EXPECT_EQ(Text(YearsLater(UtcTimeFromUnixSeconds(951782400), 100)), "2100-2-28 0:0:0");
  EXPECT_EQ(Text(YearsLater(UtcTimeFromUnixSeconds(951782400), 400)), "2400-2-29 0:0:0");
  EXPECT_EQ(Text(YearsLater(UtcTimeFromUnixSeconds(1709251200), 10)), "2034-3-1 0:0:0");
}

TEST(UtcTimeTest, TheDbConfigTextOfALeapDayExpiresOnTheTwentyEighth) {
  JsonDocument document;
  DeployProjectRecord record;
  WriteDbConfig(document, record, u"p", UtcTimeFromUnixSeconds(1709208000));  // 2024-02-29 12:00:00
  platform::WString text;
  ASSERT_EQ(JsonValueToText(document.Root(), text), 0u);
  EXPECT_NE(platform::Utf16ToUtf8(text).find(R"("AvailableTime":"2024-2-29 12:0:0","Expiration":"2034-2-28 12:0:0")"),
            std::string::npos);
  EXPECT_EQ(record.OnlineTime[0], u'\0');
}

}  // namespace
