// ZelDbug: nesting of traced functions and their lines.
#include <gtest/gtest.h>

#include <ZelDbug.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_lines;
void __cdecl Collect(const char* line) { g_lines.push_back(line); }

TEST(ZelDbug, NestedFramesRestoreTheCallerAndIndentTheLines) {
  g_lines.clear();
  DbOutputFn old = _db_set_output_(&Collect);
  ZelDbugFrame outer, inner;
  EXPECT_EQ(_db_depth_(), 0u);
  _db_enter_("Mod", "Outer", "file.h", 91, &outer.func, &outer.file, &outer.level, &outer.framep);
  _db_enter_("Mod", "Inner", "file.h", 91, &inner.func, &inner.file, &inner.level, &inner.framep);
  EXPECT_EQ(_db_depth_(), 2u);
  EXPECT_STREQ(_db_func_(), "Inner");
  EXPECT_STREQ(inner.func, "Outer");  // the frame keeps its caller
  _db_return_("Mod", 98, &inner.func, &inner.file, &inner.level);
  EXPECT_STREQ(_db_func_(), "Outer");
  _db_return_("Mod", 98, &outer.func, &outer.file, &outer.level);
  EXPECT_EQ(_db_depth_(), 0u);
  EXPECT_STREQ(_db_func_(), "");
  _db_set_output_(old);
  std::vector<std::string> expected = {"Mod: >Outer (91)\n", "Mod:   >Inner (91)\n", "Mod:   <Inner (98)\n",
                                       "Mod: <Outer (98)\n"};
  EXPECT_EQ(g_lines, expected);
}

TEST(ZelDbug, OffAtLoadAndLongNamesCut) {
  EXPECT_EQ(_db_on_, 0);
  g_lines.clear();
  DbOutputFn old = _db_set_output_(&Collect);
  std::string longName(2000, 'x');
  ZelDbugFrame f;
  _db_enter_(NULL, longName.c_str(), NULL, 1, &f.func, &f.file, &f.level, &f.framep);
  _db_return_(NULL, 2, &f.func, &f.file, &f.level);
  _db_set_output_(old);
  ASSERT_EQ(g_lines.size(), 2u);
  EXPECT_LT(g_lines[0].size(), 512u);
  EXPECT_EQ(g_lines[0].compare(0, 4, "?: >"), 0);
  EXPECT_EQ(_db_depth_(), 0u);
}

}  // namespace
