#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Util/BasicHashTable.h"
#include "Util/HashedID.h"
#include "Util/HashedItem.h"
#include "Util/IDHashTable.h"

namespace {

using Item = Util::HashedItem<unsigned long>;
using Table = Util::BasicHashTable<Item>;

// An item that counts its own destruction, to see what the table deletes.
struct CountedItem : Item {
    explicit CountedItem(unsigned long v, int& deletions) : Item(v), deleted(deletions) {}
    ~CountedItem() override { ++deleted; }
    int& deleted;
};

int poolBlocks() {
    return Util::BasicHashLink<Item>::instance().blockCount();
}

}  // namespace

TEST(UniqueID, CountsUpFromOneAndNeverReusesAnID) {
    auto* first = new Util::HashedID<unsigned long>;
    auto* second = new Util::HashedID<unsigned long>;
    EXPECT_EQ(first->getID(), 1u);
    EXPECT_EQ(second->getID(), 2u);
    delete first;
    delete second;
    Util::HashedID<unsigned long> third;
    EXPECT_EQ(third.getID(), 3u);
    Util::HashedID<unsigned long> copy(third);  // a copy is another object
    EXPECT_EQ(copy.getID(), 4u);
}

TEST(HashedID, TheTableHoldsExactlyTheLiveIDs) {
    auto& table = Util::IDHashTable<unsigned long>::instance();
    const unsigned before = table.entries();
    std::vector<std::unique_ptr<Util::HashedID<unsigned long>>> live;
    for (int i = 0; i < 5; ++i) {
        live.push_back(std::make_unique<Util::HashedID<unsigned long>>());
    }
    EXPECT_EQ(table.entries(), before + 5);
    Item key(live[2]->getID());
    EXPECT_NE(table.find(&key), nullptr);
    live.erase(live.begin() + 2);
    EXPECT_EQ(table.find(&key), nullptr);
    EXPECT_EQ(table.entries(), before + 4);
}

TEST(HashedID, ThePoolGrowsOnlyToTheLargestNumberAliveAtOnce) {
    const int blocksBefore = poolBlocks();
    std::vector<std::unique_ptr<Util::HashedID<unsigned long>>> live;
    for (int i = 0; i < 7; ++i) {
        live.push_back(std::make_unique<Util::HashedID<unsigned long>>());
    }
    const int blocksAtPeak = poolBlocks();
    EXPECT_EQ(blocksAtPeak, blocksBefore + 7);  // one link per block
    for (int round = 0; round < 50; ++round) {
        live.erase(live.begin() + round % 3);
        live.erase(live.begin());
        live.push_back(std::make_unique<Util::HashedID<unsigned long>>());
        live.push_back(std::make_unique<Util::HashedID<unsigned long>>());
    }
    live.clear();
    for (int i = 0; i < 7; ++i) {
        live.push_back(std::make_unique<Util::HashedID<unsigned long>>());
    }
    EXPECT_EQ(poolBlocks(), blocksAtPeak);
}

TEST(BasicHashTable, ValuesSharingABucketStayApart) {
    Table table(Util::IDHashTable<unsigned long>::kIdBuckets);
    Item low(5), high(5 + 1009), other(6);
    EXPECT_EQ(table.itemBucket(&low), table.itemBucket(&high));
    table.insert(&low);
    table.insert(&high);
    table.insert(&other);
    EXPECT_EQ(table.entries(), 3u);

    Item lowKey(5), highKey(1014), missingKey(5 + 2 * 1009);
    EXPECT_EQ(table.find(&missingKey), nullptr);
    EXPECT_EQ(table.remove(&missingKey), nullptr);
    EXPECT_EQ(table.remove(&highKey), &high);
    EXPECT_EQ(table.find(&highKey), nullptr);
    EXPECT_EQ(table.find(&lowKey), &low);
    EXPECT_EQ(table.entries(), 2u);
    table.clear();
}

TEST(BasicHashTable, RemovingADuplicateTakesTheNewestCopyFirst) {
    Table table(7);
    Item older(3), newer(3);
    table.insert(&older);
    table.insert(&newer);
    Item key(3);
    EXPECT_EQ(table.find(&key), &newer);
    EXPECT_EQ(table.remove(&key), &newer);
    EXPECT_EQ(table.find(&key), &older);
    EXPECT_EQ(table.remove(&key), &older);
    EXPECT_EQ(table.entries(), 0u);
}

TEST(BasicHashTable, ClearKeepsItemsClearAndDestroyDeletesThem) {
    int deleted = 0;
    Table table(3);
    std::vector<std::unique_ptr<CountedItem>> kept;
    for (unsigned long v = 0; v < 6; ++v) {
        kept.push_back(std::make_unique<CountedItem>(v, deleted));
        table.insert(kept.back().get());
    }
    table.clear();
    EXPECT_EQ(table.entries(), 0u);
    EXPECT_EQ(deleted, 0);
    Item key(4);
    EXPECT_EQ(table.find(&key), nullptr);

    for (unsigned long v = 0; v < 6; ++v) {
        table.insert(new CountedItem(v, deleted));
    }
    table.clearAndDestroy();
    EXPECT_EQ(table.entries(), 0u);
    EXPECT_EQ(deleted, 6);
    kept.clear();
}

TEST(BasicHashTable, DestroyingATableReturnsItsLinksToThePool) {
    Item a(1), b(2);
    {
        Table warmUp(5);
        warmUp.insert(&a);
        warmUp.insert(&b);
    }
    const int blocks = poolBlocks();
    {
        Table table(5);
        table.insert(&a);
        table.insert(&b);
    }
    EXPECT_EQ(poolBlocks(), blocks);
}
