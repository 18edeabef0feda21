#include <gtest/gtest.h>

#include <vector>

#include "saver/settings/ObjectList.h"

namespace {

// Records its Release and its deletion, in order, into a shared log.
class Tracked : public ListElement {
public:
    Tracked(int id, std::vector<std::string>& log) : id_(id), log_(log) {}
    ~Tracked() override { log_.push_back("delete " + std::to_string(id_)); }
    void Release() override { log_.push_back("release " + std::to_string(id_)); }
    int id() const { return id_; }

private:
    int id_;
    std::vector<std::string>& log_;
};

int IdAt(const ObjectList& list, uint32_t i) { return static_cast<Tracked*>(list.GetAt(i))->id(); }

TEST(ObjectList, GrowsByFiveFromNothing) {
    std::vector<std::string> log;
    ObjectList list;
    EXPECT_EQ(list.Capacity(), 0u);
    EXPECT_EQ(list.Add(new Tracked(0, log)), 0);
    EXPECT_EQ(list.Capacity(), 5u);
    for (int i = 1; i < 5; ++i) list.Add(new Tracked(i, log));
    EXPECT_EQ(list.Capacity(), 5u);
    EXPECT_EQ(list.Add(new Tracked(5, log)), 5);
    EXPECT_EQ(list.Capacity(), 10u);
    for (uint32_t i = 0; i < 6; ++i) EXPECT_EQ(IdAt(list, i), static_cast<int>(i));
}

TEST(ObjectList, RemoveAtHandsBackAndCloses) {
    std::vector<std::string> log;
    ObjectList list;
    for (int i = 0; i < 3; ++i) list.Add(new Tracked(i, log));
    ListElement* first = list.RemoveAt(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(static_cast<Tracked*>(first)->id(), 0);
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(IdAt(list, 0), 1);
    EXPECT_EQ(IdAt(list, 1), 2);
    ListElement* last = list.RemoveAt(1);
    EXPECT_EQ(static_cast<Tracked*>(last)->id(), 2);
    EXPECT_EQ(list.RemoveAt(1), nullptr);
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_TRUE(log.empty()) << "RemoveAt must not delete";
    delete first;
    delete last;
}

TEST(ObjectList, InsertSwapAndRanges) {
    std::vector<std::string> log;
    ObjectList list;
    list.Add(new Tracked(1, log));
    list.Add(new Tracked(3, log));
    EXPECT_EQ(list.InsertAt(1, new Tracked(2, log)), 1);
    EXPECT_EQ(list.InsertAt(0, new Tracked(0, log)), 0);
    EXPECT_EQ(list.InsertAt(4, new Tracked(4, log)), 4);  // at the count appends
    Tracked* stray = new Tracked(9, log);
    EXPECT_EQ(list.InsertAt(9, stray), -1);  // past the count is refused
    delete stray;
    log.clear();
    for (uint32_t i = 0; i < 5; ++i) EXPECT_EQ(IdAt(list, i), static_cast<int>(i));
    list.Swap(0, 4);
    EXPECT_EQ(IdAt(list, 0), 4);
    EXPECT_EQ(IdAt(list, 4), 0);
    list.Swap(0, 5);
    list.Swap(2, 2);
    EXPECT_EQ(IdAt(list, 0), 4);
    EXPECT_EQ(list.GetAt(5), nullptr);
    EXPECT_EQ(list.GetAt(0xFFFFFFFFu), nullptr);
}

TEST(ObjectList, RemoveAllReleasesThenDeletesInOrder) {
    std::vector<std::string> log;
    {
        ObjectList list;
        list.Add(new Tracked(0, log));
        list.Add(new Tracked(1, log));
        list.RemoveAll();
        EXPECT_EQ(list.Count(), 0u);
        EXPECT_EQ(list.Capacity(), 0u);
        EXPECT_EQ(log, (std::vector<std::string>{"release 0", "delete 0", "release 1", "delete 1"}));
        log.clear();
        list.Add(new Tracked(7, log));
    }
    EXPECT_EQ(log, (std::vector<std::string>{"release 7", "delete 7"}));
}

}  // namespace
