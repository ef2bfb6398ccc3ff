#include "ui/shell/tray/NotifyClickState.h"

#include <gtest/gtest.h>

#include <string>

namespace brevlin::shell {
namespace {

// A timer the test runs out by hand.
class FakeTimer : public ClickTimer {
public:
    void Start(EventTime at) override {
        running = true;
        deadline = at;
        ++starts;
    }
    void Stop() override { running = false; }
    bool running = false;
    EventTime deadline = 0;
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

    // Notifications as the user makes them, 10 ms apart.
    void Send(std::initializer_list<NotifyMessage> messages) {
        for (NotifyMessage message : messages) {
            state.Notify(message, now);
            now += 10;
        }
    }
    // A notification made at `time`, whenever the program handles it.
    void At(EventTime time, NotifyMessage message) {
        state.Notify(message, time);
        if (Elapsed(now, time) > 0)
            now = time;
    }
    // The timer ticks only while it runs, as a real one-shot timer does, at its deadline.
    void RunOut() {
        if (timer.running) {
            if (Elapsed(now, timer.deadline) > 0)
                now = timer.deadline;
            state.TimerTick(now);
        }
    }

    FakeTimer timer;
    // Near the wrap of the X server's 32-bit clock, which the decoding must not mind.
    EventTime now = 0xFFFFFF00u;
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
    state.Notify(0x207, now); // middle button down
    state.Notify(0x208, now); // middle button up
    state.Notify(0x209, now); // middle button double click
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

// A busy program handles the user's notifications late and in bursts; what counts is when
// the user pressed.
TEST_F(ClickDecoding, LateNotificationsAreDecodedByWhenTheUserMadeThem) {
    const EventTime t = now;
    // Two single clicks a second apart, both read only after a stall: two clicks, not one
    // click swallowed by the next press.
    At(t, M::LButtonDown);
    At(t + 60, M::LButtonUp);
    At(t + 1000, M::LButtonDown);
    At(t + 1060, M::LButtonUp);
    EXPECT_EQ(events, "click1;");
    RunOut();
    EXPECT_EQ(events, "click1;click1;");

    // A double click whose second press is read after the timer was due: the owner hands the
    // waiting input over first, and the late tick then finds nothing to report.
    events.clear();
    At(t + 5000, M::LButtonDown);
    At(t + 5060, M::LButtonUp);
    At(t + 5150, M::LButtonDown);
    At(t + 5150, M::LButtonDblClk);
    At(t + 5210, M::LButtonUp);
    state.TimerTick(t + 7000);
    EXPECT_EQ(events, "dbl1;");

    // A press held across a stall is a click at its release, not a pending one.
    events.clear();
    At(t + 9000, M::RButtonDown);
    At(t + 9900, M::RButtonUp);
    EXPECT_EQ(events, "click2;");
    EXPECT_EQ(state.RightState(), NotifyClickState::Held);
}

TEST_F(ClickDecoding, AMissingReleaseOrAStalledClockDoesNotStopTheNextClick) {
    const EventTime t = now;
    At(t, M::LButtonDown); // its release never comes
    RunOut();
    EXPECT_EQ(state.LeftState(), NotifyClickState::Held);
    At(t + 3000, M::LButtonDown);
    At(t + 3050, M::LButtonUp);
    RunOut();
    EXPECT_EQ(events, "click1;");

    // A tick a little ahead of the input clock waits for the deadline; one that the clock
    // puts far behind (a host whose clock jumped) counts rather than waiting for ever.
    events.clear();
    At(t + 6000, M::LButtonDown);
    At(t + 6050, M::LButtonUp);
    state.TimerTick(t + 6100);
    EXPECT_EQ(events, "");
    EXPECT_TRUE(timer.running);
    state.TimerTick(t + 6000 - 100000);
    EXPECT_EQ(events, "click1;");
}

} // namespace
} // namespace brevlin::shell
