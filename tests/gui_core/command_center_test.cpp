// The portable command centre: tables of the host and of an extension module, definitions
// and their texts, command objects by class name, user definitions, the rights check, the
// security commands of another file, and lookups after release.
#include <gtest/gtest.h>

#include <QvGeometry.h>
#include <solvane.h>

#include "guicore_test.h"

// A command class that a definition names by its label.
class QvTestCommand : public QvCommand {
  QV_DECLARE_CREATABLE(QvTestCommand)
};
QV_IMPLEMENT_CREATABLE(QvTestCommand, QV_RUNTIME_CLASS(QvCommand))
QV_CLASSINIT(QvTestCommand)

namespace {

using CommandCenter = PortableLayerTest;

QvString Text(bool (QvCommandDef::*get)(QvString&) const, const QvCommandDef* def, bool* answer = nullptr) {
  QvString text("untouched");
  bool r = (def->*get)(text);
  if (answer) *answer = r;
  return text;
}

TEST_F(CommandCenter, DefinitionsCarryEveryFieldOfTheirRecord) {
  ASSERT_NE(Get_TheCommandCenter(), nullptr);
  EXPECT_TRUE(Get_TheCommandCenter()->TablesLoaded());
  EXPECT_EQ(QvCommandCenter::Get_CmdCenterExists(), 1);
  QvCommandDef* def = GUIGetCommandDefFromID(100);
  ASSERT_NE(def, nullptr);
  EXPECT_TRUE(def->IsKindOf(QV_RUNTIME_CLASS(QvStdCommandDef)));
  EXPECT_EQ(def->m_id, 100);
  EXPECT_EQ(def->m_spare1, 7);
  EXPECT_EQ(def->m_checkStyle, 2);
  EXPECT_EQ(def->m_securityID, 1001u);
  EXPECT_EQ(def->m_defaultKey, 0x53);
  EXPECT_EQ(def->m_defaultModifiers, 2);
  EXPECT_EQ(def->m_bitmapID, 300);
  EXPECT_EQ(def->m_imageIndex, 3);
  EXPECT_EQ(def->m_helpID, 4242u);
  EXPECT_FALSE(def->m_bStatusValid);
  EXPECT_STREQ(Text(&QvCommandDef::GetName, def).c_str(), "Save");
  EXPECT_STREQ(Text(&QvCommandDef::GetMenuText, def).c_str(), "&Save");
  EXPECT_STREQ(Text(&QvCommandDef::GetPopupMenuText, def).c_str(), "Save...");
  EXPECT_STREQ(Text(&QvCommandDef::GetTooltipText, def).c_str(), "Save the report");
  EXPECT_STREQ(Text(&QvCommandDef::GetMessageBarText, def).c_str(), "Saves the report");
  // Without a popup label the popup text is the menu text; without a message label there is
  // no message text.
  QvCommandDef* refresh = GUIGetCommandDefFromID(101);
  ASSERT_NE(refresh, nullptr);
  EXPECT_STREQ(Text(&QvCommandDef::GetPopupMenuText, refresh).c_str(), "&Refresh");
  bool answer = true;
  EXPECT_STREQ(Text(&QvCommandDef::GetMessageBarText, refresh, &answer).c_str(), "");
  EXPECT_FALSE(answer);
  EXPECT_TRUE(GUIIsValidCommandID(101));
  EXPECT_FALSE(GUIIsValidCommandID(4711));
  EXPECT_EQ(GUIGetCommandDefFromID(4711), nullptr);
  EXPECT_EQ(GUIGetCommandFromID(4711), nullptr);
}

TEST_F(CommandCenter, TheHostsDefinitionStaysAndLaterFamiliesAndSecurityCommandsReplace) {
  // Command 100 is in both tables: the host's is kept. 300 comes from the module alone.
  EXPECT_STREQ(Text(&QvCommandDef::GetName, GUIGetCommandDefFromID(100)).c_str(), "Save");
  ASSERT_NE(GUIGetCommandDefFromID(300), nullptr);
  QvSecurityFamily* views = GUIGetSecurityFamilyFromID(2);
  ASSERT_NE(views, nullptr);
  EXPECT_EQ(views->m_descriptionLabel, 26102u);
  ASSERT_NE(GUIGetSecurityFamilyFromID(1), nullptr);
  ASSERT_NE(GUIGetSecurityFamilyFromID(3), nullptr);
  EXPECT_EQ(GUIGetSecurityFamilyFromID(4), nullptr);
  QvSecurityCommand* refresh = Get_TheCommandCenter()->GetSecurityCommand(1002);
  ASSERT_NE(refresh, nullptr);
  EXPECT_EQ(refresh->m_descriptionLabel, 27202u);
  QvSecurityCommand* save = Get_TheCommandCenter()->GetSecurityCommand(1001);
  ASSERT_NE(save, nullptr);
  QvString text;
  EXPECT_TRUE(save->GetDescription(text));
  EXPECT_STREQ(text.c_str(), "Save files");
  EXPECT_TRUE(save->GetAdditionnalDescription(text));
  EXPECT_STREQ(text.c_str(), "Write reports to disk");
  EXPECT_TRUE(save->GetFamilyDescription(text));
  EXPECT_STREQ(text.c_str(), "Files");
  EXPECT_STREQ(save->GetVersion()->GetText().c_str(), "Halvanor Command 4.1");
  EXPECT_STREQ(save->GetVersion()->GetVersion().c_str(), "4.1");
  EXPECT_DOUBLE_EQ(save->GetVersion()->GetNumber(), 4.1);
  QvSecurityCommand copy;
  copy = *save;
  EXPECT_EQ(copy.GetID(), 1001u);
  EXPECT_EQ(copy.m_familyID, 1);
  EXPECT_EQ(copy.m_additionalDescriptionLabel, 27101u);
  EXPECT_TRUE(*copy.GetVersion() == *save->GetVersion());
  copy.m_familyID = 9;
  EXPECT_FALSE(copy.GetFamilyDescription(text));
}

TEST_F(CommandCenter, CommandObjectsComeFromTheirClassLabel) {
  struct Case {
    unsigned short id;
    const QvRuntimeClass* expected;
  } cases[] = {
      {110, QV_RUNTIME_CLASS(QvTestCommand)},
      {111, QV_RUNTIME_CLASS(QvCommand)},  // the name names no class
      {112, QV_RUNTIME_CLASS(QvCommand)},  // the class is no command
      {113, QV_RUNTIME_CLASS(QvCommand)},  // no class label
  };
  for (const Case& c : cases) {
    QvCommand* command = GUIGetCommandFromID(c.id);
    ASSERT_NE(command, nullptr) << c.id;
    EXPECT_EQ(command->GetRuntimeClass(), c.expected) << c.id;
    EXPECT_EQ(command->GetID(), c.id);
    EXPECT_EQ(GUIGetCommandFromID(c.id), command) << "made once";
  }
  // The class label is read without the display mode's prefix.
  Set_bDisplayLabelID(true);
  QvString name;
  EXPECT_TRUE(GUIGetCommandDefFromID(110)->GetClassNameW(name));
  EXPECT_STREQ(name.c_str(), "QvTestCommand");
  EXPECT_TRUE(Get_bDisplayLabelID());
  Set_bDisplayLabelID(false);
  EXPECT_FALSE(GUIGetCommandDefFromID(110)->GetControlClassName(name));
}

TEST_F(CommandCenter, UserDefinitionTakesThePlaceOfTheStandardOneOnce) {
  QvCommand* before = GUIGetCommandFromID(100);
  ASSERT_NE(before, nullptr);
  QvUsrCommandDef* user = GUIAccessQvUsrCommandDefFromID(100);
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(GUIAccessQvUsrCommandDefFromID(100), user);
  EXPECT_EQ(GUIGetCommandDefFromID(100), user);
  EXPECT_EQ(user->m_securityID, 1001u);
  EXPECT_EQ(user->m_defaultKey, 0x53);
  EXPECT_EQ(user->m_helpID, 4242u);
  EXPECT_EQ(user->m_checkStyle, 2);
  EXPECT_STREQ(user->m_name.c_str(), "Save");
  EXPECT_STREQ(user->m_tooltipText.c_str(), "Save the report");
  EXPECT_STREQ(user->m_messageBarText.c_str(), "Saves the report");
  // The popup text is not taken over: the popup text is the menu text.
  EXPECT_STREQ(Text(&QvCommandDef::GetPopupMenuText, user).c_str(), "&Save");
  user->m_menuText = "&Store";
  EXPECT_STREQ(Text(&QvCommandDef::GetPopupMenuText, user).c_str(), "&Store");
  QvCommand* after = GUIGetCommandFromID(100);
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->GetCommandDef(), user);
  EXPECT_EQ(GUIAccessQvUsrCommandDefFromID(4711), nullptr);
}

