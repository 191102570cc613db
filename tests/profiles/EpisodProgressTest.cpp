// Episode progress asked and changed by name: task counters, object tasks,
// complex tasks and action entries.
#include <gtest/gtest.h>

#include <climits>

#include "SaveInfo/SEpisodInfo.h"

namespace {

SComplexTaskInfo Vase(std::vector<uint32_t> pending) {
  SComplexTaskInfo task;
  task.mName = L"vase";
  task.mValue = 1;
  for (size_t i = 0; i < pending.size(); ++i)
    task.mPieces.push_back({static_cast<uint32_t>(i + 1), pending[i], 0, L""});
  return task;
}

TEST(EpisodeProgress, TaskCounters) {
  SEpisodInfo e;
  // A back without counters: done, has count 2, changes make nothing.
  EXPECT_TRUE(e.IsBackCountDone(L"Back_1"));
  EXPECT_TRUE(e.HasBackCount2(L"Back_1"));
  EXPECT_TRUE(e.IsNamedCountDone(L"Back_1", L"R"));
  e.DecrementBackCount(L"Back_1");
  e.DecrementNamedCount(L"Back_1", L"R");
  e.SetNamedCount(L"Back_1", L"R", 4);
  EXPECT_TRUE(e.mBackTasks.empty());
  SBackTaskCounts* counts = nullptr;
  EXPECT_FALSE(e.FindBackTasks(L"Back_1", counts));

  SBackTaskCounts& c = e.mBackTasks[L"Back_1"];
  c.mCount = 1;
  c.mCount2 = 1;
  c.mCounters[L"R"] = 1;
  c.mCounters2[L"R"] = 2;
  EXPECT_FALSE(e.IsBackCountDone(L"Back_1"));
  e.DecrementBackCount(L"Back_1");
  e.DecrementBackCount(L"Back_1");
  EXPECT_EQ(c.mCount, -1);  // counts may go below 0
  EXPECT_TRUE(e.IsBackCountDone(L"Back_1"));
  e.DecrementBackCount2(L"Back_1");
  EXPECT_FALSE(e.HasBackCount2(L"Back_1"));

  e.DecrementNamedCount(L"Back_1", L"missing");  // creates nothing
  EXPECT_EQ(c.mCounters.size(), 1u);
  e.DecrementNamedCount(L"Back_1", L"R");
  EXPECT_TRUE(e.IsNamedCountDone(L"Back_1", L"R"));
  e.SetNamedCount(L"Back_1", L"R", -3);
  EXPECT_EQ(c.mCounters[L"R"], 0);
  e.SetNamedCount(L"Back_1", L"R", 6);
  EXPECT_FALSE(e.IsNamedCountDone(L"Back_1", L"R"));
  e.DecrementNamedCount2(L"Back_1", L"R");
  EXPECT_EQ(c.mCounters2[L"R"], 1);

  c.mCount = INT_MIN;  // as a broken file may give it: no wrap-around
  e.DecrementBackCount(L"Back_1");
  EXPECT_EQ(c.mCount, INT_MIN);
  ASSERT_TRUE(e.FindBackTasks(L"Back_1", counts));
  EXPECT_EQ(counts, &c);
}

TEST(EpisodeProgress, ObjectTasks) {
  SEpisodInfo e;
  EXPECT_EQ(e.GetObjectTaskValue(L"find", L"cup"), 0u);
  EXPECT_FALSE(e.AddObjectTask(L"find", L"cup", 1));  // appended
  EXPECT_TRUE(e.AddObjectTask(L"find", L"cup", 3));   // updated
  EXPECT_EQ(e.GetObjectTaskValue(L"find", L"cup"), 3u);
  e.SetObjectTaskName2(L"find", L"cup", L"tip");
  SObjectTaskInfo* task = nullptr;
  ASSERT_TRUE(e.FindObjectTask(L"find", L"cup", task));
  EXPECT_EQ(task->mName2, L"tip");
  e.PutObjectTask(L"find", {L"cup", 0, L"other"});
  EXPECT_EQ(e.mBackObjects[L"find"], (std::vector<SObjectTaskInfo>{{L"cup", 0, L"other"}}));
  EXPECT_TRUE(e.RemoveObjectTask(L"find", L"cup"));
  EXPECT_FALSE(e.RemoveObjectTask(L"find", L"cup"));
  EXPECT_FALSE(e.FindObjectTask(L"none", L"cup", task));
}

TEST(EpisodeProgress, LastOpenObjectTaskWithASecondName) {
  SEpisodInfo e;
  std::wstring text = L"unchanged";
  EXPECT_FALSE(e.GetLastObjectTaskName2(L"tips", text));
  e.mBackObjects[L"tips"] = {{L"a", 1, L"x"}, {L"b", 0, L"y"}, {L"c", 1, L""}};
  ASSERT_TRUE(e.GetLastObjectTaskName2(L"tips", text));
  EXPECT_EQ(text, L"x");
}

TEST(EpisodeProgress, ComplexTaskPieces) {
  SEpisodInfo e;
  EXPECT_FALSE(e.IsComplexTaskDone(L"hog", L"vase"));  // missing task
  EXPECT_EQ(e.CountComplexPieces(L"hog", L"vase"), 0u);
  e.AddComplexTask(L"hog", Vase({1, 1, 0}));
  EXPECT_EQ(e.CountComplexPieces(L"hog", L"vase"), 2u);
  EXPECT_FALSE(e.HasComplexPiece(L"hog", L"vase", 1));  // two still pending
  EXPECT_TRUE(e.ClearComplexPiece(L"hog", L"vase", 1));
  EXPECT_FALSE(e.ClearComplexPiece(L"hog", L"vase", 9));
  EXPECT_TRUE(e.HasComplexPiece(L"hog", L"vase", 1));
  EXPECT_FALSE(e.HasComplexPiece(L"hog", L"vase", 9));
  EXPECT_FALSE(e.IsComplexTaskDone(L"hog", L"vase"));
  e.ClearComplexPiece(L"hog", L"vase", 2);
  EXPECT_TRUE(e.IsComplexTaskDone(L"hog", L"vase"));

  e.SetComplexPiece(L"hog", L"vase", 3, std::wstring(60, L's'));
  std::wstring name;
  ASSERT_TRUE(e.GetComplexPieceName(L"hog", L"vase", 3, name));
  EXPECT_EQ(name, std::wstring(49, L's'));  // cut to what a piece name holds
  EXPECT_FALSE(e.GetComplexPieceName(L"hog", L"vase", 4, name));

  e.PutComplexTask(L"hog", L"vase", 3);
  e.PutComplexTask(L"hog", L"jar", 3);  // no such task: nothing added
  EXPECT_EQ(e.GetComplexTaskValue(L"hog", L"vase"), 3u);
  EXPECT_EQ(e.mBackComplex[L"hog"].size(), 1u);
  e.SetComplexTaskName2(L"hog", L"vase", L"tip");
  e.AddComplexTask(L"hog", Vase({1}));  // replaces the whole task
  SComplexTaskInfo* task = nullptr;
  ASSERT_TRUE(e.FindComplexTask(L"hog", L"vase", task));
  EXPECT_EQ(*task, Vase({1}));
  EXPECT_TRUE(e.RemoveComplexTask(L"hog", L"vase"));
  EXPECT_FALSE(e.FindComplexTask(L"hog", L"vase", task));
}

TEST(EpisodeProgress, ActionEntriesByName) {
  SMarkTree tree;
  tree.Actions[L"a_start"].Ref = 2;
  tree.Backs[L"Back_1"].Actions[L"mc_door"].Ref = 3;
  tree.Backs[L"Back_1"].Regions[L"R"][L"a_open"].Ref = 4;

  SLogicActionEntry* entry = nullptr;
  ASSERT_TRUE(tree.FindAction(L"a_start", entry));
  entry->Ref = 1;  // changed in place
  EXPECT_EQ(tree.Actions[L"a_start"].Ref, 1);
  ASSERT_TRUE(tree.FindInGroup(L"Back_1", L"mc_door", entry));
  EXPECT_EQ(entry->Ref, 3);
  ASSERT_TRUE(tree.FindInRegionGroup(L"Back_1", L"R", L"a_open", entry));
  EXPECT_EQ(entry->Ref, 4);
  EXPECT_FALSE(tree.FindInGroup(L"Back_2", L"mc_door", entry));
  EXPECT_FALSE(tree.FindInRegionGroup(L"Back_1", L"Q", L"a_open", entry));
  EXPECT_FALSE(tree.FindAction(L"A_START", entry));
}

TEST(EpisodeProgress, FindNameValuePairs) {
  struct Case {
    const wchar_t* action;
    const wchar_t* name;
    bool found;
    const wchar_t* value;  // "?" when nothing is found
  } cases[] = {
      {L"use_key_door", L"door", true, L"key"}, {L"use_key_door", L"key", true, L"door"},
      {L"use_a_b_c", L"a", false, L"?"},        {L"use_key__door", L"door", true, L"key"},
      {L"use_key_", L"key", true, L""},         {L"usekey", L"key", false, L"?"},
      {L"us_key_door", L"key", false, L"?"},
  };
  for (const Case& c : cases) {
    SMarkTree tree;
    tree.Backs[L"Back_1"].Regions[L"R"][c.action];  // found in a region as well
    std::wstring value = L"?";
    EXPECT_EQ(tree.FindNameValue(L"use", c.name, value), c.found) << c.action << " " << c.name;
    EXPECT_EQ(value, c.value) << c.action;  // untouched when nothing is found
  }

  // The episode's own actions are searched before the backs'.
  SMarkTree tree;
  tree.Backs[L"A"].Actions[L"use_key_box"];
  tree.Actions[L"use_key_door"];
  std::wstring value;
  ASSERT_TRUE(tree.FindNameValue(L"use", L"key", value));
  EXPECT_EQ(value, L"door");
}

TEST(EpisodeProgress, FindName) {
  SMarkTree tree;
  tree.Backs[L"Back_1"].Actions[L"gpanel_mc_key_old"];
  EXPECT_TRUE(tree.FindName(L"gpanel_mc"));
  EXPECT_TRUE(tree.FindName(L"gpanel_mc", L"key"));
  EXPECT_TRUE(tree.FindName(L"gpanel_mc", L"old"));
  EXPECT_FALSE(tree.FindName(L"gpanel_mc", L"ke"));
  EXPECT_FALSE(tree.FindName(L"gpanel_mc", L"ey"));
  EXPECT_FALSE(tree.FindName(L"gpanel_x"));
}

}  // namespace
