// The menus' drawing resources are not made in a service-only process, which is named by its
// own switch on the command line, not by the word appearing anywhere in it.
#include "menu_fixture.h"

#include <child_process.h>

#include <stdlib.h>
#include <string.h>

#include <string>

namespace {

// Runs this program's child test with the argument; its exit code (0 when it passed).
int RunMenuChild(const wchar_t* argument, bool service) {
  SetEnvironmentVariableA("MENUS_EXPECT_SERVICE", service ? "1" : "0");
  return testing_support::RunThisProgram(
      std::wstring(argument) + L" --gtest_also_run_disabled_tests --gtest_filter=DISABLED_MenuServiceChild.*");
}

// Run only as the child above.
TEST(DISABLED_MenuServiceChild, ResourcesFollowTheSwitch) {
  const char* expect = getenv("MENUS_EXPECT_SERVICE");
  ASSERT_NE(expect, nullptr);
  systemMenuData* data = CCoolMenu::GetSystemMenuData(0);
  ASSERT_NE(data, nullptr);
  if (strcmp(expect, "1") == 0) {
    EXPECT_EQ(data->hbrHalftone, nullptr);
    EXPECT_EQ(data->hFont, nullptr);
  } else {
    EXPECT_NE(data->hbrHalftone, nullptr);
    EXPECT_NE(data->hFont, nullptr);
    EXPECT_NE(data->hilCheck, nullptr);
  }
}

TEST(MenuResources, OnlyTheServiceSwitchKeepsThemUnmade) {
  const struct {
    const wchar_t* argument;
    bool service;
  } cases[] = {
      {L"/serviceonly", true},
      {L"-serviceonly", true},
      {L"/notserviceonly", false},
      {L"serviceonly", false},
      {L"/serviceonlyreport", false},
  };
  for (const auto& c : cases) EXPECT_EQ(RunMenuChild(c.argument, c.service), 0) << static_cast<int>(c.service);
}

}  // namespace
