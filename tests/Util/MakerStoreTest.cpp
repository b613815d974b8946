#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "Util/MakerStore.h"

namespace {

struct Made {
    static int alive;
    Made() { ++alive; }
    ~Made() { --alive; }
};
int Made::alive = 0;

// Makes an object for every name not in 'refused' and counts its calls.
struct Maker {
    Made* create(const std::string& name) {
        ++calls;
        return refused.count(name) ? nullptr : new Made;
    }
    std::set<std::string> refused;
    int calls = 0;
};

// The smallest store over the template: get() makes what is missing.
class Store : public Util::MakerStore<Made, Maker> {
public:
    explicit Store(Maker* maker) : MakerStore("Store", maker) {}
    Made* get(const std::string& name) {
        return heldOrMade(name, [&](Maker& maker) { return maker.create(name); });
    }
};

std::string walk(const Store& store) {
    std::unique_ptr<Store::Iterator> it(store.getIterator());
    std::string names;
    for (it->first(); !it->isDone(); it->next()) {
        names += it->currentItem().first + ";";
    }
    EXPECT_EQ(it->currentItem(), (std::pair<std::string, Made*>("", nullptr)));
    return names;
}

}  // namespace

TEST(MakerStore, MakesAMissingObjectOnceAndKeepsOnlyWhatWasMade) {
    Maker maker;
    maker.refused = {"bad"};
    Store store(&maker);
    Made* made = store.get("a");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(store.get("a"), made);
    EXPECT_EQ(store.get("bad"), nullptr);
    EXPECT_FALSE(store.exists("bad"));
    EXPECT_EQ(maker.calls, 2);

    Store without(nullptr);
    EXPECT_EQ(without.get("a"), nullptr);
    EXPECT_FALSE(without.exists("a"));
}

TEST(MakerStore, WalksInNameOrderAndDeletesWhatItDestroysOrClears) {
    Made::alive = 0;
    Maker maker;
    {
        Store store(&maker);
        store.get("b");
        store.get("A");
        store.get("a");
        auto* refusedByStore = new Made;
        EXPECT_NE(store.add("a", refusedByStore), refusedByStore);
        delete refusedByStore;
        EXPECT_EQ(walk(store), "A;a;b;");
        store.destroy("a");
        EXPECT_EQ(Made::alive, 2);
        EXPECT_EQ(walk(store), "A;b;");
        store.clear();
        EXPECT_EQ(Made::alive, 0);
        store.get("c");
    }
    EXPECT_EQ(Made::alive, 0);
}
