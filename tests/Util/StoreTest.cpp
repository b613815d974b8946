#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Util/BasicStore.h"
#include "Util/NamePtrStore.h"
#include "Util/TwoWayMapping.h"

namespace {

// Counts live instances so a test can see exactly what a store deleted.
struct Counted {
    static int alive;
    Counted() { ++alive; }
    ~Counted() { --alive; }
};
int Counted::alive = 0;

std::string keysOf(const Util::NamePtrStore<Counted>& store) {
    std::string keys;
    std::unique_ptr<Util::NamePtrStoreIterator<Counted>> it(store.getPairIterator());
    for (; !it->isDone(); it->next()) {
        keys += it->currentItem().first + ";";
    }
    return keys;
}

}  // namespace

TEST(BasicStore, AbsentKeysGiveTheNotFoundValue) {
    Util::BasicStore<std::string, int> locations(-1);
    EXPECT_EQ(locations.find("u_color"), -1);
    EXPECT_EQ(locations.remove("u_color"), -1);
    locations.add("u_color", 3);
    locations.add("u_color", 4);
    EXPECT_EQ(locations.find("u_color"), 4);
    EXPECT_EQ(locations.remove("u_color"), 4);
    EXPECT_EQ(locations.find("u_color"), -1);
}

TEST(BasicStore, IteratesInByteOrderAndEndsOnTheNotFoundValue) {
    Util::BasicStore<std::string, int> store(-1);
    store.add("b", 1);
    store.add("A", 2);
    store.add("a", 3);
    std::unique_ptr<Util::BasicStoreIterator<std::string, int>> it(store.getIterator());
    std::string order;
    for (; !it->isDone(); it->next()) {
        order += it->currentKey() + std::to_string(it->curItemNoCheck());
    }
    EXPECT_EQ(order, "A2a3b1");
    EXPECT_EQ(it->currentItem(), -1);
    it->next();
    EXPECT_TRUE(it->isDone());
    it->first();
    EXPECT_EQ(it->currentItem(), 2);
}

TEST(NamePtrStore, KeepsTheHeldObjectAndNeverDeletesARefusedOne) {
    Counted::alive = 0;
    {
        Util::NamePtrStore<Counted> store("TextureStore");
        Counted* first = new Counted;
        auto second = std::make_unique<Counted>();
        EXPECT_EQ(store.add("t", first), first);
        EXPECT_EQ(store.add("t", second.get()), first);
        EXPECT_EQ(store.get("t"), first);
        EXPECT_EQ(Counted::alive, 2);
        second.reset();
        EXPECT_EQ(Counted::alive, 1);
        EXPECT_EQ(store.add("none", nullptr), nullptr);
        EXPECT_FALSE(store.exists("none"));
    }
    EXPECT_EQ(Counted::alive, 0);
}

TEST(NamePtrStore, DestroyAndClearDeleteWhatTheyRemove) {
    Counted::alive = 0;
    Util::NamePtrStore<Counted> store("MaterialStore");
    store.add("a", new Counted);
    store.add("b", new Counted);
    store.add("c", new Counted);
    EXPECT_FALSE(store.destroy("missing"));
    EXPECT_EQ(Counted::alive, 3);
    EXPECT_TRUE(store.destroy("a"));
    EXPECT_FALSE(store.exists("a"));
    EXPECT_EQ(Counted::alive, 2);
    store.clear();
    EXPECT_EQ(Counted::alive, 0);
    EXPECT_EQ(keysOf(store), "");
}

TEST(NamePtrStore, BaseOperationsMovePointersWithoutDeleting) {
    Counted::alive = 0;
    Util::NamePtrStore<Counted> store("ShaderStore");
    store.add("x", new Counted);
    std::unique_ptr<Counted> handedBack(store.remove("x"));
    EXPECT_EQ(Counted::alive, 1);
    EXPECT_FALSE(store.exists("x"));
    Counted* replacement = new Counted;
    store.add("x", handedBack.get());
    store.Util::BasicStore<std::string, Counted*>::add("x", replacement);
    EXPECT_EQ(store.get("x"), replacement);
    EXPECT_EQ(Counted::alive, 2);
}

TEST(NamePtrStore, DefaultObjectStandsForAbsentNamesAndIsNeverDeleted) {
    static Counted fallback;
    Counted::alive = 1;
    {
        Util::NamePtrStore<Counted> store("AnimFrameStore", &fallback);
        EXPECT_EQ(store.get("nothing"), &fallback);
        store.add("f", new Counted);
        EXPECT_EQ(keysOf(store), "f;");
        std::unique_ptr<Util::NamePtrStoreIterator<Counted>> it(store.getPairIterator());
        it->next();
        EXPECT_EQ(it->currentItem(), (std::pair<std::string, Counted*>("", &fallback)));
    }
    EXPECT_EQ(Counted::alive, 1);
}

TEST(NamePtrStoreIterator, VisitsNamesInByteOrderAndEndsOnEmptyNull) {
    Util::NamePtrStore<Counted> store("TextureStore");
    store.add("b", new Counted);
    store.add("A", new Counted);
    store.add("a", new Counted);
    EXPECT_EQ(keysOf(store), "A;a;b;");
    std::unique_ptr<Util::NamePtrStoreIterator<Counted>> it(store.getPairIterator());
    while (!it->isDone())
        it->next();
    EXPECT_EQ(it->currentItem().first, "");
    EXPECT_EQ(it->currentItem().second, nullptr);
}

TEST(TwoWayMapping, LaterPairsWinOnlyInTheirOwnDirection) {
    Util::TwoWayMapping<int, std::string> names(-1, "?");
    names.add(1, "x");
    names.add(2, "x");
    EXPECT_EQ(names.reverseLookup("x"), 2);
    EXPECT_EQ(names.lookup(1), "x");
    EXPECT_EQ(names.lookup(3), "?");
    EXPECT_EQ(names.reverseLookup("y"), -1);
}
