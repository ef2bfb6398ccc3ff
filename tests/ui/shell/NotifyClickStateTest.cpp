#include "ui/shell/NotifyClickState.h"

#include <gtest/gtest.h>

#include <string>

namespace brevlin::shell {
namespace {

// A timer the test runs out by hand.
class FakeTimer : public ClickTimer {
public:
    void Start() override {
        running = true;
        ++starts;
    }
    void Stop() override { running = false; }
    bool running = false;
    int starts = 0;
};

class ClickDecoding : public ::testing::Test {
protected:
    ClickDecoding()
        : state(timer, NotifyClickState::Events{
                           [this](int button) { events += "click" + std::to_string(button) + ";"; },
                           [this](int button) { events += "dbl" + std::to_string(button) + ";"; },
                           [this] { events += "move;"; },
                       }) {}

    void Send(std::initializer_list<NotifyMessage> messages) {
        for (NotifyMessage message : messages)
            state.Notify(message);
    }
    // The timer ticks only while it runs, as a real one-shot timer does.
    void RunOut() {
        if (timer.running)
            state.TimerTick();
    }

    FakeTimer timer;
    std::string events;
    NotifyClickState state;
};

using M = NotifyMessage;

TEST_F(ClickDecoding, SingleClickIsReportedOnlyWhenTheIntervalRunsOut) {
    Send({M::LButtonDown, M::LButtonUp});
    EXPECT_EQ(events, "");
    EXPECT_TRUE(timer.running);
    RunOut();
    EXPECT_EQ(events, "click1;");
    EXPECT_EQ(state.LeftState(), NotifyClickState::Idle);

    Send({M::RButtonDown, M::RButtonUp});
    RunOut();
    EXPECT_EQ(events, "click1;click2;");
}

TEST_F(ClickDecoding, DoubleClickIsReportedAloneForEitherButton) {
    // The shell's sequence: down, up, double-click, up.
    Send({M::LButtonDown, M::LButtonUp, M::LButtonDblClk, M::LButtonUp});
    RunOut();
    EXPECT_EQ(events, "dbl1;");
    EXPECT_FALSE(timer.running);

    events.clear();
    Send({M::RButtonDown, M::RButtonUp, M::RButtonDblClk, M::RButtonUp});
    RunOut();
    EXPECT_EQ(events, "dbl2;");
    EXPECT_EQ(state.LeftState(), NotifyClickState::Idle);
    EXPECT_EQ(state.RightState(), NotifyClickState::Idle);
}

TEST_F(ClickDecoding, PressHeldPastTheIntervalClicksAtRelease) {
    Send({M::LButtonDown});
    RunOut();
    EXPECT_EQ(events, "");
    EXPECT_EQ(state.LeftState(), NotifyClickState::Held);
    Send({M::LButtonUp});
    EXPECT_EQ(events, "click1;");

    events.clear();
    Send({M::RButtonDown});
    RunOut(); // the left state is still Held, so the right button is resolved
    Send({M::RButtonUp});
    EXPECT_EQ(events, "click2;");
}

TEST_F(ClickDecoding, DisabledIgnoresNotificationsButAPendingClickStillFires) {
    Send({M::LButtonDown, M::LButtonUp});
    state.SetEnabled(false);
    Send({M::LButtonDblClk, M::RButtonDown, M::RButtonUp, M::MouseMove});
    RunOut();
    EXPECT_EQ(events, "click1;");
    EXPECT_EQ(state.RightState(), NotifyClickState::Idle);

    events.clear();
    Send({M::LButtonDown, M::LButtonUp});
    RunOut();
    EXPECT_EQ(events, "");
    state.SetEnabled(true);
    Send({M::MouseMove});
    EXPECT_EQ(events, "move;");
}

TEST_F(ClickDecoding, LeftThenRightBeforeTheTickReportsOnlyTheLeftClick) {
    Send({M::LButtonDown, M::LButtonUp, M::RButtonDown, M::RButtonUp});
    RunOut();
    EXPECT_EQ(events, "click1;");
    // The right click waits, with the timer stopped, for a tick after some later press.
    EXPECT_EQ(state.RightState(), NotifyClickState::ClickPending);
    EXPECT_FALSE(timer.running);
    RunOut();
    EXPECT_EQ(events, "click1;");

    Send({M::LButtonDown});
    RunOut(); // left becomes Held; the right click still waits
    EXPECT_EQ(events, "click1;");
    Send({M::LButtonUp}); // click at release, left stays Held
    EXPECT_EQ(events, "click1;click1;");
    Send({M::LButtonDown}); // restarts the timer; left is Pressed again
    Send({M::LButtonUp});
    RunOut();
    EXPECT_EQ(events, "click1;click1;click1;");
    EXPECT_EQ(state.RightState(), NotifyClickState::ClickPending);
}

TEST_F(ClickDecoding, APressRestartsTheIntervalAndOtherButtonsAreIgnored) {
    Send({M::LButtonDown});
    Send({M::LButtonDown});
    EXPECT_EQ(timer.starts, 2);
    state.Notify(0x207); // middle button down
    state.Notify(0x208); // middle button up
    state.Notify(0x209); // middle button double click
    EXPECT_EQ(events, "");
    EXPECT_EQ(state.LeftState(), NotifyClickState::Pressed);
}

TEST_F(ClickDecoding, ReleaseWithoutPressOnlyResets) {
    Send({M::RButtonDown, M::LButtonUp});
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(state.RightState(), NotifyClickState::Idle);
    RunOut();
    EXPECT_EQ(events, "");
}

} // namespace
} // namespace brevlin::shell