// Many definitions added one by one (the lookup table grows several times on the way, ids
// near each other and at both ends of the range among them): each id finds its own, ids
// between them find nothing, a second definition of an id is refused, and a replaced one is
// found in its place.
TEST_F(CommandCenter, LookupsFindEveryDefinitionAmongMany) {
  QvCommandCenter* center = Get_TheCommandCenter();
  ASSERT_NE(center, nullptr);
  std::vector<QvCommandDef*> added;
  std::vector<unsigned short> ids = {0, 1, 65535, 65534, 32768};
  for (unsigned id = 20000; id < 23000; id += 3) ids.push_back(static_cast<unsigned short>(id));
  for (unsigned short id : ids) {
    QvUsrCommandDef* def = new QvUsrCommandDef;
    def->m_id = id;
    ASSERT_TRUE(center->AddCommandDef(def)) << id;
    added.push_back(def);
  }
  for (size_t i = 0; i < ids.size(); ++i) {
    EXPECT_EQ(GUIGetCommandDefFromID(ids[i]), added[i]) << ids[i];
    ASSERT_NE(GUIGetCommandFromID(ids[i]), nullptr) << ids[i];
    EXPECT_EQ(GUIGetCommandFromID(ids[i])->GetID(), ids[i]);
  }
  for (unsigned id = 20001; id < 23000; id += 3)
    EXPECT_EQ(GUIGetCommandDefFromID(static_cast<unsigned short>(id)), nullptr) << id;
  EXPECT_NE(GUIGetCommandDefFromID(100), nullptr) << "the tables' definitions are still found";

  QvUsrCommandDef duplicate;
  duplicate.m_id = 20003;
  EXPECT_FALSE(center->AddCommandDef(&duplicate));
  EXPECT_EQ(GUIGetCommandDefFromID(20003), added[6]);

  QvUsrCommandDef* replacement = new QvUsrCommandDef;
  replacement->m_id = 65535;
  center->ReplaceCommandDef(replacement);  // deletes the definition it replaces
  EXPECT_EQ(GUIGetCommandDefFromID(65535), replacement);
  EXPECT_EQ(GUIGetCommandDefFromID(0), added[0]);
}

