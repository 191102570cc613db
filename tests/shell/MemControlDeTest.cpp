#include <gtest/gtest.h>

#include "MemControlDe.h"
#include "support/TestSupport.h"

namespace {

// An engine object that counts its loads and its deletion.
class CountingObject : public rovovoz::CBaseObject {
 public:
  CountingObject(int result, int* deleted) : mResult(result), mDeleted(deleted) {}
  ~CountingObject() override { ++*mDeleted; }
  int32_t Load(uint32_t flags) override {
    ++mLoads;
    mFlags = flags;
    return mResult;
  }
  int mLoads = 0;
  uint32_t mFlags = 0;

 private:
  int mResult;
  int* mDeleted;
};

TEST(MemControlDe, LoadsEveryHeldObjectAndReportsAFailureButGoesOn) {
  int deleted = 0;
  CountingObject* good = new CountingObject(1, &deleted);
  CountingObject* bad = new CountingObject(0, &deleted);
  CountingObject* later = nullptr;  // registered while still empty
  CountingObject* last = new CountingObject(1, &deleted);
  {
    MemControlDe holder;
    holder.Add(good);
    holder.Add(bad);
    holder.Add(later);
    holder.Add(last);

    testsupport::LogCapture log;
    EXPECT_EQ(holder.LoadAll(3), 0);
    EXPECT_EQ(good->mLoads, 1);
    EXPECT_EQ(bad->mLoads, 1);
    EXPECT_EQ(last->mLoads, 1) << "a failure does not stop the others";
    EXPECT_EQ(last->mFlags, 3u);
    EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Error), std::vector<std::wstring>{L"failed texture load"});
    ASSERT_EQ(log.Records().size(), 1u);
    EXPECT_EQ(log.Records()[0].file, L"Source/MemControlDe");

    later = new CountingObject(1, &deleted);
    delete bad;  // the owner dropped it itself
    bad = nullptr;
    deleted = 0;
    EXPECT_EQ(holder.LoadAll(1), 1) << "the slot filled later loads now";
    EXPECT_EQ(later->mLoads, 1);

    holder.ReleaseAll();
    EXPECT_EQ(deleted, 3);
    EXPECT_EQ(good, nullptr);
    EXPECT_EQ(later, nullptr);
    EXPECT_EQ(last, nullptr);
    holder.ReleaseAll();
    EXPECT_EQ(deleted, 3) << "a second release deletes nothing";
  }
  EXPECT_EQ(deleted, 3);
}

TEST(MemControlDe, DestructionDeletesWhatIsStillHeld) {
  int deleted = 0;
  CountingObject* object = new CountingObject(1, &deleted);
  {
    MemControlDe holder;
    holder.Add(object);
  }
  EXPECT_EQ(deleted, 1);
  EXPECT_EQ(object, nullptr);
}

}  // namespace
