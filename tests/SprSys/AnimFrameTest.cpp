#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "GameHelper/CFGHelper.h"
#include "SprSys/AnimFrame.h"
#include "SprSys/AnimFrameStore.h"
#include "support/TempDir.h"

using SprSys::AnimFrame;
using SprSys::AnimFrameStore;

TEST(AnimFrame, ReadsTheGivenPartsAndKeepsDefaultsForTheRest) {
    const AnimFrame one("5");
    EXPECT_EQ(one.frame, 5);
    EXPECT_EQ(one.shiftX, 0);
    EXPECT_EQ(one.shiftY, 0);
    EXPECT_EQ(one.orientation, AnimFrame::N);
    EXPECT_EQ(one.rotation, 0);
    EXPECT_FLOAT_EQ(one.scaleX, 1.0f);
    EXPECT_FLOAT_EQ(one.scaleY, 1.0f);

    const AnimFrame all("5, 2, -3, HV, 90, 2, 0.5");
    EXPECT_EQ(all.frame, 5);
    EXPECT_EQ(all.shiftX, 2);
    EXPECT_EQ(all.shiftY, -3);
    EXPECT_EQ(all.orientation, AnimFrame::HV);
    EXPECT_EQ(all.rotation, 90);
    EXPECT_FLOAT_EQ(all.scaleX, 2.0f);
    EXPECT_FLOAT_EQ(all.scaleY, 0.5f);

    // Empty parts are dropped, so the 2 is the second part: shiftX.
    const AnimFrame gap("5,,2");
    EXPECT_EQ(gap.frame, 5);
    EXPECT_EQ(gap.shiftX, 2);
    EXPECT_EQ(gap.shiftY, 0);
}

TEST(AnimFrame, ReadsEveryOrientationText) {
    EXPECT_EQ(AnimFrame("0,0,0,N").orientation, AnimFrame::N);
    EXPECT_EQ(AnimFrame("0,0,0,H").orientation, AnimFrame::H);
    EXPECT_EQ(AnimFrame("0,0,0,V").orientation, AnimFrame::V);
    EXPECT_EQ(AnimFrame("0,0,0, HV ").orientation, AnimFrame::HV);
}

TEST(AnimFrame, ANumberThatCannotBeReadThrows) {
    EXPECT_THROW(AnimFrame("five"), std::domain_error);
    EXPECT_THROW(AnimFrame("1, 2, 3, N, 4, wide"), std::domain_error);
}

TEST(AnimFrameDeathTest, RejectsAnUnknownOrientation) {
    EXPECT_DEATH(AnimFrame("5,0,0,X"), "ABORT: Unknown AnimFrame Orientation X. Expect N,H,V,HV");
    EXPECT_DEATH(AnimFrame("5,0,0,hv"), "ABORT: Unknown AnimFrame Orientation hv");
}

TEST(AnimFrameDeathTest, RejectsNoPartsAndMoreThanSeven) {
    EXPECT_DEATH(AnimFrame(""), "ABORT: Expected 1-6 parts for AnimFrame: \n");
    EXPECT_DEATH(AnimFrame(" , ,"), "ABORT: Expected 1-6 parts for AnimFrame:  , ,");
    EXPECT_DEATH(AnimFrame("1,2,3,N,4,5,6,7"),
                 "ABORT: Expected 1-6 parts for AnimFrame: 1,2,3,N,4,5,6,7");
}

TEST(AnimFrameStore, UnknownNamesGiveTheSharedDefaultFrame) {
    AnimFrameStore store;
    AnimFrameStore other;
    AnimFrame* missing = store.get("NOPE");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing, other.get("ALSO_NOPE"));
    EXPECT_EQ(missing->frame, 0);
    EXPECT_EQ(missing->orientation, AnimFrame::N);
    EXPECT_FLOAT_EQ(missing->scaleX, 1.0f);
    EXPECT_FALSE(store.exists("NOPE"));
}

TEST(AnimFrameStore, KeepsTheFirstFrameAddedUnderAName) {
    AnimFrameStore store;
    auto* first = new AnimFrame("3");
    EXPECT_EQ(store.add("A", first), first);
    auto* second = new AnimFrame("4");
    EXPECT_EQ(store.add("A", second), first);
    delete second;  // not taken: still the caller's
    EXPECT_EQ(store.get("A")->frame, 3);
}

TEST(CFGHelper, ReadsTheFramesWhoseKeysHaveThePrefix) {
    TestSupport::TempDir dir;
    const std::string file = dir.write("frames.cfg",
                                       "GLF_B == 7, 1, 2\n"
                                       "GLF_A == 3\n"
                                       "OTHER == 9\n"
                                       "GLF_C == ::BASE::, 0, 0, V\n"
                                       "BASE == 11\n");
    AnimFrameStore store;
    GameHelper::CFGHelper::populateAnimFrameStore(&store, file, "GLF_");
    EXPECT_EQ(store.get("GLF_A")->frame, 3);
    EXPECT_EQ(store.get("GLF_B")->shiftY, 2);
    EXPECT_EQ(store.get("GLF_C")->frame, 11);  // values go through substitution
    EXPECT_EQ(store.get("GLF_C")->orientation, AnimFrame::V);
    EXPECT_FALSE(store.exists("OTHER"));
    EXPECT_FALSE(store.exists("BASE"));
}

TEST(CFGHelper, LeavesHeldFramesAndIgnoresAMissingFile) {
    TestSupport::TempDir dir;
    const std::string file = dir.write("frames.cfg", "GLF_A == 3\nGLF_B == 4\n");
    AnimFrameStore store;
    auto* held = new AnimFrame("1");
    store.add("GLF_A", held);
    GameHelper::CFGHelper::populateAnimFrameStore(&store, file, "GLF_");
    EXPECT_EQ(store.get("GLF_A"), held);
    EXPECT_EQ(store.get("GLF_B")->frame, 4);

    GameHelper::CFGHelper::populateAnimFrameStore(&store, dir.file("missing.cfg"), "GLF_");
    EXPECT_EQ(store.get("GLF_B")->frame, 4);
}