TEST_F(CommandCenter, RightsCheckAsksTheCallbackTwiceAtMost) {
  struct Case {
    unsigned long securityAnswer, commandAnswer, commandId;
    unsigned long result;
    size_t questions;
  } cases[] = {
      {1, 1, 100, 1, 2}, {1, 3, 100, 3, 2}, {2, 1, 100, 2, 1}, {0, 1, 100, 0, 1},
      {1, 4, 0, 1, 1},  // command id 0: one question
      {0x30001, 0x20005, 100, 5, 2},  // low 16 bits count
  };
  for (const Case& c : cases) {
    RightsCallback::Reset();
    RightsCallback::answers[1001] = c.securityAnswer;
    RightsCallback::answers[c.commandId | 0x40000000] = c.commandAnswer;
    EXPECT_EQ(GUIGetCmdStatus(1001, true, c.commandId), c.result);
    EXPECT_EQ(RightsCallback::questions.size(), c.questions);
    if (c.questions == 2) {
      EXPECT_EQ(RightsCallback::questions[1], c.commandId | 0x40000000);
    }
  }
  GUISetCallbackGetCmdStatusFunction(nullptr);
  EXPECT_EQ(GUIGetCmdStatus(1001, false, 100), 1u);
  Set_TheCallbackStatusFunction(&RightsCallback::Answer);
  EXPECT_EQ(Get_TheCallbackStatusFunction(), &RightsCallback::Answer);
}

TEST_F(CommandCenter, SecurityCommandsOfAnotherFile) {
  wchar_t path[MAX_PATH];
  ASSERT_GT(GetFullPathNameW(L"guicmd_ext.dll", MAX_PATH, path, NULL), 0u);
  const QvFileDescriptor file(qv_utf8string(path).c_str());
  const QvEnumSecurityCommands* commands = GUIBeginGetArraySecurityCommands(&file);
  ASSERT_NE(commands, nullptr);
  ASSERT_EQ(commands->GetSize(), 2);
  EXPECT_EQ(static_cast<QvSecurityCommand*>(commands->GetAt(0))->GetID(), 1002u);
  EXPECT_EQ(static_cast<QvSecurityCommand*>(commands->GetAt(1))->GetID(), 1003u);
  EXPECT_NE(commands->m_module, nullptr);
  GUIEndGetArraySecurityCommands(commands);
  GUIEndGetArraySecurityCommands(nullptr);

  const QvFileDescriptor empty(""), missing("no such file.dll");
  EXPECT_EQ(GUIBeginGetArraySecurityCommands(&empty), nullptr);
  EXPECT_EQ(GUIBeginGetArraySecurityCommands(nullptr), nullptr);
  EXPECT_EQ(GUIBeginGetArraySecurityCommands(&missing), nullptr);
}

TEST_F(CommandCenter, StandardCommandsOfAResourceFile) {
  ExtensionModule more(L"guicmd_ext.dll");
  QvResourceFile file("guicmd_ext", more.get());
  EXPECT_TRUE(GUILoadStdCommands(&file));
  QvResourceFile none("none", GetModuleHandleW(L"vekkel.dll"));
  EXPECT_FALSE(GUILoadStdCommands(&none));
  EXPECT_FALSE(GUILoadStdCommands(nullptr));
}

TEST(CommandCenterReleased, LookupsAnswerNullAndFalse) {
  ASSERT_TRUE(GUIInitialisations(nullptr).Succeeded());
  GUIRelease();
  EXPECT_EQ(Get_TheCommandCenter(), nullptr);
  EXPECT_EQ(GUIGetCommandDefFromID(100), nullptr);
  EXPECT_EQ(GUIGetCommandFromID(100), nullptr);
  EXPECT_FALSE(GUIIsValidCommandID(100));
  EXPECT_EQ(GUIGetSecurityFamilyFromID(1), nullptr);
  EXPECT_EQ(GUIAccessQvUsrCommandDefFromID(100), nullptr);
  EXPECT_FALSE(GUILoadStdCommands(nullptr));
  const QvFileDescriptor file("guicmd_ext.dll");
  EXPECT_EQ(GUIBeginGetArraySecurityCommands(&file), nullptr);
}

}  // namespace
