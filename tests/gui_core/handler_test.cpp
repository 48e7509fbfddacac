// Handler chains: activation order of target switches, the temporary target, destruction of
// targets, command status questions and the checked execution with redirections.
#include <gtest/gtest.h>

#include <QvAction.h>
#include <QvCommandHandler.h>

#include <string>

#include "guicore_test.h"

namespace {

// The callbacks of handlers in the order they came: "A+" activate, "A-" deactivate, "A*"
// becomes target, "A~" stops being target.
typedef std::vector<std::string> Events;

// A handler that records its callbacks into a shared event list and answers status
// questions from a table.
struct Node : QvCommandHandler {
  struct Answer {
    bool enable = false;
    unsigned short effective = 0;
    bool checkEffective = true;
  };
  Node(const char* n, Node* parent, Events* events) : QvCommandHandler(parent), name(n), events(events) {}
  ~Node() override {}
  void OnActivate() override { events->push_back(name + "+"); }
  void OnDeactivate() override { events->push_back(name + "-"); }
  void OnActivateTarget() override { events->push_back(name + "*"); }
  void OnDeactivateTarget() override { events->push_back(name + "~"); }
  bool OnCommand(QvCommand& command) override {
    if (!handlesCommands) return QvCommandHandler::OnCommand(command);
    executed.push_back(command.GetID());
    return true;
  }
  bool OnUpdateCommandStatus(QvCommandStatus& status) override {
    auto it = answers.find(status.GetID());
    if (it == answers.end()) return QvCommandHandler::OnUpdateCommandStatus(status);
    status.Enable(it->second.enable);
    if (it->second.effective) status.SetEffectiveCmdID(it->second.effective);
    status.m_bCheckEffective = it->second.checkEffective;
    return true;
  }
  std::string name;
  Events* events;
  bool handlesCommands = true;
  std::map<unsigned short, Answer> answers;
  std::vector<unsigned short> executed;
};

// R has the children A and B; A1 is below A, B1 below B.
class Tree : public ::testing::Test {
 protected:
  Tree()
      : R("R", nullptr, &events), A("A", &R, &events), B("B", &R, &events), A1("A1", &A, &events),
        B1("B1", &B, &events) {}
  ~Tree() override {
    QvCommandHandler::SetActiveTemporaryTarget(nullptr);
    QvCommandHandler::SetActiveTarget(nullptr);
  }
  Node* ByName(const std::string& n) {
    for (Node* node : {&R, &A, &B, &A1, &B1})
      if (node->name == n) return node;
    return nullptr;
  }
  // Exactly the chains of the two targets are active.
  void ExpectActiveChains(const std::string& when) {
    for (Node* n : {&R, &A, &B, &A1, &B1}) {
      bool inChain = false;
      for (QvCommandHandler* target : {QvCommandHandler::GetTarget(), QvCommandHandler::GetTemporaryTarget()})
        for (QvCommandHandler* h = target; h; h = h->GetParentCommandHandler()) inChain |= h == n;
      EXPECT_EQ(n->isActive(), inChain) << when << ": " << n->name;
    }
  }
  Events events;
  Node R, A, B, A1, B1;
};

TEST_F(Tree, TargetSwitchesCallBackInOrder) {
  struct Case {
    const char* from;  // "" for none
    const char* to;
    Events expected;
  } cases[] = {
      {"", "A1", {"R+", "A+", "A1+", "A1*"}},
      {"A1", "A1", {}},
      {"A1", "B1", {"A1~", "A1-", "A-", "B+", "B1+", "B1*"}},
      {"A1", "", {"A1~", "A1-", "A-", "R-"}},
      {"A", "B", {"A~", "A-", "B+", "B*"}},  // the shared parent stays active
      {"A", "A1", {"A~", "A1+", "A1*"}},     // to a child of the old target
      {"A1", "A", {"A1~", "A1-", "A*"}},     // to a parent of the old target
      {"A1", "R", {"A1~", "A1-", "A-", "R*"}},
      {"R", "B1", {"R~", "B+", "B1+", "B1*"}},
  };
  for (const Case& c : cases) {
    QvCommandHandler::SetActiveTarget(nullptr);
    QvCommandHandler::SetActiveTarget(ByName(c.from));
    events.clear();
    QvCommandHandler::SetActiveTarget(ByName(c.to));
    EXPECT_EQ(events, c.expected) << c.from << " -> " << c.to;
    EXPECT_EQ(QvCommandHandler::GetTarget(), ByName(c.to));
    ExpectActiveChains(std::string(c.from) + " -> " + c.to);
  }
}

TEST_F(Tree, TemporaryTargetSwitchesTheSameWay) {
  QvCommandHandler::SetActiveTemporaryTarget(&A1);
  EXPECT_EQ(events, (Events{"R+", "A+", "A1+", "A1*"}));
  events.clear();
  QvCommandHandler::SetActiveTemporaryTarget(&B1);
  EXPECT_EQ(events, (Events{"A1~", "A1-", "A-", "B+", "B1+", "B1*"}));
  EXPECT_EQ(QvCommandHandler::GetTemporaryTarget(), &B1);
  EXPECT_EQ(QvCommandHandler::GetTarget(), nullptr);
}

// One target switching leaves the chain of the other target active: each handler is
// deactivated once, when no target's chain holds it any more.
TEST_F(Tree, SwitchesOfOneTargetLeaveTheOtherTargetsChain) {
  struct Case {
    const char* what;
    const char* active;        // the active target, set first
    const char* temporaryFrom;  // the temporary target then set ("" for none)
    const char* temporaryTo;
    Events expected;          // the callbacks of the temporary switch
    Events expectedAtClear;   // the callbacks when the active target is then cleared
  } cases[] = {
      {"cleared below a shared parent", "A1", "A", "", {"A~"}, {"A1~", "A1-", "A-", "R-"}},
      {"cleared beside the active target", "A1", "B1", "", {"B1~", "B1-", "B-"}, {"A1~", "A1-", "A-", "R-"}},
      {"moved away from a shared parent", "A1", "A", "B1", {"A~", "B+", "B1+", "B1*"}, {"A1~", "A1-", "A-"}},
      {"moved onto the active target", "A1", "B1", "A1", {"B1~", "B1-", "B-", "A1*"}, {"A1~"}},
      {"the active target itself, cleared", "A1", "A1", "", {"A1~"}, {"A1~", "A1-", "A-", "R-"}},
  };
  for (const Case& c : cases) {
    QvCommandHandler::SetActiveTemporaryTarget(nullptr);
    QvCommandHandler::SetActiveTarget(nullptr);
    QvCommandHandler::SetActiveTarget(ByName(c.active));
    QvCommandHandler::SetActiveTemporaryTarget(ByName(c.temporaryFrom));
    events.clear();
    QvCommandHandler::SetActiveTemporaryTarget(ByName(c.temporaryTo));
    EXPECT_EQ(events, c.expected) << c.what;
    ExpectActiveChains(c.what);
    events.clear();
    QvCommandHandler::SetActiveTarget(nullptr);
    EXPECT_EQ(events, c.expectedAtClear) << c.what;
    ExpectActiveChains(std::string(c.what) + ", active target cleared");
  }
  // The same the other way round: the active target leaves the temporary target's chain.
  QvCommandHandler::SetActiveTemporaryTarget(nullptr);
  QvCommandHandler::SetActiveTarget(&A1);
  QvCommandHandler::SetActiveTemporaryTarget(&A);
  events.clear();
  QvCommandHandler::SetActiveTarget(&B1);
  EXPECT_EQ(events, (Events{"A1~", "A1-", "B+", "B1+", "B1*"}));
  ExpectActiveChains("active target moved below the other side");
}

TEST_F(Tree, DestroyedActiveTargetHandsTheTargetToItsParent) {
  Node* child = new Node("C", &A1, &events);
  QvCommandHandler::SetActiveTarget(child);
  events.clear();
  delete child;
  // Only the base callbacks reach the dying handler: the events show the parent alone.
  EXPECT_EQ(events, Events{"A1*"});
  EXPECT_EQ(QvCommandHandler::GetTarget(), &A1);
  EXPECT_TRUE(A1.isActive());
}

TEST_F(Tree, DestroyedTemporaryTargetIsClearedAndLeavesTheActiveChain) {
  QvCommandHandler::SetActiveTarget(&A1);
  Node* temp = new Node("T", &A, &events);
  QvCommandHandler::SetActiveTemporaryTarget(temp);
  EXPECT_EQ(events, (Events{"R+", "A+", "A1+", "A1*", "T+", "T*"}));
  events.clear();
  delete temp;
  // The dying handler's own callbacks are the base ones; A and R stay active for A1.
  EXPECT_EQ(events, Events{});
  EXPECT_EQ(QvCommandHandler::GetTemporaryTarget(), nullptr);
  EXPECT_EQ(QvCommandHandler::GetTarget(), &A1);
  ExpectActiveChains("temporary target destroyed");
  QvCommandHandler::SetActiveTemporaryTarget(nullptr);  // nothing left to switch from
  EXPECT_EQ(events, Events{});
  // Each of the shared ancestors is deactivated once, with the active target.
  QvCommandHandler::SetActiveTarget(nullptr);
  EXPECT_EQ(events, (Events{"A1~", "A1-", "A-", "R-"}));
}

// A handler with only the base behaviour.
struct Plain : QvCommandHandler {
  explicit Plain(QvCommandHandler* parent) : QvCommandHandler(parent) {}
};

struct CountingAction : QvAction {
  unsigned char SaveState() override { return 0; }
  void RestoreState(unsigned char) override {}
  bool OnDoit() override { return true; }
  void OnUndo() override {}
  void OnRedo() override {}
  void OnRepeat() override {}
};

struct ActionSink : Plain {
  ActionSink() : Plain(nullptr) {}
  void PostQvAction(QvAction* action, bool flag) override {
    posted = action;
    postedFlag = flag;
  }
  QvAction* posted = nullptr;
  bool postedFlag = false;
};

TEST(CommandHandler, BaseOperationsPassUpTheChainAndAnswerFalseAtTheTop) {
  ActionSink top;
  Plain middle(&top);
  Plain bottom(&middle);
  CountingAction* action = new CountingAction;
  bottom.PostQvAction(action, true);
  EXPECT_EQ(top.posted, action);
  EXPECT_TRUE(top.postedFlag);
  action->Release();

  Plain alone(nullptr);
  QvCommand command;
  QvCommandStatus status(0);
  EXPECT_FALSE(alone.OnCommand(command));
  EXPECT_FALSE(alone.OnUpdateCommandStatus(status));
  alone.PostQvAction(nullptr, false);  // nowhere to go: nothing happens
  EXPECT_EQ(alone.GetParentCommandHandler(), nullptr);
  alone.SetParentCommandHandler(&top);
  EXPECT_EQ(alone.GetParentCommandHandler(), &top);
}

// ---------------------------------------------------------------------------------------
// Status and execution through the command centre.

class Routing : public PortableLayerTest {
 protected:
  Routing() : root("root", nullptr, &events), view("view", &root, &events), other("other", &root, &events) {}
  void Enable(Node& node, unsigned short id, unsigned short effective = 0, bool checkEffective = true) {
    node.answers[id] = Node::Answer{true, effective, checkEffective};
  }
  Events events;
  Node root, view, other;
};

TEST_F(Routing, StatusFollowsBothRightsAnswersAndTheHandler) {
  QvCommandHandler::SetActiveTarget(&view);
  Enable(root, 200);  // the view passes the question to its parent
  view.handlesCommands = false;
  for (unsigned long securityAnswer : {0ul, 1ul, 2ul, 3ul, 4ul, 0x10001ul}) {
    for (unsigned long commandAnswer : {0ul, 1ul, 2ul, 3ul, 4ul}) {
      RightsCallback::Reset();
      RightsCallback::answers[1001] = securityAnswer;
      RightsCallback::answers[200 | 0x40000000] = commandAnswer;
      QvCommandStatus status(200);
      bool allowed = (securityAnswer & 0xFFFF) == 1 && commandAnswer == 1;
      EXPECT_EQ(QvCommandHandler::GetCommandStatus(status), allowed) << securityAnswer << "/" << commandAnswer;
      EXPECT_EQ(status.IsEnabled(), allowed);
      std::vector<unsigned long> expected = {1001};
      if ((securityAnswer & 0xFFFF) == 1) expected.push_back(200 | 0x40000000);
      EXPECT_EQ(RightsCallback::questions, expected);
      EXPECT_EQ(QvCommandHandler::CheckAndExecuteCommand(200, false), allowed);
    }
  }
  EXPECT_EQ(root.executed, (std::vector<unsigned short>{200, 200}));  // answers 1 and 0x10001 (low 16 bits 1)
}

TEST_F(Routing, StatusWithoutDefinitionOrTargetIsFalse) {
  QvCommandStatus unknown(4711);
  EXPECT_EQ(unknown.GetCommand(), nullptr);
  EXPECT_EQ(unknown.GetID(), 0);
  EXPECT_FALSE(QvCommandHandler::GetCommandStatus(unknown));
  EXPECT_FALSE(QvCommandHandler::CheckAndExecuteCommand(4711, true));
  QvCommandStatus noTarget(200);
  EXPECT_FALSE(QvCommandHandler::GetCommandStatus(noTarget));
  EXPECT_FALSE(QvCommandHandler::CheckAndExecuteCommand(200, true));
}

TEST_F(Routing, TemporaryTargetWinsOverTheActiveTarget) {
  QvCommandHandler::SetActiveTarget(&view);
  QvCommandHandler::SetActiveTemporaryTarget(&other);
  Enable(view, 200);
  Enable(other, 200);
  EXPECT_TRUE(QvCommandHandler::CheckAndExecuteCommand(200, false));
  EXPECT_EQ(other.executed, std::vector<unsigned short>{200});
  EXPECT_TRUE(view.executed.empty());
  QvCommandHandler::SetActiveTemporaryTarget(nullptr);
  EXPECT_TRUE(QvCommandHandler::CheckAndExecuteCommand(200, false));
  EXPECT_EQ(view.executed, std::vector<unsigned short>{200});
}

TEST_F(Routing, RedirectionsAreFollowedAndCyclesAnswerFalse) {
  struct Step {
    unsigned short id;
    bool enable;
    unsigned short effective;
    bool checkEffective;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
    unsigned long refused;  // a command id whose rights answer 2 (0: none)
    bool result;
    std::vector<unsigned short> executed;
  } cases[] = {
      {"enabled", {{200, true, 0, true}}, 0, true, {200}},
      {"disabled", {{200, false, 0, true}}, 0, false, {}},
      {"unanswered", {}, 0, false, {}},
      {"to an enabled command", {{200, false, 201, true}, {201, true, 0, true}}, 0, true, {201}},
      {"a chain", {{200, true, 201, true}, {201, false, 202, true}, {202, true, 0, true}}, 0, true, {202}},
      {"to a disabled command", {{200, true, 201, true}, {201, false, 0, true}}, 0, false, {}},
      {"to a refused command", {{200, true, 201, true}, {201, true, 0, true}}, 201, false, {}},
      {"to an unknown command", {{200, true, 4711, true}}, 0, false, {}},
      {"unchecked effective", {{200, false, 201, false}, {201, false, 0, true}}, 201, true, {201}},
      {"a cycle", {{200, true, 201, true}, {201, true, 200, true}}, 0, false, {}},
      {"a long cycle", {{200, true, 201, true}, {201, true, 202, true}, {202, true, 203, true}, {203, true, 201, true}}, 0, false, {}},
      {"onto itself", {{203, true, 203, true}, {200, true, 203, true}}, 0, false, {}},
  };
  QvCommandHandler::SetActiveTarget(&view);
  for (const Case& c : cases) {
    view.answers.clear();
    view.executed.clear();
    RightsCallback::Reset();
    if (c.refused) RightsCallback::answers[c.refused | 0x40000000] = 2;
    for (const Step& s : c.steps) view.answers[s.id] = Node::Answer{s.enable, s.effective, s.checkEffective};
    EXPECT_EQ(QvCommandHandler::CheckAndExecuteCommand(200, false), c.result) << c.what;
    EXPECT_EQ(view.executed, c.executed) << c.what;
  }
}

// Chains longer than the few steps a redirection usually takes: followed to their end, and a
// cycle closing far down the chain still answers false.
TEST_F(Routing, LongRedirectionChainsAreFollowedAndTheirCyclesFound) {
  const unsigned short first = 30000, length = 40;
  for (unsigned short id = first; id < first + length; ++id) {
    QvUsrCommandDef* def = new QvUsrCommandDef;
    def->m_id = id;
    ASSERT_TRUE(Get_TheCommandCenter()->AddCommandDef(def));
  }
  QvCommandHandler::SetActiveTarget(&view);
  for (unsigned short id = first; id < first + length - 1; ++id)
    view.answers[id] = Node::Answer{true, static_cast<unsigned short>(id + 1), true};
  const unsigned short last = first + length - 1;
  const struct {
    const char* what;
    unsigned short lastGoesTo;  // 0: the last runs
    bool result;
  } cases[] = {{"to its end", 0, true}, {"closing on the 20th", first + 19, false}, {"closing on the 2nd", first + 1, false}};
  for (const auto& c : cases) {
    view.executed.clear();
    view.answers[last] = Node::Answer{true, c.lastGoesTo, true};
    EXPECT_EQ(QvCommandHandler::CheckAndExecuteCommand(first, false), c.result) << c.what;
    EXPECT_EQ(view.executed, c.result ? std::vector<unsigned short>{last} : std::vector<unsigned short>{}) << c.what;
  }
}

TEST_F(Routing, WithoutCheckRunsRefusedCommandsWithoutAskingTheRights) {
  QvCommandHandler::SetActiveTarget(&view);
  RightsCallback::answers[1001] = 2;
  EXPECT_FALSE(QvCommandHandler::CheckAndExecuteCommand(200, false));
  RightsCallback::questions.clear();
  EXPECT_TRUE(QvCommandHandler::CheckAndExecuteCommand(200, true));
  EXPECT_TRUE(RightsCallback::questions.empty());
  EXPECT_EQ(view.executed, std::vector<unsigned short>{200});
}

// A handler that turns the command's standard definition into a user definition while it
// answers the status question (deleting the command object that the question was made for).
struct Redefining : QvCommandHandler {
  bool OnUpdateCommandStatus(QvCommandStatus& status) override {
    redefined = GUIAccessQvUsrCommandDefFromID(status.GetID());
    status.Enable(true);
    return true;
  }
  bool OnCommand(QvCommand& command) override {
    received = &command;  // not read: it may be the deleted object
    current = redefined ? redefined->m_command : nullptr;
    return true;
  }
  QvUsrCommandDef* redefined = nullptr;
  QvCommand* received = nullptr;
  QvCommand* current = nullptr;  // the command object of the id when the command ran
};

TEST_F(Routing, CommandRedefinedWhileItsStatusIsAskedRunsAsTheNewCommand) {
  Redefining handler;
  QvCommandHandler::SetActiveTarget(&handler);
  EXPECT_TRUE(QvCommandHandler::CheckAndExecuteCommand(200, false));
  QvCommandHandler::SetActiveTarget(nullptr);
  ASSERT_NE(handler.redefined, nullptr);
  EXPECT_EQ(GUIGetCommandDefFromID(200), handler.redefined);
  ASSERT_NE(handler.current, nullptr);
  EXPECT_EQ(handler.received, handler.current);
  EXPECT_EQ(handler.current->GetCommandDef(), handler.redefined);
}

TEST_F(Routing, MenuTextTakesTheCommandsHotKey) {
  QvCommandStatus save(100);  // Ctrl+S
  save.SetMenuText("&Save");
  EXPECT_STREQ(save.GetMenuText().c_str(), "&Save\tCtrl+S");
  QvCommandStatus plain(102);  // no hot key
  plain.SetMenuText("Plain");
  EXPECT_STREQ(plain.GetMenuText().c_str(), "Plain");
  QvCommandStatus unknown(4711);
  unknown.SetMenuText("Unknown");
  EXPECT_STREQ(unknown.GetMenuText().c_str(), "Unknown");
}

TEST_F(Routing, InvalidateStatusClearsEveryDefinitionUnlessBlind) {
  QvCommandDef* a = GUIGetCommandDefFromID(100);
  QvCommandDef* b = GUIGetCommandDefFromID(300);
  ASSERT_TRUE(a && b);
  a->m_bStatusValid = b->m_bStatusValid = true;
  QvSetApplicationBlind(true);
  QvCommandHandler::InvalidateStatus();
  EXPECT_TRUE(a->m_bStatusValid);
  QvSetApplicationBlind(false);
  QvCommandHandler::InvalidateStatus();
  EXPECT_FALSE(a->m_bStatusValid);
  EXPECT_FALSE(b->m_bStatusValid);
}

TEST(RoutingReleased, NothingRunsWithoutACommandCentre) {
  ASSERT_TRUE(GUIInitialisations(nullptr).Succeeded());
  GUIRelease();
  Events events;
  Node view("view", nullptr, &events);
  QvCommandHandler::SetActiveTarget(&view);
  view.answers[100] = Node::Answer{true, 0, true};
  EXPECT_FALSE(QvCommandHandler::CheckAndExecuteCommand(100, true));
  EXPECT_FALSE(QvCommandHandler::CheckAndExecuteCommand(100, false));
  QvCommandHandler::InvalidateStatus();
  EXPECT_TRUE(view.executed.empty());
  QvCommandHandler::SetActiveTarget(nullptr);
}

// ---------------------------------------------------------------------------------------

struct RecordedAction : QvAction {
  explicit RecordedAction(std::string* log, bool succeeds = true) : log(log), succeeds(succeeds) {}
  ~RecordedAction() override { *log += "deleted "; }
  unsigned char SaveState() override {
    *log += "save ";
    return state;
  }
  void RestoreState(unsigned char s) override {
    *log += "restore" + std::to_string(s) + " ";
    state = s;
  }
  bool OnDoit() override {
    *log += "do ";
    state = 7;
    return succeeds;
  }
  void OnUndo() override { *log += "undo "; }
  void OnRedo() override { *log += "redo "; }
  void OnRepeat() override { *log += "repeat "; }
  unsigned long Sequence() const { return m_sequence; }
  void SetRepeatable() { m_repeatable = true; }
  std::string* log;
  bool succeeds;
  unsigned char state = 3;
};

TEST(Action, DoUndoRedoRepeatAndRelease) {
  std::string log;
  RecordedAction* a = new RecordedAction(&log);
  const unsigned long sequence = a->Sequence();
  EXPECT_EQ(sequence, QvAction::Get_GlobalCounter());
  a->Undo();  // not done: nothing
  a->Repeat();  // not repeatable: nothing
  EXPECT_EQ(log, "");
  EXPECT_TRUE(a->Doit());
  EXPECT_EQ(log, "save do save ");
  EXPECT_TRUE(a->IsDone());
  log.clear();
  EXPECT_TRUE(a->Doit());  // already done
  EXPECT_EQ(log, "");
  a->Redo();  // done: nothing to redo
  a->Undo();
  EXPECT_EQ(log, "undo restore3 ");
  EXPECT_FALSE(a->IsDone());
  log.clear();
  a->Redo();
  EXPECT_EQ(log, "redo restore7 ");
  EXPECT_TRUE(a->IsDone());
  log.clear();
  a->SetRepeatable();
  a->Repeat();
  EXPECT_EQ(log, "repeat ");
  log.clear();
  a->AddRef();
  a->Release();
  EXPECT_EQ(log, "");
  a->Release();
  EXPECT_EQ(log, "deleted ");

  RecordedAction* failing = new RecordedAction(&log, false);
  EXPECT_EQ(failing->Sequence(), sequence + 1);
  EXPECT_FALSE(failing->Doit());
  EXPECT_FALSE(failing->IsDone());
  failing->Release();
}

}  // namespace
