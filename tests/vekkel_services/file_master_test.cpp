// The file master: the host's folders by id, directory objects and file descriptors.
#include <gtest/gtest.h>

#include "vekkel.h"

namespace {

TEST(FileMaster, TheHostsFoldersAreFoundByIdWithAFinalBackslash) {
  QvFileMaster* master = Get_GlobalFileMaster();
  ASSERT_NE(master, nullptr);
  EXPECT_EQ(master, Get_GlobalFileMaster());
  EXPECT_EQ(master->CreateQvDirectoryFromID(QvDirReports), nullptr);  // none named yet
  EXPECT_FALSE(master->SetInternalDirectory(QvDirNone, "C:\\x"));
  const struct {
    const char* given;
    const char* path;
  } cases[] = {{"C:\\Reports", "C:\\Reports\\"}, {"C:\\Reports\\", "C:\\Reports\\"}, {"D:/data/", "D:/data/"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(master->SetInternalDirectory(QvDirReports, c.given));
    QvDirectory* directory = master->CreateQvDirectoryFromID(QvDirReports);
    ASSERT_NE(directory, nullptr) << c.given;
    EXPECT_STREQ(master->GetTotalPathFromFilDir(directory).c_str(), c.path);
    EXPECT_STREQ(directory->GetFileDescriptor()->WINONLY_GetPath().c_str(), c.path);
    master->DestroyQvDirectory(directory);
  }
  EXPECT_EQ(master->CreateQvDirectoryFromID(QvDirTemplates), nullptr);
  ASSERT_TRUE(master->SetInternalDirectory(QvDirReports, ""));
  EXPECT_EQ(master->CreateQvDirectoryFromID(QvDirReports), nullptr);
  EXPECT_TRUE(master->GetTotalPathFromFilDir(nullptr).IsEmpty());
}

TEST(FileMaster, DescriptorsAndDirectoriesOfPaths) {
  QvFileMaster* master = Get_GlobalFileMaster();
  QvFileDescriptor* file = master->WINONLY_CreateQvFileDescriptor("C:\\a\\b.rep");
  ASSERT_NE(file, nullptr);
  EXPECT_STREQ(file->WINONLY_GetPath().c_str(), "C:\\a\\b.rep");
  master->DestroyQvFileDescriptor(file);
  EXPECT_EQ(master->WINONLY_CreateQvFileDescriptor(""), nullptr);
  EXPECT_EQ(master->WINONLY_CreateQvFileDescriptor(nullptr), nullptr);
  QvDirectory* folder = master->WINONLY_CreateQvDirectory("C:\\a", 0);
  ASSERT_NE(folder, nullptr);
  EXPECT_STREQ(master->GetTotalPathFromFilDir(folder).c_str(), "C:\\a\\");
  master->DestroyQvDirectory(folder);
  EXPECT_EQ(master->WINONLY_CreateQvDirectory(nullptr, 0), nullptr);
  EXPECT_TRUE(QvFileDescriptor(nullptr).WINONLY_GetPath().IsEmpty());
}

}  // namespace
