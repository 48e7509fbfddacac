// Dates, times, zones and date-times.
#include <gtest/gtest.h>

#include <QvDateTime.h>

namespace {

TEST(QvDate, Calendar) {
  struct { unsigned short y, m, d; bool valid; } cases[] = {
      {2024, 2, 29, true}, {2023, 2, 29, false}, {1900, 2, 29, false}, {2000, 2, 29, true},
      {2024, 4, 31, false}, {2024, 12, 31, true}, {2024, 13, 1, false}, {2024, 0, 1, false},
      {2024, 1, 0, false},  {1600, 1, 1, false},  {1601, 1, 1, true},   {30827, 12, 31, true},
  };
  for (auto& c : cases) {
    QvDate d(c.y, c.m, c.d);
    EXPECT_EQ(d.IsValid(), c.valid) << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(QvDate::IsValidDate(c.y, c.m, c.d), c.valid);
  }
  EXPECT_EQ(QvDate::DaysInMonth(2024, 2), 29);
  EXPECT_EQ(QvDate::DaysInMonth(2023, 2), 28);
  EXPECT_EQ(QvDate::DaysInMonth(2023, 13), 0);
  EXPECT_EQ(QvDate(1601, 1, 1).GetDayNumber(), 0);
  EXPECT_EQ(QvDate(1601, 1, 1).GetDayOfWeek(), 1);   // Monday
  EXPECT_EQ(QvDate(2024, 12, 25).GetDayOfWeek(), 3);  // Wednesday
  EXPECT_EQ(QvDate().GetDayOfWeek(), -1);

  QvDate d(2024, 2, 28);
  EXPECT_TRUE(d.AddDays(2));
  EXPECT_EQ(d, QvDate(2024, 3, 1));
  EXPECT_TRUE(d.AddDays(-366));
  EXPECT_EQ(d, QvDate(2023, 3, 1));
  QvDate first(1601, 1, 1);
  EXPECT_FALSE(first.AddDays(-1));
  EXPECT_EQ(first, QvDate(1601, 1, 1));
  EXPECT_FALSE(d.Set(2023, 2, 30));
  EXPECT_EQ(d, QvDate(2023, 3, 1));
  EXPECT_TRUE(QvDate(2023, 1, 1) < QvDate(2023, 1, 2));
}

TEST(QvTime, ValidatesAndOrders) {
  EXPECT_EQ(QvTime(24, 0, 0), QvTime());
  EXPECT_EQ(QvTime(12, 60, 0), QvTime());
  QvTime t(23, 59, 59, 999);
  EXPECT_EQ(t.GetMillisecondsOfDay(), 86399999);
  EXPECT_FALSE(t.Set(10, 0, 0, 1000));
  EXPECT_EQ(t.GetHour(), 23);
  EXPECT_TRUE(QvTime(1, 0, 0) < QvTime(1, 0, 1));
}

TEST(QvDateTime, ComparesInstantsAcrossZones) {
  QvDateTime paris(QvDate(2024, 6, 1), QvTime(14, 0, 0), QvZone(-120));
  QvDateTime utc(QvDate(2024, 6, 1), QvTime(12, 0, 0), QvZone::UTC());
  EXPECT_EQ(paris, utc);
  QvDateTime later(QvDate(2024, 6, 1), QvTime(12, 0, 1), QvZone::UTC());
  EXPECT_TRUE(utc < later);
  EXPECT_EQ(QvDateTime().GetUTCMilliseconds(), -1);

  SYSTEMTIME st;
  EXPECT_TRUE(paris.ToSystemTime(st));
  EXPECT_EQ(st.wYear, 2024);
  EXPECT_EQ(st.wDayOfWeek, 6);  // Saturday
  EXPECT_EQ(QvDateTime::FromSystemTime(st, QvZone(-120)), paris);
  EXPECT_FALSE(QvDateTime().ToSystemTime(st));

  QvDateTime now = QvDateTime::Now();
  EXPECT_TRUE(now.IsValid());
  EXPECT_EQ(now.GetZone(), QvZone::Local());
  EXPECT_GE(now.GetDate().GetYear(), 2020);
}

}  // namespace
