// The tray icon's look for each phone state with the blink, and the launcher buttons' hit test.
#include "engine/zeldll.h"
#include "mainprog/core/LauncherLayout.h"
#include "mainprog/core/TrayIndicator.h"

#include <gtest/gtest.h>

using namespace corvant;

namespace {

struct LookCase {
    int state;
    TrayLook look;
};

class TrayLooks : public ::testing::TestWithParam<LookCase> {};

TEST_P(TrayLooks, StateGivesIconAndTip)
{
    TrayIndicator tray;
    const TrayChange change = tray.onPhoneState(GetParam().state);
    EXPECT_FALSE(change.startBlink);
    ASSERT_TRUE(change.look.has_value());
    EXPECT_EQ(*change.look, GetParam().look);
}

INSTANTIATE_TEST_SUITE_P(States, TrayLooks,
                         ::testing::Values(LookCase {PHONESTATE_NOT_CONNECTED, {IDI_NOT_CONNECTED, IDS_TIP_NOT_CONNECTED}},
                                           LookCase {PHONESTATE_NOT_READY, {IDI_NOT_READY, IDS_TIP_NOT_READY}},
                                           LookCase {PHONESTATE_READY, {IDI_READY, IDS_TIP_READY}},
                                           LookCase {7, {IDI_NOT_CONNECTED, IDS_TIP_NOT_CONNECTED}},
                                           LookCase {-1, {IDI_NOT_CONNECTED, IDS_TIP_NOT_CONNECTED}}));

TEST(Tray, EntryRequiredBlinksBetweenReadyAndTheSecondImage)
{
    TrayIndicator tray;
    const TrayChange change = tray.onPhoneState(PHONESTATE_ENTRY_REQUIRED);
    EXPECT_TRUE(change.startBlink);
    EXPECT_FALSE(change.look.has_value()) << "nothing changes before the first tick";
    EXPECT_EQ(tray.onBlinkTick(), (TrayLook {IDI_READY, IDS_TIP_ENTRY_REQUIRED}));
    EXPECT_EQ(tray.onBlinkTick(), (TrayLook {IDI_BLINK, IDS_TIP_ENTRY_REQUIRED}));
    EXPECT_EQ(tray.onBlinkTick(), (TrayLook {IDI_READY, IDS_TIP_ENTRY_REQUIRED}));
}

TEST(Tray, ReadyAfterEntryRequiredStopsTheBlink)
{
    TrayIndicator tray;
    tray.onPhoneState(PHONESTATE_ENTRY_REQUIRED);
    tray.onBlinkTick();
    tray.onBlinkTick();
    const TrayChange change = tray.onPhoneState(PHONESTATE_READY);
    EXPECT_TRUE(change.stopBlink);
    EXPECT_FALSE(tray.blinking());
    EXPECT_EQ(*change.look, (TrayLook {IDI_READY, IDS_TIP_READY}));

    tray.onPhoneState(PHONESTATE_ENTRY_REQUIRED);
    EXPECT_EQ(tray.onBlinkTick().icon, IDI_READY) << "a new blink begins with the ready icon";
}

TEST(Tray, NotConnectedAtStartKeepsTheInitialIcon)
{
    TrayIndicator tray;
    EXPECT_EQ(TrayIndicator::initialLook(), (TrayLook {IDI_NOT_CONNECTED, IDS_TIP_NOT_CONNECTED}));
    const TrayChange change = tray.onPhoneState(PHONESTATE_NOT_CONNECTED);
    EXPECT_FALSE(change.stopBlink);
    EXPECT_EQ(*change.look, TrayIndicator::initialLook());
}

struct HitCase {
    int x, y, button;
};

class ButtonHits : public ::testing::TestWithParam<HitCase> {};

TEST_P(ButtonHits, PointHitsButton)
{
    EXPECT_EQ(hitButton(GetParam().x, GetParam().y), GetParam().button);
}

INSTANTIATE_TEST_SUITE_P(Points, ButtonHits,
                         ::testing::Values(HitCase {10, 60, -1},   // left border
                                           HitCase {11, 60, 0},
                                           HitCase {143, 60, 0},
                                           HitCase {144, 60, -1},  // right border
                                           HitCase {50, 47, -1},   // top border
                                           HitCase {50, 48, 0},
                                           HitCase {50, 82, -1},   // between the first two
                                           HitCase {50, 83, 1},
                                           HitCase {50, 152, -1},
                                           HitCase {50, 200, 4},
                                           HitCase {50, 291, 6},
                                           HitCase {50, 292, -1},
                                           HitCase {5, 100, -1},
                                           HitCase {300, 100, -1},
                                           HitCase {50, 10, -1}));

TEST(Launcher, EachButtonRunsItsCommand)
{
    // One command per button, in the picture's order top to bottom.
    const int middle = (kButtonRects[0].left + kButtonRects[0].right) / 2;
    for (int i = 0; i < LAUNCHER_BUTTONS; ++i) {
        const int y = (kButtonRects[i].top + kButtonRects[i].bottom) / 2;
        EXPECT_EQ(hitButton(middle, y), i);
    }
    EXPECT_EQ(kButtonCommands[0], ID_APPOINTMENTS);
    EXPECT_EQ(kButtonCommands[6], ID_HELP_FINDER);
}

} // namespace
