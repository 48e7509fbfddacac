#include <windows.h>

#include <thread>

#include <gtest/gtest.h>

#include "vekkel.h"

namespace {

TEST(GlobalLocale, DayNamesComeFromTheLabels) {
  QvLocale* locale = Get_GlobalLocale();
  ASSERT_NE(locale, nullptr);
  EXPECT_EQ(Get_GlobalLocale(), locale);
  // At load: the user locale's names.
  wchar_t monday[80];
  ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME1, monday, 80), 1);
  EXPECT_STREQ(locale->GetDayName(0).c_str(), QvString(monday).c_str());

  // One bad id: failure, nothing changes.
  EXPECT_TRUE(locale->SetDayNameLabels(390000, 390001, 390002, 0, 390004, 390005, 390006).Failed());
  EXPECT_STREQ(locale->GetDayName(0).c_str(), QvString(monday).c_str());

  // A missing label keeps the name it had.
  QvString sunday = locale->GetDayName(6);
  EXPECT_TRUE(locale->SetDayNameLabels(390000, 390001, 390002, 390003, 390004, 390005, 777777).Succeeded());
  EXPECT_STREQ(locale->GetDayName(0).c_str(), "Lundi");
  EXPECT_STREQ(locale->GetDayName(6).c_str(), sunday.c_str());

  EXPECT_TRUE(locale->SetDayNameLabels(390000, 390001, 390002, 390003, 390004, 390005, 390006).Succeeded());
  const char* names[] = {"Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi", "Dimanche"};
  for (int day = 0; day < 7; ++day) EXPECT_STREQ(locale->GetDayName(day).c_str(), names[day]);
  EXPECT_TRUE(locale->GetDayName(7).IsEmpty());
  EXPECT_TRUE(locale->GetDayName(-1).IsEmpty());
}

TEST(Globals, UnattendedModes) {
  EXPECT_FALSE(BypassDialogs());
  EXPECT_FALSE(QvApplicationIsBlind());
  SetBypassDialogs(true);
  QvSetApplicationBlind(true);
  EXPECT_TRUE(BypassDialogs());
  EXPECT_TRUE(QvApplicationIsBlind());
  SetBypassDialogs(false);
  QvSetApplicationBlind(false);
  EXPECT_FALSE(BypassDialogs());
  EXPECT_FALSE(QvApplicationIsBlind());
}

TEST(Globals, MainThread) {
  EXPECT_TRUE(IsCurrentMainThread());
  bool onOther = true;
  std::thread([&] { onOther = IsCurrentMainThread(); }).join();
  EXPECT_FALSE(onOther);

  unsigned long main = Get_MainThreadID();
  DWORD other = 0;
  bool otherIsMain = false;
  std::thread([&] {
    other = GetCurrentThreadId();
    Set_MainThreadID(other);
    otherIsMain = IsCurrentMainThread();
  }).join();
  EXPECT_TRUE(otherIsMain);
  EXPECT_FALSE(IsCurrentMainThread());
  Set_MainThreadID(main);
  EXPECT_TRUE(IsCurrentMainThread());
}

TEST(Globals, ApplicationIdAndPlatform) {
  EXPECT_EQ(Get_Global_applID(), 0UL);
  Set_Global_applID(8);
  EXPECT_EQ(Get_Global_applID(), 8UL);
  Set_Global_applID(0);
  EXPECT_EQ(QvGetPlateform(), 3);
}

TEST(WebParameters, FieldsAndOnlineTrel) {
  QvWebParameters* web = GetQvWebParameters();
  ASSERT_NE(web, nullptr);
  EXPECT_STREQ(web->GetQVUSER(), "");
  EXPECT_STREQ(web->GetPortalRootURL(), "");
  EXPECT_FALSE(web->IsTREL());
  EXPECT_FALSE(web->IsWebMode());

  web->SetQVUSER("alice");
  web->SetQVPASS("secret");
  web->SetServerName("srv");
  web->SetPortalRootURL("http://portal/");
  web->SetProvider("ldap");
  web->SetAuthenticationType(2);
  EXPECT_STREQ(web->GetQVUSER(), "alice");
  EXPECT_STREQ(web->GetQVPASS(), "secret");
  EXPECT_STREQ(web->GetServerName(), "srv");
  EXPECT_STREQ(web->GetPortalRootURL(), "http://portal/");
  EXPECT_EQ(web->GetProvider(), "ldap");
  EXPECT_EQ(web->GetAuthenticationType(), 2);
  web->SetQVPASS(nullptr);
  EXPECT_STREQ(web->GetQVPASS(), "");

  struct Case {
    bool trel;
    int session;
    bool online;
  } const cases[] = {{true, 1, true}, {true, 3, true}, {true, 2, false}, {true, 0, false}, {false, 1, false}};
  for (const Case& c : cases) {
    web->SetTREL(c.trel);
    web->SetIsOnlineSession(c.session);
    EXPECT_EQ(web->IsOnlineTREL(), c.online) << c.trel << " " << c.session;
  }
  web->SetTREL(false);
  web->SetIsOnlineSession(0);
  web->SetQVUSER(nullptr);
  web->SetServerName(nullptr);
  web->SetPortalRootURL(nullptr);
}

}  // namespace
